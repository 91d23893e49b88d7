#pragma once
// The received invoice as a person reads it, in French, as rich text for the
// window's view and its print: the parties with their identifiers, the
// references, the lines, the allowances and charges, the VAT breakdown, the
// totals, the payment, the notes, and what the checks found. Names are shown
// as the file writes them, in any script.
#include "recues/facture_recue.h"

#include <optional>
#include <vector>

namespace kyr {

// The lines shown in the view; an invoice of 10,000 lines says how many
// more there are rather than laying them all out.
inline constexpr std::size_t LignesMaxVue = 500;

QString HtmlFacture(const FactureRecue& f, const std::vector<Constat>& constats,
                    bool acheteurVerifie);

// "Virement SEPA" for 58, etc.; the code itself when unknown.
QString TexteMoyenPaiement(const QString& code);
// "unité" for C62, "heure" for HUR, etc.; the code itself when unknown.
QString TexteUnite(const QString& code);

} // namespace kyr
