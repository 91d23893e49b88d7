// The month grid of the perpetual calendar and its stepping between months.
#include "utilities/calendrier.h"

#include <gtest/gtest.h>

namespace kyr {
namespace {

// The week rows as text, "." for an empty cell: "......1|2345678|...".
std::string Grille(const MoisCalendrier& m) {
    std::string s;
    for (int l = 1; l < MoisCalendrier::Lignes; ++l) {
        if (l > 1) s += '|';
        for (int c = 0; c < MoisCalendrier::Colonnes; ++c)
            s += m.JourDe(l, c) ? 'x' : '.';
    }
    return s;
}

TEST(MoisCalendrier, Layouts) {
    struct Cas {
        QDate date;
        int decalage;
        const char* grille;
    };
    const Cas cas[] = {
        // April 2001 begins on a Sunday: its 1 in the first column.
        {QDate(2001, 4, 10), 1, "xxxxxxx|xxxxxxx|xxxxxxx|xxxxxxx|xx.....|......."},
        // September 2001 begins on a Saturday: its 1 in the last column, six rows.
        {QDate(2001, 9, 1), -5, "......x|xxxxxxx|xxxxxxx|xxxxxxx|xxxxxxx|x......"},
        // March 2002: 31 days from a Friday, all six rows.
        {QDate(2002, 3, 31), -4, ".....xx|xxxxxxx|xxxxxxx|xxxxxxx|xxxxxxx|x......"},
        // February 2009 begins on a Sunday, 28 days: four rows exactly.
        {QDate(2009, 2, 14), 1, "xxxxxxx|xxxxxxx|xxxxxxx|xxxxxxx|.......|......."},
        // February 2000 (leap, from a Tuesday) and 1900 (not leap, from a Thursday).
        {QDate(2000, 2, 29), -1, "..xxxxx|xxxxxxx|xxxxxxx|xxxxxxx|xxx....|......."},
        {QDate(1900, 2, 1), -3, "....xxx|xxxxxxx|xxxxxxx|xxxxxxx|xxxx...|......."},
        {QDate(2001, 2, 1), -3, "....xxx|xxxxxxx|xxxxxxx|xxxxxxx|xxxx...|......."},
    };
    for (const Cas& c : cas) {
        SCOPED_TRACE(c.date.toString().toStdString());
        const MoisCalendrier m(c.date);
        EXPECT_EQ(m.DecalageMois(), c.decalage);
        EXPECT_EQ(Grille(m), c.grille);
        // The selection sits on the date's day.
        EXPECT_EQ(m.Cellule(m.LigneSelection(), m.ColonneSelection()),
                  QString::number(c.date.day()));
    }
}

TEST(MoisCalendrier, HeaderAndTitle) {
    const MoisCalendrier m(QDate(2001, 3, 15));
    QStringList entete;
    for (int c = 0; c < 7; ++c)
        entete << m.Cellule(0, c);
    EXPECT_EQ(entete.join(' '), QStringLiteral("dim. lun. mar. mer. jeu. ven. sam."));
    EXPECT_EQ(m.Titre(), QStringLiteral("mars  2001"));
    EXPECT_EQ(MoisCalendrier(QDate(2001, 8, 1)).Titre(), QString::fromUtf8("août  2001"));
    EXPECT_EQ(MoisCalendrier(QDate(2001, 3, 15), 1).Cellule(0, 0), QStringLiteral("lun."));
}

TEST(MoisCalendrier, MonthStepping) {
    struct Cas {
        QDate depart;
        int delta;
        QDate arrivee;
    };
    const Cas cas[] = {
        {QDate(2001, 1, 31), 1, QDate(2001, 2, 28)},   {QDate(2000, 1, 31), 1, QDate(2000, 2, 29)},
        {QDate(1900, 1, 31), 1, QDate(1900, 2, 28)},   {QDate(2001, 3, 31), -1, QDate(2001, 2, 28)},
        {QDate(2004, 3, 31), -1, QDate(2004, 2, 29)},  {QDate(2001, 12, 15), 1, QDate(2002, 1, 15)},
        {QDate(2002, 1, 15), -1, QDate(2001, 12, 15)}, {QDate(2001, 5, 31), 1, QDate(2001, 6, 30)},
        {QDate(2001, 8, 31), -1, QDate(2001, 7, 31)},
    };
    for (const Cas& c : cas) {
        MoisCalendrier m(c.depart);
        m.ChangeMois(c.delta);
        EXPECT_EQ(m.Date(), c.arrivee) << c.depart.toString().toStdString();
    }
}

TEST(MoisCalendrier, PickingCells) {
    MoisCalendrier m(QDate(2001, 9, 10)); // September 2001: 1 at row 1, column 6
    EXPECT_FALSE(m.ChoisitCellule(1, 3)); // empty cell
    EXPECT_FALSE(m.ChoisitCellule(0, 3)); // header
    EXPECT_FALSE(m.ChoisitCellule(6, 1)); // after the 30th
    EXPECT_FALSE(m.ChoisitCellule(3, 1)); // the 10th, already selected
    EXPECT_EQ(m.Date(), QDate(2001, 9, 10));
    EXPECT_TRUE(m.ChoisitCellule(6, 0));
    EXPECT_EQ(m.Date(), QDate(2001, 9, 30));
    EXPECT_EQ(m.LigneSelection(), 6);
    EXPECT_EQ(m.ColonneSelection(), 0);
}

TEST(Calendrier, DaysOfMonths) {
    const int attendus[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    for (int m = 1; m <= 12; ++m)
        EXPECT_EQ(JoursDuMois(2001, m), attendus[m - 1]);
    EXPECT_EQ(JoursDuMois(2000, 2), 29);
    EXPECT_EQ(JoursDuMois(1900, 2), 28);
    EXPECT_EQ(JoursDuMois(2004, 2), 29);
    EXPECT_EQ(JoursDuMois(2100, 2), 28);
}

} // namespace
} // namespace kyr
