#include "utilities/ui/spin_button.h"

#include "utilities/ui/apparence.h"

#include <QKeyEvent>
#include <QStyleOption>
#include <QStylePainter>
#include <QToolButton>
#include <QVBoxLayout>

namespace kyr {

TSpinButton::TSpinButton(QWidget* parent) : QWidget(parent) {
    setFocusPolicy(Qt::StrongFocus);
    auto* l = new QVBoxLayout(this);
    l->setContentsMargins(1, 1, 1, 1);
    l->setSpacing(0);
    const auto bouton = [this, l](const char* nom, bool haut) {
        auto* b = new QToolButton(this);
        b->setObjectName(QLatin1String(nom));
        b->setIcon(Fleche(haut ? Qt::UpArrow : Qt::DownArrow, QSize(9, 5)));
        b->setIconSize(QSize(9, 5));
        b->setAutoRepeat(true);
        b->setAutoRepeatDelay(400);
        b->setAutoRepeatInterval(100);
        b->setFocusPolicy(Qt::NoFocus); // the control takes the focus, not its halves
        b->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
        l->addWidget(b);
        return b;
    };
    m_haut = bouton("Haut", true);
    m_bas = bouton("Bas", false);
    connect(m_haut, &QToolButton::clicked, this, &TSpinButton::UpClick);
    connect(m_bas, &QToolButton::clicked, this, &TSpinButton::DownClick);
    setFixedSize(22, 36);
}

void TSpinButton::keyPressEvent(QKeyEvent* e) {
    if (e->key() == Qt::Key_Up) {
        emit UpClick();
        return;
    }
    if (e->key() == Qt::Key_Down) {
        emit DownClick();
        return;
    }
    QWidget::keyPressEvent(e);
}

void TSpinButton::paintEvent(QPaintEvent*) {
    // A focus frame, so that the keyboard user sees where the arrows act.
    if (!hasFocus()) return;
    QStylePainter p(this);
    QStyleOptionFocusRect o;
    o.initFrom(this);
    p.drawPrimitive(QStyle::PE_FrameFocusRect, o);
}

} // namespace kyr
