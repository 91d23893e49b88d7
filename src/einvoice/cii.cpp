#include "einvoice/cii.h"

#include "common/texte.h"
#include "einvoice/codes.h"
#include "einvoice/controles.h"

#include <QXmlStreamWriter>

namespace kyr {

namespace {

const QString Rsm = QStringLiteral("urn:un:unece:uncefact:data:standard:CrossIndustryInvoice:100");
const QString Ram = QStringLiteral(
    "urn:un:unece:uncefact:data:standard:ReusableAggregateBusinessInformationEntity:100");
const QString Udt = QStringLiteral("urn:un:unece:uncefact:data:standard:UnqualifiedDataType:100");
const QString Qdt = QStringLiteral("urn:un:unece:uncefact:data:standard:QualifiedDataType:100");

QString U(const std::string& octets) {
    return VersQString(octets);
}
QString A(const std::string& ascii) {
    return QString::fromLatin1(ascii.c_str());
}

class Ecrivain {
public:
    explicit Ecrivain(QByteArray* sortie) : x(sortie) { x.setAutoFormatting(true); }

    void Debut(const QString& ns, const char* nom) { x.writeStartElement(ns, QLatin1String(nom)); }
    void Fin() { x.writeEndElement(); }
    void Texte(const QString& ns, const char* nom, const QString& valeur) {
        x.writeTextElement(ns, QLatin1String(nom), valeur);
    }
    void R(const char* nom, const QString& valeur) { Texte(Ram, nom, valeur); }
    void Schema(const char* nom, const char* schema, const QString& valeur) {
        Debut(Ram, nom);
        x.writeAttribute(QStringLiteral("schemeID"), QLatin1String(schema));
        x.writeCharacters(valeur);
        Fin();
    }
    void Date(const QString& ns, const char* nom, const QDate& d) {
        Debut(Ram, nom);
        Debut(ns, "DateTimeString");
        x.writeAttribute(QStringLiteral("format"), QStringLiteral("102"));
        x.writeCharacters(d.toString(QStringLiteral("yyyyMMdd")));
        Fin();
        Fin();
    }
    void Note(const std::string& contenu, const char* sujet) {
        Debut(Ram, "IncludedNote");
        R("Content", U(contenu));
        if (sujet) R("SubjectCode", QLatin1String(sujet));
        Fin();
    }
    void Adresse(const std::string& rue, const std::string& cp, const std::string& ville,
                 const std::string& pays) {
        Debut(Ram, "PostalTradeAddress");
        R("PostcodeCode", U(Trim(cp)));
        R("LineOne", U(Trim(rue)));
        R("CityName", U(Trim(ville)));
        R("CountryID", A(Compacte(pays)));
        Fin();
    }

    QXmlStreamWriter x;
};

void Document(Ecrivain& e, const FactureElectronique& fe) {
    e.Debut(Rsm, "ExchangedDocumentContext");
    e.Debut(Ram, "BusinessProcessSpecifiedDocumentContextParameter");
    e.R("ID", A(CodeCadre(fe.Nature, fe.Payee)));
    e.Fin();
    e.Debut(Ram, "GuidelineSpecifiedDocumentContextParameter");
    e.R("ID", QStringLiteral("urn:cen.eu:en16931:2017"));
    e.Fin();
    e.Fin();

    e.Debut(Rsm, "ExchangedDocument");
    e.R("ID", A(fe.Numero));
    e.R("TypeCode", fe.Avoir ? QStringLiteral("381") : QStringLiteral("380"));
    e.Date(Udt, "IssueDateTime", fe.Date);
    e.Note(CodeTraitement(fe.Ach), "BAR");
    e.Note(fe.Vend.NotePenalites, "PMD");
    e.Note(fe.Vend.NoteIndemnite, "PMT");
    e.Note(fe.Vend.NoteEscompte, "AAB");
    if (fe.Vend.Franchise) e.Note(MentionFranchise, "TXD");
    for (const auto& n : fe.Notes)
        e.Note(n, nullptr);
    e.Fin();
}

void Ligne(Ecrivain& e, const LigneFE& l) {
    e.Debut(Ram, "IncludedSupplyChainTradeLineItem");
    e.Debut(Ram, "AssociatedDocumentLineDocument");
    e.R("LineID", QString::number(l.Numero));
    e.Fin();
    e.Debut(Ram, "SpecifiedTradeProduct");
    e.R("Name", U(l.Designation));
    if (!l.Description.empty()) e.R("Description", U(l.Description));
    e.Fin();
    e.Debut(Ram, "SpecifiedLineTradeAgreement");
    e.Debut(Ram, "NetPriceProductTradePrice");
    e.R("ChargeAmount", A(TexteDecimalCourt(l.PrixNet, 6)));
    e.Fin();
    e.Fin();
    e.Debut(Ram, "SpecifiedLineTradeDelivery");
    e.Debut(Ram, "BilledQuantity");
    e.x.writeAttribute(QStringLiteral("unitCode"), QStringLiteral("C62")); // "one", a unit
    e.x.writeCharacters(A(TexteDecimalCourt(l.Quantite, 4)));
    e.Fin();
    e.Fin();
    e.Debut(Ram, "SpecifiedLineTradeSettlement");
    e.Debut(Ram, "ApplicableTradeTax");
    e.R("TypeCode", QStringLiteral("VAT"));
    e.R("CategoryCode", QLatin1String(CodeCategorie(l.Cat)));
    e.R("RateApplicablePercent", A(TexteDecimal(l.Taux, 2)));
    e.Fin();
    if (l.MontantRemise != 0) {
        // A discount is a line allowance; a negative one (a surcharge) a line charge.
        const bool majoration = l.Remise < 0;
        e.Debut(Ram, "SpecifiedTradeAllowanceCharge");
        e.Debut(Ram, "ChargeIndicator");
        e.Texte(Udt, "Indicator", majoration ? QStringLiteral("true") : QStringLiteral("false"));
        e.Fin();
        e.R("CalculationPercent", A(TexteDecimalCourt(std::llabs(l.Remise), 4)));
        e.R("BasisAmount", A(TexteXml(l.Brut)));
        e.R("ActualAmount", A(TexteXml(majoration ? -l.MontantRemise : l.MontantRemise)));
        e.R("Reason", majoration ? QStringLiteral("Majoration") : QStringLiteral("Remise"));
        e.Fin();
    }
    e.Debut(Ram, "SpecifiedTradeSettlementLineMonetarySummation");
    e.R("LineTotalAmount", A(TexteXml(l.Montant)));
    e.Fin();
    e.Fin();
    e.Fin();
}

void Parties(Ecrivain& e, const FactureElectronique& fe) {
    const Vendeur& v = fe.Vend;
    const Acheteur& a = fe.Ach;
    e.Debut(Ram, "ApplicableHeaderTradeAgreement");
    e.Debut(Ram, "SellerTradeParty");
    e.Schema("GlobalID", "0009", A(Compacte(v.Siret)));
    e.R("Name", U(fe.NomVendeur));
    e.Debut(Ram, "SpecifiedLegalOrganization");
    e.Schema("ID", "0002", A(Compacte(v.Siren)));
    e.Fin();
    e.Adresse(v.Rue, v.CodePostal, v.Ville, v.Pays);
    e.Debut(Ram, "URIUniversalCommunication");
    e.Schema("URIID", "0225", U(Trim(v.AdresseElectronique)));
    e.Fin();
    if (!Trim(v.NumeroTVA).empty()) {
        e.Debut(Ram, "SpecifiedTaxRegistration");
        e.Schema("ID", "VA", A(Compacte(v.NumeroTVA)));
        e.Fin();
    } else {
        // A small business without a VAT number is registered for tax by its SIREN.
        e.Debut(Ram, "SpecifiedTaxRegistration");
        e.Schema("ID", "FC", A(Compacte(v.Siren)));
        e.Fin();
    }
    e.Fin();

    e.Debut(Ram, "BuyerTradeParty");
    e.R("Name", U(Trim(a.Nom)));
    if (!Trim(a.Siren).empty()) {
        e.Debut(Ram, "SpecifiedLegalOrganization");
        e.Schema("ID", "0002", A(Compacte(a.Siren)));
        e.Fin();
    }
    e.Adresse(a.Rue, a.CodePostal, a.Ville, a.Pays);
    const IdentifiantReseau adresse = AdresseAcheteur(a);
    e.Debut(Ram, "URIUniversalCommunication");
    e.Schema("URIID", adresse.Schema.c_str(), U(adresse.Identifiant));
    e.Fin();
    if (!Trim(a.NumeroTVA).empty()) {
        e.Debut(Ram, "SpecifiedTaxRegistration");
        e.Schema("ID", "VA", A(Compacte(a.NumeroTVA)));
        e.Fin();
    }
    e.Fin();
    e.Fin();
}

void Reglement(Ecrivain& e, const FactureElectronique& fe) {
    const Vendeur& v = fe.Vend;
    e.Debut(Ram, "ApplicableHeaderTradeSettlement");
    e.R("InvoiceCurrencyCode", QStringLiteral("EUR"));
    if (!Trim(v.Iban).empty()) {
        e.Debut(Ram, "SpecifiedTradeSettlementPaymentMeans");
        e.R("TypeCode", QStringLiteral("58")); // SEPA credit transfer
        e.Debut(Ram, "PayeePartyCreditorFinancialAccount");
        e.R("IBANID", A(Compacte(v.Iban)));
        e.Fin();
        if (!Trim(v.Bic).empty()) {
            e.Debut(Ram, "PayeeSpecifiedCreditorFinancialInstitution");
            e.R("BICID", A(Compacte(v.Bic)));
            e.Fin();
        }
        e.Fin();
    }
    for (const auto& t : fe.Tva) {
        e.Debut(Ram, "ApplicableTradeTax");
        e.R("CalculatedAmount", A(TexteXml(t.Montant)));
        e.R("TypeCode", QStringLiteral("VAT"));
        if (t.Cat == Categorie::Exoneree) e.R("ExemptionReason", U(MentionFranchise));
        e.R("BasisAmount", A(TexteXml(t.Base)));
        e.R("CategoryCode", QLatin1String(CodeCategorie(t.Cat)));
        if (t.Cat == Categorie::Exoneree)
            e.R("ExemptionReasonCode", QStringLiteral("VATEX-FR-FRANCHISE"));
        // VAT due on the invoice's date (UNTDID 2475: 5), the option for the debits.
        if (fe.TvaSurDebits) e.R("DueDateTypeCode", QStringLiteral("5"));
        e.R("RateApplicablePercent", A(TexteDecimal(t.Taux, 2)));
        e.Fin();
    }
    e.Debut(Ram, "SpecifiedTradePaymentTerms");
    if (!fe.Conditions.empty()) e.R("Description", U(fe.Conditions));
    e.Date(Udt, "DueDateDateTime", fe.Autres.Echeance);
    e.Fin();
    e.Debut(Ram, "SpecifiedTradeSettlementHeaderMonetarySummation");
    e.R("LineTotalAmount", A(TexteXml(fe.TotalLignes)));
    e.R("TaxBasisTotalAmount", A(TexteXml(fe.TotalLignes)));
    e.Debut(Ram, "TaxTotalAmount");
    e.x.writeAttribute(QStringLiteral("currencyID"), QStringLiteral("EUR"));
    e.x.writeCharacters(A(TexteXml(fe.TotalTVA)));
    e.Fin();
    e.R("GrandTotalAmount", A(TexteXml(fe.TotalTTC)));
    if (fe.Payee) e.R("TotalPrepaidAmount", A(TexteXml(fe.DejaPaye)));
    e.R("DuePayableAmount", A(TexteXml(fe.NetAPayer)));
    e.Fin();
    if (fe.Avoir) {
        e.Debut(Ram, "InvoiceReferencedDocument");
        e.R("IssuerAssignedID", U(fe.Autres.FactureCorrigee));
        e.Date(Qdt, "FormattedIssueDateTime", fe.Autres.DateFactureCorrigee);
        e.Fin();
    }
    e.Fin();
}

} // namespace

QByteArray EcritCII(const FactureElectronique& fe) {
    QByteArray sortie;
    Ecrivain e(&sortie);
    e.x.writeStartDocument();
    e.x.writeNamespace(Rsm, QStringLiteral("rsm"));
    e.x.writeNamespace(Ram, QStringLiteral("ram"));
    e.x.writeNamespace(Udt, QStringLiteral("udt"));
    e.x.writeNamespace(Qdt, QStringLiteral("qdt"));
    e.Debut(Rsm, "CrossIndustryInvoice");
    Document(e, fe);
    e.Debut(Rsm, "SupplyChainTradeTransaction");
    for (const auto& l : fe.Lignes)
        Ligne(e, l);
    Parties(e, fe);
    e.Debut(Ram, "ApplicableHeaderTradeDelivery");
    if (const auto& l = fe.Autres.LieuLivraison) {
        e.Debut(Ram, "ShipToTradeParty");
        if (!Trim(l->Nom).empty()) e.R("Name", U(Trim(l->Nom)));
        e.Adresse(l->Rue, l->CodePostal, l->Ville, l->Pays);
        e.Fin();
    }
    e.Debut(Ram, "ActualDeliverySupplyChainEvent");
    e.Date(Udt, "OccurrenceDateTime", fe.Autres.Livraison);
    e.Fin();
    e.Fin();
    Reglement(e, fe);
    e.Fin();
    e.Fin();
    e.x.writeEndDocument();
    return sortie;
}

} // namespace kyr
