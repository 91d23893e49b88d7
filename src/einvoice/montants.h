#pragma once
// Amounts of the electronic invoice in whole cents, exact: the EN 16931 rules
// are checked to the cent, so nothing here goes through a binary fraction.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace kyr {

using Centimes = std::int64_t;

// Amounts beyond this (ten thousand billion) are refused: far beyond any
// invoice, and well inside what the XML's 19 digits and int64 arithmetic hold.
constexpr Centimes CentimesMax = 1'000'000'000'000'000;

// A decimal text with a comma ("-123,45", blanks around, at most `decimales`
// decimals) as a whole number of 10^-decimales units; nullopt when it is not
// such a text or too large.
std::optional<std::int64_t> LitDecimal(std::string_view texte, int decimales);
// The amount a window caption or an amount cell shows ("0.00" format).
inline std::optional<Centimes> LitCentimes(std::string_view texte) {
    return LitDecimal(texte, 2);
}
// A 6-byte value as the program shows it (FormatMontant), in cents.
std::optional<Centimes> EnCentimes(long double v);

// a / b rounded half away from zero (b > 0).
std::int64_t DiviseArrondi(__int128 a, __int128 b);

// v in 10^-decimales units as a decimal text: with a point for the XML
// ("-0.50", trailing zeros kept), with a comma for the page ("-0,50").
std::string TexteDecimal(std::int64_t v, int decimales, char separateur = '.');
inline std::string TexteXml(Centimes c) {
    return TexteDecimal(c, 2);
}
inline std::string TextePage(Centimes c) {
    return TexteDecimal(c, 2, ',');
}
// The same without trailing zeros after the point ("2.5", "20", "5.5").
std::string TexteDecimalCourt(std::int64_t v, int decimales);

} // namespace kyr
