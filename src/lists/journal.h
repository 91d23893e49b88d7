#pragma once
// The sales journal: the invoices and credit notes of the book with the figures
// the invoice window shows for each of them, selected by period, and their
// totals by VAT code as the monthly or quarterly VAT return asks for them.
// Quotes are not sales and never appear. The journal only reads the book.
#include "book/reglages.h"
#include "common/reel6.h"
#include "common/texte.h"

#include <QDate>
#include <QString>
#include <QStringList>
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace kyr {

// An amount in cents. The journal adds the figures as each document shows them,
// rounded to the cent, so that its totals agree with the documents to the cent.
using Centimes = std::int64_t;
// "1234,50", "-0,05": the program's amount text, decimal comma, no separator.
std::string TexteCentimes(Centimes c);

enum class SorteVente { Facture, Avoir };

// A sale as counted. A credit note reduces the totals whatever the sign of its
// lines: it counts as minus the absolute value of its total TTC, and its other
// figures take the same sign change, so that H.T. + TVA still gives the TTC.
struct VenteJournal {
    int Bloc = 0;
    QDate Date;
    SorteVente Sorte = SorteVente::Facture;
    std::string Numero; // without its blanks
    std::string CodeClient, NomClient;
    bool Payee = false;
    Centimes HT = 0, TVA = 0, TTC = 0;
    std::array<Centimes, 4> BaseCode{}, TVACode{}; // before tax and VAT of codes 1..3
};

// A document that cannot be counted (unreadable date, number that is no number,
// unknown kind, a line whose figures do not read, a calculation error): listed
// apart with the reason, never silently left out.
struct DocumentEcarte {
    int Bloc = 0;
    QDate Date;            // invalid when the date cannot be read
    std::string TexteDate; // the date line as it stands
    std::string Genre, Numero, CodeClient, NomClient;
    bool Payee = false;
    QString Raison;
};

// A received invoice as the journal counts its deductible VAT, by its
// invoice date. The journal reads no received file: the window that opens it
// hands these figures in. `Ecartee` says why one is not counted (a doublon,
// another currency than the euro); empty when it is.
struct TvaDeductible {
    std::int64_t Taux = 0; // in 1/10 000 percent (200000 = 20 %)
    Centimes Base = 0, TVA = 0;
    bool operator==(const TvaDeductible&) const = default;
};
struct AchatJournal {
    QDate Date;
    bool Avoir = false;
    std::vector<TvaDeductible> Tva; // as the invoice writes them
    QString Ecartee;
};

struct Journal {
    std::vector<VenteJournal> Ventes;    // by date, then number
    std::vector<DocumentEcarte> Ecartes; // by block number
    std::vector<AchatJournal> Achats;    // received invoices, any order
};

// Reads every document of the book in one pass, each computed as the invoice
// window computes it with these settings.
Journal LitJournal(const Lignes& livre, const Reglages& r);

// The period choices, relative to today.
enum class Periode {
    MoisCourant,
    MoisPrecedent,
    TrimestreCourant,
    TrimestrePrecedent,
    AnneeCourante,
    AnneePrecedente,
    Tout
};
struct Bornes {
    QDate Du, Au; // both included
};
// "Tout" runs from the first to the last dated document (today when none).
Bornes BornesPeriode(Periode p, const QDate& aujourdhui, const Journal& j);

struct Selection {
    QDate Du, Au; // both included
    bool NonPayees = false;
};

struct TotauxJournal {
    Centimes HT = 0, TVA = 0, TTC = 0;
    std::array<Centimes, 4> BaseCode{}, TVACode{}; // codes 1..3
    std::array<Reel6, 4> Taux{};                   // the settings' rates 1..3
    Centimes NonPaye = 0;                          // TTC of the unpaid ones
    // With received invoices: their VAT by rate (highest first; a received
    // credit note counts negative), its total and the net VAT.
    bool AvecAchats = false;
    std::vector<TvaDeductible> Deductible;
    Centimes TVADeductible = 0, TVANette = 0;
    int AchatsComptes = 0, AchatsEcartes = 0; // in the period
};

// The numbering of the period's invoices and credit notes, which share one
// series: the numbers of the series missing from the book (each month's
// counter from 001 up to the period's highest number of that month), and the
// numbers that more than one document of the book carries.
struct Numerotation {
    struct Trou {
        std::int64_t Du = 0, Au = 0; // both included
        bool operator==(const Trou&) const = default;
    };
    std::vector<Trou> Manquants;
    struct Double {
        std::int64_t Numero = 0;
        int Fois = 0;
        bool operator==(const Double&) const = default;
    };
    std::vector<Double> EnDouble;
};

// What the window, the export and the printed journal show. The pointers are
// into the Journal, which must outlive the view.
struct VueJournal {
    Selection Choix;
    std::vector<const VenteJournal*> Ventes;
    std::vector<const DocumentEcarte*> Ecartes; // those of the period, and every undated one
    TotauxJournal Totaux;
    Numerotation Numeros; // of the period, whatever the unpaid filter
};
VueJournal Selectionne(const Journal& j, const Selection& s, const Reglages& r);

// Texts shared by the window, the export and the printed journal.
QString TexteGenre(SorteVente s);         // "Facture", "Avoir"
QString TexteTaux(Reel6 taux);            // "20,6 %"
QString TextePeriode(const Selection& s); // "du 01/01/2000 au 31/01/2000"
// "Numéros manquants : 202603004, 202603006 à 202603008", "Numéros en double :
// 202603001 (2 documents)", or the one line saying the series is whole.
QStringList TexteNumerotation(const Numerotation& n);
inline const char* const TitreJournal = "Journal des ventes";
// The net VAT's rows, for the window, the export and the print: "TVA
// déductible 20 %" (base, VAT) for each rate, then the VAT collected, the VAT
// deductible and the net VAT (no base). `tiret` stands between the two VATs:
// "−" on screen and in the CSV, "–" on the 8-bit printed page.
struct RangeeTva {
    QString Libelle;
    std::optional<Centimes> Base;
    Centimes TVA = 0;
};
std::vector<RangeeTva> RangeesTvaNette(const TotauxJournal& t, const QString& tiret);

// The view as a CSV file for French spreadsheets: UTF-8 with a byte order mark,
// semicolons, decimal comma, dates dd/mm/yyyy, a header row, CR LF line ends;
// then the totals, then the documents not counted.
std::string TexteCSV(const VueJournal& v);
// Writes it through the safe writer: ErreurExecution::CreationFichier on failure.
void ExporteCSV(const QString& chemin, const VueJournal& v);

} // namespace kyr
