// The e-invoice dialogs as a user fills them: each field checked where it is
// typed, "OK" refused while a field is wrong, what a SIREN proposes.
#include "einvoice/documents.h"
#include "einvoice/ui/exportfe_dialog.h"
#include "einvoice/ui/paramfe_dialog.h"
#include "support/attente.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <gtest/gtest.h>

using namespace kyr;
using namespace kyr::test;

namespace {

template <class W = QLineEdit> W* Enfant(QWidget* w, const char* nom) {
    W* e = w->findChild<W*>(QString::fromLatin1(nom));
    EXPECT_NE(e, nullptr) << nom;
    return e;
}

// Types into a field as a user does, then leaves it with Tab.
void Tape(QWidget* dialogue, const char* champ, const char* texte) {
    QLineEdit* e = Enfant(dialogue, champ);
    e->setFocus();
    e->selectAll();
    QTest::keyClick(e, Qt::Key_Delete);
    QTest::keyClicks(e, QString::fromLatin1(texte));
    QTest::keyClick(e, Qt::Key_Tab);
}

QString Probleme(QWidget* dialogue) {
    return Enfant<QLabel>(dialogue, "LabelProbleme")->text();
}

void Ok(QWidget* dialogue) {
    QTest::mouseClick(Enfant<QPushButton>(dialogue, "Button2"), Qt::LeftButton);
}

} // namespace

TEST(ParamFE, ASirenIsCheckedWhereTypedAndProposesTheRest) {
    TParamFE d;
    d.Init(VendeurNeuf());
    d.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&d));
    Tape(&d, "Edit1", "732829321");
    EXPECT_TRUE(Probleme(&d).contains(QString::fromUtf8("clé"))) << Probleme(&d).toStdString();
    EXPECT_TRUE(Enfant(&d, "Edit2")->text().isEmpty()); // nothing proposed from a wrong SIREN
    Ok(&d);
    EXPECT_TRUE(d.isVisible()); // refused
    EXPECT_EQ(d.focusWidget(), Enfant(&d, "Edit1"));

    Tape(&d, "Edit1", "732 829 320");
    EXPECT_TRUE(Probleme(&d).isEmpty());
    EXPECT_EQ(Enfant(&d, "Edit2")->text(), "732829320"); // the SIRET's start
    EXPECT_EQ(Enfant(&d, "Edit3")->text(), "FR44732829320");
    EXPECT_EQ(Enfant(&d, "Edit4")->text(), "732829320");
    Ok(&d);
    EXPECT_TRUE(d.isVisible());
    EXPECT_TRUE(Probleme(&d).contains("14 chiffres"));
    Tape(&d, "Edit2", "73282932000074");
    Tape(&d, "Edit12", "FR76 3000 6000 0112 3456 7890 188");
    EXPECT_TRUE(Probleme(&d).contains(QString::fromUtf8("contrôle")));
    Tape(&d, "Edit12", "FR76 3000 6000 0112 3456 7890 189");
    Ok(&d);
    EXPECT_FALSE(d.isVisible());
    EXPECT_EQ(d.result(), QDialog::Accepted);
    const Vendeur v = d.Result();
    EXPECT_EQ(v.Siren, "732829320");
    EXPECT_EQ(v.Iban, "FR7630006000011234567890189");
    EXPECT_EQ(v.NotePenalites, NotePenalitesUsuelle);
    // Empty fields may be left for later: the export says what is missing.
    EXPECT_FALSE(VerifieVendeur(v).isEmpty());
}

TEST(ExportFE, TheBuyerIsCheckedAndTheKindOfBuyerDecidesTheFields) {
    DocumentTest doc = DocumentsTest().front();
    SaisieExport propose;
    propose.Ach = AcheteurDepuisAdresse(doc.F.Adresse);
    propose.Autres.Echeance = QDate(2026, 10, 14);
    propose.Autres.Livraison = QDate(2026, 9, 30);
    TExportFE d(doc.F);
    d.Init(propose);
    d.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&d));
    EXPECT_EQ(d.focusWidget(), Enfant(&d, "Edit6")); // the first field still to fill: SIREN
    EXPECT_EQ(Enfant(&d, "Edit1")->text(), "Garage du Centre");
    Ok(&d);
    EXPECT_TRUE(d.isVisible());
    EXPECT_TRUE(Probleme(&d).contains("SIREN est obligatoire"));
    Tape(&d, "Edit6", "443061841");
    EXPECT_EQ(Enfant(&d, "Edit8")->text(), "443061841"); // its directory address
    Ok(&d);
    EXPECT_FALSE(d.isVisible());
    SaisieExport s = d.Result();
    EXPECT_TRUE(s.Ach.Professionnel);
    EXPECT_EQ(s.Ach.Siren, "443061841");
    EXPECT_EQ(s.Autres.Echeance, QDate(2026, 10, 14));
    EXPECT_EQ(s.Autres.Livraison, QDate(2026, 9, 30));

    // A consumer: no SIREN, an e-mail address.
    TExportFE c(doc.F);
    c.Init(propose);
    c.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&c));
    QTest::mouseClick(Enfant<QRadioButton>(&c, "RadioButton2"), Qt::LeftButton);
    EXPECT_FALSE(Enfant(&c, "Edit6")->isEnabled());
    Tape(&c, "Edit8", "claire.martin");
    EXPECT_TRUE(Probleme(&c).contains("nom@domaine.fr"));
    Tape(&c, "Edit8", "claire.martin@example.fr");
    Ok(&c);
    EXPECT_FALSE(c.isVisible());
    EXPECT_FALSE(c.Result().Ach.Professionnel);
    EXPECT_TRUE(c.Result().Ach.Siren.empty());
}

TEST(ExportFE, ACreditNoteAsksTheInvoiceItCorrects) {
    DocumentTest doc = DocumentsTest()[3];
    ASSERT_EQ(doc.Nom, "avoir");
    SaisieExport propose;
    propose.Ach = AcheteurTest();
    propose.Autres.Echeance = QDate(2026, 10, 20);
    TExportFE d(doc.F);
    d.Init(propose);
    d.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&d));
    Ok(&d);
    EXPECT_TRUE(d.isVisible());
    EXPECT_TRUE(Probleme(&d).contains(QString::fromUtf8("numéro de la facture")));
    // No date is proposed: the credit note's own would be the wrong one.
    Tape(&d, "Edit9", "202601006");
    Ok(&d);
    EXPECT_TRUE(d.isVisible());
    EXPECT_TRUE(Probleme(&d).contains(QString::fromUtf8("date de la facture")));
    Enfant<QDateEdit>(&d, "DateTimePicker2")->setDate(QDate(2026, 1, 12));
    Ok(&d);
    EXPECT_FALSE(d.isVisible());
    EXPECT_EQ(d.Result().Autres.FactureCorrigee, "202601006");
    EXPECT_EQ(d.Result().Autres.DateFactureCorrigee, QDate(2026, 1, 12));

    // With the book at hand, the typed invoice number gives its date.
    TExportFE e(doc.F);
    e.DateFacture = [](const std::string& n) -> std::optional<QDate> {
        if (n == "202601006") return QDate(2026, 1, 9);
        return std::nullopt;
    };
    e.Init(propose);
    e.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&e));
    EXPECT_EQ(Enfant<QDateEdit>(&e, "DateTimePicker2")->text(), QString::fromUtf8("à indiquer"));
    Tape(&e, "Edit9", "202601007");
    EXPECT_EQ(Enfant<QDateEdit>(&e, "DateTimePicker2")->text(), QString::fromUtf8("à indiquer"));
    Tape(&e, "Edit9", "202601006");
    Ok(&e);
    EXPECT_FALSE(e.isVisible());
    EXPECT_EQ(e.Result().Autres.DateFactureCorrigee, QDate(2026, 1, 9));
}

TEST(ExportFE, TheNatureOfTheOperationAndADeliveryAddressElsewhere) {
    DocumentTest doc = DocumentsTest().front();
    SaisieExport propose;
    propose.Ach = AcheteurTest();
    propose.Autres.Echeance = QDate(2026, 10, 14);
    propose.Autres.Nature = Cadre::Mixte;
    TExportFE d(doc.F);
    d.Init(propose);
    d.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&d));
    auto* nature = Enfant<QComboBox>(&d, "ComboBox2");
    EXPECT_EQ(nature->currentIndex(), static_cast<int>(Cadre::Mixte));
    auto* ailleurs = Enfant<QCheckBox>(&d, "CheckBox1");
    EXPECT_FALSE(ailleurs->isChecked());
    EXPECT_FALSE(Enfant(&d, "Edit11")->isEnabled());
    // Accepted as proposed: the buyer's address, the nature chosen.
    Ok(&d);
    EXPECT_FALSE(d.isVisible());
    EXPECT_EQ(d.Result().Autres.Nature, Cadre::Mixte);
    EXPECT_FALSE(d.Result().Autres.LieuLivraison);

    // Elsewhere: started from the buyer's address, the street to change first.
    TExportFE e(doc.F);
    e.Init(propose);
    e.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&e));
    Enfant<QComboBox>(&e, "ComboBox2")->setCurrentIndex(static_cast<int>(Cadre::Biens));
    QTest::mouseClick(Enfant<QCheckBox>(&e, "CheckBox1"), Qt::LeftButton);
    EXPECT_TRUE(Enfant(&e, "Edit11")->isEnabled());
    EXPECT_EQ(Enfant(&e, "Edit11")->text(), "4 place de la Gare");
    EXPECT_EQ(e.focusWidget(), Enfant(&e, "Edit11"));
    Tape(&e, "Edit11", "");
    Ok(&e);
    EXPECT_TRUE(e.isVisible());
    EXPECT_TRUE(Probleme(&e).contains("rue de livraison")) << Probleme(&e).toStdString();
    Tape(&e, "Edit11", "3 rue du Port");
    Tape(&e, "Edit12", "6900");
    EXPECT_FALSE(Probleme(&e).isEmpty()); // the postcode checked where typed
    Tape(&e, "Edit12", "69007");
    Tape(&e, "Edit10", "Chantier Dupont");
    Ok(&e);
    EXPECT_FALSE(e.isVisible());
    const SaisieExport s = e.Result();
    EXPECT_EQ(s.Autres.Nature, Cadre::Biens);
    EXPECT_EQ(s.Autres.LieuLivraison,
              (AdresseLivraison{"Chantier Dupont", "3 rue du Port", "69007", "Lyon", "FR"}));

    // Proposed again as kept.
    propose.Autres.LieuLivraison = s.Autres.LieuLivraison;
    TExportFE g(doc.F);
    g.Init(propose);
    EXPECT_TRUE(Enfant<QCheckBox>(&g, "CheckBox1")->isChecked());
    EXPECT_EQ(Enfant(&g, "Edit10")->text(), "Chantier Dupont");
    EXPECT_EQ(g.Result().Autres.LieuLivraison, s.Autres.LieuLivraison);
}

TEST(ParamFE, TheOptionForDebitsIsKeptAndHasNoObjectUnderTheExemption) {
    Vendeur v = VendeurTest();
    v.OptionDebits = true;
    v.Iban = "FR7630006000011234567890189"; // as the dialog keeps it
    TParamFE d;
    d.Init(v);
    auto* debits = Enfant<QCheckBox>(&d, "CheckBox2");
    EXPECT_TRUE(debits->isChecked());
    EXPECT_TRUE(debits->isEnabled());
    EXPECT_EQ(d.Result(), v);
    Enfant<QCheckBox>(&d, "CheckBox1")->setChecked(true); // the VAT exemption
    EXPECT_FALSE(debits->isEnabled());
    debits->setChecked(false);
    EXPECT_FALSE(d.Result().OptionDebits);
}
