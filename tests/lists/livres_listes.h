#pragma once
// Small books written line by line for the list and search tests.
#include "book/bloc.h"
#include "common/texte.h"

#include <string>

namespace kyr::test {

struct Document {
    int bloc;
    std::string numero; // the number line after "NUM": kind letter and 9 characters
    std::string code;
    std::string genre;
    std::string nom;
};

inline void AjouteBloc(Lignes& livre, const Document& d) {
    for (const std::string& l :
         {LigneDebut(d.bloc), "NUM" + d.numero, std::string("15/03/2001"), d.code,
          std::string("A r\xE9"
                      "ception"),
          d.genre, d.nom, std::string(), std::string(), std::string(), std::string("TTCN"),
          "FACTArticle " + d.nom + "\t1\t10,00\t\t10,00\t1", LigneFin(d.bloc)})
        livre.push_back(l);
}

inline Lignes Livre(std::initializer_list<Document> documents) {
    Lignes l;
    for (const auto& d : documents)
        AjouteBloc(l, d);
    return l;
}

} // namespace kyr::test
