// The VAT return window offscreen: the period chosen, the figures and notes
// shown, the outputs, opening a document.
#include "comptabilite/livres_compta.h"
#include "comptabilite/ui/declaration_dialog.h"
#include "support/dossier_temporaire.h"
#include "support/plateforme_fausse.h"
#include "support/surface_enregistree.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QTableView>
#include <QTest>
#include <gtest/gtest.h>

namespace kyr {
namespace {

template <class T> T* E(QWidget* w, const char* nom) {
    return w->findChild<T*>(QLatin1String(nom));
}
QString Texte(QWidget* w, const char* nom) {
    auto* l = E<QLabel>(w, nom);
    return l ? l->text() : QStringLiteral("(absent)");
}

// February and March 2001 (today is 15/03/2001); services paid later.
Lignes Livre() {
    return test::LivreCompta({
        {0, GenreFacture, "200102001", "05/02/2001", {"Conseil\t1\t1000,00\t\t\t1"}},
        {1, GenreFacture, "200102002", "20/02/2001", {"Conseil\t1\t200,00\t\t\t3"}},
        {2, GenreFacture, "200103001", "02/03/2001", {"Conseil\t1\t500,00\t\t\t2"}},
        {3, GenreFacture, "200103002", "09/03/2001", {"Conseil\t1\tneuf\t\t\t1"}},
    });
}

class DeclarationFenetre : public ::testing::Test {
protected:
    test::DossierTemporaire dossier;
    test::PlateformeFausse p;
    Reglages r = test::ReglagesEuros();
    test::ImprimanteEnregistree imprimante;
    std::vector<std::string> sorties;

    SortiesJournal Enregistre() {
        return {[this](QWidget*, const DessinImpression& d) {
                    sorties.push_back("Imprimer");
                    d(imprimante);
                },
                [this](QWidget*, const DessinImpression& d) {
                    sorties.push_back("Apercu");
                    d(imprimante);
                },
                [this](const QString& chemin, const DessinImpression& d) {
                    sorties.push_back("Pdf " + chemin.toStdString());
                    d(imprimante);
                }};
    }
    SourcesCompta AvecRegistre() {
        SourcesCompta s;
        // The February services invoice of 1000 is paid in March.
        s.Encaissements = std::map<CleVente, QDate>{
            {{SorteVente::Facture, "200102001"}, QDate(2001, 3, 3)},
            {{SorteVente::Facture, "200102002"}, QDate(2001, 2, 25)},
            {{SorteVente::Facture, "200103001"}, QDate(2001, 3, 30)},
        };
        return s;
    }
};

TEST_F(DeclarationFenetre, MoisTrimestreEtNotes) {
    TDeclarationTVA d(Livre(), r, AvecRegistre(), p, Enregistre());
    // Opens on the month just ended.
    EXPECT_EQ(E<QComboBox>(&d, "ComboBox1")->currentText(), QStringLiteral("Mois"));
    EXPECT_EQ(E<QComboBox>(&d, "ComboBox2")->currentText(), QStringLiteral("février"));
    EXPECT_EQ(E<QSpinBox>(&d, "SpinEdit1")->value(), 2001);
    EXPECT_EQ(Texte(&d, "LabelTaux1"), QStringLiteral("Opérations imposables au taux de 20 %"));
    EXPECT_EQ(Texte(&d, "LabelBase3"), QStringLiteral("200,00"));
    EXPECT_EQ(Texte(&d, "LabelTVA3"), QStringLiteral("11,00"));
    EXPECT_EQ(Texte(&d, "LabelBrute"), QStringLiteral("11,00"));
    EXPECT_EQ(Texte(&d, "LabelDeductible"), QStringLiteral("0,00"));
    EXPECT_EQ(Texte(&d, "LabelNet"), QStringLiteral("11,00"));
    EXPECT_TRUE(Texte(&d, "Label1")
                    .contains(QStringLiteral("1 document de prestations de services "
                                             "facturé à la fin de la période")));
    EXPECT_TRUE(Texte(&d, "Label1").contains(QStringLiteral("Aucune facture reçue")));

    // March: the February invoice paid now and March's own paid this month.
    QTest::keyClick(E<QComboBox>(&d, "ComboBox2"), Qt::Key_Down);
    EXPECT_EQ(Texte(&d, "LabelBase1"), QStringLiteral("1000,00"));
    EXPECT_EQ(Texte(&d, "LabelTVA2"), QStringLiteral("50,00"));
    EXPECT_EQ(Texte(&d, "LabelNet"), QStringLiteral("250,00"));
    EXPECT_EQ(Texte(&d, "LabelTitreNet"), QStringLiteral("TVA nette due"));
    // The document that cannot be counted is in the list, in italics.
    auto* t = E<QTableView>(&d, "StringGrid1");
    ASSERT_EQ(t->model()->rowCount(), 3);
    EXPECT_TRUE(t->model()->index(2, 6).data().toString().startsWith(
        QStringLiteral("non compté : ligne 1 : « neuf » n'est pas un nombre")));
    EXPECT_TRUE(t->model()->index(2, 0).data(Qt::FontRole).value<QFont>().italic());

    // The quarter that holds it.
    QTest::keyClick(E<QComboBox>(&d, "ComboBox1"), Qt::Key_Down);
    EXPECT_EQ(E<QComboBox>(&d, "ComboBox2")->currentText(), QStringLiteral("1er trimestre"));
    EXPECT_EQ(d.declaration().Periode.Du, QDate(2001, 1, 1));
    EXPECT_EQ(d.declaration().Periode.Au, QDate(2001, 3, 31));
    EXPECT_EQ(Texte(&d, "LabelBrute"), QStringLiteral("261,00"));
    EXPECT_TRUE(Texte(&d, "Label1").contains(QStringLiteral("due à l'encaissement")));

    // Without payment dates the window says how it counted.
    TDeclarationTVA sans(Livre(), r, {}, p, Enregistre());
    EXPECT_TRUE(
        Texte(&sans, "Label1")
            .contains(QStringLiteral("Les dates d'encaissement des factures ne sont pas connues")));
    EXPECT_EQ(Texte(&sans, "LabelBrute"), QStringLiteral("211,00"));
}

TEST_F(DeclarationFenetre, SortiesEtOuvertureDUnDocument) {
    TDeclarationTVA d(Livre(), r, AvecRegistre(), p, Enregistre());
    d.Choisit(false, 2001, 3);
    const QString csv = dossier.chemin(QStringLiteral("tva"));
    const QString pdf = dossier.chemin(QStringLiteral("tva.pdf"));
    p.nomsEnregistrer = {csv, pdf};
    QTest::mouseClick(E<QPushButton>(&d, "Button1"), Qt::LeftButton);
    EXPECT_EQ(LitOctets(csv + QStringLiteral(".csv")), TexteCSV(d.declaration()));
    QTest::mouseClick(E<QPushButton>(&d, "Button1"), Qt::LeftButton);
    QTest::mouseClick(E<QPushButton>(&d, "Button2"), Qt::LeftButton);
    QTest::mouseClick(E<QPushButton>(&d, "Button3"), Qt::LeftButton);
    EXPECT_EQ(sorties,
              (std::vector<std::string>{"Pdf " + pdf.toStdString(), "Imprimer", "Apercu"}));
    ASSERT_EQ(imprimante.travaux.size(), 3u);
    EXPECT_EQ(imprimante.travaux[0].orientation, Orientation::Portrait);

    // Enter on a sale opens its document.
    d.show();
    QApplication::setActiveWindow(&d);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&d));
    auto* t = E<QTableView>(&d, "StringGrid1");
    t->setFocus();
    t->setCurrentIndex(t->model()->index(1, 0));
    QTest::keyClick(t, Qt::Key_Return);
    EXPECT_EQ(d.Result(), 2);
    EXPECT_EQ(d.result(), QDialog::Accepted);
}

} // namespace
} // namespace kyr
