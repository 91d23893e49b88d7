#pragma once
// The glossary dialog's logic: the entries being edited ("abbreviation TAB
// designation" lines, one for one with the glossary file), the selected entry
// and the two fields, and what the dialog hands back.
#include "book/facture.h"
#include "common/texte.h"

#include <functional>
#include <optional>
#include <string>

namespace kyr {

constexpr int LongueurDesignationGlossaire = 1024;

class EditionGlossaire {
public:
    EditionGlossaire() = default;
    EditionGlossaire(const EditionGlossaire&) = delete;
    EditionGlossaire& operator=(const EditionGlossaire&) = delete;

    // The caller's list is edited where it is, nothing selected: every change
    // goes back to it however the dialog closes, so a glossary of millions of
    // entries is never held twice. It must outlive the editing.
    void Init(Lignes& liste);
    // A list of the editing's own.
    void Init(Lignes&& liste);

    const Lignes& Entrees() const { return *m_entrees; }
    int Selection() const { return m_selection; }
    std::string Abreviation; // Edit1
    std::string Designation; // Edit2

    // A click on entry i selects it; an entry with a TAB fills both fields.
    void Clic(int i);
    // "Ajouter": the entry made of the fields replaces the selected entry, or
    // is appended when none is selected. Returns its index.
    int Ajouter();
    // The list lost its selection (a click beside the entries).
    void Deselectionne() { m_selection = -1; }
    // "Supprimer": deletes the selected entry, if any; then none is selected.
    void Supprimer();

    // Gives the caller's list every entry (it has them already when it is
    // the list edited), however the dialog was closed; the designation of the
    // selected entry when it was closed with "Insérer".
    std::string Result(Lignes& liste, bool insere) const;

    // A character typed into the abbreviation: a to z become capitals,
    // anything but A to Z is swallowed (nullopt); Backspace passes.
    static std::optional<char> Edit1KeyPress(char c);

private:
    Lignes m_propres;
    Lignes* m_entrees = &m_propres;
    int m_selection = -1;
};

// "&Glossaire": `dialogue` edits the list in place and gives the designation
// to insert; the glossary is then to be written at exit. A designation
// replaces the designation cell of `rangee` when `colonne` is 0. True when the
// cell changed.
bool Glossaire(Facture& f, const std::function<std::string(Lignes&)>& dialogue, int colonne,
               int rangee);

} // namespace kyr
