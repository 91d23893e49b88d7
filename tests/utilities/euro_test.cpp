// The euro converter as the user drives it: keypad, keyboard, Enter, the rate's arrows.
#include "common/erreurs.h"
#include "utilities/euro.h"

#include <gtest/gtest.h>

namespace kyr {
namespace {

Convertisseur Tape(const std::string& touches, bool versEuro = true) {
    Convertisseur c;
    c.VersEuro = versEuro;
    c.Activation();
    for (char t : touches)
        c.Caractere(t);
    return c;
}

TEST(Convertisseur, Conversions) {
    struct Cas {
        const char* touches;
        bool versEuro;
        const char* entree;
        const char* resultat;
    };
    const Cas cas[] = {
        {"100\r", true, "100", "15,24"},
        {"1\r", false, "1", "6,6"}, // tenths of a franc, not centimes
        {"10\r", false, "10", "65,6"},
        {"12,5\r", false, "12,5", "82"},
        {"6,55957\r", true, "6,55957", "1"},
        {"6.55957\r", true, "6,55957", "1"}, // a full stop is a comma
        {"20\r", true, "20", "3,05"},
        {",\r", true, ",", "0"},           // a comma alone reads as 0
        {"\r", true, "", ""},              // nothing typed
        {"1,2,3\r", true, "", ""},         // no number: both displays emptied
        {"12a\r", true, "12", "1,83"},     // other keys ignored
        {"100\r\r", true, "100", "15,24"}, // Enter again converts again
        {"100\r3", true, "3", ""},         // a new amount after a result
        {"100\r,", true, ",", ""},
        {"100\rz", true, "", ""},
    };
    for (const Cas& c : cas) {
        SCOPED_TRACE(c.touches);
        const Convertisseur r = Tape(c.touches, c.versEuro);
        EXPECT_EQ(r.Entree, c.entree);
        EXPECT_EQ(r.Resultat, c.resultat);
    }
}

TEST(Convertisseur, HalvesGoToTheEvenNeighbour) {
    Convertisseur c;
    c.Taux = 100000; // one franc a euro: 0,125 is an exact half-cent
    for (char t : std::string("0,125\r"))
        c.Caractere(t);
    EXPECT_EQ(c.Resultat, "0,12");
    for (char t : std::string("0,375\r"))
        c.Caractere(t);
    EXPECT_EQ(c.Resultat, "0,38");
}

TEST(Convertisseur, RateSpin) {
    struct Cas {
        int depart, montees, descentes;
        const char* texte;
    };
    const Cas cas[] = {
        {655957, 0, 0, "6,55957"}, {655957, 1, 0, "6,55958"}, {655957, 0, 1, "6,55956"},
        {1, 0, 1, "1E-5"},         {2, 0, 5, "1E-5"},         {10, 0, 0, "0,0001"},
        {99999, 1, 0, "1"},
    };
    for (const Cas& c : cas) {
        Convertisseur conv;
        conv.Taux = c.depart;
        for (int i = 0; i < c.montees; ++i)
            conv.Monte();
        for (int i = 0; i < c.descentes; ++i)
            conv.Descend();
        EXPECT_EQ(conv.TexteTaux(), c.texte) << c.depart;
    }
    Convertisseur conv;
    conv.Monte();
    for (char t : std::string("100\r"))
        conv.Caractere(t);
    EXPECT_EQ(conv.Resultat, "15,24");
}

TEST(Convertisseur, HugeAmountIsAnOverflowAndNextKeyStartsAfresh) {
    const std::string enorme(40, '9');
    Convertisseur c = Tape(enorme);
    EXPECT_THROW(c.Convertit(), ErreurExecution);
    c.Caractere('5');
    EXPECT_EQ(c.Entree, "5");
    // Large but within range: converted, shown with its exponent.
    Convertisseur d = Tape("1" + std::string(30, '0') + "\r");
    EXPECT_EQ(d.Resultat.substr(0, 13), "1,52449017237");
    EXPECT_EQ(d.Resultat.substr(d.Resultat.size() - 3), "E29");
}

} // namespace
} // namespace kyr
