// The splash screen and the about box.
#include "shell/ui/about.h"
#include "shell/ui/splash.h"

#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace kyr {
namespace {

TEST(Splash, TailleTextesEtCouleur) {
    TSplash s;
    EXPECT_EQ(s.size(), QSize(318, 221));
    EXPECT_TRUE(s.windowFlags() & Qt::FramelessWindowHint);
    auto* panel = s.findChild<QFrame*>(QStringLiteral("Panel1"));
    ASSERT_NE(panel, nullptr);
    EXPECT_EQ(panel->palette().color(QPalette::Window), QColor(208, 192, 224));
    auto* l1 = s.findChild<QLabel*>(QStringLiteral("Label1"));
    auto* l2 = s.findChild<QLabel*>(QStringLiteral("Label2"));
    EXPECT_EQ(l1->text(), "Kyr Facture");
    EXPECT_EQ(l1->font().pixelSize(), 23);
    EXPECT_TRUE(l1->font().bold());
    EXPECT_EQ(l2->text(), "Version 2001");
    EXPECT_EQ(l2->font().pixelSize(), 17);
    EXPECT_EQ(s.findChild<QLabel*>(QStringLiteral("Image1"))->size(), QSize(89, 113));
}

TEST(APropos, TextesEtBoutonOK) {
    TAboutBox b;
    EXPECT_EQ(b.windowTitle(), "A propos");
    struct Cas {
        const char* nom;
        QString texte;
        int hauteur;
        bool gras;
    };
    for (const Cas& k :
         {Cas{"ProductName", "Kyr Facture", 20, true}, Cas{"Version", "Version 2001", 13, true},
          Cas{"Comments", "Logiciel de facturation.", 17, false}}) {
        auto* l = b.findChild<QLabel*>(QLatin1String(k.nom));
        ASSERT_NE(l, nullptr) << k.nom;
        EXPECT_EQ(l->text(), k.texte);
        EXPECT_EQ(l->font().pixelSize(), k.hauteur);
        EXPECT_EQ(l->font().bold(), k.gras);
    }
    EXPECT_TRUE(b.findChild<QLabel*>(QStringLiteral("Comments"))->wordWrap());
    EXPECT_EQ(b.findChild<QLabel*>(QStringLiteral("ProgramIcon"))->size(), QSize(80, 70));
    auto* ok = b.findChild<QPushButton*>(QStringLiteral("OKButton"));
    EXPECT_EQ(ok->text(), "OK");
    EXPECT_TRUE(ok->isDefault());

    // Enter and Escape both answer OK.
    for (int touche : {Qt::Key_Return, Qt::Key_Escape}) {
        b.show();
        QTest::keyClick(&b, static_cast<Qt::Key>(touche));
        EXPECT_FALSE(b.isVisible());
        EXPECT_EQ(b.result(), QDialog::Accepted);
        b.setResult(QDialog::Rejected);
    }
}

} // namespace
} // namespace kyr
