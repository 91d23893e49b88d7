#pragma once
// The two files the electronic invoice adds to the program's folder, beside
// Fact.cli and Fact.soc (which stay as they are): the seller's data, asked
// once, and the buyers remembered by client code; and beside each book, the
// documents' own data. Windows-1252 text, one "key=value" a line; the buyers
// file opens each client with "[code]", the documents' file each document
// with "[<kind letter> <number>]".
#include "book/fiche.h"
#include "common/texte.h"
#include "einvoice/tiers.h"

#include <QString>
#include <map>
#include <optional>
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

// What an export chose for one document beyond the book: the nature of its
// operation and its delivery address (none: the buyer's).
struct DonneesDocument {
    std::optional<Cadre> Nature;
    std::optional<AdresseLivraison> Livraison;
    bool operator==(const DonneesDocument&) const = default;
};
using DonneesDocuments = std::map<std::string, DonneesDocument>; // by CleDocument

// The documents' file of a book: "livre.fct" -> "livre.fxd" in its folder,
// so that the book's own format stays as it is; empty for a book without a file.
QString CheminDonneesDocuments(const QString& livre);
// A document by its kind and number ("F 202603001", "A 202603002"), which do
// not change when other documents are deleted, as its block number does;
// empty for a quote or a document without a number.
std::string CleDocument(const Fiche& f);

bool ChargeDonneesDocuments(DonneesDocuments& d, const QString& chemin);
void SauveDonneesDocuments(const DonneesDocuments& d, const QString& chemin);
void LitDonneesDocuments(DonneesDocuments& d, const Lignes& lignes);
Lignes LignesDonneesDocuments(const DonneesDocuments& d);

} // namespace kyr
