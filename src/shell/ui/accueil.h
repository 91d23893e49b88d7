#pragma once
// TAccueil: the welcome of a first start, when no settings file was found. It
// says what the program starts with and leads to the three descriptions a
// first invoice needs (the company heading, the invoicing parameters, the
// seller's data of the electronic invoice). Each may be skipped and done later
// from the "&Paramètres" menu.
#include "book/reglages.h"

#include <QDialog>
#include <functional>
#include <vector>

class QPushButton;

namespace kyr {

class TAccueil final : public QDialog {
    Q_OBJECT
public:
    struct Etape {
        QString bouton;               // caption with its accelerator, "&Société..."
        QString explication;          // one line beside the button
        std::function<void()> action; // opens the step's dialog
    };
    // `reglages`: the values the program starts with, shown in the text.
    TAccueil(const Reglages& reglages, std::vector<Etape> etapes, QWidget* parent = nullptr);

    // The welcome's text on the values in force ("... 20 %, 10 % et 5,5 %.").
    static QString TexteValeurs(const Reglages& reglages);

protected:
    void showEvent(QShowEvent* e) override;

private:
    std::vector<QPushButton*> m_boutons; // the steps', then "&Commencer"
};

} // namespace kyr
