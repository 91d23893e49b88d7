#include "lists/ui/find_dialog.h"

#include "common/texte.h"
#include "common/ui/boutons_dialogue.h"
#include "common/ui/saisie.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

namespace kyr {

TFindDialog::TFindDialog(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("TFindDialog"));
    setWindowTitle(QStringLiteral("Rechercher"));
    m_champ = new QLineEdit(QStringLiteral("F"), this);
    m_champ->setObjectName(QStringLiteral("Edit1"));
    m_champ->setMinimumWidth(240);
    Filtre1252(m_champ);
    auto* etiquette = new QLabel(QStringLiteral("Chercher"), this);
    etiquette->setBuddy(m_champ);

    auto* boutons = BoutonsAnnulerOK(this);
    // Here "OK" is Button1 and "Annuler" Button2.
    auto* annuler = findChild<QPushButton*>(QStringLiteral("Button1"));
    auto* ok = findChild<QPushButton*>(QStringLiteral("Button2"));
    annuler->setObjectName(QStringLiteral("Button2"));
    ok->setObjectName(QStringLiteral("Button1"));

    auto* principal = new QVBoxLayout(this);
    principal->addWidget(etiquette);
    principal->addWidget(m_champ);
    principal->addSpacing(6);
    principal->addLayout(boutons);
    setFixedSize(sizeHint());
    m_champ->setFocus();
}

void TFindDialog::showEvent(QShowEvent* e) {
    QDialog::showEvent(e);
    // The number is typed after the preset letter, which must not be replaced:
    // once the dialog has given the field its focus (and selected its text),
    // the cursor goes to the end.
    QTimer::singleShot(0, m_champ, [this] {
        m_champ->deselect();
        m_champ->end(false);
    });
}

std::string TFindDialog::Result() const {
    if (result() != QDialog::Accepted) return {};
    return DepuisQString(m_champ->text()).value_or(std::string());
}

} // namespace kyr
