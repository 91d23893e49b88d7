#pragma once
// What the accounts take from beside the book: the received invoices kept in
// its folder, each document's nature of operation as its e-invoice gave it
// (else the seller's billing framework), the dates the register of issued
// documents recorded the payments, and the seller's option for VAT on debits.
#include "book/registre.h"
#include "comptabilite/sources.h"
#include "einvoice/tiers.h"
#include "recues/registre.h"

#include <QString>

namespace kyr {

// The sources of the book `livre` (its file; empty: a book without a file,
// which has nothing beside it) with its register `emis`. The received
// invoices set apart by the journal (doublons, another currency) are left out
// here too; an unreadable file beside the book counts as missing.
SourcesCompta SourcesDuLivre(const QString& livre, const Registre& emis, const Vendeur& vendeur);

// The parts, for a caller that holds them already.
std::vector<Achat> AchatsRecus(const RegistreRecues& recues);
// nullopt when the book has no register: no payment date is known then.
std::optional<std::map<CleVente, QDate>> Encaissements(const Registre& emis);

} // namespace kyr
