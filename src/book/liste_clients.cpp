#include "book/liste_clients.h"

namespace kyr {

void ChargeCli(ListeClients& l, const QString& chemin) {
    // A missing file is not an error: the list keeps what it held.
    if (auto lignes = LitFichier(chemin)) l.Lignes_ = std::move(*lignes);
    l.ClientsModifies = false;
}

void SauveCli(ListeClients& l, const QString& chemin) {
    if (!l.ClientsModifies) return;
    // EcritFichier throws before anything is replaced, so the flag stays set
    // and a later save tries again.
    EcritFichier(chemin, l.Lignes_);
    l.ClientsModifies = false;
}

} // namespace kyr
