#pragma once
// What the accountant's file and the VAT return take from beyond the book,
// handed in as plain data by the caller: the received invoices, each issued
// document's nature of operation, the dates its payment was received, and
// whether the seller opted for VAT on debits.
#include "einvoice/tiers.h"
#include "lists/journal.h"

#include <QDate>
#include <compare>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace kyr {

// A received invoice or credit note, in euros, as the supplier's document
// states it: positive amounts (a credit note's are taken the other way round).
struct TauxAchat {
    int Taux = 0; // in 1/100 percent: 2000 is 20 %
    Centimes Base = 0, TVA = 0;
};
struct Achat {
    QDate Date;
    std::string IdFournisseur, NomFournisseur, Numero; // 8-bit (Windows-1252)
    bool Avoir = false;
    Centimes HT = 0, TVA = 0, TTC = 0;
    std::vector<TauxAchat> ParTaux; // may be empty: one purchase line then
};

enum class NatureOperation { Biens, Services, Mixte };

// An issued document as the register of issued documents names it.
struct CleVente {
    SorteVente Sorte = SorteVente::Facture;
    std::string Numero; // without blanks, as VenteJournal::Numero
    auto operator<=>(const CleVente&) const = default;
};
inline CleVente CleDe(const VenteJournal& v) {
    return {v.Sorte, v.Numero};
}

struct SourcesCompta {
    std::vector<Achat> Achats;
    // A document's nature; empty, or nullopt for a document, when unknown:
    // the document is then taken for services.
    std::function<std::optional<NatureOperation>(const VenteJournal&)> Nature;
    // The date each document's payment was received, for those paid; nullopt
    // when the program keeps no such dates (every VAT is then counted at the
    // invoice date, and the VAT return says so).
    std::optional<std::map<CleVente, QDate>> Encaissements;
    // The seller opted for VAT on debits: the VAT of services is due at the
    // invoice date too.
    bool OptionDebits = false;
};

// The nature the accounts take for a document.
inline NatureOperation NatureDe(const SourcesCompta& s, const VenteJournal& v) {
    const auto n = s.Nature ? s.Nature(v) : std::nullopt;
    return n.value_or(NatureOperation::Services);
}

// The nature of operation a billing framework stands for.
inline NatureOperation NatureDuCadre(Cadre c) {
    return c == Cadre::Biens   ? NatureOperation::Biens
           : c == Cadre::Mixte ? NatureOperation::Mixte
                               : NatureOperation::Services;
}

// Where a document's own nature is unknown, the seller's billing framework of
// the electronic invoice stands for it: a Nature left empty is given it.
inline void AvecCadreDuVendeur(SourcesCompta& s, const Vendeur& v) {
    if (s.Nature) return;
    const NatureOperation n = NatureDuCadre(v.CadreFacturation);
    s.Nature = [n](const VenteJournal&) -> std::optional<NatureOperation> { return n; };
}

} // namespace kyr
