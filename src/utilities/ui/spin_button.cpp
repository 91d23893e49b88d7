#include "utilities/ui/spin_button.h"

#include <QKeyEvent>
#include <QPainter>
#include <QStyleOption>
#include <QStylePainter>
#include <QToolButton>
#include <QVBoxLayout>

namespace kyr {

namespace {
// A small black triangle, drawn so that it shows at any style and size.
QIcon Fleche(bool haut) {
    QPixmap image(9, 5);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::black);
    if (haut)
        p.drawPolygon(QPolygonF({QPointF(0, 5), QPointF(9, 5), QPointF(4.5, 0)}));
    else
        p.drawPolygon(QPolygonF({QPointF(0, 0), QPointF(9, 0), QPointF(4.5, 5)}));
    return QIcon(image);
}
} // namespace

TSpinButton::TSpinButton(QWidget* parent) : QWidget(parent) {
    setFocusPolicy(Qt::StrongFocus);
    auto* l = new QVBoxLayout(this);
    l->setContentsMargins(1, 1, 1, 1);
    l->setSpacing(0);
    const auto bouton = [this, l](const char* nom, bool haut) {
        auto* b = new QToolButton(this);
        b->setObjectName(QLatin1String(nom));
        b->setIcon(Fleche(haut));
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
