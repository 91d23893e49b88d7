#include "common/erreurs.h"
#include "common/nombres.h"
#include "common/reel6.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <optional>
#include <random>

namespace kyr {
namespace {

using Octets = std::array<std::uint8_t, 6>;

QString MessageDe(const std::function<void()>& f) {
    try {
        f();
    } catch (const ErreurExecution& e) {
        return e.message();
    }
    return "pas d'erreur";
}

TEST(Reel6, StoredValuesShowTheirRoundingOnlyWithFifteenDigits) {
    EXPECT_EQ(FormatGeneral(Reel6(20.6L), 15), "20,6000000000058");
    EXPECT_EQ(FormatGeneral(Reel6(6.55957L), 15), "6,55956999999762");
    EXPECT_EQ(FormatGeneral(Reel6(20.6L)), "20,6");
    EXPECT_EQ(FormatGeneral(Reel6(0.1L) + Reel6(0.2L)), "0,3");
    EXPECT_EQ(FormatGeneral(Racine(2), 15), "1,4142135623731"); // extended, not stored
}

TEST(Reel6, BytesFollowTheSixByteLayoutAndRoundTrip) {
    const std::pair<long double, Octets> cas[] = {
        {0, {0, 0, 0, 0, 0, 0}},
        {1, {0x81, 0, 0, 0, 0, 0}},
        {-1, {0x81, 0, 0, 0, 0, 0x80}},
        {0.5, {0x80, 0, 0, 0, 0, 0}},
        {1.5, {0x81, 0, 0, 0, 0, 0x40}},
        {-10, {0x84, 0, 0, 0, 0, 0xA0}},
        {1 + std::ldexp(1.0L, -39), {0x81, 1, 0, 0, 0, 0}}, // lowest fraction bit
    };
    for (const auto& [v, o] : cas) {
        EXPECT_EQ(Reel6(v).octets(), o) << static_cast<double>(v);
        EXPECT_EQ(Reel6::depuisOctets(o).valeur(), v);
    }
    std::mt19937 gen(1234);
    for (int i = 0; i < 5000; ++i) {
        Octets o;
        for (auto& b : o)
            b = static_cast<std::uint8_t>(gen());
        o[0] = std::max<std::uint8_t>(o[0], 1);
        ASSERT_EQ(Reel6::depuisOctets(o).octets(), o);
    }
    // Exponent byte 0 is the value 0, whatever the other bytes hold.
    EXPECT_EQ(Reel6::depuisOctets({0, 1, 2, 3, 4, 0x85}).valeur(), 0);
}

TEST(Reel6, RoundsToNearestWithinTheRange) {
    const long double ulp = std::ldexp(1.0L, -39); // of values in [1, 2)
    EXPECT_EQ(Reel6(1 + ulp / 4).valeur(), 1);
    EXPECT_EQ(Reel6(1 + ulp * 3 / 4).valeur(), 1 + ulp);
    EXPECT_EQ(Reel6(1 + ulp / 2).valeur(), 1); // ties go to even
    EXPECT_EQ(Reel6(1 + ulp * 3 / 2).valeur(), 1 + 2 * ulp);
    EXPECT_EQ(Reel6(2 - ulp / 4).valeur(), 2); // carry into the exponent
    EXPECT_EQ(Reel6(-(1 + ulp * 3 / 4)).valeur(), -(1 + ulp));

    const long double plusPetit = std::ldexp(1.0L, -128);
    EXPECT_EQ(Reel6(plusPetit).octets()[0], 1);
    EXPECT_EQ(Reel6(plusPetit * 0.99L).valeur(), 0); // too small becomes 0
    EXPECT_EQ(Reel6(-1e-39L).valeur(), 0);
    EXPECT_EQ(Reel6::Max, std::ldexp(2 - ulp, 126));
    EXPECT_EQ(Reel6(Reel6::Max).octets()[0], 255);
    EXPECT_EQ(FormatGeneral(Reel6::Max, 15), "1,70141183460314E38");
}

TEST(Reel6, ArithmeticErrorsCarryTheirMessages) {
    const QString zero = "Division flottante par zéro",
                  incorrecte = "Opération flottante incorrecte",
                  debordement = "Débordement flottant";
    EXPECT_EQ(MessageDe([] { Reel6(1) / Reel6(0); }), zero);
    EXPECT_EQ(MessageDe([] { Reel6(0) / Reel6(0); }), zero);
    EXPECT_EQ(MessageDe([] { Divise(5, 0); }), zero);
    EXPECT_EQ(MessageDe([] { Racine(-1); }), incorrecte);
    EXPECT_EQ(MessageDe([] { Reel6(std::nanl("")); }), incorrecte);
    EXPECT_EQ(MessageDe([] { Reel6(1e38L) * Reel6(10); }), debordement);
    EXPECT_EQ(MessageDe([] { Reel6(std::ldexp(1.0L, 127)); }), debordement);
    EXPECT_EQ(MessageDe([] { Reel6(-INFINITY); }), debordement);
    EXPECT_STREQ(ErreurExecution::Debordement().what(), "Débordement flottant");
}

// The rounding on the value's bits against the same rounding through frexp
// and nearbyint, on random extended values of every exponent the 6-byte form
// reaches and just beyond, and on the ties of its last bit.
TEST(Reel6, RoundingOnTheBitsAgreesWithTheLibrary) {
    const auto reference = [](long double v) -> std::optional<long double> {
        if (std::isinf(v)) return std::nullopt;
        if (v == 0) return 0.0L;
        int e = 0;
        const long double m = std::frexp(v, &e);
        const long double r = std::ldexp(std::nearbyint(std::ldexp(m, 40)), e - 40);
        int e2 = 0;
        std::frexp(r, &e2);
        if (e2 + 128 < 1) return 0.0L;
        if (e2 + 128 > 255) return std::nullopt;
        return r;
    };
    std::mt19937_64 alea(6);
    for (int i = 0; i < 1000000; ++i) {
        const int exposant = static_cast<int>(alea() % 300) - 150;
        std::uint64_t mantisse = alea() | (std::uint64_t{1} << 63);
        if (i % 4 == 0) mantisse = (mantisse & ~((std::uint64_t{1} << 24) - 1)) | (std::uint64_t{1} << 23);
        if (i % 8 == 1) mantisse |= (std::uint64_t{1} << 24) - 1;
        long double v = std::ldexp(static_cast<long double>(mantisse), exposant - 63);
        if (i % 2) v = -v;
        const auto attendu = reference(v);
        std::optional<long double> obtenu;
        try {
            obtenu = Reel6(v).valeur();
        } catch (const ErreurExecution&) {
        }
        ASSERT_EQ(obtenu.has_value(), attendu.has_value()) << static_cast<double>(v);
        if (attendu) {
            ASSERT_EQ(*obtenu, *attendu) << static_cast<double>(v);
        }
    }
}

} // namespace
} // namespace kyr
