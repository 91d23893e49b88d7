#include "lists/recherche_numero.h"

#include "lists/liste_factures.h"

namespace kyr {

int ChercheNumero(const Lignes& livre, std::string_view texte) {
    if (texte.empty()) return -1;
    const std::string cle = "NUM" + std::string(texte);
    // The book keeps a number in 9 characters, blanks after its digits: "F12"
    // means the number line "NUMF12" and seven blanks. The key as typed wins
    // wherever it stands; failing it, the first number line that differs from
    // it only by blanks at its end. The kind letter alone names no number:
    // it is not looked for that way.
    const std::string_view cleCourte = TrimVue(cle);
    const bool approchee = cleCourte.size() > std::string_view("NUMF").size();
    int approche = -1;
    for (std::size_t i = 1; i < livre.size(); ++i) {
        const std::string& ligne = livre[i];
        // "NUM" in either case: most lines of a book are rejected on their first byte.
        if (ligne.size() < cleCourte.size() || (ligne[0] != 'N' && ligne[0] != 'n')) continue;
        const bool exacte = EgalSansCasse(ligne, cle);
        if (!exacte && (approche >= 0 || !approchee || !EgalSansCasse(TrimVue(ligne), cleCourte)))
            continue;
        // Only a number line right after a start line belongs to a document:
        // the same text elsewhere (outside any block) names no document.
        const auto n = NumeroLigneDebut(livre[i - 1]);
        if (!n) continue;
        if (exacte) return *n;
        approche = *n;
    }
    return approche;
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
