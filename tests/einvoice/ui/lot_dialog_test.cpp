// "Exporter les factures de la période..." as a user runs it: the dialog's
// period, folder and format; the run with its progress; the report, from
// which a document not exported is opened.
#include "book/facture.h"
#include "book/ui/dialogue_modal.h"
#include "einvoice/mois.h"
#include "einvoice/ui/lot_dialog.h"
#include "support/dossier_temporaire.h"
#include "support/octets_fichier.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressDialog>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <gtest/gtest.h>

using namespace kyr;
using namespace kyr::test;

namespace {

template <class W> W* Enfant(QWidget* w, const char* nom) {
    W* e = w->findChild<W*>(QString::fromLatin1(nom));
    EXPECT_NE(e, nullptr) << nom;
    return e;
}

// Runs `action` on the modal dialog of that name once it is up.
void QuandOuvert(const char* nom, std::function<void(QWidget*)> action) {
    auto* minuterie = new QTimer;
    QObject::connect(minuterie, &QTimer::timeout, [minuterie, nom, action] {
        QWidget* w = QApplication::activeModalWidget();
        if (!w || w->objectName() != QLatin1String(nom)) return;
        minuterie->stop();
        minuterie->deleteLater();
        action(w);
    });
    minuterie->start(10);
}

} // namespace

TEST(ExportLot, PeriodFolderAndFormatAreAskedAndChecked) {
    DossierTemporaire dossier;
    const MoisTest mois = MoisGenere(12);
    const Journal journal = LitJournal(mois.Livre, mois.R);
    TExportLot d(journal, QDate(2026, 9, 15));
    d.Init({{}, {}, dossier.chemin("absent"), FormatFE::UBL});
    d.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&d));
    // This month by default, as the sales journal: its documents counted.
    DemandeLot r = d.Result();
    EXPECT_EQ(r.Du, QDate(2026, 9, 1));
    EXPECT_EQ(r.Au, QDate(2026, 9, 30));
    EXPECT_EQ(r.Format, FormatFE::UBL);
    const int n = 12 + static_cast<int>(mois.Refus.size());
    EXPECT_EQ(Enfant<QLabel>(&d, "Label1")->text(),
              QString::fromUtf8("%1 factures et avoirs dans la période").arg(n));
    auto* exporter = Enfant<QPushButton>(&d, "Button2");
    EXPECT_EQ(exporter->text(), QStringLiteral("&Exporter"));

    // A folder that is not there is refused where it is typed.
    QTest::mouseClick(exporter, Qt::LeftButton);
    EXPECT_TRUE(d.isVisible());
    EXPECT_TRUE(Enfant<QLabel>(&d, "LabelProbleme")->text().contains("n'existe pas"));
    EXPECT_EQ(QApplication::focusWidget(), Enfant<QLineEdit>(&d, "Edit1"));

    // Another period: the count follows; a later month has only the undated document.
    auto* periode = Enfant<QComboBox>(&d, "ComboBox1");
    periode->setFocus();
    QTest::keyClick(periode, Qt::Key_Down); // "Le mois dernier": August
    EXPECT_EQ(d.Result().Au, QDate(2026, 8, 31));
    EXPECT_EQ(Enfant<QLabel>(&d, "Label1")->text(),
              QString::fromUtf8("2 factures et avoirs dans la période"));

    Enfant<QLineEdit>(&d, "Edit1")->setText(dossier.path());
    auto* format = Enfant<QComboBox>(&d, "ComboBox2");
    ASSERT_EQ(format->count(), 3);
    format->setCurrentIndex(0);
    QTest::mouseClick(exporter, Qt::LeftButton);
    EXPECT_FALSE(d.isVisible());
    r = d.Result();
    EXPECT_EQ(r.Dossier, dossier.path());
    EXPECT_EQ(r.Format, FormatFE::FacturX);
}

TEST(ExportLot, AMonthInFacturXWithItsProgressThenTheReportOpensADocument) {
    DossierTemporaire dossier;
    const MoisTest mois = MoisGenere(4);
    SauveVendeur(VendeurTest());
    SauveAcheteurs(mois.Memorises);
    QDir().mkpath(dossier.chemin("factures"));
    PlateformeFausse p;
    p.maintenant = QDateTime(QDate(2026, 9, 20), QTime(10, 0));
    Facture f(p);
    f.reglages = mois.R;
    f.Societe = DocumentTest().Societe;
    f.Livre = mois.Livre;
    f.NbFiches = CompteFiches(mois.Livre);
    // The documents are issued first: the book saved, the register beside it.
    const QString livre = dossier.chemin("livre.fct");
    f.EnregistrePourEmission = [&]() -> std::optional<QString> {
        f.LivreModifie = true;
        f.Sauve(livre);
        return livre;
    };

    bool progresVu = false;
    QuandOuvert("ExportLot", [&](QWidget* w) {
        Enfant<QLineEdit>(w, "Edit1")->setText(dossier.chemin("factures"));
        Enfant<QComboBox>(w, "ComboBox2")->setCurrentIndex(static_cast<int>(FormatFE::FacturX));
        QuandOuvert("Progression", [&](QWidget* d) {
            progresVu = true;
            EXPECT_EQ(d->windowTitle(), QString::fromUtf8("Exporter les factures de la période"));
        });
        QTest::keyClick(Enfant<QPushButton>(w, "Button2"), Qt::Key_Return);
    });
    QString resume;
    QStringList lignes;
    QuandOuvert("RapportLot", [&](QWidget* w) {
        resume = Enfant<QLabel>(w, "Label1")->text();
        auto* liste = Enfant<QListWidget>(w, "ListBox1");
        for (int i = 0; i < liste->count(); ++i)
            lignes << liste->item(i)->text();
        // The credit note without the invoice it corrects: opened to be mended.
        for (int i = 0; i < liste->count(); ++i)
            if (liste->item(i)->text().startsWith("Avoir 202699903")) liste->setCurrentRow(i);
        QTest::mouseClick(Enfant<QPushButton>(w, "Button1"), Qt::LeftButton);
    });
    ASSERT_TRUE(ExporteLaPeriode(nullptr, f, dossier.path(), livre));
    EXPECT_TRUE(progresVu);
    // The invoice whose number another one of the month carries is not
    // issued, and so not written: three files, each issued once.
    EXPECT_EQ(std::count_if(f.registre.Entrees().begin(), f.registre.Entrees().end(),
                            [](const EntreeRegistre& e) { return e.Quoi == Evenement::Emission; }),
              3);
    EXPECT_FALSE(lignes.filter("Facture 202609003 du 16/09/2026")
                     .filter(QString::fromUtf8("déjà celui de la facture du 17/09/2026"))
                     .isEmpty());
    EXPECT_TRUE(resume.startsWith(
        QString::fromUtf8("3 fichiers écrits sur %1 documents").arg(4 + mois.Refus.size())))
        << resume.toStdString();
    for (const auto& [numero, raison] : mois.Refus)
        EXPECT_FALSE(lignes.filter(QString::fromStdString(numero))
                         .filter(QString::fromUtf8(raison.c_str()))
                         .isEmpty())
            << numero;
    EXPECT_EQ(Trim(f.fiche.Numero), "202699903");
    EXPECT_EQ(Trim(f.fiche.Genre), Trim(GenreAvoir));

    // Each file is a Factur-X PDF carrying its XML; the format is proposed next time.
    const QStringList pdf = QDir(dossier.chemin("factures")).entryList(QDir::Files);
    EXPECT_EQ(pdf, QStringList({"Facture 202609001.pdf", "Facture 202609002.pdf",
                                "Facture 202609004.pdf"}));
    for (const QString& nom : pdf) {
        const std::string o = OctetsFichier(dossier.chemin("factures/" + nom));
        EXPECT_TRUE(o.starts_with("%PDF-")) << nom.toStdString();
        EXPECT_NE(o.find("factur-x.xml"), std::string::npos) << nom.toStdString();
    }
    Vendeur v;
    ASSERT_TRUE(ChargeVendeur(v));
    EXPECT_EQ(v.Format, FormatFE::FacturX);

    // Run again: the files there are asked about once; "Annuler" writes nothing.
    p.reponses.push_back(Bouton::Annuler);
    QuandOuvert("ExportLot", [&](QWidget* w) {
        Enfant<QLineEdit>(w, "Edit1")->setText(dossier.chemin("factures"));
        QTest::mouseClick(Enfant<QPushButton>(w, "Button2"), Qt::LeftButton);
    });
    QuandOuvert("RapportLot", [&](QWidget* w) {
        resume = Enfant<QLabel>(w, "Label1")->text();
        QTest::mouseClick(Enfant<QPushButton>(w, "Button2"), Qt::LeftButton); // "Fermer"
    });
    EXPECT_FALSE(ExporteLaPeriode(nullptr, f, dossier.path(), livre));
    ASSERT_EQ(p.questions.size(), 1u);
    EXPECT_TRUE(p.questions[0].texte.startsWith(
        QString::fromUtf8("3 des fichiers à écrire sont déjà dans le dossier (Facture "
                          "202609001.pdf, Facture 202609002.pdf, Facture 202609004.pdf)")))
        << p.questions[0].texte.toStdString();
    EXPECT_TRUE(resume.contains(QString::fromUtf8("aucun fichier n'a été écrit")));
}
