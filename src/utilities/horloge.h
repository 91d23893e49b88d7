#pragma once
// The clock's workings: the time display "hh:mm:ss" and the date display
// "dd/mm/yyyy", one field at a time changed by the arrows within its limits
// (no carry into the next field), and the setting of the computer's clock from
// the two displays, taken as the local time of the machine's time zone.
#include "common/plateforme.h"

#include <QDateTime>
#include <QTimeZone>

#include <optional>
#include <string>

namespace kyr {

enum class ChampHorloge { Aucun, Heure, Minute, Jour, Mois, Annee };

class Horloge {
public:
    std::string Heure;    // time display (Label1), "14:05:09"
    std::string Date;     // date display (Label2), "15/03/2001"
    bool Reglage = false; // setting mode: the timer is stopped, the arrows edit

    // A tick of the timer: both displays show this local date and time.
    void Affiche(const QDateTime& maintenant);
    // One click of an arrow on a field: hours 0..23, minutes 0..59, day
    // 0..31, month 0..12, year 1900..2099 (a two-digit year read as 19xx).
    void Monte(ChampHorloge champ);
    void Descend(ChampHorloge champ);

    // The instant the displays stand for, as local time in `zone`; nullopt
    // when they are no real date and time (day 0, 31/02, an hour skipped when
    // summer time begins), with the reason in `raison`.
    std::optional<QDateTime> Instant(const QTimeZone& zone, QString* raison = nullptr) const;
    // Sets the computer's clock from the displays. Returns nullopt when it was
    // set, otherwise the full French message saying it was not, and why.
    std::optional<QString> Modifie(Plateforme& plateforme,
                                   const QTimeZone& zone = QTimeZone::systemTimeZone()) const;

private:
    void Change(ChampHorloge champ, int pas);
};

} // namespace kyr
