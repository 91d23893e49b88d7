// The clock's fields and the setting of the computer's clock, on a scripted platform.
#include "support/plateforme_fausse.h"
#include "utilities/horloge.h"

#include <gtest/gtest.h>

namespace kyr {
namespace {

using C = ChampHorloge;

TEST(Horloge, FieldLimits) {
    struct Cas {
        const char* heure;
        const char* date;
        C champ;
        int pas; // clicks, up when positive
        const char* heureApres;
        const char* dateApres;
    };
    const Cas cas[] = {
        {"23:10:05", "15/03/2001", C::Heure, 2, "23:10:05", "15/03/2001"}, // never 24
        {"22:10:05", "15/03/2001", C::Heure, 1, "23:10:05", "15/03/2001"},
        {"00:10:05", "15/03/2001", C::Heure, -1, "00:10:05", "15/03/2001"},
        {"12:59:05", "15/03/2001", C::Minute, 1, "12:59:05", "15/03/2001"}, // no carry
        {"12:00:05", "15/03/2001", C::Minute, -1, "12:00:05", "15/03/2001"},
        {"12:08:59", "15/03/2001", C::Minute, 3, "12:11:59", "15/03/2001"},
        {"12:00:00", "01/03/2001", C::Jour, -1, "12:00:00", "00/03/2001"},
        {"12:00:00", "00/03/2001", C::Jour, -1, "12:00:00", "00/03/2001"},
        {"12:00:00", "30/02/2001", C::Jour, 5, "12:00:00", "31/02/2001"}, // not checked
        {"12:00:00", "15/12/2001", C::Mois, 1, "12:00:00", "15/12/2001"},
        {"12:00:00", "15/01/2001", C::Mois, -2, "12:00:00", "15/00/2001"},
        {"12:00:00", "15/03/2099", C::Annee, 1, "12:00:00", "15/03/2099"},
        {"12:00:00", "15/03/1900", C::Annee, -1, "12:00:00", "15/03/1900"},
        {"12:00:00", "15/03/0099", C::Annee, 1, "12:00:00", "15/03/2000"}, // 99 is 1999
        {"12:00:00", "15/03/2001", C::Aucun, 1, "12:00:00", "15/03/2001"},
    };
    for (const Cas& c : cas) {
        Horloge h{c.heure, c.date};
        for (int i = 0; i < std::abs(c.pas); ++i)
            c.pas > 0 ? h.Monte(c.champ) : h.Descend(c.champ);
        EXPECT_EQ(h.Heure, c.heureApres) << c.heure << " " << c.date;
        EXPECT_EQ(h.Date, c.dateApres) << c.heure << " " << c.date;
    }
}

TEST(Horloge, LocalTimeToUtcWithSummerTime) {
    const QTimeZone paris("Europe/Paris");
    ASSERT_TRUE(paris.isValid());
    struct Cas {
        const char* heure;
        const char* date;
        QDateTime utc; // invalid: not set
    };
    const QTimeZone utc = QTimeZone::utc();
    const Cas cas[] = {
        {"23:10:05", "15/01/2001", QDateTime(QDate(2001, 1, 15), QTime(22, 10, 5), utc)},
        {"23:10:05", "15/07/2001", QDateTime(QDate(2001, 7, 15), QTime(21, 10, 5), utc)},
        {"00:30:00", "01/01/2001", QDateTime(QDate(2000, 12, 31), QTime(23, 30, 0), utc)},
        {"01:59:59", "25/03/2001", QDateTime(QDate(2001, 3, 25), QTime(0, 59, 59), utc)},
        {"03:00:00", "25/03/2001", QDateTime(QDate(2001, 3, 25), QTime(1, 0, 0), utc)},
        {"02:30:00", "25/03/2001", QDateTime()}, // skipped when summer time begins
        {"12:00:00", "00/03/2001", QDateTime()},
        {"12:00:00", "31/02/2001", QDateTime()},
        {"12:00:00", "29/02/2000", QDateTime(QDate(2000, 2, 29), QTime(11, 0, 0), utc)},
        {"12:00:00", "15/00/2001", QDateTime()},
    };
    for (const Cas& c : cas) {
        SCOPED_TRACE(std::string(c.heure) + " " + c.date);
        test::PlateformeFausse p;
        const Horloge h{c.heure, c.date};
        const auto message = h.Modifie(p, paris);
        if (c.utc.isValid()) {
            EXPECT_FALSE(message.has_value());
            ASSERT_EQ(p.horlogesReglees.size(), 1u);
            EXPECT_EQ(p.horlogesReglees[0], c.utc);
            EXPECT_EQ(p.horlogesReglees[0].timeSpec(), Qt::UTC);
        } else {
            ASSERT_TRUE(message.has_value());
            EXPECT_TRUE(message->startsWith(QString::fromUtf8("L'horloge n'a pas été modifiée : ")))
                << message->toStdString();
            EXPECT_TRUE(p.horlogesReglees.empty()); // an impossible time never reaches the system
        }
    }
}

TEST(Horloge, RefusalIsReported) {
    test::PlateformeFausse p;
    p.refusHorloge =
        QString::fromUtf8("vous n'avez pas le droit de changer l'heure de l'ordinateur");
    const Horloge h{"12:00:00", "15/03/2001"};
    EXPECT_EQ(h.Modifie(p, QTimeZone::utc()),
              QString::fromUtf8("L'horloge n'a pas été modifiée : vous n'avez pas le droit de "
                                "changer l'heure de l'ordinateur."));
    ASSERT_EQ(p.horlogesReglees.size(), 1u); // it was asked, and said no
    const auto message = Horloge{"12:00:00", "31/02/2001"}.Modifie(p, QTimeZone::utc());
    EXPECT_EQ(message, QString::fromUtf8("L'horloge n'a pas été modifiée : la date 31/02/2001 "
                                         "n'existe pas."));
}

} // namespace
} // namespace kyr
