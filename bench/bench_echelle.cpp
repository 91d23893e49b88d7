// The user's commands on books of 1 000 and 10 000 documents, each timed as a
// ratio to one plain pass over the same file's bytes measured in the same run,
// so that the figures hold on a busy or a slow machine. Prints one table:
// command, ratio at each size, target, met or not.
#include "book/bloc.h"
#include "book/facture.h"
#include "clients/recherche.h"
#include "clients/table_clients.h"
#include "generateur/generateur.h"
#include "lists/journal.h"
#include "lists/liste_factures.h"
#include "lists/recherche_numero.h"
#include "support/plateforme_fausse.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

namespace {

using namespace kyr;
using banc::Defaut;
using test::PlateformeFausse;

constexpr int Petit = 1000;
constexpr int Grand = 10000;

// ---- the books and client files of the run, generated once each

struct Fichiers {
    QTemporaryDir dossier;
    std::map<std::pair<int, Defaut>, Lignes> livres;
    std::map<std::pair<int, Defaut>, QString> noms;
    std::map<int, Lignes> clients;
    std::map<int, QString> nomsClients;
};

Fichiers& Stock() {
    static Fichiers f;
    return f;
}

const Lignes& Modele(int n, Defaut d = Defaut::Aucun) {
    auto& l = Stock().livres[{n, d}];
    if (l.empty()) l = banc::GenereLivre(n, d);
    return l;
}

QString Fichier(int n, Defaut d = Defaut::Aucun) {
    QString& nom = Stock().noms[{n, d}];
    if (nom.isEmpty()) {
        nom = Stock().dossier.filePath(
            QStringLiteral("livre%1_%2.fct").arg(n).arg(static_cast<int>(d)));
        EcritFichier(nom, Modele(n, d));
    }
    return nom;
}

const Lignes& Clients(int n) {
    auto& l = Stock().clients[n];
    if (l.empty()) l = banc::GenereClients(n);
    return l;
}

QString FichierClients(int n) {
    QString& nom = Stock().nomsClients[n];
    if (nom.isEmpty()) {
        nom = Stock().dossier.filePath(QStringLiteral("clients%1.cli").arg(n));
        EcritFichier(nom, Clients(n));
    }
    return nom;
}

// One invoice window's logic with a book loaded, on the tests' scripted platform.
struct Banc {
    PlateformeFausse p;
    Facture f{p};
    QString nom;
    explicit Banc(int n, Defaut d = Defaut::Aucun) : nom(Fichier(n, d)) {
        p.reponses.push_back(Bouton::Oui);
        f.Charge(nom);
    }
};

// The client look-up dialogs answer with the reserved client of the book.
class DialoguesBanc : public DialoguesClients {
public:
    std::string code, nom;
    std::optional<std::array<std::string, 4>> NouveauClient(const std::string&) override {
        return std::nullopt;
    }
    std::string ChoisitClient(const Lignes&) override { return {}; }
    std::string DemandeCode() override { return code; }
    std::string DemandeNom() override { return nom; }
};

int Taille(const benchmark::State& s) {
    return static_cast<int>(s.range(0));
}

// ---- the baseline: the file read into memory and its lines counted

void PasseOctets(benchmark::State& s, const QString& nom) {
    for (auto _ : s) {
        QFile f(nom);
        if (!f.open(QIODevice::ReadOnly)) s.SkipWithError("lecture");
        const QByteArray octets = f.readAll();
        benchmark::DoNotOptimize(std::count(octets.begin(), octets.end(), '\n'));
    }
}

void BM_Base(benchmark::State& s) {
    const QString nom = Fichier(Taille(s));
    PasseOctets(s, nom);
    s.counters["octets"] = static_cast<double>(QFile(nom).size());
}

void BM_BaseClients(benchmark::State& s) {
    PasseOctets(s, FichierClients(Taille(s)));
}

// ---- the book's commands

void BM_Charge(benchmark::State& s) {
    Banc b(Taille(s));
    for (auto _ : s)
        b.f.Charge(b.nom);
}

// The book of a round as a load leaves it: split from the file's bytes, its
// lines' texts one after the other in memory. Copying the model over the
// previous round's lines instead would reuse their texts' memory in a
// shuffled order that the program's book never has when these commands run
// (the repairs run only at loading), and time the cache's misses.
Lignes CommeCharge(int n, Defaut d = Defaut::Aucun) {
    std::optional<Lignes> l = LitFichier(Fichier(n, d));
    return l ? std::move(*l) : Lignes();
}

// A damaged book repaired again and again: the rebuild of Verif ("&Oui" to
// "Restaurer ?") or the removal of duplicated blocks.
void Reparation(benchmark::State& s, Defaut defaut, void (Facture::*operation)()) {
    Banc b(Taille(s));
    for (auto _ : s) {
        s.PauseTiming();
        b.f.Livre = Lignes(); // the last round's lines freed first, as a new load finds them
        b.f.Livre = CommeCharge(Taille(s), defaut);
        b.f.NbFiches = CompteFiches(b.f.Livre);
        b.p.reponses = {Bouton::Oui};
        s.ResumeTiming();
        (b.f.*operation)();
    }
}

void BM_VerifReconstruction(benchmark::State& s) {
    Reparation(s, Defaut::Desequilibre, &Facture::Verif);
}
void BM_Doublons(benchmark::State& s) {
    Reparation(s, Defaut::Doublons, &Facture::Doublons);
}

// What the window waits for when the user saves: the book's bytes handed to
// the system (and the client file, unchanged here). The flush to the disk and
// the rename run on a worker thread in the program; here they are waited for
// outside the timing, so that one save never runs into the next.
void BM_Sauve(benchmark::State& s) {
    Banc b(Taille(s));
    for (auto _ : s) {
        b.f.LivreModifie = true;
        std::optional<SauvegardeLivre> sauvegarde = b.f.LanceSauvegarde(b.nom);
        SauveCli(b.f.clients);
        s.PauseTiming();
        if (!sauvegarde)
            s.SkipWithError("rien à écrire");
        else
            sauvegarde->ecriture.Termine();
        sauvegarde.reset();
        s.ResumeTiming();
    }
}

// The same save until the disk has confirmed it and the file is in place.
void BM_SauveConfirmee(benchmark::State& s) {
    Banc b(Taille(s));
    for (auto _ : s) {
        b.f.LivreModifie = true;
        b.f.Sauve(b.nom);
    }
}

// The same save into a folder in memory (/dev/shm), where the disk's flush
// costs nothing: the program's own share of a save.
void BM_SauveMemoire(benchmark::State& s) {
    if (!QDir(QStringLiteral("/dev/shm")).exists()) {
        s.SkipWithError("pas de /dev/shm");
        return;
    }
    static const QTemporaryDir memoire(QStringLiteral("/dev/shm/kyrbanc-XXXXXX"));
    Banc b(Taille(s));
    const QString nom = memoire.filePath(QStringLiteral("livre.fct"));
    for (auto _ : s) {
        b.f.LivreModifie = true;
        b.f.Sauve(nom);
    }
}

// An edited document stored (its block removed and appended) and the next shown.
void BM_EcritEtSuivant(benchmark::State& s) {
    Banc b(Taille(s));
    b.f.FicheCourante = Taille(s) / 2 - 1;
    b.f.LitFiche();
    bool avance = true;
    for (auto _ : s) {
        b.f.Modifie();
        avance ? b.f.Suivant() : b.f.Precedent();
        avance = !avance;
    }
}

// A book of one document less, so that the full size has room for the new one.
void BM_Ajout(benchmark::State& s) {
    const int n = Taille(s) - 1;
    Banc b(n);
    for (auto _ : s) {
        b.f.Ajout();
        s.PauseTiming();
        b.f.Livre.pop_back(); // the blank line of the new document
        b.f.NbFiches = n;
        b.f.FicheCourante = 0;
        s.ResumeTiming();
    }
}

void BM_Numerof(benchmark::State& s) {
    Banc b(Taille(s));
    for (auto _ : s) {
        b.f.Numerof();
        benchmark::DoNotOptimize(b.f.NumeroSuivant);
    }
}

// The same when the book has just changed: what it keeps about its lines is
// found again first.
void BM_NumerofApresChangement(benchmark::State& s) {
    Banc b(Taille(s));
    for (auto _ : s) {
        s.PauseTiming();
        (void)b.f.Livre.Modifiables();
        s.ResumeTiming();
        b.f.Numerof();
        benchmark::DoNotOptimize(b.f.NumeroSuivant);
    }
}

// Deleting the first document renumbers every other block.
void BM_SupprimeRenum(benchmark::State& s) {
    Banc b(Taille(s));
    for (auto _ : s) {
        s.PauseTiming();
        b.f.Livre = Lignes();
        b.f.Livre = CommeCharge(Taille(s));
        b.f.NbFiches = Taille(s);
        b.f.FicheCourante = 0;
        s.ResumeTiming();
        b.f.Supprime();
    }
}

// The reserved client's only document is the last block of the file: the
// search goes through the whole book, then shows it.
void FactCli(benchmark::State& s, int mode, bool apresChangement = false) {
    Banc b(Taille(s));
    RechercheClients r;
    DialoguesBanc d;
    const int client = banc::NbClientsLivre(Taille(s)) - 1;
    d.code = banc::CodeClient(client);
    d.nom = Majuscules(banc::NomClient(client));
    for (auto _ : s) {
        if (apresChangement) {
            s.PauseTiming();
            (void)b.f.Livre.Modifiables();
            s.ResumeTiming();
        }
        b.f.FicheCourante = 0;
        if (!r.FactCli(b.f, d, mode)) s.SkipWithError("client introuvable");
    }
}

void BM_FactCliCode(benchmark::State& s) {
    FactCli(s, 0);
}
void BM_FactCliNom(benchmark::State& s) {
    FactCli(s, 1);
}
void BM_FactCliApresChangement(benchmark::State& s) {
    FactCli(s, 0, true);
}

// The client card opening on a client file of this many clients.
void BM_InitFicheClients(benchmark::State& s) {
    const Lignes& clients = Clients(Taille(s));
    PlateformeFausse p;
    for (auto _ : s) {
        TableClients t(p);
        t.Init(clients);
        benchmark::DoNotOptimize(t.DernierClient);
    }
}

// ---- the lists of the book

// The document list (F2): the shown document stored, every entry placed,
// the longest one measured (the window's width) and the texts of a screen
// of entries made, as the list shows them.
void BM_Liste(benchmark::State& s) {
    Banc b(Taille(s));
    for (auto _ : s) {
        b.f.EcritFiche();
        const std::vector<EntreeListe> e = EntreesListe(b.f.Livre);
        std::size_t longueur = 0;
        for (const EntreeListe& x : e)
            longueur = std::max(longueur, LongueurEntree(b.f.Livre, x));
        for (std::size_t i = 0; i < std::min<std::size_t>(e.size(), 30); ++i)
            benchmark::DoNotOptimize(TexteEntree(b.f.Livre, e[i]));
        benchmark::DoNotOptimize(longueur);
    }
}

// The search by number for the document whose number line comes last in the file.
void BM_Chercher(benchmark::State& s) {
    Banc b(Taille(s));
    std::string cle;
    for (auto l = b.f.Livre.rbegin(); l != b.f.Livre.rend() && cle.empty(); ++l)
        if (l->rfind("NUM", 0) == 0) cle = l->substr(3);
    for (auto _ : s)
        if (ChercheNumero(b.f.Livre, cle) < 0) s.SkipWithError("numéro introuvable");
}

// The sales journal of the whole book, from the book to the period's totals.
void BM_Journal(benchmark::State& s) {
    Banc b(Taille(s));
    for (auto _ : s) {
        const Journal j = LitJournal(b.f.Livre, b.f.reglages);
        benchmark::DoNotOptimize(Selectionne(j, Selection{}, b.f.reglages));
    }
}

// ---- the table

struct Ligne {
    const char* commande;
    const char* banc; // nullptr: its code is not written yet
    const char* base;
    double cible;
};

// A command still to be measured gets its benchmark above and its name here.
const std::vector<Ligne> Tableau = {
    {"Charge (Verif, Doublons, document 0)", "BM_Charge", "BM_Base", 5},
    {"Verif: rebuild of a damaged book", "BM_VerifReconstruction", "BM_Base", 3},
    {"Doublons: one document in ten twice", "BM_Doublons", "BM_Base", 3},
    {"Sauve (until the bytes are with the system)", "BM_Sauve", "BM_Base", 3},
    {"  the same, until the disk confirms", "BM_SauveConfirmee", "BM_Base", 3},
    {"  the same, file in memory (no disk flush)", "BM_SauveMemoire", "BM_Base", 3},
    {"EcritFiche of an edited document + Suivant", "BM_EcritEtSuivant", "BM_Base", 3},
    {"Ajout", "BM_Ajout", "BM_Base", 3},
    {"Numerof", "BM_Numerof", "BM_Base", 3},
    {"  the same, first after a change of the book", "BM_NumerofApresChangement", "BM_Base", 3},
    {"Supprime of document 0 (Renum)", "BM_SupprimeRenum", "BM_Base", 3},
    {"FactCli by code (found in the last block)", "BM_FactCliCode", "BM_Base", 3},
    {"FactCli by name (found in the last block)", "BM_FactCliNom", "BM_Base", 3},
    {"  by code, first after a change of the book", "BM_FactCliApresChangement", "BM_Base", 3},
    {"Client card Init (1,000 / 10,000 clients)", "BM_InitFicheClients", "BM_Base", 3},
    {"Liste des factures", "BM_Liste", "BM_Base", 3},
    {"Chercher", "BM_Chercher", "BM_Base", 3},
    {"Journal des ventes (whole book)", "BM_Journal", "BM_Base", 3},
};

// Growth allowed from 1,000 to 10,000 documents, as a factor on the ratio.
constexpr double CroissanceMax = 1.5;

// Keeps every repetition's time per benchmark and size, for the medians.
class Releve : public benchmark::ConsoleReporter {
public:
    std::map<std::string, std::vector<double>> temps; // "BM_Charge/1000" -> seconds

    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& r : runs)
            if (r.run_type == Run::RT_Iteration && !r.error_occurred && r.iterations > 0)
                temps[r.run_name.function_name + "/" + r.run_name.args].push_back(
                    r.real_accumulated_time / static_cast<double>(r.iterations));
        ConsoleReporter::ReportRuns(runs);
    }

    double Mediane(const std::string& nom, int taille) const {
        const auto it = temps.find(nom + "/" + std::to_string(taille));
        if (it == temps.end() || it->second.empty()) return -1;
        std::vector<double> v = it->second;
        std::sort(v.begin(), v.end());
        const std::size_t m = v.size() / 2;
        return v.size() % 2 ? v[m] : (v[m - 1] + v[m]) / 2;
    }
};

void ImprimeTableau(const Releve& r) {
    std::printf("\n%-46s %12s %12s %8s %8s  %s\n", "command", "ratio 1,000", "ratio 10,000",
                "growth", "target", "met");
    for (const Ligne& l : Tableau) {
        if (!l.banc) {
            std::printf("%-46s %12s %12s %8s %8.1f  %s\n", l.commande, "-", "-", "-", l.cible,
                        "not yet measured");
            continue;
        }
        const double b1 = r.Mediane(l.base, Petit), b2 = r.Mediane(l.base, Grand);
        const double t1 = r.Mediane(l.banc, Petit), t2 = r.Mediane(l.banc, Grand);
        if (b1 <= 0 || b2 <= 0 || t1 <= 0 || t2 <= 0) {
            std::printf("%-46s %12s %12s %8s %8.1f  %s\n", l.commande, "?", "?", "?", l.cible,
                        "not run");
            continue;
        }
        const double r1 = t1 / b1, r2 = t2 / b2;
        const bool atteint = r1 <= l.cible && r2 <= l.cible && r2 <= CroissanceMax * r1;
        std::printf("%-46s %12.2f %12.2f %8.2f %8.1f  %s\n", l.commande, r1, r2, r2 / r1, l.cible,
                    atteint ? "yes" : "NO");
    }
    std::printf("Ratios: median time / median time of one pass over the same file's bytes "
                "(baseline %.2f ms at 1,000, %.2f ms at 10,000 documents). Met: at most the "
                "target at both sizes, and growth (ratio at 10,000 / ratio at 1,000) at most "
                "%.1f.\n",
                r.Mediane("BM_Base", Petit) * 1e3, r.Mediane("BM_Base", Grand) * 1e3,
                CroissanceMax);
    // The card sorts its clients, which a pass over the bytes does not: its
    // ratio to a pass over the client file itself, for the record.
    std::printf("Client card Init as a ratio to one pass over the client file's own bytes: "
                "%.1f at 1,000 clients, %.1f at 10,000.\n",
                r.Mediane("BM_InitFicheClients", Petit) / r.Mediane("BM_BaseClients", Petit),
                r.Mediane("BM_InitFicheClients", Grand) / r.Mediane("BM_BaseClients", Grand));
}

} // namespace

int main(int argc, char** argv) {
    // Defaults for a plain run: repetitions interleaved at random, so that a
    // burst of load on the machine spreads over every benchmark alike.
    std::vector<char*> args(argv, argv + argc);
    std::vector<std::string> defauts = {"--benchmark_repetitions=9",
                                        "--benchmark_enable_random_interleaving=true",
                                        "--benchmark_min_time=0.05"};
    for (const std::string& d : defauts) {
        const std::string cle = d.substr(0, d.find('='));
        if (std::none_of(args.begin() + 1, args.end(),
                         [&](const char* a) { return std::string(a).rfind(cle, 0) == 0; }))
            args.push_back(const_cast<char*>(d.c_str()));
    }
    // Every benchmark at both sizes, in real time (saving waits for the disk).
    const std::vector<std::pair<const char*, void (*)(benchmark::State&)>> bancs = {
        {"BM_Base", BM_Base},
        {"BM_BaseClients", BM_BaseClients},
        {"BM_Charge", BM_Charge},
        {"BM_VerifReconstruction", BM_VerifReconstruction},
        {"BM_Doublons", BM_Doublons},
        {"BM_Sauve", BM_Sauve},
        {"BM_SauveConfirmee", BM_SauveConfirmee},
        {"BM_SauveMemoire", BM_SauveMemoire},
        {"BM_EcritEtSuivant", BM_EcritEtSuivant},
        {"BM_Ajout", BM_Ajout},
        {"BM_Numerof", BM_Numerof},
        {"BM_NumerofApresChangement", BM_NumerofApresChangement},
        {"BM_SupprimeRenum", BM_SupprimeRenum},
        {"BM_FactCliCode", BM_FactCliCode},
        {"BM_FactCliNom", BM_FactCliNom},
        {"BM_FactCliApresChangement", BM_FactCliApresChangement},
        {"BM_InitFicheClients", BM_InitFicheClients},
        {"BM_Liste", BM_Liste},
        {"BM_Chercher", BM_Chercher},
        {"BM_Journal", BM_Journal},
    };
    for (const auto& [nom, fonction] : bancs)
        benchmark::RegisterBenchmark(nom, fonction)
            ->Arg(Petit)
            ->Arg(Grand)
            ->UseRealTime()
            ->Unit(benchmark::kMillisecond);
    int n = static_cast<int>(args.size());
    benchmark::Initialize(&n, args.data());
    if (benchmark::ReportUnrecognizedArguments(n, args.data())) return 1;
    Releve releve;
    benchmark::RunSpecifiedBenchmarks(&releve);
    ImprimeTableau(releve);
    benchmark::Shutdown();
    return 0;
}
