#pragma once
// The client card's table: a copy of the client list's records, one row per
// client (code, then the four coordinates lines), sorted by name when the card
// opens and written back into the list when it closes. The dialog TFichCli
// shows this state and turns the user's actions into calls here.
#include "clients/rangees_clients.h"
#include "common/plateforme.h"
#include "common/texte.h"

#include <array>
#include <string>
#include <vector>

namespace kyr {

class TableClients {
public:
    static constexpr int RangeesInitiales = 64;
    static constexpr int SeuilAjoutRangee = 60; // past this many clients each new one adds a row

    explicit TableClients(Plateforme& plateforme) : m_plateforme(plateforme) {
        Rangees.Recommence(nullptr, RangeesInitiales);
    }

    TableClients(const TableClients&) = delete;
    TableClients& operator=(const TableClients&) = delete;

    RangeesClients Rangees;      // the grid
    int DernierClient = -1;      // last row holding a client; rows after it are spare
    bool FicheModifiee = false;  // the table must be written back into the list
    int Courante = 0;            // current row, shown in the fields
    LigneClient Champs;          // Edit1 (code) to Edit5
    bool CodeModifiable = false; // Edit1 editable: only right after "Ajouter"

    // Fills the table from the client list's records, then sorts it. The
    // rows read their texts in `liste`, which must outlive the table and stay
    // as it is until Result; a list handed over as a temporary is kept here.
    void Init(const Lignes& liste);
    void Init(Lignes&& liste);
    // Replaces the list's content by the table's records when the table
    // changed; the texts are moved out of the list the table was filled from.
    // Once called, the table is spent.
    void Result(Lignes& liste);
    // Exchange sort by name on the bytes' values (no case or accent folding).
    void Tri();

    // The current row into the fields; Edit1 becomes read-only.
    void LitFiche();
    // The fields into the current row. The code of a client being added must
    // be one to five digits that no other client has: otherwise a message is
    // shown, nothing is written and the result is false (the card stays).
    bool EcritFiche();

    // Each writes the card first; false when it was refused (nothing moved).
    bool Precedent();
    bool Suivant();
    bool Ajouter();
    void Supprimer();
    // Finds the exact code; "Client non trouvé" otherwise. Typed text not yet
    // written is dropped when the card moves.
    bool Chercher(const std::string& code);
    // A row chosen in the grid: shown without writing the card first.
    void Selectionne(int rangee);
    // "Fermer" or the close box: writes the card; false when it was refused.
    bool Fermer();
    // A character typed in a field (code 32 or more marks the table changed).
    void Frappe(unsigned char c);

private:
    void AjouteRangeeSiBesoin(int nbClients);
    void LacheNouveauVide();
    bool CodeAcceptable(const std::string& code);

    Plateforme& m_plateforme;
    Lignes m_liste;     // a list handed over as a temporary
    int m_nouveau = -1; // row of the client being added, -1 when none
};

} // namespace kyr
