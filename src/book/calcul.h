#pragma once
// The calculation of a document: line amounts, VAT per rate, totals and the
// converted total, written into the record's cells and total captions.
#include "book/fiche.h"
#include "book/reglages.h"
#include "common/erreurs.h"

#include <array>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace kyr {

// Width in pixels of a text in the grid's font.
using LargeurTexteFn = std::function<int(const std::string&)>;

// Right-aligns a text in a column of `largeur` pixels: blanks are put in front
// while the text is at most largeur - 10 pixels wide.
std::string Rset(const std::string& texte, int largeur, const LargeurTexteFn& mesure);

// What one run found besides the cells and captions: per VAT code (1..3) the
// amount before tax and its VAT, as the totals were made from them, and the
// rows whose reading stopped on a text that is not a number.
struct Ventilation {
    std::array<Reel6, 4> BaseHT{0, 0, 0, 0};
    std::array<Reel6, 4> TVA{0, 0, 0, 0};
    struct RangeeIllisible {
        int Rangee;
        std::string Texte; // the quantity, price or discount text that stopped it
    };
    std::vector<RangeeIllisible> Illisibles;
};

// Sets the heading of column 4 and runs CalculHT or CalculTTC by f.TTC. An
// empty `mesure` computes the figures only: the cells keep their texts as read
// (quantity, unit price and amount are not rewritten), the totals are set.
Ventilation Calcule(Fiche& f, const Reglages& r, const LargeurTexteFn& mesure);
Ventilation CalculHT(Fiche& f, const Reglages& r, const LargeurTexteFn& mesure);
Ventilation CalculTTC(Fiche& f, const Reglages& r, const LargeurTexteFn& mesure);

// The cells of one grid row as views (see CellulesFact).
using CellulesVues = std::array<std::string_view, NbColonnes>;

// What Calcule finds for a document whose rows 1, 2, ... hold these cells (at
// most 63 rows, the others empty), computed by the same code without a record
// and without writing anything: the totals as values rather than captions.
// The converted total is computed, its overflow being an error as in the
// window, but not kept.
struct ChiffresDocument {
    Ventilation Detail;
    Reel6 HT = 0, TVA = 0, TTC = 0;
    bool Indefini = false; // HT and TVA are not shown (a rate of -100 %, see CalculTTC)
    std::optional<ErreurExecution> Erreur; // the calculation's error; no figure then
};
ChiffresDocument ChiffreRangees(std::span<const CellulesVues> rangees, bool ttc, const Reglages& r);

} // namespace kyr
