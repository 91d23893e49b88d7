#include "shell/ui/image_programme.h"

#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <functional>
#include <map>

namespace kyr {

namespace {

const QColor Encre(20, 40, 110);
const QColor Lavande(208, 192, 224);

// The picture is drawn on a 89 x 113 grid and stretched to the size asked for.
void DessineFeuille(QPainter& p) {
    p.setRenderHint(QPainter::Antialiasing);
    // Shadow, then the sheet with its folded corner.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 60));
    p.drawRect(QRectF(11, 7, 62, 98));
    QPainterPath feuille;
    feuille.moveTo(7, 3);
    feuille.lineTo(57, 3);
    feuille.lineTo(69, 15);
    feuille.lineTo(69, 101);
    feuille.lineTo(7, 101);
    feuille.closeSubpath();
    p.setBrush(Qt::white);
    p.setPen(QPen(QColor(90, 90, 90), 1.2));
    p.drawPath(feuille);
    p.setBrush(QColor(225, 225, 225));
    p.drawPolygon(QPolygonF({QPointF(57, 3), QPointF(57, 15), QPointF(69, 15)}));

    // Heading band and the word on it.
    p.setPen(Qt::NoPen);
    p.setBrush(Lavande);
    p.drawRect(QRectF(12, 9, 40, 12));
    p.setPen(Encre);
    QFont f(QStringLiteral("Arial"));
    f.setBold(true);
    f.setPixelSize(9);
    p.setFont(f);
    p.drawText(QRectF(12, 9, 40, 12), Qt::AlignCenter, QStringLiteral("FACTURE"));

    // Address, then the lines of the document with their amounts.
    p.setPen(QPen(QColor(150, 150, 150), 1.5));
    p.drawLine(QPointF(40, 27), QPointF(63, 27));
    p.drawLine(QPointF(40, 31), QPointF(60, 31));
    p.setPen(QPen(QColor(120, 120, 120), 0.8));
    p.drawRect(QRectF(12, 38, 52, 40));
    p.drawLine(QPointF(48, 38), QPointF(48, 78));
    p.setPen(QPen(QColor(150, 150, 150), 1.5));
    for (int k = 0; k < 6; ++k) {
        const double y = 43 + k * 6;
        p.drawLine(QPointF(15, y), QPointF(k % 2 ? 38 : 44, y));
        p.drawLine(QPointF(52, y), QPointF(61, y));
    }
    // The total, framed.
    p.setPen(QPen(Encre, 1.2));
    p.setBrush(QColor(240, 236, 248));
    p.drawRect(QRectF(40, 83, 24, 9));
    p.setPen(QPen(Encre, 1.5));
    p.drawLine(QPointF(43, 87.5), QPointF(61, 87.5));
}

void DessineStylo(QPainter& p) {
    p.save();
    p.translate(48, 98);
    p.rotate(-50);
    // Body, clip and nib, the nib touching the sheet at the origin.
    p.setPen(QPen(QColor(10, 20, 60), 1));
    p.setBrush(Encre);
    p.drawRoundedRect(QRectF(12, -4.5, 48, 9), 3, 3);
    p.setBrush(QColor(200, 170, 60));
    p.drawRect(QRectF(52, -4.5, 4, 9));
    p.drawPolygon(QPolygonF({QPointF(0, 0), QPointF(12, -4.5), QPointF(12, 4.5)}));
    p.setPen(QPen(QColor(60, 40, 0), 0.8));
    p.drawLine(QPointF(1, 0), QPointF(9, 0));
    p.restore();
}

using Dessin = std::function<void(QPainter&)>;

// Tool pictures, drawn on a 20 x 20 grid.
void Page(QPainter& p, const QRectF& r) {
    p.setPen(QPen(QColor(70, 70, 70), 1));
    p.setBrush(Qt::white);
    p.drawRect(r);
    p.setPen(QPen(QColor(150, 150, 150), 1));
    for (double y = r.top() + 4; y < r.bottom() - 2; y += 3)
        p.drawLine(QPointF(r.left() + 2, y), QPointF(r.right() - 2, y));
}

void Fleche(QPainter& p, bool versDroite, double x) {
    p.setPen(Qt::NoPen);
    p.setBrush(Encre);
    if (versDroite)
        p.drawPolygon(QPolygonF({QPointF(x, 4), QPointF(x + 8, 10), QPointF(x, 16)}));
    else
        p.drawPolygon(QPolygonF({QPointF(x + 8, 4), QPointF(x, 10), QPointF(x + 8, 16)}));
}

const std::map<QString, Dessin>& Dessins() {
    static const std::map<QString, Dessin> dessins = {
        {"nouveau", [](QPainter& p) { Page(p, QRectF(4, 2, 12, 16)); }},
        {"ouvrir",
         [](QPainter& p) {
             p.setPen(QPen(QColor(120, 90, 20), 1));
             p.setBrush(QColor(240, 200, 90));
             p.drawRect(QRectF(2, 6, 15, 11));
             p.setBrush(QColor(250, 220, 120));
             p.drawPolygon(
                 QPolygonF({QPointF(5, 9), QPointF(19, 9), QPointF(16, 17), QPointF(2, 17)}));
         }},
        {"enregistrer",
         [](QPainter& p) {
             p.setPen(QPen(QColor(20, 20, 60), 1));
             p.setBrush(Encre);
             p.drawRect(QRectF(3, 3, 14, 14));
             p.setBrush(Qt::white);
             p.drawRect(QRectF(6, 3, 8, 5));
             p.setBrush(QColor(200, 200, 200));
             p.drawRect(QRectF(6, 11, 8, 6));
         }},
        {"copier",
         [](QPainter& p) {
             Page(p, QRectF(2, 2, 10, 12));
             Page(p, QRectF(8, 6, 10, 12));
         }},
        {"coller",
         [](QPainter& p) {
             p.setPen(QPen(QColor(90, 60, 20), 1));
             p.setBrush(QColor(190, 140, 70));
             p.drawRect(QRectF(3, 3, 12, 15));
             p.setBrush(QColor(200, 200, 200));
             p.drawRect(QRectF(6, 1.5, 6, 3));
             Page(p, QRectF(9, 8, 9, 11));
         }},
        {"chercher",
         [](QPainter& p) {
             p.setPen(QPen(QColor(40, 40, 40), 2));
             p.setBrush(QColor(210, 230, 250));
             p.drawEllipse(QRectF(3, 3, 10, 10));
             p.setPen(QPen(QColor(40, 40, 40), 3, Qt::SolidLine, Qt::RoundCap));
             p.drawLine(QPointF(12, 12), QPointF(17, 17));
         }},
        {"premier",
         [](QPainter& p) {
             p.fillRect(QRectF(4, 4, 2, 12), Encre);
             Fleche(p, false, 7);
         }},
        {"precedent", [](QPainter& p) { Fleche(p, false, 6); }},
        {"suivant", [](QPainter& p) { Fleche(p, true, 6); }},
        {"dernier",
         [](QPainter& p) {
             Fleche(p, true, 5);
             p.fillRect(QRectF(14, 4, 2, 12), Encre);
         }},
        {"facture",
         [](QPainter& p) {
             Page(p, QRectF(2, 2, 12, 16));
             p.setPen(QPen(QColor(0, 130, 0), 2.5));
             p.drawLine(QPointF(15, 10), QPointF(15, 18));
             p.drawLine(QPointF(11, 14), QPointF(19, 14));
         }},
        {"calculer",
         [](QPainter& p) {
             p.setPen(QPen(QColor(40, 40, 40), 1));
             p.setBrush(QColor(220, 220, 220));
             p.drawRect(QRectF(4, 2, 12, 16));
             p.setBrush(QColor(180, 220, 180));
             p.drawRect(QRectF(6, 4, 8, 4));
             p.setBrush(Qt::white);
             for (int i = 0; i < 3; ++i)
                 for (int j = 0; j < 2; ++j)
                     p.drawRect(QRectF(6 + j * 5, 10 + i * 2.6, 3, 1.6));
         }},
        {"imprimer",
         [](QPainter& p) {
             Page(p, QRectF(6, 2, 8, 7));
             p.setPen(QPen(QColor(40, 40, 40), 1));
             p.setBrush(QColor(170, 170, 170));
             p.drawRect(QRectF(2, 8, 16, 7));
             p.setBrush(Qt::white);
             p.drawRect(QRectF(5, 13, 10, 5));
         }},
        {"enveloppe",
         [](QPainter& p) {
             p.setPen(QPen(QColor(60, 60, 60), 1));
             p.setBrush(QColor(250, 245, 225));
             p.drawRect(QRectF(2, 5, 16, 11));
             p.drawLine(QPointF(2, 5), QPointF(10, 11));
             p.drawLine(QPointF(18, 5), QPointF(10, 11));
         }},
    };
    return dessins;
}

} // namespace

QPixmap ImageProgramme(const QSize& taille) {
    QPixmap image(taille);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.scale(taille.width() / 89.0, taille.height() / 113.0);
    DessineFeuille(p);
    DessineStylo(p);
    return image;
}

QIcon IconeProgramme() {
    QIcon icone;
    for (int cote : {16, 32, 48, 64, 128}) {
        // Square icons: the picture keeps its proportions, centred.
        QPixmap carre(cote, cote);
        carre.fill(Qt::transparent);
        QPainter p(&carre);
        const int largeur = cote * 89 / 113;
        p.drawPixmap((cote - largeur) / 2, 0, ImageProgramme(QSize(largeur, cote)));
        p.end();
        icone.addPixmap(carre);
    }
    return icone;
}

QIcon IconeOutil(const QString& nom) {
    const auto& dessins = Dessins();
    const auto it = dessins.find(nom);
    QIcon icone;
    for (int cote : {20, 40}) {
        QPixmap image(cote, cote);
        image.fill(Qt::transparent);
        if (it != dessins.end()) {
            QPainter p(&image);
            p.setRenderHint(QPainter::Antialiasing);
            p.scale(cote / 20.0, cote / 20.0);
            it->second(p);
        }
        icone.addPixmap(image);
    }
    return icone;
}

} // namespace kyr
