// The export of a period's invoices: 1,000 documents of one month exported in
// one run, in each format, timed per document, against one Factur-X export
// alone (the work of "Facture électronique..." once its dialog is answered:
// the invoice built, its page drawn, the PDF/A-3 assembled and written).
// Factur-X pages are drawn as the command line draws them, on Qt's offscreen
// platform.
#include "einvoice/lot.h"
#include "einvoice/mois.h"
#include "einvoice/ui/facturx_pdf.h"

#include <QDir>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

using namespace kyr;

constexpr int NbDocuments = 1000;

const test::MoisTest& Mois() {
    static const test::MoisTest m = test::MoisGenere(NbDocuments);
    return m;
}

const LignesSociete Societe = test::DocumentTest().Societe;

void FacturXSeul(benchmark::State& state) {
    const EcritureFacturX ecrit = EcritureFacturXSansEcran(Societe);
    const test::DocumentTest d = test::DocumentsTest()[2]; // discounts at three rates
    QTemporaryDir dossier;
    for (auto _ : state) {
        const FactureElectronique fe = std::get<FactureElectronique>(d.Construit());
        const Fiche page = FicheDeLaPage(d.F, d.R, fe, test::Largeur7);
        ecrit(dossier.filePath(QStringLiteral("Facture.pdf")), fe, page);
    }
    // The processor's time for one document, in seconds ("8.7m" is 8.7 ms).
    state.counters["par_document"] = benchmark::Counter(
        1, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

void Lot(benchmark::State& state) {
    const auto format = static_cast<FormatFE>(state.range(0));
    const test::MoisTest& m = Mois();
    const Vendeur vendeur = test::VendeurTest();
    OutilsLot outils;
    if (format == FormatFE::FacturX) outils.FacturX = EcritureFacturXSansEcran(Societe);
    outils.Remplace = [](const QStringList&) { return Remplacement::Remplacer; };
    int ecrits = 0;
    for (auto _ : state) {
        QTemporaryDir dossier;
        const RapportLot r =
            ExporteLot({m.Livre, m.R, Societe, vendeur, m.Memorises},
                       {{2026, 9, 1}, {2026, 9, 30}, dossier.path(), format}, outils);
        ecrits = r.Ecrits();
    }
    if (ecrits != m.NbExportables) state.SkipWithError("documents non écrits");
    state.counters["documents"] = ecrits;
    state.counters["par_document"] = benchmark::Counter(
        ecrits, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

BENCHMARK(FacturXSeul)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(Lot)
    ->ArgName("format")
    ->Arg(static_cast<int>(FormatFE::FacturX))
    ->Arg(static_cast<int>(FormatFE::CII))
    ->Arg(static_cast<int>(FormatFE::UBL))
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);

} // namespace

int main(int argc, char** argv) {
    // The qpdf module where this build made it, unless the run names another.
    if (qEnvironmentVariableIsEmpty("KYR_MODULES")) qputenv("KYR_MODULES", KYR_DOSSIER_MODULES);
    benchmark::Initialize(&argc, argv);
    // One application for the whole run, as the command line makes it.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
