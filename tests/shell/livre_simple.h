#pragma once
// A book of one invoice for the given client, as the file commands' tests use it.
#include "common/texte.h"

#include <string>

namespace kyr::test {

inline Lignes LivreSimple(const std::string& client) {
    return {"<BLOC0000>",
            "NUMF200103001",
            "15/03/2001",
            "10002",
            "A r\xE9"
            "ception",
            "Facture",
            client,
            "",
            "",
            "",
            "TTCN",
            "FACTTravaux\t1\t100\t\t100,00\t1",
            "</BLOC0000>"};
}

} // namespace kyr::test
