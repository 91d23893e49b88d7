#pragma once
// THorloge: the clock. It shows the computer's time and date every second;
// "Set" freezes the displays so that the arrows change one field at a time,
// and a second "Set" sets the computer's clock from them.
#include "common/plateforme.h"
#include "utilities/horloge.h"

#include <QDialog>
#include <QTimeZone>

class QButtonGroup;
class QLabel;
class QPushButton;
class QTimer;

namespace kyr {

class TSpinButton;

class THorloge final : public QDialog {
    Q_OBJECT
public:
    explicit THorloge(Plateforme& plateforme, QWidget* parent = nullptr);

    const Horloge& logique() const { return m_horloge; }
    // The zone the displayed time is read in (the machine's own by default).
    void DefinitZone(const QTimeZone& zone) { m_zone = zone; }

protected:
    void showEvent(QShowEvent* e) override;
    void changeEvent(QEvent* e) override;

private:
    void FormActivate();
    void Timer1Timer();
    void Button2Click();
    ChampHorloge Champ() const;
    void Rafraichit();

    Plateforme& m_plateforme;
    Horloge m_horloge;
    QTimeZone m_zone = QTimeZone::systemTimeZone();
    QLabel* m_heure;
    QLabel* m_date;
    QButtonGroup* m_champs;
    TSpinButton* m_spin;
    QTimer* m_timer;
};

} // namespace kyr
