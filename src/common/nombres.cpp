#include "common/nombres.h"

#include "common/erreurs.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstring>
#include <limits>
#include <optional>

// Number texts are built and read with to_chars/from_chars: unlike printf and
// strtold they ignore the process locale, which Qt sets from the environment.

namespace kyr {

namespace {

// A finite value as decimal digits: value = +/- 0.d1d2d3... x 10^puissance,
// i.e. the digits stand for an integer times 10^(puissance - digits.size()).
struct Decimal {
    bool negatif = false;
    std::string chiffres; // no leading zero, may be empty for 0
    int puissance = 0;
};

// Through the C library: every finite value, any count of digits.
Decimal VersDecimalBibliotheque(long double v, int significatifs) {
    Decimal d;
    if (v == 0) return d;
    d.negatif = v < 0;
    char tampon[64];
    const int precision = std::clamp(significatifs, 1, 30) - 1;
    auto r = std::to_chars(tampon, tampon + sizeof tampon, std::fabs(v),
                           std::chars_format::scientific, precision);
    const std::string_view s(tampon, static_cast<std::size_t>(r.ptr - tampon));
    // "d.dddde+XX" or "de+XX"
    const auto e = s.find('e');
    for (char c : s.substr(0, e))
        if (c != '.') d.chiffres += c;
    int exposant = 0;
    std::string_view exp = s.substr(e + 1);
    if (!exp.empty() && exp[0] == '+') exp.remove_prefix(1);
    std::from_chars(exp.data(), exp.data() + exp.size(), exposant);
    d.puissance = exposant + 1;
    while (!d.chiffres.empty() && d.chiffres.back() == '0')
        d.chiffres.pop_back();
    return d;
}

#if (defined(__x86_64__) || defined(__i386__)) && defined(__SIZEOF_INT128__)
using U128 = unsigned __int128;

constexpr std::array<std::uint64_t, 20> Puissances10 = [] {
    std::array<std::uint64_t, 20> p{};
    p[0] = 1;
    for (std::size_t i = 1; i < p.size(); ++i)
        p[i] = p[i - 1] * 10;
    return p;
}();

// The digits of an amount or a rate, computed exactly in 128-bit integers:
// the value is m x 2^s with m the 64-bit mantissa, and m x 10^k x 2^s is
// rounded to an integer of `significatifs` digits, to nearest, ties to even,
// as the C library does: |v| rounds to n x 10^(p - significatifs). False for
// what does not fit that (huge or tiny values, unusual encodings): the library
// then does the work.
bool EntierDirect(long double v, int significatifs, std::uint64_t& n, int& p, bool& negatif) {
    if (significatifs < 1 || significatifs > 18) return false;
    struct {
        std::uint64_t mantisse;
        std::uint16_t signeExposant;
    } x{};
    std::memcpy(&x, &v, 10);
    const int biaise = x.signeExposant & 0x7FFF;
    if (biaise == 0 || biaise == 0x7FFF || !(x.mantisse >> 63)) return false;
    const int s = biaise - 16383 - 63; // v = mantisse x 2^s
    // Amounts and rates: between about 10^-7 and 2^63.
    if (s < -86 || s > -1) return false;
    // First guess of the decimal exponent: 10^(p-1) <= v < 10^p.
    p = static_cast<int>(std::floor((s + 63) * 0.30102999566398120)) + 1;
    const U128 bas = Puissances10[static_cast<std::size_t>(significatifs - 1)];
    const U128 haut = bas * 10;
    for (int essai = 0; essai < 3; ++essai) {
        const int k = significatifs - p; // scale: v x 10^k has `significatifs` digits
        if (k < 0 || k > 19) return false;
        // 2^64 x 10^19 < 2^128: the product is exact.
        const U128 produit =
            static_cast<U128>(x.mantisse) * Puissances10[static_cast<std::size_t>(k)];
        const int decale = -s;
        const U128 entier = produit >> decale;
        if (entier < bas) {
            --p;
            continue;
        }
        if (entier >= haut) {
            ++p;
            continue;
        }
        const U128 reste = produit & ((U128{1} << decale) - 1);
        const U128 moitie = U128{1} << (decale - 1);
        n = static_cast<std::uint64_t>(entier);
        if (reste > moitie || (reste == moitie && (n & 1))) ++n;
        if (n == static_cast<std::uint64_t>(haut)) { // 9.99... rounded up to 10.0...
            n = static_cast<std::uint64_t>(bas);
            ++p;
        }
        negatif = (x.signeExposant & 0x8000) != 0;
        return true;
    }
    return false;
}

bool VersDecimalDirect(long double v, int significatifs, Decimal& d) {
    std::uint64_t n = 0;
    int p = 0;
    bool negatif = false;
    if (!EntierDirect(v, significatifs, n, p, negatif)) return false;
    char tampon[24];
    const auto r = std::to_chars(tampon, tampon + sizeof tampon, n);
    std::size_t taille = static_cast<std::size_t>(r.ptr - tampon);
    while (taille > 0 && tampon[taille - 1] == '0')
        --taille;
    d.negatif = negatif;
    d.chiffres.assign(tampon, taille);
    d.puissance = p;
    return true;
}

// FormatMontant(v) in cents from the twelve digits above, without a text:
// the digits past the second decimal are dropped, rounding half away from
// zero as ArrondiDecimales does on the same digits.
bool CentimesDirects(long double v, std::optional<std::int64_t>& c) {
    std::uint64_t n = 0;
    int p = 0;
    bool negatif = false;
    if (!EntierDirect(v, 12, n, p, negatif)) return false;
    std::uint64_t centimes = 0;
    if (p > 16) {
        c.reset();
        return true;
    }
    if (p >= 10) {
        centimes = n * Puissances10[static_cast<std::size_t>(p - 10)];
    } else if (10 - p <= 12) {
        const std::uint64_t unite = Puissances10[static_cast<std::size_t>(10 - p)];
        centimes = n / unite + (n % unite >= unite / 2 ? 1 : 0);
    }
    c = negatif ? -static_cast<std::int64_t>(centimes) : static_cast<std::int64_t>(centimes);
    return true;
}
#else
bool VersDecimalDirect(long double, int, Decimal&) {
    return false;
}
bool CentimesDirects(long double, std::optional<std::int64_t>&) {
    return false;
}
#endif

Decimal VersDecimal(long double v, int significatifs) {
    Decimal d;
    if (v == 0) return d;
    if (VersDecimalDirect(v, significatifs, d)) return d;
    return VersDecimalBibliotheque(v, significatifs);
}

// Keeps the digits up to 10^-decimales, rounding half away from zero.
void ArrondiDecimales(Decimal& d, int decimales) {
    if (d.chiffres.empty()) return;
    const int garder = d.puissance + decimales; // digits kept
    if (garder >= static_cast<int>(d.chiffres.size())) return;
    if (garder < 0) {
        d.chiffres.clear();
        return;
    }
    const bool monte = d.chiffres[static_cast<std::size_t>(garder)] >= '5';
    d.chiffres.resize(static_cast<std::size_t>(garder));
    if (monte) {
        int i = garder - 1;
        while (i >= 0 && d.chiffres[static_cast<std::size_t>(i)] == '9')
            d.chiffres[static_cast<std::size_t>(i--)] = '0';
        if (i >= 0) {
            ++d.chiffres[static_cast<std::size_t>(i)];
        } else {
            d.chiffres.insert(d.chiffres.begin(), '1');
            ++d.puissance;
        }
    }
    while (!d.chiffres.empty() && d.chiffres.back() == '0')
        d.chiffres.pop_back();
}

// Digit of the decimal at position p, where position 0 is the first digit
// (the 10^(puissance-1) place); zero outside the digits.
char Chiffre(const Decimal& d, int p) {
    return p >= 0 && p < static_cast<int>(d.chiffres.size())
               ? d.chiffres[static_cast<std::size_t>(p)]
               : '0';
}

std::string NonFini(long double v) {
    if (std::isnan(v)) return "NAN";
    return v < 0 ? "-INF" : "INF";
}

bool EstBlanc(char c) {
    return c == ' ' || c == '\t';
}

std::string_view SansBlancs(std::string_view s) {
    while (!s.empty() && EstBlanc(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && EstBlanc(s.back()))
        s.remove_suffix(1);
    return s;
}

bool EstChiffre(char c) {
    return c >= '0' && c <= '9';
}

} // namespace

std::string FormatDecimales(long double v, int decimales, int chiffresSignificatifs) {
    if (!std::isfinite(v)) return NonFini(v);
    decimales = std::max(decimales, 0);
    Decimal d = VersDecimal(v, chiffresSignificatifs);
    ArrondiDecimales(d, decimales);
    std::string s;
    // A value that rounds to nothing is shown "0,00", never "-0,00".
    if (d.negatif && !d.chiffres.empty()) s += '-';
    if (d.puissance <= 0 || d.chiffres.empty()) {
        s += '0';
    } else {
        for (int p = 0; p < d.puissance; ++p)
            s += Chiffre(d, p);
    }
    if (decimales > 0) {
        s += ',';
        const int debut = d.chiffres.empty() ? 0 : d.puissance;
        for (int i = 0; i < decimales; ++i)
            s += d.chiffres.empty() ? '0' : Chiffre(d, debut + i);
    }
    return s;
}

std::optional<std::int64_t> MontantCentimes(long double v) {
    if (!std::isfinite(v)) return std::nullopt;
    if (v == 0) return 0;
    if (std::optional<std::int64_t> c; CentimesDirects(v, c)) return c;
    // The very digits FormatMontant writes: at most two after the comma.
    Decimal d = VersDecimal(v, 12);
    ArrondiDecimales(d, 2);
    if (d.chiffres.empty()) return 0;
    if (d.puissance > 16) return std::nullopt;
    std::int64_t c = 0;
    for (char chiffre : d.chiffres)
        c = c * 10 + (chiffre - '0');
    for (int zeros = d.puissance + 2 - static_cast<int>(d.chiffres.size()); zeros > 0; --zeros)
        c *= 10;
    return d.negatif ? -c : c;
}

namespace {
// "1,5E-7": the digits of a non-zero decimal in scientific form.
std::string Scientifique(const Decimal& d) {
    std::string s = d.negatif ? "-" : "";
    s += d.chiffres[0];
    if (d.chiffres.size() > 1) s += ',' + d.chiffres.substr(1);
    s += 'E' + std::to_string(d.puissance - 1);
    return s;
}
} // namespace

std::string FormatGeneral(long double v, int chiffres) {
    if (!std::isfinite(v)) return NonFini(v);
    const Decimal d = VersDecimal(v, chiffres);
    if (d.chiffres.empty()) return "0";
    const int exposant = d.puissance - 1; // of the first digit
    const int n = static_cast<int>(d.chiffres.size());
    if (exposant >= 15 || exposant < -4) return Scientifique(d);
    std::string s = d.negatif ? "-" : "";
    if (d.puissance <= 0) {
        s += "0," + std::string(static_cast<std::size_t>(-d.puissance), '0') + d.chiffres;
        return s;
    }
    for (int p = 0; p < d.puissance; ++p)
        s += Chiffre(d, p);
    if (n > d.puissance) s += ',' + d.chiffres.substr(static_cast<std::size_t>(d.puissance));
    return s;
}

std::string FormatGeneralLargeur(long double v, std::size_t largeur, int chiffres) {
    if (!std::isfinite(v)) return NonFini(v);
    // Fewer digits until the text fits; the scientific form when the plain
    // one cannot get short enough (a large integer part).
    for (int n = chiffres; n >= 1; --n) {
        std::string s = FormatGeneral(v, n);
        if (s.size() <= largeur) return s;
        const Decimal d = VersDecimal(v, n);
        if (d.chiffres.empty()) continue;
        s = Scientifique(d);
        if (s.size() <= largeur) return s;
    }
    return FormatGeneral(v, 1);
}

namespace {
// "12", "-3,5", "0,055": at most 19 digits and no exponent, the numbers of a
// book's lines. The digits make an integer n < 10^19 and the decimals a power
// 10^f: both are exact in long double, so n / 10^f is the correctly rounded
// value, the very one from_chars gives.
std::optional<long double> LitNombreSimple(std::string_view s) {
    std::size_t i = 0;
    const bool negatif = !s.empty() && s[0] == '-';
    if (!s.empty() && (s[0] == '+' || s[0] == '-')) ++i;
    std::uint64_t n = 0;
    int chiffres = 0, decimales = 0;
    bool virgule = false;
    for (; i < s.size(); ++i) {
        const char c = s[i];
        if (EstChiffre(c)) {
            if (++chiffres > 19) return std::nullopt;
            n = n * 10 + static_cast<std::uint64_t>(c - '0');
            decimales += virgule;
        } else if (c == ',' && !virgule) {
            virgule = true;
        } else {
            return std::nullopt;
        }
    }
    if (chiffres == 0) return std::nullopt;
    static constexpr std::array<long double, 20> Diviseurs = [] {
        std::array<long double, 20> p{};
        p[0] = 1;
        for (std::size_t k = 1; k < p.size(); ++k)
            p[k] = p[k - 1] * 10;
        return p;
    }();
    const long double v =
        static_cast<long double>(n) / Diviseurs[static_cast<std::size_t>(decimales)];
    return negatif ? -v : v;
}
} // namespace

std::optional<long double> LitNombre(std::string_view texte) {
    std::string_view s = SansBlancs(texte);
    if (auto v = LitNombreSimple(s)) return v;
    std::string c; // the same number with "." for from_chars
    std::size_t i = 0;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) {
        if (s[i] == '-') c += '-';
        ++i;
    }
    int chiffres = 0;
    bool virgule = false;
    for (; i < s.size(); ++i) {
        if (EstChiffre(s[i])) {
            c += s[i];
            ++chiffres;
        } else if (s[i] == ',' && !virgule) {
            virgule = true;
            c += '.';
        } else {
            break;
        }
    }
    if (chiffres == 0) return std::nullopt;
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
        c += 'e';
        ++i;
        if (i < s.size() && (s[i] == '+' || s[i] == '-')) c += s[i++];
        int chiffresExposant = 0;
        for (; i < s.size() && EstChiffre(s[i]); ++i, ++chiffresExposant)
            c += s[i];
        if (chiffresExposant == 0) return std::nullopt;
    }
    if (i != s.size()) return std::nullopt;
    long double v = 0;
    const auto r = std::from_chars(c.data(), c.data() + c.size(), v);
    // Out of range (1E5000): not a number the program can hold.
    if (r.ec != std::errc() || r.ptr != c.data() + c.size() || !std::isfinite(v))
        return std::nullopt;
    return v;
}

std::optional<std::int32_t> LitEntier(std::string_view texte) {
    std::string_view s = SansBlancs(texte);
    bool negatif = false;
    if (!s.empty() && (s[0] == '+' || s[0] == '-')) {
        negatif = s[0] == '-';
        s.remove_prefix(1);
    }
    if (s.empty()) return std::nullopt;
    std::int64_t v = 0;
    for (char c : s) {
        if (!EstChiffre(c)) return std::nullopt;
        v = v * 10 + (c - '0');
        if (v > std::int64_t{1} << 31) return std::nullopt;
    }
    if (negatif) v = -v;
    if (v > std::numeric_limits<std::int32_t>::max()) return std::nullopt;
    return static_cast<std::int32_t>(v);
}

std::int32_t StrToInt(std::string_view texte) {
    if (auto v = LitEntier(texte)) return *v;
    throw ErreurExecution::EntierIncorrect(texte);
}

long double StrToFloat(std::string_view texte) {
    if (auto v = LitNombre(texte)) return *v;
    throw ErreurExecution::FlottantIncorrect(texte);
}

namespace {
std::string TexteIni(long double v, int significatifs) {
    std::string s = v < 0 ? "-" : " ";
    const Decimal d = VersDecimal(v, significatifs);
    const std::string chiffres =
        (d.chiffres.empty() ? std::string("0") : d.chiffres) + std::string(15, '0');
    const int exposant = d.chiffres.empty() ? 0 : d.puissance - 1;
    s += chiffres[0];
    s += '.';
    s += chiffres.substr(1, 14);
    s += 'E';
    s += exposant < 0 ? '-' : '+';
    std::string e = std::to_string(std::abs(exposant));
    s += std::string(4 - std::min<std::size_t>(4, e.size()), '0') + e;
    return s;
}
} // namespace

std::string TexteReelIni(Reel6 v) {
    // Twelve digits are what the value really holds (6.55957, not
    // 6.55956999999762); more are used only when twelve would not read back
    // to the very same 6-byte value.
    for (int n = 12; n < 15; ++n) {
        std::string s = TexteIni(v.valeur(), n);
        if (auto lu = LitReelIni(s); lu && Reel6(*lu).valeur() == v.valeur()) return s;
    }
    return TexteIni(v.valeur(), 15);
}

std::optional<long double> LitReelIni(std::string_view texte) {
    std::string_view s = texte;
    while (!s.empty() && static_cast<unsigned char>(s.front()) <= ' ')
        s.remove_prefix(1);
    while (!s.empty() && static_cast<unsigned char>(s.back()) <= ' ')
        s.remove_suffix(1);
    if (!s.empty() && s[0] == '+') s.remove_prefix(1);
    if (s.empty()) return std::nullopt;
    const std::size_t debut = s[0] == '-' ? 1 : 0;
    // from_chars also takes "inf", "nan" and hex forms: only plain decimals here.
    if (debut >= s.size() || !(EstChiffre(s[debut]) || s[debut] == '.')) return std::nullopt;
    long double v = 0;
    const auto r = std::from_chars(s.data(), s.data() + s.size(), v, std::chars_format::general);
    if (r.ec != std::errc() || r.ptr != s.data() + s.size() || !std::isfinite(v))
        return std::nullopt;
    return v;
}

namespace detail {
std::optional<std::string> ScientifiqueDirect(long double v, int significatifs) {
    Decimal d;
    if (v == 0 || !VersDecimalDirect(v, significatifs, d)) return std::nullopt;
    d.chiffres.resize(static_cast<std::size_t>(significatifs), '0');
    std::string s = d.negatif ? "-" : "";
    s += d.chiffres[0];
    if (significatifs > 1) s += '.' + d.chiffres.substr(1);
    const int e = d.puissance - 1;
    const std::string chiffresE = std::to_string(std::abs(e));
    s += e < 0 ? "e-" : "e+";
    s += (chiffresE.size() < 2 ? "0" : "") + chiffresE;
    return s;
}
} // namespace detail

} // namespace kyr
