#pragma once
// A received electronic invoice, read from CII (Factur-X, ZUGFeRD) or UBL
// into one model. Its terms are those of the export's model
// (einvoice/facture_electronique.h: EN 16931 business terms, amounts in exact
// cents with einvoice/montants.h), but its texts are QString: a supplier's
// invoice carries any Unicode, which the program's 8-bit texts cannot hold.
// An amount the file does not carry is nullopt, so that a missing total is
// told from a zero one.
#include "einvoice/montants.h"

#include <QDate>
#include <QString>
#include <optional>
#include <string>
#include <vector>

namespace kyr {

enum class FormatRecu { FacturX, CII, UBL };

// BT-24 as a French reader knows it. Minimum and BasicWL carry no lines.
enum class Profil { Minimum, BasicWL, Basic, EN16931, Extended, XRechnung, Peppol, Inconnu };

struct PartieRecue {
    QString Nom, NomCommercial;                       // BT-27/44, BT-28/45
    QString Identifiant, SchemaIdentifiant;           // BT-29/46 and its scheme (0009: SIRET)
    QString IdLegal, SchemaIdLegal;                   // BT-30/47 (0002: SIREN)
    QString NumeroTVA;                                // BT-31/48
    QString AdresseElectronique, SchemaAdresse;       // BT-34/49
    QString Rue, Complement, CodePostal, Ville, Pays; // BG-5/8
    QString Contact, Telephone, Courriel;
    bool AdressePresente = false; // the postal address group is there
    bool operator==(const PartieRecue&) const = default;
};

// A document or line allowance (Charge false) or charge (BG-20/21, BG-27/28).
struct RemiseCharge {
    bool Charge = false;
    std::optional<Centimes> Montant, Base;
    std::optional<std::int64_t> Pourcentage; // in 1/10 000 percent
    QString Raison, CodeRaison;
    QString Categorie;                // BT-95/102, documents only
    std::optional<std::int64_t> Taux; // in 1/10 000 percent
    bool operator==(const RemiseCharge&) const = default;
};

struct LigneRecue {
    QString Id;                                    // BT-126
    QString Nom, Description;                      // BT-153, BT-154
    QString Note;                                  // BT-127
    std::optional<std::int64_t> Quantite;          // BT-129, in 1/1 000 000
    QString Unite;                                 // BT-130 (UN/ECE rec. 20 code)
    std::optional<std::int64_t> PrixNet, PrixBrut; // BT-146, BT-148, in 1/1 000 000
    std::optional<std::int64_t> QuantiteDeBase;    // BT-149, in 1/1 000 000
    std::vector<RemiseCharge> RemisesCharges;
    std::optional<Centimes> Montant;  // BT-131
    QString Categorie;                // BT-151
    std::optional<std::int64_t> Taux; // BT-152, in 1/10 000 percent
    bool operator==(const LigneRecue&) const = default;
};

struct TvaRecue {
    QString Categorie;                     // BT-118
    std::optional<std::int64_t> Taux;      // BT-119, in 1/10 000 percent
    std::optional<Centimes> Base, Montant; // BT-116, BT-117
    QString Exoneration, CodeExoneration;  // BT-120, BT-121
    bool operator==(const TvaRecue&) const = default;
};

// A read that went wrong in one field (an amount with a comma, too many
// decimals...), stated with the checks.
struct Constat {
    std::string Regle; // "BR-CO-15", "BR-DEC-12", "KF-ACHETEUR"
    QString Texte;     // in French
    bool operator==(const Constat&) const = default;
};

struct FactureRecue {
    FormatRecu Format = FormatRecu::CII;
    Profil Prof = Profil::Inconnu;
    QString Specification;     // BT-24 as written
    QString Cadre;             // BT-23
    QString Numero;            // BT-1
    QString TypeCode;          // BT-3: 380, 381...
    bool Avoir = false;        // a credit note (381, 261, 262, 396, 532, UBL CreditNote)
    QDate Date;                // BT-2
    QString TexteDate;         // as written when it does not read
    QDate Echeance, Livraison; // BT-9, BT-72
    QString Devise, DeviseTVA; // BT-5, BT-6
    QString ReferenceAcheteur, Commande, Contrat; // BT-10, BT-13, BT-12
    QString FactureCorrigee;                      // BT-25
    QDate DateFactureCorrigee;                    // BT-26
    std::vector<QString> Notes;                   // BT-22, subject code before the text when given
    PartieRecue Vendeur, Acheteur;
    std::vector<LigneRecue> Lignes;
    std::vector<RemiseCharge> RemisesCharges; // document level
    std::vector<TvaRecue> Tva;
    std::optional<Centimes> TotalLignes, TotalRemises, TotalCharges, TotalHT; // BT-106..109
    std::optional<Centimes> TotalTVA, TotalTVADevise;                         // BT-110, BT-111
    std::optional<Centimes> TotalTTC, DejaPaye, Arrondi, NetAPayer;           // BT-112..115
    QString ConditionsPaiement;                                               // BT-20
    QString CodeMoyen;                                                        // BT-81
    QString Iban, Bic, TitulaireCompte;                                       // BT-84, BT-86, BT-85
    QString Mandat;               // BT-89 direct debit mandate
    std::vector<Constat> Lecture; // what could not be read as the format says
    bool operator==(const FactureRecue&) const = default;
};

// What a file turned out to be, before any check.
struct Lecture {
    std::optional<FactureRecue> Facture;
    QString Refus; // why no invoice could be read, in French; empty when one was
};

// "Factur-X", "CII", "UBL"; "EN 16931", "MINIMUM"...
QString TexteFormat(FormatRecu f);
QString TexteProfil(Profil p);
// The profiles without lines: not invoices under French law.
bool ProfilSansLignes(Profil p);

// Amounts and percentages as the views show them: "1 234,50" is not used,
// the program's own texts are "1234,50" and "20 %" / "5,5 %".
QString TexteMontant(std::optional<Centimes> c);
QString TexteTauxRecu(std::optional<std::int64_t> taux);

} // namespace kyr
