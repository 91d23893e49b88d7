#include "book/ui/paramf_dialog.h"
#include "common/texte.h"
#include "dialogue_modal.h"
#include "support/dossier_temporaire.h"
#include "support/plateforme_fausse.h"

#include <QCheckBox>
#include <QClipboard>
#include <QGuiApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>
#include <gtest/gtest.h>

using namespace kyr;
using kyr::test::QuandModal;

namespace {

QLineEdit* Edit(QWidget* d, int n) {
    return d->findChild<QLineEdit*>(QStringLiteral("Edit%1").arg(n));
}

// Types one character at a time (keyClicks refuses accented letters).
void Tape(QWidget* w, const QString& texte) {
    for (const QChar c : texte)
        QTest::sendKeyEvent(QTest::Click, w, Qt::Key_unknown, QString(c), Qt::NoModifier);
}

} // namespace

TEST(TParamf, ControlsKeyFilterAndAnswer) {
    TParamf d;
    d.Init(InitParamf(Reglages{}));
    d.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&d));
    EXPECT_EQ(d.windowTitle(), QStringLiteral("Paramètres de la facture"));
    EXPECT_EQ(d.minimumSize(), d.maximumSize());
    EXPECT_EQ(Edit(&d, 1)->text(), QStringLiteral("6,55957"));
    EXPECT_EQ(Edit(&d, 2)->text(), QStringLiteral("20,60"));
    EXPECT_EQ(Edit(&d, 9)->text(), QStringLiteral("En votre aimable réglement"));
    EXPECT_EQ(d.findChild<QPushButton*>("Button1")->text(), QStringLiteral("Annuler"));
    QStringList textes;
    for (const QLabel* l : d.findChildren<QLabel*>())
        textes << l->text();
    for (const QGroupBox* g : d.findChildren<QGroupBox*>())
        textes << g->title();
    for (const QAbstractButton* b : d.findChildren<QAbstractButton*>())
        textes << b->text();
    textes.sort();
    EXPECT_EQ(textes.join(QLatin1Char('|')),
              QStringLiteral("Annuler|Conditions de paiement|Devise|Euro|Franc|OK|Omettre "
                             "conversion|Taux 1|Taux 2|Taux 3|Taux de TVA|Taux de l'euro"));

    // Rate fields: digits and a comma; the point becomes a comma.
    Edit(&d, 2)->clear();
    Edit(&d, 2)->setFocus();
    QTest::keyClicks(Edit(&d, 2), "1a9 -.6x");
    Tape(Edit(&d, 2), QStringLiteral("é"));
    EXPECT_EQ(Edit(&d, 2)->text(), QStringLiteral("19,6"));
    QTest::keyClick(Edit(&d, 2), Qt::Key_Tab);
    EXPECT_TRUE(Edit(&d, 3)->hasFocus());
    // Conditions take any text the files can hold, and refuse the rest.
    Edit(&d, 5)->clear();
    Tape(Edit(&d, 5), QStringLiteral("À 45 jours.Ω"));
    EXPECT_EQ(Edit(&d, 5)->text(), QStringLiteral("À 45 jours."));

    d.findChild<QRadioButton*>("Euro")->click();
    d.findChild<QCheckBox*>("CheckBox1")->click();
    QTest::keyClick(&d, Qt::Key_Escape);
    EXPECT_FALSE(d.isVisible());
    EXPECT_FALSE(d.Result().has_value());

    d.show();
    QTest::keyClick(Edit(&d, 5), Qt::Key_Return); // in a payment condition: nothing
    EXPECT_TRUE(d.isVisible());
    QTest::keyClick(Edit(&d, 3), Qt::Key_Return); // Enter in a rate field accepts
    EXPECT_FALSE(d.isVisible());
    const auto r = d.Result();
    ASSERT_TRUE(r.has_value());
    EXPECT_EQ(r->Edit[1], "19,6");
    EXPECT_EQ(r->Edit[4], "\xC0 45 jours.");
    EXPECT_EQ(r->Devise, 1);
    EXPECT_TRUE(r->OmettreConversion);
}

TEST(TParamf, EditingKeysInRateFields) {
    TParamf d;
    d.Init(InitParamf(Reglages{}));
    d.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&d));
    // At opening the euro rate is selected whole: typing replaces it.
    EXPECT_TRUE(Edit(&d, 1)->hasFocus());
    Tape(Edit(&d, 1), QStringLiteral("7"));
    EXPECT_EQ(Edit(&d, 1)->text(), QStringLiteral("7"));

    // Select all and paste work; the pasted text is filtered as typed text is.
    QGuiApplication::clipboard()->setText(QStringLiteral("-19.6 %x"));
    QTest::keyClick(Edit(&d, 2), Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(Edit(&d, 2), Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(Edit(&d, 2)->text(), QStringLiteral("19,6"));
    QTest::keyClick(Edit(&d, 2), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(Edit(&d, 2)->text(), QStringLiteral("20,60"));
}

TEST(ParFDialogue, OkReachesTheFileCancelChangesNothingEditsStay) {
    kyr::test::DossierTemporaire dossier;
    kyr::test::PlateformeFausse plateforme;
    Facture f(plateforme);
    f.fiche.Cellules[1] = {"Vis", "3", "10", "10", "", ""};
    QuandModal([](QWidget* w) {
        Edit(w, 1)->setText(QStringLiteral("1"));
        w->findChild<QPushButton*>("Button1")->click();
    });
    ParF(f, nullptr);
    EXPECT_EQ(f.reglages.TauxEuro.valeur(), Reel6(6.55957L).valeur());

    QuandModal([](QWidget* w) {
        Edit(w, 6)->clear();
        w->findChild<QPushButton*>("Button2")->click();
    });
    ParF(f, nullptr);
    const Lignes ini = LitFichier(NomFichierIni).value_or(Lignes{});
    ASSERT_EQ(ini.size(), 16u);
    EXPECT_EQ(ini[13], "R\xE9glement \xE0 60 jours");
    EXPECT_EQ(f.reglages.ConditionsReglement.size(), 4u);
    EXPECT_EQ(f.fiche.Cellules[1][0], "Vis");
    EXPECT_EQ(f.fiche.TotalTTC, "32,56");
}
