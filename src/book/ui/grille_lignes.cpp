#include "book/ui/grille_lignes.h"

#include "book/ui/facture_window.h"
#include "common/ui/saisie.h"

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
    if (e->type() == QEvent::KeyPress) {
        if (auto* editeur = qobject_cast<QLineEdit*>(o))
            if (m_fenetre.toucheCellule(editeur, static_cast<QKeyEvent*>(e))) return true;
    }
    return QStyledItemDelegate::eventFilter(o, e);
}

} // namespace kyr
