// The printed document and envelope, recorded in device units on a page of
// 10 pixels a millimetre: Mh(x) = 10x, Mv(y) = 10(y + 3); every text is 20
// units a byte wide.
#include "printing/document.h"
#include "support/plateforme_fausse.h"
#include "support/surface_enregistree.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace kyr;
using test::ImprimanteEnregistree;
using test::SurfaceEnregistree;
using test::Trace;

namespace {

const Police Normal10{"Arial", 10, false};
const Police Gras10{"Arial", 10, true};
const Police Normal12{"Arial", 12, false};
const Police Gras12{"Arial", 12, true};

int X(int mm) {
    return 10 * mm;
}
int Y(int mm) {
    return 10 * (mm + 3);
}

const LignesSociete Societe = {
    "Kyr Informatique", "12 rue des Lilas", "69003 Lyon", "T\xE9l. 04 78 00 00 00", "SIRET 123", "",
    "RCS Lyon"};

// The worked example of the book format: invoice 200001004, two lines, a memo.
Fiche Exemple() {
    Fiche f;
    f.Numero = "200001004";
    f.Date = QDate(2000, 1, 15);
    f.CodeClient = "10002";
    f.Conditions = "R\xE9glement \xE0 30 jours";
    f.Genre = GenreFacture;
    f.Adresse = {"Garage du Centre", "4 place de la Gare", "69002 Lyon", ""};
    f.Cellules[1] = {"Vidange moteur", "    1", "   45,00", "", "   45,00", "1"};
    f.Cellules[2] = {"Filtre \xE0 huile", "    2", "   12,50", "  10", "   22,50", "1"};
    f.Memo = {"Merci de votre confiance"};
    f.TotalHT = "67,50";
    f.TotalTVA = "13,91";
    f.TotalTTC = "81,41";
    f.TotalConverti = "12,41";
    f.Devise1 = "Francs";
    f.Devise2 = "Euros";
    return f;
}

// A document of n lines numbered "Ligne 1", "Ligne 2"... (plus the empty
// entry row that the window always has after the last line).
Fiche DeLignes(int n) {
    Fiche f = Exemple();
    f.Memo.clear();
    for (int r = 1; r < NbRangees; ++r)
        f.Cellules[r] = {};
    for (int r = 1; r <= n; ++r)
        f.Cellules[r] = {"Ligne " + std::to_string(r), "1", "1,00", "", "1,00", "1"};
    return f;
}

const Trace* Texte(const std::vector<Trace>& traces, const std::string& t) {
    for (const Trace& x : traces)
        if (x.sorte == Trace::Texte && x.texte == t) return &x;
    return nullptr;
}

// Checks a text's place (device units) and font.
void Place(const std::vector<Trace>& traces, const std::string& t, int x, int y,
           const Police& police) {
    const Trace* tr = Texte(traces, t);
    ASSERT_NE(tr, nullptr) << t;
    EXPECT_EQ(tr->x1, x) << t;
    EXPECT_EQ(tr->y1, y) << t;
    EXPECT_EQ(tr->police, police) << t;
}

// The traces of each page.
std::vector<std::vector<Trace>> Pages(const std::vector<Trace>& traces) {
    std::vector<std::vector<Trace>> pages(1);
    for (const Trace& t : traces) {
        if (t.sorte == Trace::Page)
            pages.emplace_back();
        else
            pages.back().push_back(t);
    }
    return pages;
}

std::vector<Trace> De(const std::vector<Trace>& traces, Trace::Sorte s) {
    std::vector<Trace> r;
    std::copy_if(traces.begin(), traces.end(), std::back_inserter(r),
                 [s](const Trace& t) { return t.sorte == s; });
    return r;
}

SurfaceEnregistree Dessine(const Fiche& f, int nbLignes, int typePapier) {
    SurfaceEnregistree s;
    DessineDocument(s, f, nbLignes, Societe, typePapier);
    return s;
}

} // namespace

TEST(Mesures, WholePixelsPerMillimetreAndThreeMillimetresLower) {
    SurfaceEnregistree s;
    EXPECT_EQ(Mh(s, 20), 200);
    EXPECT_EQ(Mv(s, 0), 30);
    EXPECT_EQ(Mv(s, 245), 2480);
    // A 600 dpi printer: 4960 x 7014 pixels on 210 x 297 mm gives 23, not 23.6.
    s.largeurPixels = 4960;
    s.largeurMm = 210;
    s.hauteurPixels = 7014;
    s.hauteurMm = 297;
    EXPECT_EQ(Mh(s, 100), 2300);
    EXPECT_EQ(Mv(s, 97), 2300);
    // A right-aligned text ends at its x.
    s.ChoisitPolice(Normal10);
    TexteADroite(s, 100, 10, "12,50");
    EXPECT_EQ(s.traces.back().x1, 2300 - 5 * 20);
}

TEST(Document, PlainPaperDrawsFrameHeadingsCompanyAndData) {
    const SurfaceEnregistree s = Dessine(Exemple(), 3, PapierBlanc);
    const auto& t = s.traces;
    EXPECT_TRUE(De(t, Trace::Page).empty());

    // Dessin: pen 2, the frame, then the lines in the form's order.
    ASSERT_EQ(t[0].sorte, Trace::Trait);
    EXPECT_EQ(t[0].x1, 2);
    ASSERT_EQ(t[1].sorte, Trace::Rectangle);
    EXPECT_EQ(std::vector<int>({t[1].x1, t[1].y1, t[1].x2, t[1].y2}),
              std::vector<int>({X(20), Y(90), X(190), Y(270)}));
    const std::vector<std::array<int, 4>> attendues = {
        {20, 100, 190, 100},  {20, 245, 190, 245},  {115, 90, 115, 245}, {125, 90, 125, 245},
        {150, 90, 150, 245},  {160, 90, 160, 245},  {185, 90, 185, 245}, {140, 245, 140, 270},
        {140, 257, 190, 257}, {105, 245, 105, 270}, {75, 245, 75, 270},  {75, 257, 105, 257}};
    const auto lignes = De(t, Trace::Ligne);
    ASSERT_EQ(lignes.size(), attendues.size());
    for (std::size_t i = 0; i < lignes.size(); ++i) {
        const auto& a = attendues[i];
        EXPECT_EQ(std::vector<int>({lignes[i].x1, lignes[i].y1, lignes[i].x2, lignes[i].y2}),
                  std::vector<int>({X(a[0]), Y(a[1]), X(a[2]), Y(a[3])}))
            << "ligne " << i;
    }
    Place(t, "D\xE9signation", X(22), Y(92), Gras10);
    Place(t, "Qt\xE9", X(116), Y(92), Gras10);
    Place(t, "Prix Unitaire", X(126), Y(92), Gras10);
    Place(t, "R (%)", X(151), Y(92), Gras10);
    Place(t, "Montant H.T.", X(161), Y(92), Gras10);
    EXPECT_EQ(Texte(t, "Montant TTC"), nullptr);
    Place(t, "T", X(186), Y(92), Gras10);
    Place(t, "Total H.T.", X(50), Y(248), Gras10);
    Place(t, "Total TVA", X(50), Y(261), Gras10);
    Place(t, "Total TTC", X(108), Y(255), Gras12);

    // EnTete: lines 1 to 7 at y = 0, 5, ... 30; the empty line 6 prints nothing.
    Place(t, "Kyr Informatique", X(20), Y(0), Police{"Arial", 14, true});
    Place(t, "12 rue des Lilas", X(20), Y(5), Gras10);
    Place(t, "69003 Lyon", X(20), Y(10), Gras10);
    Place(t, "T\xE9l. 04 78 00 00 00", X(20), Y(15), Gras10);
    Place(t, "SIRET 123", X(20), Y(20), Gras10);
    Place(t, "RCS Lyon", X(20), Y(30), Police{"Arial", 8, true});

    // ImpFact.
    Place(t, "Garage du Centre", X(116), Y(60), Gras10);
    Place(t, "4 place de la Gare", X(116), Y(65), Gras10);
    Place(t, "69002 Lyon", X(116), Y(70), Gras10);
    Place(t, "Date 15/01/2000", X(116), Y(84), Gras12);
    Place(t, "N\xB0 client : 10002", X(20), Y(79), Gras12);
    Place(t, "Facture N\xB0 200001004", X(20), Y(84), Gras12);
    Place(t, "R\xE9glement : R\xE9glement \xE0 30 jours", X(20), Y(273), Normal10);
    Place(t, "67,50", X(104) - 5 * 20, Y(248), Normal12);
    Place(t, "13,91", X(104) - 5 * 20, Y(261), Normal12);
    Place(t, "81,41 Francs", X(189) - 12 * 20, Y(248), Gras12);
    Place(t, "12,41 Euros", X(189) - 11 * 20, Y(261), Gras12);

    // The lines: trimmed numbers right-aligned on the column edges.
    Place(t, "Vidange moteur", X(22), Y(105), Normal10);
    Place(t, "Filtre \xE0 huile", X(22), Y(110), Normal10);
    Place(t, "12,50", X(149) - 5 * 20, Y(110), Normal10);
    Place(t, "10", X(159) - 2 * 20, Y(110), Normal10);
    Place(t, "22,50", X(184) - 5 * 20, Y(110), Normal10);
    Place(t, "2", X(124) - 20, Y(110), Normal10);
    // The memo's last line at 215; nothing says "Page".
    Place(t, "Merci de votre confiance", X(22), Y(215), Normal10);
    for (const auto& x : s.Textes())
        EXPECT_EQ(x.find("Page"), std::string::npos) << x;

    // Dessin, then EnTete, then the data.
    const auto textes = s.Textes();
    const auto rang = [&](const std::string& x) {
        return std::find(textes.begin(), textes.end(), x) - textes.begin();
    };
    EXPECT_LT(rang("Total TTC"), rang("Kyr Informatique"));
    EXPECT_LT(rang("RCS Lyon"), rang("Garage du Centre"));
    EXPECT_LT(rang("12,41 Euros"), rang("Vidange moteur"));
    EXPECT_LT(rang("Vidange moteur"), rang("Merci de votre confiance"));
}

TEST(Document, LetterheadHasTheFrameButNoCompanyHeading) {
    const SurfaceEnregistree s = Dessine(Exemple(), 3, PapierEnTete);
    EXPECT_EQ(s.De(Trace::Rectangle).size(), 1u);
    EXPECT_EQ(s.De(Trace::Ligne).size(), 12u);
    EXPECT_NE(Texte(s.traces, "D\xE9signation"), nullptr);
    EXPECT_NE(Texte(s.traces, "Total TTC"), nullptr);
    for (const auto& l : Societe) {
        if (l.empty()) continue;
        EXPECT_EQ(Texte(s.traces, l), nullptr) << l;
    }
    EXPECT_NE(Texte(s.traces, "Facture N\xB0 200001004"), nullptr);
}

TEST(Document, PreprintedFormsGetOnlyTheData) {
    for (int type : {PapierImprime, 3, -1}) {
        const SurfaceEnregistree s = Dessine(Exemple(), 3, type);
        EXPECT_TRUE(s.De(Trace::Rectangle).empty());
        EXPECT_TRUE(s.De(Trace::Ligne).empty());
        for (const char* t : {"D\xE9signation", "Qt\xE9", "Montant H.T.", "Total H.T.", "Total TVA",
                              "Total TTC", "Kyr Informatique"})
            EXPECT_EQ(Texte(s.traces, t), nullptr) << t;
        Place(s.traces, "Facture N\xB0 200001004", X(20), Y(84), Gras12);
        Place(s.traces, "81,41 Francs", X(189) - 12 * 20, Y(248), Gras12);
        Place(s.traces, "Vidange moteur", X(22), Y(105), Normal10);
    }
}

TEST(Document, PricesIncludingTaxHeadTheAmountColumnMontantTTC) {
    Fiche f = Exemple();
    f.TTC = true;
    const SurfaceEnregistree s = Dessine(f, 3, PapierBlanc);
    Place(s.traces, "Montant TTC", X(161), Y(92), Gras10);
    EXPECT_EQ(Texte(s.traces, "Montant H.T."), nullptr);
}

TEST(Document, AmountWithLeadingBlanksEndsAt184AndOmittedConversionPrintsABlank) {
    Fiche f = Exemple();
    f.Cellules[1][4] = "   1234,50";
    f.TotalConverti.clear();
    f.Devise2.clear();
    const SurfaceEnregistree s = Dessine(f, 3, PapierBlanc);
    Place(s.traces, "1234,50", X(184) - 7 * 20, Y(105), Normal10);
    Place(s.traces, " ", X(189) - 20, Y(261), Gras12);
}

TEST(Document, MemoLinesEndAt215) {
    Fiche f = Exemple();
    f.Memo = {"Premi\xE8re", "Seconde"};
    SurfaceEnregistree s = Dessine(f, 3, PapierBlanc);
    Place(s.traces, "Premi\xE8re", X(22), Y(210), Normal10);
    Place(s.traces, "Seconde", X(22), Y(215), Normal10);

    f.Memo = {"m1", "m2", "m3", "m4", "m5"};
    s = Dessine(f, 3, PapierBlanc);
    Place(s.traces, "m1", X(22), Y(195), Normal10);
    Place(s.traces, "m5", X(22), Y(215), Normal10);
    EXPECT_TRUE(s.De(Trace::Page).empty());

    // An empty memo line keeps its place.
    f.Memo = {"haut", "", "bas"};
    s = Dessine(f, 3, PapierBlanc);
    Place(s.traces, "haut", X(22), Y(205), Normal10);
    Place(s.traces, "bas", X(22), Y(215), Normal10);
}

TEST(Document, EmptyRowsKeepTheirPlaceAndTrailingOnesAreDropped) {
    Fiche f = DeLignes(3);
    f.Cellules[2] = {};
    const SurfaceEnregistree s = Dessine(f, 10, PapierBlanc);
    Place(s.traces, "Ligne 1", X(22), Y(105), Normal10);
    Place(s.traces, "Ligne 3", X(22), Y(115), Normal10);
    EXPECT_TRUE(s.De(Trace::Page).empty());
    // 28 lines (and the entry row) fill the table exactly: one page, row 28 at 240.
    const SurfaceEnregistree plein = Dessine(DeLignes(28), 29, PapierBlanc);
    EXPECT_TRUE(plein.De(Trace::Page).empty());
    Place(plein.traces, "Ligne 28", X(22), Y(240), Normal10);
}

TEST(Document, ThirtyLinesContinueOnASecondPage) {
    const SurfaceEnregistree s = Dessine(DeLignes(30), 31, PapierBlanc);
    const auto pages = Pages(s.traces);
    ASSERT_EQ(pages.size(), 2u);
    const auto& p1 = pages[0];
    const auto& p2 = pages[1];

    // Page 1: the one-page layout for rows 1..28, no totals band, no totals.
    Place(p1, "Ligne 1", X(22), Y(105), Normal10);
    Place(p1, "Ligne 28", X(22), Y(240), Normal10);
    EXPECT_EQ(Texte(p1, "Ligne 29"), nullptr);
    const auto r1 = De(p1, Trace::Rectangle);
    ASSERT_EQ(r1.size(), 1u);
    EXPECT_EQ(r1[0].y2, Y(245));
    EXPECT_EQ(De(p1, Trace::Ligne).size(), 6u); // heading rule and five column rules
    for (const char* t : {"Total H.T.", "Total TTC", "67,50", "81,41 Francs"})
        EXPECT_EQ(Texte(p1, t), nullptr) << t;
    EXPECT_EQ(Texte(p1, "R\xE9glement : R\xE9glement \xE0 30 jours"), nullptr);
    Place(p1, "Garage du Centre", X(116), Y(60), Gras10);
    Place(p1, "Facture N\xB0 200001004", X(20), Y(84), Gras12);
    Place(p1, "Kyr Informatique", X(20), Y(0), Police{"Arial", 14, true});
    Place(p1, "Suite \xE0 la page 2", X(20), Y(273), Normal10);
    Place(p1, "Page 1/2", X(190) - 8 * 20, Y(273), Normal10);

    // Page 2: the same heading and columns, rows 29 and 30 from the top of the
    // table, the totals band and the totals.
    Place(p2, "Kyr Informatique", X(20), Y(0), Police{"Arial", 14, true});
    Place(p2, "D\xE9signation", X(22), Y(92), Gras10);
    Place(p2, "Facture N\xB0 200001004 (suite)", X(20), Y(84), Gras12);
    Place(p2, "N\xB0 client : 10002", X(20), Y(79), Gras12);
    Place(p2, "Date 15/01/2000", X(116), Y(84), Gras12);
    EXPECT_EQ(Texte(p2, "Garage du Centre"), nullptr);
    Place(p2, "Ligne 29", X(22), Y(105), Normal10);
    Place(p2, "Ligne 30", X(22), Y(110), Normal10);
    EXPECT_EQ(Texte(p2, "Ligne 28"), nullptr);
    EXPECT_EQ(De(p2, Trace::Rectangle)[0].y2, Y(270));
    EXPECT_EQ(De(p2, Trace::Ligne).size(), 12u);
    Place(p2, "Total TTC", X(108), Y(255), Gras12);
    Place(p2, "81,41 Francs", X(189) - 12 * 20, Y(248), Gras12);
    Place(p2, "R\xE9glement : R\xE9glement \xE0 30 jours", X(20), Y(273), Normal10);
    Place(p2, "Page 2/2", X(190) - 8 * 20, Y(273), Normal10);
    EXPECT_EQ(Texte(p2, "Suite \xE0 la page 3"), nullptr);
}

TEST(Document, SixtyThreeLinesTakeThreePagesAndNoLineIsLost) {
    const SurfaceEnregistree s = Dessine(DeLignes(63), 63, PapierEnTete);
    const auto pages = Pages(s.traces);
    ASSERT_EQ(pages.size(), 3u);
    const std::vector<std::pair<int, int>> attendu = {{1, 28}, {29, 56}, {57, 63}};
    for (int p = 0; p < 3; ++p) {
        const auto [premiere, derniere] = attendu[p];
        for (int r = 1; r <= 63; ++r) {
            const Trace* t = Texte(pages[p], "Ligne " + std::to_string(r));
            if (r < premiere || r > derniere) {
                EXPECT_EQ(t, nullptr) << "page " << p + 1 << " ligne " << r;
                continue;
            }
            ASSERT_NE(t, nullptr) << "page " << p + 1 << " ligne " << r;
            EXPECT_EQ(t->y1, Y(105 + 5 * (r - premiere)));
            EXPECT_LE(t->y1, Y(240));
        }
        Place(pages[p], "Page " + std::to_string(p + 1) + "/3", X(190) - 8 * 20, Y(273), Normal10);
        // Letterhead: never the company heading.
        EXPECT_EQ(Texte(pages[p], "Kyr Informatique"), nullptr);
    }
    EXPECT_EQ(Texte(pages[0], "Total TTC"), nullptr);
    EXPECT_EQ(Texte(pages[1], "Total TTC"), nullptr);
    EXPECT_NE(Texte(pages[2], "Total TTC"), nullptr);
    Place(pages[1], "Suite \xE0 la page 3", X(20), Y(273), Normal10);
}

TEST(Document, AMemoThatWouldCoverLinesGoesOnWithTheTotals) {
    // 22 lines and a two-line memo: line 22 would stand under the memo's 210.
    // The lines stay together on page 1, the memo goes with the totals.
    Fiche f = DeLignes(22);
    f.Memo = {"Note 1", "Note 2"};
    const SurfaceEnregistree s = Dessine(f, 23, PapierBlanc);
    const auto pages = Pages(s.traces);
    ASSERT_EQ(pages.size(), 2u);
    Place(pages[0], "Ligne 22", X(22), Y(210), Normal10);
    EXPECT_EQ(Texte(pages[0], "Note 1"), nullptr);
    EXPECT_EQ(Texte(pages[0], "Total TTC"), nullptr);
    EXPECT_EQ(Texte(pages[1], "Ligne 22"), nullptr);
    Place(pages[1], "Note 1", X(22), Y(210), Normal10);
    Place(pages[1], "Note 2", X(22), Y(215), Normal10);
    Place(pages[1], "Total TTC", X(108), Y(255), Gras12);

    // 21 lines leave the memo its two rows: one page, as the one-page form draws it.
    f = DeLignes(21);
    f.Memo = {"Note 1", "Note 2"};
    const SurfaceEnregistree une = Dessine(f, 22, PapierBlanc);
    EXPECT_TRUE(une.De(Trace::Page).empty());
    Place(une.traces, "Ligne 21", X(22), Y(205), Normal10);
    Place(une.traces, "Note 1", X(22), Y(210), Normal10);
}

TEST(Document, SplitKeepsTheLinesTogetherWhenTheMemoIsWhatDoesNotFit) {
    struct Cas {
        int lignes, memo;
        std::vector<std::pair<int, int>> pages; // rows, memo lines on each page
    };
    const Cas cas[] = {
        {18, 5, {{18, 5}}},                  // fits: one page
        {20, 5, {{20, 0}, {0, 5}}},          // not 19 and then a stray line
        {23, 1, {{23, 0}, {0, 1}}},          // a one-line memo alike
        {28, 5, {{28, 0}, {0, 5}}},          // a full table, then the memo
        {29, 5, {{28, 0}, {1, 5}}},          // the lines themselves do not fit
        {47, 5, {{28, 0}, {19, 0}, {0, 5}}}, // the same on a continuation page
        {46, 5, {{28, 0}, {18, 5}}},         // the last page holds 23 rows
        {29, 0, {{28, 0}, {1, 0}}},          // no memo: as before
        {0, 30, {{0, 7}, {0, 23}}},          // a pasted memo longer than a page
        {5, 30, {{5, 0}, {0, 7}, {0, 23}}},  // after a few lines
    };
    for (const Cas& c : cas) {
        Fiche f = DeLignes(c.lignes);
        for (int m = 0; m < c.memo; ++m)
            f.Memo.push_back("Memo " + std::to_string(m));
        std::vector<std::pair<int, int>> vu;
        for (const PageDocument& p : DecoupePages(f, c.lignes + 1))
            vu.emplace_back(static_cast<int>(p.Rangees.size()),
                            static_cast<int>(p.LignesMemo.size()));
        EXPECT_EQ(vu, c.pages) << c.lignes << " lignes, memo " << c.memo;
    }
}

TEST(Document, NoTextOfAContinuedDocumentStandsOnAnother) {
    for (int n : {24, 29, 40, 57, 63})
        for (int memo : {0, 1, 5}) {
            Fiche f = DeLignes(n);
            for (int m = 0; m < memo; ++m)
                f.Memo.push_back("Memo " + std::to_string(m));
            const SurfaceEnregistree s = Dessine(f, n + 1, PapierBlanc);
            int vus = 0, memos = 0;
            for (const auto& page : Pages(s.traces)) {
                std::vector<int> ys;
                for (const Trace& t : page)
                    if (t.sorte == Trace::Texte && t.x1 == X(22) && t.y1 >= Y(105)) {
                        ys.push_back(t.y1);
                        EXPECT_LT(t.y1, Y(245)) << t.texte;
                        vus += t.texte.rfind("Ligne", 0) == 0;
                        memos += t.texte.rfind("Memo", 0) == 0;
                    }
                std::sort(ys.begin(), ys.end());
                EXPECT_EQ(std::adjacent_find(ys.begin(), ys.end()), ys.end())
                    << n << " lignes, memo " << memo;
            }
            EXPECT_EQ(vus, n);
            EXPECT_EQ(memos, memo);
        }
}

TEST(Document, PrintJobIsPortraitAndCopiesAreJobs) {
    ImprimanteEnregistree imp;
    imp.orientation = Orientation::Paysage;
    ImprimeDocument(imp, Exemple(), 3, Societe, PapierBlanc);
    ASSERT_EQ(imp.travaux.size(), 1u);
    EXPECT_EQ(imp.travaux[0].orientation, Orientation::Portrait);
    EXPECT_FALSE(imp.enCours);

    for (int copies : {3, 0, 1}) {
        ImprimanteEnregistree i;
        ParCopie(copies, [&] { ImprimeDocument(i, Exemple(), 3, Societe, PapierBlanc); });
        EXPECT_EQ(i.travaux.size(), static_cast<std::size_t>(copies));
    }
}

TEST(Document, PdfNameProposedFromKindAndNumber) {
    Fiche f = Exemple();
    EXPECT_EQ(NomPdfPropose(f), "Facture 200001004.pdf");
    f.Genre = GenreDevis;
    f.Numero = "200001001";
    EXPECT_EQ(NomPdfPropose(f), "Devis 200001001.pdf");
    f.Numero = std::string(9, ' ');
    EXPECT_EQ(NomPdfPropose(f), "Devis.pdf");
    f.Genre = "a/b";
    EXPECT_EQ(NomPdfPropose(f), "a_b.pdf");
}

// ---- envelope

namespace {

const std::array<std::string, 4> Client = {"Garage du Centre", "4 place de la Gare", "69002 Lyon",
                                           ""};

} // namespace

TEST(Enveloppe, SenderAndRecipientInPortraitWithoutGuide) {
    ImprimanteEnregistree imp;
    test::PlateformeFausse p;
    ImpEnv(p, imp, Societe, Client, 0, 0);
    ASSERT_EQ(p.messages.size(), 1u);
    EXPECT_EQ(p.messages[0], QStringLiteral("Insérez une enveloppe dans l'imprimante"));
    ASSERT_EQ(imp.travaux.size(), 1u);
    EXPECT_EQ(imp.travaux[0].orientation, Orientation::Portrait);
    const auto& t = imp.travaux[0].traces;
    Place(t, "Kyr Informatique", X(5), Y(5), Normal10);
    Place(t, "12 rue des Lilas", X(5), Y(10), Normal10);
    Place(t, "69003 Lyon", X(5), Y(15), Normal10);
    Place(t, "T\xE9l. 04 78 00 00 00", X(5), Y(20), Normal10);
    EXPECT_EQ(Texte(t, "SIRET 123"), nullptr); // lines 5 to 7 are not printed
    EXPECT_EQ(Texte(t, "RCS Lyon"), nullptr);
    Place(t, "Garage du Centre", X(110), Y(50), Normal10);
    Place(t, "4 place de la Gare", X(110), Y(55), Normal10);
    Place(t, "69002 Lyon", X(110), Y(60), Normal10);
    EXPECT_EQ(De(t, Trace::Texte).size(), 7u); // the empty line 4 prints nothing
    EXPECT_TRUE(De(t, Trace::Ligne).empty());
    EXPECT_EQ(imp.orientation, Orientation::Portrait);
}

TEST(Enveloppe, GuideOnTheRightLowersEverythingBy100) {
    ImprimanteEnregistree imp;
    ImprimeEnveloppe(imp, Societe, Client, 0, 100);
    const auto& t = imp.travaux.at(0).traces;
    Place(t, "Kyr Informatique", X(5), Y(105), Normal10);
    EXPECT_EQ(Texte(t, "Kyr Informatique")->y1, 1080); // 108 mm after the shift
    Place(t, "Garage du Centre", X(110), Y(150), Normal10);
    Place(t, "69002 Lyon", X(110), Y(160), Normal10);
}

TEST(Enveloppe, LandscapeJobThenPortraitAgain) {
    for (int decalage : {0, 100}) {
        ImprimanteEnregistree imp;
        ImprimeEnveloppe(imp, Societe, Client, 1, decalage);
        ASSERT_EQ(imp.travaux.size(), 1u);
        EXPECT_EQ(imp.travaux[0].orientation, Orientation::Paysage);
        Place(imp.travaux[0].traces, "Garage du Centre", X(110), Y(decalage + 50), Normal10);
        EXPECT_EQ(imp.orientation, Orientation::Portrait);
        // The next document print is portrait.
        ImprimeDocument(imp, Exemple(), 3, Societe, PapierBlanc);
        EXPECT_EQ(imp.travaux[1].orientation, Orientation::Portrait);
        // And a portrait envelope again.
        ImprimeEnveloppe(imp, Societe, Client, 0, decalage);
        EXPECT_EQ(imp.travaux[2].orientation, Orientation::Portrait);
        Place(imp.travaux[2].traces, "Kyr Informatique", X(5), Y(decalage + 5), Normal10);
    }
}

TEST(Enveloppe, AnEnvelopeSizeIsThePageLongSideAcrossWithoutTheGuideOffset) {
    struct Cas {
        FormatEnveloppe format;
        int orientation, decalage;
        Orientation attendue;
        std::pair<int, int> papier;
        int yExpediteur; // mm
    };
    const Cas cas[] = {
        {FormatEnveloppe::Imprimante, 0, 100, Orientation::Portrait, {0, 0}, 105},
        {FormatEnveloppe::Imprimante, 1, 0, Orientation::Paysage, {0, 0}, 5},
        {FormatEnveloppe::DL, 0, 100, Orientation::Paysage, {110, 220}, 5},
        {FormatEnveloppe::C5, 1, 0, Orientation::Paysage, {162, 229}, 5},
        {FormatEnveloppe::C6, 0, 0, Orientation::Paysage, {114, 162}, 5},
    };
    for (const Cas& c : cas) {
        ImprimanteEnregistree imp;
        ImprimeEnveloppe(imp, Societe, Client, c.orientation, c.decalage, c.format);
        ASSERT_EQ(imp.travaux.size(), 1u);
        EXPECT_EQ(imp.travaux[0].orientation, c.attendue);
        EXPECT_EQ(imp.travaux[0].papier, c.papier);
        Place(imp.travaux[0].traces, "Kyr Informatique", X(5), Y(c.yExpediteur), Normal10);
        Place(imp.travaux[0].traces, "Garage du Centre", X(110), Y(c.yExpediteur + 45), Normal10);
        // The program's printer is left as it was for the next document.
        EXPECT_EQ(imp.papier, std::make_pair(0, 0));
        EXPECT_EQ(imp.orientation, Orientation::Portrait);
    }
}

TEST(Enveloppe, FailedJobStillLeavesThePrinterInPortrait) {
    struct Refus : ImprimanteEnregistree {
        Surface& DebutTravail() override { throw std::runtime_error("refus"); }
    } imp;
    EXPECT_THROW(ImprimeEnveloppe(imp, Societe, Client, 1, 0), std::runtime_error);
    EXPECT_EQ(imp.orientation, Orientation::Portrait);
    EXPECT_THROW(ImprimeEnveloppe(imp, Societe, Client, 0, 0, FormatEnveloppe::DL),
                 std::runtime_error);
    EXPECT_EQ(imp.papier, std::make_pair(0, 0)); // the printer's own paper again
}
