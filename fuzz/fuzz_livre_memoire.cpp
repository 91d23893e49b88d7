// The invoice book in memory, without a file: lines split and joined, Verif
// answered "&Oui" or "&Non" by the first byte, Doublons, every document shown
// and stored back, Squize. Invariants: the lines survive a join and a split;
// a block the program wrote, read and written again, gives the same lines.
#include "book/bloc.h"
#include "book/facture.h"
#include "common/texte.h"
#include "essaie.h"
#include "support/plateforme_fausse.h"

#include <cstdint>
#include <cstdlib>

using namespace kyr;
using fuzz::Essaie;

namespace {

Lignes Bloc(const Facture& f, int n) {
    const int d = f.ChercheDebut(n);
    if (d < 0) return {};
    const std::string fin = LigneFin(n);
    Lignes b;
    for (std::size_t i = static_cast<std::size_t>(d); i < f.Livre.size(); ++i) {
        b.push_back(f.Livre[i]);
        if (f.Livre[i] == fin) break;
    }
    return b;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view octets(reinterpret_cast<const char*>(data), size);
    const std::uint8_t graine = size > 0 ? data[0] : 0;
    Lignes lignes = DecoupeLignes(octets);
    if (DecoupeLignes(JoinLignes(lignes)) != lignes) std::abort();

    test::PlateformeFausse p;
    // Wide characters, blanks as wide as the others: right-aligning an amount
    // takes a few measures instead of some twenty, and each document shown is
    // a calculation. Short amounts are still padded.
    p.largeurBlanc = p.largeurCaractere = 12;
    p.reponses = {(graine & 1) ? Bouton::Oui : Bouton::Non};
    Facture f(p);
    f.Livre = std::move(lignes);
    f.NbFiches = CompteFiches(f.Livre);
    Essaie([&] { f.Verif(); });
    Essaie([&] { f.Doublons(); });

    const int n = std::min(f.NbFiches, 32);
    for (int k = 0; k < n; ++k) {
        f.FicheCourante = k;
        bool lu = false;
        Essaie([&] {
            f.LitFiche();
            lu = true;
        });
        if (!lu || !f.Valide()) continue;
        bool ecrit = false;
        Essaie([&] {
            f.EcritFiche();
            ecrit = true;
        });
        if (!ecrit) continue;
        const Lignes une = Bloc(f, k);
        bool relu = false;
        Essaie([&] {
            f.LitFiche();
            f.EcritFiche();
            relu = true;
        });
        if (relu && Bloc(f, k) != une) std::abort();
    }
    f.Squize();
    if (DecoupeLignes(JoinLignes(f.Livre)) != f.Livre) std::abort();
    return 0;
}
