#pragma once
// The rows of the client card's table. A row read from the client list is
// only where its record lies in the list: its texts stay there, so that a
// client file of a million records is not held a second time while the card
// is open. A row the card changes (edited, added) gets texts of its own; the
// other rows are empty (the spare rows after the last client).
#include "common/texte.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace kyr {

using LigneClient = std::array<std::string, 5>; // code, coordinates lines 1 to 4

class RangeesClients {
public:
    // What a row is: a record's header line in the list (0 and more),
    // empty (Vide), or a row of its own (Propre - k for the k-th).
    using Rangee = std::int64_t;
    static constexpr Rangee Vide = -1;

    // `n` empty rows, over the records of `liste` (which must outlive the
    // table and stay as it is while rows refer to it).
    void Recommence(const Lignes* liste, std::size_t n);
    std::size_t size() const { return m_rangees.size(); }
    void reserve(std::size_t n) { m_rangees.reserve(n); }
    void AjouteVide() { m_rangees.push_back(Vide); }

    // Row r is the record whose header line is `entete`.
    void Lie(std::size_t r, std::size_t entete) { m_rangees[r] = static_cast<Rangee>(entete); }
    // Column c of row r (0: the code), read where it is.
    std::string_view Cellule(std::size_t r, std::size_t c) const;
    bool EstVide(std::size_t r) const;
    // A copy of row r's five texts.
    LigneClient operator[](std::size_t r) const;
    // Row r takes these texts as its own.
    void Ecrit(std::size_t r, LigneClient l);
    // Row r goes; the rows after it move up and row `dernier` becomes empty.
    void Retire(std::size_t r, std::size_t dernier);

    // The rows themselves, for the sort that moves them.
    std::vector<Rangee>& Ordre() { return m_rangees; }

    // `liste` becomes the records of the first `n` rows as list lines, in
    // row order: "<CLI>" and the code, then the four lines. When it is the
    // list the rows read, its lines move to their new places within it; a
    // line two records share is copied. The table is spent afterwards.
    void Recrit(std::size_t n, Lignes& liste);

private:
    static constexpr Rangee Propre = -2;
    const Lignes* m_liste = nullptr;
    std::vector<Rangee> m_rangees;
    std::vector<LigneClient> m_propres;
};

} // namespace kyr
