#include "common/dates.h"

#include "common/erreurs.h"

#include <array>
#include <cstdio>

namespace kyr {

std::string FormatDate(const QDate& d) {
    if (!d.isValid()) return {};
    char tampon[16];
    std::snprintf(tampon, sizeof tampon, "%02d/%02d/%04d", d.day(), d.month(), d.year());
    return tampon;
}

namespace {
// Reads 1..max digits at s[i], advancing i; -1 when there is none.
int LitChiffres(std::string_view s, std::size_t& i, std::size_t max, std::size_t& lus) {
    int v = 0;
    lus = 0;
    while (i < s.size() && lus < max && s[i] >= '0' && s[i] <= '9') {
        v = v * 10 + (s[i] - '0');
        ++i;
        ++lus;
    }
    return lus == 0 ? -1 : v;
}
} // namespace

QDate LitDate(std::string_view texte) {
    std::size_t i = 0;
    auto blancs = [&] {
        while (i < texte.size() && (texte[i] == ' ' || texte[i] == '\t'))
            ++i;
    };
    blancs();
    std::size_t lus = 0;
    const int jour = LitChiffres(texte, i, 2, lus);
    bool ok = jour >= 0 && i < texte.size() && texte[i] == '/';
    int mois = -1, annee = -1;
    if (ok) {
        ++i;
        mois = LitChiffres(texte, i, 2, lus);
        ok = mois >= 0 && i < texte.size() && texte[i] == '/';
    }
    if (ok) {
        ++i;
        annee = LitChiffres(texte, i, 4, lus);
        ok = annee >= 0 && (lus == 2 || lus == 4);
        if (ok && lus == 2) annee += annee < 50 ? 2000 : 1900;
    }
    if (ok) {
        blancs();
        ok = i == texte.size();
    }
    const QDate d = ok ? QDate(annee, mois, jour) : QDate();
    if (!d.isValid()) throw ErreurExecution::DateIncorrecte(texte);
    return d;
}

QString NomJour(const QDate& d) {
    static const std::array<const char*, 7> noms = {"lundi",    "mardi",  "mercredi", "jeudi",
                                                    "vendredi", "samedi", "dimanche"};
    if (!d.isValid()) return {};
    return QString::fromUtf8(noms[static_cast<std::size_t>(d.dayOfWeek() - 1)]);
}

QString NomMois(int mois) {
    static const std::array<const char*, 12> noms = {
        "janvier", "février", "mars",      "avril",   "mai",      "juin",
        "juillet", "août",    "septembre", "octobre", "novembre", "décembre"};
    if (mois < 1 || mois > 12) return {};
    return QString::fromUtf8(noms[static_cast<std::size_t>(mois - 1)]);
}

QString NomJourCourt(int jourDepuisDimanche) {
    static const std::array<const char*, 7> noms = {"dim.", "lun.", "mar.", "mer.",
                                                    "jeu.", "ven.", "sam."};
    if (jourDepuisDimanche < 0 || jourDepuisDimanche > 6) return {};
    return QString::fromUtf8(noms[static_cast<std::size_t>(jourDepuisDimanche)]);
}

} // namespace kyr
