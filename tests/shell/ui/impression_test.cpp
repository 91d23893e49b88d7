// The main window's print commands on the shown document: the print dialog
// with copies, the tool buttons, the preview and PDF export items, the page
// setup; printed on a recording back-end.
#include "book/ui/dialogue_modal.h"
#include "book/ui/facture_window.h"
#include "book/registre.h"
#include "einvoice/fichiers_tiers.h"
#include "printing/ui/sorties.h"
#include "shell/livre_simple.h"
#include "shell/ui/main_window.h"
#include "support/dossier_temporaire.h"
#include "support/plateforme_fausse.h"
#include "support/surface_enregistree.h"

#include <QAction>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFile>
#include <QMenu>
#include <QMenuBar>
#include <QPrintPreviewWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTest>
#include <gtest/gtest.h>

namespace kyr {
namespace {

using test::QuandModal;

// The fake platform, also keeping the names the save dialog proposed.
struct Plateforme : test::PlateformeFausse {
    std::vector<QString> proposes;
    std::optional<QString> NomFichierEnregistrer(const QString& f, const QString& nom) override {
        proposes.push_back(nom);
        return PlateformeFausse::NomFichierEnregistrer(f, nom);
    }
};

bool Contient(const test::ImprimanteEnregistree::Travail& t, const std::string& texte) {
    for (const auto& x : t.traces)
        if (x.sorte == test::Trace::Texte && x.texte == texte) return true;
    return false;
}

class Impression : public ::testing::Test {
protected:
    test::DossierTemporaire dossier;
    Plateforme p;
    test::ImprimanteEnregistree enregistree;
    std::unique_ptr<TMainForm> w;
    QString livre;

    void SetUp() override {
        ForceImprimante(&enregistree);
        ForceImprimanteInstallee(true);
        livre = dossier.chemin(QStringLiteral("a.fct"));
        EcritFichier(livre, test::LivreSimple("Dupont"));
        w = std::make_unique<TMainForm>(p);
        w->CreeFacture();
        w->show();
        QTRY_VERIFY(!w->coquille()->RepertoireDepart.isEmpty());
    }
    void TearDown() override {
        w.reset();
        ForceImprimante(nullptr);
        ForceImprimanteInstallee(std::nullopt);
    }
    QAction* A(const char* nom) const { return w->findChild<QAction*>(QLatin1String(nom)); }
    void Ouvre() {
        p.nomsOuvrir.push_back(livre);
        A("FileOpenItem")->trigger();
        ASSERT_TRUE(A("FilePrintItem")->isEnabled());
    }
};

void CopiesPuisOK(int copies) {
    QuandModal([copies](QWidget* d) {
        auto* boite = d->findChild<QSpinBox*>(QStringLiteral("copies"));
        ASSERT_NE(boite, nullptr);
        boite->setFocus();
        boite->selectAll();
        QTest::keyClicks(boite, QString::number(copies));
        d->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
    });
}

} // namespace

TEST_F(Impression, PreviewAndPdfItemsFollowImprimerAndAreBookCommands) {
    QStringList fichier;
    for (QAction* a : w->menuBar()->actions().at(0)->menu()->actions())
        fichier << (a->isSeparator() ? QStringLiteral("-") : a->text());
    const auto i = fichier.indexOf(QStringLiteral("&Imprimer..."));
    ASSERT_GE(i, 0);
    // The electronic invoice's command follows them, then "&Configurer l'imprimante...".
    EXPECT_EQ(fichier.mid(i, 3),
              QStringList({"&Imprimer...", "Aperçu a&vant impression...", "E&xporter en PDF..."}));
    EXPECT_GT(fichier.indexOf(QStringLiteral("&Configurer l'imprimante...")), i + 2);
    for (const char* nom :
         {"FilePreviewItem", "FileExportPdfItem", "ToolPrintItem", "ToolEnvelopeItem"}) {
        EXPECT_FALSE(A(nom)->isEnabled()) << nom;
        EXPECT_FALSE(A(nom)->statusTip().isEmpty()) << nom;
    }
    Ouvre();
    for (const char* nom :
         {"FilePreviewItem", "FileExportPdfItem", "ToolPrintItem", "ToolEnvelopeItem"})
        EXPECT_TRUE(A(nom)->isEnabled()) << nom;
}

TEST_F(Impression, ImprimerWithThreeCopiesSendsThreeJobsOfTheShownDocument) {
    Ouvre();
    CopiesPuisOK(3);
    A("FilePrintItem")->trigger();
    ASSERT_EQ(enregistree.travaux.size(), 3u);
    for (const auto& t : enregistree.travaux) {
        EXPECT_EQ(t.orientation, Orientation::Portrait);
        EXPECT_TRUE(Contient(t, "Facture N\xB0 200103001"));
        EXPECT_TRUE(Contient(t, "Dupont"));
        EXPECT_TRUE(Contient(t, "Travaux"));
    }
    // Cancelled: nothing.
    QuandModal([](QWidget* d) { static_cast<QDialog*>(d)->reject(); });
    A("FilePrintItem")->trigger();
    EXPECT_EQ(enregistree.travaux.size(), 3u);
    // The tool button prints once, without a dialog.
    A("ToolPrintItem")->trigger();
    EXPECT_EQ(enregistree.travaux.size(), 4u);
    EXPECT_TRUE(p.erreurs.empty());
}

TEST_F(Impression, EnvelopeAsksForTheEnvelopeThenPrintsInItsOrientation) {
    Ouvre();
    w->facture()->logique().Societe = {"Kyr Informatique", "12 rue des Lilas"};
    w->facture()->logique().reglages.OrientationEnveloppe = 1;
    w->facture()->logique().reglages.DecalageEnveloppe = 100;
    A("ToolEnvelopeItem")->trigger();
    ASSERT_EQ(p.messages.size(), 1u);
    EXPECT_EQ(p.messages[0], QStringLiteral("Insérez une enveloppe dans l'imprimante"));
    ASSERT_EQ(enregistree.travaux.size(), 1u);
    EXPECT_EQ(enregistree.travaux[0].orientation, Orientation::Paysage);
    EXPECT_TRUE(Contient(enregistree.travaux[0], "Dupont"));
    EXPECT_TRUE(Contient(enregistree.travaux[0], "Kyr Informatique"));
    EXPECT_EQ(enregistree.orientation, Orientation::Portrait);
    A("ToolPrintItem")->trigger();
    EXPECT_EQ(enregistree.travaux[1].orientation, Orientation::Portrait);
}

TEST_F(Impression, NoPrinterOffersThePdfExportInTheBooksFolder) {
    ForceImprimanteInstallee(false);
    Ouvre();
    p.reponses = {Bouton::Oui};
    p.nomsEnregistrer = {dossier.chemin(QStringLiteral("Facture 200103001.pdf"))};
    A("ToolPrintItem")->trigger();
    ASSERT_EQ(p.questions.size(), 1u);
    EXPECT_TRUE(p.questions[0].texte.startsWith("Aucune imprimante n'est installée."));
    EXPECT_TRUE(enregistree.travaux.empty());
    ASSERT_EQ(p.proposes.size(), 1u);
    EXPECT_EQ(p.proposes[0], dossier.chemin(QStringLiteral("Facture 200103001.pdf")));
    EXPECT_TRUE(QFile::exists(p.proposes[0]));
}

TEST_F(Impression, ExportPdfProposesKindAndNumberInTheBooksFolder) {
    Ouvre();
    p.nomsEnregistrer = {dossier.chemin(QStringLiteral("sortie"))};
    A("FileExportPdfItem")->trigger();
    ASSERT_EQ(p.proposes.size(), 1u);
    EXPECT_EQ(p.proposes[0], dossier.chemin(QStringLiteral("Facture 200103001.pdf")));
    EXPECT_TRUE(QFile::exists(dossier.chemin(QStringLiteral("sortie.pdf"))));
    EXPECT_TRUE(p.erreurs.empty());
}

TEST_F(Impression, PreviewShowsTheShownDocument) {
    Ouvre();
    int pages = 0;
    QuandModal([&pages](QWidget* d) {
        auto* apercu = d->findChild<QPrintPreviewWidget*>();
        ASSERT_NE(apercu, nullptr);
        QTRY_VERIFY(apercu->pageCount() > 0);
        pages = apercu->pageCount();
        static_cast<QDialog*>(d)->reject();
    });
    A("FilePreviewItem")->trigger();
    EXPECT_EQ(pages, 1);
    EXPECT_TRUE(enregistree.travaux.empty());
}

// An invoice is issued the first time it leaves the program, by whichever
// route; the preview issues nothing, nor does a cancelled dialog, nor a quote.
TEST_F(Impression, EachRouteOutIssuesTheInvoiceOnce) {
    const QString registre = NomRegistre(livre);
    const auto entrees = [&registre] { return LitRegistre(registre).Entrees.size(); };
    struct Route {
        const char* nom;
        std::function<void()> sort;
        std::size_t emis; // entries once it has run
    };
    const Route routes[] = {
        {"aperçu",
         [this] {
             QuandModal([](QWidget* d) { static_cast<QDialog*>(d)->reject(); });
             A("FilePreviewItem")->trigger();
         },
         0},
        {"impression annulée",
         [this] {
             QuandModal([](QWidget* d) { static_cast<QDialog*>(d)->reject(); });
             A("FilePrintItem")->trigger();
         },
         0},
        {"PDF annulé", [this] { A("FileExportPdfItem")->trigger(); }, 0},
        {"bouton Imprimer facture", [this] { A("ToolPrintItem")->trigger(); }, 1},
        {"imprimer, deux copies",
         [this] {
             CopiesPuisOK(2);
             A("FilePrintItem")->trigger();
         },
         1},
        {"export PDF",
         [this] {
             p.nomsEnregistrer = {dossier.chemin(QStringLiteral("f.pdf"))};
             A("FileExportPdfItem")->trigger();
         },
         1},
    };
    for (const Route& r : routes) {
        QFile::remove(registre);
        Ouvre(); // the book read again with no register
        r.sort();
        EXPECT_EQ(entrees(), r.emis) << r.nom;
        EXPECT_EQ(w->facture()->logique().EmissionCourante.has_value(), r.emis == 1) << r.nom;
    }
    // Printed again, an issued invoice adds nothing.
    A("ToolPrintItem")->trigger();
    EXPECT_EQ(entrees(), 1u);
    // A quote is never issued.
    Lignes devis = test::LivreSimple("Dupont");
    devis[1] = "NUMD200103001";
    devis[5] = "Devis    ";
    EcritFichier(livre, devis);
    QFile::remove(registre);
    Ouvre();
    A("ToolPrintItem")->trigger();
    EXPECT_FALSE(QFile::exists(registre));
    EXPECT_EQ(enregistree.travaux.size(), 5u); // 1 + 2 copies + 1 + 1
    EXPECT_TRUE(p.erreurs.empty());
    EXPECT_TRUE(p.messages.empty());
}

TEST_F(Impression, MiseEnPageStoresTheAnswerInTheSettings) {
    QuandModal([](QWidget* d) {
        EXPECT_EQ(d->windowTitle(), QStringLiteral("Mise en page"));
        d->findChild<QRadioButton*>(QStringLiteral("RadioGroup1Item1"))->setChecked(true);
        QTest::keyClick(d, Qt::Key_Return);
    });
    A("FilePageSetupItem")->trigger();
    EXPECT_EQ(w->facture()->logique().reglages.TypePapier, 1);
}

TEST_F(Impression, AnInvoiceOfThreeRatesPrintsItsVatTableAndTheEInvoicesLines) {
    Ouvre();
    Facture& f = w->facture()->logique();
    f.reglages.TauxTVA = {0, 20, 10, 5.5L};
    f.fiche.Cellules[1] = {"Travaux", "1", "100", "", "", "1"};
    f.fiche.Cellules[2] = {"Fournitures", "3", "12,30", "", "", "2"};
    f.fiche.Cellules[3] = {"Livres", "2", "9,99", "", "", "3"};
    w->facture()->Calcule();
    const auto imprime = [&] {
        enregistree.travaux.clear();
        A("ToolPrintItem")->trigger();
        EXPECT_EQ(enregistree.travaux.size(), 1u);
        std::vector<std::string> textes;
        for (const auto& t : enregistree.travaux.back().traces)
            if (t.sorte == test::Trace::Texte) textes.push_back(t.texte);
        return textes;
    };
    const auto contient = [](const std::vector<std::string>& t, const std::string& x) {
        return std::find(t.begin(), t.end(), x) != t.end();
    };
    // The window's figures, rate by rate; without the e-invoice's data, nothing else.
    std::vector<std::string> t = imprime();
    for (const char* x : {"Taux de TVA", "20 %", "100,00", "20,00", "10 %", "36,90", "3,69",
                          "5,5 %", "19,98", "1,10"})
        EXPECT_TRUE(contient(t, x)) << x;
    EXPECT_TRUE(contient(t, "156,88")); // the window's totals, as shown
    EXPECT_TRUE(contient(t, "24,79"));
    for (const auto& x : t)
        EXPECT_EQ(x.find("Nature de l'op"), std::string::npos) << x;

    // The seller's data, the buyer remembered for the client and the
    // document's choices beside the book.
    Vendeur v = VendeurNeuf();
    v.CadreFacturation = Cadre::Services;
    v.OptionDebits = true;
    SauveVendeur(v);
    Acheteur a;
    a.Nom = "Dupont";
    a.Siren = "443061841";
    SauveAcheteurs({{"10002", a}});
    SauveDonneesDocuments(
        {{"F 200103001",
          {Cadre::Mixte, AdresseLivraison{"Chantier", "3 rue du Port", "69007", "Lyon", "FR"}}}},
        dossier.chemin("a.fxd"));
    t = imprime();
    // Wrapped to the column: read as one text.
    std::string tout;
    for (const auto& x : t)
        tout += x + " ";
    for (const char* x : {"Client : SIREN 443 061 841",
                          "Adresse de livraison : Chantier, 3 rue du Port, 69007 Lyon",
                          "Nature de l'op\xE9ration : livraison de biens et prestation de services",
                          "Option pour le paiement de la taxe d'apr\xE8s les d\xE9"
                          "bits"})
        EXPECT_NE(tout.find(x), std::string::npos) << x << "\n" << tout;

    // Totals not recomputed since a change: no table that would contradict them.
    f.fiche.Cellules[3][1] = "5";
    t = imprime();
    EXPECT_FALSE(contient(t, "Taux de TVA"));
    // A quote prints as it always has.
    f.fiche.Genre = GenreDevis;
    w->facture()->Calcule();
    t = imprime();
    EXPECT_FALSE(contient(t, "Taux de TVA"));
    for (const auto& x : t)
        EXPECT_EQ(x.find("SIREN"), std::string::npos) << x;
    EXPECT_TRUE(p.erreurs.empty());
}

} // namespace kyr
