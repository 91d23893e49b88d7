#include "einvoice/ubl.h"

#include "common/texte.h"
#include "einvoice/codes.h"
#include "einvoice/controles.h"

#include <QXmlStreamWriter>

namespace kyr {

namespace {

const QString NsFacture = QStringLiteral("urn:oasis:names:specification:ubl:schema:xsd:Invoice-2");
const QString NsAvoir = QStringLiteral("urn:oasis:names:specification:ubl:schema:xsd:CreditNote-2");
const QString Cac =
    QStringLiteral("urn:oasis:names:specification:ubl:schema:xsd:CommonAggregateComponents-2");
const QString Cbc =
    QStringLiteral("urn:oasis:names:specification:ubl:schema:xsd:CommonBasicComponents-2");

const QString Cen = QStringLiteral("urn:cen.eu:en16931:2017");
const QString PeppolSpecification =
    QStringLiteral("urn:cen.eu:en16931:2017#compliant#urn:fdc:peppol.eu:2017:poacc:billing:3.0");
const QString PeppolProcessus = QStringLiteral("urn:fdc:peppol.eu:2017:poacc:billing:01:1.0");

QString U(const std::string& octets) {
    return VersQString(octets);
}
QString A(const std::string& ascii) {
    return QString::fromLatin1(ascii.c_str());
}

class Ecrivain {
public:
    Ecrivain(QByteArray* sortie, bool avoir) : x(sortie), avoir(avoir) {
        x.setAutoFormatting(true);
    }

    void Debut(const char* nom) { x.writeStartElement(Cac, QLatin1String(nom)); }
    void Fin() { x.writeEndElement(); }
    void B(const char* nom, const QString& valeur) {
        x.writeTextElement(Cbc, QLatin1String(nom), valeur);
    }
    void Schema(const char* nom, const QString& schema, const QString& valeur) {
        x.writeStartElement(Cbc, QLatin1String(nom));
        x.writeAttribute(QStringLiteral("schemeID"), schema);
        x.writeCharacters(valeur);
        x.writeEndElement();
    }
    // Every amount carries its currency.
    void Montant(const char* nom, Centimes c) {
        x.writeStartElement(Cbc, QLatin1String(nom));
        x.writeAttribute(QStringLiteral("currencyID"), QStringLiteral("EUR"));
        x.writeCharacters(A(TexteXml(c)));
        x.writeEndElement();
    }
    void Date(const char* nom, const QDate& d) { B(nom, d.toString(QStringLiteral("yyyy-MM-dd"))); }
    void Adresse(const std::string& rue, const std::string& cp, const std::string& ville,
                 const std::string& pays, const char* element = "PostalAddress") {
        Debut(element);
        B("StreetName", U(Trim(rue)));
        B("CityName", U(Trim(ville)));
        B("PostalZone", U(Trim(cp)));
        Debut("Country");
        B("IdentificationCode", A(Compacte(pays)));
        Fin();
        Fin();
    }
    void RegimeFiscal(const QString& numero, const char* regime) {
        Debut("PartyTaxScheme");
        B("CompanyID", numero);
        Debut("TaxScheme");
        B("ID", QLatin1String(regime));
        Fin();
        Fin();
    }
    void CategorieTva(const char* element, Categorie c, int taux) {
        Debut(element);
        B("ID", QLatin1String(CodeCategorie(c)));
        B("Percent", A(TexteDecimal(taux, 2)));
        if (c == Categorie::Exoneree) {
            B("TaxExemptionReasonCode", QStringLiteral("VATEX-FR-FRANCHISE"));
            B("TaxExemptionReason", U(MentionFranchise));
        }
        Debut("TaxScheme");
        B("ID", QStringLiteral("VAT"));
        Fin();
        Fin();
    }

    QXmlStreamWriter x;
    const bool avoir;
};

// The notes, each with its subject code in front ("#PMD#..."), the kind of
// exchange first. Peppol takes a single note: they are then joined in one,
// each code still in front of its text.
std::vector<QString> Notes(const FactureElectronique& fe) {
    std::vector<QString> n;
    const auto note = [&n](const std::string& texte, const char* sujet) {
        n.push_back((sujet ? QStringLiteral("#%1#").arg(QLatin1String(sujet)) : QString()) +
                    U(texte));
    };
    note(CodeTraitement(fe.Ach), "BAR");
    note(fe.Vend.NotePenalites, "PMD");
    note(fe.Vend.NoteIndemnite, "PMT");
    note(fe.Vend.NoteEscompte, "AAB");
    if (fe.Vend.Franchise) note(MentionFranchise, "TXD");
    for (const auto& t : fe.Notes)
        note(t, nullptr);
    if (!ProfilPeppol(fe)) return n;
    // The kind of exchange is read up to the next "#": nothing may come between.
    QString une = n[0] + n[1];
    for (std::size_t i = 2; i < n.size(); ++i)
        une += QLatin1Char('\n') + n[i];
    return {une};
}

void Document(Ecrivain& e, const FactureElectronique& fe) {
    const bool peppol = ProfilPeppol(fe);
    e.B("CustomizationID", peppol ? PeppolSpecification : Cen);
    e.B("ProfileID", peppol ? PeppolProcessus : A(CodeCadre(fe.Nature, fe.Payee)));
    e.B("ID", A(fe.Numero));
    e.Date("IssueDate", fe.Date);
    // A credit note's due date goes with its means of payment.
    if (!fe.Avoir) e.Date("DueDate", fe.Autres.Echeance);
    e.B(fe.Avoir ? "CreditNoteTypeCode" : "InvoiceTypeCode",
        fe.Avoir ? QStringLiteral("381") : QStringLiteral("380"));
    for (const QString& n : Notes(fe))
        e.B("Note", n);
    e.B("DocumentCurrencyCode", QStringLiteral("EUR"));
    // Peppol asks a reference of the buyer: the code it has in the book.
    if (peppol) e.B("BuyerReference", U(fe.CodeClient.empty() ? fe.Numero : fe.CodeClient));
    // The VAT of services due on the invoice's date (the option for debits).
    if (fe.TvaSurDebits) {
        e.Debut("InvoicePeriod");
        e.B("DescriptionCode", QStringLiteral("3"));
        e.Fin();
    }
    if (fe.Avoir) {
        e.Debut("BillingReference");
        e.Debut("InvoiceDocumentReference");
        e.B("ID", U(fe.Autres.FactureCorrigee));
        e.Date("IssueDate", fe.Autres.DateFactureCorrigee);
        e.Fin();
        e.Fin();
    }
}

void Parties(Ecrivain& e, const FactureElectronique& fe) {
    const Vendeur& v = fe.Vend;
    const Acheteur& a = fe.Ach;
    e.Debut("AccountingSupplierParty");
    e.Debut("Party");
    e.Schema("EndpointID", QLatin1String(SchemaAnnuaire), U(Trim(v.AdresseElectronique)));
    e.Debut("PartyIdentification");
    e.Schema("ID", QStringLiteral("0009"), A(Compacte(v.Siret)));
    e.Fin();
    e.Adresse(v.Rue, v.CodePostal, v.Ville, v.Pays);
    // A small business without a VAT number is registered for tax by its SIREN.
    if (!Trim(v.NumeroTVA).empty())
        e.RegimeFiscal(A(Compacte(v.NumeroTVA)), "VAT");
    else
        e.RegimeFiscal(A(Compacte(v.Siren)), "FC");
    e.Debut("PartyLegalEntity");
    e.B("RegistrationName", U(fe.NomVendeur));
    e.Schema("CompanyID", QStringLiteral("0002"), A(Compacte(v.Siren)));
    e.Fin();
    e.Fin();
    e.Fin();

    e.Debut("AccountingCustomerParty");
    e.Debut("Party");
    const IdentifiantReseau adresse = AdresseAcheteur(a);
    e.Schema("EndpointID", A(adresse.Schema), U(adresse.Identifiant));
    e.Adresse(a.Rue, a.CodePostal, a.Ville, a.Pays);
    if (!Trim(a.NumeroTVA).empty()) e.RegimeFiscal(A(Compacte(a.NumeroTVA)), "VAT");
    e.Debut("PartyLegalEntity");
    e.B("RegistrationName", U(Trim(a.Nom)));
    if (!Trim(a.Siren).empty()) e.Schema("CompanyID", QStringLiteral("0002"), A(Compacte(a.Siren)));
    e.Fin();
    e.Fin();
    e.Fin();
}

void Livraison(Ecrivain& e, const FactureElectronique& fe) {
    e.Debut("Delivery");
    e.Date("ActualDeliveryDate", fe.Autres.Livraison);
    if (const auto& l = fe.Autres.LieuLivraison) {
        e.Debut("DeliveryLocation");
        e.Adresse(l->Rue, l->CodePostal, l->Ville, l->Pays, "Address");
        e.Fin();
        if (!Trim(l->Nom).empty()) {
            e.Debut("DeliveryParty");
            e.Debut("PartyName");
            e.B("Name", U(Trim(l->Nom)));
            e.Fin();
            e.Fin();
        }
    }
    e.Fin();
}

void Reglement(Ecrivain& e, const FactureElectronique& fe) {
    const Vendeur& v = fe.Vend;
    const bool virement = !Trim(v.Iban).empty();
    if (virement || fe.Avoir) {
        e.Debut("PaymentMeans");
        // Without the seller's account a credit note's refund has no set means.
        e.B("PaymentMeansCode", virement ? QStringLiteral("58") : QStringLiteral("1"));
        if (fe.Avoir) e.Date("PaymentDueDate", fe.Autres.Echeance);
        if (virement) {
            e.Debut("PayeeFinancialAccount");
            e.B("ID", A(Compacte(v.Iban)));
            if (!Trim(v.Bic).empty()) {
                e.Debut("FinancialInstitutionBranch");
                e.B("ID", A(Compacte(v.Bic)));
                e.Fin();
            }
            e.Fin();
        }
        e.Fin();
    }
    if (!fe.Conditions.empty()) {
        e.Debut("PaymentTerms");
        e.B("Note", U(fe.Conditions));
        e.Fin();
    }
    e.Debut("TaxTotal");
    e.Montant("TaxAmount", fe.TotalTVA);
    for (const auto& t : fe.Tva) {
        e.Debut("TaxSubtotal");
        e.Montant("TaxableAmount", t.Base);
        e.Montant("TaxAmount", t.Montant);
        e.CategorieTva("TaxCategory", t.Cat, t.Taux);
        e.Fin();
    }
    e.Fin();
    e.Debut("LegalMonetaryTotal");
    e.Montant("LineExtensionAmount", fe.TotalLignes);
    e.Montant("TaxExclusiveAmount", fe.TotalLignes);
    e.Montant("TaxInclusiveAmount", fe.TotalTTC);
    if (fe.Payee) e.Montant("PrepaidAmount", fe.DejaPaye);
    e.Montant("PayableAmount", fe.NetAPayer);
    e.Fin();
}

void Ligne(Ecrivain& e, const LigneFE& l) {
    e.Debut(e.avoir ? "CreditNoteLine" : "InvoiceLine");
    e.B("ID", QString::number(l.Numero));
    e.x.writeStartElement(Cbc, e.avoir ? QStringLiteral("CreditedQuantity")
                                       : QStringLiteral("InvoicedQuantity"));
    e.x.writeAttribute(QStringLiteral("unitCode"), QStringLiteral("C62")); // "one", a unit
    e.x.writeCharacters(A(TexteDecimalCourt(l.Quantite, 4)));
    e.x.writeEndElement();
    e.Montant("LineExtensionAmount", l.Montant);
    if (l.MontantRemise != 0) {
        // A discount is a line allowance; a negative one (a surcharge) a line charge.
        const bool majoration = l.Remise < 0;
        e.Debut("AllowanceCharge");
        e.B("ChargeIndicator", majoration ? QStringLiteral("true") : QStringLiteral("false"));
        e.B("AllowanceChargeReason",
            majoration ? QStringLiteral("Majoration") : QStringLiteral("Remise"));
        e.B("MultiplierFactorNumeric", A(TexteDecimalCourt(std::llabs(l.Remise), 4)));
        e.Montant("Amount", majoration ? -l.MontantRemise : l.MontantRemise);
        e.Montant("BaseAmount", l.Brut);
        e.Fin();
    }
    e.Debut("Item");
    if (!l.Description.empty()) e.B("Description", U(l.Description));
    e.B("Name", U(l.Designation));
    e.CategorieTva("ClassifiedTaxCategory", l.Cat, l.Taux);
    e.Fin();
    e.Debut("Price");
    e.x.writeStartElement(Cbc, QStringLiteral("PriceAmount"));
    e.x.writeAttribute(QStringLiteral("currencyID"), QStringLiteral("EUR"));
    e.x.writeCharacters(A(TexteDecimalCourt(l.PrixNet, 6)));
    e.x.writeEndElement();
    e.Fin();
    e.Fin();
}

} // namespace

QByteArray EcritUBL(const FactureElectronique& fe) {
    QByteArray sortie;
    Ecrivain e(&sortie, fe.Avoir);
    e.x.writeStartDocument();
    e.x.writeDefaultNamespace(fe.Avoir ? NsAvoir : NsFacture);
    e.x.writeNamespace(Cac, QStringLiteral("cac"));
    e.x.writeNamespace(Cbc, QStringLiteral("cbc"));
    e.x.writeStartElement(fe.Avoir ? NsAvoir : NsFacture,
                          fe.Avoir ? QStringLiteral("CreditNote") : QStringLiteral("Invoice"));
    Document(e, fe);
    Parties(e, fe);
    Livraison(e, fe);
    Reglement(e, fe);
    for (const auto& l : fe.Lignes)
        Ligne(e, l);
    e.x.writeEndElement();
    e.x.writeEndDocument();
    return sortie;
}

} // namespace kyr
