#pragma once
// The colours and fonts of the utility windows' faces.
#include <QColor>
#include <QFont>
#include <QWidget>

namespace kyr {

inline const QColor Marine(0, 0, 128);
inline const QColor Sarcelle(0, 128, 128);
inline const QColor Argent(192, 192, 192);
inline const QColor Citron(0, 255, 0);

// The widget fills its background with `fond` and writes in `texte`.
void Colore(QWidget* w, const QColor& fond, const QColor& texte = Qt::black);
// Arial (Liberation Sans) of the given pixel height, bold or not.
QFont PoliceArial(int pixels, bool gras);

} // namespace kyr
