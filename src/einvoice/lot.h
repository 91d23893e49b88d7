#pragma once
// "Exporter les factures de la période...": every invoice and credit note of
// a period exported in one run, one file each named "<kind> <number>.<ext>",
// in one format. Nothing is asked per document: the buyers remembered in
// Fact.fxa serve, and a document that lacks something is reported with the
// reason instead of being written. A file already in the folder is replaced
// only when the one question of the run says so. Each file goes through the
// safe writer: a folder that fails stops the run, and the files already
// written are complete.
#include "einvoice/export_facturx.h"
#include "lists/journal.h"

#include <QDate>
#include <QString>
#include <QStringList>
#include <functional>
#include <string>
#include <vector>

namespace kyr {

struct DemandeLot {
    QDate Du, Au; // both included
    QString Dossier;
    FormatFE Format = FormatFE::FacturX;
};

// What the run reads: the book as it stands and the program's files as read.
struct SourcesLot {
    const Lignes& Livre;
    const Reglages& R;
    const LignesSociete& Societe;
    const Vendeur& Vend;
    const Acheteurs& Memorises;
    // What the documents' last single exports chose (nature, delivery
    // address), beside the book; none: the seller's setting.
    const DonneesDocuments* Documents = nullptr;
};

// The answer to the one question of the run, when files of its names are
// already in the folder.
enum class Remplacement { Remplacer, Garder, Annuler };

struct OutilsLot {
    EcritureFacturX FacturX; // the page and its PDF/A-3; empty, Factur-X is not offered
    LargeurTexteFn Mesure;   // the text widths the page's figures are laid out with
    // Called before each document (fait of total, "Facture 202609001") and
    // once at the end (an empty name); false stops the run there.
    std::function<bool(int fait, int total, const QString& document)> Progression;
    // The files of the folder the run would replace (their names); empty: keep them.
    std::function<Remplacement(const QStringList& existants)> Remplace;
    // Issues the documents about to be written, all at once before the first
    // file (one save of the book, one writing of the register); empty: nothing
    // to record.
    Emission Emet;
};

struct DocumentLot {
    int Bloc = -1;
    QString Genre;   // "Facture", "Avoir"
    QString Numero;  // as the book holds it
    QDate Date;      // invalid when unreadable
    QString Fichier; // the file's name in the folder (empty when it has none)
    bool Ecrit = false;
    bool NonTraite = false; // the run stopped before it
    QString Raison;         // why it was not written
    QString Remarque;       // written, with something to know
};

struct RapportLot {
    DemandeLot Demande;
    std::vector<DocumentLot> Documents; // the invoices and credit notes of the period
    QString Arret; // why the run stopped before its end; empty when it went through
    int Ecrits() const;
    int NonEcrits() const { return static_cast<int>(Documents.size()) - Ecrits(); }
    int NonTraites() const;
    // Every invoice and credit note of the period was written.
    bool Complet() const { return Arret.isEmpty() && NonEcrits() == 0; }
};

RapportLot ExporteLot(const SourcesLot& sources, const DemandeLot& demande,
                      const OutilsLot& outils);

// The report's first lines: what was written where, how many could not be,
// how many the run did not reach and why it stopped; then one line a
// document that could not be written, and one a document written with a
// remark, its reason after it.
QString ResumeRapport(const RapportLot& r);
QString LigneDocument(const DocumentLot& d);
QString TexteRapport(const RapportLot& r);

} // namespace kyr
