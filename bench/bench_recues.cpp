// Received invoices: reading and checking an invoice of 1,000 lines, and
// opening the list of 5,000 received invoices (the index read, then sorted
// by date as the list shows it), each as a ratio to one pass over the same
// file's bytes (read into memory, its lines counted), measured in the same run.
#include "recues/controles_recus.h"
#include "recues/recues_outils.h"
#include "recues/registre.h"

#include <QCoreApplication>
#include <QTemporaryDir>
#include <algorithm>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <map>
#include <numeric>

using namespace kyr;

namespace {

QTemporaryDir& Dossier() {
    static QTemporaryDir d;
    return d;
}

QString FichierFacture() {
    static const QString chemin = [] {
        const QString c = Dossier().filePath(QStringLiteral("facture1000.xml"));
        QFile f(c);
        f.open(QIODevice::WriteOnly);
        f.write(test::CIIDeNLignes(1000));
        return c;
    }();
    return chemin;
}

// 5,000 entries, as many suppliers' invoices over the years would leave.
QString DossierListe() {
    static const QString dossier = [] {
        const QString d = Dossier().filePath(QStringLiteral("livre.recues"));
        QDir().mkpath(d);
        const Lecture l = test::Lit(test::Donnee(QStringLiteral("recue_cii.xml")));
        RegistreRecues r;
        for (int i = 0; i < 5000; ++i) {
            EntreeRecue e = EntreeDe(*l.Facture, {});
            e.Numero = QStringLiteral("FA-%1").arg(i, 6, 10, QLatin1Char('0'));
            e.Date = QDate(2020, 1, 1).addDays((i * 7919) % 2500);
            e.Fichier = e.IdFournisseur + QLatin1Char('_') + e.Numero + QStringLiteral(".xml");
            e.Recue = e.Date.toString(QStringLiteral("dd/MM/yyyy")) + QStringLiteral(" 09:00:00");
            r.Entrees.push_back(e);
        }
        EcritFichier(QDir(d).filePath(NomIndexRecues), LignesIndex(r));
        return d;
    }();
    return dossier;
}

// The reference: the file read into memory and its lines counted.
void Passe(benchmark::State& s, const QString& chemin) {
    for (auto _ : s) {
        QFile f(chemin);
        f.open(QIODevice::ReadOnly);
        const QByteArray o = f.readAll();
        benchmark::DoNotOptimize(std::count(o.begin(), o.end(), '\n'));
    }
}

void PasseFacture(benchmark::State& s) {
    Passe(s, FichierFacture());
}
void LitEtControle(benchmark::State& s) {
    for (auto _ : s) {
        const Lecture l = LitFichierRecu(FichierFacture(), DossierModules());
        if (!l.Facture || !Controle(*l.Facture).empty()) s.SkipWithError("facture refusée");
    }
}
void PasseIndex(benchmark::State& s) {
    Passe(s, QDir(DossierListe()).filePath(NomIndexRecues));
}
void OuvreListe(benchmark::State& s) {
    for (auto _ : s) {
        const RegistreRecues r = ChargeRegistre(DossierListe());
        std::vector<int> ordre(r.Entrees.size());
        std::iota(ordre.begin(), ordre.end(), 0);
        std::stable_sort(ordre.begin(), ordre.end(), [&r](int a, int b) {
            return r.Entrees[static_cast<std::size_t>(a)].Date >
                   r.Entrees[static_cast<std::size_t>(b)].Date;
        });
        if (r.Entrees.size() != 5000) s.SkipWithError("index incomplet");
        benchmark::DoNotOptimize(ordre.data());
    }
}

BENCHMARK(PasseFacture)->Unit(benchmark::kMillisecond);
BENCHMARK(LitEtControle)->Unit(benchmark::kMillisecond);
BENCHMARK(PasseIndex)->Unit(benchmark::kMillisecond);
BENCHMARK(OuvreListe)->Unit(benchmark::kMillisecond);

// Keeps each benchmark's time per iteration for the ratios.
class Releve : public benchmark::ConsoleReporter {
public:
    std::map<std::string, double> temps; // ms
    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& r : runs)
            if (r.run_type == Run::RT_Iteration || r.aggregate_name == "median")
                temps[r.run_name.function_name] = r.GetAdjustedRealTime();
    }
};

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    if (qEnvironmentVariableIsEmpty("KYR_MODULES")) qputenv("KYR_MODULES", KYR_DOSSIER_MODULES);
    benchmark::Initialize(&argc, argv);
    Releve releve;
    benchmark::RunSpecifiedBenchmarks(&releve);
    auto& t = releve.temps;
    const auto ligne = [&](const char* quoi, const char* nom, const char* ref) {
        if (!t.count(nom) || !t.count(ref) || t[ref] <= 0) return;
        std::printf("%-58s %8.2f ms  = %6.1f x une passe sur les octets (%.3f ms)\n", quoi, t[nom],
                    t[nom] / t[ref], t[ref]);
    };
    std::printf("\n");
    ligne("Lire et controler une facture CII de 1 000 lignes", "LitEtControle", "PasseFacture");
    ligne("Ouvrir la liste de 5 000 factures recues (index, tri)", "OuvreListe", "PasseIndex");
    return 0;
}
