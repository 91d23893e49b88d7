#include "book/ui/societe_dialog.h"
#include "common/texte.h"
#include "dialogue_modal.h"
#include "support/dossier_temporaire.h"
#include "support/plateforme_fausse.h"

#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>
#include <gtest/gtest.h>

using namespace kyr;
using kyr::test::QuandModal;

namespace {

QLineEdit* Ligne(QWidget* d, int n) {
    return d->findChild<QLineEdit*>(QStringLiteral("Edit%1").arg(n));
}

} // namespace

TEST(TSociete, ControlsAndResult) {
    TSociete d;
    EXPECT_EQ(d.windowTitle(), QStringLiteral("Société"));
    EXPECT_EQ(d.findChild<QLabel*>("Label1")->text(),
              QStringLiteral("Lignes constituant l'en-tête de la société"));
    d.Init({"SARL \xC9lec", "2", "3", "4", "5", "6", "7"});
    d.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&d));
    EXPECT_EQ(Ligne(&d, 1)->text(), QStringLiteral("SARL Élec"));
    for (int n = 2; n <= 7; ++n)
        EXPECT_GT(Ligne(&d, n)->y(), Ligne(&d, n - 1)->y());
    Ligne(&d, 2)->setText(QStringLiteral("changé"));
    d.reject();
    LignesSociete sorties{"a", "b", "c", "d", "e", "f", "g"};
    d.Result(sorties);
    EXPECT_EQ(sorties, (LignesSociete{"", "b", "c", "d", "e", "f", "g"}));
    d.accept();
    d.Result(sorties);
    EXPECT_EQ(sorties[1], "chang\xE9");
}

TEST(PsocDialogue, OkWritesAtOnceEscapeOrEmptyFirstLineChangeNothing) {
    kyr::test::DossierTemporaire dossier;
    kyr::test::PlateformeFausse plateforme;
    Facture f(plateforme);
    QuandModal([](QWidget* w) {
        QTest::keyClicks(Ligne(w, 1), "SARL Dupont");
        QTest::keyClick(Ligne(w, 1), Qt::Key_Return); // Enter in a field closes nothing
        EXPECT_TRUE(w->isVisible());
        auto* ok = w->findChild<QPushButton*>("Button2");
        ok->setFocus();
        QTest::keyClick(ok, Qt::Key_Return); // but presses the button that has the focus
    });
    Psoc(f, nullptr);
    EXPECT_EQ(LitFichier(NomFichierSociete), (Lignes{"SARL Dupont", "", "", "", "", "", ""}));

    QuandModal([](QWidget* w) {
        Ligne(w, 2)->setText(QStringLiteral("ailleurs"));
        QTest::keyClick(w, Qt::Key_Escape);
    });
    Psoc(f, nullptr);
    QuandModal([](QWidget* w) {
        Ligne(w, 1)->clear();
        Ligne(w, 2)->setText(QStringLiteral("ailleurs"));
        w->findChild<QPushButton*>("Button2")->click();
    });
    Psoc(f, nullptr);
    EXPECT_EQ(f.Societe, (LignesSociete{"SARL Dupont", "", "", "", "", "", ""}));
    EXPECT_EQ(LitFichier(NomFichierSociete), (Lignes{"SARL Dupont", "", "", "", "", "", ""}));
}
