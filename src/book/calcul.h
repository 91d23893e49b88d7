#pragma once
// The calculation of a document: line amounts, VAT per rate, totals and the
// converted total, written into the record's cells and total captions.
#include "book/fiche.h"
#include "book/reglages.h"

#include <functional>
#include <string>

namespace kyr {

// Width in pixels of a text in the grid's font.
using LargeurTexteFn = std::function<int(const std::string&)>;

// Right-aligns a text in a column of `largeur` pixels: blanks are put in front
// while the text is at most largeur - 10 pixels wide.
std::string Rset(const std::string& texte, int largeur, const LargeurTexteFn& mesure);

// Sets the heading of column 4 and runs CalculHT or CalculTTC by f.TTC.
void Calcule(Fiche& f, const Reglages& r, const LargeurTexteFn& mesure);
void CalculHT(Fiche& f, const Reglages& r, const LargeurTexteFn& mesure);
void CalculTTC(Fiche& f, const Reglages& r, const LargeurTexteFn& mesure);

} // namespace kyr
