#pragma once
// The document list: one entry per document of the book, in block order, each
// remembering the block it came from so that any entry opens its own document.
// An entry is only where its block lies: its text is read from the book's
// lines when it is shown, so a list of 10,000 documents costs nothing per
// entry that is not on screen.
#include "book/facture.h"
#include "book/lignes_livre.h"
#include "common/texte.h"

#include <array>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kyr {

struct EntreeListe {
    int Debut = -1; // the block's first start line in the book
    int Bloc = -1;  // the document the entry opens
};

// The block number of a start line ("<BLOC" + four digits + ">", letter case
// ignored), nullopt for any other line.
std::optional<int> NumeroLigneDebut(std::string_view ligne);

// The entries of documents 0, 1, 2... up to the first block number missing
// from the book, each at the first start line of its block, as the book's
// own pass over its lines found them.
std::vector<EntreeListe> EntreesListe(const LignesLivre& livre);

// What an entry shows: the number (9 characters), the date, the client code,
// the kind text and the client's name, as the block holds them; a block cut
// short gives empty fields, as when it is shown.
std::array<std::string_view, 5> ChampsEntree(const Lignes& livre, const EntreeListe& e);
// Those fields two blanks apart, and the length of that text without making it.
std::string TexteEntree(const Lignes& livre, const EntreeListe& e);
std::size_t LongueurEntree(const Lignes& livre, const EntreeListe& e);

// "&Liste des factures": stores the shown document, lets `choix` pick a block
// from the book (-1: none) and shows that document. True when one was shown.
bool Liste(Facture& f, const std::function<int(const LignesLivre&)>& choix);

} // namespace kyr
