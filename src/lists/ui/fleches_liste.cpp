#include "lists/ui/fleches_liste.h"

#include <QAbstractItemView>
#include <QEvent>
#include <QItemSelectionModel>
#include <QKeyEvent>

namespace kyr {

namespace {

class Filtre final : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* o, QEvent* e) override {
        if (e->type() != QEvent::KeyPress) return false;
        const auto* k = static_cast<QKeyEvent*>(e);
        auto* liste = static_cast<QAbstractItemView*>(o);
        const QAbstractItemModel* modele = liste->model();
        const int n = modele ? modele->rowCount(liste->rootIndex()) : 0;
        if (n == 0 || k->modifiers() != Qt::NoModifier) return false;
        int rangee = -1;
        switch (k->key()) {
        case Qt::Key_Home:
            rangee = 0;
            break;
        case Qt::Key_End:
            rangee = n - 1;
            break;
        case Qt::Key_Up:
        case Qt::Key_Down:
            if (liste->selectionModel()->hasSelection()) return false;
            rangee = std::max(liste->currentIndex().row(), 0);
            break;
        default:
            return false;
        }
        const QModelIndex i = modele->index(rangee, 0, liste->rootIndex());
        liste->selectionModel()->setCurrentIndex(i, QItemSelectionModel::ClearAndSelect);
        liste->scrollTo(i);
        return true;
    }
};

} // namespace

void PremiereFlecheChoisit(QAbstractItemView* liste) {
    liste->installEventFilter(new Filtre(liste));
}

} // namespace kyr
