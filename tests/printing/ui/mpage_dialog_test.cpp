// TMPage, "Mise en page", driven with key events; ParM's round trip through
// the settings (a value out of range, Annuler, the close box).
#include "book/ui/dialogue_modal.h"
#include "printing/ui/mpage_dialog.h"
#include "support/dossier_temporaire.h"
#include "support/octets_fichier.h"

#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <gtest/gtest.h>

using namespace kyr;
using test::QuandModal;

namespace {

QRadioButton* Article(QWidget* d, int groupe, int i) {
    return d->findChild<QRadioButton*>(QStringLiteral("RadioGroup%1Item%2").arg(groupe).arg(i));
}
QCheckBox* Guide(QWidget* d) {
    return d->findChild<QCheckBox*>(QStringLiteral("CheckBox1"));
}

Reglages Avec(int type, int orientation, int decalage) {
    Reglages r;
    r.TypePapier = type;
    r.OrientationEnveloppe = orientation;
    r.DecalageEnveloppe = decalage;
    return r;
}

std::array<int, 3> Valeurs(const Reglages& r) {
    return {r.TypePapier, r.OrientationEnveloppe, r.DecalageEnveloppe};
}

// What the dialog shows: paper type, orientation, guide.
std::tuple<int, int, bool> Montre(QWidget* d) {
    int type = -1, orientation = -1;
    for (int i = 0; i < 3; ++i)
        if (Article(d, 1, i)->isChecked()) type = i;
    for (int i = 0; i < 2; ++i)
        if (Article(d, 2, i)->isChecked()) orientation = i;
    return {type, orientation, Guide(d)->isChecked()};
}

} // namespace

TEST(TMPage, ControlsAndDefaults) {
    TMPage d;
    d.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&d));
    EXPECT_EQ(d.windowTitle(), QStringLiteral("Mise en page"));
    EXPECT_EQ(d.minimumSize(), d.maximumSize()); // fixed size
    QStringList textes;
    for (const QGroupBox* g : d.findChildren<QGroupBox*>())
        textes << g->objectName() + QLatin1Char('=') + g->title();
    for (const QAbstractButton* b : d.findChildren<QAbstractButton*>())
        textes << b->objectName() + QLatin1Char('=') + b->text();
    textes.sort();
    EXPECT_EQ(textes.join(QLatin1Char('|')),
              QStringLiteral("Button1=Annuler|Button2=OK|CheckBox1=Guide enveloppe à droite|"
                             "RadioGroup1=Type de papier|RadioGroup1Item0=Papier blanc|"
                             "RadioGroup1Item1=Papier à en-tête|RadioGroup1Item2=Papier imprimé|"
                             "RadioGroup2=Orientation enveloppe|RadioGroup2Item0=Portrait|"
                             "RadioGroup2Item1=Paysage|RadioGroup3=Format enveloppe|"
                             "RadioGroup3Item0=Papier de l'imprimante|"
                             "RadioGroup3Item1=DL (110 × 220 mm)|"
                             "RadioGroup3Item2=C5 (162 × 229 mm)|"
                             "RadioGroup3Item3=C6 (114 × 162 mm)"));
    EXPECT_TRUE(Article(&d, 3, 0)->isChecked());
    EXPECT_EQ(Montre(&d), std::make_tuple(0, 0, false));
    int type = 7, orientation = 7;
    bool guide = true;
    d.Result(type, orientation, guide); // not accepted
    EXPECT_EQ(type, -1);
    EXPECT_EQ(orientation, -1);
    EXPECT_TRUE(guide); // left untouched
}

TEST(TMPage, InitPresetsOrLeavesTheDefaults) {
    TMPage d;
    d.Init(1, 1, true);
    EXPECT_EQ(Montre(&d), std::make_tuple(1, 1, true));
    TMPage trois;
    trois.Init(3, 0, false); // one past the last item: the last item
    EXPECT_EQ(Montre(&trois), std::make_tuple(2, 0, false));
    for (auto [t, o] : {std::pair{-1, 0}, {4, 1}, {5, 0}, {1, 2}, {2, -1}}) {
        TMPage h;
        h.Init(t, o, true);
        EXPECT_EQ(Montre(&h), std::make_tuple(0, 0, false)) << t << " " << o;
    }
}

TEST(TMPage, KeysChooseAndEnterAccepts) {
    Reglages r = Avec(0, 0, 0);
    QuandModal([](QWidget* d) {
        // Down arrow moves the choice in a group; Space ticks the box. Keys go
        // to the dialog's focus widget, active window or not.
        d->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(d));
        Article(d, 1, 0)->setFocus();
        QTest::keyClick(d->focusWidget(), Qt::Key_Down);
        QTest::keyClick(d->focusWidget(), Qt::Key_Down);
        EXPECT_TRUE(Article(d, 1, 2)->isChecked());
        QTest::keyClick(d->focusWidget(), Qt::Key_Tab);
        EXPECT_EQ(d->focusWidget(), Article(d, 3, 0)); // "Format enveloppe", left as it is
        QTest::keyClick(d->focusWidget(), Qt::Key_Tab);
        EXPECT_EQ(d->focusWidget(), Article(d, 2, 0));
        QTest::keyClick(d->focusWidget(), Qt::Key_Down);
        EXPECT_TRUE(Article(d, 2, 1)->isChecked());
        QTest::keyClick(d->focusWidget(), Qt::Key_Tab);
        EXPECT_EQ(d->focusWidget(), Guide(d));
        QTest::keyClick(d->focusWidget(), Qt::Key_Space);
        QTest::keyClick(d->focusWidget(), Qt::Key_Return);
    });
    EXPECT_TRUE(ParM(r, nullptr));
    EXPECT_EQ(Valeurs(r), (std::array<int, 3>{2, 1, 100}));

    // Open again: the dialog shows what was stored; untick the guide, OK.
    QuandModal([](QWidget* d) {
        EXPECT_EQ(Montre(d), std::make_tuple(2, 1, true));
        Guide(d)->setFocus();
        QTest::keyClick(Guide(d), Qt::Key_Space);
        QTest::keyClick(Guide(d), Qt::Key_Return);
    });
    EXPECT_TRUE(ParM(r, nullptr));
    EXPECT_EQ(Valeurs(r), (std::array<int, 3>{2, 1, 0}));
}

TEST(TMPage, EscapeAnnulerAndTheCloseBoxChangeNothing) {
    const auto essai = [](std::function<void(QWidget*)> ferme) {
        Reglages r = Avec(1, 1, 100);
        QuandModal([ferme](QWidget* d) {
            Article(d, 1, 2)->setChecked(true);
            Article(d, 2, 0)->setChecked(true);
            Guide(d)->setChecked(false);
            ferme(d);
        });
        EXPECT_FALSE(ParM(r, nullptr));
        EXPECT_EQ(Valeurs(r), (std::array<int, 3>{1, 1, 100}));
    };
    essai([](QWidget* d) { QTest::keyClick(d, Qt::Key_Escape); });
    essai([](QWidget* d) { d->findChild<QPushButton*>(QStringLiteral("Button1"))->click(); });
    essai([](QWidget* d) { d->close(); });
}

TEST(TMPage, OutOfRangeStoredValuesOpenAtTheDefaultsAndOkStoresThem) {
    // A stored paper type 5: "Papier blanc", "Portrait", box clear; OK stores 0, 0, 0.
    Reglages r = Avec(5, 1, 100);
    QuandModal([](QWidget* d) {
        EXPECT_EQ(Montre(d), std::make_tuple(0, 0, false));
        d->findChild<QPushButton*>(QStringLiteral("Button2"))->click();
    });
    EXPECT_TRUE(ParM(r, nullptr));
    EXPECT_EQ(Valeurs(r), (std::array<int, 3>{0, 0, 0}));

    // A stored 3 selects "Papier imprimé" and comes back as 2.
    r = Avec(3, 1, 100);
    QuandModal([](QWidget* d) {
        EXPECT_EQ(Montre(d), std::make_tuple(2, 1, true));
        QTest::keyClick(d, Qt::Key_Return);
    });
    EXPECT_TRUE(ParM(r, nullptr));
    EXPECT_EQ(Valeurs(r), (std::array<int, 3>{2, 1, 100}));

    // An orientation out of range: the defaults for all three.
    r = Avec(1, 3, 100);
    QuandModal([](QWidget* d) {
        EXPECT_EQ(Montre(d), std::make_tuple(0, 0, false));
        QTest::keyClick(d, Qt::Key_Escape);
    });
    EXPECT_FALSE(ParM(r, nullptr));
    EXPECT_EQ(Valeurs(r), (std::array<int, 3>{1, 3, 100}));
}

TEST(TMPage, AnEnvelopeSizeGreysTheOrientationAndTheGuideAndIsKeptInItsOwnFile) {
    test::DossierTemporaire dossier;
    Reglages r = Avec(1, 1, 100);
    QuandModal([](QWidget* d) {
        auto* orientation = d->findChild<QGroupBox*>(QStringLiteral("RadioGroup2"));
        EXPECT_TRUE(orientation->isEnabled());
        d->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(d));
        Article(d, 3, 0)->setFocus();
        QTest::keyClick(d->focusWidget(), Qt::Key_Down); // DL
        EXPECT_TRUE(Article(d, 3, 1)->isChecked());
        EXPECT_FALSE(orientation->isEnabled());
        EXPECT_FALSE(Guide(d)->isEnabled());
        EXPECT_TRUE(Guide(d)->isChecked()); // kept for the printer's paper
        QTest::keyClick(d->focusWidget(), Qt::Key_Return);
    });
    ASSERT_TRUE(ParM(r, nullptr));
    EXPECT_EQ(r.Enveloppe, FormatEnveloppe::DL);
    EXPECT_EQ(Valeurs(r), (std::array<int, 3>{1, 1, 100}));
    EXPECT_EQ(test::OctetsFichier(dossier.chemin(QStringLiteral("Fact.env"))), "DL\r\n");

    // Shown again as stored; "Annuler" after choosing C6 keeps DL and the file.
    QuandModal([](QWidget* d) {
        EXPECT_TRUE(Article(d, 3, 1)->isChecked());
        EXPECT_FALSE(Guide(d)->isEnabled());
        Article(d, 3, 3)->setChecked(true);
        QTest::keyClick(d, Qt::Key_Escape);
    });
    EXPECT_FALSE(ParM(r, nullptr));
    EXPECT_EQ(r.Enveloppe, FormatEnveloppe::DL);
    EXPECT_EQ(ChargeFormatEnveloppe(), FormatEnveloppe::DL);
}
