#include "lists/liste_factures.h"

#include "book/bloc.h"

#include <algorithm>

namespace kyr {

namespace {

bool Chiffre(char c) {
    return c >= '0' && c <= '9';
}

} // namespace

std::optional<int> NumeroLigneDebut(std::string_view ligne) {
    if (ligne.size() != 10 || ligne[9] != '>' || !CommenceDebutSansCasse(ligne))
        return std::nullopt;
    int n = 0;
    for (std::size_t i = 5; i < 9; ++i) {
        if (!Chiffre(ligne[i])) return std::nullopt;
        n = n * 10 + (ligne[i] - '0');
    }
    return n;
}

std::vector<EntreeListe> EntreesListe(const Lignes& livre) {
    // Each block's entry is made at its first start line, as a search from
    // the top finds it, while the lines after it are being read anyway:
    // blocks lie in the file in any order, and going to them in number order
    // afterwards would jump all over a large book.
    std::vector<EntreeListe> entrees(NbFichesMax);
    const int taille = static_cast<int>(livre.size());
    for (int debut = 0; debut < taille; ++debut) {
        const auto n = NumeroLigneDebut(livre[debut]);
        if (!n || entrees[*n].Bloc >= 0) continue;
        // A block cut short (its end line, another block or the end of the
        // book within the header) gives empty fields, as when it is shown.
        const std::string fin = LigneFin(*n);
        int limite = std::min(taille, debut + 7);
        for (int i = debut + 1; i < limite; ++i)
            if (livre[i] == fin || CommenceDebutSansCasse(livre[i])) {
                limite = i;
                break;
            }
        const auto ligne = [&](int k) -> std::string_view {
            return debut + k < limite ? std::string_view(livre[debut + k]) : std::string_view();
        };
        std::string t(Depuis(ligne(1), 4));
        for (int k : {2, 3, 5, 6}) {
            t += "  ";
            t += ligne(k);
        }
        entrees[*n] = {std::move(t), *n};
    }
    // The list runs from block 0 to the last block before the first missing number.
    const auto manque = std::find_if(entrees.begin(), entrees.end(),
                                     [](const EntreeListe& e) { return e.Bloc < 0; });
    entrees.erase(manque, entrees.end());
    return entrees;
}

bool Liste(Facture& f, const std::function<int(const Lignes&)>& choix) {
    f.EcritFiche();
    const int bloc = choix(f.Livre);
    if (bloc < 0 || bloc >= NbFichesMax) return false;
    f.FicheCourante = bloc;
    f.LitFiche();
    return true;
}

} // namespace kyr
