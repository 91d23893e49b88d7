#include "common/dates.h"
#include "common/erreurs.h"

#include <gtest/gtest.h>

namespace kyr {
namespace {

TEST(Dates, FormatsAndReadsDayMonthYear) {
    EXPECT_EQ(FormatDate(QDate(2001, 12, 3)), "03/12/2001");
    const std::pair<const char*, QDate> cas[] = {
        {"15/01/2000", QDate(2000, 1, 15)},
        {" 1/2/2001 ", QDate(2001, 2, 1)},
        {"29/02/2000", QDate(2000, 2, 29)},
        {"15/01/50", QDate(1950, 1, 15)},
        {"15/01/49", QDate(2049, 1, 15)},
        {"29/02/2001", {}},
        {"32/01/2000", {}},
        {"15/13/2000", {}},
        {"00/01/2000", {}},
        {"15/1/200", {}},
        {"15-01-2000", {}},
        {"15/01", {}},
        {"", {}},
        {"15/01/2000x", {}},
        {"1 5/01/2000", {}},
    };
    for (const auto& [texte, date] : cas) {
        if (date.isValid())
            EXPECT_EQ(LitDate(texte), date) << texte;
        else
            EXPECT_THROW(LitDate(texte), ErreurExecution) << texte;
    }
    try {
        LitDate("31/04/2001");
        FAIL();
    } catch (const ErreurExecution& e) {
        EXPECT_EQ(e.message(), QString("'31/04/2001' n'est pas une date correcte"));
    }
    // A damaged file's "date" of megabytes is quoted only as far as a person reads it.
    try {
        LitDate("01/02/2000" + std::string(3'000'000, 'x'));
        FAIL();
    } catch (const ErreurExecution& e) {
        EXPECT_EQ(e.message(), "'01/02/2000" + QString(50, 'x') + QChar(0x2026) +
                                   "' n'est pas une date correcte");
    }
}

TEST(Dates, FrenchNamesWhateverTheLocale) {
    EXPECT_EQ(NomJour(QDate(2000, 1, 15)), QString("samedi"));
    EXPECT_EQ(NomJour(QDate(2001, 3, 12)), QString("lundi"));
    EXPECT_EQ(NomMois(2), QString("février"));
    EXPECT_EQ(NomMois(8), QString("août"));
    EXPECT_EQ(NomMois(12), QString("décembre"));
    EXPECT_EQ(NomJourCourt(0), QString("dim."));
    EXPECT_EQ(NomJourCourt(6), QString("sam."));
    EXPECT_EQ(NomJourCourt(7), QString());
    EXPECT_EQ(NomMois(13), QString());
}

} // namespace
} // namespace kyr
