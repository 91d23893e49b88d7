#pragma once
// The figures of the monthly or quarterly VAT return (form 3310-CA3) as a
// business reads them off its documents: for each rate the base and the VAT
// collected, the VAT deductible on the received invoices, the net VAT due or
// the credit. A sale counts in the period its VAT is due in: goods at the
// invoice date; services when the payment is received, unless the seller
// opted for debits or the program knows no payment dates.
#include "book/reglages.h"
#include "comptabilite/chiffres.h"
#include "comptabilite/sources.h"
#include "lists/journal.h"

#include <QDate>
#include <QString>
#include <vector>

namespace kyr {

struct PeriodeTVA {
    QDate Du, Au; // both included
};
PeriodeTVA PeriodeMois(int annee, int mois);
PeriodeTVA PeriodeTrimestre(int annee, int trimestre); // 1..4

// Why a sale counts in the period, or not yet. A document of services marked
// paid in the book whose payment date the program does not know (paid before
// the dates were kept) counts at its invoice date rather than never.
enum class Exigibilite { DateFacture, Encaissement, PayeeSansDate, EnAttente };

struct VenteDeclaree {
    VenteJournal Vente;
    NatureOperation Nature = NatureOperation::Services;
    Exigibilite Motif = Exigibilite::DateFacture;
    QDate Date; // the date its VAT is due: invoice or payment date; invalid when waiting
    ChiffresVente Chiffres; // in euros
};

struct AchatDeclare {
    Achat Document;
    ChiffresAchat Chiffres;
};

// One rate of the return: the VAT codes of the settings that have it.
struct TauxDeclare {
    Reel6 Taux = 0;
    std::vector<int> Codes;
    QString LigneCA3; // "08", "09", "9B"; empty for another rate
    Centimes Base = 0, TVA = 0;
};

struct DeclarationTVA {
    PeriodeTVA Periode;
    std::vector<TauxDeclare> Taux; // the highest rate first
    Centimes BaseTotale = 0;
    Centimes TVABrute = 0;      // line 16
    Centimes TVADeductible = 0; // lines 20 and 23
    Centimes Net = 0;           // TVABrute - TVADeductible: due (line 28) or credit (line 25)
    std::vector<VenteDeclaree> Ventes;    // counted, by the date retained
    std::vector<AchatDeclare> Achats;     // counted, by date
    std::vector<VenteDeclaree> EnAttente; // services invoiced by the end of the period, not paid
    std::vector<DocumentEcarte> Ecartes;  // of the period (and undated): counted for nothing
    std::vector<std::pair<Achat, QString>> AchatsEcartes;
    bool DatesFacture = false; // no payment dates known: services counted at the invoice date
    bool OptionDebits = false;
    bool Francs = false;
    bool SansAchats = false; // no received document at all
};

DeclarationTVA Declare(const Journal& j, const SourcesCompta& s, const Reglages& r,
                       const PeriodeTVA& p);

// The notes shown above the figures: the period, the rule applied to
// services, the conversion from francs.
QStringList NotesDeclaration(const DeclarationTVA& d);
QString TexteMotif(const VenteDeclaree& v); // "biens : date de facture", "encaissé le 05/04/2026"
// As the window, the page and the CSV write them: "1234,50", "05/04/2026" (empty: no date).
QString TexteMontantDeclare(Centimes c);
QString TexteDateDeclaree(const QDate& d);
// The three VAT codes' figures together (index 0 is unused).
inline Centimes SommeCodes(const std::array<Centimes, 4>& a) {
    return a[1] + a[2] + a[3];
}
inline const char* const TitreDeclaration = "D\xE9"
                                            "claration de TVA";

// The return as a CSV file (the sales journal's conventions): the figures,
// then the documents counted, waiting and left out.
std::string TexteCSV(const DeclarationTVA& d);
void ExporteCSV(const QString& chemin, const DeclarationTVA& d);

} // namespace kyr
