// The legal mentions at the foot of the e-invoice's page, and the lines the
// e-invoice's data add beside the address of a printed invoice.
#include "einvoice/documents.h"
#include "einvoice/fichiers_tiers.h"
#include "einvoice/mentions.h"
#include "printing/document.h"
#include "support/dossier_temporaire.h"
#include "support/surface_enregistree.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

using namespace kyr;
using namespace kyr::test;

namespace {

FactureElectronique Fe(const std::string& nom) {
    for (const auto& d : DocumentsTest())
        if (d.Nom == nom) return std::get<FactureElectronique>(d.Construit());
    ADD_FAILURE() << nom;
    return {};
}

} // namespace

TEST(Mentions, WhatEachDocumentSays) {
    // (document, mention expected, mention not expected)
    const std::vector<std::tuple<std::string, std::string, std::string>> cas = {
        {"remises",
         "SIREN 732 829 320 - SIRET 732 829 320 00074 - N\xB0 TVA FR44732829320 - \xC9"
         "ch\xE9"
         "ance : 15/10/2026",
         "TVA non applicable"},
        {"exemple",
         "Pay\xE9"
         "e le 15/01/2000",
         "\xC9"
         "ch\xE9"
         "ance"},
        {"avoir", "Avoir sur la facture N\xB0 202601006 du 15/09/2026", "TVA non applicable"},
        {"payee", "Livraison : 18/09/2026", "TVA non applicable"},
        {"remises",
         "\xC9"
         "ch\xE9"
         "ance",
         "Livraison"}, // delivered the day of the invoice: not said
        {"franchise", MentionFranchise, "N\xB0 TVA"},
    };
    for (const auto& [nom, present, absent] : cas) {
        const auto m = Mentions(Fe(nom));
        std::string tout;
        for (const auto& l : m)
            tout += l + "|";
        EXPECT_NE(tout.find(present), std::string::npos) << nom << " : " << tout;
        EXPECT_EQ(tout.find(absent), std::string::npos) << nom << " : " << tout;
        EXPECT_EQ(m.back(), NoteEscompteUsuelle);
    }
}

TEST(Mentions, WrappedInsideTheFrameAndAboveTheFootOfThePage) {
    SurfaceEnregistree s;
    FactureElectronique fe = Fe("avoir");
    fe.Vend.Franchise = true;
    fe.Vend.NotePenalites = std::string(60, 'x') + " " + std::string(60, 'y'); // two lines
    DessineMentions(s, fe);
    const auto textes = s.De(Trace::Texte);
    // Room for five lines: the identifiers (two at this width), the credit
    // note, the exemption, the first half of the penalties; the rest is in the XML.
    ASSERT_EQ(textes.size(), 5u);
    EXPECT_EQ(textes[3].texte, MentionFranchise);
    EXPECT_EQ(textes[4].texte, std::string(60, 'x'));
    for (const auto& t : textes) {
        EXPECT_EQ(t.police.Points, 7);
        EXPECT_GE(t.x1, Mh(s, 20));
        EXPECT_LE(t.x1 + s.LargeurTexte(t.texte), Mh(s, 190)) << t.texte;
        EXPECT_LE(t.y1, Mv(s, 290));
    }
}

TEST(Mentions, TheLinesBesideTheAddress) {
    Acheteur particulier;
    particulier.Professionnel = false;
    particulier.AdresseElectronique = "claire.martin@example.fr";
    const AdresseLivraison ailleurs{"Chantier Dupont", "3 rue du Port", "69007", "Lyon", "FR"};
    const AdresseLivraison belge{"", "Rue Neuve 1", "1000", "Bruxelles", "BE"};
    const Acheteur entreprise = AcheteurTest();
    struct Cas {
        const Acheteur* acheteur;
        std::optional<AdresseLivraison> lieu;
        Cadre nature;
        bool debits;
        std::vector<std::string> attendu;
    };
    const std::vector<Cas> cas = {
        {&entreprise,
         std::nullopt,
         Cadre::Biens,
         false,
         {"Client : SIREN 443 061 841 - N\xB0 TVA FR64443061841 - Adresse \xE9lectronique "
          "443061841",
          "Nature de l'op\xE9ration : livraison de biens"}},
        {&particulier,
         ailleurs,
         Cadre::Services,
         true,
         {"Client : Courriel claire.martin@example.fr",
          "Adresse de livraison : Chantier Dupont, 3 rue du Port, 69007 Lyon",
          "Nature de l'op\xE9ration : prestation de services",
          "Option pour le paiement de la taxe d'apr\xE8s les d\xE9"
          "bits"}},
        {nullptr,
         belge,
         Cadre::Mixte,
         false,
         {"Adresse de livraison : Rue Neuve 1, 1000 Bruxelles, BE",
          "Nature de l'op\xE9ration : livraison de biens et prestation de services"}},
    };
    for (const auto& c : cas)
        EXPECT_EQ(LignesEFacture(c.acheteur, c.lieu, c.nature, c.debits), c.attendu);
}

TEST(Mentions, TheEInvoicesPageTakesItsTableAndLinesFromTheEInvoice) {
    const FactureElectronique fe = Fe("debits");
    ASSERT_EQ(fe.Tva.size(), 3u);
    const ComplementsPage c = ComplementsDeLaPage(fe);
    ASSERT_EQ(c.ParTaux.size(), 3u);
    for (std::size_t i = 0; i < fe.Tva.size(); ++i) {
        EXPECT_EQ(c.ParTaux[i].Base, TextePage(fe.Tva[i].Base));
        EXPECT_EQ(c.ParTaux[i].Tva, TextePage(fe.Tva[i].Montant));
    }
    EXPECT_EQ(c.ParTaux[0].Taux, "20");
    EXPECT_EQ(c.ParTaux[1].Taux, "5,5");
    EXPECT_EQ(c.Lignes, LignesEFacture(&fe.Ach, fe.Autres.LieuLivraison, Cadre::Services, true));
}

TEST(Mentions, APaperPrintReadsTheSellerTheBuyerAndTheDocumentsChoices) {
    DossierTemporaire dossier;
    PlateformeFausse p;
    const QString livre = dossier.chemin("livre.fct");
    Fiche f = FicheTest("202601012", QDate(2026, 9, 25), {{"a", "1", "10", "", "", "1"}},
                        ReglagesEuros());
    // Without the seller's e-invoice data, nothing.
    EXPECT_TRUE(LignesImpression(f, livre, p).empty());

    Vendeur v = VendeurTest();
    v.OptionDebits = true;
    SauveVendeur(v);
    // The seller's setting only: no buyer remembered, no choice made.
    EXPECT_EQ(LignesImpression(f, livre, p),
              LignesEFacture(nullptr, std::nullopt, Cadre::Mixte, true));

    SauveAcheteurs({{"10002", AcheteurTest()}});
    const AdresseLivraison lieu{"Chantier Dupont", "3 rue du Port", "69007", "Lyon", "FR"};
    SauveDonneesDocuments({{"F 202601012", {Cadre::Biens, lieu}}}, dossier.chemin("livre.fxd"));
    const Acheteur a = AcheteurTest();
    EXPECT_EQ(LignesImpression(f, livre, p), LignesEFacture(&a, lieu, Cadre::Biens, false));
    // Another document of the same number is another document; a quote prints nothing new.
    f.Genre = GenreAvoir;
    EXPECT_EQ(LignesImpression(f, livre, p), LignesEFacture(&a, std::nullopt, Cadre::Mixte, true));
    f.Genre = GenreDevis;
    EXPECT_TRUE(LignesImpression(f, livre, p).empty());
    // A book without a file: the seller and the buyer only.
    f.Genre = GenreFacture;
    EXPECT_EQ(LignesImpression(f, {}, p), LignesEFacture(&a, std::nullopt, Cadre::Mixte, true));
    EXPECT_TRUE(p.erreurs.empty());

    // An unreadable documents' file is reported and counts as missing.
    QFile::remove(dossier.chemin("livre.fxd"));
    ASSERT_TRUE(QDir().mkdir(dossier.chemin("livre.fxd")));
    EXPECT_EQ(LignesImpression(f, livre, p), LignesEFacture(&a, std::nullopt, Cadre::Mixte, true));
    EXPECT_EQ(p.erreurs.size(), 1u);
}
