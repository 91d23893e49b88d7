// OASIS UBL 2.1 Invoice and CreditNote (EN 16931, Peppol BIS Billing 3).
#include "recues/lecture_commune.h"

namespace kyr {

namespace {

class LecteurUBL {
public:
    LecteurUBL(const ArbreXml& a, FactureRecue& f) : a(a), f(f), l(a, f) {}

    QDate Date(int n, const char* terme) {
        return n == ArbreXml::Aucun ? QDate() : l.Date(a.noeud(n).Texte, terme, true);
    }

    void Partie(int n, PartieRecue& p) {
        if (n == ArbreXml::Aucun) return;
        if (const int e = a.Enfant(n, "EndpointID"); e != ArbreXml::Aucun) {
            p.AdresseElectronique = a.noeud(e).Texte;
            p.SchemaAdresse = a.Attribut(e, "schemeID");
        }
        if (const int i = a.Chemin(n, {"PartyIdentification", "ID"}); i != ArbreXml::Aucun) {
            p.Identifiant = a.noeud(i).Texte;
            p.SchemaIdentifiant = a.Attribut(i, "schemeID");
        }
        p.NomCommercial = a.Texte(n, {"PartyName", "Name"});
        if (const int ad = a.Enfant(n, "PostalAddress"); ad != ArbreXml::Aucun) {
            p.AdressePresente = true;
            p.Rue = a.Texte(ad, {"StreetName"});
            p.Complement = a.Texte(ad, {"AdditionalStreetName"});
            p.CodePostal = a.Texte(ad, {"PostalZone"});
            p.Ville = a.Texte(ad, {"CityName"});
            p.Pays = a.Texte(ad, {"Country", "IdentificationCode"});
        }
        for (const int t : a.Enfants(n, "PartyTaxScheme"))
            if (a.Texte(t, {"TaxScheme", "ID"}) == QLatin1String("VAT") && p.NumeroTVA.isEmpty())
                p.NumeroTVA = a.Texte(t, {"CompanyID"});
        const int legal = a.Enfant(n, "PartyLegalEntity");
        p.Nom = a.Texte(legal, {"RegistrationName"});
        if (const int id = a.Enfant(legal, "CompanyID"); id != ArbreXml::Aucun) {
            p.IdLegal = a.noeud(id).Texte;
            p.SchemaIdLegal = a.Attribut(id, "schemeID");
        }
        const int contact = a.Enfant(n, "Contact");
        p.Contact = a.Texte(contact, {"Name"});
        p.Telephone = a.Texte(contact, {"Telephone"});
        p.Courriel = a.Texte(contact, {"ElectronicMail"});
    }

    RemiseCharge Remise(int n, bool document) {
        RemiseCharge r;
        r.Charge = a.Texte(n, {"ChargeIndicator"}) == QLatin1String("true");
        const bool c = r.Charge;
        r.Montant = l.Montant(
            a.Enfant(n, "Amount"), document ? (c ? "BT-99" : "BT-92") : (c ? "BT-141" : "BT-136"),
            document ? (c ? "BR-DEC-05" : "BR-DEC-01") : (c ? "BR-DEC-27" : "BR-DEC-24"));
        r.Base =
            l.Montant(a.Enfant(n, "BaseAmount"),
                      document ? (c ? "BT-100" : "BT-93") : (c ? "BT-142" : "BT-137"),
                      document ? (c ? "BR-DEC-06" : "BR-DEC-02") : (c ? "BR-DEC-28" : "BR-DEC-25"));
        r.Pourcentage = l.Taux(a.Enfant(n, "MultiplierFactorNumeric"), "BT-94");
        r.Raison = a.Texte(n, {"AllowanceChargeReason"});
        r.CodeRaison = a.Texte(n, {"AllowanceChargeReasonCode"});
        if (document) {
            const int t = a.Enfant(n, "TaxCategory");
            r.Categorie = a.Texte(t, {"ID"});
            r.Taux = l.Taux(a.Enfant(t, "Percent"), "BT-96");
        }
        return r;
    }

    void Ligne(int n, bool avoir) {
        LigneRecue li;
        li.Id = a.Texte(n, {"ID"});
        li.Note = a.Texte(n, {"Note"});
        const int q = a.Enfant(n, avoir ? "CreditedQuantity" : "InvoicedQuantity");
        li.Quantite = l.Precis(q, "BT-129");
        li.Unite = a.Attribut(q, "unitCode");
        li.Montant = l.Montant(a.Enfant(n, "LineExtensionAmount"), "BT-131", "BR-DEC-23");
        for (const int r : a.Enfants(n, "AllowanceCharge"))
            li.RemisesCharges.push_back(Remise(r, false));
        const int article = a.Enfant(n, "Item");
        li.Nom = a.Texte(article, {"Name"});
        li.Description = a.Texte(article, {"Description"});
        const int cat = a.Enfant(article, "ClassifiedTaxCategory");
        li.Categorie = a.Texte(cat, {"ID"});
        li.Taux = l.Taux(a.Enfant(cat, "Percent"), "BT-152");
        const int prix = a.Enfant(n, "Price");
        li.PrixNet = l.Precis(a.Enfant(prix, "PriceAmount"), "BT-146");
        li.QuantiteDeBase = l.Precis(a.Enfant(prix, "BaseQuantity"), "BT-149");
        li.PrixBrut = l.Precis(a.Chemin(prix, {"AllowanceCharge", "BaseAmount"}), "BT-148");
        f.Lignes.push_back(std::move(li));
    }

    void Lit(bool avoir) {
        const int r = a.Racine();
        f.Specification = a.Texte(r, {"CustomizationID"});
        f.Cadre = a.Texte(r, {"ProfileID"});
        f.Prof = ProfilDe(f.Specification);
        f.Numero = a.Texte(r, {"ID"});
        f.TexteDate = a.Texte(r, {"IssueDate"});
        f.Date = Date(a.Enfant(r, "IssueDate"), "BT-2");
        if (f.Date.isValid()) f.TexteDate.clear();
        f.Echeance = Date(a.Enfant(r, "DueDate"), "BT-9");
        f.TypeCode = a.Texte(r, {avoir ? "CreditNoteTypeCode" : "InvoiceTypeCode"});
        f.Avoir = avoir || CodeAvoir(f.TypeCode);
        for (const int note : a.Enfants(r, "Note")) {
            // "#PMD#Text": the subject code the French rules put before the text.
            const QString& t = a.noeud(note).Texte;
            const qsizetype fin =
                t.startsWith(QLatin1Char('#')) ? t.indexOf(QLatin1Char('#'), 1) : -1;
            f.Notes.push_back(fin > 1 && fin <= 4 ? t.mid(1, fin - 1) + QStringLiteral(" : ") +
                                                        t.mid(fin + 1).trimmed()
                                                  : t);
        }
        f.Devise = a.Texte(r, {"DocumentCurrencyCode"});
        f.DeviseTVA = a.Texte(r, {"TaxCurrencyCode"});
        f.ReferenceAcheteur = a.Texte(r, {"BuyerReference"});
        f.Commande = a.Texte(r, {"OrderReference", "ID"});
        f.Contrat = a.Texte(r, {"ContractDocumentReference", "ID"});
        const int corrigee = a.Chemin(r, {"BillingReference", "InvoiceDocumentReference"});
        f.FactureCorrigee = a.Texte(corrigee, {"ID"});
        f.DateFactureCorrigee = Date(a.Enfant(corrigee, "IssueDate"), "BT-26");
        Partie(a.Chemin(r, {"AccountingSupplierParty", "Party"}), f.Vendeur);
        Partie(a.Chemin(r, {"AccountingCustomerParty", "Party"}), f.Acheteur);
        f.Livraison = Date(a.Chemin(r, {"Delivery", "ActualDeliveryDate"}), "BT-72");
        if (const int m = a.Enfant(r, "PaymentMeans"); m != ArbreXml::Aucun) {
            f.CodeMoyen = a.Texte(m, {"PaymentMeansCode"});
            const int compte = a.Enfant(m, "PayeeFinancialAccount");
            f.Iban = a.Texte(compte, {"ID"});
            f.TitulaireCompte = a.Texte(compte, {"Name"});
            f.Bic = a.Texte(compte, {"FinancialInstitutionBranch", "ID"});
            f.Mandat = a.Texte(m, {"PaymentMandate", "ID"});
            // A credit note has its due date here.
            if (!f.Echeance.isValid()) f.Echeance = Date(a.Enfant(m, "PaymentDueDate"), "BT-9");
        }
        f.ConditionsPaiement = a.Texte(r, {"PaymentTerms", "Note"});
        for (const int rc : a.Enfants(r, "AllowanceCharge"))
            f.RemisesCharges.push_back(Remise(rc, true));
        // One TaxTotal in the invoice's currency with the breakdown, maybe a
        // second one in the currency of the VAT accounting.
        for (const int t : a.Enfants(r, "TaxTotal")) {
            const int montant = a.Enfant(t, "TaxAmount");
            const QString devise = a.Attribut(montant, "currencyID");
            if (!f.DeviseTVA.isEmpty() && devise == f.DeviseTVA && devise != f.Devise) {
                f.TotalTVADevise = l.Montant(montant, "BT-111", "BR-DEC-15");
                continue;
            }
            if (!f.TotalTVA) f.TotalTVA = l.Montant(montant, "BT-110", "BR-DEC-13");
            for (const int s : a.Enfants(t, "TaxSubtotal")) {
                TvaRecue v;
                v.Base = l.Montant(a.Enfant(s, "TaxableAmount"), "BT-116", "BR-DEC-19");
                v.Montant = l.Montant(a.Enfant(s, "TaxAmount"), "BT-117", "BR-DEC-20");
                const int cat = a.Enfant(s, "TaxCategory");
                v.Categorie = a.Texte(cat, {"ID"});
                v.Taux = l.Taux(a.Enfant(cat, "Percent"), "BT-119");
                v.Exoneration = a.Texte(cat, {"TaxExemptionReason"});
                v.CodeExoneration = a.Texte(cat, {"TaxExemptionReasonCode"});
                f.Tva.push_back(std::move(v));
            }
        }
        const int t = a.Enfant(r, "LegalMonetaryTotal");
        f.TotalLignes = l.Montant(a.Enfant(t, "LineExtensionAmount"), "BT-106", "BR-DEC-09");
        f.TotalRemises = l.Montant(a.Enfant(t, "AllowanceTotalAmount"), "BT-107", "BR-DEC-10");
        f.TotalCharges = l.Montant(a.Enfant(t, "ChargeTotalAmount"), "BT-108", "BR-DEC-11");
        f.TotalHT = l.Montant(a.Enfant(t, "TaxExclusiveAmount"), "BT-109", "BR-DEC-12");
        f.TotalTTC = l.Montant(a.Enfant(t, "TaxInclusiveAmount"), "BT-112", "BR-DEC-14");
        f.DejaPaye = l.Montant(a.Enfant(t, "PrepaidAmount"), "BT-113", "BR-DEC-16");
        f.Arrondi = l.Montant(a.Enfant(t, "PayableRoundingAmount"), "BT-114", "BR-DEC-17");
        f.NetAPayer = l.Montant(a.Enfant(t, "PayableAmount"), "BT-115", "BR-DEC-18");
        for (const int li : a.Enfants(r, avoir ? "CreditNoteLine" : "InvoiceLine"))
            Ligne(li, avoir);
    }

private:
    const ArbreXml& a;
    FactureRecue& f;
    LecteurCommun l;
};

} // namespace

FactureRecue LitUBL(const ArbreXml& a, bool avoir) {
    FactureRecue f;
    f.Format = FormatRecu::UBL;
    LecteurUBL(a, f).Lit(avoir);
    return f;
}

} // namespace kyr
