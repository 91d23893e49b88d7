// The window of received invoices: the list as the index holds it, sorted
// and searched; an import by the dialog and by a drop; the view of a
// Factur-X the program itself made, its pages beside it, printed to PDF.
#include "einvoice/cii.h"
#include "einvoice/documents.h"
#include "einvoice/ui/facturx_pdf.h"
#include "printing/ui/sorties.h"
#include "recues/recues_outils.h"
#include "recues/ui/recues_dialog.h"
#include "recues/ui/vue_recue.h"
#include "support/attente.h"
#include "support/dossier_temporaire.h"
#include "support/plateforme_fausse.h"

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTextDocument>
#include <QMimeData>
#include <QProcess>
#include <QTableView>
#include <QUrl>
#include <QtTest>
#include <gtest/gtest.h>

namespace kyr {
namespace {

QString Ecrit(const test::DossierTemporaire& d, const QString& nom, const QByteArray& octets) {
    QFile f(d.chemin(nom));
    f.open(QIODevice::WriteOnly);
    f.write(octets);
    return d.chemin(nom);
}

QStringList Colonne(QTableView* t, int c) {
    QStringList r;
    for (int i = 0; i < t->model()->rowCount(); ++i)
        r << t->model()->index(i, c).data().toString();
    return r;
}

TEST(FenetreRecues, ImporterTrierChercherEtDeposer) {
    test::DossierTemporaire d;
    test::PlateformeFausse p;
    const QString dossier = d.chemin(QStringLiteral("livre.recues"));
    QByteArray autre = test::Donnee(QStringLiteral("recue_ubl.xml"));
    autre.replace("FA-2026-0042", "AV-7").replace("2026-09-10", "2026-08-01");
    const QStringList choisis = {
        Ecrit(d, QStringLiteral("a.xml"), test::Donnee(QStringLiteral("recue_cii.xml"))),
        Ecrit(d, QStringLiteral("b.xml"), autre),
        Ecrit(d, QStringLiteral("c.xml"), "pas une facture"),
        Ecrit(d, QStringLiteral("d.txt"), "texte")};
    TRecues w(dossier, std::nullopt, p, [&](QWidget*) { return choisis; });
    w.show();
    QTableView* t = w.table();
    EXPECT_EQ(t->model()->rowCount(), 0);
    QPushButton* importer = w.findChild<QPushButton*>(QStringLiteral("Button1"));
    ASSERT_TRUE(importer);
    importer->click();
    EXPECT_EQ(t->model()->rowCount(), 2);
    ASSERT_EQ(p.messages.size(), 1u);
    EXPECT_TRUE(p.messages[0].startsWith(
        QString::fromUtf8("2 gardée(s), 0 déjà reçue(s), 0 doublon(s), 2 refusée(s).")))
        << p.messages[0].toStdString();
    EXPECT_TRUE(p.messages[0].contains(
        QString::fromUtf8("c.xml : Ce fichier n'est ni un PDF ni un fichier XML")));
    EXPECT_TRUE(p.messages[0].contains(QStringLiteral("d.txt : ni .pdf ni .xml")));
    // Only what was read is kept: two invoices and the index.
    EXPECT_EQ(QDir(dossier).entryList(QDir::Files).size(), 3);

    // Newest first; the amounts sort as numbers.
    EXPECT_EQ(Colonne(t, 0), (QStringList{"10/09/2026", "01/08/2026"}));
    EXPECT_EQ(Colonne(t, 8), (QStringList{"conforme", "conforme"}));
    t->sortByColumn(0, Qt::AscendingOrder);
    EXPECT_EQ(Colonne(t, 2), (QStringList{"AV-7", "FA-2026-0042"}));

    auto* recherche = w.findChild<QLineEdit*>(QStringLiteral("Edit1"));
    QTest::keyClicks(recherche, QStringLiteral("0042"));
    EXPECT_EQ(Colonne(t, 2), (QStringList{"FA-2026-0042"}));
    EXPECT_EQ(w.findChild<QLabel*>(QStringLiteral("Label1"))->text(),
              QStringLiteral("1 sur 2 factures reçues"));
    recherche->setText(QStringLiteral("SCIERIE"));
    EXPECT_EQ(t->model()->rowCount(), 2);
    recherche->setText(QStringLiteral("personne"));
    EXPECT_EQ(t->model()->rowCount(), 0);
    recherche->clear();

    // A drop does what the dialog does: the same file again is already there.
    QMimeData donnees;
    donnees.setUrls({QUrl::fromLocalFile(choisis[0])});
    QDragEnterEvent entree(QPoint(10, 10), Qt::CopyAction, &donnees, Qt::LeftButton,
                           Qt::NoModifier);
    QApplication::sendEvent(&w, &entree);
    EXPECT_TRUE(entree.isAccepted());
    QDropEvent depot(QPointF(10, 10), Qt::CopyAction, &donnees, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&w, &depot);
    ASSERT_TRUE(test::Attend([&] { return p.messages.size() == 2; }));
    EXPECT_TRUE(p.messages[1].contains(QString::fromUtf8("déjà reçue")))
        << p.messages[1].toStdString();
    EXPECT_EQ(w.registre().Entrees.size(), 2u);

    // Another window on the same folder reads the same list from the index.
    TRecues relue(dossier, std::nullopt, p, {});
    EXPECT_EQ(relue.table()->model()->rowCount(), 2);
}

TEST(FenetreRecues, LivreSansFichier) {
    test::PlateformeFausse p;
    FacturesRecues(nullptr, p, QString());
    ASSERT_EQ(p.messages.size(), 1u);
    EXPECT_TRUE(p.messages[0].startsWith(QStringLiteral("Enregistrez d'abord le facturier")));
}

std::string TexteDuPdf(const QString& chemin) {
    QProcess pdftotext;
    pdftotext.start(QStringLiteral("pdftotext"),
                    {QStringLiteral("-layout"), chemin, QStringLiteral("-")});
    if (!pdftotext.waitForFinished(30000)) return {};
    return pdftotext.readAllStandardOutput().toStdString();
}

// A Factur-X the program itself writes: discounts at three rates, invoice 202601006.
QByteArray FacturXDuProgramme(const test::DossierTemporaire& d, test::PlateformeFausse& p) {
    const auto docs = test::DocumentsTest();
    const auto& doc = docs.at(2);
    const auto construit = doc.Construit();
    if (!std::holds_alternative<FactureElectronique>(construit)) return {};
    const QString chemin = d.chemin(QStringLiteral("facture.pdf"));
    EcritFacturX(chemin, std::get<FactureElectronique>(construit), doc.F, 5, doc.Societe,
                 p.Maintenant());
    QFile f(chemin);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

TEST(FenetreRecues, FacturXDuProgrammeAvecSesPagesEtSonImpression) {
    test::DossierTemporaire d;
    test::PlateformeFausse p;
    const QByteArray octets = FacturXDuProgramme(d, p);
    ASSERT_FALSE(octets.isEmpty());
    Vendeur moi = test::VendeurTest();
    moi.Siren = "552100554"; // someone else than the invoice's buyer
    TVueRecue vue(octets, QStringLiteral("facture.pdf"), moi, p);
    EXPECT_TRUE(vue.AvecPages());
    EXPECT_EQ(vue.findChild<QLabel*>(QStringLiteral("LabelPages")), nullptr);
    EXPECT_TRUE(vue.Html().contains(QStringLiteral("Facture n° 202601006")));
    EXPECT_TRUE(vue.Html().contains(QStringLiteral("Factur-X, profil EN 16931")));
    EXPECT_TRUE(vue.Html().contains(
        QString::fromUtf8("[KF-ACHETEUR] Cette facture n'est pas adressée à votre entreprise")));
    EXPECT_TRUE(vue.Html().contains(QStringLiteral("FR7630006000011234567890189")));

    // Printed (here to PDF, through the program's output), it reads the same.
    auto document = std::make_shared<QTextDocument>();
    document->setHtml(vue.Html());
    const QString pdf = d.chemin(QStringLiteral("vue.pdf"));
    EcritPdf(pdf, DessinTexte(document));
    const std::string texte = TexteDuPdf(pdf);
    if (texte.empty()) GTEST_SKIP() << "pdftotext absent";
    EXPECT_NE(texte.find("Facture n° 202601006"), std::string::npos);
    EXPECT_NE(texte.find("Contrôles de Kyr Facture : 1 écart"), std::string::npos);
    EXPECT_NE(texte.find("Page 1/"), std::string::npos);
}

// The pages are drawn by a module of their own: without it, or with a damaged
// copy, the invoice's data are all shown and a line says why its pages are not.
TEST(FenetreRecues, SansLeModuleDesPagesLaFactureSeLitEtLaVueDitPourquoi) {
    test::DossierTemporaire d;
    test::PlateformeFausse p;
    const QByteArray octets = FacturXDuProgramme(d, p);
    ASSERT_FALSE(octets.isEmpty());
    const QByteArray modules = qgetenv("KYR_MODULES");
    ASSERT_FALSE(modules.isEmpty());
    const QString facturx = QStringLiteral("libkyrfact_facturx.so");
    const QString pages = QStringLiteral("libkyrfact_pages.so");
    test::DossierTemporaire absent, abime;
    for (const auto* dossier : {&absent, &abime})
        ASSERT_TRUE(QFile::copy(QDir(QString::fromLocal8Bit(modules)).filePath(facturx),
                                dossier->chemin(facturx)));
    QFile f(abime.chemin(pages));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("pas une bibliothèque");
    f.close();
    const std::pair<const test::DossierTemporaire*, const char*> cas[] = {{&absent, "absent)."},
                                                                          {&abime, "illisible : "}};
    for (const auto& [dossier, raison] : cas) {
        qputenv("KYR_MODULES", dossier->path().toLocal8Bit());
        TVueRecue vue(octets, QStringLiteral("facture.pdf"), std::nullopt, p);
        qputenv("KYR_MODULES", modules);
        EXPECT_FALSE(vue.AvecPages()) << raison;
        EXPECT_TRUE(vue.Html().contains(QStringLiteral("Facture n° 202601006"))) << raison;
        auto* ligne = vue.findChild<QLabel*>(QStringLiteral("LabelPages"));
        ASSERT_NE(ligne, nullptr) << raison;
        const QString module = QDir::toNativeSeparators(dossier->chemin(pages));
        EXPECT_TRUE(ligne->text().startsWith(
            QStringLiteral("Les pages de ce PDF ne peuvent être montrées (module %1 %2")
                .arg(module, QString::fromUtf8(raison))))
            << ligne->text().toStdString();
    }
}

TEST(FenetreRecues, NomsEnToutesEcrituresDansLaVueEtSonPdf) {
    test::DossierTemporaire d;
    test::PlateformeFausse p;
    TVueRecue vue(test::Donnee(QStringLiteral("recue_cii.xml")), QStringLiteral("a.xml"),
                  std::nullopt, p);
    EXPECT_FALSE(vue.AvecPages());
    EXPECT_TRUE(vue.Html().contains(QString::fromUtf8("Scierie Œuvre &amp; Fils — 森林")));
    auto document = std::make_shared<QTextDocument>();
    document->setHtml(vue.Html());
    const QString pdf = d.chemin(QStringLiteral("vue.pdf"));
    EcritPdf(pdf, DessinTexte(document));
    const std::string texte = TexteDuPdf(pdf);
    if (texte.empty()) GTEST_SKIP() << "pdftotext absent";
    EXPECT_NE(texte.find("Scierie Œuvre & Fils —"), std::string::npos) << texte.substr(0, 600);
    EXPECT_NE(texte.find("Planches de chêne"), std::string::npos);
}

} // namespace
} // namespace kyr
