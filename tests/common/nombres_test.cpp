#include "common/erreurs.h"
#include "common/nombres.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <random>

namespace kyr {
namespace {

TEST(Nombres, AmountsRoundHalfAwayFromZeroAfterTwelveDigits) {
    const std::pair<long double, const char*> cas[] = {
        {0, "0,00"},
        {1.005L, "1,01"},
        {1.005, "1,01"}, // the double is below 1,005
        {0.995, "1,00"},
        {99.995L, "100,00"},
        {-0.005L, "-0,01"},
        {-1.5L, "-1,50"},
        {1234567.891L, "1234567,89"},
        {-0.0025L, "0,00"}, // rounds to nothing: no minus sign
        {1e20L, "100000000000000000000,00"},
        {Reel6(20.6L) * Reel6(3), "61,80"},
    };
    for (const auto& [v, texte] : cas)
        EXPECT_EQ(FormatMontant(v), texte) << static_cast<double>(v);
    EXPECT_EQ(FormatDecimales(-2.5L, 0), "-3");
    EXPECT_EQ(FormatDecimales(9.9999L, 3), "10,000");
    // 100 francs in euros: shown with 15 digits, read back, shown as an amount.
    EXPECT_EQ(FormatMontant(*LitNombre(FormatGeneral(Divise(100, Reel6(6.55957L)), 15))), "15,24");
}

TEST(Nombres, GeneralFormatIsShortestWithScientificAtTheEnds) {
    const std::tuple<long double, int, const char*> cas[] = {
        {0, 12, "0"},
        {-1.5L, 12, "-1,5"},
        {100, 12, "100"},
        {1e20L, 12, "1E20"},
        {1.5e-7L, 12, "1,5E-7"},
        {-2.25e-9L, 12, "-2,25E-9"},
        {0.0001L, 12, "0,0001"},
        {0.00012345L, 12, "0,00012345"},
        {0.00009L, 12, "9E-5"},
        {123456789012345.0L, 15, "123456789012345"},
        {1e15L, 15, "1E15"},
        {2.0L / 3, 12, "0,666666666667"},
        {1.0L / 3, 15, "0,333333333333333"},
        {999999999999.9L, 12, "1000000000000"},
        {1.5e17L, 15, "1,5E17"},
    };
    for (const auto& [v, chiffres, texte] : cas)
        EXPECT_EQ(FormatGeneral(v, chiffres), texte) << static_cast<double>(v);
}

TEST(Nombres, ReadsNumbersWithTheDecimalComma) {
    const std::pair<const char*, std::optional<long double>> cas[] = {
        {"12,5", 12.5L}, {" -3 ", -3.0L}, {"+4", 4.0L},   {"1E3", 1000.0L}, {"1,5e-2", 0.015L},
        {",5", 0.5L},    {"5,", 5.0L},    {"2.5", {}},    {"1 000", {}},    {"1,2,3", {}},
        {"", {}},        {",", {}},       {"-", {}},      {"1E", {}},       {"E5", {}},
        {"1e+", {}},     {"12a", {}},     {"1E5000", {}}, {"--1", {}},
    };
    for (const auto& [texte, v] : cas) {
        const auto lu = LitNombre(texte);
        ASSERT_EQ(lu.has_value(), v.has_value()) << texte;
        if (lu) {
            EXPECT_NEAR(static_cast<double>(*lu), static_cast<double>(*v), 1e-15) << texte;
        }
    }
    const std::pair<const char*, std::optional<std::int32_t>> entiers[] = {
        {"42", 42},
        {" -7 ", -7},
        {"+3", 3},
        {"2147483647", INT32_MAX},
        {"-2147483648", INT32_MIN},
        {"2147483648", {}},
        {"99999999999999999999", {}},
        {"1,0", {}},
        {"", {}},
        {"-", {}},
        {"1 2", {}},
        {"1E2", {}},
    };
    for (const auto& [texte, v] : entiers)
        EXPECT_EQ(LitEntier(texte), v) << texte;
}

TEST(Nombres, ThrowingFormsQuoteTheTextAsTyped) {
    EXPECT_EQ(StrToInt(" 12 "), 12);
    EXPECT_EQ(StrToFloat("1,25"), 1.25L);
    try {
        StrToInt("12a");
        FAIL();
    } catch (const ErreurExecution& e) {
        EXPECT_EQ(e.message(), QString("'12a' n'est pas une valeur entière correcte"));
    }
    try {
        StrToFloat("2.5\xe9"); // an 8-bit e acute
        FAIL();
    } catch (const ErreurExecution& e) {
        EXPECT_EQ(e.message(), QString("'2.5é' n'est pas une valeur flottante correcte"));
    }
}

TEST(Nombres, SettingsRealTexts) {
    const std::pair<long double, const char*> textes[] = {
        {6.55957L, " 6.55957000000000E+0000"}, {20.6L, " 2.06000000000000E+0001"},
        {0, " 0.00000000000000E+0000"},        {-1.5L, "-1.50000000000000E+0000"},
        {0.25L, " 2.50000000000000E-0001"},    {1e38L, " 1.00000000000000E+0038"},
    };
    for (const auto& [v, texte] : textes)
        EXPECT_EQ(TexteReelIni(Reel6(v)), texte);

    const std::pair<const char*, std::optional<long double>> lus[] = {
        {"6.55957", 6.55957L},
        {"1e3", 1000.0L},
        {"-2.5E-0001", -0.25L},
        {"\r\n  7", 7.0L},
        {" 5.50000000000000E+0000", 5.5L},
        {"6,5", {}},
        {"", {}},
        {"inf", {}},
        {"nan", {}},
        {"0x10", {}},
        {"1e", {}},
    };
    for (const auto& [texte, v] : lus) {
        const auto lu = LitReelIni(texte);
        ASSERT_EQ(lu.has_value(), v.has_value()) << texte;
        if (lu) {
            EXPECT_EQ(Reel6(*lu), Reel6(*v)) << texte;
        }
    }
    // Any stored value is written so that it reads back to itself.
    std::mt19937 gen(99);
    for (int i = 0; i < 3000; ++i) {
        std::array<std::uint8_t, 6> o;
        for (auto& b : o)
            b = static_cast<std::uint8_t>(gen());
        const Reel6 v = Reel6::depuisOctets(o);
        const std::string texte = TexteReelIni(v);
        ASSERT_EQ(texte.size(), 23u) << texte;
        ASSERT_EQ(Reel6(LitReelIni(texte).value_or(-1)).valeur(), v.valeur()) << texte;
    }
}

TEST(Nombres, GeneralFormatWithinAWidth) {
    struct Cas {
        long double v;
        std::size_t largeur;
        int chiffres;
        const char* texte;
    };
    const Cas cas[] = {
        {12, 15, 12, "12"},
        {1.0L / 3, 15, 15, "0,3333333333333"},
        {1.0L / 3, 15, 12, "0,333333333333"},
        {-1.0L / 3, 15, 12, "-0,333333333333"},
        {123456789012.0L, 15, 12, "123456789012"},
        {-123456789012345.0L, 15, 12, "-1,23456789E14"},
        {1.234567890123e-7L, 15, 12, "1,2345678901E-7"},
        {-1.5e-30L, 15, 12, "-1,5E-30"},
        {1.4142135623730950488L, 15, 15, "1,4142135623731"},
        {0, 15, 12, "0"},
        {99999999999.99L, 6, 12, "1E11"}, // rounding carries into a new digit
    };
    for (const Cas& c : cas) {
        const std::string s = FormatGeneralLargeur(c.v, c.largeur, c.chiffres);
        EXPECT_EQ(s, c.texte);
        EXPECT_LE(s.size(), c.largeur);
        // What is shown is the value, rounded: it reads back close to it.
        const long double lu = LitNombre(s).value_or(-1);
        EXPECT_NEAR(static_cast<double>(lu), static_cast<double>(c.v),
                    std::fabs(static_cast<double>(c.v)) * 1e-4 + 1e-300);
    }
}

// The direct paths of number texts (digits from exact integers, plain numbers
// read as n / 10^f) against the C library on the same values: random amounts
// and rates, exact ties, powers of ten and their neighbours.
TEST(Nombres, DirectPathsAgreeWithTheLibrary) {
    std::mt19937_64 alea(20261208);
    std::vector<long double> valeurs = {0.5L,
                                        2.5L,
                                        0.125L,
                                        1.005L,
                                        99.995L,
                                        999999999999.5L,
                                        1e-7L,
                                        9.999999999995L,
                                        123456789012.5L,
                                        0.05L};
    for (int p = -7; p <= 18; ++p) {
        const long double dix = std::pow(10.0L, p);
        valeurs.insert(valeurs.end(), {dix, std::nextafter(dix, 0.0L), std::nextafter(dix, 1e30L)});
    }
    for (int i = 0; i < 200000; ++i) {
        // Cents and mills of every size, and values of any 64-bit mantissa.
        const auto n = static_cast<long double>(alea() % 100000000000000ULL);
        valeurs.push_back(n / std::pow(10.0L, static_cast<int>(alea() % 8)));
        valeurs.push_back(
            std::ldexp(static_cast<long double>(alea()), -static_cast<int>(alea() % 140)));
    }
    int directs = 0;
    for (long double v : valeurs)
        for (long double w : {v, -v, static_cast<long double>(Reel6(v))})
            for (int n : {1, 2, 12, 15, 18}) {
                const auto direct = detail::ScientifiqueDirect(w, n);
                if (!direct) continue;
                ++directs;
                char tampon[64];
                const auto r = std::to_chars(tampon, tampon + sizeof tampon, w,
                                             std::chars_format::scientific, n - 1);
                ASSERT_EQ(*direct, std::string(tampon, r.ptr)) << n;
            }
    EXPECT_GT(directs, 1000000);

    for (int i = 0; i < 200000; ++i) {
        std::string texte = i % 2 ? "-" : "";
        const int chiffres = 1 + static_cast<int>(alea() % 19);
        const int virgule = static_cast<int>(alea() % (chiffres + 1));
        for (int k = 0; k < chiffres; ++k) {
            if (k == virgule && k > 0) texte += ',';
            texte += static_cast<char>('0' + alea() % 10);
        }
        std::string point = texte;
        std::replace(point.begin(), point.end(), ',', '.');
        long double attendu = 0;
        std::from_chars(point.data(), point.data() + point.size(), attendu);
        const auto lu = LitNombre(texte);
        ASSERT_TRUE(lu) << texte;
        ASSERT_EQ(*lu, attendu) << texte;
        ASSERT_EQ(std::signbit(*lu), std::signbit(attendu)) << texte;
    }
}

// An amount in cents is the amount's text read back, digit for digit, on the
// values where rounding is delicate and on random amounts of every size.
TEST(Nombres, AmountInCentsIsTheAmountsText) {
    const auto duTexte = [](long double v) -> std::optional<std::int64_t> {
        std::string t = FormatMontant(v);
        const bool negatif = t[0] == '-';
        t.erase(std::remove(t.begin(), t.end(), '-'), t.end());
        t.erase(std::remove(t.begin(), t.end(), ','), t.end());
        if (t.size() > 18 || t.find_first_not_of("0123456789") != std::string::npos)
            return std::nullopt;
        const std::int64_t c = std::stoll(t);
        return negatif ? -c : c;
    };
    std::vector<long double> valeurs = {0,
                                        0.005L,
                                        0.004999L,
                                        0.0049999999999999L,
                                        1.005L,
                                        2.675L,
                                        99.995L,
                                        0.5L,
                                        1e-9L,
                                        9999999999999.995L,
                                        99999999999999.99L,
                                        1e16L,
                                        1e17L,
                                        1e30L,
                                        Reel6::Max,
                                        std::numeric_limits<long double>::infinity(),
                                        std::numeric_limits<long double>::quiet_NaN()};
    std::mt19937_64 alea(42);
    for (int i = 0; i < 300000; ++i) {
        const auto n = static_cast<long double>(alea() % 10000000000000000ULL);
        const long double v = n / std::pow(10.0L, static_cast<int>(alea() % 9));
        valeurs.insert(valeurs.end(), {v, static_cast<long double>(Reel6(v)),
                                       std::ldexp(static_cast<long double>(alea()),
                                                  -static_cast<int>(alea() % 100))});
    }
    for (long double v : valeurs)
        for (long double w : {v, -v}) {
            const auto attendu = duTexte(w);
            const auto c = MontantCentimes(w);
            ASSERT_EQ(c.has_value(), attendu.has_value()) << FormatMontant(w);
            if (c) {
                ASSERT_EQ(*c, *attendu) << FormatMontant(w);
            }
        }
}

} // namespace
} // namespace kyr
