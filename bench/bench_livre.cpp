// The book operations on a full book: 10 000 documents, about 200 000 lines.
#include "book/bloc.h"
#include "book/facture.h"
#include "common/texte.h"

#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

using namespace kyr;

// A platform that answers "&Oui" and measures 7 pixels a byte.
class PlateformeBanc : public Plateforme {
public:
    Bouton Question(const QString&, const QString&, Icone, const std::vector<Bouton>&) override {
        return Bouton::Oui;
    }
    void Message(const QString&) override {}
    void Erreur(const QString&) override {}
    std::optional<QString> NomFichierOuvrir(const QString&) override { return std::nullopt; }
    std::optional<QString> NomFichierEnregistrer(const QString&, const QString&) override {
        return std::nullopt;
    }
    QDateTime Maintenant() override { return QDateTime(QDate(2001, 3, 15), QTime(12, 0)); }
    std::optional<QString> ReglerHorloge(const QDateTime&) override { return std::nullopt; }
    int LargeurTexte(const std::string& t) override { return static_cast<int>(t.size()) * 7; }
};

Lignes LivrePlein() {
    Lignes l;
    l.reserve(NbFichesMax * 20);
    for (int k = 0; k < NbFichesMax; ++k) {
        const std::string n = std::to_string(200001000 + k);
        for (const std::string& x :
             {LigneDebut(k), "NUMF" + n, std::string("15/01/2000"), std::to_string(10002 + k % 500),
              std::string("R\xE9glement \xE0 30 jours"), std::string("Facture"),
              std::string("Garage du Centre"), std::string("4 place de la Gare"),
              std::string("69002 Lyon"), std::string(), std::string("TTCN")})
            l.push_back(x);
        for (int r = 0; r < 6; ++r)
            l.push_back("FACTArticle " + std::to_string(r) + "\t2\t12,50\t10\t22,50\t1");
        l.push_back("MEMOMerci de votre confiance");
        l.push_back("PAYE");
        l.push_back(LigneFin(k));
    }
    return l;
}

const Lignes& Modele() {
    static const Lignes l = LivrePlein();
    return l;
}

struct Banc {
    PlateformeBanc p;
    Facture f{p};
    QTemporaryDir dossier;
    QString nom = dossier.filePath(QStringLiteral("plein.fct"));
    Banc() {
        EcritFichier(nom, Modele());
        f.Charge(nom);
    }
};

void BM_Charge(benchmark::State& s) {
    Banc b;
    for (auto _ : s)
        b.f.Charge(b.nom);
    s.counters["lignes"] = static_cast<double>(b.f.Livre.size());
}
BENCHMARK(BM_Charge)->Unit(benchmark::kMillisecond);

void BM_Sauve(benchmark::State& s) {
    Banc b;
    for (auto _ : s) {
        b.f.LivreModifie = true;
        b.f.Sauve(b.nom);
    }
}
BENCHMARK(BM_Sauve)->Unit(benchmark::kMillisecond);

// A move from an edited document: EcritFiche (remove and append) then LitFiche.
void BM_DeplacementDocumentModifie(benchmark::State& s) {
    Banc b;
    b.f.FicheCourante = 5000;
    b.f.LitFiche();
    bool avance = true;
    for (auto _ : s) {
        b.f.Modifie();
        avance ? b.f.Suivant() : b.f.Precedent();
        avance = !avance;
    }
}
BENCHMARK(BM_DeplacementDocumentModifie)->Unit(benchmark::kMicrosecond);

void BM_Numerof(benchmark::State& s) {
    Banc b;
    for (auto _ : s) {
        b.f.Numerof();
        benchmark::DoNotOptimize(b.f.NumeroSuivant);
    }
}
BENCHMARK(BM_Numerof)->Unit(benchmark::kMicrosecond);

// Deleting the first document renumbers every other block.
void BM_SupprimePremier(benchmark::State& s) {
    Banc b;
    for (auto _ : s) {
        s.PauseTiming();
        b.f.Livre = Modele();
        b.f.NbFiches = NbFichesMax;
        b.f.FicheCourante = 0;
        s.ResumeTiming();
        b.f.Supprime();
    }
}
BENCHMARK(BM_SupprimePremier)->Unit(benchmark::kMillisecond);

// The repair of a book whose lines do not balance (one stray end line).
void BM_VerifReconstruction(benchmark::State& s) {
    Banc b;
    for (auto _ : s) {
        s.PauseTiming();
        b.f.Livre = Modele();
        b.f.Livre.push_back("</BLOC9999>");
        b.f.NbFiches = NbFichesMax;
        s.ResumeTiming();
        b.f.Verif();
    }
}
BENCHMARK(BM_VerifReconstruction)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
