#pragma once
// TEurof: the euro converter. An amount typed on its keypad (or the
// keyboard) is converted by "=" or Enter in the direction checked.
#include "utilities/euro.h"
#include "utilities/ui/execution.h"

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace kyr {

class TSpinButton;

class TEurof final : public QDialog {
    Q_OBJECT
public:
    explicit TEurof(Execution execution, QWidget* parent = nullptr);

    const Convertisseur& logique() const { return m_conv; }

protected:
    void keyPressEvent(QKeyEvent* e) override;
    void showEvent(QShowEvent* e) override;

private:
    void FormKeyPress(char c);
    void Rafraichit();

    Execution m_execution;
    Convertisseur m_conv;
    QLabel* m_entree;
    QLabel* m_resultat;
    QLineEdit* m_taux;
    QRadioButton* m_versEuro;
    QRadioButton* m_versFranc;
    QPushButton* m_egal;
    TSpinButton* m_spin;
};

} // namespace kyr
