#pragma once
// The search of a document by its kind letter and number.
#include "book/facture.h"
#include "common/texte.h"

#include <functional>
#include <string>
#include <string_view>

namespace kyr {

// The block number of the first document whose number line is "NUM" + texte,
// letter case ignored; failing that, of the first whose number line differs
// from it only by the blanks at its end ("F12" finds the number stored as 12
// and seven blanks). -1 when there is none. An empty text finds nothing, and
// the kind letter alone only its exact line.
int ChercheNumero(const Lignes& livre, std::string_view texte);

// "C&hercher facture...": stores the shown document, asks for the text
// (`demande` gives "" when cancelled) and shows the document found. True when
// one was shown; nothing is reported otherwise.
bool Chercher(Facture& f, const std::function<std::string()>& demande);

} // namespace kyr
