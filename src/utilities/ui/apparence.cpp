#include "utilities/ui/apparence.h"

#include <QPainter>
#include <QPalette>

namespace kyr {

void Colore(QWidget* w, const QColor& fond, const QColor& texte) {
    QPalette p = w->palette();
    p.setColor(QPalette::Window, fond);
    p.setColor(QPalette::WindowText, texte);
    w->setPalette(p);
    w->setAutoFillBackground(true);
}

QFont PoliceArial(int pixels, bool gras) {
    QFont f(QStringLiteral("Arial"));
    f.setPixelSize(pixels);
    f.setBold(gras);
    return f;
}

QIcon Fleche(Qt::ArrowType sens, QSize taille, const QColor& couleur) {
    QPixmap image(taille);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(couleur);
    const qreal l = taille.width(), h = taille.height();
    QPolygonF t;
    switch (sens) {
    case Qt::UpArrow:
        t << QPointF(0, h) << QPointF(l, h) << QPointF(l / 2, 0);
        break;
    case Qt::DownArrow:
        t << QPointF(0, 0) << QPointF(l, 0) << QPointF(l / 2, h);
        break;
    case Qt::LeftArrow:
        t << QPointF(l, 0) << QPointF(l, h) << QPointF(0, h / 2);
        break;
    default:
        t << QPointF(0, 0) << QPointF(0, h) << QPointF(l, h / 2);
        break;
    }
    p.drawPolygon(t);
    return QIcon(image);
}

} // namespace kyr
