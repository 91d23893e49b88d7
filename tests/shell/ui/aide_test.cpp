// The help against the real main window: every command of its menus has its
// part of the help, every context number and F1 open the matching page, and
// the keyword search finds its pages.
#include "book/ui/dialogue_modal.h"
#include "book/ui/facture_window.h"
#include "shell/pages_aide.h"
#include "shell/ui/aide.h"
#include "shell/ui/fenetre_principale.h"
#include "shell/ui/main_window.h"

#include <QAction>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>
#include <QTextBrowser>
#include <QTextDocument>
#include <QToolBar>
#include <gtest/gtest.h>

namespace kyr {
namespace {

class AideTest : public test::FenetrePrincipale {
protected:
    static QString Source(const TAide* aide) {
        return aide->findChild<QTextBrowser*>(QStringLiteral("Page"))
            ->source()
            .toString()
            .remove(QStringLiteral("qrc:/aide/"));
    }
    // The text of the heading that follows the command's anchor in its page.
    static QString Titre(const QString& page, const QString& ancre) {
        const QRegularExpression re(
            QStringLiteral("name=\"%1\"></a>([^<]*(?:<[^h/][^>]*>[^<]*)*)</h")
                .arg(QRegularExpression::escape(ancre)));
        const auto m = re.match(TAide::Html(page));
        return m.hasMatch() ? m.captured(1) : QString();
    }
};

TEST_F(AideTest, ChaqueCommandeDesMenusADansLaPageDeSonMenuUnTitreASonNom) {
    int commandes = 0;
    for (QAction* titre : w->menuBar()->actions()) {
        QMenu* menu = titre->menu();
        const QVariant contexte = menu->property("HelpContext");
        ASSERT_TRUE(contexte.isValid()) << titre->text().toStdString();
        const QString page = PageContexte(contexte.toInt());
        ASSERT_FALSE(TAide::Html(page).isEmpty()) << page.toStdString();
        for (QAction* a : menu->actions()) {
            if (a->isSeparator() || !a->isVisible()) continue;
            SCOPED_TRACE(a->objectName().toStdString());
            ++commandes;
            const QString t = Titre(page, a->objectName());
            EXPECT_TRUE(t.startsWith(LegendeCommande(a->text()))) << t.toStdString();
            if (!a->shortcut().isEmpty()) {
                EXPECT_TRUE(t.contains(a->shortcut().toString(QKeySequence::NativeText)))
                    << t.toStdString();
            }
        }
    }
    EXPECT_GE(commandes, 38);
}

TEST_F(AideTest, ChaqueBoutonDeLaBarreDOutilsEstDecrit) {
    QTextDocument page;
    page.setHtml(TAide::Html(PageContexte(9)));
    const QString texte = page.toPlainText();
    const QString outils = texte.mid(texte.indexOf(QStringLiteral("La barre d'outils")));
    for (QAction* a : w->findChild<QToolBar*>(QStringLiteral("ToolBar1"))->actions()) {
        if (a->isSeparator()) continue;
        EXPECT_TRUE(outils.contains(a->toolTip())) << a->toolTip().toStdString();
    }
}

TEST_F(AideTest, ChaqueNumeroDeContexteOuvreSaPage) {
    const std::pair<int, const char*> cas[] = {
        {3, "Le menu Fichier"},    {4, "Le menu Edition"},     {5, "Le menu Document"},
        {6, "Le menu Paramètres"}, {7, "Le menu Utilitaires"}, {8, "Le menu Aide"},
        {9, "La fenêtre Facture"},
    };
    TAide aide;
    for (const auto& [contexte, titre] : cas) {
        SCOPED_TRACE(contexte);
        aide.OuvreContexte(contexte);
        EXPECT_TRUE(aide.isVisible());
        EXPECT_EQ(Source(&aide), PageContexte(contexte));
        EXPECT_EQ(aide.findChild<QTextBrowser*>(QStringLiteral("Page"))->documentTitle(),
                  QString::fromUtf8(titre));
    }
    EXPECT_EQ(w->facture()->property("HelpContext").toInt(), 9);
}

TEST_F(AideTest, LaRechercheTrouveUnePageParUnMotCle) {
    const std::pair<const char*, const char*> cas[] = {
        {"journal", "document.html#DocJournalItem"},
        {"reglement", "parametres.html#ParamInvoiceItem"},
        {"SAUVEG", "fichiers.html#sauvegarde"},
        {"factur-x", "fichier.html#FileFacturXItem"},
        {"premiers", "premiers_pas.html"},
    };
    w->findChild<QAction*>(QStringLiteral("HelpSearchItem"))->trigger();
    TAide* aide = w->aide();
    ASSERT_NE(aide, nullptr);
    auto* cle = aide->findChild<QLineEdit*>(QStringLiteral("MotCle"));
    for (const auto& [mot, page] : cas) {
        SCOPED_TRACE(mot);
        cle->clear();
        QTest::keyClicks(cle, mot);
        QTest::keyClick(cle, Qt::Key_Return);
        EXPECT_EQ(Source(aide), page);
    }
    // A word that starts no keyword selects none, and Enter leaves the page shown.
    cle->clear();
    QTest::keyClicks(cle, "zzz");
    QTest::keyClick(cle, Qt::Key_Return);
    EXPECT_EQ(Source(aide), "premiers_pas.html");
    // "Afficher" shows the keyword chosen in the list.
    auto* liste = aide->findChild<QListWidget*>(QStringLiteral("MotsCles"));
    liste->setCurrentItem(liste->findItems(QStringLiteral("Glossaire"), Qt::MatchExactly).at(0));
    aide->findChild<QPushButton*>(QStringLiteral("Afficher"))->click();
    EXPECT_EQ(Source(aide), "parametres.html#ParamGlossaryItem");
}

TEST_F(AideTest, F1DansUnMenuOuvreLaPageDeLaCommandeEnSurbrillance) {
    const std::pair<const char*, const char*> cas[] = {
        {"MenuFichier", "fichier.html"},
        {"MenuParametres", "parametres.html"},
        {"MenuUtilitaires", "utilitaires.html"},
    };
    for (const auto& [nom, page] : cas) {
        SCOPED_TRACE(nom);
        auto* menu = w->findChild<QMenu*>(QLatin1String(nom));
        menu->popup(w->mapToGlobal(QPoint(10, 10)));
        QTRY_VERIFY(menu->isVisible());
        QAction* commande = menu->actions().at(1);
        menu->setActiveAction(commande);
        QTest::keyClick(menu, Qt::Key_F1);
        EXPECT_FALSE(menu->isVisible());
        ASSERT_NE(w->aide(), nullptr);
        EXPECT_TRUE(w->aide()->isVisible());
        EXPECT_EQ(Source(w->aide()), QString::fromLatin1(page) + "#" + commande->objectName());
    }
}

TEST_F(AideTest, F1DansLaFenetreFactureOuvreSaPage) {
    auto* code = w->facture()->findChild<QLineEdit*>(QStringLiteral("Edit1"));
    code->setFocus();
    QTest::keyClick(code, Qt::Key_F1);
    ASSERT_NE(w->aide(), nullptr);
    EXPECT_EQ(Source(w->aide()), "facture.html");
}

TEST_F(AideTest, F1DansUneBoiteDeDialogueOuvreSaPageAuDessusDElle) {
    const std::pair<const char*, const char*> cas[] = {
        {"ParamCompanyItem", "parametres.html#ParamCompanyItem"},
        {"ParamInvoiceItem", "parametres.html#ParamInvoiceItem"},
        {"UtilEuroItem", "utilitaires.html#UtilEuroItem"},
        {"HelpAboutItem", "aide.html#HelpAboutItem"},
    };
    for (const auto& [commande, page] : cas) {
        SCOPED_TRACE(commande);
        QString vue;
        bool utilisable = false;
        test::QuandActif([&](QWidget* dialogue) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_F1);
            if (auto* aide = dialogue->findChild<TAide*>()) {
                vue = Source(aide);
                // The dialog's modality leaves its own help viewer usable.
                utilisable = aide->isVisible() && aide->parentWidget() == dialogue;
                aide->close();
            }
            dialogue->close();
        });
        w->findChild<QAction*>(QLatin1String(commande))->trigger();
        EXPECT_EQ(vue, page);
        EXPECT_TRUE(utilisable);
    }
}

} // namespace
} // namespace kyr
