#include "book/glossaire.h"

namespace kyr {

bool ChargeGlo(Lignes& glossaire, const QString& chemin) {
    auto lignes = LitFichier(chemin);
    if (!lignes) return false;
    glossaire = std::move(*lignes);
    return true;
}

void SauveGlo(const Lignes& glossaire, const QString& chemin) {
    EcritFichier(chemin, glossaire);
}

std::optional<std::string> Expansion(const Lignes& glossaire, const std::string& cellule) {
    const std::string cherche = Majuscules(cellule);
    for (const std::string& ligne : glossaire) {
        // A line without a TAB has an empty abbreviation and expands to the whole line.
        const auto tab = ligne.find('\t');
        const std::string_view abreviation =
            tab == std::string::npos ? std::string_view{} : Debut(ligne, tab);
        if (!EgalSansCasse(abreviation, cherche)) continue; // no copy: a glossary may be large
        return Coupe255(tab == std::string::npos ? std::string_view(ligne)
                                                 : Depuis(ligne, tab + 1));
    }
    return std::nullopt;
}

} // namespace kyr
