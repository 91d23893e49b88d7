#include "clients/ui/findcli_dialog.h"

#include "common/ui/boutons_dialogue.h"
#include "common/texte.h"
#include "common/ui/saisie.h"

#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace kyr {

namespace {

// Label, field, then "Annuler" / "OK"; Enter in the field accepts (default button).
QLineEdit* Construit(QDialog* d, const char* nom, const QString& libelle) {
    d->setObjectName(QString::fromLatin1(nom));
    d->setWindowTitle(QStringLiteral("Rechercher client"));
    auto* champ = new QLineEdit(d);
    champ->setObjectName(QStringLiteral("Edit1"));
    champ->setMinimumWidth(260);
    Filtre1252(champ);
    auto* etiquette = new QLabel(libelle, d);
    etiquette->setBuddy(champ);
    auto* principal = new QVBoxLayout(d);
    principal->addWidget(etiquette);
    principal->addWidget(champ);
    principal->addSpacing(6);
    principal->addLayout(BoutonsAnnulerOK(d));
    d->setFixedSize(d->sizeHint());
    champ->setFocus();
    return champ;
}

std::string Texte(const QDialog* d, const QLineEdit* champ) {
    if (d->result() != QDialog::Accepted) return {};
    return DepuisQString(champ->text()).value_or(std::string());
}

} // namespace

TFindCli::TFindCli(QWidget* parent) : QDialog(parent) {
    m_champ = Construit(this, "TFindCli", QStringLiteral("Chercher code client"));
}

std::string TFindCli::Result() const {
    return Texte(this, m_champ);
}

TFindNom::TFindNom(QWidget* parent) : QDialog(parent) {
    m_champ = Construit(this, "TFindNom", QStringLiteral("Chercher nom client"));
}

std::string TFindNom::Result() const {
    return Majuscules(Texte(this, m_champ));
}

} // namespace kyr
