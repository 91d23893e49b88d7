#pragma once
// The company heading: seven lines, file Fact.soc.
#include "common/texte.h"

#include <QString>
#include <array>
#include <string>

namespace kyr {

using LignesSociete = std::array<std::string, 7>;
inline const QString NomFichierSociete = QStringLiteral("Fact.soc");

// Reads at most seven lines into lines 1..7; false when the file does not exist.
bool ChargeSoc(LignesSociete& societe, const QString& chemin = NomFichierSociete);
// The same from the file's lines.
void LitSoc(LignesSociete& societe, const Lignes& lignes);
// Writes the seven lines (throws ErreurExecution::CreationFichier on failure).
void SauveSoc(const LignesSociete& societe, const QString& chemin = NomFichierSociete);

} // namespace kyr
