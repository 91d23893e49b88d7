// The Utilitaires menu of the main window: each utility opened, used and
// closed; the calculator's errors reach the standard box through the main
// window's dispatch, and its state survives the window.
#include "book/ui/dialogue_modal.h"
#include "shell/ui/fenetre_principale.h"

#include <QAction>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPlainTextEdit>
#include <QTest>
#include <gtest/gtest.h>

namespace kyr {
namespace {

using test::QuandModal;

using MenuUtilitaires = test::FenetrePrincipale;

TEST_F(MenuUtilitaires, EachUtilityOpensModalAndCloses) {
    const struct {
        const char* action;
        const char* fenetre;
        const char* titre;
    } cas[] = {
        {"UtilCalendarItem", "Calendrier", "Calendrier"},
        {"UtilCalculatorItem", "Pocket", "Calculatrice"},
        {"UtilClockItem", "Horloge", "Horloge"},
        {"UtilEuroItem", "Eurof", "Euro convertisseur"},
        {"UtilNotepadItem", "Blocnotes", "Bloc-notes"},
    };
    for (const auto& c : cas) {
        QString vu;
        QuandModal([&](QWidget* d) {
            vu = d->objectName() + QLatin1Char('/') + d->windowTitle();
            QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : d,
                            Qt::Key_Escape);
        });
        Choisit(c.action);
        EXPECT_EQ(vu, QLatin1String(c.fenetre) + QLatin1Char('/') + QString::fromUtf8(c.titre));
        // Destroyed when closed: no utility window is left behind.
        EXPECT_EQ(w->findChildren<QDialog*>().size(), 0) << c.action;
    }
    EXPECT_TRUE(p.erreurs.empty());
}

TEST_F(MenuUtilitaires, CalculatorErrorInTheStandardBoxAndStateKept) {
    QuandModal([](QWidget* d) {
        QTest::keyClicks(QApplication::focusWidget(), "8/0=");
        EXPECT_EQ(d->findChild<QLabel*>(QStringLiteral("Label1"))->text(), QStringLiteral("0"));
        QTest::keyClicks(QApplication::focusWidget(), "C7+5=");
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    });
    Choisit("UtilCalculatorItem");
    EXPECT_EQ(p.erreurs, std::vector<QString>{QString::fromUtf8("Division flottante par zéro")});
    QString affichage;
    QuandModal([&](QWidget* d) {
        QTest::keyClicks(QApplication::focusWidget(), ",3=");
        affichage = d->findChild<QLabel*>(QStringLiteral("Label1"))->text();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    });
    Choisit("UtilCalculatorItem");
    EXPECT_EQ(affichage, QStringLiteral("3")); // a result was shown: the comma did not count
}

TEST_F(MenuUtilitaires, NotepadFileInTheStartUpFolder) {
    QuandModal([](QWidget* d) {
        QTest::keyClicks(d->findChild<QPlainTextEdit*>(QStringLiteral("Memo1")), "note");
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    });
    Choisit("UtilNotepadItem");
    QFile f(QDir(w->coquille()->RepertoireDepart).filePath(QStringLiteral("Fact.nte")));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), QByteArray("note"));
}

} // namespace
} // namespace kyr
