#pragma once
// The received invoices of a book: kept unchanged, byte for byte, in a folder
// beside it (livre.fct -> livre.recues/), with an index of one line an
// invoice holding what the list and the journal show, so that opening the
// list reads one small file rather than every invoice. The index is a
// Windows-1252 text file with CR LF ends, written through the safe writer;
// nothing is ever deleted from the folder.
#include "common/texte.h"
#include "recues/controles_recus.h"
#include "recues/facture_recue.h"

#include <QDateTime>
#include <QString>
#include <string>
#include <vector>

namespace kyr {

inline const QString NomIndexRecues = QStringLiteral("index.txt");

// The folder beside the book: "/a/livre.fct" -> "/a/livre.recues".
QString DossierRecues(const QString& cheminLivre);

enum class EtatRecue { Conforme, AVerifier, Doublon };
QString TexteEtat(EtatRecue e); // "conforme", "à vérifier", "doublon"

struct TvaParTaux {
    std::int64_t Taux = 0; // 1/10 000 percent
    Centimes Base = 0, Montant = 0;
    bool operator==(const TvaParTaux&) const = default;
};

struct EntreeRecue {
    QString Fichier; // its name in the folder
    FormatRecu Format = FormatRecu::CII;
    Profil Prof = Profil::Inconnu;
    bool Avoir = false;
    QString Numero;
    QDate Date;
    QString IdFournisseur, Fournisseur;
    QString Devise;
    Centimes HT = 0, TVA = 0, TTC = 0, NetAPayer = 0;
    QDate Echeance;
    EtatRecue Etat = EtatRecue::Conforme;
    QString Recue; // when it was imported, "dd/mm/yyyy hh:mm:ss" as the index writes it
    std::vector<TvaParTaux> Tva; // by rate, in the invoice's figures (signs as written)
    bool operator==(const EntreeRecue&) const = default;
};

struct RegistreRecues {
    std::vector<EntreeRecue> Entrees; // in the order they were received
    Lignes Illisibles; // index lines that do not read: kept as they are, written back
};

// The supplier's identifier the program files the invoice under: its SIREN
// or legal registration, else its VAT number, its identifier, its electronic
// address, its name.
QString IdentifiantFournisseur(const FactureRecue& f);
// What the list shows of an invoice; its state from the checks.
EntreeRecue EntreeDe(const FactureRecue& f, const std::vector<Constat>& constats);

// The index of the folder (no index: an empty register). A file that exists
// but cannot be read throws ErreurExecution::LectureFichier.
RegistreRecues ChargeRegistre(const QString& dossier);
// The index's lines and back (exposed for the tests and the fuzz target).
Lignes LignesIndex(const RegistreRecues& r);
RegistreRecues LitIndex(const Lignes& lignes);

// A text of the index: characters without a Windows-1252 byte, the tab, the
// line ends and "&" are written "&#x...;", so that nothing is lost and every
// line keeps its fields. `echappes` receives the characters so written (but
// "&" and the blanks), to be told to the user.
std::string TexteIndex(const QString& t, QString* echappes = nullptr);
QString DepuisTexteIndex(std::string_view t);

enum class Issue { Gardee, DejaRecue, Doublon };
struct Importation {
    Issue Resultat = Issue::Gardee;
    EntreeRecue Entree;
    QString Message; // French, for the user
};

// Keeps the file's bytes in the folder (created when missing) under a name
// of the supplier's identifier and the invoice's number, adds its line to
// the register and writes the index. The same supplier, number, date and
// total already there: "déjà reçue", nothing stored. The same supplier and
// number with other figures: kept and marked doublon. Throws
// ErreurExecution when the folder, the file or the index cannot be written
// (the register then holds what the index holds).
Importation Importe(RegistreRecues& r, const QString& dossier, const QByteArray& octets,
                    const QString& extension, const FactureRecue& f,
                    const std::vector<Constat>& constats, const QDateTime& maintenant);

} // namespace kyr
