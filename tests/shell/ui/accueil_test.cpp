// The welcome of a first start: offered once, when no settings file exists,
// leading to the company heading, the invoicing parameters and the seller's
// data, each skippable; an existing settings file is read as it always was.
#include "book/ui/facture_window.h"
#include "common/texte.h"
#include "shell/ui/main_window.h"
#include "support/attente.h"
#include "support/dossier_temporaire.h"
#include "support/plateforme_fausse.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace kyr {
namespace {

// Runs `action` on the modal dialog named `nom` once it is on top, and every
// time it is, until the returned timer is deleted.
std::unique_ptr<QTimer> QuandDialogue(const char* nom, std::function<void(QWidget*)> action) {
    auto minuterie = std::make_unique<QTimer>();
    QObject::connect(minuterie.get(), &QTimer::timeout, [t = minuterie.get(), nom, action] {
        QWidget* d = QApplication::activeModalWidget();
        if (!d || d->objectName() != QLatin1String(nom)) return;
        t->stop();
        action(d);
        t->start();
    });
    minuterie->start(10);
    return minuterie;
}

QPushButton* Bouton(QWidget* d, const char* nom) {
    return d->findChild<QPushButton*>(QLatin1String(nom));
}

class Accueil : public ::testing::Test {
protected:
    test::DossierTemporaire dossier;
    test::PlateformeFausse p;
    std::unique_ptr<TMainForm> w;

    void Demarre() {
        w = std::make_unique<TMainForm>(p);
        w->OffreAccueil(true);
        w->CreeFacture();
        w->show();
        QTRY_VERIFY(!w->coquille()->RepertoireDepart.isEmpty());
        QTRY_VERIFY(!QApplication::activeModalWidget());
    }
    QString Libelle(const char* nom) const {
        return w->facture()->findChild<QLabel*>(QLatin1String(nom))->text();
    }
    const Reglages& R() const { return w->facture()->logique().reglages; }
};

TEST_F(Accueil, PremierDemarrageEnEurosEtEtapesQuOnPeutPasser) {
    int vus = 0;
    const auto accueil = QuandDialogue("Accueil", [&](QWidget* d) {
        ++vus;
        EXPECT_EQ(d->windowTitle(), QStringLiteral("Bienvenue"));
        QString texte = d->findChild<QLabel*>(QStringLiteral("Texte"))->text();
        texte.replace(QChar(0xA0), QLatin1Char(' ')); // a rate keeps its sign on its line
        EXPECT_TRUE(texte.startsWith(
            QStringLiteral("Les montants sont en euros et les taux de TVA sont ceux en vigueur : "
                           "20 %, 10 % et 5,5 %.")))
            << texte.toStdString();
        EXPECT_EQ(Bouton(d, "Etape1")->text(), QStringLiteral("&Société..."));
        EXPECT_EQ(Bouton(d, "Etape2")->text(), QStringLiteral("Paramètres de &facturation..."));
        EXPECT_EQ(Bouton(d, "Etape3")->text(), QStringLiteral("Facturation é&lectronique..."));
        EXPECT_EQ(Bouton(d, "Commencer")->text(), QStringLiteral("&Commencer"));

        // Enter walks through the steps in order: the company heading first.
        EXPECT_TRUE(test::Attend([d] { return d->focusWidget() == Bouton(d, "Etape1"); }));
        const auto societe = QuandDialogue("Societe", [](QWidget* s) {
            s->findChild<QLineEdit*>(QStringLiteral("Edit1"))->setText("Kyr Informatique");
            Bouton(s, "Button2")->click();
        });
        QTest::keyClick(Bouton(d, "Etape1"), Qt::Key_Return);
        EXPECT_EQ(d->focusWidget(), Bouton(d, "Etape2"));

        // The invoicing parameters show the values in force; skipped with "Annuler".
        const auto parametres = QuandDialogue("Paramf", [](QWidget* s) {
            EXPECT_EQ(s->findChild<QLineEdit*>(QStringLiteral("Edit2"))->text(), "20,00");
            EXPECT_EQ(s->findChild<QLineEdit*>(QStringLiteral("Edit3"))->text(), "10,00");
            EXPECT_EQ(s->findChild<QLineEdit*>(QStringLiteral("Edit4"))->text(), "5,50");
            EXPECT_TRUE(s->findChild<QRadioButton*>(QStringLiteral("Euro"))->isChecked());
            Bouton(s, "Button1")->click();
        });
        QTest::keyClick(Bouton(d, "Etape2"), Qt::Key_Return);
        EXPECT_EQ(d->focusWidget(), Bouton(d, "Etape3"));

        // The seller's data: not opened at all; Escape ends the welcome.
        QTest::keyClick(d, Qt::Key_Escape);
    });
    Demarre();
    EXPECT_EQ(vus, 1);
    EXPECT_EQ(w->facture()->logique().Societe[0], "Kyr Informatique");
    EXPECT_EQ(LitFichier(dossier.chemin("Fact.soc"))->at(0), "Kyr Informatique");
    EXPECT_EQ(Libelle("Label16"), QStringLiteral("Euros"));
    EXPECT_EQ(Libelle("Label17"), QStringLiteral("Francs"));
    EXPECT_FALSE(FichierExiste(dossier.chemin("Fact.fxv")));

    // Written at exit as always: the next start has its settings, and no welcome.
    ASSERT_TRUE(w->close());
    ASSERT_TRUE(FichierExiste(dossier.chemin("KyrFact.ini")));
    w.reset();
    Demarre();
    EXPECT_EQ(vus, 1);
    EXPECT_EQ(R().TauxTVA[2].valeur(), Reel6(10).valeur());
    EXPECT_EQ(Libelle("Label16"), QStringLiteral("Euros"));
}

TEST_F(Accueil, UnFichierDeReglagesExistantEstLuCommeAvantEtUnNouveauLivreEstEnEuros) {
    // The settings of a business that has kept its books in francs since 2001.
    SauveIni(Reglages{}, "");
    int vus = 0;
    const auto accueil = QuandDialogue("Accueil", [&](QWidget* d) {
        ++vus;
        Bouton(d, "Commencer")->click();
    });
    Demarre();
    EXPECT_EQ(vus, 0);
    EXPECT_EQ(R().TauxTVA[1].valeur(), Reel6(20.6L).valeur());
    EXPECT_EQ(R().Devise, 0);
    EXPECT_EQ(Libelle("Label16"), QStringLiteral("Francs"));

    w->findChild<QAction*>(QStringLiteral("FileNewItem"))->trigger();
    EXPECT_EQ(R().Devise, 1);
    EXPECT_EQ(Libelle("Label16"), QStringLiteral("Euros"));
    EXPECT_EQ(Libelle("Label17"), QStringLiteral("Francs"));
    EXPECT_EQ(R().TauxTVA[1].valeur(), Reel6(20.6L).valeur()); // the user's own rates
    ASSERT_TRUE(w->close());
    EXPECT_EQ(LitFichier(dossier.chemin("KyrFact.ini"))->at(10), "1");
}

} // namespace
} // namespace kyr
