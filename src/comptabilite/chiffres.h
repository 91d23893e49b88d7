#pragma once
// The figures of one document as the accounts take them, in euros. A sale's
// come from the sales journal (the invoice window's figures), a book kept in
// francs converted at the legal rate; a received document's are checked and
// given the sign that its kind means.
#include "comptabilite/sources.h"
#include "lists/journal.h"

#include <QString>
#include <array>
#include <optional>

namespace kyr {

// 6,55957 francs for one euro, in hundred-thousandths: the legal rate, not the
// settings' rate, which the user may change.
constexpr std::int64_t FrancsParEuro = 655957;
// Cents of francs to cents of euros, rounded half away from zero.
Centimes EnEuros(Centimes francs);

// A sale. A book in francs: each figure is converted on its own (the total
// including tax, each base and each VAT), so that none depends on another's
// rounding. The customer owes the total including tax and the VAT of each
// code is the VAT return's; what the rounding of the captions leaves between
// them (a cent or two, see the calculation) is the sales' share: Arrondi,
// added to the sales figure of the largest base.
struct ChiffresVente {
    Centimes TTC = 0;
    std::array<Centimes, 4> Base{}, TVA{}; // VAT codes 1..3
    Centimes Arrondi = 0;                  // TTC - the bases - the VATs
    int CodeArrondi = 1;                   // the code whose sales figure takes it
};
ChiffresVente ChiffresDe(const VenteJournal& v, bool francs);

// A received document with the sign it counts with: a credit note reduces.
struct ChiffresAchat {
    Centimes HT = 0, TVA = 0, TTC = 0;
    std::vector<TauxAchat> ParTaux;
};
// Why the document's figures cannot be taken (no date, totals that do not add
// up, a breakdown by rate that does not give them); nullopt when they can.
std::optional<QString> DefautAchat(const Achat& a);
ChiffresAchat ChiffresDe(const Achat& a);

} // namespace kyr
