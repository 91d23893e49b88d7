#include "lists/ui/fleches_liste.h"

#include <QEvent>
#include <QKeyEvent>
#include <QListWidget>

namespace kyr {

namespace {

class Filtre final : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* o, QEvent* e) override {
        if (e->type() != QEvent::KeyPress) return false;
        auto* liste = static_cast<QListWidget*>(o);
        const int touche = static_cast<QKeyEvent*>(e)->key();
        if ((touche != Qt::Key_Down && touche != Qt::Key_Up) || liste->count() == 0 ||
            !liste->selectedItems().isEmpty() ||
            static_cast<QKeyEvent*>(e)->modifiers() != Qt::NoModifier)
            return false;
        liste->setCurrentRow(std::max(liste->currentRow(), 0));
        return true;
    }
};

} // namespace

void PremiereFlecheChoisit(QListWidget* liste) {
    liste->installEventFilter(new Filtre(liste));
}

} // namespace kyr
