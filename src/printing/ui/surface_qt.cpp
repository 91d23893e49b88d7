#include "printing/ui/surface_qt.h"

#include "common/erreurs.h"
#include "common/texte.h"

#include <QFontMetricsF>
#include <QPageLayout>
#include <QBuffer>
#include <QPdfWriter>
#include <QPen>
#include <QPrinter>
#include <cmath>
#include <utility>

namespace kyr {

SurfaceQt::SurfaceQt(QPainter& painter, QPagedPaintDevice& device)
    : m_painter(painter), m_device(device) {
    m_painter.setBrush(Qt::NoBrush);
    m_painter.setPen(QPen(Qt::black, 1, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    m_painter.setRenderHint(QPainter::Antialiasing, false);
    ChoisitPolice(Police{});
}

int SurfaceQt::LargeurPixels() const {
    return m_device.width();
}
int SurfaceQt::HauteurPixels() const {
    return m_device.height();
}
int SurfaceQt::LargeurMm() const {
    return m_device.widthMM();
}
int SurfaceQt::HauteurMm() const {
    return m_device.heightMM();
}

QFont SurfaceQt::PoliceQt(const Police& police) {
    QFont f(QString::fromStdString(police.Nom));
    f.setPointSize(police.Points);
    f.setBold(police.Gras);
    f.setStyleHint(QFont::SansSerif, QFont::PreferOutline);
    f.setHintingPreference(QFont::PreferNoHinting);
    f.setKerning(false);
    return f;
}

void SurfaceQt::ChoisitPolice(const Police& police) {
    // A QFont on a painter is sized by the painter's device resolution.
    m_painter.setFont(QFont(PoliceQt(police), &m_device));
}

void SurfaceQt::EpaisseurTrait(int pixels) {
    QPen pen = m_painter.pen();
    pen.setWidth(pixels);
    m_painter.setPen(pen);
}

void SurfaceQt::Texte(int x, int y, const std::string& texte) {
    const QFontMetricsF fm(m_painter.font(), &m_device);
    m_painter.drawText(QPointF(x, y + fm.ascent()), VersQString(texte));
}

int SurfaceQt::LargeurTexte(const std::string& texte) {
    const QFontMetricsF fm(m_painter.font(), &m_device);
    return static_cast<int>(std::lround(fm.horizontalAdvance(VersQString(texte))));
}

void SurfaceQt::Ligne(int x1, int y1, int x2, int y2) {
    m_painter.drawLine(x1, y1, x2, y2);
}

void SurfaceQt::Rectangle(int x1, int y1, int x2, int y2) {
    m_painter.drawRect(x1, y1, x2 - x1, y2 - y1);
}

void SurfaceQt::NouvellePage() {
    m_device.newPage();
}

// ---- QPrinter

ImprimanteQt::ImprimanteQt(QPrinter& printer) : m_printer(printer) {}

ImprimanteQt::~ImprimanteQt() {
    if (m_painter.isActive()) m_painter.end();
    Papier(0, 0); // the program's printer outlives this job
}

void ImprimanteQt::Papier(int largeurMm, int hauteurMm) {
    if (largeurMm <= 0 || hauteurMm <= 0) {
        if (m_papierImprimante) m_printer.setPageSize(*m_papierImprimante);
        m_papierImprimante.reset();
        return;
    }
    if (!m_papierImprimante) m_papierImprimante = m_printer.pageLayout().pageSize();
    m_printer.setPageSize(QPageSize(QSizeF(largeurMm, hauteurMm), QPageSize::Millimeter));
}

void ImprimanteQt::Oriente(Orientation o) {
    m_printer.setPageOrientation(o == Orientation::Paysage ? QPageLayout::Landscape
                                                           : QPageLayout::Portrait);
}

Surface& ImprimanteQt::DebutTravail() {
    if (m_painter.isActive()) m_painter.end();
    if (!m_painter.begin(&m_printer)) {
        const QString nom = m_printer.printerName();
        throw ErreurExecution(nom.isEmpty()
                                  ? QStringLiteral("L'impression n'a pas pu commencer")
                                  : QStringLiteral("L'imprimante %1 refuse l'impression").arg(nom));
    }
    m_surface = std::make_unique<SurfaceQt>(m_painter, m_printer);
    return *m_surface;
}

void ImprimanteQt::FinTravail() {
    m_surface.reset();
    if (m_painter.isActive()) m_painter.end();
    ++m_travaux;
}

// ---- PDF file

ImprimantePdf::ImprimantePdf(QString chemin, QPagedPaintDevice::PdfVersion version, QString titre)
    : m_chemin(std::move(chemin)), m_version(version), m_titre(std::move(titre)) {}

ImprimantePdf::~ImprimantePdf() {
    m_surface.reset();
    if (m_painter.isActive()) m_painter.end();
}

void ImprimantePdf::Oriente(Orientation o) {
    m_orientation = o;
}

void ImprimantePdf::Papier(int largeurMm, int hauteurMm) {
    m_taille = largeurMm > 0 && hauteurMm > 0
                   ? QPageSize(QSizeF(largeurMm, hauteurMm), QPageSize::Millimeter)
                   : QPageSize(QPageSize::A4);
}

void ImprimantePdf::PreparePage(QPdfWriter& writer, Orientation o, const QPageSize& taille) {
    writer.setResolution(Resolution);
    writer.setPageLayout(QPageLayout(
        taille, o == Orientation::Paysage ? QPageLayout::Landscape : QPageLayout::Portrait,
        QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter, QMarginsF(0, 0, 0, 0)));
}

Surface& ImprimantePdf::DebutTravail() {
    m_surface.reset();
    if (m_painter.isActive()) m_painter.end();
    m_octets.clear();
    m_tampon = std::make_unique<QBuffer>(&m_octets);
    m_tampon->open(QIODevice::WriteOnly);
    m_writer = std::make_unique<QPdfWriter>(m_tampon.get());
    m_writer->setPdfVersion(m_version);
    m_writer->setCreator(QStringLiteral("Kyr Facture"));
    if (!m_titre.isEmpty()) m_writer->setTitle(m_titre);
    PreparePage(*m_writer, m_orientation, m_taille);
    if (!m_painter.begin(m_writer.get())) {
        m_writer.reset();
        throw ErreurExecution::CreationFichier(m_chemin);
    }
    m_surface = std::make_unique<SurfaceQt>(m_painter, *m_writer);
    return *m_surface;
}

void ImprimantePdf::FinTravail() {
    m_surface.reset();
    if (m_painter.isActive()) m_painter.end();
    m_writer.reset();
    m_tampon.reset();
    const QByteArray octets = std::exchange(m_octets, {});
    EcritOctets(m_chemin,
                std::string_view(octets.constData(), static_cast<std::size_t>(octets.size())));
}

void PreparePagePdf(QPrinter& printer) {
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setResolution(ImprimantePdf::Resolution);
    printer.setFullPage(true);
    printer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), printer.pageLayout().orientation(),
                                      QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter,
                                      QMarginsF(0, 0, 0, 0)));
}

} // namespace kyr
