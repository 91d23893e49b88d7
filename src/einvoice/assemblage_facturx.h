#pragma once
// What the program hands to the module that assembles the Factur-X file with
// qpdf, and what it gets back. The module is opened only when such a file is
// made: qpdf's libraries and their cryptography are then not loaded at every
// start of the program. Both sides are built together, by the same compiler.
#include <string>

namespace kyr {

inline constexpr const char* NomXmlFacturX = "factur-x.xml";

struct AssemblageFacturX {
    std::string page; // the page, PDF/A-1b
    std::string xml;  // the invoice's XML, attached as factur-x.xml
    std::string date; // PDF date of the attachment, "D:20260914103000Z"
    // The page's XMP packet turned into that of the Factur-X file ("" when the
    // page is not PDF/A-1).
    std::string (*xmp)(const std::string&) = nullptr;

    std::string fichier; // the Factur-X file
    std::string erreur;  // why it failed, in French (UTF-8); empty when it worked
};

using FonctionAssemblage = void (*)(AssemblageFacturX&);
inline constexpr const char* NomFonctionAssemblage = "kyr_assemble_facturx";

} // namespace kyr
