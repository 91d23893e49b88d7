#pragma once
// The client list held by the invoice window, mirror of the file Fact.cli.
#include "common/texte.h"

#include <QString>

namespace kyr {

inline const QString NomFichierClients = QStringLiteral("Fact.cli");

struct ListeClients {
    Lignes Lignes_; // the file's lines, in order
    bool ClientsModifies = false;
    // The file exists but could not be read: the list does not hold its
    // clients, so it must never be written over it.
    bool Illisible = false;
};

// ChargeCli: replaces the lines by the file's when it exists; clears the flag.
// Throws ErreurExecution::LectureFichier when the file cannot be read (the
// list keeps what it held and is marked Illisible).
void ChargeCli(ListeClients& l, const QString& chemin = NomFichierClients);
// SauveCli: writes the file when the flag is set, then clears it. Throws
// ErreurExecution::CreationFichier on failure, and refuses to replace a file
// that could not be read (flag left set, file intact in both cases).
void SauveCli(ListeClients& l, const QString& chemin = NomFichierClients);

} // namespace kyr
