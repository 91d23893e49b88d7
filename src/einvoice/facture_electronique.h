#pragma once
// The EN 16931 invoice built from the shown document: its lines, VAT
// breakdown and totals in exact cents by the standard's rules (line net
// amounts; VAT per rate on the sum of the lines of that rate, rounded once;
// totals that add up), and every reason no valid e-invoice can be made from it.
#include "book/calcul.h"
#include "book/fiche.h"
#include "book/reglages.h"
#include "book/societe.h"
#include "einvoice/montants.h"
#include "einvoice/tiers.h"

#include <QDate>
#include <QString>
#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace kyr {

// What the export asks besides the seller and the buyer.
struct Complements {
    QDate Echeance;              // due date (the payment date of a paid invoice)
    QDate Livraison;             // date of the delivery or of the service; none: the document's
    std::string FactureCorrigee; // a credit note: the number of the invoice it corrects
    QDate DateFactureCorrigee;   // and its date
    std::optional<Cadre> Nature; // goods, services or both; none: the seller's setting
    // The delivery address; none, or the buyer's own: the buyer's.
    std::optional<AdresseLivraison> LieuLivraison;
};

enum class Categorie { Normale, Nulle, Exoneree }; // VAT categories S, Z, E

struct LigneFE {
    int Numero = 0;
    std::string Designation, Description; // 8-bit
    std::int64_t Quantite = 0;            // in 1/10 000
    std::int64_t PrixNet = 0;             // before tax, in 1/1 000 000 of a euro, >= 0
    Centimes Brut = 0;                    // quantity x price when a discount applies
    std::int64_t Remise = 0;              // discount percent in 1/10 000, 0 when none
    Centimes MontantRemise = 0;           // Brut - Montant
    Centimes Montant = 0;                 // line net amount before tax
    Categorie Cat = Categorie::Normale;
    int Taux = 0; // in 1/100 percent (2000 = 20 %)
};

struct TvaFE {
    Categorie Cat = Categorie::Normale;
    int Taux = 0;
    Centimes Base = 0, Montant = 0;
};

// A total of the e-invoice that differs from the invoice window's caption.
struct Ecart {
    QString Libelle; // "Total H.T.", "Total TVA", "Total TTC"
    Centimes Regle = 0, Fenetre = 0;
};

struct FactureElectronique {
    std::string Numero; // digits
    bool Avoir = false;
    std::string CodeClient; // the buyer's code in the book
    QDate Date;
    Complements Autres;             // LieuLivraison left only when it differs from the buyer's
    Cadre Nature = Cadre::Services; // the operation: the document's, else the seller's
    bool TvaSurDebits = false;      // VAT due on the invoice's date (the seller's option)
    std::string Conditions;         // payment terms text
    std::vector<std::string> Notes; // text lines before the first priced line, the memo
    std::string NomVendeur;
    Vendeur Vend;
    Acheteur Ach;
    std::vector<LigneFE> Lignes;
    std::vector<TvaFE> Tva;
    Centimes TotalLignes = 0, TotalTVA = 0, TotalTTC = 0, DejaPaye = 0, NetAPayer = 0;
    bool Payee = false;
    std::vector<Ecart> Ecarts; // against the window's captions
};

// Why the document cannot become an e-invoice, in a sentence that says what to change.
struct Refus {
    QString Message;
};

// The rates in force in France, in 1/100 percent (mainland, Corsica, overseas).
bool TauxEnVigueur(int taux);

// Builds the e-invoice from the document `f` as the window shows it (its
// total captions are compared with the rules' totals), the settings, the
// company lines (line 1 is the seller's name), the seller, the buyer and the
// complements. Refuses a quote, a book in francs, a rate not in force, missing
// or wrong seller or buyer data, an empty document, unreadable line figures.
std::variant<FactureElectronique, Refus> Construit(const Fiche& f, const Reglages& r,
                                                   const LignesSociete& societe,
                                                   const Vendeur& vendeur, const Acheteur& acheteur,
                                                   const Complements& autres);

// The refusal of Construit that depends on neither the buyer nor the
// complements (checked before they are asked); empty when there is none.
QString RefusDocument(const Fiche& f, const Reglages& r, const LignesSociete& societe,
                      const Vendeur& vendeur);

// The refusals that hold for every document alike (a book in francs, the
// seller's name or data missing); empty when there is none.
QString RefusLivre(const Reglages& r, const LignesSociete& societe, const Vendeur& vendeur);

// What is missing or wrong in the seller's data; empty when complete.
QString VerifieVendeur(const Vendeur& v);
// The same for a buyer (a business needs its SIREN when French).
QString VerifieAcheteur(const Acheteur& a);

// The same for a delivery address.
QString VerifieLivraison(const AdresseLivraison& l);
// True when the delivery address is the buyer's own (blanks and case aside).
bool MemeAdresse(const AdresseLivraison& l, const Acheteur& a);

// Whether the seller's option for VAT on debits applies to an operation.
bool TvaSurDebits(const Vendeur& v, Cadre nature);

// The due date the payment terms give: "... 30 jours" the date plus 30 days
// ("fin de mois" then the month's last day); anything else the date itself.
QDate EcheanceProposee(const std::string& conditions, const QDate& date);

// The buyer prefilled from the document's four address lines: name; street;
// postcode and city from the line that starts with five digits; France.
Acheteur AcheteurDepuisAdresse(const std::array<std::string, 4>& adresse);

// The buyer's name and address as the page's four address lines: name,
// street, postcode and city, and the country code when it is not France.
std::array<std::string, 4> AdresseImprimee(const Acheteur& a);

// The page's figures and buyer: the document with its captions set to the
// e-invoice's totals and its address lines to the e-invoice's buyer, so that
// the page and the XML carry the same amounts and name the same buyer.
// The document recomputed with the window's text widths `mesure`.
Fiche FicheDeLaPage(const Fiche& f, const Reglages& r, const FactureElectronique& fe,
                    const LargeurTexteFn& mesure);

} // namespace kyr
