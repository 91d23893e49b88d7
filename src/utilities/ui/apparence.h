#pragma once
// The looks the utility windows share: colours, fonts, arrows, the frame.
#include <QColor>
#include <QFont>
#include <QIcon>
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
// A filled triangle pointing up, down, left or right, of the given size.
QIcon Fleche(Qt::ArrowType sens, QSize taille, const QColor& couleur = Qt::black);

// A small window of fixed size with only its system menu.
inline constexpr Qt::WindowFlags FenetreFixe = Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint |
                                               Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                                               Qt::WindowCloseButtonHint;

} // namespace kyr
