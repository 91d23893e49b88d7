#pragma once
// The invoice window shown and activated for a widget test, on the scripted
// platform and client dialogs, inside a temporary current folder.
#include "book/ui/facture_window.h"

#include "clients/dialogues_clients_faux.h"
#include "support/dossier_temporaire.h"
#include "support/plateforme_fausse.h"

#include <QTableWidget>
#include <QTest>
#include <gtest/gtest.h>

#include <memory>

namespace kyr::test {

class FenetreFactureTest : public ::testing::Test {
protected:
    DossierTemporaire dossier;
    PlateformeFausse plateforme;
    DialoguesClientsFaux dialogues;
    std::unique_ptr<TFacture> w;

    void SetUp() override {
        w = std::make_unique<TFacture>(plateforme);
        w->setDialoguesClients(&dialogues);
        w->resize(1024, 700);
        w->show();
        w->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(w.get()));
        w->Activation();
    }

    Facture& f() { return w->logique(); }
    template <class T> T* ctl(const char* nom) {
        auto* c = w->findChild<T*>(QString::fromLatin1(nom));
        EXPECT_NE(c, nullptr) << nom;
        return c;
    }
    QTableWidget* grille() { return ctl<QTableWidget>("StringGrid1"); }
};

} // namespace kyr::test
