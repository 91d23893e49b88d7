#include "utilities/horloge.h"

#include "common/dates.h"

#include <algorithm>
#include <cstdio>

namespace kyr {

namespace {

struct Limites {
    std::string Horloge::*affichage;
    std::size_t position, largeur;
    int minimum, maximum;
};

// The displays are always as Affiche writes them; a field that does not
// read as a number counts as 0.
int Lit(const std::string& s, std::size_t position, std::size_t largeur) {
    int v = 0;
    for (std::size_t i = position; i < position + largeur && i < s.size(); ++i)
        if (s[i] >= '0' && s[i] <= '9') v = v * 10 + (s[i] - '0');
    return v;
}

std::optional<Limites> LimitesDe(ChampHorloge champ) {
    switch (champ) {
    case ChampHorloge::Heure:
        return Limites{&Horloge::Heure, 0, 2, 0, 23};
    case ChampHorloge::Minute:
        return Limites{&Horloge::Heure, 3, 2, 0, 59};
    case ChampHorloge::Jour:
        return Limites{&Horloge::Date, 0, 2, 0, 31};
    case ChampHorloge::Mois:
        return Limites{&Horloge::Date, 3, 2, 0, 12};
    case ChampHorloge::Annee:
        return Limites{&Horloge::Date, 6, 4, 1900, 2099};
    case ChampHorloge::Aucun:
        break;
    }
    return std::nullopt;
}

} // namespace

void Horloge::Affiche(const QDateTime& maintenant) {
    char tampon[16];
    const QTime t = maintenant.time();
    std::snprintf(tampon, sizeof tampon, "%02d:%02d:%02d", t.hour(), t.minute(), t.second());
    Heure = tampon;
    Date = FormatDate(maintenant.date());
}

void Horloge::Change(ChampHorloge champ, int pas) {
    const auto l = LimitesDe(champ);
    if (!l) return;
    std::string& s = this->*(l->affichage);
    if (s.size() < l->position + l->largeur) return;
    int v = Lit(s, l->position, l->largeur);
    if (champ == ChampHorloge::Annee && v < 100) v += 1900;
    v = std::clamp(v + pas, l->minimum, l->maximum);
    char tampon[8];
    std::snprintf(tampon, sizeof tampon, "%0*d", static_cast<int>(l->largeur), v);
    s.replace(l->position, l->largeur, tampon);
}

void Horloge::Monte(ChampHorloge champ) {
    Change(champ, 1);
}

void Horloge::Descend(ChampHorloge champ) {
    Change(champ, -1);
}

std::optional<QDateTime> Horloge::Instant(const QTimeZone& zone, QString* raison) const {
    const auto refuse = [raison](const QString& r) -> std::optional<QDateTime> {
        if (raison) *raison = r;
        return std::nullopt;
    };
    int annee = Lit(Date, 6, 4);
    if (annee < 100) annee += 1900;
    const QDate date(annee, Lit(Date, 3, 2), Lit(Date, 0, 2));
    if (!date.isValid())
        return refuse(QStringLiteral("la date %1 n'existe pas").arg(QString::fromStdString(Date)));
    const QTime heure(Lit(Heure, 0, 2), Lit(Heure, 3, 2), Lit(Heure, 6, 2));
    if (!heure.isValid())
        return refuse(QStringLiteral("l'heure %1 n'existe pas").arg(QString::fromStdString(Heure)));
    const QDateTime local(date, heure, zone);
    // An hour skipped when summer time begins has no instant: Qt moves it on.
    if (!local.isValid() || local.date() != date || local.time() != heure)
        return refuse(QStringLiteral("l'heure %1 n'existe pas le %2 (passage à l'heure d'été)")
                          .arg(QString::fromStdString(Heure), QString::fromStdString(Date)));
    return local;
}

std::optional<QString> Horloge::Modifie(Plateforme& plateforme, const QTimeZone& zone) const {
    QString raison;
    const auto instant = Instant(zone, &raison);
    std::optional<QString> refus;
    if (instant)
        refus = plateforme.ReglerHorloge(instant->toUTC());
    else
        refus = raison;
    if (!refus) return std::nullopt;
    return QStringLiteral("L'horloge n'a pas été modifiée : %1.").arg(*refus);
}

} // namespace kyr
