#include "book/ui/societe_dialog.h"
#include "common/ui/boutons_dialogue.h"

#include "book/parametres.h"
#include "common/ui/saisie.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace kyr {

TSociete::TSociete(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("Societe"));
    setWindowTitle(QStringLiteral("Société"));
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);

    auto* principal = new QVBoxLayout(this);
    principal->setSizeConstraint(QLayout::SetFixedSize);
    auto* titre = new QLabel(QStringLiteral("Lignes constituant l'en-tête de la société"), this);
    titre->setObjectName(QStringLiteral("Label1"));
    principal->addWidget(titre);
    for (std::size_t i = 0; i < m_edit.size(); ++i) {
        m_edit[i] = new QLineEdit(this);
        m_edit[i]->setObjectName(QStringLiteral("Edit%1").arg(i + 1));
        m_edit[i]->setMinimumWidth(380);
        Filtre1252(m_edit[i]);
        principal->addWidget(m_edit[i]);
    }

    principal->addLayout(BoutonsAnnulerOK(this));
    // Enter in a field does not close the dialog: only "OK" accepts, so a
    // description half typed is never written by a stray Enter.
    auto* ok = findChild<QPushButton*>(QStringLiteral("Button2"));
    ok->setDefault(false);
    ok->setAutoDefault(false);
    // The fields come first when tabbing, then OK before Annuler.
    setTabOrder(m_edit.back(), ok);
    setTabOrder(ok, findChild<QPushButton*>(QStringLiteral("Button1")));
}

void TSociete::Init(const LignesSociete& lignes) {
    for (std::size_t i = 0; i < m_edit.size(); ++i)
        m_edit[i]->setText(Q(lignes[i]));
}

LignesSociete TSociete::Champs() const {
    LignesSociete champs;
    for (std::size_t i = 0; i < m_edit.size(); ++i)
        champs[i] = S(m_edit[i]->text());
    return champs;
}

void TSociete::Result(LignesSociete& sorties) const {
    ResultSociete(Champs(), result() == QDialog::Accepted, sorties);
}

void TSociete::keyPressEvent(QKeyEvent* evenement) {
    // Enter presses the button that has the focus, and nothing else.
    if (evenement->key() == Qt::Key_Return || evenement->key() == Qt::Key_Enter) {
        if (auto* bouton = qobject_cast<QPushButton*>(focusWidget())) bouton->click();
        return;
    }
    QDialog::keyPressEvent(evenement);
}

void TSociete::showEvent(QShowEvent* evenement) {
    QDialog::showEvent(evenement);
    CentreSurEcran(this);
}

void Psoc(Facture& f, QWidget* parent) {
    LignesSociete champs;
    bool accepte = false;
    {
        TSociete dialogue(parent);
        dialogue.Init(f.Societe);
        accepte = dialogue.exec() == QDialog::Accepted;
        champs = dialogue.Champs();
    }
    // Result's rule (first line emptied unless accepted) is applied there.
    AppliquePsoc(f, champs, accepte);
}

} // namespace kyr
