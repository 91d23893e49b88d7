#pragma once
// The legal mentions an e-invoice's page carries besides the document: the
// seller's identifiers, the due date (or payment), the invoice a credit note
// corrects, the VAT exemption of a small business and the three mandatory
// notes. They are drawn in small type at the foot of the last page, under the
// payment terms, with the page's own device.
#include "einvoice/facture_electronique.h"
#include "printing/surface.h"

#include <string>
#include <vector>

namespace kyr {

// The mentions, one paragraph each (8-bit).
std::vector<std::string> Mentions(const FactureElectronique& fe);

// Draws them from 278 mm down, each paragraph wrapped to the width of the
// frame; what does not fit above the foot of the page is left out (the XML
// carries it whole).
void DessineMentions(Surface& s, const FactureElectronique& fe);

} // namespace kyr
