#include "book/lignes_livre.h"

#include "book/bloc.h"
#include "common/nombres.h"

namespace kyr {

LignesLivre& LignesLivre::operator=(const LignesLivre& autre) {
    if (this != &autre) {
        m_lignes = autre.m_lignes;
        Oublie();
    }
    return *this;
}

LignesLivre& LignesLivre::operator=(LignesLivre&& autre) noexcept {
    if (this != &autre) {
        m_lignes = std::move(autre.m_lignes);
        m_premiers = std::move(autre.m_premiers);
        m_releve = std::move(autre.m_releve);
        autre.Oublie();
    }
    return *this;
}

int LignesLivre::Premier(int n) const {
    if (n < 0 || n >= NbFichesMax) return -1;
    if (!m_premiers) m_premiers = IndexDebuts(m_lignes);
    return (*m_premiers)[static_cast<std::size_t>(n)];
}

const std::vector<int>& LignesLivre::Debuts() const {
    return Parcours().debuts;
}

int LignesLivre::Solde() const {
    return Parcours().solde;
}

std::optional<int> LignesLivre::PlusGrandNumero(std::string_view cle) const {
    const Releve& r = Parcours();
    const Numeros& n = cle == "NUMF" ? r.factures : cle == "NUMA" ? r.avoirs : r.devis;
    if (n.erreur) throw *n.erreur;
    return n.plusGrand;
}

const LignesLivre::Releve& LignesLivre::Parcours() const {
    if (m_releve) return *m_releve;
    Releve r;
    const auto numero = [](Numeros& n, std::string_view ligne, bool tolere = false) {
        if (n.erreur) return; // the first unreadable number is what a question gets
        // The number as the format reads it: at most 255 characters, blanks trimmed.
        const std::string_view texte = TrimVue(Debut(Depuis(ligne, 4), 255));
        if (texte.empty()) return;
        try {
            const int v = StrToInt(texte);
            n.plusGrand = n.plusGrand ? std::max(*n.plusGrand, v) : v;
        } catch (const ErreurExecution& e) {
            if (!tolere) n.erreur = e;
        }
    };
    for (std::size_t i = 0; i < m_lignes.size(); ++i) {
        const std::string& l = m_lignes[i];
        // The first character decides: most lines of a block begin with neither.
        if (l.size() < 4) continue;
        if (l[0] == '<') {
            if (CommenceDebut(l)) {
                r.debuts.push_back(static_cast<int>(i));
                ++r.solde;
            } else if (CommenceFin(l)) {
                --r.solde;
            }
        } else if (l[0] == 'N' && l[1] == 'U' && l[2] == 'M') {
            if (l[3] == 'F')
                numero(r.factures, l);
            else if (l[3] == 'D')
                numero(r.devis, l);
            else if (l[3] == 'A')
                numero(r.avoirs, l, true);
        }
    }
    m_releve = std::move(r);
    return *m_releve;
}

} // namespace kyr
