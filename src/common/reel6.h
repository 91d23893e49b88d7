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
    Reel6(long double v); // NOLINT: implicit on purpose, like an assignment to a real variable

    long double valeur() const { return m_valeur; }
    operator long double() const { return m_valeur; } // NOLINT

    // The six bytes as the format lays them out (exponent byte first).
    std::array<std::uint8_t, 6> octets() const;
    static Reel6 depuisOctets(const std::array<std::uint8_t, 6>& o);

    // The largest value: (2 - 2^-39) x 2^126, about 1.70141183460314e38.
    static constexpr long double Max = 0x1.fffffffffep126L;

private:
    long double m_valeur = 0; // always exactly representable in 6 bytes
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
