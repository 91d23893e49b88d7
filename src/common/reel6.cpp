#include "common/reel6.h"

#include "common/erreurs.h"

#include <cmath>

namespace kyr {

namespace {
// 40 significant bits: the hidden 1 and 39 stored fraction bits.
constexpr int kBits = 40;
// Exponent byte e means 2^(e - 129) times 1.fraction; with frexpl's mantissa in
// [0.5, 1) the byte is the binary exponent + 128.
constexpr int kDecalage = 128;

} // namespace

// The reference rounding, through the C library: for the values the direct
// path in the header leaves to it (ties, the extremes, NaN, infinities).
long double Reel6::ArrondiBibliotheque(long double v) {
    if (std::isnan(v)) throw ErreurExecution::OperationIncorrecte();
    if (std::isinf(v)) throw ErreurExecution::Debordement();
    if (v == 0) return 0;
    int e = 0;
    const long double m = std::frexp(v, &e);
    // Round to nearest (ties to even) on 40 bits; a carry out makes the
    // mantissa 2^40, which ldexp below takes care of.
    const long double entier = std::nearbyint(std::ldexp(m, kBits));
    const long double r = std::ldexp(entier, e - kBits);
    int e2 = 0;
    std::frexp(r, &e2);
    const int octet = e2 + kDecalage;
    if (octet < 1) return 0; // too small: the value 0
    if (octet > 255) throw ErreurExecution::Debordement();
    return r;
}

std::array<std::uint8_t, 6> Reel6::octets() const {
    std::array<std::uint8_t, 6> o{};
    if (m_valeur == 0) return o;
    int e = 0;
    const long double m = std::frexp(std::fabs(m_valeur), &e);
    o[0] = static_cast<std::uint8_t>(e + kDecalage);
    // m in [0.5, 1): m * 2^40 is the 40-bit mantissa with its top bit set;
    // the stored fraction drops that hidden bit.
    auto mantisse = static_cast<std::uint64_t>(std::ldexp(m, kBits));
    std::uint64_t fraction = mantisse & ((std::uint64_t{1} << 39) - 1);
    if (m_valeur < 0) fraction |= std::uint64_t{1} << 39;
    for (int i = 1; i <= 5; ++i) {
        o[i] = static_cast<std::uint8_t>(fraction & 0xFF);
        fraction >>= 8;
    }
    return o;
}

Reel6 Reel6::depuisOctets(const std::array<std::uint8_t, 6>& o) {
    if (o[0] == 0) return Reel6();
    std::uint64_t fraction = 0;
    for (int i = 5; i >= 1; --i)
        fraction = (fraction << 8) | o[i];
    const bool negatif = (fraction >> 39) & 1;
    fraction &= (std::uint64_t{1} << 39) - 1;
    const std::uint64_t mantisse = fraction | (std::uint64_t{1} << 39);
    const long double v = std::ldexp(static_cast<long double>(mantisse), o[0] - 129 - 39);
    return Reel6(negatif ? -v : v);
}

Reel6 operator+(Reel6 a, Reel6 b) {
    return Reel6(a.valeur() + b.valeur());
}
Reel6 operator-(Reel6 a, Reel6 b) {
    return Reel6(a.valeur() - b.valeur());
}
Reel6 operator*(Reel6 a, Reel6 b) {
    return Reel6(a.valeur() * b.valeur());
}
Reel6 operator/(Reel6 a, Reel6 b) {
    return Reel6(Divise(a.valeur(), b.valeur()));
}
Reel6 operator-(Reel6 a) {
    return Reel6(-a.valeur());
}

long double Divise(long double a, long double b) {
    if (b == 0) throw ErreurExecution::DivisionParZero(); // 0/0 included
    return a / b;
}

long double Racine(long double a) {
    if (std::isnan(a) || a < 0) throw ErreurExecution::OperationIncorrecte();
    return std::sqrt(a);
}

} // namespace kyr
