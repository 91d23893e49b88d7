#pragma once
// What the program hands to the qpdf module to read the files embedded in a
// received PDF, and what it gets back. Opened on demand like the assembly
// (pdfa3.h): a PDF is read only when the user imports or checks one.
#include <cstddef>
#include <string>
#include <vector>

namespace kyr {

struct PieceJointePdf {
    std::string nom;         // the file specification's name (/UF, else /F), UTF-8
    std::string sousType;    // "text/xml"
    std::string contenu;     // its bytes, decoded; empty when over the cap
    std::size_t taille = 0;  // bytes read (the cap + 1 when over it)
    bool tropGrande = false; // over the cap: not read further
};

struct ExtractionFacturX {
    const char* pdf = nullptr; // the file's bytes (not owned)
    std::size_t taille = 0;
    std::size_t plafond = 0; // the largest attachment read whole

    std::vector<PieceJointePdf> pieces;
    int pages = 0;
    bool chiffre = false;    // encrypted (opened without a password)
    bool motDePasse = false; // a password is needed to open it
    std::string erreur;      // why it could not be opened, in French (UTF-8)
};

using FonctionExtraction = void (*)(ExtractionFacturX&);
inline constexpr const char* NomFonctionExtraction = "kyr_extrait_pieces";

} // namespace kyr
