#pragma once
// The printed VAT return, drawn on any page device: A4 portrait, the title
// and the period on every page, the notes, the figures with the form's line
// numbers, then the documents counted, waiting and left out, "Page n/N" at the
// bottom right.
#include "comptabilite/declaration_tva.h"
#include "printing/surface.h"

namespace kyr {

constexpr Orientation OrientationDeclaration = Orientation::Portrait;

int NbPagesDeclaration(Surface& s, const DeclarationTVA& d);
// Draws every page; the caller has begun the job and ends it.
void DessineDeclaration(Surface& s, const DeclarationTVA& d);

} // namespace kyr
