#include "book/calcul.h"
#include "common/erreurs.h"
#include "common/nombres.h"

#include <gtest/gtest.h>

#include <optional>
#include <random>

using namespace kyr;

namespace {

// The test platform's widths: 7 pixels a character, 3 a blank.
int Largeur(const std::string& s) {
    int l = 0;
    for (char c : s)
        l += c == ' ' ? 3 : 7;
    return l;
}
std::string A(const std::string& s, int largeur = 120) {
    return Rset(s, largeur, Largeur);
}

using Totaux = std::array<std::string, 4>; // H.T., TVA, TTC, converted
Totaux Calcul(std::vector<Rangee> rangees, bool ttc = false, Reglages r = {}) {
    Fiche f;
    for (std::size_t i = 0; i < rangees.size(); ++i)
        f.Cellules[i + 1] = rangees[i];
    f.TTC = ttc;
    Calcule(f, r, Largeur);
    return {f.TotalHT, f.TotalTVA, f.TotalTTC, f.TotalConverti};
}

} // namespace

TEST(Rset, BlanksUntilWiderThanTheColumnLessTen) {
    // "12,50" is 35 pixels: 26 blanks make 113, the first width past 110.
    EXPECT_EQ(A("12,50"), std::string(26, ' ') + "12,50");
    EXPECT_EQ(A(std::string(20, 'x')), std::string(20, 'x'));
    // A font measuring blanks as nothing does not loop for ever.
    EXPECT_LE(Rset("1", 120, [](const std::string&) { return 0; }).size(), 200u);
}

TEST(Calcule, WorkedExamplesAndHeadings) {
    Fiche f;
    f.Cellules[1] = {"Vis", "3", "10", "10", "", ""};
    Calcule(f, Reglages{}, Largeur);
    EXPECT_EQ(f.Cellules[0][4], "Montant H.T.");
    EXPECT_EQ(f.Cellules[1], (Rangee{"Vis", A("3", 100), A("10,00"), "10", A("27,00"), "1"}));
    EXPECT_EQ((Totaux{f.TotalHT, f.TotalTVA, f.TotalTTC, f.TotalConverti}),
              (Totaux{"27,00", "5,56", "32,56", "4,96"}));
    f.TTC = true;
    Calcule(f, Reglages{}, Largeur); // and again on its own output
    EXPECT_EQ(f.Cellules[0][4], "Montant TTC");
    EXPECT_EQ(f.Cellules[1][4], A("27,00"));
    EXPECT_EQ((Totaux{f.TotalHT, f.TotalTVA, f.TotalTTC, f.TotalConverti}),
              (Totaux{"22,39", "4,61", "27,00", "4,12"}));
    EXPECT_EQ(Calcul({}), (Totaux{"0,00", "0,00", "0,00", "0,00"}));
}

TEST(Calcule, EachRowIsTidiedOrLeftAsItsReadingAllows) {
    const std::string z = A("0,00");
    const std::vector<std::tuple<Rangee, Rangee, std::string>> cas = {
        {{"", "2,5", "4", "", "", "1"},
         {"", A("2,5", 100), A("4,00"), "", A("10,00"), "1"},
         "10,00"},
        {{"", "2", "", "", "", ""}, {"", A("2", 100), z, "", z, "1"}, "0,00"},
        {{"", "2.5", "4", "", "9", ""}, {"", "2.5", "4", "", z, ""}, "0,00"},
        {{"", "2", "4x", "", "", ""}, {"", "2", "4x", "", z, ""}, "0,00"},
        {{"", "2", "4", "1.5", "", ""},
         {"", A("2", 100), A("4,00"), "1.5", A("8,00"), "1"},
         "8,00"},
        {{"Texte", "", "4", "", "99,00", ""}, {"Texte", "", "4", "", "99,00", ""}, "0,00"},
        {{"", "-1", "12,5", "", "", "1"},
         {"", A("-1", 100), A("12,50"), "", A("-12,50"), "1"},
         "-12,50"},
    };
    for (const auto& [avant, apres, ht] : cas) {
        Fiche f;
        f.Cellules[1] = avant;
        Calcule(f, Reglages{}, Largeur);
        EXPECT_EQ(f.Cellules[1], apres) << avant[1] << "|" << avant[2] << "|" << avant[3];
        EXPECT_EQ(f.TotalHT, ht);
    }
}

TEST(Calcule, VatCodesAndVatTakenOnTheSumOfEachRate) {
    for (const auto& [code, tva] : std::vector<std::pair<std::string, std::string>>{
             {"1", "20,60"}, {"2", "0,00"}, {"3", "5,50"}, {"7", "20,60"}, {"A", "20,60"}})
        EXPECT_EQ(Calcul({{"", "1", "100", "", "", code}})[1], tva) << code;
    // Three lines of 0,10 at 5,5 %: 0,0165 in all, not three times 0,01.
    EXPECT_EQ(Calcul({{"", "1", "0,1", "", "", "3"},
                      {"", "1", "0,1", "", "", "3"},
                      {"", "1", "0,1", "", "", "3"},
                      {"", "2", "50", "", "", "1"},
                      {"", "-1", "20", "", "", "1"}}),
              (Totaux{"80,30", "16,50", "96,80", "14,76"}));
}

TEST(Calcule, ConvertedTotalAndUndefinedFigures) {
    Reglages euros, tauxNul, nulEuros, omise, moinsCent;
    euros.Devise = nulEuros.Devise = 1;
    tauxNul.TauxEuro = nulEuros.TauxEuro = 0;
    omise.OmettreConversion = 1;
    moinsCent.TauxTVA[3] = -100;
    const Rangee cent = {"", "1", "100", "", "", "2"};
    EXPECT_EQ(Calcul({cent}, false, euros)[3], "655,96");
    for (const Reglages& r : {tauxNul, nulEuros, omise})
        for (bool ttc : {false, true})
            EXPECT_EQ(Calcul({cent}, ttc, r), (Totaux{"100,00", "0,00", "100,00", ""}));
    // -100 % including tax: no amount before tax to take the tax from.
    const Rangee aMoinsCent = {"", "1", "50", "", "", "3"},
                 aVingt = {"", "1", "120,6", "", "", "1"};
    EXPECT_EQ(Calcul({aMoinsCent, aVingt}, true, moinsCent), (Totaux{"", "", "170,60", "26,01"}));
    EXPECT_EQ(Calcul({aVingt}, true, moinsCent), (Totaux{"100,00", "20,60", "120,60", "18,39"}));
    EXPECT_EQ(Calcul({aMoinsCent}, false, moinsCent), (Totaux{"50,00", "-50,00", "0,00", "0,00"}));
}

TEST(Calcule, OverflowThrowsAndLeavesNoStaleFigure) {
    Fiche f;
    f.Cellules[1] = {"", "2", "3", "", "", ""};
    f.Cellules[2] = {"", "1E30", "1E30", "", "vieux", ""};
    f.Cellules[3] = {"", "4", "5", "", "", ""};
    f.TotalHT = f.TotalTVA = f.TotalTTC = f.TotalConverti = "1,00";
    try {
        Calcule(f, Reglages{}, Largeur);
        ADD_FAILURE() << "no error";
    } catch (const ErreurExecution& e) {
        EXPECT_EQ(e.message(), ErreurExecution::Debordement().message());
    }
    EXPECT_EQ(f.Cellules[1][4], A("6,00"));
    EXPECT_EQ(f.Cellules[2][4], "");
    EXPECT_EQ(f.Cellules[3][4], A("20,00"));
    EXPECT_EQ((Totaux{f.TotalHT, f.TotalTVA, f.TotalTTC, f.TotalConverti}), Totaux{});
    // A quantity too large to hold, and a sum of two large amounts.
    EXPECT_THROW(Calcul({{"", "1E40", "1", "", "", ""}}), ErreurExecution);
    EXPECT_THROW(Calcul({{"", "1E19", "1E19", "", "", ""}, {"", "1E19", "1E19", "", "", ""}}),
                 ErreurExecution);
}

// The figures of rows read in place are those of the same rows computed in a
// record (figures only): totals, bases and VAT per code, unreadable texts and
// errors, whatever the cells hold and whatever the rates.
TEST(ChiffreRangees, SameFiguresAsTheRecordsCalculation) {
    const char* quantites[] = {"1",  "2,5", " 3 ",   "",    "  ",  "1E30",
                               "-1", "x",   "1E-30", "\t2", "1E19"};
    const char* prix[] = {"100", "19,99", "", "1E9", "1E38", "abc", "0,005", " 7,5 ", "1E19"};
    const char* remises[] = {"", "", "10", "100", "x", "-5"};
    const char* codes[] = {"", "1", "2", "3", "7", "x", " 2 "};
    Reglages moinsCent, enorme, omise;
    moinsCent.TauxTVA = {0, 20, -100, 5.5L};
    enorme.Devise = 1;
    enorme.TauxEuro = 1e30L;
    omise.OmettreConversion = 1;
    std::mt19937 alea(7);
    int erreurs = 0, illisibles = 0;
    for (int essai = 0; essai < 20000; ++essai) {
        std::vector<Rangee> rangees(1 + alea() % 8);
        for (Rangee& c : rangees)
            c = {"Vis", quantites[alea() % 11], prix[alea() % 9], remises[alea() % 6],
                 "",    codes[alea() % 7]};
        const bool ttc = alea() % 2;
        for (const Reglages& r : {Reglages{}, moinsCent, enorme, omise}) {
            Fiche f;
            for (std::size_t i = 0; i < rangees.size(); ++i)
                f.Cellules[i + 1] = rangees[i];
            f.TTC = ttc;
            Ventilation attendue;
            std::optional<ErreurExecution> erreur;
            try {
                attendue = Calcule(f, r, LargeurTexteFn{});
            } catch (const ErreurExecution& e) {
                erreur = e;
            }
            std::vector<CellulesVues> vues;
            for (const Rangee& c : rangees)
                vues.push_back({c[0], c[1], c[2], c[3], c[4], c[5]});
            const ChiffresDocument c = ChiffreRangees(vues, ttc, r);
            ASSERT_EQ(c.Erreur.has_value(), erreur.has_value()) << essai;
            if (erreur) {
                ++erreurs;
                EXPECT_EQ(c.Erreur->message(), erreur->message());
                continue;
            }
            EXPECT_EQ(c.Detail.BaseHT, attendue.BaseHT) << essai;
            EXPECT_EQ(c.Detail.TVA, attendue.TVA) << essai;
            ASSERT_EQ(c.Detail.Illisibles.size(), attendue.Illisibles.size()) << essai;
            for (std::size_t i = 0; i < attendue.Illisibles.size(); ++i) {
                ++illisibles;
                EXPECT_EQ(c.Detail.Illisibles[i].Rangee, attendue.Illisibles[i].Rangee);
                EXPECT_EQ(c.Detail.Illisibles[i].Texte, attendue.Illisibles[i].Texte);
            }
            EXPECT_EQ(c.Indefini ? "" : FormatMontant(c.HT), f.TotalHT) << essai;
            EXPECT_EQ(c.Indefini ? "" : FormatMontant(c.TVA), f.TotalTVA) << essai;
            EXPECT_EQ(FormatMontant(c.TTC), f.TotalTTC) << essai;
        }
    }
    EXPECT_GT(erreurs, 1000);
    EXPECT_GT(illisibles, 1000);
}
