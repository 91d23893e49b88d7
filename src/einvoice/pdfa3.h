#pragma once
// The Factur-X file: the page, written by Qt as PDF/A-1b (fonts embedded,
// output intent, XMP), made PDF/A-3b with qpdf's library: the XML attached as
// factur-x.xml (associated file of the document, relationship Data), the XMP
// naming PDF/A part 3 and carrying the Factur-X properties with their
// extension schema. Nothing else of the page is touched.
#include <QByteArray>
#include <QDateTime>
#include <string>

namespace kyr {

inline constexpr const char* NomXmlFacturX = "factur-x.xml";

// Throws ErreurExecution with a French message when the page cannot be read
// as a PDF/A-1b file of this program.
QByteArray AssembleFacturX(const QByteArray& pagePdfA1b, const QByteArray& xml,
                           const QDateTime& date);

// The XMP packet of the page turned into that of the Factur-X file (exposed
// for the tests); empty when it is not a PDF/A-1 packet.
std::string XmpFacturX(const std::string& xmp);

} // namespace kyr
