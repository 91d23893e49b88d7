#pragma once
// TCalendar: a month as a drawn grid of 7 x 7 cells (weekday names, then six
// week rows) holding one selected date. TCalendrier: the perpetual calendar
// window around it, its title and the month buttons.
#include "utilities/calendrier.h"

#include <QDialog>
#include <QWidget>

class QLabel;

namespace kyr {

class TCalendar final : public QWidget {
    Q_OBJECT
public:
    explicit TCalendar(QWidget* parent = nullptr);

    const MoisCalendrier& mois() const { return m_mois; }
    QDate CalendarDate() const { return m_mois.Date(); }
    void SetCalendarDate(const QDate& date);
    void NextMonth();
    void PrevMonth();
    // The cell at a point of the widget (row, column), or {-1, -1}.
    std::pair<int, int> CelluleEn(const QPoint& p) const;
    QRect RectCellule(int ligne, int colonne) const;

signals:
    void OnChange();

protected:
    void paintEvent(QPaintEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;

private:
    void Choisit(int ligne, int colonne);
    int LargeurColonne() const;
    int HauteurLigne() const;

    MoisCalendrier m_mois;
};

class TCalendrier final : public QDialog {
    Q_OBJECT
public:
    explicit TCalendrier(QWidget* parent = nullptr, const QDate& date = QDate::currentDate());

    TCalendar* calendrier() const { return m_calendrier; }

protected:
    bool eventFilter(QObject* o, QEvent* e) override;
    void showEvent(QShowEvent* e) override;

private:
    void Titre();

    QLabel* m_titre;
    TCalendar* m_calendrier;
};

} // namespace kyr
