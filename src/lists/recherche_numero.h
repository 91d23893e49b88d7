#pragma once
// The search of a document by its kind letter and number.
#include "book/facture.h"
#include "common/texte.h"

#include <functional>
#include <string>
#include <string_view>

namespace kyr {

// The block number of the first document whose number line is "NUM" + texte,
// letter case ignored; -1 when there is none (an empty text finds nothing).
// `texte` is the kind letter and the number as stored, trailing blanks included.
int ChercheNumero(const Lignes& livre, std::string_view texte);

// "C&hercher facture...": stores the shown document, asks for the text
// (`demande` gives "" when cancelled) and shows the document found. True when
// one was shown; nothing is reported otherwise.
bool Chercher(Facture& f, const std::function<std::string()>& demande);

} // namespace kyr
