// Typing in the line grid and the memo.
#include "outils_livre.h"

namespace kyr::test {
namespace {

class Lignes_ : public LivreTest {
protected:
    ToucheGrille Tape(int colonne, int rangee, char touche) {
        return f.StringGrid1KeyPress(colonne, rangee, touche);
    }
};

TEST_F(Lignes_, ExpansionDuGlossaire) {
    struct Cas {
        Lignes glossaire;
        std::string cellule, attendu;
        bool avalee;
    };
    const std::string taxe = "Taxe sur la valeur ajout\xE9"
                             "e";
    for (const Cas& c :
         {Cas{{"TVA\t" + taxe}, "tva", taxe, true}, Cas{{"TVA\t" + taxe}, "TVA2", "TVA2", false},
          Cas{{"TVA\t" + taxe}, "mot tva", "mot tva", false},
          Cas{{"TVA\tpremier", "tva\tsecond"}, "Tva", "premier", true},
          Cas{{"sans tabulation"}, "", "sans tabulation", true}}) {
        f.Glossaire = c.glossaire;
        f.fiche.Cellules[2][0] = c.cellule;
        const ToucheGrille t = Tape(0, 2, ' ');
        EXPECT_EQ(f.fiche.Cellules[2][0], c.attendu) << c.cellule;
        EXPECT_EQ(t.Avalee, c.avalee) << c.cellule;
        EXPECT_EQ(t.CelluleChangee, c.avalee) << c.cellule;
    }
    EXPECT_FALSE(f.DocumentModifie); // typing alone is not an edit
}

TEST_F(Lignes_, VirguleDecimale) {
    const struct {
        int colonne;
        char touche, tape;
    } cas[] = {{1, '.', ','},   {3, '.', ','}, {0, '.', '.'},
               {1, '\b', '\b'}, {2, '5', '5'}, {1, '\r', '\r'}};
    for (const auto& c : cas) {
        const ToucheGrille t = Tape(c.colonne, 1, c.touche);
        EXPECT_FALSE(t.Avalee);
        EXPECT_EQ(t.Caractere, c.tape);
        EXPECT_FALSE(t.Deplacement);
    }
    EXPECT_EQ(f.NbLignes, 0);
}

TEST_F(Lignes_, EntreeCalculeEtAvance) {
    f.NbLignes = 1;
    f.fiche.Cellules[3] = {"Vis", "3", "10", "10", "", ""};
    const ToucheGrille t = Tape(3, 3, '\r');
    EXPECT_EQ(f.fiche.Cellules[3][5], "1");
    EXPECT_EQ(Trim(f.fiche.Cellules[3][4]), "27,00");
    EXPECT_EQ(f.fiche.TotalHT, "27,00");
    EXPECT_EQ(f.NbLignes, 3);
    EXPECT_TRUE(t.Deplacement && t.Avalee && t.Recalcul);
    EXPECT_EQ(t.Colonne, 0);
    EXPECT_EQ(t.Rangee, 4);
    EXPECT_TRUE(f.DocumentModifie && f.LivreModifie);

    f.NbLignes = 20;
    const ToucheGrille u = Tape(5, 7, '\r');
    EXPECT_EQ(u.Rangee, 7);
    EXPECT_EQ(u.Colonne, 0);
    EXPECT_EQ(f.NbLignes, 20);
}

TEST_F(Lignes_, EffacerLigne) {
    for (int r = 1; r <= 5; ++r)
        f.fiche.Cellules[r] = {"L" + std::to_string(r), "1", "", "", "", "1"};
    f.NbLignes = 6;
    f.SupLigne(2); // no grid focus: nothing
    EXPECT_EQ(f.fiche.Cellules[2][0], "L2");
    f.StringGrid1Enter();
    f.SupLigne(7); // after the lines in use: nothing
    EXPECT_EQ(f.NbLignes, 6);
    EXPECT_FALSE(f.DocumentModifie);
    f.SupLigne(2);
    EXPECT_EQ(f.fiche.Cellules[2][0], "L3");
    EXPECT_EQ(f.fiche.Cellules[4][0], "L5");
    EXPECT_TRUE(f.fiche.Cellules[5][0].empty());
    EXPECT_EQ(f.NbLignes, 5);
    EXPECT_TRUE(f.DocumentModifie && f.LivreModifie);

    // Every row in use: the row after the last counts as empty.
    for (int r = 1; r <= DerniereRangee; ++r)
        f.fiche.Cellules[r] = {"R" + std::to_string(r), "", "", "", "", ""};
    f.NbLignes = DerniereRangee;
    f.SupLigne(62);
    EXPECT_EQ(f.fiche.Cellules[62][0], "R63");
    EXPECT_EQ(f.fiche.Cellules[63], Rangee{});
    EXPECT_EQ(f.NbLignes, 62);
    f.StringGrid1Exit();
    f.SupLigne(1);
    EXPECT_EQ(f.fiche.Cellules[1][0], "R1");
}

} // namespace
} // namespace kyr::test
