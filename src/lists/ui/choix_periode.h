#pragma once
// The choice of a period, as the sales journal makes it: one of the usual
// periods relative to today (this month first), or two dates typed by hand
// ("Personnalisée"). The journal and the export of a period's invoices both
// choose their period with it.
#include "lists/journal.h"

#include <QDate>
#include <QWidget>

class QComboBox;
class QDateEdit;

namespace kyr {

class ChoixPeriode final : public QWidget {
    Q_OBJECT
public:
    // `journal` gives the bounds of "Tout"; it must outlive the widget.
    ChoixPeriode(const Journal& journal, const QDate& aujourdhui, QWidget* parent = nullptr);

    void Choisit(Periode p);
    QDate Du() const;
    QDate Au() const;
    // For the tab order of the window that holds it.
    QComboBox* liste() const { return m_periode; }
    QDateEdit* au() const { return m_au; }

signals:
    void change(); // another period: chosen or typed

private:
    void periodeChoisie(int index);
    void datesChangees();

    const Journal& m_journal;
    QDate m_aujourdhui;
    QComboBox* m_periode = nullptr;
    QDateEdit* m_du = nullptr;
    QDateEdit* m_au = nullptr;
};

} // namespace kyr
