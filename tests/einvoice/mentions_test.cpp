// The legal mentions at the foot of the e-invoice's page.
#include "einvoice/documents.h"
#include "einvoice/mentions.h"
#include "printing/document.h"
#include "support/surface_enregistree.h"

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
        {"remises", "\xC9"
                    "ch\xE9"
                    "ance", "Livraison"}, // delivered the day of the invoice: not said
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
