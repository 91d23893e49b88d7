// The FEC export window offscreen: the year proposed, the SIREN asked for,
// the report, the file written or refused.
#include "comptabilite/livres_compta.h"
#include "comptabilite/ui/fec_dialog.h"
#include "support/dossier_temporaire.h"
#include "support/panne_ecriture.h"
#include "support/plateforme_fausse.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace kyr {
namespace {

template <class T> T* E(QWidget* w, const char* nom) {
    return w->findChild<T*>(QLatin1String(nom));
}

// Today is 15/03/2001 on the test platform: 2000 is the last year closed.
Lignes Livre() {
    return test::LivreCompta({
        {0, GenreFacture, "200012001", "20/12/2000", {"Travaux\t1\t100,00\t\t\t1"}},
        {1,
         GenreAvoir,
         "200012002",
         "28/12/2000",
         {"Remise\t1\t10,00\t\t\t1"},
         "1000\xE9",
         "Caf\xE9 du Port"},
        {2, GenreFacture, "200103001", "01/03/2001", {"Travaux\t1\t50,00\t\t\t1"}},
    });
}

class FECFenetre : public ::testing::Test {
protected:
    test::DossierTemporaire dossier;
    test::PlateformeFausse p;
    Reglages r = test::ReglagesEuros();
    Journal j = LitJournal(Livre(), r);

    std::unique_ptr<TExportFEC> Fenetre(const std::string& siren) {
        auto d = std::make_unique<TExportFEC>(j, r, PlanParDefaut(r), SourcesCompta{}, siren, p,
                                              dossier.path());
        d->show();
        QApplication::setActiveWindow(d.get());
        EXPECT_TRUE(QTest::qWaitForWindowActive(d.get()));
        return d;
    }
};

TEST_F(FECFenetre, LeSirenEstDemandeAvantLeFichier) {
    auto d = Fenetre("");
    auto* exercice = E<QComboBox>(d.get(), "ComboBox1");
    ASSERT_EQ(exercice->count(), 2);
    EXPECT_EQ(exercice->currentText(), QStringLiteral("31/12/2000"));
    EXPECT_EQ(E<QLabel>(d.get(), "Label1")->text(), QStringLiteral("du 01/01/2000 au 31/12/2000"));
    auto* siren = E<QLineEdit>(d.get(), "Edit1");
    EXPECT_TRUE(siren->hasFocus());
    // The report is there before the SIREN, the client code kept and named.
    const QString rapport = E<QPlainTextEdit>(d.get(), "Memo1")->toPlainText();
    EXPECT_TRUE(rapport.contains(QStringLiteral("Ventes : 1 facture et 1 avoir, solde des clients "
                                                "108,00 €.")))
        << rapport.toStdString();
    EXPECT_TRUE(rapport.contains(QStringLiteral("« 1000é »")));
    EXPECT_TRUE(rapport.contains(QStringLiteral("Achats : aucune facture reçue.")));

    EXPECT_EQ(E<QLabel>(d.get(), "Label3")->text(), QString());
    // Exporting without it asks for it; nothing is written, no file asked.
    QTest::keyClick(d.get(), Qt::Key_Return);
    EXPECT_TRUE(E<QLabel>(d.get(), "Label3")
                    ->text()
                    .startsWith(QStringLiteral("Le nom du fichier porte le SIREN")));
    EXPECT_TRUE(p.nomsEnregistrer.empty());
    EXPECT_TRUE(d->Result().isEmpty());

    QTest::keyClicks(siren, "73282932");
    EXPECT_EQ(E<QLabel>(d.get(), "Label3")->text(),
              QStringLiteral("Un SIREN a exactement 9 chiffres."));
    QTest::keyClicks(siren, "0");
    EXPECT_EQ(E<QLabel>(d.get(), "Label3")->text(), QString());
    EXPECT_EQ(E<QLabel>(d.get(), "Label2")->text(), QStringLiteral("732829320FEC20001231.txt"));

    const QString chemin = dossier.chemin(QStringLiteral("732829320FEC20001231.txt"));
    p.nomsEnregistrer.push_back(chemin);
    QTest::mouseClick(E<QPushButton>(d.get(), "Button1"), Qt::LeftButton);
    EXPECT_EQ(d->Result(), chemin);
    const auto x = PrepareFEC(j, PlanParDefaut(r), {}, r, "732829320", 2000);
    ASSERT_TRUE(std::holds_alternative<ExportFEC>(x));
    EXPECT_EQ(LitOctets(chemin), std::get<ExportFEC>(x).Fichier.Octets);
    ASSERT_EQ(p.messages.size(), 1u);
    EXPECT_TRUE(p.messages[0].endsWith(QStringLiteral("(2 écritures, 6 lignes).")))
        << p.messages[0].toStdString();
}

TEST_F(FECFenetre, DossierQuiNePeutEtreEcritEtFichierExistant) {
    auto d = Fenetre("732829320");
    const QString chemin = dossier.chemin(QStringLiteral("fec.txt"));
    {
        const test::PanneEcritureSimulee panne(EtapeEcriture::Creation);
        p.nomsEnregistrer.push_back(dossier.chemin(QStringLiteral("fec")));
        QTest::mouseClick(E<QPushButton>(d.get(), "Button1"), Qt::LeftButton);
    }
    ASSERT_EQ(p.erreurs.size(), 1u);
    EXPECT_EQ(p.erreurs[0], QStringLiteral("Ne peut créer le fichier ") + chemin +
                                QStringLiteral(". ") + test::CauseEtape(EtapeEcriture::Creation));
    EXPECT_FALSE(FichierExiste(chemin));
    EXPECT_TRUE(d->isVisible());

    // An existing file: Annuler keeps it.
    EcritOctets(chemin, "ancien");
    p.nomsEnregistrer.push_back(chemin);
    p.reponses.push_back(Bouton::Annuler);
    QTest::mouseClick(E<QPushButton>(d.get(), "Button1"), Qt::LeftButton);
    ASSERT_EQ(p.questions.size(), 1u);
    EXPECT_EQ(p.questions[0].texte, QStringLiteral("Ce fichier existe déjà"));
    EXPECT_EQ(LitOctets(chemin), std::optional<std::string>("ancien"));
}

TEST_F(FECFenetre, LivreSansDocument) {
    j = LitJournal(Lignes{}, r);
    auto d = Fenetre("732829320");
    EXPECT_FALSE(E<QComboBox>(d.get(), "ComboBox1")->isEnabled());
    EXPECT_FALSE(E<QPushButton>(d.get(), "Button1")->isEnabled());
    EXPECT_EQ(E<QLabel>(d.get(), "Label1")->text(),
              QStringLiteral("Le livre n'a ni facture ni avoir à exporter."));
}

} // namespace
} // namespace kyr
