#pragma once
// Books and client files of any size for the benchmarks, always the same for
// the same arguments: invoices, quotes and credit notes over eight years, as
// the program itself writes them (right-aligned numbers, memos, paid marks,
// the blank line each new document leaves, blocks moved to the end by later
// edits), and the damaged books the store has to repair.
#include "common/texte.h"

#include <cstdint>
#include <string>

namespace kyr::banc {

enum class Defaut {
    Aucun,        // a sound book
    Desequilibre, // stray end lines: the load offers to rebuild the book
    Doublons,     // one document in ten also has an older copy of its block earlier on
};

// The largest client file: five-digit codes 00001 to 99999.
constexpr int NbClientsMax = 99999;

// Client k (0-based) of a generated client file: its five-digit code and name.
std::string CodeClient(int k);
std::string NomClient(int k);

// Client files of this many clients (at most NbClientsMax): "<CLI>" + code,
// then the four coordinates lines. Names repeat now and then, as they do.
Lignes GenereClients(int nbClients);

// The clients a book of nbFiches documents refers to. The last of them is
// reserved for the last block of the book's file: a search for it goes
// through the whole book.
int NbClientsLivre(int nbFiches);

// A book of nbFiches documents (1 to 10 000), numbered 0 to nbFiches - 1.
Lignes GenereLivre(int nbFiches, Defaut defaut = Defaut::Aucun);

// The number of start lines a Doublons book holds beyond its documents.
int NbDoublons(int nbFiches);

} // namespace kyr::banc
