#pragma once
// The register of issued documents: a text file beside the book ("livre.fct"
// -> "livre.emis") recording, in order, each invoice and credit note the
// first time it left the program (printed, exported to PDF or as an
// e-invoice), then each change of its paid mark. An entry carries the
// document's totals, a digest of its fixed content and a digest chained over
// the entry before it, so that an entry removed or changed shows. The book's
// own format is untouched: a book without a register works as before.
//
// The file, Windows-1252 (ASCII in practice), CR LF:
//   KYR FACTURE;REGISTRE DES DOCUMENTS EMIS;1
//   one line per entry, 15 fields separated by ";" (see TexteEntree)
//   FIN;<number of entries>;<chain digest of the last entry>
#include "book/fiche.h"
#include "book/reglages.h"
#include "common/texte.h"

#include <QDateTime>
#include <QString>
#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace kyr {

// "livre.fct" -> "livre.emis" (any case of ".fct"; another name gets ".emis" added).
QString NomRegistre(const QString& livre);

enum class Evenement { Emission, Payee, NonPayee };

struct TvaRegistre {
    std::string Taux, Base, Montant; // "20,6", "1000,00", "206,00"
    bool operator==(const TvaRegistre&) const = default;
};

struct EntreeRegistre {
    QDateTime Moment; // when it was issued, or when the payment was marked
    Evenement Quoi = Evenement::Emission;
    char Genre = 'F';         // 'F' invoice, 'A' credit note
    std::string Numero;       // digits, without blanks
    std::string DateDocument; // "dd/mm/yyyy"
    std::string CodeClient;
    std::string HT, TTC;            // the window's totals
    std::array<TvaRegistre, 3> Tva; // VAT codes 1..3
    std::string Empreinte;          // SHA-256 of the fixed content (EmpreinteFixe), hex
    // A credit note made from an invoice: that invoice's number and date.
    std::string FactureCorrigee, DateFactureCorrigee;
    std::string Chaine; // SHA-256 over the previous entry's and this one's text, hex
    bool operator==(const EntreeRegistre&) const = default;
};

// A document as the register names it: the first letter of its kind and its
// number without blanks. Never its block number, which changes when an
// earlier document is deleted.
struct RefDocument {
    char Genre = 'F';
    std::string Numero;
    bool operator==(const RefDocument&) const = default;
};

// The bytes the fixed-content digest is taken over, each line ended by CR LF:
//   NUMERO;<number, trimmed>      DATE;<dd/mm/yyyy>      CLIENT;<client code>
//   GENRE;<kind, trimmed>         ADRESSE;<line> (four)  PRIX;HT or PRIX;TTC
//   LIGNE;<designation>TAB<quantity>TAB<unit price>TAB<discount>TAB<VAT code>
// one LIGNE per document line, the figures trimmed as the calculation leaves
// them (the price with two decimals, an empty VAT code "1"), the amount left
// out (it follows from the others); rows of three characters or fewer in all,
// which storing drops, are left out too. Not the paid mark, the memo, the
// payment terms.
std::string ContenuFixe(const Fiche& calculee);
std::string EmpreinteFixe(const Fiche& calculee); // its SHA-256, 64 lower-case hex digits

// One entry as its line: the 14 fields and the ";" before the chain, then the chain.
//   date;time;event;kind;number;document date;client;HT;code 1;code 2;code 3;TTC;
//   fixed digest;corrected invoice;chain
// date "dd/mm/yyyy", time "hh:mm:ss", event EMISSION, PAYEE or NON PAYEE, kind F
// or A, a VAT code "rate|base|VAT" ("20,6|1000,00|206,00"), the corrected
// invoice "number|dd/mm/yyyy" or empty; the client code has its bytes below 32
// or above 126 and ";", "|", "%" written %XX. The chain is the SHA-256 of the
// previous entry's chain (64 "0" for the first) followed by the text before it.
std::string TexteEntree(const EntreeRegistre& e); // without the chain
std::string LigneEntree(const EntreeRegistre& e); // TexteEntree + Chaine
std::optional<EntreeRegistre> LitEntree(std::string_view ligne);
std::string ChaineApres(const std::string& precedente, const EntreeRegistre& e);

// The register file as read: its lines, the entries that read, and what is
// wrong with the file itself (in French, one sentence each).
struct LectureRegistre {
    bool Existe = false;
    Lignes Lignes_;
    std::vector<EntreeRegistre> Entrees;
    std::vector<QString> Defauts;
};
// Throws ErreurExecution::LectureFichier when the file exists but cannot be read.
LectureRegistre LitRegistre(const QString& chemin);

class Registre {
public:
    // The register of the book `livre` (its file may be missing: no entry).
    // Never throws: a file that cannot be read is one of its defects.
    void Charge(const QString& livre);
    void Vide(); // a new book: no file yet
    const QString& Chemin() const { return m_chemin; }
    bool Existe() const { return m_existe; }
    bool Vierge() const { return m_entrees.empty(); }
    const std::vector<EntreeRegistre>& Entrees() const { return m_entrees; }
    const std::vector<QString>& Defauts() const { return m_defauts; }

    // The issue of a document, nullptr when it was never issued.
    const EntreeRegistre* Emission(char genre, std::string_view numero) const;
    // Its paid mark as the register last recorded it.
    bool Payee(char genre, std::string_view numero) const;

    // Appends entries (their chains are made here) to the file of the book
    // `livre`, read again first: another copy of the program may have added
    // to it since. Throws ErreurExecution::CreationFichier (or LectureFichier)
    // with the register unchanged.
    void Ajoute(const QString& livre, std::vector<EntreeRegistre> entrees);
    // The book was saved under a new name: the register goes with it.
    void Renomme(const QString& livre);

private:
    void Indexe();
    QString m_chemin;
    bool m_existe = false;
    Lignes m_lignes;
    std::vector<EntreeRegistre> m_entrees;
    std::vector<QString> m_defauts;
    std::unordered_map<std::string, std::size_t> m_emissions; // "F202603001" -> entry
    std::unordered_map<std::string, bool> m_payees;
};

} // namespace kyr
