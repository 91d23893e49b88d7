// Typing document lines: glossary expansion, decimal comma, Enter to compute
// and move on, deleting a line, and the memo's line limit.
#include "book/facture.h"
#include "book/glossaire.h"

#include <algorithm>

namespace kyr {

namespace {

constexpr char Entree = '\r';
constexpr char RetourArriere = '\b';
constexpr int MemoMaxLignes = 5;
// While fewer lines are in use, Enter moves to the next row.
constexpr int LignesAvance = 20;

} // namespace

ToucheGrille Facture::StringGrid1KeyPress(int colonne, int rangee, char touche) {
    ToucheGrille t;
    t.Caractere = touche;
    if (rangee < 1 || rangee > DerniereRangee || colonne < 0 || colonne >= NbColonnes) return t;
    if (EmissionCourante) { // fixed once issued
        t.Avalee = true;
        return t;
    }
    std::string& cellule = fiche.Cellules[rangee][colonne];

    if (colonne == 0) {
        if (touche != ' ') return t;
        if (auto texte = Expansion(Glossaire, cellule)) {
            cellule = *texte;
            t.Avalee = true;
            t.CelluleChangee = true;
        }
        return t;
    }
    if (touche == RetourArriere) return t;
    if (touche == '.') t.Caractere = ',';
    if (touche == Entree && colonne >= 2) {
        if (fiche.Cellules[rangee][5].empty()) fiche.Cellules[rangee][5].assign(1, '1');
        // The line is in use and the flags set even when the computation fails.
        Modifie();
        NbLignes = std::max(NbLignes, rangee);
        t.Avalee = true;
        t.Deplacement = true;
        t.Colonne = 0;
        t.Rangee = NbLignes < LignesAvance ? rangee + 1 : rangee;
        t.CelluleChangee = true;
        Calcule();
        t.Recalcul = true;
    }
    return t;
}

void Facture::SupLigne(int rangee) {
    const int derniere = std::min(NbLignes, DerniereRangee);
    if (!FocusGrille || rangee < 1 || rangee > derniere || EmissionCourante) return;
    // The row after the last grid row counts as empty.
    for (int i = rangee; i < derniere; ++i)
        fiche.Cellules[i] = fiche.Cellules[i + 1];
    fiche.Cellules[derniere] = Rangee{};
    NbLignes = derniere - 1;
    Modifie();
}

void Facture::StringGrid1Enter() {
    FocusGrille = true;
}

void Facture::StringGrid1Exit() {
    FocusGrille = false;
}

bool Facture::Memo1KeyPress(char touche, int nbLignesMemo) const {
    return touche == Entree && nbLignesMemo >= MemoMaxLignes;
}

} // namespace kyr
