#pragma once
// The received invoices as the sales journal counts their deductible VAT
// (lists/journal.h): the journal is handed these figures and reads no
// received file itself.
#include "lists/journal.h"
#include "recues/registre.h"

namespace kyr {

// Every entry of the register; a doublon and an invoice in another currency
// than the euro are handed in set apart, with the reason.
std::vector<AchatJournal> AchatsDuJournal(const RegistreRecues& r);
// Those of the book's folder (none for a book without a file).
std::vector<AchatJournal> AchatsDuLivre(const QString& cheminLivre);

} // namespace kyr
