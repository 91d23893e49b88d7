// The document list of a full book (10 000 documents): built each time F2 is
// pressed, so it must take no noticeable time.
#include "lists/liste_factures.h"
#include "lists/recherche_numero.h"

#include "../tests/lists/livres_listes.h"

#include <benchmark/benchmark.h>

namespace {

using namespace kyr;

// The blocks in reverse order, as a book often rewritten holds them.
const Lignes& LivrePlein() {
    static const Lignes l = [] {
        Lignes livre;
        for (int k = NbFichesMax - 1; k >= 0; --k)
            test::AjouteBloc(livre,
                             {k, "F" + std::to_string(200001000 + k),
                              std::to_string(10002 + k % 500), "Facture", "Garage du Centre"});
        return livre;
    }();
    return l;
}

void EntreesDeDixMilleDocuments(benchmark::State& etat) {
    const Lignes& livre = LivrePlein();
    for (auto _ : etat)
        benchmark::DoNotOptimize(EntreesListe(livre));
}
BENCHMARK(EntreesDeDixMilleDocuments)->Unit(benchmark::kMillisecond);

void RechercheDuPremierNumero(benchmark::State& etat) {
    const Lignes& livre = LivrePlein();
    for (auto _ : etat)
        benchmark::DoNotOptimize(ChercheNumero(livre, "F200001000"));
}
BENCHMARK(RechercheDuPremierNumero)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
