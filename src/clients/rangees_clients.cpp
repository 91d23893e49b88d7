#include "clients/rangees_clients.h"

namespace kyr {

namespace {
constexpr std::size_t LongueurBalise = 5; // "<CLI>"
}

void RangeesClients::Recommence(const Lignes* liste, std::size_t n) {
    m_liste = liste;
    m_rangees.assign(n, Vide);
    m_propres.clear();
}

std::string_view RangeesClients::Cellule(std::size_t r, std::size_t c) const {
    const Rangee v = m_rangees[r];
    if (v == Vide) return {};
    if (v <= Propre) return m_propres[static_cast<std::size_t>(Propre - v)][c];
    // A record cut short at the end of the list has empty cells.
    const std::size_t ligne = static_cast<std::size_t>(v) + c;
    if (ligne >= m_liste->size()) return {};
    const std::string& texte = (*m_liste)[ligne];
    return c == 0 ? Depuis(texte, LongueurBalise) : std::string_view(texte);
}

bool RangeesClients::EstVide(std::size_t r) const {
    for (std::size_t c = 0; c < 5; ++c)
        if (!Cellule(r, c).empty()) return false;
    return true;
}

LigneClient RangeesClients::operator[](std::size_t r) const {
    LigneClient l;
    for (std::size_t c = 0; c < 5; ++c)
        l[c] = std::string(Cellule(r, c));
    return l;
}

void RangeesClients::Ecrit(std::size_t r, LigneClient l) {
    Rangee& v = m_rangees[r];
    if (v <= Propre) {
        m_propres[static_cast<std::size_t>(Propre - v)] = std::move(l);
        return;
    }
    v = Propre - static_cast<Rangee>(m_propres.size());
    m_propres.push_back(std::move(l));
}

void RangeesClients::Retire(std::size_t r, std::size_t dernier) {
    // Each row of its own belongs to one row only: the rows move, none is copied.
    const Rangee retiree = m_rangees[r];
    for (std::size_t i = r; i < dernier; ++i)
        m_rangees[i] = m_rangees[i + 1];
    m_rangees[dernier] = Vide;
    if (retiree <= Propre) m_propres[static_cast<std::size_t>(Propre - retiree)] = {};
}

void RangeesClients::Recrit(std::size_t n, Lignes& liste) {
    // Output line k of row k / 5 is made from the list line source[k], or
    // anew (Neuve): a header of a row of its own, a cell of a row of its own
    // or of a record cut short, or a line another output line took first.
    constexpr std::size_t Neuve = static_cast<std::size_t>(-1);
    const bool surPlace = &liste == m_liste;
    const std::size_t sortie = n * 5;
    const std::size_t tailleListe = m_liste ? m_liste->size() : 0;
    std::vector<std::size_t> source(sortie, Neuve);
    std::vector<std::pair<std::size_t, std::string>> copies; // lines shared by two records
    std::vector<char> prise(surPlace ? liste.size() : 0, 0);
    for (std::size_t r = 0; r < n; ++r) {
        const Rangee v = m_rangees[r];
        for (std::size_t c = 0; c < 5; ++c) {
            const std::size_t k = r * 5 + c;
            if (v < 0) continue;
            const std::size_t ligne = static_cast<std::size_t>(v) + c;
            if (ligne >= tailleListe) continue; // a record cut short: made empty below
            if (surPlace && !prise[ligne]) {
                prise[ligne] = 1;
                source[k] = ligne;
            } else {
                copies.emplace_back(k, (*m_liste)[ligne]);
            }
        }
    }
    if (surPlace) {
        // The lines move to their places along the cycles of one permutation
        // of the whole list, which the lines no row takes complete: no
        // second list is made, however large the client file.
        const std::size_t taille = std::max(sortie, liste.size());
        liste.resize(taille);
        source.resize(taille, Neuve);
        std::size_t libre = 0; // the next list line that no output line takes
        prise.resize(taille, 0);
        for (std::size_t k = 0; k < taille; ++k) {
            if (source[k] != Neuve) continue;
            while (prise[libre])
                ++libre;
            prise[libre] = 1;
            source[k] = libre;
        }
        for (std::size_t debut = 0; debut < taille; ++debut) {
            if (source[debut] == debut || source[debut] == Neuve) continue;
            std::string tenue = std::move(liste[debut]);
            std::size_t place = debut;
            while (source[place] != debut) {
                const std::size_t suivante = source[place];
                liste[place] = std::move(liste[suivante]);
                source[place] = Neuve; // filled
                place = suivante;
            }
            liste[place] = std::move(tenue);
            source[place] = Neuve;
        }
        liste.resize(sortie);
    } else {
        liste.assign(sortie, std::string());
    }
    // What is made anew: rows of their own, empty cells, shared lines.
    for (std::size_t r = 0; r < n; ++r) {
        const Rangee v = m_rangees[r];
        if (v <= Propre) {
            LigneClient& l = m_propres[static_cast<std::size_t>(Propre - v)];
            liste[r * 5] = "<CLI>" + l[0];
            for (std::size_t c = 1; c < 5; ++c)
                liste[r * 5 + c] = std::move(l[c]);
        } else if (v == Vide) {
            liste[r * 5] = "<CLI>";
            for (std::size_t c = 1; c < 5; ++c)
                liste[r * 5 + c].clear();
        } else {
            for (std::size_t c = 1; c < 5; ++c)
                if (static_cast<std::size_t>(v) + c >= tailleListe) liste[r * 5 + c].clear();
        }
    }
    for (auto& [k, texte] : copies)
        liste[k] = std::move(texte);
    m_rangees.clear();
    m_propres.clear();
}

} // namespace kyr
