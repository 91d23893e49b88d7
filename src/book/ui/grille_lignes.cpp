#include "book/ui/grille_lignes.h"

#include "book/ui/facture_window.h"
#include "common/ui/saisie.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>

namespace kyr {

DelegueGrille::DelegueGrille(TFacture& fenetre, QObject* parent)
    : QStyledItemDelegate(parent), m_fenetre(fenetre) {}

QWidget* DelegueGrille::createEditor(QWidget* parent, const QStyleOptionViewItem&,
                                     const QModelIndex& index) const {
    auto* e = new QLineEdit(parent);
    e->setFrame(false);
    e->setObjectName(QStringLiteral("EditeurCellule"));
    Filtre1252(e);
    m_editeur = e;
    m_index = index;
    return e;
}

bool DelegueGrille::eventFilter(QObject* o, QEvent* e) {
    // Alt (or F10) hands the keys to the menu bar for a moment; the editor
    // stays open so that the menu bar gives the keys back to it afterwards,
    // instead of keeping them once the editor is gone.
    if (e->type() == QEvent::FocusOut &&
        static_cast<QFocusEvent*>(e)->reason() == Qt::MenuBarFocusReason)
        return false;
    if (e->type() == QEvent::KeyPress) {
        if (auto* editeur = qobject_cast<QLineEdit*>(o))
            if (m_fenetre.toucheCellule(editeur, static_cast<QKeyEvent*>(e))) return true;
    }
    return QStyledItemDelegate::eventFilter(o, e);
}

} // namespace kyr
