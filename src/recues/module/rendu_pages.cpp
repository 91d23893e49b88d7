// The module that draws a received PDF's pages with Qt's PDF module
// (recues/ui/pages_pdf.h).
#include "recues/ui/pages_pdf.h"

#include <QBuffer>
#include <QByteArray>
#include <QPainter>
#include <QPdfDocument>

#include <algorithm>

extern "C" __attribute__((visibility("default"))) void kyr_rend_pages(kyr::RenduPagesPdf& r) {
    QByteArray octets = QByteArray::fromRawData(r.pdf, static_cast<qsizetype>(r.taille));
    QBuffer tampon(&octets);
    tampon.open(QIODevice::ReadOnly);
    QPdfDocument document;
    document.load(&tampon);
    if (document.status() != QPdfDocument::Status::Ready) return;
    r.total = document.pageCount();
    const int n = std::min(r.total, r.plafond);
    for (int i = 0; i < n; ++i) {
        const QSizeF points = document.pagePointSize(i);
        const int hauteur = points.width() > 0
                                ? static_cast<int>(r.largeur * points.height() / points.width())
                                : r.largeur * 297 / 210;
        QImage page(r.largeur, std::max(1, hauteur), QImage::Format_RGB32);
        page.fill(Qt::white);
        QPainter(&page).drawImage(0, 0, document.render(i, page.size()));
        r.pages.push_back(std::move(page));
    }
    document.close();
}
