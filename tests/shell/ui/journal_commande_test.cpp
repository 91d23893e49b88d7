// The sales journal command of the main window: its place in the Document
// menu, and a document chosen in the journal shown by the invoice window.
#include "book/ui/dialogue_modal.h"
#include "book/ui/facture_window.h"
#include "common/texte.h"
#include "shell/ui/main_window.h"
#include "support/dossier_temporaire.h"
#include "support/plateforme_fausse.h"

#include <QAction>
#include <QLineEdit>
#include <QMenu>
#include <QTableView>
#include <QTest>
#include <gtest/gtest.h>

namespace kyr {
namespace {

TEST(JournalCommande, DansLeMenuDocumentPuisOuvreLeDocumentChoisi) {
    test::DossierTemporaire dossier;
    test::PlateformeFausse p;
    TMainForm w(p);
    w.CreeFacture();
    w.show();
    QTRY_VERIFY(!w.coquille()->RepertoireDepart.isEmpty());

    auto* menu = w.findChild<QMenu*>(QStringLiteral("MenuDocument"));
    const QList<QAction*> actions = menu->actions();
    QAction* journal = w.findChild<QAction*>(QStringLiteral("DocJournalItem"));
    ASSERT_TRUE(journal);
    const auto liste = actions.indexOf(w.findChild<QAction*>(QStringLiteral("DocListItem")));
    EXPECT_EQ(actions.indexOf(journal), liste + 1);
    EXPECT_EQ(journal->text(), QStringLiteral("&Journal des ventes..."));
    EXPECT_EQ(journal->statusTip(), QStringLiteral("Journal des ventes et TVA"));
    EXPECT_FALSE(journal->isEnabled());

    const QString livre = dossier.chemin(QStringLiteral("ventes.fct"));
    EcritFichier(livre, {"<BLOC0000>",
                         "NUMF200103001",
                         "15/03/2001",
                         "10002",
                         "",
                         "Facture",
                         "Garage",
                         "",
                         "",
                         "",
                         "TTCN",
                         "FACTA\t1\t10\t\t\t1",
                         "</BLOC0000>",
                         "<BLOC0001>",
                         "NUMF200103002",
                         "01/03/2001",
                         "10003",
                         "",
                         "Facture",
                         "Boulangerie",
                         "",
                         "",
                         "",
                         "TTCN",
                         "FACTB\t1\t20\t\t\t1",
                         "</BLOC0001>"});
    p.nomsOuvrir.push_back(livre);
    w.findChild<QAction*>(QStringLiteral("FileOpenItem"))->trigger();
    ASSERT_TRUE(journal->isEnabled());

    // Sorted by date: the Boulangerie's invoice of the 1st comes first.
    test::QuandModal([](QWidget* d) {
        auto* t = d->findChild<QTableView*>(QStringLiteral("StringGrid1"));
        t->setCurrentIndex(t->model()->index(0, 0));
        QTest::keyClick(t, Qt::Key_Enter);
    });
    journal->trigger();
    EXPECT_EQ(w.facture()->logique().FicheCourante, 1);
    EXPECT_EQ(w.facture()->findChild<QLineEdit*>(QStringLiteral("Edit2"))->text(),
              QStringLiteral("Boulangerie"));
    EXPECT_FALSE(w.facture()->logique().LivreModifie);
}

} // namespace
} // namespace kyr
