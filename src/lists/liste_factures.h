#pragma once
// The document list: one entry per document of the book, in block order, each
// remembering the block it came from so that any entry opens its own document.
#include "book/facture.h"
#include "common/texte.h"

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kyr {

struct EntreeListe {
    // Number (9 characters), date, client code, kind text and client name,
    // two blanks apart, as the block holds them.
    std::string Texte;
    int Bloc = -1; // the document the entry opens
};

// The block number of a start line ("<BLOC" + four digits + ">", letter case
// ignored), nullopt for any other line.
std::optional<int> NumeroLigneDebut(std::string_view ligne);

// The entries of documents 0, 1, 2... up to the first block number missing
// from the book, each made from the first start line of its block. One pass
// over the book, whatever its size.
std::vector<EntreeListe> EntreesListe(const Lignes& livre);

// "&Liste des factures": stores the shown document, lets `choix` pick a block
// from the book (-1: none) and shows that document. True when one was shown.
bool Liste(Facture& f, const std::function<int(const Lignes&)>& choix);

} // namespace kyr
