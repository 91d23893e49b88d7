#pragma once
// Number texts. Decimal comma everywhere on screen and in the book. A text made
// from a 6-byte value is first rounded to 12 significant digits (the precision
// the value really has); a value computed in extended precision and shown
// without being stored keeps 15.
#include "common/reel6.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace kyr {

// "0.00" and its cousins: at least one digit before the comma, exactly
// `decimales` after, rounded half away from zero, "-" for negative values, no
// thousands separator. FormatMontant(1.005) == "1,01".
std::string FormatDecimales(long double v, int decimales, int chiffresSignificatifs = 12);
inline std::string FormatMontant(long double v) {
    return FormatDecimales(v, 2);
}

// FormatMontant(v) as a whole number of cents, without making the text
// ("-1234,50" gives -123450); nullopt when the text is no amount (a value that
// is not finite) or has more than 16 digits before the comma.
std::optional<std::int64_t> MontantCentimes(long double v);

// General format: shortest text with at most `chiffres` significant digits, no
// trailing zeros; scientific ("1E20", "1,5E-7") beyond 15 integer digits or
// below 0.0001 in magnitude. Use 12 for stored 6-byte values, 15 for extended.
std::string FormatGeneral(long double v, int chiffres = 12);
// The general format in at most `largeur` characters (a display of fixed
// width): with as many of the `chiffres` digits as fit, in scientific form
// when the plain form cannot be made short enough. Never cuts a text.
std::string FormatGeneralLargeur(long double v, std::size_t largeur, int chiffres = 12);

// Reads a number with the decimal comma: blanks around, optional sign, digits
// with at most one comma, optional exponent (E, optional sign, digits).
// Anything else (a point, a letter, a second comma) is not a number.
std::optional<long double> LitNombre(std::string_view texte);
// Reads a whole number (blanks around, optional sign, digits) that fits 32 bits.
std::optional<std::int32_t> LitEntier(std::string_view texte);

// Throwing forms, for the places where a failed conversion is the standard error.
std::int32_t StrToInt(std::string_view texte);  // "'%s' n'est pas une valeur entière correcte"
long double StrToFloat(std::string_view texte); // "'%s' n'est pas une valeur flottante correcte"

// Settings file reals: 23 characters, " " or "-", one digit, ".", 14 digits,
// "E", sign, four exponent digits: " 6.55957000000000E+0000". Reading skips
// leading blanks and accepts any ordinary decimal or scientific form with ".".
std::string TexteReelIni(Reel6 v);
std::optional<long double> LitReelIni(std::string_view texte);

namespace detail {
// The `significatifs` significant digits of v in the C library's scientific
// form ("1.50000000000e+02"), from the exact integer path that the number
// texts above take for amounts and rates; nullopt where it leaves the value to
// the library. For the tests that check both agree.
std::optional<std::string> ScientifiqueDirect(long double v, int significatifs);
} // namespace detail

} // namespace kyr
