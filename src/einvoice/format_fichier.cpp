// What a format writes: its XML and its file's name (apart from the names of
// the formats, which the data files read alone).
#include "einvoice/cii.h"
#include "einvoice/format_fe.h"
#include "einvoice/ubl.h"
#include "printing/document.h"

namespace kyr {

QByteArray XmlFormat(FormatFE f, const FactureElectronique& fe) {
    return f == FormatFE::UBL ? EcritUBL(fe) : EcritCII(fe);
}

std::string NomFichierFormat(const Fiche& f, FormatFE format) {
    std::string nom = NomPdfPropose(f);
    nom.resize(nom.size() - 3); // "pdf"
    return nom + ExtensionFormat(format).toStdString();
}

} // namespace kyr
