// The pocket calculator driven key by key, as its buttons and keyboard do.
#include "common/erreurs.h"
#include "utilities/calculatrice.h"

#include <gtest/gtest.h>

namespace kyr {
namespace {

// Presses the buttons of a sequence; returns the message of the error that
// stopped it, if any.
QString Tape(Calculatrice& c, const std::string& touches) {
    for (char t : touches) {
        try {
            c.Appuie(Calculatrice::BoutonDeTouche(t));
        } catch (const ErreurExecution& e) {
            return e.message();
        }
    }
    return {};
}

TEST(Calculatrice, Sequences) {
    struct Cas {
        const char* touches;
        const char* affichage;
        const char* erreur;
    };
    const Cas cas[] = {
        {"7+5=", "12", ""},
        {"7+5==", "24", ""},
        {"9-4*3=", "15", ""}, // immediate execution, no precedence
        {"2=5=", "2", ""},    // no pending operator
        {"12++", "24", ""},
        {"2+3==", "10", ""},
        {"12+4x=", "0,5", ""}, // 1/x replaces the accumulator
        {"9s", "3", ""},
        {"2s", "1,4142135623731", ""},
        {"4x", "0,25", ""},
        {"3x", "0,3333333333333", ""}, // fifteen digits, as many as fit
        {"=", "", ""},                 // nothing to read at the start: silently emptied
        {",,=", "", ""},               // nor with two commas
        {"5+C3=", "3", ""},            // C forgets the chain
        {"5+c3=", "3", ""},
        {"5+3=,", "8,", ""}, // a comma after a result is appended
        {"5+3=,7", "7", ""}, // then a digit starts a new number
        {"12,=", "12,", ""}, // a comma at the end is allowed
        {",=5+", "0", ""},   // a comma alone reads as 0; no operator yet: 0 stays
        {"0,1+0,2=", "0,3", ""},
        {"2/3=", "0,666666666667", ""},
        {"1/3*3=", "1", ""},
        {"1-3=", "-2", ""},
        {"1000000*1000000=", "1000000000000", ""},
        {"99999999*99999999*99999999=", "9,9999997E23", ""},
        {"1/7000000=", "1,4285714286E-7", ""},
        {"2-5*123456789012=", "-370370367036", ""},
        {"8/0=", "0", "Division flottante par zéro"},
        {"0x", "0", "Division flottante par zéro"},
        {"1-2=s", "-1", "Opération flottante incorrecte"},
        {"1+2=,,s", "3,,", "'3,,' n'est pas une valeur flottante correcte"},
        {"1+,,=", "1,,", "'1,,' n'est pas une valeur flottante correcte"},
    };
    for (const Cas& c : cas) {
        SCOPED_TRACE(c.touches);
        Calculatrice calc;
        calc.Activation();
        EXPECT_EQ(Tape(calc, c.touches), QString::fromUtf8(c.erreur));
        EXPECT_EQ(calc.Affichage, c.affichage);
        EXPECT_LE(calc.Affichage.size(), Calculatrice::LargeurAffichage);
    }
}

TEST(Calculatrice, ErrorKeepsTheState) {
    Calculatrice c;
    Tape(c, "8/0");
    const Calculatrice avant = c;
    EXPECT_EQ(Tape(c, "="), QString::fromUtf8("Division flottante par zéro"));
    EXPECT_EQ(Tape(c, "+"), QString::fromUtf8("Division flottante par zéro"));
    EXPECT_EQ(c.Affichage, "0");
    EXPECT_EQ(c.Operateur, '/');
    EXPECT_EQ(c.Accu.valeur(), avant.Accu.valeur());
    EXPECT_EQ(c.AccuValide, avant.AccuValide);
    EXPECT_EQ(c.NouvelleSaisie, avant.NouvelleSaisie);
    // The chain goes on once the divisor is mended.
    EXPECT_EQ(Tape(c, "2="), QString());
    EXPECT_EQ(c.Affichage, "4");
}

TEST(Calculatrice, OverflowIsAnError) {
    Calculatrice c;
    const std::string g = "1" + std::string(15, '0');
    EXPECT_EQ(Tape(c, g + "*" + g + "="), QString());
    EXPECT_EQ(c.Affichage, "1E30");
    EXPECT_EQ(Tape(c, "1000000000="), QString::fromUtf8("Débordement flottant"));
    EXPECT_EQ(c.Affichage, "1000000000"); // as typed
    EXPECT_EQ(c.Accu.valeur(), Reel6(1e30L).valeur());
    EXPECT_EQ(Tape(c, "C1000000000x"), QString());
    EXPECT_EQ(c.Affichage, "1E-9");
}

TEST(Calculatrice, ReopeningKeepsOnlyNouvelleSaisie) {
    Calculatrice c; // the owner keeps it between two openings of the window
    Tape(c, "7+5=");
    c.Activation();
    EXPECT_EQ(c.Affichage, "");
    EXPECT_FALSE(c.AccuValide);
    EXPECT_EQ(c.Operateur, 0);
    EXPECT_TRUE(c.NouvelleSaisie);
    Tape(c, ",4"); // the comma is not tested: the digit starts afresh
    EXPECT_EQ(c.Affichage, "4");
    Tape(c, "+1=");
    EXPECT_EQ(c.Affichage, "5");
}

TEST(Calculatrice, TheDisplayShowsTheWholeEntry) {
    // A font of h pixels is h/2 pixels a character here; the display is 200 wide.
    const MesureAffichage mesure = [](const std::string& t, int h) {
        return static_cast<int>(t.size()) * h / 2;
    };
    const std::string vingtZeros = "1" + std::string(20, '0');
    struct Cas {
        std::string texte;
        VueAffichage vue;
    };
    const Cas cas[] = {
        {"", {"", 20}},
        {"12", {"12", 20}},
        {std::string(20, '9'), {std::string(20, '9'), 20}},
        {vingtZeros, {vingtZeros, 19}}, // a smaller font rather than the 1 cut off
        {std::string(30, '7'), {std::string(30, '7'), 13}},
        // Too long even at the smallest height: the value, as the calculator holds it.
        {"1" + std::string(39, '0'), {"1E39", 20}},
        {"1234567890123456789012345678901234567890", {"1,23456789012E39", 20}},
        {"0," + std::string(40, '0') + "25", {"2,5E-41", 20}},
        {"-" + std::string(40, '3') + ",", {"-3,33333333333E39", 20}},
        // No number (the comma typed again and again): its end, marked as cut.
        {"1" + std::string(40, ','), {"..." + std::string(33, ','), 11}},
    };
    for (const Cas& c : cas) {
        const VueAffichage v = AjusteAffichage(c.texte, 200, 20, 11, mesure);
        EXPECT_EQ(v, c.vue) << c.texte;
        EXPECT_LE(mesure(v.Texte, v.Hauteur), 200) << c.texte;
    }
}

} // namespace
} // namespace kyr
