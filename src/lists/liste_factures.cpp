#include "lists/liste_factures.h"

#include "book/bloc.h"

#include <algorithm>

namespace kyr {

namespace {

bool Chiffre(char c) {
    return c >= '0' && c <= '9';
}

constexpr std::string_view Separateur = "  ";

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

std::vector<EntreeListe> EntreesListe(const LignesLivre& livre) {
    std::vector<EntreeListe> entrees;
    for (int n = 0; n < NbFichesMax; ++n) {
        const int debut = livre.Premier(n);
        if (debut < 0) break; // the list stops at the first missing number
        entrees.push_back({debut, n});
    }
    return entrees;
}

std::array<std::string_view, 5> ChampsEntree(const Lignes& livre, const EntreeListe& e) {
    // The header ends early at the block's end line, another block's start
    // line or the end of the book.
    // Both begin with '<', which most lines do not: the window's width asks
    // this of every entry.
    const int taille = static_cast<int>(livre.size());
    int limite = std::min(taille, e.Debut + 7);
    for (int i = e.Debut + 1; i < limite; ++i) {
        const std::string& l = livre[i];
        if (l.empty() || l[0] != '<') continue;
        if (CommenceDebutSansCasse(l) || l == LigneFin(e.Bloc)) {
            limite = i;
            break;
        }
    }
    const auto ligne = [&](int k) -> std::string_view {
        return e.Debut + k < limite ? std::string_view(livre[e.Debut + k]) : std::string_view();
    };
    return {Depuis(ligne(1), 4), ligne(2), ligne(3), ligne(5), ligne(6)};
}

std::string TexteEntree(const Lignes& livre, const EntreeListe& e) {
    const auto champs = ChampsEntree(livre, e);
    std::string t(champs[0]);
    for (std::size_t k = 1; k < champs.size(); ++k) {
        t += Separateur;
        t += champs[k];
    }
    return t;
}

std::size_t LongueurEntree(const Lignes& livre, const EntreeListe& e) {
    const auto champs = ChampsEntree(livre, e);
    std::size_t n = (champs.size() - 1) * Separateur.size();
    for (const auto c : champs)
        n += c.size();
    return n;
}

bool Liste(Facture& f, const std::function<int(const LignesLivre&)>& choix) {
    f.EcritFiche();
    const int bloc = choix(f.Livre);
    if (bloc < 0 || bloc >= NbFichesMax) return false;
    f.FicheCourante = bloc;
    f.LitFiche();
    return true;
}

} // namespace kyr
