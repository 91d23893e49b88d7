#include "book/liste_clients.h"

#include "common/erreurs.h"

namespace kyr {

void ChargeCli(ListeClients& l, const QString& chemin) {
    l.ClientsModifies = false;
    try {
        // A missing file is not an error: the list keeps what it held.
        if (auto lignes = LitFichier(chemin)) l.Lignes_ = std::move(*lignes);
        l.Illisible = false;
    } catch (const ErreurExecution&) {
        l.Illisible = true;
        throw;
    }
}

void SauveCli(ListeClients& l, const QString& chemin) {
    if (!l.ClientsModifies) return;
    // Clients created this run would replace every client of a file that
    // could not be read: keep that file and say so at each save.
    if (l.Illisible)
        throw ErreurExecution(
            QStringLiteral("Le fichier %1 n'a pas pu être lu au démarrage : il n'est pas "
                           "remplacé, pour ne pas perdre les clients qu'il contient")
                .arg(chemin));
    // EcritFichier throws before anything is replaced, so the flag stays set
    // and a later save tries again.
    EcritFichier(chemin, l.Lignes_);
    l.ClientsModifies = false;
}

} // namespace kyr
