// The text of a block: numbering, finding, writing and reading rules.
#include "book/bloc.h"

#include <gtest/gtest.h>

namespace kyr {
namespace {

const Lignes Exemple = {"<BLOC0003>",
                        "NUMF200001004",
                        "15/01/2000",
                        "10002",
                        "R\xE9glement \xE0 30 jours",
                        "Facture",
                        "Garage du Centre",
                        "4 place de la Gare",
                        "69002 Lyon",
                        "",
                        "TTCN",
                        "FACTVidange moteur\t1\t45,00\t\t45,00\t1",
                        "FACTFiltre \xE0 huile\t2\t12,50\t10\t22,50\t1",
                        "MEMOMerci de votre confiance",
                        "PAYE",
                        "</BLOC0003>"};

Fiche Lit(const Lignes& livre, int n, LectureBloc* lecture = nullptr) {
    Fiche f;
    const auto l = LitBloc(livre, ChercheDebut(livre, n), n, f);
    if (lecture) *lecture = l;
    return f;
}

TEST(Bloc, NumeroSurQuatreChiffres) {
    EXPECT_EQ(LigneDebut(12), "<BLOC0012>");
    EXPECT_EQ(LigneFin(0), "</BLOC0000>");
    EXPECT_EQ(NumeroBloc(1234), "1234");
}

TEST(Bloc, DebutTrouveSansCasseFinExacte) {
    const Lignes livre = {"x",           "<BLOC00031>", "<bloc0003>",  "MEMOun",
                          "</bloc0003>", "MEMOdeux",    "</BLOC0003>", "<BLOC0003>"};
    EXPECT_EQ(ChercheDebut(livre, 3), 2);
    EXPECT_EQ(ChercheDebut(livre, 4), -1);
    // A lower-case end line does not end the block.
    const Lignes long_ = {
        "<bloc0003>", "N",           "01/01/2001", "c",           "",   "", "", "", "", "", "TTCN",
        "MEMOun",     "</bloc0003>", "MEMOdeux",   "</BLOC0003>", "fin"};
    EXPECT_EQ(Lit(long_, 3).Memo, (Lignes{"un", "deux"}));
    EXPECT_EQ(CompteFiches(long_), 0);
}

TEST(Bloc, ExempleLuPuisRecritALIdentique) {
    LectureBloc lecture;
    const Fiche f = Lit(Exemple, 3, &lecture);
    EXPECT_EQ(f.Numero, "200001004");
    EXPECT_EQ(f.Date, QDate(2000, 1, 15));
    EXPECT_EQ(f.CodeClient, "10002");
    EXPECT_EQ(f.Conditions, "R\xE9glement \xE0 30 jours");
    EXPECT_EQ(f.Adresse[2], "69002 Lyon");
    EXPECT_FALSE(f.TTC);
    EXPECT_EQ(f.Cellules[2], (Rangee{"Filtre \xE0 huile", "2", "12,50", "10", "22,50", "1"}));
    EXPECT_EQ(f.Memo, (Lignes{"Merci de votre confiance"}));
    EXPECT_TRUE(f.Payee);
    EXPECT_EQ(lecture.NbFact, 2);
    EXPECT_FALSE(lecture.DateIllisible);
    EXPECT_EQ(EcritBloc(f, 3, 3), Exemple);
}

TEST(Bloc, LigneDeModeDePrix) {
    const std::pair<const char*, bool> cas[] = {
        {"TTCY", true}, {"TTCN", false}, {"TTCy", false}, {"TTCX", false}, {"TTC", false}};
    for (const auto& [ligne, ttc] : cas) {
        Lignes b = Exemple;
        b[10] = ligne;
        const Fiche f = Lit(b, 3);
        EXPECT_EQ(f.TTC, ttc) << ligne;
        EXPECT_EQ(f.Cellules[1][0], "Vidange moteur") << ligne;
    }
    // An older block without the line: its first FACT line is not lost.
    Lignes ancien = Exemple;
    ancien.erase(ancien.begin() + 10);
    const Fiche f = Lit(ancien, 3);
    EXPECT_FALSE(f.TTC);
    EXPECT_EQ(f.Cellules[1][0], "Vidange moteur");
    EXPECT_EQ(f.Cellules[2][0], "Filtre \xE0 huile");
}

TEST(Bloc, LignesDuCorps) {
    Lignes b(Exemple.begin(), Exemple.begin() + 11);
    b.push_back("FACTVis");
    b.push_back("FACTa\tb");
    b.push_back("MEMOPAYE");
    b.push_back("MEMO" + std::string(300, 'm'));
    b.push_back("FACT" + std::string(260, 'd') + "\t1");
    b.push_back("</BLOC0003>");
    const Fiche f = Lit(b, 3);
    EXPECT_EQ(f.Cellules[1], (Rangee{"", "", "", "", "", "Vis"}));
    EXPECT_EQ(f.Cellules[2], (Rangee{"a", "", "", "", "", "b"}));
    EXPECT_EQ(f.Memo[0], "PAYE");
    EXPECT_FALSE(f.Payee);
    EXPECT_EQ(f.Memo[1].size(), 255u);
    EXPECT_EQ(f.Cellules[3][5], std::string(255, 'd')); // cut at 255 before splitting: no TAB left
}

TEST(Bloc, EcritureDesRangees) {
    Fiche f = Lit(Exemple, 3);
    f.Cellules[1] = {"abc", "", "", "", "", ""};  // 12 characters: skipped
    f.Cellules[2] = {"abcd", "", "", "", "", ""}; // 13: written
    f.Cellules[3] = {"x", "1", "", "", "", "1"};  // three characters in all: skipped
    f.Memo = {"PAYE"};
    f.Payee = false;
    f.TTC = true;
    const Lignes b = EcritBloc(f, 12, 3);
    EXPECT_EQ(b.front(), "<BLOC0012>");
    EXPECT_EQ(b[10], "TTCY");
    EXPECT_EQ(b[11], "FACTabcd\t\t\t\t\t");
    EXPECT_EQ(b[12], "MEMOPAYE");
    EXPECT_EQ(b[13], "</BLOC0012>");
    EXPECT_EQ(b.size(), 14u);
}

TEST(Bloc, BlocSansFinEnFinDeLivre) {
    // The last line of the book is not shown, but stays with the document.
    Lignes b(Exemple.begin(), Exemple.end() - 1);
    const Fiche f = Lit(b, 3);
    EXPECT_FALSE(f.Payee);
    EXPECT_EQ(f.CorpsCache, (Lignes{"PAYE"}));
    EXPECT_EQ(EcritBloc(f, 3, 3), Exemple);
}

TEST(Bloc, SuppressionSansLigneDeFin) {
    const Lignes debut = {"<BLOC0000>", "NUMF1", "</BLOC0000>"};
    Lignes livre = {"<BLOC0001>", "NUMF2", "MEMO", "<bloc0000>", "NUMF1", "</BLOC0000>", " "};
    SupprimeBloc(livre, 1); // stops before the next block
    EXPECT_EQ(livre, (Lignes{"<bloc0000>", "NUMF1", "</BLOC0000>", " "}));
    livre = {"x", "<BLOC0002>", "NUMF2", "MEMO"};
    SupprimeBloc(livre, 2); // no later block: to the end of the book
    EXPECT_EQ(livre, (Lignes{"x"}));
    livre = debut;
    SupprimeBloc(livre, 5);
    EXPECT_EQ(livre, debut);
}

} // namespace
} // namespace kyr

namespace kyr {
namespace {

// Typed or pasted texts that look like the book's own lines must not be taken
// for them once stored: the block must still read back as one document.
TEST(Bloc, TextesQuiRessemblentAuxLignesDuLivre) {
    Fiche f;
    f.Date = QDate(2001, 3, 15);
    f.Numero = "200103001";
    f.CodeClient = "10002";
    f.Adresse = {"<bloc0005>", "</BLOC0003>", "NUMF200103009",
                 "ligne\r\ncoup\xE9"
                 "e"};
    f.Cellules[1] = {"Vis\tdor\xE9"
                     "e",
                     "2",
                     "4,00",
                     "",
                     "8,00",
                     "1"};
    f.Memo = {"avant\napr\xE8s"};
    const Lignes b = EcritBloc(f, 3, 2);
    EXPECT_EQ(b[6], " <bloc0005>");
    EXPECT_EQ(b[7], " </BLOC0003>");
    EXPECT_EQ(b[8], " NUMF200103009");
    EXPECT_EQ(b[9], "ligne  coup\xE9"
                    "e");
    EXPECT_EQ(b[11], "FACTVis dor\xE9"
                     "e\t2\t4,00\t\t8,00\t1");
    EXPECT_EQ(b[12], "MEMOavant apr\xE8s");
    EXPECT_EQ(CompteFiches(b), 1);
    EXPECT_EQ(FinBloc(b, 0, 3), static_cast<int>(b.size()));
    // An ordinary address beginning with "NUM" is left alone.
    f.Adresse = {"NUMERO 5", "", "", ""};
    EXPECT_EQ(EcritBloc(f, 3, 2)[6], "NUMERO 5");
}

// Long texts come back from the book: the reader only takes the first 255
// characters of a line, so what is written must fit in them.
TEST(Bloc, TextesLongsRelusSansPerte) {
    const std::string aligne = std::string(20, ' ');
    struct Cas {
        std::size_t designation;
        std::size_t designationRelue;
    } cas[] = {{150, 150}, {220, 220}, {240, 237}, {400, 237}};
    for (const auto& c : cas) {
        Fiche f;
        f.Date = QDate(2001, 3, 15);
        f.Numero = "200103001";
        f.CodeClient = "10002";
        f.Cellules[1] = {std::string(c.designation, 'x'),
                         aligne + "3",
                         aligne + "7,00",
                         "10",
                         aligne + "18,90",
                         "3"};
        f.Memo = {std::string(300, 'm'), "fin"};
        const Lignes b = EcritBloc(f, 0, 2);
        const Fiche r = Lit(b, 0);
        SCOPED_TRACE(c.designation);
        EXPECT_EQ(r.Cellules[1][0], std::string(c.designationRelue, 'x'));
        EXPECT_EQ(Trim(r.Cellules[1][1]), "3");
        EXPECT_EQ(Trim(r.Cellules[1][2]), "7,00");
        EXPECT_EQ(r.Cellules[1][3], "10");
        EXPECT_EQ(Trim(r.Cellules[1][4]), "18,90");
        EXPECT_EQ(r.Cellules[1][5], "3");
        EXPECT_EQ(r.Memo, (Lignes{std::string(255, 'm'), std::string(45, 'm'), "fin"}));
    }
}

// Deleting several blocks in one sweep gives the book that deleting them one
// after the other gives, missing end lines and start lines in lower case included.
TEST(Bloc, SuppressionGroupeeCommeUneParUne) {
    const std::vector<std::string> pieces = {
        "<BLOC0000>",  "</BLOC0000>", "<BLOC0001>",  "</BLOC0001>", "<bloc0001>",  "<BLOC0002>",
        "</BLOC0002>", "<Bloc0003>",  "</BLOC0003>", "x",           "</bloc0002>", "<BLOCxyz>"};
    std::uint32_t graine = 99;
    const auto hasard = [&graine](std::uint32_t n) {
        graine = graine * 1103515245u + 12345u;
        return (graine >> 16) % n;
    };
    for (int essai = 0; essai < 2000; ++essai) {
        Lignes livre;
        const std::size_t taille = hasard(25);
        for (std::size_t k = 0; k < taille; ++k)
            livre.push_back(pieces[hasard(static_cast<std::uint32_t>(pieces.size()))]);
        std::vector<int> numeros;
        for (int n = 0; n < 4; ++n)
            if (hasard(2)) numeros.push_back(n);
        Lignes attendu = livre;
        for (const int n : numeros)
            SupprimeBloc(attendu, n);
        SupprimeBlocs(livre, numeros);
        ASSERT_EQ(livre, attendu) << "essai " << essai;
    }
}

} // namespace
// A page used again for the next document (as the journal does) reads it as a
// new page would: everything a rich block set, the hidden lines and an
// unreadable date included, goes back to a new page's values.
TEST(Bloc, PageRecommenceeCommeNeuve) {
    Lignes livre = Exemple;
    livre[2] = "31/02/2000"; // no such date
    livre.insert(livre.end() - 3, 100,
                 "FACTx\t1\t1,00\t\t1,00\t1"); // rows past 63 and lines past the 91 read kept aside
    livre.insert(livre.end() - 1, "XYZ ligne inconnue");
    livre.insert(livre.end(),
                 {"<BLOC0004>", "NUMD200001005", "16/01/2000", "10003", "</BLOC0004>", ""});
    Fiche page;
    page.DateIllisible = LitBloc(livre, ChercheDebut(livre, 3), 3, page).DateIllisible;
    ASSERT_TRUE(page.DateIllisible);
    ASSERT_FALSE(page.FactCachees.empty());
    ASSERT_FALSE(page.CorpsCache.empty());
    page.TotalHT = page.Devise1 = "x";
    Recommence(page);
    EXPECT_TRUE(page == Fiche{});
    LitBloc(livre, ChercheDebut(livre, 4), 4, page);
    EXPECT_TRUE(page == Lit(livre, 4));
}

} // namespace kyr
