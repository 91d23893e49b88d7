// UN/CEFACT Cross Industry Invoice (Factur-X, ZUGFeRD 2, XRechnung CII):
// every profile is read the same way; the terms a profile leaves out stay empty.
#include "recues/lecture_commune.h"

namespace kyr {

namespace {

class LecteurCII {
public:
    LecteurCII(const ArbreXml& a, FactureRecue& f) : a(a), f(f), l(a, f) {}

    QDate Date(int n, const char* terme) {
        const int d = a.Enfant(n, "DateTimeString");
        if (d == ArbreXml::Aucun) return {};
        const QString format = a.Attribut(d, "format");
        if (!format.isEmpty() && format != QLatin1String("102")) {
            l.Note("KF-DATE", QStringLiteral("%1 : format de date %2 non lu (102 attendu)")
                                  .arg(QLatin1String(terme), format.left(10)));
            return {};
        }
        return l.Date(a.noeud(d).Texte, terme, false);
    }

    void Partie(int n, PartieRecue& p) {
        if (n == ArbreXml::Aucun) return;
        p.Nom = a.Texte(n, {"Name"});
        p.Identifiant = a.Texte(n, {"ID"});
        if (const int g = a.Enfant(n, "GlobalID");
            g != ArbreXml::Aucun && p.Identifiant.isEmpty()) {
            p.Identifiant = a.noeud(g).Texte;
            p.SchemaIdentifiant = a.Attribut(g, "schemeID");
        }
        const int org = a.Enfant(n, "SpecifiedLegalOrganization");
        const int id = a.Enfant(org, "ID");
        if (id != ArbreXml::Aucun) {
            p.IdLegal = a.noeud(id).Texte;
            p.SchemaIdLegal = a.Attribut(id, "schemeID");
        }
        p.NomCommercial = a.Texte(org, {"TradingBusinessName"});
        const int contact = a.Enfant(n, "DefinedTradeContact");
        p.Contact = a.Texte(contact, {"PersonName"});
        p.Telephone = a.Texte(contact, {"TelephoneUniversalCommunication", "CompleteNumber"});
        p.Courriel = a.Texte(contact, {"EmailURIUniversalCommunication", "URIID"});
        if (const int ad = a.Enfant(n, "PostalTradeAddress"); ad != ArbreXml::Aucun) {
            p.AdressePresente = true;
            p.Rue = a.Texte(ad, {"LineOne"});
            p.Complement = a.Texte(ad, {"LineTwo"});
            p.CodePostal = a.Texte(ad, {"PostcodeCode"});
            p.Ville = a.Texte(ad, {"CityName"});
            p.Pays = a.Texte(ad, {"CountryID"});
        }
        if (const int e = a.Chemin(n, {"URIUniversalCommunication", "URIID"});
            e != ArbreXml::Aucun) {
            p.AdresseElectronique = a.noeud(e).Texte;
            p.SchemaAdresse = a.Attribut(e, "schemeID");
        }
        for (const int t : a.Enfants(n, "SpecifiedTaxRegistration")) {
            const int i = a.Enfant(t, "ID");
            if (a.Attribut(i, "schemeID") == QLatin1String("VA")) p.NumeroTVA = a.noeud(i).Texte;
        }
    }

    RemiseCharge Remise(int n, bool document) {
        RemiseCharge r;
        r.Charge = a.Texte(n, {"ChargeIndicator", "Indicator"}) == QLatin1String("true");
        const bool c = r.Charge;
        r.Montant =
            l.Montant(a.Enfant(n, "ActualAmount"),
                      document ? (c ? "BT-99" : "BT-92") : (c ? "BT-141" : "BT-136"),
                      document ? (c ? "BR-DEC-05" : "BR-DEC-01") : (c ? "BR-DEC-27" : "BR-DEC-24"));
        r.Base =
            l.Montant(a.Enfant(n, "BasisAmount"),
                      document ? (c ? "BT-100" : "BT-93") : (c ? "BT-142" : "BT-137"),
                      document ? (c ? "BR-DEC-06" : "BR-DEC-02") : (c ? "BR-DEC-28" : "BR-DEC-25"));
        r.Pourcentage = l.Taux(a.Enfant(n, "CalculationPercent"), "BT-94");
        r.Raison = a.Texte(n, {"Reason"});
        r.CodeRaison = a.Texte(n, {"ReasonCode"});
        if (document) {
            const int t = a.Enfant(n, "CategoryTradeTax");
            r.Categorie = a.Texte(t, {"CategoryCode"});
            r.Taux = l.Taux(a.Enfant(t, "RateApplicablePercent"), "BT-96");
        }
        return r;
    }

    void Ligne(int n) {
        LigneRecue li;
        const int doc = a.Enfant(n, "AssociatedDocumentLineDocument");
        li.Id = a.Texte(doc, {"LineID"});
        li.Note = a.Texte(doc, {"IncludedNote", "Content"});
        const int produit = a.Enfant(n, "SpecifiedTradeProduct");
        li.Nom = a.Texte(produit, {"Name"});
        li.Description = a.Texte(produit, {"Description"});
        const int accord = a.Enfant(n, "SpecifiedLineTradeAgreement");
        const int brut = a.Enfant(accord, "GrossPriceProductTradePrice");
        li.PrixBrut = l.Precis(a.Enfant(brut, "ChargeAmount"), "BT-148");
        const int net = a.Enfant(accord, "NetPriceProductTradePrice");
        li.PrixNet = l.Precis(a.Enfant(net, "ChargeAmount"), "BT-146");
        li.QuantiteDeBase = l.Precis(a.Enfant(net, "BasisQuantity"), "BT-149");
        const int q = a.Chemin(n, {"SpecifiedLineTradeDelivery", "BilledQuantity"});
        li.Quantite = l.Precis(q, "BT-129");
        li.Unite = a.Attribut(q, "unitCode");
        const int reglement = a.Enfant(n, "SpecifiedLineTradeSettlement");
        const int taxe = a.Enfant(reglement, "ApplicableTradeTax");
        li.Categorie = a.Texte(taxe, {"CategoryCode"});
        li.Taux = l.Taux(a.Enfant(taxe, "RateApplicablePercent"), "BT-152");
        for (const int r : a.Enfants(reglement, "SpecifiedTradeAllowanceCharge"))
            li.RemisesCharges.push_back(Remise(r, false));
        li.Montant = l.Montant(a.Chemin(reglement, {"SpecifiedTradeSettlementLineMonetarySummation",
                                                    "LineTotalAmount"}),
                               "BT-131", "BR-DEC-23");
        f.Lignes.push_back(std::move(li));
    }

    void Reglement(int n) {
        f.Devise = a.Texte(n, {"InvoiceCurrencyCode"});
        f.DeviseTVA = a.Texte(n, {"TaxCurrencyCode"});
        for (const int m : a.Enfants(n, "SpecifiedTradeSettlementPaymentMeans")) {
            if (!f.CodeMoyen.isEmpty()) break; // the first means is the one shown
            f.CodeMoyen = a.Texte(m, {"TypeCode"});
            const int compte = a.Enfant(m, "PayeePartyCreditorFinancialAccount");
            f.Iban = a.Texte(compte, {"IBANID"});
            if (f.Iban.isEmpty()) f.Iban = a.Texte(compte, {"ProprietaryID"});
            f.TitulaireCompte = a.Texte(compte, {"AccountName"});
            f.Bic = a.Texte(m, {"PayeeSpecifiedCreditorFinancialInstitution", "BICID"});
        }
        for (const int t : a.Enfants(n, "ApplicableTradeTax")) {
            TvaRecue v;
            v.Montant = l.Montant(a.Enfant(t, "CalculatedAmount"), "BT-117", "BR-DEC-20");
            v.Base = l.Montant(a.Enfant(t, "BasisAmount"), "BT-116", "BR-DEC-19");
            v.Categorie = a.Texte(t, {"CategoryCode"});
            v.Taux = l.Taux(a.Enfant(t, "RateApplicablePercent"), "BT-119");
            v.Exoneration = a.Texte(t, {"ExemptionReason"});
            v.CodeExoneration = a.Texte(t, {"ExemptionReasonCode"});
            f.Tva.push_back(std::move(v));
        }
        for (const int r : a.Enfants(n, "SpecifiedTradeAllowanceCharge"))
            f.RemisesCharges.push_back(Remise(r, true));
        const int termes = a.Enfant(n, "SpecifiedTradePaymentTerms");
        f.ConditionsPaiement = a.Texte(termes, {"Description"});
        f.Echeance = Date(a.Enfant(termes, "DueDateDateTime"), "BT-9");
        f.Mandat = a.Texte(termes, {"DirectDebitMandateID"});

        const int s = a.Enfant(n, "SpecifiedTradeSettlementHeaderMonetarySummation");
        f.TotalLignes = l.Montant(a.Enfant(s, "LineTotalAmount"), "BT-106", "BR-DEC-09");
        f.TotalCharges = l.Montant(a.Enfant(s, "ChargeTotalAmount"), "BT-108", "BR-DEC-11");
        f.TotalRemises = l.Montant(a.Enfant(s, "AllowanceTotalAmount"), "BT-107", "BR-DEC-10");
        f.TotalHT = l.Montant(a.Enfant(s, "TaxBasisTotalAmount"), "BT-109", "BR-DEC-12");
        // The VAT total may stand twice: in the invoice's currency and in
        // the currency of the VAT accounting.
        for (const int t : a.Enfants(s, "TaxTotalAmount")) {
            const QString devise = a.Attribut(t, "currencyID");
            if (devise.isEmpty() || devise == f.Devise || f.DeviseTVA.isEmpty()) {
                if (!f.TotalTVA) f.TotalTVA = l.Montant(t, "BT-110", "BR-DEC-13");
            } else {
                f.TotalTVADevise = l.Montant(t, "BT-111", "BR-DEC-15");
            }
        }
        f.Arrondi = l.Montant(a.Enfant(s, "RoundingAmount"), "BT-114", "BR-DEC-17");
        f.TotalTTC = l.Montant(a.Enfant(s, "GrandTotalAmount"), "BT-112", "BR-DEC-14");
        f.DejaPaye = l.Montant(a.Enfant(s, "TotalPrepaidAmount"), "BT-113", "BR-DEC-16");
        f.NetAPayer = l.Montant(a.Enfant(s, "DuePayableAmount"), "BT-115", "BR-DEC-18");
        const int corrigee = a.Enfant(n, "InvoiceReferencedDocument");
        f.FactureCorrigee = a.Texte(corrigee, {"IssuerAssignedID"});
        f.DateFactureCorrigee = Date(a.Enfant(corrigee, "FormattedIssueDateTime"), "BT-26");
    }

    void Lit() {
        const int r = a.Racine();
        const int contexte = a.Enfant(r, "ExchangedDocumentContext");
        f.Specification = a.Texte(contexte, {"GuidelineSpecifiedDocumentContextParameter", "ID"});
        f.Cadre = a.Texte(contexte, {"BusinessProcessSpecifiedDocumentContextParameter", "ID"});
        f.Prof = ProfilDe(f.Specification);
        const int doc = a.Enfant(r, "ExchangedDocument");
        f.Numero = a.Texte(doc, {"ID"});
        f.TypeCode = a.Texte(doc, {"TypeCode"});
        f.Avoir = CodeAvoir(f.TypeCode);
        const int date = a.Enfant(doc, "IssueDateTime");
        f.TexteDate = a.Texte(date, {"DateTimeString"});
        f.Date = Date(date, "BT-2");
        if (f.Date.isValid()) f.TexteDate.clear();
        for (const int note : a.Enfants(doc, "IncludedNote")) {
            const QString sujet = a.Texte(note, {"SubjectCode"});
            const QString texte = a.Texte(note, {"Content"});
            f.Notes.push_back(sujet.isEmpty() ? texte : sujet + QStringLiteral(" : ") + texte);
        }
        const int transaction = a.Enfant(r, "SupplyChainTradeTransaction");
        for (const int li : a.Enfants(transaction, "IncludedSupplyChainTradeLineItem"))
            Ligne(li);
        const int accord = a.Enfant(transaction, "ApplicableHeaderTradeAgreement");
        f.ReferenceAcheteur = a.Texte(accord, {"BuyerReference"});
        f.Commande = a.Texte(accord, {"BuyerOrderReferencedDocument", "IssuerAssignedID"});
        f.Contrat = a.Texte(accord, {"ContractReferencedDocument", "IssuerAssignedID"});
        Partie(a.Enfant(accord, "SellerTradeParty"), f.Vendeur);
        Partie(a.Enfant(accord, "BuyerTradeParty"), f.Acheteur);
        f.Livraison =
            Date(a.Chemin(transaction, {"ApplicableHeaderTradeDelivery",
                                        "ActualDeliverySupplyChainEvent", "OccurrenceDateTime"}),
                 "BT-72");
        Reglement(a.Enfant(transaction, "ApplicableHeaderTradeSettlement"));
    }

private:
    const ArbreXml& a;
    FactureRecue& f;
    LecteurCommun l;
};

} // namespace

FactureRecue LitCII(const ArbreXml& a) {
    FactureRecue f;
    f.Format = FormatRecu::CII;
    LecteurCII(a, f).Lit();
    return f;
}

} // namespace kyr
