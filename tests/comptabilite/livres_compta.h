#pragma once
// Small books written line by line for the accountant's files, and the
// settings of a book kept in euros at today's rates.
#include "book/bloc.h"
#include "book/fiche.h"
#include "book/reglages.h"
#include "common/texte.h"

#include <string>
#include <vector>

namespace kyr::test {

struct Vente {
    int bloc;
    std::string genre, numero, date;
    std::vector<std::string> fact; // "designation\tqty\tprice\tdiscount\tamount\tcode"
    std::string code = "10002", nom = "Garage du Centre";
    bool payee = false;
};

inline Lignes LivreCompta(const std::vector<Vente>& ventes) {
    Lignes l;
    for (const Vente& v : ventes) {
        for (const std::string& x :
             {LigneDebut(v.bloc), "NUM" + v.genre.substr(0, 1) + v.numero, v.date, v.code,
              std::string("A r\xE9"
                          "ception"),
              v.genre, v.nom, std::string(), std::string(), std::string(), std::string("TTCN")})
            l.push_back(x);
        for (const auto& f : v.fact)
            l.push_back("FACT" + f);
        if (v.payee) l.push_back("PAYE");
        l.push_back(LigneFin(v.bloc));
    }
    return l;
}

inline Reglages ReglagesEuros() {
    Reglages r;
    r.Devise = 1;
    r.TauxTVA = {0, 20, 10, 5.5L};
    return r;
}

} // namespace kyr::test
