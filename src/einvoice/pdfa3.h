#pragma once
// The Factur-X file: the page, written by Qt as PDF/A-1b (fonts embedded,
// output intent, XMP), made PDF/A-3b with qpdf's library: the XML attached as
// factur-x.xml (associated file of the document, relationship Data), the XMP
// naming PDF/A part 3 and carrying the Factur-X properties with their
// extension schema. Nothing else of the page is touched. The qpdf part is a
// module of its own (module/), opened on the first file made: from the folder
// KYR_MODULES names, else from lib/kyrfact/modules beside the program's bin
// folder.
#include "einvoice/assemblage_facturx.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <string>

namespace kyr {

// Throws ErreurExecution with a French message when the page cannot be read
// as a PDF/A-1b file of this program.
QByteArray AssembleFacturX(const QByteArray& pagePdfA1b, const QByteArray& xml,
                           const QDateTime& date);

// The module's function, opened from the folder; throws ErreurExecution when
// the module is missing or unreadable.
FonctionAssemblage OuvreModuleFacturX(const QString& dossier);

// A function of the module by its name, opened from the folder and kept
// loaded; nullptr with the reason in `pourquoi` (French, without a closing
// full stop) when the module is missing or unreadable.
QFunctionPointer FonctionModule(const QString& dossier, const char* nom, QString& pourquoi);
// The same in another of the program's modules, by its file's name.
QFunctionPointer FonctionModule(const QString& dossier, const QString& fichier, const char* nom,
                                QString& pourquoi);
// The folder of the modules: KYR_MODULES when set, else lib/kyrfact/modules
// beside the program's bin folder.
QString DossierModules();

// The XMP packet of the page turned into that of the Factur-X file (exposed
// for the tests); empty when it is not a PDF/A-1 packet.
std::string XmpFacturX(const std::string& xmp);

} // namespace kyr
