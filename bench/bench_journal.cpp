// The sales journal of a full book: 10 000 documents, read in one pass.
#include "book/bloc.h"
#include "lists/journal.h"

#include <benchmark/benchmark.h>

namespace {

using namespace kyr;

Lignes LivrePlein() {
    Lignes l;
    l.reserve(NbFichesMax * 20);
    for (int k = 0; k < NbFichesMax; ++k) {
        const bool avoir = k % 13 == 0;
        const std::string date = (k % 28 < 9 ? "0" : "") + std::to_string(k % 28 + 1) + "/" +
                                 (k % 12 < 9 ? "0" : "") + std::to_string(k % 12 + 1) + "/2000";
        for (const std::string& x :
             {LigneDebut(k), std::string(avoir ? "NUMA" : "NUMF") + std::to_string(200001000 + k),
              date, std::to_string(10002 + k % 500),
              std::string("A r\xE9"
                          "ception"),
              std::string(avoir ? "Avoir     " : "Facture"), std::string("Garage du Centre"),
              std::string("4 place de la Gare"), std::string("69002 Lyon"), std::string(),
              std::string(k % 7 == 0 ? "TTCY" : "TTCN")})
            l.push_back(x);
        for (int r = 0; r < 6; ++r)
            l.push_back("FACTArticle " + std::to_string(r) + "\t2\t12,50\t10\t22,50\t" +
                        std::to_string(r % 3 + 1));
        if (k % 3) l.push_back("PAYE");
        l.push_back(LigneFin(k));
    }
    return l;
}

const Lignes& Modele() {
    static const Lignes l = LivrePlein();
    return l;
}

// What the window does when it opens: the whole book read and computed.
void BM_LitJournal(benchmark::State& s) {
    for (auto _ : s) {
        const Journal j = LitJournal(Modele(), Reglages{});
        benchmark::DoNotOptimize(j.Ventes.data());
    }
}
BENCHMARK(BM_LitJournal)->Unit(benchmark::kMillisecond);

// A change of period or of the filter: selection and totals only.
void BM_SelectionneTout(benchmark::State& s) {
    const Journal j = LitJournal(Modele(), Reglages{});
    for (auto _ : s) {
        const VueJournal v = Selectionne(j, {QDate(2000, 1, 1), QDate(2000, 12, 31)}, Reglages{});
        benchmark::DoNotOptimize(v.Totaux.TTC);
    }
}
BENCHMARK(BM_SelectionneTout)->Unit(benchmark::kMillisecond);

void BM_TexteCSV(benchmark::State& s) {
    const Journal j = LitJournal(Modele(), Reglages{});
    const VueJournal v = Selectionne(j, {QDate(2000, 1, 1), QDate(2000, 12, 31)}, Reglages{});
    for (auto _ : s) {
        const std::string csv = TexteCSV(v);
        benchmark::DoNotOptimize(csv.data());
    }
}
BENCHMARK(BM_TexteCSV)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
