#pragma once
// The three formats of the electronic invoice, all written from the one
// FactureElectronique: Factur-X (the page as PDF/A-3 with its CII XML
// attached), the CII XML alone, the UBL 2.1 XML alone.
#include <QByteArray>
#include <QString>
#include <optional>
#include <string>
#include <string_view>

namespace kyr {

struct Fiche;
struct FactureElectronique;

enum class FormatFE { FacturX, CII, UBL };
inline constexpr FormatFE FormatsFE[] = {FormatFE::FacturX, FormatFE::CII, FormatFE::UBL};

// Its key in Fact.fxv and on the command line: "factur-x", "cii", "ubl".
const char* CleFormat(FormatFE f);
std::optional<FormatFE> FormatDeCle(std::string_view cle);
// Its name in the dialogs, and in short ("Factur-X", "CII", "UBL").
QString NomFormat(FormatFE f);
QString NomCourtFormat(FormatFE f);
// "pdf" or "xml", and the file dialog's filter.
QString ExtensionFormat(FormatFE f);
QString FiltreFormat(FormatFE f);

// The XML of the file: CII for Factur-X (the attachment) and CII, UBL for UBL.
QByteArray XmlFormat(FormatFE f, const FactureElectronique& fe);

// The file's name: the kind and the number, "Facture 202609001.pdf".
std::string NomFichierFormat(const Fiche& f, FormatFE format);

} // namespace kyr
