#pragma once
// The parties of an electronic invoice: what the book does not hold about the
// seller (asked once) and about a buyer (asked at each export, remembered by
// client code). Texts are 8-bit (Windows-1252) like every text of the program.
#include "einvoice/format_fe.h"

#include <string>

namespace kyr {

// Billing framework of the seller's invoices: goods, services or both.
enum class Cadre { Biens, Services, Mixte };

struct Vendeur {
    std::string Siren, Siret, NumeroTVA;
    std::string Rue, CodePostal, Ville, Pays = "FR";
    std::string AdresseElectronique; // in the French directory: the SIREN, optionally a suffix
    Cadre CadreFacturation = Cadre::Services;
    std::string NotePenalites; // late payment penalties
    std::string NoteIndemnite; // fixed recovery indemnity
    std::string NoteEscompte;  // early payment discount or its absence
    bool Franchise = false;    // small business exempt from VAT
    // The option for paying the VAT of services on the invoices' dates (the
    // debits) rather than on the payments received.
    bool OptionDebits = false;
    std::string Iban, Bic;               // payment by transfer, when given
    FormatFE Format = FormatFE::FacturX; // the format last chosen for an export
    bool operator==(const Vendeur&) const = default;
};

// The usual French wording of the three mandatory notes.
inline const std::string NotePenalitesUsuelle =
    "En cas de retard de paiement, des p\xE9nalit\xE9s sont exigibles au taux de trois fois "
    "le taux d'int\xE9r\xEAt l\xE9gal.";
inline const std::string NoteIndemniteUsuelle =
    "Indemnit\xE9 forfaitaire pour frais de recouvrement en cas de retard de paiement : 40 "
    "euros.";
inline const std::string NoteEscompteUsuelle = "Pas d'escompte pour paiement anticip\xE9.";
inline const std::string MentionFranchise = "TVA non applicable, art. 293 B du CGI";

inline Vendeur VendeurNeuf() {
    Vendeur v;
    v.NotePenalites = NotePenalitesUsuelle;
    v.NoteIndemnite = NoteIndemniteUsuelle;
    v.NoteEscompte = NoteEscompteUsuelle;
    return v;
}

struct Acheteur {
    bool Professionnel = true; // a business (else a consumer)
    std::string Nom, Rue, CodePostal, Ville, Pays = "FR";
    std::string Siren, NumeroTVA;
    std::string AdresseElectronique; // a business: its directory address; a consumer: e-mail
    bool operator==(const Acheteur&) const = default;
};

// Where the goods are delivered or the service done, when it is not the
// buyer's address.
struct AdresseLivraison {
    std::string Nom, Rue, CodePostal, Ville, Pays = "FR";
    bool operator==(const AdresseLivraison&) const = default;
};

} // namespace kyr
