#include "utilities/ui/couleurs.h"

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

} // namespace kyr
