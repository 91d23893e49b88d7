// The accounts dialog offscreen: its defaults, what it lets be typed, what it
// refuses, and the command that reads and writes Fact.cpt.
#include "book/ui/dialogue_modal.h"
#include "comptabilite/livres_compta.h"
#include "comptabilite/ui/comptes_dialog.h"
#include "support/dossier_temporaire.h"
#include "support/panne_ecriture.h"
#include "support/plateforme_fausse.h"

#include <QApplication>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace kyr {
namespace {

template <class T> T* E(QWidget* w, const char* nom) {
    return w->findChild<T*>(QLatin1String(nom));
}

QStringList Legendes(QWidget* w) {
    QStringList l;
    for (auto* e : w->findChildren<QLabel*>())
        if (e->buddy()) l << e->text();
    return l;
}

TEST(ComptesFenetre, DefautsSaisieEtRefus) {
    const Reglages r = test::ReglagesEuros();
    TComptes d(r);
    d.show();
    QApplication::setActiveWindow(&d);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&d));
    EXPECT_EQ(d.Result(), PlanParDefaut(r));
    const QStringList l = Legendes(&d);
    EXPECT_TRUE(l.contains(QStringLiteral("TVA collectée code &1 (20 %)")));
    EXPECT_TRUE(l.contains(QStringLiteral("TVA collectée code &3 (5,5 %)")));
    EXPECT_TRUE(l.contains(QStringLiteral("Date de &clôture de l'exercice :")));
    EXPECT_EQ(E<QDateEdit>(&d, "DateTimePicker1")->text(), QStringLiteral("31/12"));

    // The client account: letters become capitals, blanks and signs are not taken.
    auto* clients = E<QLineEdit>(&d, "Edit5");
    clients->clear();
    QTest::keyClicks(clients, "41 1c-x");
    EXPECT_EQ(clients->text(), QStringLiteral("411CX"));

    // An empty account: OK says which, keeps the dialog open and goes to it.
    auto* achats = E<QLineEdit>(&d, "Edit19");
    achats->clear();
    QTest::mouseClick(E<QPushButton>(&d, "Button2"), Qt::LeftButton);
    EXPECT_EQ(d.result(), QDialog::Rejected);
    EXPECT_TRUE(d.isVisible());
    EXPECT_EQ(E<QLabel>(&d, "Label1")->text(), QStringLiteral("Le compte des achats est vide."));
    EXPECT_TRUE(E<QLabel>(&d, "Label1")->isVisibleTo(&d));
    EXPECT_TRUE(achats->hasFocus());

    // The usual chart again, then OK closes.
    QTest::mouseClick(E<QPushButton>(&d, "Button3"), Qt::LeftButton);
    EXPECT_EQ(d.Result(), PlanParDefaut(r));
    EXPECT_FALSE(E<QLabel>(&d, "Label1")->isVisibleTo(&d));
    QTest::mouseClick(E<QPushButton>(&d, "Button2"), Qt::LeftButton);
    EXPECT_EQ(d.result(), QDialog::Accepted);
}

TEST(ComptesFenetre, LaCommandeLitEtEcritFactCpt) {
    test::DossierTemporaire dossier;
    test::PlateformeFausse p;
    const Reglages r = test::ReglagesEuros();
    PlanComptable plan = PlanParDefaut(r);
    plan.Clients = {"41100000", "Clients divers"};
    plan.JourCloture = 30;
    plan.MoisCloture = 6;
    SauveComptes(plan);

    // Opened on the file's plan; the closing date changed; Escape keeps the file.
    const auto change = [](const char* touche) {
        test::QuandModal([touche](QWidget* w) {
            EXPECT_EQ(E<QLineEdit>(w, "Edit5")->text(), QStringLiteral("41100000"));
            EXPECT_EQ(E<QDateEdit>(w, "DateTimePicker1")->date(), QDate(2000, 6, 30));
            E<QLineEdit>(w, "Edit6")->setText(QStringLiteral("Clients France"));
            if (touche == std::string("Echap"))
                QTest::keyClick(w, Qt::Key_Escape);
            else
                QTest::mouseClick(E<QPushButton>(w, "Button2"), Qt::LeftButton);
        });
    };
    const auto avant = LitOctets(NomFichierComptes);
    change("Echap");
    ParamComptes(nullptr, p, r);
    EXPECT_EQ(LitOctets(NomFichierComptes), avant);

    // A failed write is said and leaves the file as it was.
    {
        const test::PanneEcritureSimulee panne(EtapeEcriture::Creation);
        change("OK");
        ParamComptes(nullptr, p, r);
    }
    ASSERT_EQ(p.erreurs.size(), 1u);
    EXPECT_TRUE(p.erreurs[0].startsWith(QStringLiteral("Ne peut créer le fichier")));
    EXPECT_EQ(LitOctets(NomFichierComptes), avant);

    change("OK");
    ParamComptes(nullptr, p, r);
    PlanComptable relu;
    ASSERT_TRUE(ChargeComptes(relu));
    plan.Clients.Libelle = "Clients France";
    EXPECT_EQ(relu, plan);
}

} // namespace
} // namespace kyr
