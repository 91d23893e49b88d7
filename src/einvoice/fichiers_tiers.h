#pragma once
// The two files the electronic invoice adds to the program's folder, beside
// Fact.cli and Fact.soc (which stay as they are): the seller's data, asked
// once, and the buyers remembered by client code. Windows-1252 text, one
// "key=value" a line; the buyers file opens each client with "[code]".
#include "common/texte.h"
#include "einvoice/tiers.h"

#include <QString>
#include <map>
#include <string>

namespace kyr {

inline const QString NomFichierVendeur = QStringLiteral("Fact.fxv");
inline const QString NomFichierAcheteurs = QStringLiteral("Fact.fxa");

using Acheteurs = std::map<std::string, Acheteur>; // by client code

// Read the file when it exists (false, values untouched, when it does not);
// lines that are not "key=value" are passed over. A file that exists but
// cannot be read throws ErreurExecution::LectureFichier.
bool ChargeVendeur(Vendeur& v, const QString& chemin = NomFichierVendeur);
bool ChargeAcheteurs(Acheteurs& a, const QString& chemin = NomFichierAcheteurs);
// Write the whole file through the safe writer (the old file stays intact on
// failure, ErreurExecution::CreationFichier).
void SauveVendeur(const Vendeur& v, const QString& chemin = NomFichierVendeur);
void SauveAcheteurs(const Acheteurs& a, const QString& chemin = NomFichierAcheteurs);

// What the four above read and write, as the file's lines.
void LitVendeur(Vendeur& v, const Lignes& lignes);
void LitAcheteurs(Acheteurs& a, const Lignes& lignes);
Lignes LignesVendeur(const Vendeur& v);
Lignes LignesAcheteurs(const Acheteurs& a);

} // namespace kyr
