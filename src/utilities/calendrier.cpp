#include "utilities/calendrier.h"

#include "common/dates.h"

#include <algorithm>

namespace kyr {

bool Bissextile(int annee) {
    return annee % 4 == 0 && (annee % 100 != 0 || annee % 400 == 0);
}

int JoursDuMois(int annee, int mois) {
    static const int jours[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (mois < 1 || mois > 12) return 0;
    return mois == 2 && Bissextile(annee) ? 29 : jours[mois - 1];
}

MoisCalendrier::MoisCalendrier(QDate date, int debutSemaine)
    : m_date(date.isValid() ? date : QDate::currentDate()),
      m_debutSemaine(std::clamp(debutSemaine, 0, 6)) {}

int MoisCalendrier::DecalageMois() const {
    const QDate premier(m_date.year(), m_date.month(), 1);
    const int w = premier.dayOfWeek() % 7 + 1; // 1 Sunday .. 7 Saturday
    const int a = (w - m_debutSemaine + 7) % 7;
    // a is the column of the 1st plus one, modulo 7: 0 stands for the last column.
    return a == 0 ? -5 : 2 - a;
}

int MoisCalendrier::JourDe(int ligne, int colonne) const {
    if (ligne < 1 || ligne >= Lignes || colonne < 0 || colonne >= Colonnes) return 0;
    const int n = DecalageMois() + colonne + 7 * (ligne - 1);
    return n >= 1 && n <= JoursDuMois(m_date.year(), m_date.month()) ? n : 0;
}

QString MoisCalendrier::Cellule(int ligne, int colonne) const {
    if (ligne == 0) return NomJourCourt((colonne + m_debutSemaine) % 7);
    const int n = JourDe(ligne, colonne);
    return n ? QString::number(n) : QString();
}

int MoisCalendrier::LigneSelection() const {
    return (m_date.day() - DecalageMois()) / 7 + 1;
}

int MoisCalendrier::ColonneSelection() const {
    return (m_date.day() - DecalageMois()) % 7;
}

bool MoisCalendrier::ChoisitCellule(int ligne, int colonne) {
    const int jour = JourDe(ligne, colonne);
    if (jour == 0 || jour == m_date.day()) return false;
    m_date = QDate(m_date.year(), m_date.month(), jour);
    return true;
}

void MoisCalendrier::ChangeMois(int delta) {
    const int jour = m_date.day();
    const QDate bord = delta < 0 ? QDate(m_date.year(), m_date.month(), 1)
                                 : QDate(m_date.year(), m_date.month(),
                                         JoursDuMois(m_date.year(), m_date.month()));
    const QDate autre = bord.addDays(delta < 0 ? -1 : 1);
    const int jours = JoursDuMois(autre.year(), autre.month());
    m_date = QDate(autre.year(), autre.month(), std::min(jour, jours));
}

void MoisCalendrier::DefinitDate(const QDate& date) {
    if (date.isValid()) m_date = date;
}

QString MoisCalendrier::Titre() const {
    return NomMois(m_date.month()) + QStringLiteral("  ") +
           QStringLiteral("%1").arg(m_date.year(), 4, 10, QLatin1Char('0'));
}

} // namespace kyr
