// The export command on the shown document: what it asks, in which order,
// what it refuses before asking, and what it remembers.
#include "einvoice/documents.h"
#include "einvoice/export_facturx.h"
#include "common/erreurs.h"
#include "support/dossier_temporaire.h"

#include <QFile>
#include <gtest/gtest.h>

using namespace kyr;
using namespace kyr::test;

namespace {

class ExportTest : public ::testing::Test {
protected:
    DossierTemporaire dossier;
    PlateformeFausse p;
    Facture f{p};
    std::vector<SaisieExport> proposes; // what the dialog was opened with
    std::optional<SaisieExport> reponse;
    std::vector<QString> ecrits;
    bool ecritureEchoue = false;

    void SetUp() override {
        f.reglages = ReglagesEuros();
        f.Societe = DocumentTest().Societe;
        // A copy of the sample book, saved there before a document is issued.
        const QString livre = dossier.chemin(QStringLiteral("exemple.fct"));
        QFile::copy(QStringLiteral(KYR_TEST_DATA "/exemple.fct"), livre);
        QFile::setPermissions(livre, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
        f.EnregistrePourEmission = [this, livre]() -> std::optional<QString> {
            f.Sauve(livre);
            return livre;
        };
        f.Charge(livre);
        Montre(3);
        SauveVendeur(VendeurTest());
        SaisieExport s;
        s.Ach = AcheteurTest();
        s.Autres.Echeance = QDate(2000, 1, 15);
        reponse = s;
    }
    void Montre(int n) {
        f.FicheCourante = n;
        f.LitFiche();
    }
    QString Exporte() {
        return ExporteFacturX(
            f, dossier.path(),
            [this](const SaisieExport& s) {
                proposes.push_back(s);
                return reponse;
            },
            [this](const QString& chemin, const FactureElectronique& fe, const Fiche& page) {
                if (ecritureEchoue) throw ErreurExecution::CreationFichier(chemin);
                EXPECT_EQ(page.TotalTTC, TextePage(fe.TotalTTC)); // the rules' totals
                ecrits.push_back(chemin);
                QFile(chemin).open(QIODevice::WriteOnly);
            });
    }
};

} // namespace

TEST_F(ExportTest, AsksTheBuyerThenTheFileAndRemembersTheBuyer) {
    p.nomsEnregistrer.push_back(dossier.chemin("Facture 200001004"));
    EXPECT_EQ(Exporte(), dossier.chemin("Facture 200001004.pdf"));
    ASSERT_EQ(proposes.size(), 1u);
    // First time: the buyer from the document's address lines; paid: the invoice date.
    EXPECT_EQ(proposes[0].Ach.Nom, "Garage du Centre");
    EXPECT_EQ(proposes[0].Ach.CodePostal, "69002");
    EXPECT_TRUE(proposes[0].Ach.Siren.empty());
    EXPECT_EQ(proposes[0].Autres.Echeance, QDate(2000, 1, 15));
    EXPECT_EQ(ecrits, std::vector<QString>{dossier.chemin("Facture 200001004.pdf")});
    ASSERT_EQ(p.messages.size(), 1u);
    EXPECT_TRUE(p.messages[0].contains("a été enregistrée"));

    // Next time the buyer typed is proposed; the same name asks before replacing.
    Acheteurs memorises;
    ASSERT_TRUE(ChargeAcheteurs(memorises));
    EXPECT_EQ(memorises["10002"], AcheteurTest());
    p.nomsEnregistrer.push_back(dossier.chemin("Facture 200001004.pdf"));
    p.reponses.push_back(Bouton::Annuler);
    EXPECT_TRUE(Exporte().isEmpty());
    EXPECT_EQ(proposes[1].Ach, AcheteurTest());
    EXPECT_EQ(p.questions.back().texte, QStringLiteral("Ce fichier existe déjà"));
    EXPECT_EQ(ecrits.size(), 1u);
}

TEST_F(ExportTest, RefusesBeforeAskingAnything) {
    // (change, message part)
    const std::vector<std::pair<std::function<void()>, QString>> cas = {
        {[this] { Montre(2); }, "Un devis n'est pas une facture"},
        {[this] { f.reglages.Devise = 0; }, "tenu en francs"},
        {[this] { f.reglages.TauxTVA[1] = 20.6L; }, "20,6 %"},
        {[] { QFile::remove(NomFichierVendeur); }, "Paramètres > Facturation électronique"},
        {[this] { f.Societe[0].clear(); }, "Paramètres > Société"},
        {[this] { Montre(7); }, "aucune ligne chiffrée"}, // an index without a block
    };
    for (const auto& [change, attendu] : cas) {
        SetUp();
        p.messages.clear();
        proposes.clear();
        change();
        EXPECT_TRUE(Exporte().isEmpty());
        ASSERT_EQ(p.messages.size(), 1u) << attendu.toStdString();
        EXPECT_TRUE(p.messages[0].contains(attendu)) << p.messages[0].toStdString();
        EXPECT_TRUE(proposes.empty()) << attendu.toStdString();
    }
    EXPECT_TRUE(ecrits.empty());
}

TEST_F(ExportTest, ACentOfDifferenceIsAskedAndCancellingWritesNothing) {
    f.fiche.Cellules[1] = {"Clou", "0,5", "0,01", "", "", "1"};
    f.fiche.Cellules[2] = {"Clou", "0,5", "0,01", "", "", "1"};
    f.Calcule();
    p.reponses.push_back(Bouton::Non);
    EXPECT_TRUE(Exporte().isEmpty());
    ASSERT_EQ(p.questions.size(), 1u);
    EXPECT_TRUE(p.questions[0].texte.contains("Total H.T. : 0,02 (la fenêtre affiche 0,01)"));
    EXPECT_TRUE(ecrits.empty());

    p.reponses.push_back(Bouton::Oui);
    p.nomsEnregistrer.push_back(dossier.chemin("clous.pdf"));
    EXPECT_FALSE(Exporte().isEmpty());
    EXPECT_EQ(ecrits.size(), 1u);

    // Cancelling the dialog or the file name, or a failed write: nothing
    // written, nothing remembered, the error shown.
    QFile::remove(NomFichierAcheteurs);
    reponse.reset();
    EXPECT_TRUE(Exporte().isEmpty());
    SetUp();
    f.fiche.Cellules[1] = {"Clou", "1", "1,00", "", "", "1"};
    f.Calcule();
    EXPECT_TRUE(Exporte().isEmpty()); // no file name given
    p.nomsEnregistrer.push_back(dossier.chemin("x.pdf"));
    ecritureEchoue = true;
    EXPECT_TRUE(Exporte().isEmpty());
    ASSERT_EQ(p.erreurs.size(), 1u);
    EXPECT_TRUE(p.erreurs[0].startsWith("Ne peut créer le fichier"));
    EXPECT_FALSE(QFile::exists(NomFichierAcheteurs));
    EXPECT_EQ(ecrits.size(), 1u);
}

TEST(Proposition, BuyerRememberedForTheClientElseFromTheAddress) {
    Fiche f;
    f.CodeClient = "10009";
    f.Date = QDate(2026, 9, 14);
    f.Conditions = "R\xE9glement \xE0 30 jours";
    f.Adresse = {"Boulangerie Martin", "2 rue Neuve", "13001 Marseille", ""};
    Acheteurs a{{"10002", AcheteurTest()}};
    SaisieExport s = Proposition(f, a);
    EXPECT_EQ(s.Ach.Ville, "Marseille");
    EXPECT_EQ(s.Autres.Echeance, QDate(2026, 10, 14));
    f.CodeClient = "10002";
    f.Payee = true;
    s = Proposition(f, a);
    EXPECT_EQ(s.Ach, AcheteurTest());
    EXPECT_EQ(s.Autres.Echeance, f.Date);
}
