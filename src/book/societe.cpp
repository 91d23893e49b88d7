#include "book/societe.h"

#include "common/texte.h"

#include <algorithm>

namespace kyr {

bool ChargeSoc(LignesSociete& societe, const QString& chemin) {
    const auto lignes = LitFichier(chemin);
    if (!lignes) return false;
    LitSoc(societe, *lignes);
    return true;
}

void LitSoc(LignesSociete& societe, const Lignes& lignes) {
    // Only the first seven lines form the description; lines a short file does
    // not have keep what they held.
    const std::size_t n = std::min(lignes.size(), societe.size());
    for (std::size_t k = 0; k < n; ++k)
        societe[k] = lignes[k];
}

void SauveSoc(const LignesSociete& societe, const QString& chemin) {
    EcritFichier(chemin, Lignes(societe.begin(), societe.end()));
}

} // namespace kyr
