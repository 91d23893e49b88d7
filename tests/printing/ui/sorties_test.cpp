// The outputs of a drawing: print dialog with copies, the program's printer
// without a dialog, no printer installed, the print preview, the PDF export.
#include "book/ui/dialogue_modal.h"
#include "common/erreurs.h"
#include "printing/document.h"
#include "printing/ui/sorties.h"
#include "support/attente.h"
#include "support/dossier_temporaire.h"
#include "support/octets_fichier.h"
#include "support/panne_ecriture.h"
#include "support/plateforme_fausse.h"
#include "support/surface_enregistree.h"

#include <QAction>
#include <QDialog>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QPrintPreviewWidget>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>
#include <QToolBar>
#include <gtest/gtest.h>

using namespace kyr;
using test::ImprimanteEnregistree;
using test::QuandModal;

namespace {

Fiche Document(int lignes) {
    Fiche f;
    f.Numero = "200001004";
    f.Date = QDate(2000, 1, 15);
    f.Genre = GenreFacture;
    for (int r = 1; r <= lignes; ++r)
        f.Cellules[r] = {"Ligne " + std::to_string(r), "1", "1,00", "", "1,00", "1"};
    return f;
}

DessinImpression Dessin(int lignes) {
    return [lignes](Imprimante& i) {
        ImprimeDocument(i, Document(lignes), lignes + 1, LignesSociete{"Kyr"}, PapierBlanc);
    };
}

class Sorties : public ::testing::Test {
protected:
    test::DossierTemporaire dossier;
    test::PlateformeFausse plateforme;
    ImprimanteEnregistree enregistree;

    void SetUp() override { ForceImprimante(&enregistree); }
    void TearDown() override {
        ForceImprimante(nullptr);
        ForceImprimanteInstallee(std::nullopt);
    }
    QString Pdf(const char* nom) const { return dossier.chemin(QString::fromLatin1(nom)); }
};

// Sets the print dialog's copies as the user types them, then presses its OK.
void CopiesPuisOK(int copies) {
    QuandModal([copies](QWidget* w) {
        auto* boite = w->findChild<QSpinBox*>(QStringLiteral("copies"));
        ASSERT_NE(boite, nullptr);
        boite->setFocus();
        boite->selectAll();
        QTest::keyClicks(boite, QString::number(copies));
        auto* boutons = w->findChild<QDialogButtonBox*>();
        ASSERT_NE(boutons, nullptr);
        boutons->button(QDialogButtonBox::Ok)->click();
    });
}

} // namespace

TEST_F(Sorties, PrintDialogWithThreeCopiesRunsThreeJobs) {
    ForceImprimanteInstallee(true);
    CopiesPuisOK(3);
    EXPECT_EQ(Imprimer(nullptr, plateforme, Dessin(2), Pdf("x.pdf")), 3);
    EXPECT_EQ(enregistree.travaux.size(), 3u);
    for (const auto& t : enregistree.travaux)
        EXPECT_EQ(t.orientation, Orientation::Portrait);
    EXPECT_TRUE(plateforme.questions.empty());

    // Once: the tool button's print, without a dialog.
    enregistree.travaux.clear();
    EXPECT_EQ(ImprimerDirect(plateforme, Dessin(2), Pdf("x.pdf")), 1);
    EXPECT_EQ(enregistree.travaux.size(), 1u);
}

TEST_F(Sorties, CancelledPrintDialogPrintsNothing) {
    ForceImprimanteInstallee(true);
    QuandModal([](QWidget* w) { static_cast<QDialog*>(w)->reject(); });
    EXPECT_EQ(Imprimer(nullptr, plateforme, Dessin(2), Pdf("x.pdf")), 0);
    EXPECT_TRUE(enregistree.travaux.empty());
}

TEST_F(Sorties, NoPrinterSaysSoAndOffersThePdfExport) {
    ForceImprimanteInstallee(false);
    plateforme.reponses = {Bouton::Non};
    EXPECT_EQ(Imprimer(nullptr, plateforme, Dessin(2), Pdf("Facture 200001004.pdf")), 0);
    ASSERT_EQ(plateforme.questions.size(), 1u);
    EXPECT_TRUE(plateforme.questions[0].texte.startsWith(
        QStringLiteral("Aucune imprimante n'est installée.")));
    EXPECT_EQ(plateforme.questions[0].boutons, (std::vector<Bouton>{Bouton::Oui, Bouton::Non}));
    EXPECT_FALSE(QFile::exists(Pdf("Facture 200001004.pdf")));
    EXPECT_TRUE(enregistree.travaux.empty());

    // "Oui": the save dialog, then the file.
    plateforme.reponses = {Bouton::Oui};
    plateforme.nomsEnregistrer = {Pdf("copie")};
    EXPECT_EQ(ImprimerDirect(plateforme, Dessin(2), Pdf("Facture 200001004.pdf")), 0);
    EXPECT_TRUE(QFile::exists(Pdf("copie.pdf")));
    EXPECT_TRUE(enregistree.travaux.empty());
}

TEST_F(Sorties, PdfExportAddsTheExtensionAndAsksBeforeReplacing) {
    plateforme.nomsEnregistrer = {Pdf("Facture 200001004")};
    EXPECT_EQ(ExporterPdf(plateforme, Dessin(2), Pdf("Facture 200001004.pdf")),
              Pdf("Facture 200001004.pdf"));
    QFile f(Pdf("Facture 200001004.pdf"));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_TRUE(f.readAll().startsWith("%PDF-"));
    f.close();
    const auto taille = f.size();

    // An existing file: "Ce fichier existe déjà", Annuler keeps it.
    plateforme.nomsEnregistrer = {Pdf("Facture 200001004.pdf")};
    plateforme.reponses = {Bouton::Annuler};
    EXPECT_TRUE(ExporterPdf(plateforme, Dessin(40), Pdf("y.pdf")).isEmpty());
    EXPECT_EQ(plateforme.questions.back().texte, QStringLiteral("Ce fichier existe déjà"));
    EXPECT_EQ(QFile(Pdf("Facture 200001004.pdf")).size(), taille);
    // OK replaces it (two pages now).
    plateforme.nomsEnregistrer = {Pdf("Facture 200001004.pdf")};
    plateforme.reponses = {Bouton::OK};
    EXPECT_FALSE(ExporterPdf(plateforme, Dessin(40), Pdf("y.pdf")).isEmpty());
    EXPECT_NE(QFile(Pdf("Facture 200001004.pdf")).size(), taille);
    // Cancelled save dialog: nothing.
    EXPECT_TRUE(ExporterPdf(plateforme, Dessin(2), Pdf("z.pdf")).isEmpty());
    EXPECT_FALSE(QFile::exists(Pdf("z.pdf")));
}

TEST_F(Sorties, UnwritablePdfIsARunTimeError) {
    EXPECT_THROW(EcritPdf(Pdf("absent/x.pdf"), Dessin(2)), ErreurExecution);
}

TEST_F(Sorties, AFailedPdfWriteLeavesTheOldFile) {
    EcritPdf(Pdf("x.pdf"), Dessin(2));
    const std::string avant = test::OctetsFichier(Pdf("x.pdf"));
    for (const EtapeEcriture etape : test::EtapesEcriture) {
        SCOPED_TRACE(test::NomEtape(etape));
        test::PanneEcritureSimulee panne(etape);
        try {
            EcritPdf(Pdf("x.pdf"), Dessin(40));
            ADD_FAILURE() << "no error";
        } catch (const ErreurExecution& e) {
            EXPECT_EQ(e.message(), QStringLiteral("Ne peut créer le fichier %1. %2")
                                       .arg(Pdf("x.pdf"), test::CauseEtape(etape)));
        }
        EXPECT_EQ(test::OctetsFichier(Pdf("x.pdf")), avant);
        EXPECT_EQ(QDir(dossier.path()).entryList(QDir::Files), QStringList{"x.pdf"});
    }
    // A drawing that fails half-way writes nothing either.
    const DessinImpression casse = [](Imprimante& i) {
        i.DebutTravail();
        throw ErreurExecution::Debordement();
    };
    EXPECT_THROW(EcritPdf(Pdf("x.pdf"), casse), ErreurExecution);
    EXPECT_EQ(test::OctetsFichier(Pdf("x.pdf")), avant);
}

TEST_F(Sorties, PreviewShowsEveryPageOfThePdfPage) {
    int pages = -1;
    QString titre;
    bool orientationVisible = true;
    QuandModal([&](QWidget* w) {
        titre = w->windowTitle();
        auto* apercu = w->findChild<QPrintPreviewWidget*>();
        ASSERT_NE(apercu, nullptr);
        test::Attend([&] { return apercu->pageCount() > 0; });
        pages = apercu->pageCount();
        auto* barre = w->findChild<QToolBar*>();
        int separateurs = 0;
        orientationVisible = false;
        for (QAction* a : barre->actions()) {
            if (a->isSeparator())
                ++separateurs;
            else if (separateurs == 2 && a->isVisible())
                orientationVisible = true;
        }
        EXPECT_NE(w->findChild<QAction*>(QStringLiteral("ApercuImprimer")), nullptr);
        static_cast<QDialog*>(w)->reject();
    });
    Apercu(nullptr, plateforme, Dessin(40), Pdf("x.pdf"));
    EXPECT_EQ(titre, QStringLiteral("Aperçu avant impression"));
    EXPECT_EQ(pages, 2);
    EXPECT_FALSE(orientationVisible);
    EXPECT_TRUE(plateforme.erreurs.empty());
}

TEST_F(Sorties, PreviewPrintButtonGoesToThePrintDialog) {
    ForceImprimanteInstallee(true);
    QuandModal([](QWidget* w) {
        auto* imprimer = w->findChild<QAction*>(QStringLiteral("ApercuImprimer"));
        ASSERT_NE(imprimer, nullptr);
        CopiesPuisOK(2);
        imprimer->trigger();
    });
    Apercu(nullptr, plateforme, Dessin(2), Pdf("x.pdf"));
    EXPECT_EQ(enregistree.travaux.size(), 2u);
}
