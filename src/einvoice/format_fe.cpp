#include "einvoice/format_fe.h"

namespace kyr {

const char* CleFormat(FormatFE f) {
    switch (f) {
    case FormatFE::CII:
        return "cii";
    case FormatFE::UBL:
        return "ubl";
    case FormatFE::FacturX:
        break;
    }
    return "factur-x";
}

std::optional<FormatFE> FormatDeCle(std::string_view cle) {
    for (FormatFE f : FormatsFE)
        if (cle == CleFormat(f)) return f;
    return std::nullopt;
}

QString NomFormat(FormatFE f) {
    switch (f) {
    case FormatFE::CII:
        return QString::fromUtf8("CII : le XML seul");
    case FormatFE::UBL:
        return QString::fromUtf8("UBL 2.1 : le XML seul (Peppol BIS 3 pour un acheteur Peppol)");
    case FormatFE::FacturX:
        break;
    }
    return QString::fromUtf8("Factur-X : PDF/A-3 lisible avec son XML CII");
}

QString NomCourtFormat(FormatFE f) {
    return f == FormatFE::FacturX ? QStringLiteral("Factur-X")
           : f == FormatFE::CII   ? QStringLiteral("CII")
                                  : QStringLiteral("UBL");
}

QString ExtensionFormat(FormatFE f) {
    return f == FormatFE::FacturX ? QStringLiteral("pdf") : QStringLiteral("xml");
}

QString FiltreFormat(FormatFE f) {
    return f == FormatFE::FacturX ? QStringLiteral("Documents PDF (*.pdf)")
                                  : QStringLiteral("Fichiers XML (*.xml)");
}

} // namespace kyr
