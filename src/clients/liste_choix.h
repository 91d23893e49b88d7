#pragma once
// The items of the client list dialog TListeCli, and the code an item gives back.
#include "common/texte.h"

#include <string>
#include <string_view>

namespace kyr {

// One item per record header followed by a line: its code, a blank, the name
// line; in the order of the file.
Lignes ElementsListeClients(const Lignes& listeClients);
// The chosen item's text up to its first blank ("" for a header without code).
std::string CodeElement(std::string_view element);

} // namespace kyr
