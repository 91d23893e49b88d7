#pragma once
// The envelope sizes of the page setup and the file that keeps the choice,
// Fact.env: one line, "DL", "C5", "C6" or "IMPRIMANTE". KyrFact.ini's lines
// are fixed, so the size has a file of its own beside it.
#include <QString>
#include <optional>

namespace kyr {

enum class FormatEnveloppe {
    Imprimante, // the printer's own paper, as it is set up (A4 for a PDF file)
    DL,         // 110 x 220 mm
    C5,         // 162 x 229 mm
    C6,         // 114 x 162 mm
};

// The paper of an envelope size, short side first; nullopt for the printer's.
struct DimensionsMm {
    int Largeur = 0, Hauteur = 0;
    bool operator==(const DimensionsMm&) const = default;
};
std::optional<DimensionsMm> Dimensions(FormatEnveloppe f);

inline const QString NomFichierEnveloppe = QStringLiteral("Fact.env");

// The size kept in the file; the printer's paper when there is no such file or
// it holds no size the program knows (the printer's paper was the only one
// before). A file that exists but cannot be read throws ErreurExecution.
FormatEnveloppe ChargeFormatEnveloppe(const QString& chemin = NomFichierEnveloppe);
// Throws ErreurExecution::CreationFichier on failure (the old file stays).
void SauveFormatEnveloppe(FormatEnveloppe f, const QString& chemin = NomFichierEnveloppe);

} // namespace kyr
