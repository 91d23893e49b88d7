// The small data files, read from and written to a folder in memory: the
// settings, the glossary with its expansion, the company lines, the note, the
// client list through the card's Init and Result. Invariants: what the program
// writes, read and written again, gives the same bytes.
#include "book/glossaire.h"
#include "book/reglages.h"
#include "book/societe.h"
#include "clients/recherche.h"
#include "clients/table_clients.h"
#include "common/texte.h"
#include "essaie.h"
#include "support/plateforme_fausse.h"
#include "utilities/bloc_notes.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cstdint>
#include <cstdlib>

using namespace kyr;
using fuzz::Essaie;

namespace {

const QTemporaryDir& Dossier() {
    // tmpfs when there is one: the safe writer's flush costs nothing there.
    static const QTemporaryDir d(QDir(QStringLiteral("/dev/shm")).exists()
                                     ? QStringLiteral("/dev/shm/kyrfuzz-XXXXXX")
                                     : QDir::tempPath() + QStringLiteral("/kyrfuzz-XXXXXX"));
    return d;
}

QString Chemin(const char* nom) {
    return Dossier().filePath(QString::fromLatin1(nom));
}

void EcritBrut(const QString& chemin, std::string_view octets) {
    QFile f(chemin);
    if (!f.open(QIODevice::WriteOnly)) std::abort();
    f.write(octets.data(), static_cast<qint64>(octets.size()));
}

// Written, read and written again: the same bytes.
template <class Lit, class Ecrit> void PointFixe(const char* nom, Lit lit, Ecrit ecrit) {
    const QString chemin = Chemin(nom);
    bool ok = false;
    Essaie([&] {
        lit(chemin);
        ecrit(chemin);
        ok = true;
    });
    if (!ok) return;
    const auto premier = LitOctets(chemin);
    lit(chemin);
    ecrit(chemin);
    if (LitOctets(chemin) != premier) std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view octets(reinterpret_cast<const char*>(data), size);

    EcritBrut(Chemin("KyrFact.ini"), octets);
    Reglages r;
    PointFixe(
        "KyrFact.ini", [&](const QString& c) { ChargeIni(r, c); },
        [&](const QString& c) { SauveIni(r, r.DernierLivre, c); });

    EcritBrut(Chemin("Fact.Glo"), octets);
    Lignes glossaire;
    PointFixe(
        "Fact.Glo", [&](const QString& c) { ChargeGlo(glossaire, c); },
        [&](const QString& c) { SauveGlo(glossaire, c); });
    for (const Lignes& cellules : {Lignes{""}, DecoupeLignes(octets)})
        for (const std::string& cellule : cellules) {
            const auto e = Expansion(glossaire, cellule);
            if (e && e->size() > 255) std::abort();
        }

    EcritBrut(Chemin("Fact.soc"), octets);
    LignesSociete societe;
    PointFixe(
        "Fact.soc", [&](const QString& c) { ChargeSoc(societe, c); },
        [&](const QString& c) { SauveSoc(societe, c); });

    const std::string note = NoteDepuisFichier(octets);
    if (NoteDepuisFichier(NoteVersFichier(note)) != note) std::abort();

    test::PlateformeFausse p;
    TableClients carte(p);
    carte.Init(DecoupeLignes(octets));
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
