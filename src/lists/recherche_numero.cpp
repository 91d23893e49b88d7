#include "lists/recherche_numero.h"

#include "lists/liste_factures.h"

namespace kyr {

int ChercheNumero(const Lignes& livre, std::string_view texte) {
    if (texte.empty()) return -1;
    const std::string cle = "NUM" + std::string(texte);
    for (std::size_t i = 1; i < livre.size(); ++i) {
        if (!EgalSansCasse(livre[i], cle)) continue;
        // Only a number line right after a start line belongs to a document:
        // the same text elsewhere (outside any block) names no document.
        if (const auto n = NumeroLigneDebut(livre[i - 1])) return *n;
    }
    return -1;
}

bool Chercher(Facture& f, const std::function<std::string()>& demande) {
    // The shown document is stored first: showing another one would drop its edits.
    f.EcritFiche();
    const int bloc = ChercheNumero(f.Livre, demande());
    if (bloc < 0) return false;
    f.FicheCourante = bloc;
    f.LitFiche();
    return true;
}

} // namespace kyr
