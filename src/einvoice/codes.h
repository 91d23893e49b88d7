#pragma once
// The codes the two XML syntaxes (CII and UBL) write alike for one e-invoice:
// VAT categories, billing framework, the kind of exchange (domestic or
// international, business or consumer) and the buyer's electronic address
// with its scheme, so that the three files of one document never disagree.
#include "einvoice/facture_electronique.h"

#include <optional>
#include <string>
#include <string_view>

namespace kyr {

// VAT category: S, Z or E.
const char* CodeCategorie(Categorie c);

// BT-23: goods, services or both ("B", "S", "M"), "1" to be paid, "2" paid.
std::string CodeCadre(Cadre c, bool payee);

// The kind of exchange the French rules read in the note of subject BAR:
// B2B, B2C, and B2BINT, B2CINT for a buyer outside France.
std::string CodeTraitement(const Acheteur& a);

// An electronic address on a network other than the French directory, written
// "scheme:identifier" with the scheme's four digits (0208:0123456789 for a
// Belgian enterprise number, 0088:... for a GLN): the Peppol form.
struct IdentifiantReseau {
    std::string Schema, Identifiant;
};
std::optional<IdentifiantReseau> IdentifiantPeppol(std::string_view adresse);

// The French directory's scheme, also accepted written out ("0225:...").
inline constexpr const char* SchemaAnnuaire = "0225";

// Whether the scheme is one of the electronic address schemes the rules know.
bool SchemaConnu(std::string_view schema);

// The buyer's address as the XML writes it: a consumer's e-mail (EM), a
// business's Peppol identifier, else its address in the French directory (0225).
IdentifiantReseau AdresseAcheteur(const Acheteur& a);

// The invoice goes to its buyer by the Peppol network: UBL then follows
// Peppol BIS Billing 3.0.
bool ProfilPeppol(const FactureElectronique& fe);

} // namespace kyr
