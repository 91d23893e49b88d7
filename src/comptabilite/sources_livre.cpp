#include "comptabilite/sources_livre.h"

#include "common/erreurs.h"
#include "einvoice/fichiers_tiers.h"

#include <cstdlib>

namespace kyr {

std::vector<Achat> AchatsRecus(const RegistreRecues& recues) {
    std::vector<Achat> achats;
    for (const EntreeRecue& e : recues.Entrees) {
        // As the journal counts them: a doublon or another currency is not a purchase here.
        if (e.Etat == EtatRecue::Doublon || e.Devise != QLatin1String("EUR")) continue;
        Achat a;
        a.Date = e.Date;
        // The index's own 8-bit form: a character without a Windows-1252 byte
        // is written "&#x...;", never dropped.
        a.IdFournisseur = TexteIndex(e.IdFournisseur);
        a.NomFournisseur = TexteIndex(e.Fournisseur);
        a.Numero = TexteIndex(e.Numero);
        a.Avoir = e.Avoir;
        // A credit note may write its amounts negative: the accounts take
        // them as positive and reverse the entry.
        const Centimes signe = e.Avoir && e.TTC < 0 ? -1 : 1;
        a.HT = signe * e.HT;
        a.TVA = signe * e.TVA;
        a.TTC = signe * e.TTC;
        for (const TvaParTaux& t : e.Tva)
            // Rates in 1/10 000 percent down to the 1/100 the accounts keep.
            a.ParTaux.push_back({static_cast<int>((t.Taux + (t.Taux >= 0 ? 50 : -50)) / 100),
                                 signe * t.Base, signe * t.Montant});
        achats.push_back(std::move(a));
    }
    return achats;
}

std::optional<std::map<CleVente, QDate>> Encaissements(const Registre& emis) {
    if (!emis.Existe()) return std::nullopt;
    std::map<CleVente, QDate> dates;
    // In the register's order: the last change of the paid mark holds.
    for (const EntreeRegistre& e : emis.Entrees()) {
        const CleVente cle{e.Genre == 'A' ? SorteVente::Avoir : SorteVente::Facture, e.Numero};
        if (e.Quoi == Evenement::Payee)
            dates[cle] = e.Moment.date();
        else if (e.Quoi == Evenement::NonPayee)
            dates.erase(cle);
    }
    return dates;
}

SourcesCompta SourcesDuLivre(const QString& livre, const Registre& emis, const Vendeur& vendeur) {
    SourcesCompta s;
    s.OptionDebits = vendeur.OptionDebits;
    s.Encaissements = Encaissements(emis);
    DonneesDocuments documents;
    if (!livre.isEmpty()) {
        try {
            s.Achats = AchatsRecus(ChargeRegistre(DossierRecues(livre)));
        } catch (const ErreurExecution&) {
            // The received invoices' window reports its unreadable index.
        }
        try {
            ChargeDonneesDocuments(documents, CheminDonneesDocuments(livre));
        } catch (const ErreurExecution&) {
            // As missing: the seller's framework stands for every document.
        }
    }
    const NatureOperation vendeurNature = NatureDuCadre(vendeur.CadreFacturation);
    s.Nature = [documents = std::move(documents),
                vendeurNature](const VenteJournal& v) -> std::optional<NatureOperation> {
        const std::string cle = (v.Sorte == SorteVente::Avoir ? "A " : "F ") + v.Numero;
        if (const auto it = documents.find(cle); it != documents.end() && it->second.Nature)
            return NatureDuCadre(*it->second.Nature);
        return vendeurNature;
    };
    return s;
}

} // namespace kyr
