// The search by kind letter and number.
#include "lists/recherche_numero.h"

#include "lists/livres_listes.h"

#include <gtest/gtest.h>

using namespace kyr;

namespace {
const std::string F = "Facture", D = "Devis    ";
}

TEST(RechercheNumero, TexteCherche) {
    Lignes livre = {"NUMF200103009", " "}; // a number line outside any block
    for (const auto& d : {test::Document{0, "F200103001", "10002", F, "ZERO"},
                          test::Document{1, "F12       ", "10003", F, "UN"},
                          test::Document{3, "D200103002", "10004", D, "TROIS"},
                          test::Document{2, "F2026 2001", "10005", F, "DEUX"}})
        test::AjouteBloc(livre, d);
    livre.push_back("NUMF200103009");
    struct Cas {
        const char* texte;
        int bloc;
    };
    for (const Cas& c :
         {Cas{"F200103001", 0}, Cas{"f200103001", 0}, Cas{"D200103002", 3}, Cas{"d200103002", 3},
          Cas{"F200103002", -1}, Cas{"F12       ", 1}, Cas{"F12", 1}, Cas{"f12 ", 1},
          Cas{"F12        ", 1}, Cas{"D12", -1}, Cas{"F1", -1}, Cas{"F2026 2001", 2},
          Cas{"F2026", -1}, Cas{"F20262001 ", -1}, Cas{"F200103009", -1}, Cas{"", -1}, Cas{"F", -1},
          Cas{"F ", -1}})
        EXPECT_EQ(ChercheNumero(livre, c.texte), c.bloc) << '"' << c.texte << '"';
}

TEST(RechercheNumero, LaCleTelleQueTapeeLEmporte) {
    // Block 1 holds the number with its blanks, block 2 the same number
    // without them (a book written by hand) and block 3 a number of blanks.
    const Lignes livre = test::Livre({{0, "F200103001", "10002", F, "ZERO"},
                                      {1, "F12       ", "10003", F, "UN"},
                                      {2, "F12", "10004", F, "DEUX"},
                                      {3, "F         ", "10005", F, "TROIS"}});
    struct Cas {
        const char* texte;
        int bloc;
    };
    for (const Cas& c :
         {Cas{"F12", 2}, Cas{"F12       ", 1}, Cas{"F12  ", 1}, Cas{"F         ", 3}, Cas{"F", -1}})
        EXPECT_EQ(ChercheNumero(livre, c.texte), c.bloc) << '"' << c.texte << '"';
}
