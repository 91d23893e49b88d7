#pragma once
// The printed sales journal, drawn on any page device: A4 landscape, one row a
// document, the title, the period and the column headings repeated on every
// page, "Page n/N" at the bottom right, the totals (with each VAT code) at the
// end and the documents not counted after them.
#include "lists/journal.h"
#include "printing/surface.h"

namespace kyr {

constexpr Orientation OrientationJournal = Orientation::Paysage;

// The pages the view takes on this device.
int NbPagesJournal(Surface& s, const VueJournal& v);
// Draws every page; the caller has begun the job and ends it.
void DessineJournal(Surface& s, const VueJournal& v);

} // namespace kyr
