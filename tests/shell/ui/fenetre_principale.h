#pragma once
// The main window started as the program starts it, in a fresh current
// folder, with a scripted platform.
#include "shell/ui/main_window.h"
#include "support/dossier_temporaire.h"
#include "support/plateforme_fausse.h"

#include <QAction>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>

namespace kyr::test {

class FenetrePrincipale : public ::testing::Test {
protected:
    DossierTemporaire dossier;
    PlateformeFausse p;
    std::unique_ptr<TMainForm> w;

    void SetUp() override {
        w = std::make_unique<TMainForm>(p);
        w->CreeFacture();
        w->show();
        QTRY_VERIFY(!w->coquille()->RepertoireDepart.isEmpty());
    }
    void Choisit(const char* nom) { w->findChild<QAction*>(QLatin1String(nom))->trigger(); }
};

} // namespace kyr::test
