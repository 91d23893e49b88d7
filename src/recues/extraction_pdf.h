#pragma once
// The invoice embedded in a received PDF: the file is opened by the qpdf
// module (loaded on first use) and its attachments are looked at here.
#include "einvoice/extraction_facturx.h"

#include <QByteArray>
#include <QString>
#include <string>
#include <vector>

namespace kyr {

struct ExtractionPdf {
    std::string Xml;  // the invoice's XML
    QString NomPiece; // its name in the PDF
    bool Chiffre = false;
    int Pages = 0;
    QString Refus; // why no invoice was taken from the PDF (French); empty when one was
};

// The names an invoice attachment is known by (Factur-X, ZUGFeRD 2, XRechnung).
bool NomPieceFacture(const std::string& nom);

// Chooses the invoice among the attachments the module read: one known by
// its name; else an attachment named .xml; else a refusal that says what the
// PDF carries. Two different invoices are refused: the program cannot tell
// which one the supplier meant.
ExtractionPdf ChoisitPiece(const std::vector<PieceJointePdf>& pieces);

ExtractionPdf ExtraitFactureDuPdf(const QByteArray& pdf, const QString& dossierModules);

} // namespace kyr
