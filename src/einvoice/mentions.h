#pragma once
// The legal mentions an e-invoice's page carries besides the document: the
// seller's identifiers, the due date (or payment), the invoice a credit note
// corrects, the VAT exemption of a small business and the three mandatory
// notes. They are drawn in small type at the foot of the last page, under the
// payment terms, with the page's own device.
#include "common/plateforme.h"
#include "einvoice/facture_electronique.h"
#include "printing/mentions_page.h"
#include "printing/surface.h"

#include <optional>
#include <string>
#include <vector>

namespace kyr {

// The mentions, one paragraph each (8-bit).
std::vector<std::string> Mentions(const FactureElectronique& fe);

// Draws them from 278 mm down, each paragraph wrapped to the width of the
// frame; what does not fit above the foot of the page is left out (the XML
// carries it whole).
void DessineMentions(Surface& s, const FactureElectronique& fe);

// The lines an invoice or credit note shows beside the client's address from
// the e-invoice's data, one paragraph each: the buyer's identifiers (when a
// buyer is known), the delivery address when given, the nature of the
// operation and, when it applies, the option for VAT on debits.
std::vector<std::string> LignesEFacture(const Acheteur* acheteur,
                                        const std::optional<AdresseLivraison>& livraison,
                                        Cadre nature, bool debits);

// What the e-invoice's page adds to the document, from the e-invoice itself:
// its VAT breakdown as the table and its lines, so that they are its XML's.
ComplementsPage ComplementsDeLaPage(const FactureElectronique& fe);

// The lines of a paper print of `f`, from the seller's data (none without
// Fact.fxv, and none for a quote), the buyer remembered for the client code
// and what the export chose for the document (beside the book `livre`). A
// file that cannot be read is reported and counts as missing.
std::vector<std::string> LignesImpression(const Fiche& f, const QString& livre, Plateforme& p);

} // namespace kyr
