#pragma once
// The invoice glossary and its file Fact.Glo: one "abbreviation TAB expansion"
// line per entry.
#include "common/texte.h"

#include <QString>
#include <optional>
#include <string>

namespace kyr {

inline const QString NomFichierGlossaire = QStringLiteral("Fact.Glo");

// Replaces the list by the file's lines when the file exists; false otherwise.
bool ChargeGlo(Lignes& glossaire, const QString& chemin = NomFichierGlossaire);
// Writes the whole list (throws ErreurExecution::CreationFichier on failure).
void SauveGlo(const Lignes& glossaire, const QString& chemin = NomFichierGlossaire);

// The expansion of the first entry whose abbreviation (before the first TAB,
// in capitals) equals the cell text in capitals; at most 255 characters.
std::optional<std::string> Expansion(const Lignes& glossaire, const std::string& cellule);

} // namespace kyr
