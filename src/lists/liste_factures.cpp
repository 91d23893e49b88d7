#include "lists/liste_factures.h"

#include "book/bloc.h"

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
    // Where each block starts: its first start line, as a search from the top finds it.
    std::vector<int> debuts(NbFichesMax, -1);
    const int taille = static_cast<int>(livre.size());
    for (int i = 0; i < taille; ++i) {
        const auto n = NumeroLigneDebut(livre[i]);
        if (n && debuts[*n] < 0) debuts[*n] = i;
    }

    std::vector<EntreeListe> entrees;
    for (int n = 0; n < NbFichesMax && debuts[n] >= 0; ++n) {
        const int debut = debuts[n];
        // A block cut short (its end line, another block or the end of the
        // book within the header) gives empty fields, as when it is shown.
        const std::string fin = LigneFin(n);
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
        entrees.push_back({std::move(t), n});
    }
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
