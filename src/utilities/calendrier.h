#pragma once
// The perpetual calendar's month grid: 7 columns by 7 rows, a header row of
// weekday names and six week rows, laid out from the selected date and the
// weekday of the first column; and the stepping from month to month.
#include <QDate>
#include <QString>

namespace kyr {

bool Bissextile(int annee);
int JoursDuMois(int annee, int mois);

class MoisCalendrier {
public:
    static constexpr int Colonnes = 7, Lignes = 7; // row 0 is the header

    explicit MoisCalendrier(QDate date = QDate::currentDate(), int debutSemaine = 0);

    QDate Date() const { return m_date; }
    int StartOfWeek() const { return m_debutSemaine; } // 0 Sunday .. 6 Saturday
    // The number the first cell of the first week row would carry (-5..1).
    int DecalageMois() const;
    // The text of a cell: the short weekday name in the header row, the day
    // number in a week row, empty outside the month.
    QString Cellule(int ligne, int colonne) const;
    // The day shown in a week row cell, or 0 when the cell is empty.
    int JourDe(int ligne, int colonne) const;
    // The cell of the selected day.
    int LigneSelection() const;
    int ColonneSelection() const;

    // Selects a day of the same month; false (nothing changes) when the
    // cell holds no day or it is the day already selected.
    bool ChoisitCellule(int ligne, int colonne);
    // The same day of the previous (-1) or the next (+1) month, or that
    // month's last day when it is shorter ("31/01" -> "28/02").
    void ChangeMois(int delta);
    void DefinitDate(const QDate& date);

    // "mars  2001": the month's French name, two blanks, the year.
    QString Titre() const;

private:
    QDate m_date;
    int m_debutSemaine;
};

} // namespace kyr
