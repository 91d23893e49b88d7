#pragma once
// TPocket: the pocket calculator. It works on a Calculatrice that its caller
// keeps, so the state outlives the window.
#include "utilities/calculatrice.h"
#include "utilities/ui/execution.h"

#include <QDialog>
#include <map>

class QLabel;
class QPushButton;

namespace kyr {

class TPocket final : public QDialog {
    Q_OBJECT
public:
    TPocket(Calculatrice& etat, Execution execution, QWidget* parent = nullptr);

    QPushButton* Bouton(char code) const; // by its code: '0'..'9', ',', '+', '=', 'C', 'S', 'X'

protected:
    void keyPressEvent(QKeyEvent* e) override;
    void showEvent(QShowEvent* e) override;

private:
    void Appuie(char code);
    void Rafraichit();

    Calculatrice& m_etat;
    Execution m_execution;
    QLabel* m_affichage;
    std::map<char, QPushButton*> m_boutons;
};

} // namespace kyr
