#include "lists/edition_glossaire.h"

namespace kyr {

namespace {
constexpr char Tab = '\t';
}

void EditionGlossaire::Init(Lignes& liste) {
    m_entrees = &liste;
    m_selection = -1;
}

void EditionGlossaire::Init(Lignes&& liste) {
    m_propres = std::move(liste);
    m_entrees = &m_propres;
    m_selection = -1;
}

void EditionGlossaire::Clic(int i) {
    if (i < 0 || i >= static_cast<int>(m_entrees->size())) return;
    m_selection = i;
    const std::string& e = (*m_entrees)[i];
    const auto tab = e.find(Tab);
    if (tab == std::string::npos) return;
    Abreviation = e.substr(0, tab);
    Designation = std::string(Debut(Depuis(e, tab + 1), LongueurDesignationGlossaire));
}

int EditionGlossaire::Ajouter() {
    std::string e = Abreviation + Tab + Designation;
    if (m_selection < 0) {
        m_entrees->push_back(std::move(e));
        return static_cast<int>(m_entrees->size()) - 1;
    }
    (*m_entrees)[m_selection] = std::move(e);
    return m_selection;
}

void EditionGlossaire::Supprimer() {
    if (m_selection >= 0) m_entrees->erase(m_entrees->begin() + m_selection);
    m_selection = -1;
}

std::string EditionGlossaire::Result(Lignes& liste, bool insere) const {
    if (&liste != m_entrees) liste = *m_entrees;
    if (!insere || m_selection < 0) return {};
    const std::string& e = (*m_entrees)[m_selection];
    const auto tab = e.find(Tab);
    return tab == std::string::npos ? e : e.substr(tab + 1);
}

std::optional<char> EditionGlossaire::Edit1KeyPress(char c) {
    if (c == '\b') return c;
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    if (c < 'A' || c > 'Z') return std::nullopt;
    return c;
}

bool Glossaire(Facture& f, const std::function<std::string(Lignes&)>& dialogue, int colonne,
               int rangee) {
    const std::string texte = dialogue(f.Glossaire);
    f.GlossaireModifie = true;
    if (texte.empty() || colonne != 0 || rangee < 1 || rangee > DerniereRangee) return false;
    if (f.EmissionCourante) return false; // its lines are fixed
    f.fiche.Cellules[rangee][0] = texte;
    return true;
}

} // namespace kyr
