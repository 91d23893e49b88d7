// Arbitrary bytes as the settings file, the company file, the glossary and the
// client file, then the client card and the client look-up on that list:
// nothing may crash or read out of bounds, and the card's round trip must keep
// every client it recognised.
#include "book/facture.h"
#include "dossier.h"
#include "essaie.h"
#include "book/glossaire.h"
#include "book/reglages.h"
#include "book/societe.h"
#include "clients/recherche.h"
#include "clients/table_clients.h"
#include "common/erreurs.h"
#include "support/plateforme_fausse.h"

#include <cstdint>
#include <cstdlib>

using namespace kyr;

using fuzz::Essaie;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QString chemin = fuzz::Chemin("fichier");
    const Lignes lignes = DecoupeLignes(std::string(reinterpret_cast<const char*>(data), size));
    EcritFichier(chemin, lignes);

    Reglages r;
    Essaie([&] { ChargeIni(r, chemin); });
    if (!(r.TauxEuro >= 0.2L)) std::abort(); // the floor holds whatever was read
    LignesSociete s;
    Essaie([&] { ChargeSoc(s, chemin); });
    Lignes g;
    Essaie([&] { ChargeGlo(g, chemin); });
    for (std::size_t i = 0; i < std::min<std::size_t>(lignes.size(), 16); ++i)
        (void)Expansion(g, lignes[i]); // every line would make the input quadratic

    test::PlateformeFausse p;
    TableClients t(p);
    t.Init(lignes);
    t.Tri();
    // Clients with a name; one cut short at the end of the file has none, and
    // such a record is skipped once written back (header then empty line).
    int clients = 0;
    for (int i = 0; i <= t.DernierClient; ++i)
        clients += !t.Rangees[static_cast<std::size_t>(i)][1].empty();
    t.FicheModifiee = true;
    Lignes reecrit;
    t.Result(reecrit);
    TableClients relu(p);
    relu.Init(reecrit);
    if (relu.DernierClient + 1 < clients) std::abort(); // a recognised client was lost
    for (int i = 0; i < std::min(clients, 30); ++i) {
        Essaie([&] { t.Suivant(); });
        Essaie([&] { t.Supprimer(); });
    }
    Essaie([&] { (void)CodeClientSuivant(lignes); });
    return 0;
}
