#pragma once
// The page devices of the program: Surface painted with a QPainter on any
// QPagedPaintDevice (QPrinter, QPdfWriter), and the print back-ends built on
// it (a QPrinter chosen by the user or handed by the print preview, a PDF
// file). Texts are Windows-1252 bytes; the font is "Arial" (Liberation Sans on
// Linux) at the given points, scaled to the device's resolution.
#include "printing/surface.h"

#include <QByteArray>
#include <QPageSize>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QString>
#include <memory>
#include <optional>

class QPdfWriter;
class QBuffer;
class QPrinter;

namespace kyr {

class SurfaceQt : public Surface {
public:
    // Paints with a painter already begun on the device (neither is owned).
    SurfaceQt(QPainter& painter, QPagedPaintDevice& device);

    int LargeurPixels() const override;
    int HauteurPixels() const override;
    int LargeurMm() const override;
    int HauteurMm() const override;
    void ChoisitPolice(const Police& police) override;
    void EpaisseurTrait(int pixels) override;
    void Texte(int x, int y, const std::string& texte) override;
    int LargeurTexte(const std::string& texte) override;
    void Ligne(int x1, int y1, int x2, int y2) override;
    void Rectangle(int x1, int y1, int x2, int y2) override;
    void NouvellePage() override;

    // The QFont a Police stands for, for a device of the given resolution.
    static QFont PoliceQt(const Police& police);

    // For a drawing of its own in any script (a received invoice's rich
    // text): the painter and the device, the page being drawn.
    QPainter& Peintre() { return m_painter; }
    QPagedPaintDevice& Appareil() { return m_device; }

private:
    QPainter& m_painter;
    QPagedPaintDevice& m_device;
};

// A print job on a QPrinter (the user's printer, or the one the print
// preview hands to its paintRequested signal). Not owned.
class ImprimanteQt : public Imprimante {
public:
    explicit ImprimanteQt(QPrinter& printer);
    ~ImprimanteQt() override;
    void Oriente(Orientation o) override;
    // An envelope's size on the printer; 0 x 0 sets the printer's own paper back.
    void Papier(int largeurMm, int hauteurMm) override;
    Surface& DebutTravail() override; // ErreurExecution when the printer refuses
    void FinTravail() override;
    int Travaux() const { return m_travaux; } // jobs ended so far

private:
    QPrinter& m_printer;
    std::optional<QPageSize> m_papierImprimante; // while an envelope's size is set
    QPainter m_painter;
    std::unique_ptr<SurfaceQt> m_surface;
    int m_travaux = 0;
};

// A PDF file: A4 (or an envelope's size) in the job's orientation, the whole page printable, 1200
// dpi (so Mh/Mv draw the page within 0.5 % of its size). Each job rewrites the file: the document
// is made in memory and written through the program's safe writer when the job ends, so a job that
// fails leaves the old file as it was. PDF/A-1b: pass QPagedPaintDevice::PdfVersion_A1b.
class ImprimantePdf : public Imprimante {
public:
    explicit ImprimantePdf(
        QString chemin, QPagedPaintDevice::PdfVersion version = QPagedPaintDevice::PdfVersion_1_4,
        QString titre = {});
    ~ImprimantePdf() override;
    void Oriente(Orientation o) override;
    void Papier(int largeurMm, int hauteurMm) override;
    Surface& DebutTravail() override; // ErreurExecution::CreationFichier on failure
    void FinTravail() override; // ErreurExecution::CreationFichier when the file cannot be written

    // The PDF page settings on any writer: A4 unless told, no margins, 1200 dpi.
    static void PreparePage(QPdfWriter& writer, Orientation o,
                            const QPageSize& taille = QPageSize(QPageSize::A4));
    static constexpr int Resolution = 1200;

private:
    QString m_chemin;
    QPagedPaintDevice::PdfVersion m_version;
    QString m_titre;
    Orientation m_orientation = Orientation::Portrait;
    QPageSize m_taille{QPageSize::A4};
    QByteArray m_octets;
    std::unique_ptr<QBuffer> m_tampon;
    std::unique_ptr<QPdfWriter> m_writer;
    QPainter m_painter;
    std::unique_ptr<SurfaceQt> m_surface;
};

// The same page settings on a QPrinter (print preview, PDF through QPrinter).
void PreparePagePdf(QPrinter& printer);

} // namespace kyr
