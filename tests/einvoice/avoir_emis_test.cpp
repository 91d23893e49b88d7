// The e-invoice of a credit note made from an issued invoice: the export
// proposes the corrected invoice's number and date (BT-25, BT-26) from that
// link, issues the credit note as it writes it, and the XML passes the rules.
#include "book/livre_emis.h"
#include "einvoice/cii.h"
#include "einvoice/documents.h"
#include "einvoice/export_facturx.h"
#include "support/validateur.h"

#include <QFile>

namespace kyr::test {
namespace {

class AvoirEmis : public LivreEmisTest {
protected:
    std::vector<SaisieExport> proposes;
    QByteArray xml;

    void SetUp() override {
        LivreEmisTest::SetUp();
        const auto taux = f.reglages.TauxTVA;
        f.reglages = ReglagesEuros();
        f.reglages.TauxTVA = taux;
        f.Societe = DocumentTest().Societe;
        SauveVendeur(VendeurTest());
        Ouvre(BlocEmis(0, "202603001"));
    }
    // The export, the dialog answering what it proposes with the buyer added.
    QString Exporte(const QString& nom) {
        p.nomsEnregistrer.push_back(dossier.chemin(nom));
        return ExporteFacturX(
            f, dossier.path(),
            [this](const SaisieExport& s) {
                proposes.push_back(s);
                SaisieExport r = s;
                r.Ach = AcheteurTest();
                return std::optional<SaisieExport>(r);
            },
            [this](const QString& chemin, const FactureElectronique& fe, const Fiche&) {
                xml = EcritCII(fe);
                QFile(chemin).open(QIODevice::WriteOnly);
            });
    }
};

TEST_F(AvoirEmis, LAvoirNommeLaFactureQuIlCorrige) {
    // The invoice is issued by its own export.
    ASSERT_FALSE(Exporte(QStringLiteral("facture.pdf")).isEmpty());
    ASSERT_TRUE(f.EmissionCourante);
    EXPECT_TRUE(proposes[0].Autres.FactureCorrigee.empty());

    p.maintenant = QDateTime(QDate(2026, 3, 12), QTime(8, 30));
    ASSERT_TRUE(f.CreeAvoir());
    ASSERT_FALSE(Exporte(QStringLiteral("avoir.pdf")).isEmpty());
    ASSERT_EQ(proposes.size(), 2u);
    EXPECT_EQ(proposes[1].Autres.FactureCorrigee, "202603001");
    EXPECT_EQ(proposes[1].Autres.DateFactureCorrigee, QDate(2026, 3, 9));
    const QByteArray reference = xml.mid(xml.indexOf("<ram:InvoiceReferencedDocument>"));
    EXPECT_TRUE(reference.contains("<ram:IssuerAssignedID>202603001</ram:IssuerAssignedID>"));
    EXPECT_TRUE(reference.contains("format=\"102\">20260309<")) << reference.toStdString();
    EXPECT_TRUE(xml.contains("<ram:TypeCode>381</ram:TypeCode>"));

    // Both issued, the credit note linked to its invoice in the register.
    const auto entrees = LitRegistre(Registre()).Entrees;
    ASSERT_EQ(entrees.size(), 2u);
    EXPECT_EQ(entrees[1].Genre, 'A');
    EXPECT_EQ(entrees[1].Numero, "202603002");
    EXPECT_EQ(entrees[1].FactureCorrigee, "202603001");
    EXPECT_EQ(entrees[1].DateFactureCorrigee, "09/03/2026");
    // Once issued, the link comes from the register, whatever the memo says now.
    f.fiche.Memo = {"Merci"};
    EXPECT_EQ(f.FactureCorrigee(), (LienAvoir{"202603001", QDate(2026, 3, 9)}));

    KYR_EXIGE_VALIDATEUR();
    const QString chemin = dossier.chemin(QStringLiteral("avoir.xml"));
    QFile fichier(chemin);
    ASSERT_TRUE(fichier.open(QIODevice::WriteOnly));
    fichier.write(xml);
    fichier.close();
    const Verdict v = Valide(chemin);
    KYR_EXPECT_VALIDE(v, "avoir émis");
}

} // namespace
} // namespace kyr::test
