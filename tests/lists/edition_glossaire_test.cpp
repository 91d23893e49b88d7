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

TEST(EditionGlossaire, AjouterRemplaceApresUnClicEtFermerGardeLesChangements) {
    EditionGlossaire g;
    g.Init({"TVA\tTaxe sur la valeur ajout\xE9"
            "e",
            "sans tabulation", "MO\tMain d'oeuvre"});
    EXPECT_EQ(g.Selection(), -1);

    g.Abreviation = "HT";
    g.Designation = "Hors taxes";
    EXPECT_EQ(g.Ajouter(), 3);
    g.Clic(3);
    EXPECT_EQ(g.Abreviation, "HT");
    g.Designation = "Hors toutes taxes";
    EXPECT_EQ(g.Ajouter(), 3) << "after a click the entry is replaced";

    g.Clic(1); // no TAB: the fields keep what they held
    EXPECT_EQ(g.Abreviation, "HT");
    EXPECT_EQ(g.Designation, "Hors toutes taxes");
    Lignes liste;
    EXPECT_EQ(g.Result(liste, true), "sans tabulation") << "an entry without TAB is whole";

    g.Clic(0);
    g.Supprimer();
    EXPECT_EQ(g.Selection(), -1);
    g.Abreviation = "";
    g.Designation = "";
    g.Ajouter(); // nothing selected: an empty entry is appended
    EXPECT_EQ(g.Result(liste, false), "") << "Fermer gives no designation";
    EXPECT_EQ(liste,
              (Lignes{"sans tabulation", "MO\tMain d'oeuvre", "HT\tHors toutes taxes", "\t"}));
    EXPECT_EQ(g.Result(liste, true), "") << "nothing selected after Supprimer";

    g.Clic(1);
    EXPECT_EQ(g.Result(liste, true), "Main d'oeuvre");
    g.Init({"L\t" + std::string(1500, 'x') + "\tfin"});
    g.Clic(0);
    EXPECT_EQ(g.Designation, std::string(1024, 'x'));
    EXPECT_EQ(g.Result(liste, true), std::string(1500, 'x') + "\tfin");
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
