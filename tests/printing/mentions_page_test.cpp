// The VAT table and the e-invoice's lines of a printed invoice: the window's
// figures per rate, drawn in the free column left of the address without
// moving or covering anything the page already has.
#include "book/calcul.h"
#include "printing/document.h"
#include "printing/mentions_page.h"
#include "support/surface_enregistree.h"

#include <gtest/gtest.h>

using namespace kyr;
using test::SurfaceEnregistree;
using test::Trace;

namespace {

int Largeur7(const std::string& s) {
    return static_cast<int>(s.size()) * 7;
}

Reglages Taux(long double t1, long double t2, long double t3) {
    Reglages r;
    r.TauxTVA = {0, t1, t2, t3};
    return r;
}

// A document of rows (quantity, price, code), computed as the window does.
Fiche Document(const std::vector<Rangee>& rangees, const Reglages& r, bool ttc = false) {
    Fiche f;
    f.Numero = "202603001";
    f.Date = QDate(2026, 3, 2);
    f.Adresse = {"Garage du Centre", "4 place de la Gare", "69002 Lyon", ""};
    f.TTC = ttc;
    for (std::size_t i = 0; i < rangees.size(); ++i)
        f.Cellules[i + 1] = rangees[i];
    Calcule(f, r, Largeur7);
    return f;
}

// The bounding box of a recorded text, in device units (10 a millimetre;
// the fake's 20 units a byte; the font's height in points).
struct Boite {
    int x1, y1, x2, y2;
    bool Touche(const Boite& b) const { return x1 < b.x2 && b.x1 < x2 && y1 < b.y2 && b.y1 < y2; }
};
Boite BoiteDe(const Trace& t) {
    return {t.x1, t.y1, t.x1 + 20 * static_cast<int>(t.texte.size()),
            t.y1 + t.police.Points * 254 / 720};
}

} // namespace

TEST(ParTaux, OneRowPerRateUsedFromTheWindowsCalculation) {
    struct Cas {
        const char* nom;
        Reglages r;
        std::vector<Rangee> rangees;
        bool ttc;
        std::vector<TauxImprime> attendu;
    };
    const std::vector<Cas> cas = {
        {"trois taux",
         Taux(20, 10, 5.5L),
         {{"a", "3", "10", "", "", "1"},
          {"b", "2", "7,35", "", "", "2"},
          {"c", "1", "19,99", "", "", "3"},
          {"d", "1", "1,01", "", "", "1"}},
         false,
         {{"20", "31,01", "6,20"}, {"10", "14,70", "1,47"}, {"5,5", "19,99", "1,10"}}},
        // Codes 1 and 3 at one rate are one rate; code 2 has no line.
        {"deux codes au même taux",
         Taux(20, 10, 20),
         {{"a", "1", "10", "", "", "1"}, {"b", "1", "5", "", "", "3"}},
         false,
         {{"20", "15,00", "3,00"}}},
        // Prices including tax: the amount before tax of each rate.
        {"TTC",
         Taux(20, 5.5L, 0),
         {{"a", "1", "12", "", "", "1"}, {"b", "1", "10,55", "", "", "2"}},
         true,
         {{"20", "10,00", "2,00"}, {"5,5", "10,00", "0,55"}}},
        {"vide", Taux(20, 10, 5.5L), {}, false, {}},
    };
    for (const auto& c : cas) {
        Fiche f = Document(c.rangees, c.r, c.ttc);
        const Ventilation v = Calcule(f, c.r, {});
        EXPECT_EQ(ParTauxDuCalcul(v, c.r), c.attendu) << c.nom;
    }
}

TEST(Complements, InTheFreeColumnWithoutMovingOrCoveringAnything) {
    Fiche f = Document({{"a", "3", "10", "", "", "1"},
                        {"b", "2", "7,35", "", "", "2"},
                        {"c", "1", "19,99", "", "", "3"}},
                       Taux(20, 10, 5.5L));
    f.Memo = {"Merci"};
    const LignesSociete societe = {"Kyr Informatique", "12 rue des Lilas",
                                   "69003 Lyon",       "T\xE9l. 04 78 00 00 00",
                                   "SIRET 123",        "",
                                   "RCS Lyon"};
    ComplementsPage c;
    c.ParTaux = {{"20", "30,00", "6,00"}, {"10", "14,70", "1,47"}, {"5,5", "19,99", "1,10"}};
    c.Lignes = {"Client : SIREN 443 061 841 - N\xB0 TVA FR64443061841 - Adresse \xE9lectronique "
                "443061841",
                "Adresse de livraison : Entrep\xF4t Nord, 3 rue du Port, 69007 Lyon",
                "Nature de l'op\xE9ration : prestation de services",
                "Option pour le paiement de la taxe d'apr\xE8s les d\xE9"
                "bits"};
    for (int papier : {PapierBlanc, PapierEnTete, PapierImprime}) {
        SurfaceEnregistree sans, avec;
        DessineDocument(sans, f, 5, societe, papier);
        DessineDocument(avec, f, 5, societe, papier, c);
        // Everything the page had, in the same place, then the complements.
        const auto avant = sans.De(Trace::Texte);
        const auto apres = avec.De(Trace::Texte);
        ASSERT_GT(apres.size(), avant.size());
        for (std::size_t i = 0; i < avant.size(); ++i) {
            EXPECT_EQ(apres[i].texte, avant[i].texte);
            EXPECT_EQ(apres[i].x1, avant[i].x1);
            EXPECT_EQ(apres[i].y1, avant[i].y1);
        }
        std::string lu;
        for (std::size_t i = avant.size(); i < apres.size(); ++i) {
            const Trace& t = apres[i];
            lu += t.texte + "|";
            EXPECT_EQ(t.police.Points, 7) << t.texte;
            EXPECT_GE(t.x1, 200) << t.texte;           // from 20 mm
            EXPECT_LE(BoiteDe(t).x2, 1120) << t.texte; // to 112 mm
            EXPECT_GE(t.y1, 410) << t.texte;           // from 38 mm (+3)
            EXPECT_LE(t.y1, 760) << t.texte;           // to 73 mm (+3)
            for (const Trace& autre : avant)
                EXPECT_FALSE(BoiteDe(t).Touche(BoiteDe(autre))) << t.texte << " / " << autre.texte;
            for (std::size_t j = avant.size(); j < i; ++j)
                EXPECT_FALSE(BoiteDe(t).Touche(BoiteDe(apres[j])))
                    << t.texte << " / " << apres[j].texte;
        }
        // The table's rows in order, its last row at 73 mm; the lines wrapped above it.
        EXPECT_NE(lu.find("Taux de TVA|Base H.T.|Montant TVA|20 %|30,00|6,00|10 %|14,70|1,47|"
                          "5,5 %|19,99|1,10|"),
                  std::string::npos)
            << lu;
        EXPECT_EQ(apres.back().y1, 760);
        EXPECT_NE(lu.find("Client : SIREN 443 061 841"), std::string::npos) << lu;
        EXPECT_NE(lu.find("d\xE9"
                          "bits"),
                  std::string::npos)
            << lu;
    }
}

TEST(Complements, OneRateHasNoTableAndAContinuedDocumentSplitsThem) {
    ComplementsPage c;
    c.ParTaux = {{"20", "30,00", "6,00"}};
    c.Lignes = {"Nature de l'op\xE9ration : livraison de biens"};
    Fiche f = Document({{"a", "3", "10", "", "", "1"}}, Taux(20, 10, 5.5L));
    SurfaceEnregistree une;
    DessineDocument(une, f, 2, {}, PapierBlanc, c);
    for (const auto& t : une.Textes())
        EXPECT_NE(t, "Taux de TVA");

    // Forty lines: the lines with the address on page 1, the table with the totals on page 2.
    for (int r = 1; r <= 40; ++r)
        f.Cellules[r] = {"Ligne", "1", "1,00", "", "1,00", r % 2 ? "1" : "2"};
    c.ParTaux.push_back({"10", "20,00", "2,00"});
    SurfaceEnregistree deux;
    DessineDocument(deux, f, 41, {}, PapierBlanc, c);
    int page = 1, pageLignes = 0, pageTableau = 0;
    for (const auto& t : deux.traces) {
        if (t.sorte == Trace::Page) ++page;
        if (t.texte == c.Lignes[0]) pageLignes = page;
        if (t.texte == "Taux de TVA") pageTableau = page;
    }
    EXPECT_EQ(page, 2);
    EXPECT_EQ(pageLignes, 1);
    EXPECT_EQ(pageTableau, 2);
}

TEST(Complements, LinesThatDoNotFitAboveTheTableAreLeftOut) {
    ComplementsPage c;
    c.ParTaux = {{"20", "1,00", "0,20"}, {"10", "1,00", "0,10"}, {"5,5", "1,00", "0,06"}};
    for (int i = 0; i < 12; ++i)
        c.Lignes.push_back("Ligne " + std::to_string(i));
    SurfaceEnregistree s;
    DessineComplements(s, c, true, true);
    std::vector<std::string> lignes;
    for (const auto& t : s.De(Trace::Texte))
        if (t.texte.rfind("Ligne", 0) == 0) lignes.push_back(t.texte);
    // From 38 to 61 mm, a row above the table's heading at 64.
    ASSERT_EQ(lignes.size(), 8u);
    EXPECT_EQ(lignes.back(), "Ligne 7");
}
