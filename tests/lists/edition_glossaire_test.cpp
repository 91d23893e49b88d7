// The glossary dialog's logic and what it hands back to the invoice window.
#include "lists/edition_glossaire.h"

#include "book/glossaire.h"
#include "book/outils_livre.h"

#include <gtest/gtest.h>

using namespace kyr;

TEST(EditionGlossaire, AbreviationEnMajusculesSeulement) {
    struct Cas {
        char tape;
        std::optional<char> passe;
    };
    for (const Cas& c : {Cas{'t', 'T'}, Cas{'z', 'Z'}, Cas{'A', 'A'}, Cas{'1', std::nullopt},
                         Cas{' ', std::nullopt}, Cas{'\xE9', std::nullopt}, Cas{'-', std::nullopt},
                         Cas{'\b', '\b'}, Cas{'\r', std::nullopt}})
        EXPECT_EQ(EditionGlossaire::Edit1KeyPress(c.tape), c.passe) << int(c.tape);
}

// (Adding, replacing after a click and inserting are driven through the dialog.)
TEST(EditionGlossaire, EntreeVideDesignationLongueEtSuppression) {
    EditionGlossaire g;
    g.Init({"L\t" + std::string(1500, 'x') + "\tfin", "MO\tMain d'oeuvre"});
    g.Clic(0);
    EXPECT_EQ(g.Designation, std::string(1024, 'x')) << "the field holds 1024 characters";
    Lignes liste;
    EXPECT_EQ(g.Result(liste, true), std::string(1500, 'x') + "\tfin") << "the entry is whole";

    g.Supprimer();
    g.Abreviation.clear();
    g.Designation.clear();
    EXPECT_EQ(g.Ajouter(), 1) << "nothing selected after Supprimer: appended";
    EXPECT_EQ(g.Result(liste, true), "");
    EXPECT_EQ(liste, (Lignes{"MO\tMain d'oeuvre", "\t"}));
}

class GlossaireFacture : public test::LivreTest {};

TEST_F(GlossaireFacture, LaListeRevientEtLeFichierEstRecrit) {
    f.Glossaire = {"TVA\tTaxe", "HT\tHors taxes"};
    f.fiche.Cellules[2][0] = "ancien";
    struct Cas {
        int colonne;
        std::string insere, cellule;
    };
    for (const Cas& c : {Cas{0, "", "ancien"}, Cas{1, "Hors taxes", "ancien"},
                         Cas{0, "Hors taxes", "Hors taxes"}}) {
        f.GlossaireModifie = false;
        const bool change = Glossaire(
            f,
            [&](Lignes& l) {
                l.push_back("MO\tMain d'oeuvre");
                return c.insere;
            },
            c.colonne, 2);
        EXPECT_EQ(change, c.cellule != "ancien");
        EXPECT_TRUE(f.GlossaireModifie);
        EXPECT_EQ(f.fiche.Cellules[2][0], c.cellule);
    }
    ASSERT_EQ(f.Glossaire.size(), 5u);
    SauveGlo(f.Glossaire);
    EXPECT_EQ(test::Octets(QStringLiteral("Fact.Glo")),
              QByteArray("TVA\tTaxe\r\nHT\tHors taxes\r\nMO\tMain d'oeuvre\r\nMO\tMain "
                         "d'oeuvre\r\nMO\tMain d'oeuvre\r\n"));
}
