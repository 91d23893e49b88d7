// The export command on the shown document: what it asks, in which order,
// what it refuses before asking, and what it remembers.
#include "einvoice/documents.h"
#include "einvoice/export_facturx.h"
#include "common/erreurs.h"
#include "support/dossier_temporaire.h"
#include "support/octets_fichier.h"

#include <QDir>
#include <QFile>
#include <algorithm>
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
    QString livre; // the book's file, none by default

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
            },
            livre);
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
        {[this] { f.fiche.CodeClient.clear(); }, "Ce document est incomplet"},
        {[this] { f.fiche.Genre = "Reçu"; }, "ni une facture, ni un avoir"},
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

TEST_F(ExportTest, TheNatureAndDeliveryAddressAreKeptBesideTheBookForTheDocument) {
    // A book without a file: the seller's setting proposed, nothing kept.
    p.nomsEnregistrer.push_back(dossier.chemin("a.pdf"));
    reponse->Autres.Nature = Cadre::Biens;
    ASSERT_FALSE(Exporte().isEmpty());
    EXPECT_EQ(proposes.back().Autres.Nature, VendeurTest().CadreFacturation);
    EXPECT_FALSE(proposes.back().Autres.LieuLivraison);
    EXPECT_EQ(QDir(dossier.path()).entryList({"*.fxd"}, QDir::Files), QStringList());

    livre = dossier.chemin("livre.fct");
    const AdresseLivraison lieu{"Chantier Dupont", "3 rue du Port", "69007", "Lyon", "FR"};
    reponse->Autres.LieuLivraison = lieu;
    p.nomsEnregistrer.push_back(dossier.chemin("b.pdf"));
    ASSERT_FALSE(Exporte().isEmpty());
    EXPECT_EQ(proposes.back().Autres.Nature, VendeurTest().CadreFacturation);
    DonneesDocuments d;
    ASSERT_TRUE(ChargeDonneesDocuments(d, dossier.chemin("livre.fxd")));
    ASSERT_EQ(d.size(), 1u);
    EXPECT_EQ(d["F 200001004"], (DonneesDocument{Cadre::Biens, lieu}));

    // Next time they are proposed again; the buyer's own address is not kept.
    reponse->Autres.LieuLivraison =
        AdresseLivraison{"Garage du Centre", "4 place de la Gare", "69002", "Lyon", "FR"};
    p.nomsEnregistrer.push_back(dossier.chemin("c.pdf"));
    p.reponses.push_back(Bouton::OK);
    ASSERT_FALSE(Exporte().isEmpty());
    EXPECT_EQ(proposes.back().Autres.Nature, Cadre::Biens);
    EXPECT_EQ(proposes.back().Autres.LieuLivraison, lieu);
    d.clear();
    ASSERT_TRUE(ChargeDonneesDocuments(d, dossier.chemin("livre.fxd")));
    EXPECT_EQ(d["F 200001004"], (DonneesDocument{Cadre::Biens, std::nullopt}));
    EXPECT_TRUE(p.erreurs.empty());
}

TEST_F(ExportTest, EachFormatWritesItsFileIsRememberedAndIssuesTheDocument) {
    // (format, file proposed)
    const std::pair<FormatFE, const char*> cas[] = {{FormatFE::UBL, "Facture 200001004.xml"},
                                                    {FormatFE::CII, "Facture 200001004.xml"},
                                                    {FormatFE::FacturX, "Facture 200001004.pdf"}};
    for (const auto& [format, nom] : cas) {
        SCOPED_TRACE(nom);
        QFile::remove(dossier.chemin(nom));
        reponse->Format = format;
        p.nomsEnregistrer.push_back(dossier.chemin("Facture 200001004"));
        const QString chemin = ExporteFacturX(
            f, dossier.path(),
            [this](const SaisieExport& s) {
                proposes.push_back(s);
                return reponse;
            },
            [this](const QString& c, const FactureElectronique&, const Fiche&) {
                ecrits.push_back(c);
                EcritOctets(c, "%PDF");
            },
            QString());
        EXPECT_EQ(chemin, dossier.chemin(nom));
        EXPECT_TRUE(f.registre.Emission('F', "200001004"));
        Vendeur v;
        ASSERT_TRUE(ChargeVendeur(v));
        EXPECT_EQ(v.Format, format); // proposed next time
        if (format != FormatFE::FacturX) {
            const auto fe = std::get<FactureElectronique>(
                Construit(f.fiche, f.reglages, f.Societe, v, reponse->Ach, reponse->Autres));
            EXPECT_EQ(QByteArray::fromStdString(OctetsFichier(chemin)), XmlFormat(format, fe));
        }
    }
    // The dialog opened with the format last chosen.
    EXPECT_EQ(proposes[0].Format, FormatFE::FacturX);
    EXPECT_EQ(proposes[1].Format, FormatFE::UBL);
    EXPECT_EQ(proposes[2].Format, FormatFE::CII);
    EXPECT_EQ(ecrits.size(), 1u); // only Factur-X goes through the page writer
    // Issued by the first export only.
    EXPECT_EQ(std::count_if(f.registre.Entrees().begin(), f.registre.Entrees().end(),
                            [](const EntreeRegistre& e) { return e.Quoi == Evenement::Emission; }),
              1);
}

TEST(Proposition, ACreditNoteNamingAnInvoiceOfTheBookProposesIt) {
    const FacturesLivre factures = {{"202609001", QDate(2026, 9, 3)},
                                    {"202609002", QDate(2026, 9, 30)}};
    Fiche avoir;
    avoir.Genre = GenreAvoir;
    avoir.Date = QDate(2026, 9, 20);
    // (text of the first line, memo, invoice proposed; empty: none)
    const std::vector<std::tuple<std::string, std::string, std::string>> cas = {
        {"Avoir sur facture 202609001", "", "202609001"},
        {"Retour",
         "Annule la facture n\xB0"
         "202609001 du 03/09",
         "202609001"},
        {"Avoir sur facture 202609002", "", ""},  // dated after the credit note
        {"Avoir sur facture 2026090010", "", ""}, // a longer number is another one
        {"Remise 12 %", "", ""},
    };
    for (const auto& [ligne, memo, attendu] : cas) {
        avoir.Cellules[1][0] = ligne;
        avoir.Memo = memo.empty() ? Lignes{} : Lignes{memo};
        const SaisieExport s = Proposition(avoir, {}, factures);
        EXPECT_EQ(s.Autres.FactureCorrigee, attendu) << ligne;
        if (!attendu.empty()) EXPECT_EQ(s.Autres.DateFactureCorrigee, QDate(2026, 9, 3));
    }
}
