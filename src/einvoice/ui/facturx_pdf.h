#pragma once
// The Factur-X file on disk: the document's page as the printing layer draws
// it (plain paper, so that the company heading is on it), painted by Qt as
// PDF/A-1b, then made PDF/A-3b with the XML attached.
#include "book/fiche.h"
#include "book/societe.h"
#include "einvoice/export_facturx.h"
#include "einvoice/facture_electronique.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>

namespace kyr {

// The page as PDF/A-1b bytes (A4, 1200 dpi, the whole page), with the
// e-invoice's VAT table, lines and legal mentions when fe is given.
QByteArray PagePdfA1b(const Fiche& page, int nbLignes, const LignesSociete& societe,
                      const QString& titre, const FactureElectronique* fe = nullptr);

// Writes the file through the safe writer: ErreurExecution when the file
// cannot be made or written (the old file, if any, stays as it was).
void EcritFacturX(const QString& chemin, const FactureElectronique& fe, const Fiche& page,
                  int nbLignes, const LignesSociete& societe, const QDateTime& maintenant);

// The writer of Factur-X files with this heading for a program started with
// no window: the page's fonts need a Qt application, which it makes on the
// "offscreen" platform when there is none, for as long as the writer lives.
EcritureFacturX EcritureFacturXSansEcran(const LignesSociete& societe);

} // namespace kyr
