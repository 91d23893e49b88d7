// Every test document exported as a Factur-X file: a clean PDF, the XML
// attached as the validated one, PDF/A-3 and Factur-X in its XMP, every font
// embedded, and the page's totals those of the XML.
#include "einvoice/cii.h"
#include "einvoice/documents.h"
#include "einvoice/pdfa3.h"
#include "einvoice/ui/facturx_pdf.h"
#include "common/erreurs.h"
#include "support/dossier_temporaire.h"
#include "support/octets_fichier.h"
#include "support/panne_ecriture.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <gtest/gtest.h>
#include <qpdf/QPDF.hh>

#include <algorithm>

using namespace kyr;
using namespace kyr::test;

namespace {

struct Sortie {
    int code = -1;
    QString texte;
};

Sortie Lance(const QString& programme, const QStringList& arguments) {
    QProcess p;
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.start(programme, arguments);
    if (!p.waitForFinished(60000)) return {};
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1,
            QString::fromUtf8(p.readAll())};
}

QByteArray Octets(const QString& chemin) {
    QFile f(chemin);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

int NbLignesDe(const Fiche& f) {
    int n = 0;
    for (int r = 1; r <= DerniereRangee; ++r)
        for (const auto& c : f.Cellules[r])
            if (!c.empty()) n = r;
    return std::min(n + 1, DerniereRangee);
}

// Set KYR_PDF_GARDE to a folder to keep the file for looking at it.
void Garde(const QString& pdf) {
    const QString dossier = qEnvironmentVariable("KYR_PDF_GARDE");
    if (dossier.isEmpty()) return;
    const QString cible = QDir(dossier).filePath(QFileInfo(pdf).fileName());
    QFile::remove(cible);
    QFile::copy(pdf, cible);
}

} // namespace

class FacturX : public ::testing::TestWithParam<std::string> {};

TEST_P(FacturX, FileIsPdfA3WithTheXmlAndTheSameTotals) {
    for (const char* outil : {"qpdf", "pdfdetach", "pdfinfo", "pdffonts", "pdftotext"})
        if (QStandardPaths::findExecutable(QString::fromLatin1(outil)).isEmpty()) {
            if (qEnvironmentVariable("CI") == QLatin1String("true")) FAIL() << outil << " absent";
            GTEST_SKIP() << "vérification sautée : " << outil << " absent";
        }
    DocumentTest d;
    for (auto& t : DocumentsTest())
        if (t.Nom == GetParam()) d = t;
    const auto r = d.Construit();
    ASSERT_TRUE(std::holds_alternative<FactureElectronique>(r));
    const FactureElectronique fe = std::get<FactureElectronique>(r);
    const Fiche page = FicheDeLaPage(d.F, d.R, fe, Largeur7);

    DossierTemporaire dossier;
    const QString pdf = dossier.chemin(QString::fromStdString(d.Nom) + ".pdf");
    EcritFacturX(pdf, fe, page, NbLignesDe(page), d.Societe,
                 QDateTime(QDate(2026, 9, 30), QTime(10, 0)));

    const Sortie check = Lance("qpdf", {"--check", pdf});
    EXPECT_EQ(check.code, 0) << check.texte.toStdString();
    EXPECT_TRUE(check.texte.contains("No syntax or stream encoding errors found"));
    EXPECT_FALSE(check.texte.contains("WARNING")) << check.texte.toStdString();

    const Sortie liste = Lance("pdfdetach", {"-list", pdf});
    EXPECT_TRUE(liste.texte.contains("1 embedded files")) << liste.texte.toStdString();
    EXPECT_TRUE(liste.texte.contains("1: factur-x.xml"));
    const QString xml = dossier.chemin("extrait.xml");
    EXPECT_EQ(Lance("pdfdetach", {"-save", "1", "-o", xml, pdf}).code, 0);
    EXPECT_EQ(Octets(xml), EcritCII(fe)); // the bytes the validation tests check

    const Sortie meta = Lance("pdfinfo", {"-meta", pdf});
    for (const char* attendu : {"pdfaid:part=\"3\"", "pdfaid:conformance=\"B\"",
                                "<fx:DocumentType>INVOICE<", "<fx:DocumentFileName>factur-x.xml<",
                                "<fx:Version>1.0<", "<fx:ConformanceLevel>EN 16931<",
                                "Factur-X PDFA Extension Schema", "<pdfaSchema:prefix>fx<"})
        EXPECT_TRUE(meta.texte.contains(QString::fromLatin1(attendu))) << attendu;

    const Sortie polices = Lance("pdffonts", {pdf});
    const QStringList lignes = polices.texte.split('\n', Qt::SkipEmptyParts);
    ASSERT_GE(lignes.size(), 3) << polices.texte.toStdString(); // headings and one font at least
    for (int i = 2; i < lignes.size(); ++i) {
        // name type encoding emb sub uni object ID: "emb" is the 4th column from the right
        const QStringList c = lignes[i].split(' ', Qt::SkipEmptyParts);
        ASSERT_GE(c.size(), 7);
        EXPECT_EQ(c[c.size() - 5], "yes") << lignes[i].toStdString();
    }

    const QString texte = Lance("pdftotext", {"-layout", pdf, "-"}).texte;
    EXPECT_TRUE(texte.contains("Euros"));             // the currency of the totals
    EXPECT_TRUE(texte.contains("SIREN 732 829 320")); // the legal mentions at the foot
    for (Centimes total : {fe.TotalLignes, fe.TotalTVA, fe.TotalTTC})
        EXPECT_TRUE(texte.contains(QString::fromStdString(TextePage(total))))
            << TextePage(total) << "\n"
            << texte.toStdString();

    // The structure PDF/A-3 asks of an associated file.
    QPDF lu;
    lu.processFile(pdf.toLocal8Bit().constData());
    QPDFObjectHandle af = lu.getRoot().getKey("/AF");
    ASSERT_TRUE(af.isArray());
    QPDFObjectHandle spec = af.getArrayItem(0);
    EXPECT_EQ(spec.getKey("/AFRelationship").getName(), "/Data");
    EXPECT_EQ(spec.getKey("/F").getUTF8Value(), "factur-x.xml");
    EXPECT_EQ(spec.getKey("/UF").getUTF8Value(), "factur-x.xml");
    EXPECT_TRUE(spec.getKey("/Desc").isString());
    QPDFObjectHandle flux = spec.getKey("/EF").getKey("/F");
    EXPECT_EQ(flux.getDict().getKey("/Subtype").getName(), "/text/xml");
    EXPECT_EQ(flux.getDict().getKey("/Params").getKey("/ModDate").getUTF8Value(),
              "D:20260930100000Z");
    EXPECT_TRUE(lu.getRoot().getKey("/Names").getKey("/EmbeddedFiles").isDictionary());
    EXPECT_TRUE(lu.getRoot().getKey("/OutputIntents").isArray());
    EXPECT_GE(lu.getPDFVersion(), "1.7");
}

INSTANTIATE_TEST_SUITE_P(Documents, FacturX,
                         ::testing::Values("exemple", "ttc", "remises", "avoir", "payee",
                                           "lignes63", "particulier", "franchise", "debits"));

// The page read back: each rate's base and VAT and the buyer are the XML's,
// even when the document's own address lines say something else.
TEST(FacturXPage, ThreeRatesAndTheBuyerAsTheXmlSaysThem) {
    if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty() ||
        QStandardPaths::findExecutable(QStringLiteral("pdfdetach")).isEmpty()) {
        if (qEnvironmentVariable("CI") == QLatin1String("true")) FAIL() << "poppler absent";
        GTEST_SKIP() << "poppler absent";
    }
    DocumentTest d;
    for (auto& t : DocumentsTest())
        if (t.Nom == "debits") d = t;
    d.F.Adresse = {"M. Durand, ancienne adresse",
                   "1 impasse Oublié"
                   "e",
                   "", ""};
    const FactureElectronique fe = std::get<FactureElectronique>(d.Construit());
    ASSERT_EQ(fe.Tva.size(), 3u);
    DossierTemporaire dossier;
    const QString pdf = dossier.chemin("trois_taux.pdf");
    const Fiche page = FicheDeLaPage(d.F, d.R, fe, Largeur7);
    EcritFacturX(pdf, fe, page, NbLignesDe(page), d.Societe, QDateTime::currentDateTime());
    const QString texte = Lance("pdftotext", {"-layout", pdf, "-"}).texte;
    const QString xml = dossier.chemin("x.xml");
    ASSERT_EQ(Lance("pdfdetach", {"-save", "1", "-o", xml, pdf}).code, 0);
    const QString lu = QString::fromUtf8(Octets(xml));

    EXPECT_TRUE(texte.contains("Taux de TVA")) << texte.toStdString();
    for (const auto& t : fe.Tva) {
        std::string taux = TexteDecimalCourt(t.Taux, 2);
        std::replace(taux.begin(), taux.end(), '.', ',');
        const QRegularExpression ligne(QString::fromStdString(taux + " %\\s+" + TextePage(t.Base) +
                                                              "\\s+" + TextePage(t.Montant)));
        EXPECT_TRUE(texte.contains(ligne)) << ligne.pattern().toStdString();
        EXPECT_TRUE(lu.contains(QString::fromStdString("<ram:BasisAmount>" + TexteXml(t.Base))));
        EXPECT_TRUE(
            lu.contains(QString::fromStdString("<ram:CalculatedAmount>" + TexteXml(t.Montant))));
    }
    const std::pair<QString, QString> acheteur[] = {
        {"Garage du Centre", "<ram:Name>Garage du Centre</ram:Name>"},
        {"4 place de la Gare", "<ram:LineOne>4 place de la Gare</ram:LineOne>"},
        {"69002 Lyon", "<ram:PostcodeCode>69002</ram:PostcodeCode>"},
        {"SIREN 443 061 841", "<ram:ID schemeID=\"0002\">443061841</ram:ID>"},
        {"FR64443061841", "<ram:ID schemeID=\"VA\">FR64443061841</ram:ID>"},
        {"Adresse de livraison : Chantier Dupont, 3 rue du Port, 69007 Lyon",
         "<ram:Name>Chantier Dupont</ram:Name>"},
        {QString::fromUtf8("Nature de l'opération : prestation de services"),
         "<ram:ID>S1</ram:ID>"},
        {QString::fromUtf8("Option pour le paiement de la taxe d'après les débits"),
         "<ram:DueDateTypeCode>5</ram:DueDateTypeCode>"},
    };
    for (const auto& [surLaPage, dansLeXml] : acheteur) {
        EXPECT_TRUE(texte.contains(surLaPage)) << surLaPage.toStdString();
        EXPECT_TRUE(lu.contains(dansLeXml)) << dansLeXml.toStdString();
    }
    EXPECT_FALSE(texte.contains("ancienne adresse"));
    EXPECT_FALSE(lu.contains("ancienne adresse"));
    Garde(pdf);
}

TEST(FacturXRefus, APageThatIsNotPdfA1bIsRefusedAndNoFileIsWritten) {
    DossierTemporaire dossier;
    for (const QByteArray& page : {QByteArray("pas un PDF"), QByteArray()}) {
        try {
            AssembleFacturX(page, "<x/>", QDateTime::currentDateTimeUtc());
            ADD_FAILURE();
        } catch (const ErreurExecution& e) {
            EXPECT_TRUE(
                e.message().startsWith(QString::fromUtf8("La facture électronique n'a pu")));
        }
    }
    EXPECT_TRUE(XmpFacturX("<rdf:RDF></rdf:RDF>").empty());
    // A folder that does not exist: the safe writer's message, nothing written.
    const DocumentTest d = DocumentsTest().front();
    const FactureElectronique fe = std::get<FactureElectronique>(d.Construit());
    try {
        EcritFacturX(dossier.chemin("manque/f.pdf"), fe, d.F, 3, d.Societe,
                     QDateTime::currentDateTime());
        ADD_FAILURE();
    } catch (const ErreurExecution& e) {
        EXPECT_TRUE(e.message().startsWith(QString::fromUtf8("Ne peut créer le fichier")));
    }
}

TEST(FacturXRefus, AFailedWriteLeavesTheOldFile) {
    DossierTemporaire dossier;
    const DocumentTest d = DocumentsTest().front();
    const FactureElectronique fe = std::get<FactureElectronique>(d.Construit());
    const QString chemin = dossier.chemin("f.pdf");
    EcritOctets(chemin, "ancien contenu");
    for (const EtapeEcriture etape : EtapesEcriture) {
        SCOPED_TRACE(NomEtape(etape));
        PanneEcritureSimulee panne(etape);
        try {
            EcritFacturX(chemin, fe, d.F, 3, d.Societe, QDateTime::currentDateTime());
            ADD_FAILURE() << "no error";
        } catch (const ErreurExecution& e) {
            EXPECT_EQ(e.message(), QString::fromUtf8("Ne peut créer le fichier %1. %2")
                                       .arg(chemin, CauseEtape(etape)));
        }
        EXPECT_EQ(OctetsFichier(chemin), "ancien contenu");
        EXPECT_EQ(QDir(dossier.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"f.pdf"});
    }
}

// The qpdf module is opened from a folder: one without it (or with a damaged
// copy) gives the assembling failure's message naming the module.
TEST(FacturXRefus, AMissingOrDamagedModuleIsReportedByName) {
    DossierTemporaire vide;
    DossierTemporaire abime;
    EcritOctets(abime.chemin("libkyrfact_facturx.so"), "pas une bibliothèque");
    const std::pair<QString, const char*> cas[] = {{vide.path(), "absent)"},
                                                   {abime.path(), "illisible : "}};
    for (const auto& [dossier, raison] : cas) {
        try {
            OuvreModuleFacturX(dossier + QStringLiteral("/."));
            ADD_FAILURE() << dossier.toStdString();
        } catch (const ErreurExecution& e) {
            const QString module = QDir::toNativeSeparators(dossier + "/libkyrfact_facturx.so");
            EXPECT_TRUE(e.message().startsWith(
                QString::fromUtf8("La facture électronique n'a pu être assemblée (module %1 %2")
                    .arg(module, QString::fromUtf8(raison))))
                << e.message().toStdString();
            EXPECT_FALSE(e.message().endsWith(QLatin1Char('.'))); // the error box adds it
        }
    }
    EXPECT_NE(OuvreModuleFacturX(QString::fromLocal8Bit(qgetenv("KYR_MODULES"))), nullptr);
}
