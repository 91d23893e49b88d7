#include "utilities/clavier.h"

#include "common/nombres.h"

namespace kyr {

std::optional<long double> LitSaisie(std::string_view texte) {
    if (texte == ",") return 0.0L;
    return LitNombre(texte);
}

} // namespace kyr
