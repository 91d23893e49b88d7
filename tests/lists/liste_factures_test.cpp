// The document list: its entries as the book holds them, and opening one.
#include "lists/liste_factures.h"

#include "book/outils_livre.h"
#include "lists/livres_listes.h"

#include <gtest/gtest.h>

using namespace kyr;
using test::Document;

namespace {

// Each entry's text, checked against the length the list sizes itself by.
std::vector<std::string> Textes(const Lignes& livre, const std::vector<EntreeListe>& e) {
    std::vector<std::string> t;
    for (const auto& x : e) {
        t.push_back(TexteEntree(livre, x));
        EXPECT_EQ(LongueurEntree(livre, x), t.back().size());
    }
    return t;
}
std::vector<int> Blocs(const std::vector<EntreeListe>& e) {
    std::vector<int> b;
    for (const auto& x : e)
        b.push_back(x.Bloc);
    return b;
}

const std::string F = "Facture", D = "Devis    ", A = "Avoir     ";

} // namespace

TEST(ListeFactures, EntreesDuLivreExemple) {
    const LignesLivre livre = *LitFichier(test::Donnee("exemple.fct"));
    const auto e = EntreesListe(livre);
    EXPECT_EQ(Textes(livre, e), (std::vector<std::string>{
                                    "200001001  03/01/2000  10002  Facture  Garage du Centre",
                                    "200001002  07/01/2000  10003  Facture  Boulangerie Martin",
                                    "200001001  10/01/2000  10004  Devis      Caf\xE9 de la Poste",
                                    "200001004  15/01/2000  10002  Facture  Garage du Centre"}));
    EXPECT_EQ(Blocs(e), (std::vector<int>{0, 1, 2, 3}));
    EXPECT_EQ(TexteEntree(livre, e[2])[30], 'D') << "the kind letter is the 31st character";
}

TEST(ListeFactures, EntreesSelonLeLivre) {
    struct Cas {
        const char* nom;
        Lignes livre;
        std::vector<std::string> textes;
        std::vector<int> blocs;
    };
    Lignes minuscule = test::Livre({{0, "F200103001", "10002", F, "UN"}});
    minuscule.push_back("<bloc0001>"); // found whatever the case
    for (const std::string& l : {std::string("NUMD200103001"), std::string("16/03/2001"),
                                 std::string("10003"), std::string(), D, std::string("DEUX")})
        minuscule.push_back(l);
    Lignes coupe = test::Livre({{0, "F200103001", "10002", F, "UN"}});
    coupe.insert(coupe.end(), {"<BLOC0001>", "NUMF200103002", "16/03/2001"});
    Lignes doublon = test::Livre({{0, "F200103001", "10002", F, "PREMIER"},
                                  {1, "F200103002", "10003", F, "UN"},
                                  {0, "F200103009", "10009", F, "SECOND"}});

    const std::vector<Cas> cas = {
        {"vide", {}, {}, {}},
        {"sans bloc", {" ", "texte"}, {}, {}},
        {"numero court et exemple de la liste",
         test::Livre({{0, "F12       ", "10005", F, "DURAND"}}),
         {"12         15/03/2001  10005  Facture  DURAND"},
         {0}},
        {"arret au premier numero manquant",
         test::Livre({{0, "F200103001", "10002", F, "ZERO"},
                      {1, "F200103002", "10003", F, "UN"},
                      {4, "F200103005", "10004", F, "QUATRE"},
                      {2, "D200103001", "10005", D, "DEUX"}}),
         {"200103001  15/03/2001  10002  Facture  ZERO",
          "200103002  15/03/2001  10003  Facture  UN",
          "200103001  15/03/2001  10005  Devis      DEUX"},
         {0, 1, 2}},
        {"code client d'un caractere",
         test::Livre({{0, "A200103001", "0", A, "X"}}),
         {"200103001  15/03/2001  0  Avoir       X"},
         {0}},
        {"ligne de debut en minuscules",
         minuscule,
         {"200103001  15/03/2001  10002  Facture  UN",
          "200103001  16/03/2001  10003  Devis      DEUX"},
         {0, 1}},
        {"bloc coupe en fin de livre",
         coupe,
         {"200103001  15/03/2001  10002  Facture  UN", "200103002  16/03/2001      "},
         {0, 1}},
        {"premier bloc d'un numero en double",
         doublon,
         {"200103001  15/03/2001  10002  Facture  PREMIER",
          "200103002  15/03/2001  10003  Facture  UN"},
         {0, 1}},
    };
    for (const auto& c : cas) {
        const auto e = EntreesListe(c.livre);
        EXPECT_EQ(Textes(c.livre, e), c.textes) << c.nom;
        EXPECT_EQ(Blocs(e), c.blocs) << c.nom;
    }
}

class ListeOuvre : public test::LivreTest {};

TEST_F(ListeOuvre, ChaqueEntreeOuvreSonDocumentEtLeDocumentAfficheEstRange) {
    // Two documents share a number and one has a one-character client code:
    // each entry still opens its own document.
    f.Livre = test::Livre({{0, "F200103001", "10002", F, "ZERO"},
                           {1, "F200103001", "0", F, "UN"},
                           {2, "D200103001", "10004", D, "DEUX"}});
    f.NbFiches = 3;
    f.LitFiche();
    f.fiche.Adresse[1] = "rue modifiee";
    f.Modifie();

    std::vector<EntreeListe> vues;
    ASSERT_TRUE(Liste(f, [&](const LignesLivre& livre) {
        vues = EntreesListe(livre);
        return vues[1].Bloc;
    }));
    ASSERT_EQ(vues.size(), 3u);
    EXPECT_EQ(f.FicheCourante, 1);
    EXPECT_EQ(f.fiche.CodeClient, "0");
    EXPECT_EQ(f.fiche.Adresse[0], "UN");

    EXPECT_FALSE(Liste(f, [](const LignesLivre&) { return -1; }));
    EXPECT_EQ(f.FicheCourante, 1) << "nothing chosen: the shown document stays";
    f.FicheCourante = 0;
    f.LitFiche();
    EXPECT_EQ(f.fiche.Adresse[1], "rue modifiee") << "stored before the list was shown";
}
