#pragma once
// What a printed invoice or credit note carries besides the window's fields:
// the amount before tax and the VAT of each rate when it has several, and the
// lines that the e-invoice data give (the buyer's identifiers, the delivery
// address, the nature of the operation, the option for VAT on debits). The
// caller gathers them as plain texts; they are drawn in small type in the
// free space left of the client's address, above "N° client", so that every
// other position of the page stays where it is.
#include "book/calcul.h"
#include "book/reglages.h"
#include "printing/surface.h"

#include <string>
#include <vector>

namespace kyr {

// One row of the table: "20" (the rate as a number text, without "%"), the
// amount before tax and its VAT, as printed.
struct TauxImprime {
    std::string Taux, Base, Tva;
    bool operator==(const TauxImprime&) const = default;
};

struct ComplementsPage {
    std::vector<TauxImprime> ParTaux; // printed only with two rows or more
    std::vector<std::string> Lignes;  // one paragraph each (8-bit), on the first page
    bool operator==(const ComplementsPage&) const = default;
};

// The rows of the window's own calculation: one per rate used (a base or a VAT
// that is not 0), codes with the same rate together, in the order of the codes.
std::vector<TauxImprime> ParTauxDuCalcul(const Ventilation& v, const Reglages& r);

// The words of a paragraph in lines no wider than `largeur` device units, in
// the current font.
std::vector<std::string> CoupeTexte(Surface& s, const std::string& texte, int largeur);

// The lines from 38 mm down, wrapped to the column (20 to 112 mm), as far as
// the table leaves room; the table's last row at 73 mm. `premiere` and
// `derniere` tell which page is drawn: the lines go with the address on the
// first, the table with the totals on the last.
void DessineComplements(Surface& s, const ComplementsPage& c, bool premiere, bool derniere);

} // namespace kyr
