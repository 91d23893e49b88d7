// Each check failing on a file made to fail it, and only there.
#include "recues/controles_recus.h"
#include "recues/recues_outils.h"

#include <gtest/gtest.h>

namespace kyr {
namespace {

using test::Donnee;

struct Cas {
    const char* nom;
    std::vector<std::pair<const char*, const char*>> changements; // in the sample CII
    const char* regle;                                            // among the findings
};

std::vector<std::string> Regles(const QByteArray& xml) {
    const Lecture l = test::Lit(xml);
    EXPECT_TRUE(l.Facture) << l.Refus.toStdString();
    std::vector<std::string> r;
    if (!l.Facture) return r;
    for (const auto& c : Controle(*l.Facture)) {
        EXPECT_FALSE(c.Texte.isEmpty());
        r.push_back(c.Regle);
    }
    return r;
}

TEST(ControlesRecus, ChaqueRegleSurUnFichierFaitPourEchouer) {
    const QByteArray base = Donnee(QStringLiteral("recue_cii.xml"));
    ASSERT_TRUE(Regles(base).empty());
    const std::vector<Cas> cas = {
        {"numero", {{"<ram:ID>FA-2026-0042</ram:ID>", ""}}, "BR-02"},
        {"date",
         {{"<ram:IssueDateTime><udt:DateTimeString "
           "format=\"102\">20260910</udt:DateTimeString></ram:IssueDateTime>",
           ""}},
         "BR-03"},
        {"date illisible", {{">20260910<", ">20261310<"}}, "KF-DATE"},
        {"type", {{"<ram:TypeCode>380</ram:TypeCode>", ""}}, "BR-04"},
        {"devise", {{"<ram:InvoiceCurrencyCode>EUR</ram:InvoiceCurrencyCode>", ""}}, "BR-05"},
        {"vendeur", {{"<ram:Name>Scierie Œuvre &amp; Fils — 森林</ram:Name>", ""}}, "BR-06"},
        {"acheteur", {{"<ram:Name>Menuiserie Durand</ram:Name>", ""}}, "BR-07"},
        {"identifiant du vendeur",
         {{"<ram:GlobalID schemeID=\"0009\">55210055400013</ram:GlobalID>", ""},
          {"<ram:SpecifiedLegalOrganization><ram:ID "
           "schemeID=\"0002\">552100554</ram:ID></ram:SpecifiedLegalOrganization>",
           ""},
          {"<ram:SpecifiedTaxRegistration><ram:ID "
           "schemeID=\"VA\">FR56552100554</ram:ID></ram:SpecifiedTaxRegistration>",
           ""}},
         "BR-CO-26"},
        {"totaux", {{"<ram:GrandTotalAmount>187.65</ram:GrandTotalAmount>", ""}}, "BR-14"},
        {"ventilation",
         {{"<ram:ApplicableTradeTax><ram:CalculatedAmount>26.00",
           "<ram:X><ram:CalculatedAmount>26.00"},
          {"<ram:RateApplicablePercent>20</ram:RateApplicablePercent></ram:ApplicableTradeTax>\n   "
           "   <ram:ApplicableTradeTax>",
           "<ram:RateApplicablePercent>20</ram:RateApplicablePercent></ram:X>\n      "
           "<ram:ApplicableTradeTax>"}},
         "BR-S-08"},
        {"BR-CO-10", {{"<ram:LineTotalAmount>155.00", "<ram:LineTotalAmount>155.01"}}, "BR-CO-10"},
        {"BR-CO-11",
         {{"<ram:AllowanceTotalAmount>5.00", "<ram:AllowanceTotalAmount>6.00"}},
         "BR-CO-11"},
        {"BR-CO-12", {{"<ram:ChargeTotalAmount>10.00", "<ram:ChargeTotalAmount>9.99"}}, "BR-CO-12"},
        {"BR-CO-13",
         {{"<ram:TaxBasisTotalAmount>160.00", "<ram:TaxBasisTotalAmount>160.01"}},
         "BR-CO-13"},
        {"BR-CO-14", {{">27.65<", ">27.66<"}}, "BR-CO-14"},
        {"BR-CO-15", {{">187.65<", ">187.66<"}}, "BR-CO-15"},
        {"BR-CO-16", {{">137.65<", ">137.64<"}}, "BR-CO-16"},
        {"BR-CO-17", {{">26.00<", ">26.01<"}}, "BR-CO-17"},
        {"base de TVA", {{">130.00<", ">131.00<"}}, "BR-S-08"},
        {"trois decimales", {{">125.00<", ">125.001<"}}, "BR-DEC-23"},
        {"virgule", {{">125.00<", ">125,00<"}}, "KF-NOMBRE"},
        {"pas un nombre", {{">1.65<", ">1.6.5<"}}, "KF-NOMBRE"},
        {"sans unite",
         {{"<ram:BilledQuantity unitCode=\"C62\">2<", "<ram:BilledQuantity>2<"}},
         "BR-23"},
        {"total negatif", {{">187.65<", ">-187.65<"}}, "KF-TOTAL"},
        {"total nul", {{">187.65<", ">0.00<"}}, "KF-TOTAL"},
        {"minimum", {{"urn:cen.eu:en16931:2017", "urn:factur-x.eu:1p0:minimum"}}, "KF-PROFIL"},
        {"basic wl", {{"urn:cen.eu:en16931:2017", "urn:factur-x.eu:1p0:basicwl"}}, "KF-PROFIL"},
        {"sans specification", {{"<ram:ID>urn:cen.eu:en16931:2017</ram:ID>", ""}}, "BR-01"},
        {"sans echeance",
         {{"<ram:Description>30 jours "
           "net</ram:Description><ram:DueDateDateTime><udt:DateTimeString "
           "format=\"102\">20261010</udt:DateTimeString></ram:DueDateDateTime>",
           ""}},
         "BR-CO-25"},
    };
    for (const Cas& c : cas) {
        SCOPED_TRACE(c.nom);
        QByteArray x = base;
        for (const auto& [avant, apres] : c.changements) {
            ASSERT_TRUE(x.contains(avant)) << avant;
            x.replace(QByteArray(avant), QByteArray(apres));
        }
        const auto r = Regles(x);
        EXPECT_NE(std::find(r.begin(), r.end(), c.regle), r.end()) << "pas de " << c.regle;
    }
}

TEST(ControlesRecus, CentLignesSansUniteDonnentUnSeulConstat) {
    QByteArray x = test::CIIDeNLignes(100);
    x.replace(" unitCode=\"C62\"", "");
    const auto r = Regles(x);
    EXPECT_EQ(std::count(r.begin(), r.end(), "BR-23"), 1);
    const Lecture l = test::Lit(x);
    for (const auto& c : Controle(*l.Facture))
        if (c.Regle == "BR-23") {
            EXPECT_EQ(c.Texte, QString::fromUtf8(
                                   "100 lignes sans unité de quantité (BT-130) (1, 2, 3, 4, 5…)"));
        }
}

TEST(ControlesRecus, TvaAttendueArrondieAuCentime) {
    struct {
        Centimes base;
        std::int64_t taux;
        Centimes tva;
    } const cas[] = {{13000, 200000, 2600}, {3000, 55000, 165}, {1, 55000, 0}, {10, 55000, 1},
                     {-10, 55000, -1},      {999, 21000, 21},   {0, 200000, 0}};
    for (const auto& c : cas)
        EXPECT_EQ(TvaAttendue(c.base, c.taux), c.tva) << c.base << " " << c.taux;
}

TEST(ControlesRecus, AcheteurReconnuParSonSirenSonSiretOuSaTVA) {
    const Lecture l = test::Lit(Donnee(QStringLiteral("recue_cii.xml")));
    ASSERT_TRUE(l.Facture);
    FactureRecue seulSiret = *l.Facture;
    seulSiret.Acheteur.IdLegal.clear();
    seulSiret.Acheteur.NumeroTVA.clear();
    seulSiret.Acheteur.AdresseElectronique.clear();
    seulSiret.Acheteur.Identifiant = QStringLiteral("732 829 320 00074");
    struct {
        const FactureRecue& f;
        const char* siren;
        const char* tva;
        const char* attendu; // "" when addressed to the company
    } const cas[] = {
        {*l.Facture, "732829320", "", ""},
        {*l.Facture, "732 829 320", "", ""},
        {*l.Facture, "", "fr44732829320", ""},
        {seulSiret, "732829320", "", ""},
        {*l.Facture, "552100554", "FR56552100554", PasAdresseeAVous},
        {seulSiret, "", "FR44732829320", PasAdresseeAVous},
        {*l.Facture, "", "", "Votre SIREN et votre numéro de TVA ne sont pas renseignés"},
    };
    for (const auto& c : cas) {
        SCOPED_TRACE(std::string(c.siren) + "/" + c.tva);
        const auto r = ControleAcheteur(c.f, c.siren, c.tva);
        if (!*c.attendu) {
            EXPECT_FALSE(r);
        } else {
            ASSERT_TRUE(r);
            EXPECT_EQ(r->Regle, "KF-ACHETEUR");
            EXPECT_TRUE(r->Texte.startsWith(QString::fromUtf8(c.attendu)))
                << r->Texte.toStdString();
        }
    }
}

} // namespace
} // namespace kyr
