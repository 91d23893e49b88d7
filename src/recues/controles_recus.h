#pragma once
// The checks Kyr Facture makes on a received invoice, without Java: the
// fields an invoice must carry, the EN 16931 calculation rules to the cent
// (BR-CO-10 to BR-CO-17, the VAT breakdown's bases against the lines), the
// profile, and what the reading itself found. They are the program's own
// checks, not a full validation against the standard's schematron: the
// window says so.
#include "recues/facture_recue.h"

#include <string_view>
#include <vector>

namespace kyr {

// Every failed check, in the order a reader goes through the invoice: the
// reading's findings first. Empty: the invoice passed them all.
std::vector<Constat> Controle(const FactureRecue& f);

// Whether the invoice is addressed to the user's company, known by its SIREN
// or VAT number (8-bit, as Fact.fxv holds them): nullopt when it is.
std::optional<Constat> ControleAcheteur(const FactureRecue& f, std::string_view siren,
                                        std::string_view numeroTVA);
inline const char* const PasAdresseeAVous = "Cette facture n'est pas adressée à votre entreprise";

// BT-117 from BT-116 and BT-119: base x rate / 100, rounded to the cent half
// away from zero (the rate in 1/10 000 percent).
Centimes TvaAttendue(Centimes base, std::int64_t taux);

} // namespace kyr
