#pragma once
// The 6-byte real: 8-bit exponent (bias 129, 0 means the value 0), a sign bit
// and a 39-bit fraction with a hidden leading 1. Arithmetic runs in long double
// (80-bit extended on x86-64); every stored result is rounded to nearest into
// the 6-byte form. Too small becomes 0; too large throws "Débordement flottant".
#include <array>
#include <cstdint>

namespace kyr {

class Reel6 {
public:
    constexpr Reel6() = default;
    // Rounds v to the nearest 6-byte value; throws ErreurExecution::Debordement()
    // when it does not fit, OperationIncorrecte() for a NaN.
    Reel6(long double v) : m_valeur(Arrondi(v)) {} // NOLINT: implicit, like an assignment to a real variable

    long double valeur() const { return m_valeur; }
    operator long double() const { return m_valeur; } // NOLINT

    // The six bytes as the format lays them out (exponent byte first).
    std::array<std::uint8_t, 6> octets() const;
    static Reel6 depuisOctets(const std::array<std::uint8_t, 6>& o);

    // The largest value: (2 - 2^-39) x 2^126, about 1.70141183460314e38.
    static constexpr long double Max = 0x1.fffffffffep126L;

private:
    long double m_valeur = 0; // always exactly representable in 6 bytes

    // Every figure of a document is rounded: the usual case stays inline, in
    // plain arithmetic on the 80-bit value. Veltkamp's split, with
    // t = v x (2^24 + 1), makes t - (t - v) a nearest value of 40 bits. The
    // extremes of the range, NaN and infinities go to the library's rounding.
    static long double Arrondi(long double v) {
#if defined(__x86_64__) || defined(__i386__)
        if (v == 0) return 0;
        const long double absolue = v < 0 ? -v : v;
        if (absolue <= 0x1p126L && absolue >= 0x1p-127L) { // also false for NaN
            const long double t = v * (0x1p24L + 1);
            long double r = t - (t - v);
            // r - v is exact, at most half a unit h of v's 40th bit, and
            // h > |v| x 2^-41. A tie is r - v = h: a power of two (which a
            // split to one bit leaves as it is) above |v| x 2^-41. Then the
            // even neighbour is kept: r when r / 2h is even, else 2v - r
            // (both exact).
            const long double ecart = r > v ? r - v : v - r;
            if (ecart > absolue * 0x1p-41L) {
                const long double t1 = ecart * (0x1p63L + 1);
                if (t1 - (t1 - ecart) == ecart) {
                    const long double moitie = (r < 0 ? -r : r) / (4 * ecart); // < 2^40
                    if ((moitie + 0x1p63L) - 0x1p63L != moitie) r = 2 * v - r;
                }
            }
            return r;
        }
#endif
        return ArrondiBibliotheque(v);
    }
    static long double ArrondiBibliotheque(long double v);
};

// Arithmetic on stored values, each result stored again.
Reel6 operator+(Reel6 a, Reel6 b);
Reel6 operator-(Reel6 a, Reel6 b);
Reel6 operator*(Reel6 a, Reel6 b);
Reel6 operator/(Reel6 a, Reel6 b); // throws DivisionParZero() when b is 0
Reel6 operator-(Reel6 a);

// Division in extended precision without storing: throws DivisionParZero() when b is 0.
long double Divise(long double a, long double b);
// Square root in extended precision: throws OperationIncorrecte() for a negative value.
long double Racine(long double a);

} // namespace kyr
