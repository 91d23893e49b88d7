// The small data files, read and written in memory through the same lines the
// file functions read and write: the settings, the glossary with its
// expansion, the company lines, the e-invoice's seller and buyers, the note,
// the client list through the card's Init and Result. Invariants: what the
// program writes, read and written again, gives the same bytes.
#include "book/glossaire.h"
#include "book/reglages.h"
#include "book/societe.h"
#include "clients/recherche.h"
#include "clients/table_clients.h"
#include "common/texte.h"
#include "einvoice/fichiers_tiers.h"
#include "essaie.h"
#include "support/plateforme_fausse.h"
#include "utilities/bloc_notes.h"

#include <cstdint>
#include <cstdlib>

using namespace kyr;
using fuzz::Essaie;

namespace {

// The file's lines read into a record as the program starts it, written,
// read into a new record and written again: the same bytes as the first time.
template <class T, class Lit, class Ecrit>
T PointFixe(const Lignes& lignes, const T& neuf, Lit lit, Ecrit ecrit) {
    T t = neuf;
    std::string premier;
    bool ok = false;
    Essaie([&] {
        lit(t, lignes);
        premier = JoinLignes(ecrit(t));
        ok = true;
    });
    if (!ok) return t;
    T relu = neuf;
    lit(relu, DecoupeLignes(premier));
    if (JoinLignes(ecrit(relu)) != premier) std::abort();
    return t;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view octets(reinterpret_cast<const char*>(data), size);
    const Lignes lignes = DecoupeLignes(octets);

    const Reglages r = PointFixe(lignes, Reglages{}, LitIni,
                                 [](const Reglages& t) { return LignesIni(t, t.DernierLivre); });
    if (!(r.TauxEuro >= 0.2L)) std::abort(); // the floor holds whatever was read

    const Lignes& glossaire = lignes; // the glossary is its file's lines
    // The empty cell and the first lines as cells: a look-up is a pass over
    // the whole glossary, and every line of it would make the input quadratic.
    for (std::size_t i = 0; i <= std::min<std::size_t>(lignes.size(), 16); ++i) {
        const auto e = Expansion(glossaire, i == 0 ? std::string() : lignes[i - 1]);
        if (e && e->size() > 255) std::abort();
    }

    PointFixe(lignes, LignesSociete{}, LitSoc,
              [](const LignesSociete& t) { return Lignes(t.begin(), t.end()); });
    PointFixe(lignes, VendeurNeuf(), LitVendeur, LignesVendeur);
    PointFixe(lignes, Acheteurs{}, LitAcheteurs, LignesAcheteurs);

    const std::string note = NoteDepuisFichier(octets);
    if (NoteDepuisFichier(NoteVersFichier(note)) != note) std::abort();

    test::PlateformeFausse p;
    TableClients carte(p);
    carte.Init(lignes);
    Lignes liste;
    carte.FicheModifiee = true;
    carte.Result(liste);
    TableClients relue(p);
    relue.Init(liste);
    Lignes encore;
    relue.FicheModifiee = true;
    relue.Result(encore);
    // The card drops a record whose name line is empty, and a coordinates line
    // that reads like a header starts a record of its own: the written list
    // reads back the same when it holds neither.
    bool stable = true;
    for (std::size_t i = 0; i < liste.size(); i += 5) {
        stable = stable && !liste[i + 1].empty();
        for (std::size_t j = i + 1; j < i + 5; ++j)
            stable = stable && !EstEnteteClient(liste[j]);
    }
    if (stable && encore != liste) std::abort();
    return 0;
}
