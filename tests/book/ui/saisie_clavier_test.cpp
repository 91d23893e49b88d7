// Typing in the invoice window inside a frame with a menu bar, as the program
// shows it: the keys must stay with the line the user is typing.
#include "book/ui/facture_window.h"

#include "clients/dialogues_clients_faux.h"
#include "support/attente.h"
#include "support/dossier_temporaire.h"
#include "support/plateforme_fausse.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenuBar>
#include <QTableWidget>
#include <QTest>
#include <gtest/gtest.h>

using namespace kyr;

namespace {

using test::Attend;

class SaisieClavier : public ::testing::Test {
protected:
    test::DossierTemporaire dossier;
    test::PlateformeFausse plateforme;
    test::DialoguesClientsFaux dialogues;
    QMainWindow cadre;
    TFacture* w = nullptr;
    QAction* calculer = nullptr;

    void SetUp() override {
        QMenu* menu = cadre.menuBar()->addMenu(QStringLiteral("&Document"));
        calculer = menu->addAction(QStringLiteral("&Calculer"));
        w = new TFacture(plateforme, &cadre);
        w->setDialoguesClients(&dialogues);
        cadre.setCentralWidget(w);
        cadre.resize(1024, 760);
        cadre.show();
        cadre.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&cadre));
        w->Activation();
    }

    QTableWidget* grille() { return w->findChild<QTableWidget*>(QStringLiteral("StringGrid1")); }
    QLineEdit* EditeurOuvert() {
        auto* e = qobject_cast<QLineEdit*>(QApplication::focusWidget());
        return e && grille()->isAncestorOf(e) ? e : nullptr;
    }
    QLineEdit* VaCellule(int rangee, int colonne) {
        grille()->setFocus();
        grille()->setCurrentCell(rangee - 1, colonne);
        EXPECT_TRUE(Attend([&] { return EditeurOuvert() != nullptr; }));
        return EditeurOuvert();
    }
};

TEST_F(SaisieClavier, LeMenuOuvertAuClavierRendLesTouchesALaCellule) {
    QLineEdit* e = VaCellule(2, 0);
    ASSERT_NE(e, nullptr);
    QTest::keyClicks(e, "Vis");

    // Alt alone puts the menu bar in keyboard mode; Escape leaves it.
    QTest::keyClick(e, Qt::Key_Alt);
    ASSERT_TRUE(Attend([&] { return QApplication::focusWidget() == cadre.menuBar(); }));
    QTest::keyClick(cadre.menuBar(), Qt::Key_Escape);
    ASSERT_TRUE(Attend([&] { return EditeurOuvert() != nullptr; }))
        << "the keys stay with the menu bar";
    QTest::keyClicks(EditeurOuvert(), " long");
    EXPECT_EQ(EditeurOuvert()->text(), QStringLiteral("Vis long"));
    EXPECT_EQ(grille()->currentRow(), 1);

    // A command chosen from the keyboard leaves the cursor on the line too.
    QObject::connect(calculer, &QAction::triggered, w, &TFacture::Calcule);
    QTest::keyClick(EditeurOuvert(), Qt::Key_D, Qt::AltModifier);
    ASSERT_TRUE(Attend([&] { return QApplication::activePopupWidget() != nullptr; }));
    QTest::keyClick(QApplication::activePopupWidget(), Qt::Key_C);
    ASSERT_TRUE(Attend([&] { return EditeurOuvert() != nullptr; }));
    EXPECT_EQ(w->logique().fiche.Cellules[2][0], "Vis long");
    EXPECT_TRUE(w->logique().FocusGrille) << "\"&Effacer ligne\" stays usable";
}

TEST_F(SaisieClavier, PageSuivanteSansSecondDocumentNeFaitRien) {
    ASSERT_LT(w->logique().NbFiches, 2);
    QLineEdit* e = VaCellule(1, 0);
    QTest::keyClicks(e, "Vis");
    QTest::keyClick(e, Qt::Key_PageDown);
    ASSERT_EQ(EditeurOuvert(), e) << "the cursor stays on the line being typed";
    QTest::keyClicks(e, "se");
    EXPECT_EQ(e->text(), QStringLiteral("Visse"));
    EXPECT_EQ(grille()->currentRow(), 0);
}

} // namespace
