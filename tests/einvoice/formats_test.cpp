// The three formats of one document: the CII and UBL XML carry the same
// figures as the invoice model, to the cent; the UBL shape of a credit note
// and of a Peppol buyer; the buyer's electronic address as the rules take
// it; the format remembered in Fact.fxv.
#include "einvoice/codes.h"
#include "einvoice/controles.h"
#include "einvoice/documents.h"
#include "einvoice/fichiers_tiers.h"
#include "einvoice/format_fe.h"
#include "support/dossier_temporaire.h"
#include "support/octets_fichier.h"

#include <QXmlStreamReader>
#include <gtest/gtest.h>
#include <map>

using namespace kyr;
using namespace kyr::test;

namespace {

// Each element's text by its path of local names ("Invoice/LegalMonetaryTotal/..."),
// in document order.
using Textes = std::map<std::string, std::vector<std::string>>;
Textes Arbre(const QByteArray& xml) {
    Textes t;
    QXmlStreamReader x(xml);
    std::vector<std::string> chemin;
    std::vector<std::string> texte;
    while (!x.atEnd()) {
        const auto j = x.readNext();
        if (j == QXmlStreamReader::StartElement) {
            chemin.push_back(x.name().toString().toStdString());
            texte.emplace_back();
        } else if (j == QXmlStreamReader::Characters && !texte.empty()) {
            texte.back() += x.text().toString().trimmed().toStdString();
        } else if (j == QXmlStreamReader::EndElement) {
            std::string p;
            for (const auto& c : chemin)
                p += (p.empty() ? "" : "/") + c;
            if (!texte.back().empty()) t[p].push_back(texte.back());
            chemin.pop_back();
            texte.pop_back();
        }
    }
    return t;
}

struct Chiffres {
    std::vector<std::string> lignes, quantites, prix, bases, tva, taux;
    std::string ht, totalTva, ttc, du;
    bool operator==(const Chiffres&) const = default;
};

std::vector<std::string> Champ(const Textes& t, const std::string& chemin) {
    const auto it = t.find(chemin);
    return it == t.end() ? std::vector<std::string>() : it->second;
}
std::string Un(const Textes& t, const std::string& chemin) {
    const auto v = Champ(t, chemin);
    return v.size() == 1 ? v[0] : "?" + std::to_string(v.size());
}

Chiffres DuCII(const QByteArray& xml) {
    const Textes t = Arbre(xml);
    const std::string tr = "CrossIndustryInvoice/SupplyChainTradeTransaction/";
    const std::string l = tr + "IncludedSupplyChainTradeLineItem/";
    const std::string r = tr + "ApplicableHeaderTradeSettlement/";
    const std::string s = r + "SpecifiedTradeSettlementHeaderMonetarySummation/";
    return {Champ(t, l + "SpecifiedLineTradeSettlement/"
                         "SpecifiedTradeSettlementLineMonetarySummation/LineTotalAmount"),
            Champ(t, l + "SpecifiedLineTradeDelivery/BilledQuantity"),
            Champ(t, l + "SpecifiedLineTradeAgreement/NetPriceProductTradePrice/ChargeAmount"),
            Champ(t, r + "ApplicableTradeTax/BasisAmount"),
            Champ(t, r + "ApplicableTradeTax/CalculatedAmount"),
            Champ(t, r + "ApplicableTradeTax/RateApplicablePercent"),
            Un(t, s + "TaxBasisTotalAmount"),
            Un(t, s + "TaxTotalAmount"),
            Un(t, s + "GrandTotalAmount"),
            Un(t, s + "DuePayableAmount")};
}

Chiffres DuUBL(const QByteArray& xml, bool avoir) {
    const Textes t = Arbre(xml);
    const std::string racine = avoir ? "CreditNote/" : "Invoice/";
    const std::string l = racine + (avoir ? "CreditNoteLine/" : "InvoiceLine/");
    const std::string m = racine + "LegalMonetaryTotal/";
    return {Champ(t, l + "LineExtensionAmount"),
            Champ(t, l + (avoir ? "CreditedQuantity" : "InvoicedQuantity")),
            Champ(t, l + "Price/PriceAmount"),
            Champ(t, racine + "TaxTotal/TaxSubtotal/TaxableAmount"),
            Champ(t, racine + "TaxTotal/TaxSubtotal/TaxAmount"),
            Champ(t, racine + "TaxTotal/TaxSubtotal/TaxCategory/Percent"),
            Un(t, m + "TaxExclusiveAmount"),
            Un(t, racine + "TaxTotal/TaxAmount"),
            Un(t, m + "TaxInclusiveAmount"),
            Un(t, m + "PayableAmount")};
}

// The figures of the model itself, as the XML writes numbers.
Chiffres DuModele(const FactureElectronique& fe) {
    Chiffres c;
    for (const auto& l : fe.Lignes) {
        c.lignes.push_back(TexteXml(l.Montant));
        c.quantites.push_back(TexteDecimalCourt(l.Quantite, 4));
        c.prix.push_back(TexteDecimalCourt(l.PrixNet, 6));
    }
    for (const auto& t : fe.Tva) {
        c.bases.push_back(TexteXml(t.Base));
        c.tva.push_back(TexteXml(t.Montant));
        c.taux.push_back(TexteDecimal(t.Taux, 2));
    }
    c.ht = TexteXml(fe.TotalLignes);
    c.totalTva = TexteXml(fe.TotalTVA);
    c.ttc = TexteXml(fe.TotalTTC);
    c.du = TexteXml(fe.NetAPayer);
    return c;
}

FactureElectronique Fe(const DocumentTest& d) {
    const auto r = d.Construit();
    if (std::holds_alternative<Refus>(r)) {
        ADD_FAILURE() << d.Nom << " : " << std::get<Refus>(r).Message.toStdString();
        return {};
    }
    return std::get<FactureElectronique>(r);
}

} // namespace

TEST(Formats, CiiAndUblOfEveryDocumentCarryTheModelsFigures) {
    for (const auto& d : DocumentsTest()) {
        SCOPED_TRACE(d.Nom);
        const FactureElectronique fe = Fe(d);
        const Chiffres modele = DuModele(fe);
        ASSERT_FALSE(modele.lignes.empty());
        EXPECT_EQ(DuCII(XmlFormat(FormatFE::CII, fe)), modele);
        EXPECT_EQ(DuUBL(XmlFormat(FormatFE::UBL, fe), fe.Avoir), modele);
        // The Factur-X file attaches the very CII bytes (checked in its own test).
        EXPECT_EQ(XmlFormat(FormatFE::FacturX, fe), XmlFormat(FormatFE::CII, fe));
    }
}

TEST(Formats, UblInvoiceCreditNoteAndPeppolBuyer) {
    struct Cas {
        std::string document;
        std::vector<std::pair<std::string, std::string>> attendus; // path, its one text
        std::vector<std::string> absents;
    };
    const Cas cas[] = {
        {"exemple",
         {{"Invoice/CustomizationID", "urn:cen.eu:en16931:2017"},
          {"Invoice/ProfileID", "M2"}, // goods and services, paid
          {"Invoice/InvoiceTypeCode", "380"},
          {"Invoice/AccountingCustomerParty/Party/EndpointID", "443061841"},
          {"Invoice/AccountingSupplierParty/Party/PartyLegalEntity/CompanyID", "732829320"},
          {"Invoice/PaymentMeans/PayeeFinancialAccount/ID", "FR7630006000011234567890189"}},
         {"Invoice/BuyerReference", "Invoice/BillingReference/InvoiceDocumentReference/ID"}},
        {"avoir",
         {{"CreditNote/CreditNoteTypeCode", "381"},
          {"CreditNote/ProfileID", "M1"},
          {"CreditNote/BillingReference/InvoiceDocumentReference/ID", "202601006"},
          {"CreditNote/BillingReference/InvoiceDocumentReference/IssueDate", "2026-09-15"},
          {"CreditNote/PaymentMeans/PaymentDueDate", "2026-10-20"},
          {"CreditNote/CreditNoteLine/AllowanceCharge/MultiplierFactorNumeric", "10"}},
         {"CreditNote/DueDate", "CreditNote/InvoiceTypeCode"}},
        {"particulier",
         {{"Invoice/AccountingCustomerParty/Party/EndpointID", "claire.martin@example.fr"}},
         {"Invoice/AccountingCustomerParty/Party/PartyLegalEntity/CompanyID"}},
        {"franchise",
         {{"Invoice/TaxTotal/TaxSubtotal/TaxCategory/TaxExemptionReasonCode", "VATEX-FR-FRANCHISE"},
          {"Invoice/AccountingSupplierParty/Party/PartyTaxScheme/TaxScheme/ID", "FC"}},
         {}},
        {"belge",
         {{"Invoice/CustomizationID",
           "urn:cen.eu:en16931:2017#compliant#urn:fdc:peppol.eu:2017:poacc:billing:3.0"},
          {"Invoice/ProfileID", "urn:fdc:peppol.eu:2017:poacc:billing:01:1.0"},
          {"Invoice/AccountingCustomerParty/Party/EndpointID", "0403169810"},
          {"Invoice/BuyerReference", "10002"}},
         {"Invoice/AccountingCustomerParty/Party/PartyLegalEntity/CompanyID"}},
    };
    for (const Cas& c : cas) {
        SCOPED_TRACE(c.document);
        DocumentTest d;
        for (const auto& t : DocumentsTest())
            if (t.Nom == c.document) d = t;
        const QByteArray xml = XmlFormat(FormatFE::UBL, Fe(d));
        const Textes t = Arbre(xml);
        for (const auto& [chemin, texte] : c.attendus)
            EXPECT_EQ(Un(t, chemin), texte) << chemin;
        for (const auto& chemin : c.absents)
            EXPECT_TRUE(Champ(t, chemin).empty()) << chemin;
    }
    // Peppol takes one note; the French rules still find each subject in it,
    // the kind of exchange first, right before the next code.
    DocumentTest belge = DocumentsTest().back();
    ASSERT_EQ(belge.Nom, "belge");
    const FactureElectronique fe = Fe(belge);
    const Textes t = Arbre(XmlFormat(FormatFE::UBL, fe));
    ASSERT_EQ(Champ(t, "Invoice/Note").size(), 1u);
    EXPECT_TRUE(QString::fromStdString(Un(t, "Invoice/Note")).startsWith("#BAR#B2BINT#PMD#"));
    EXPECT_TRUE(XmlFormat(FormatFE::UBL, fe).contains("<cbc:EndpointID schemeID=\"0208\">"));
    EXPECT_TRUE(XmlFormat(FormatFE::CII, fe).contains("<ram:URIID schemeID=\"0208\">0403169810<"));
    EXPECT_TRUE(XmlFormat(FormatFE::CII, fe).contains("<ram:Content>B2BINT</ram:Content>"));
    // A French buyer: one note a subject, as in CII.
    const auto notes =
        Champ(Arbre(XmlFormat(FormatFE::UBL, Fe(DocumentsTest().front()))), "Invoice/Note");
    ASSERT_GE(notes.size(), 4u);
    EXPECT_EQ(notes[0], "#BAR#B2B");
    EXPECT_TRUE(QString::fromStdString(notes[1]).startsWith("#PMD#"));
}

TEST(Formats, TheBuyersAddressAsTheRulesTakeIt) {
    // (business, country, address, SIREN, expected message part; empty = accepted)
    const std::vector<std::tuple<bool, std::string, std::string, std::string, std::string>> cas = {
        {true, "FR", "443061841", "443061841", ""},
        {true, "FR", "0225:443061841", "443061841", ""},
        {true, "FR", "0208:0403169810", "443061841", "sans code de réseau"},
        {true, "FR", "552100554", "443061841", "commence par son SIREN"},
        {true, "BE", "0208:0403169810", "", ""},
        {true, "BE", "0208: 0403169810", "", ""},
        {true, "BE", "0403169810", "", "réseau Peppol"},
        {true, "BE", "", "", "identifiant Peppol"},
        {true, "BE", "0208:0403169811", "", "clé"},
        {true, "BE", "0208:040316981", "", "clé"},
        {true, "BE", "0088:5412345000013", "", "numéro d'entreprise"},
        {true, "DE", "0088:5412345000013", "", ""},
        {true, "DE", "1234:5412345000013", "", "code de réseau connu"},
        {true, "DE", "0088:54 123", "", "pas d'espace"},
        {false, "BE", "jan@example.be", "", ""},
        {false, "FR", "0208:0403169810", "", "nom@domaine.fr"},
    };
    for (const auto& [pro, pays, adresse, siren, attendu] : cas) {
        SCOPED_TRACE(pays + " " + adresse);
        const QString m = ControleAdresseAcheteur(adresse, siren, pro, pays);
        if (attendu.empty())
            EXPECT_TRUE(m.isEmpty()) << m.toStdString();
        else
            EXPECT_TRUE(m.contains(QString::fromStdString(attendu))) << m.toStdString();
    }
    // The model refuses what the dialog refuses: a Belgian business without Peppol.
    DocumentTest belge = DocumentsTest().back();
    belge.Ach.AdresseElectronique = "0403169810";
    const auto r = belge.Construit();
    ASSERT_TRUE(std::holds_alternative<Refus>(r));
    EXPECT_TRUE(std::get<Refus>(r).Message.contains("Peppol"));

    // The kind of exchange: domestic or international, business or consumer.
    Acheteur a = AcheteurTest();
    EXPECT_EQ(CodeTraitement(a), "B2B");
    a.Pays = "be";
    EXPECT_EQ(CodeTraitement(a), "B2BINT");
    a.Professionnel = false;
    EXPECT_EQ(CodeTraitement(a), "B2CINT");
}

TEST(Formats, TheFormatChosenIsKeptInTheSellersFileAndOldFilesReadAsFacturX) {
    DossierTemporaire dossier;
    for (FormatFE f : FormatsFE) {
        Vendeur v = VendeurTest();
        v.Format = f;
        SauveVendeur(v);
        Vendeur lu;
        ASSERT_TRUE(ChargeVendeur(lu));
        EXPECT_EQ(lu.Format, f);
        EXPECT_EQ(FormatDeCle(CleFormat(f)), f);
    }
    EXPECT_TRUE(OctetsFichier(NomFichierVendeur).ends_with("franchise=0\r\nformat=ubl\r\n"));
    // A file of before the choice, or a value it does not know: Factur-X.
    for (const char* contenu : {"siren=732829320\r\n", "siren=732829320\r\nformat=pdf\r\n"}) {
        EcritOctets(NomFichierVendeur, contenu);
        Vendeur lu = VendeurNeuf();
        ASSERT_TRUE(ChargeVendeur(lu));
        EXPECT_EQ(lu.Format, FormatFE::FacturX);
    }
    EXPECT_EQ(FormatDeCle("FACTUR-X"), std::nullopt);

    // The file names: the kind and the number, with the format's extension.
    Fiche f;
    f.Genre = GenreAvoir;
    f.Numero = "202609007";
    EXPECT_EQ(NomFichierFormat(f, FormatFE::FacturX), "Avoir 202609007.pdf");
    EXPECT_EQ(NomFichierFormat(f, FormatFE::UBL), "Avoir 202609007.xml");
}
