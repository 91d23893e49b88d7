#pragma once
// What the converter and the calculator share: the number typed on a keypad.
#include <optional>
#include <string_view>

namespace kyr {

// A keypad entry read as a number, with the decimal comma. A comma alone
// reads as 0 and a comma at the end is allowed ("12," reads as 12); an empty
// entry or one with two commas is no number.
std::optional<long double> LitSaisie(std::string_view texte);

} // namespace kyr
