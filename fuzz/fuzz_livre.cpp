// Feeds arbitrary bytes to the invoice book as a .fct file, then runs the
// document operations on what was loaded: nothing may crash, hang or read out
// of bounds, whatever the file holds. Build with clang (see fuzz/CMakeLists.txt).
#include "book/bloc.h"
#include "book/facture.h"
#include "dossier.h"
#include "essaie.h"
#include "common/erreurs.h"
#include "common/texte.h"
#include "support/plateforme_fausse.h"

#include <cstdint>
#include <cstdlib>
#include <string>

using namespace kyr;

using fuzz::Essaie;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QString chemin = fuzz::Chemin("livre.fct");
    const std::string octets(reinterpret_cast<const char*>(data), size);
    const std::uint8_t graine = size > 0 ? data[0] : 0;
    EcritFichier(chemin, DecoupeLignes(octets));

    test::PlateformeFausse p;
    // Wide characters, blanks as wide as the others: right-aligning an amount
    // takes a few measures instead of some twenty, and each document shown is
    // a calculation. Short amounts are still padded.
    p.largeurBlanc = p.largeurCaractere = 12;
    for (int i = 0; i < 64; ++i)
        p.reponses.push_back(((graine >> (i % 8)) & 1) ? Bouton::Oui : Bouton::Non);
    Facture f(p);
    Essaie([&] { f.Charge(chemin); });

    // Every document shown, edited and stored; the index stays in range.
    // A few documents: the book in memory has a target of its own.
    const int n = std::min(f.NbFiches, 4);
    for (int k = 0; k < n; ++k) {
        f.FicheCourante = k;
        Essaie([&] { f.LitFiche(); });
        if (f.fiche.CodeClient.empty()) f.fiche.CodeClient = "10002";
        f.fiche.Cellules[1][0] += "x";
        f.NbLignes = std::max(f.NbLignes, 1);
        f.Modifie();
        Essaie([&] { f.EcritFiche(); });
        if (f.Valide() && f.FicheCourante < NbFichesMax && f.ChercheDebut(k) < 0) std::abort();
    }
    // Keys in every column, line deletion, copy and paste, numbering.
    for (std::size_t i = 0; i < std::min<std::size_t>(size, 64); ++i) {
        const int col = data[i] % NbColonnes, row = 1 + data[i] % DerniereRangee;
        Essaie([&] { f.StringGrid1KeyPress(col, row, static_cast<char>(data[i])); });
    }
    f.StringGrid1Enter();
    Essaie([&] { f.SupLigne(1 + graine % DerniereRangee); });
    f.Copier();
    Essaie([&] { f.Coller(); });
    Essaie([&] { f.Numerof(); });
    Essaie([&] { f.Numerod(); });
    Essaie([&] { f.Suivant(); });
    Essaie([&] { f.Dernier(); });
    Essaie([&] { f.Supprime(); });
    Essaie([&] { f.Ajout(); });
    Essaie([&] { f.Premier(); });
    // Saving and loading again what was saved.
    f.LivreModifie = true;
    Essaie([&] { f.Sauve(chemin); });
    Facture g(p);
    Essaie([&] { g.Charge(chemin); });
    return 0;
}
