#pragma once
// The client list held by the invoice window, mirror of the file Fact.cli.
#include "common/texte.h"

#include <QString>

namespace kyr {

inline const QString NomFichierClients = QStringLiteral("Fact.cli");

struct ListeClients {
    Lignes Lignes_; // the file's lines, in order
    bool ClientsModifies = false;
};

// ChargeCli: replaces the lines by the file's when it exists; clears the flag.
void ChargeCli(ListeClients& l, const QString& chemin = NomFichierClients);
// SauveCli: writes the file when the flag is set, then clears it. Throws
// ErreurExecution::CreationFichier on failure (flag left set, file intact).
void SauveCli(ListeClients& l, const QString& chemin = NomFichierClients);

} // namespace kyr
