#include "book/enveloppe.h"

#include "common/texte.h"

#include <QFileInfo>
#include <array>
#include <string_view>

namespace kyr {

namespace {

struct Format {
    FormatEnveloppe format;
    std::string_view nom; // the line of Fact.env
    DimensionsMm dimensions;
};
constexpr std::array<Format, 4> Formats = {{
    {FormatEnveloppe::Imprimante, "IMPRIMANTE", {}},
    {FormatEnveloppe::DL, "DL", {110, 220}},
    {FormatEnveloppe::C5, "C5", {162, 229}},
    {FormatEnveloppe::C6, "C6", {114, 162}},
}};

// Far more than the one line the program writes: a larger file is not one of
// its own and is not read at all.
constexpr qint64 TailleMaximale = 4096;

} // namespace

std::optional<DimensionsMm> Dimensions(FormatEnveloppe f) {
    if (f == FormatEnveloppe::Imprimante) return std::nullopt;
    for (const Format& d : Formats)
        if (d.format == f) return d.dimensions;
    return std::nullopt;
}

FormatEnveloppe ChargeFormatEnveloppe(const QString& chemin) {
    if (QFileInfo(chemin).size() > TailleMaximale) return FormatEnveloppe::Imprimante;
    const auto lignes = LitFichier(chemin);
    if (!lignes || lignes->empty()) return FormatEnveloppe::Imprimante;
    const std::string_view nom = TrimVue((*lignes)[0]);
    for (const Format& d : Formats)
        if (EgalSansCasse(nom, d.nom)) return d.format;
    return FormatEnveloppe::Imprimante;
}

void SauveFormatEnveloppe(FormatEnveloppe f, const QString& chemin) {
    for (const Format& d : Formats)
        if (d.format == f) EcritFichier(chemin, {std::string(d.nom)});
}

} // namespace kyr
