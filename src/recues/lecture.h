#pragma once
// Reading a received file, whatever it is: a Factur-X or ZUGFeRD PDF (its
// embedded invoice, through the qpdf module), a CII or a UBL XML. Every
// refusal is a French sentence for the user; nothing is thrown for a bad file.
#include "recues/facture_recue.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

namespace kyr {

// 200 Mio: a Factur-X with scanned pages stays far below; a larger file is
// refused by its size, before it is read.
inline constexpr qint64 TailleMaxPdf = 200LL * 1024 * 1024;

// A CII or UBL invoice from its bytes.
Lecture LitXmlRecu(QByteArrayView octets);

// The invoice of a file's bytes: PDF (by its "%PDF-" header) or XML.
// `dossierModules` is where the qpdf module lies (DossierModules()).
Lecture LitOctetsRecus(const QByteArray& octets, const QString& dossierModules);

// The same for a file, refused by its size before it is read. The bytes
// read are handed back in `octets` (to be kept unchanged) when given.
Lecture LitFichierRecu(const QString& chemin, const QString& dossierModules,
                       QByteArray* octets = nullptr);

} // namespace kyr
