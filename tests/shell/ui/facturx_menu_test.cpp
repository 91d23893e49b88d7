// The electronic invoice's two commands in the main window's menus.
#include "shell/ui/main_window.h"
#include "support/dossier_temporaire.h"
#include "support/plateforme_fausse.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <gtest/gtest.h>

namespace kyr {
namespace {

// The object names of a menu's items, in order.
QStringList Articles(QMainWindow& w, const QString& menu) {
    QStringList noms;
    for (QAction* m : w.menuBar()->actions())
        if (m->text() == menu)
            for (QAction* a : m->menu()->actions())
                noms << a->objectName();
    return noms;
}

TEST(MenusFacturX, AfterThePdfExportAndAfterTheCompany) {
    test::DossierTemporaire dossier;
    test::PlateformeFausse p;
    TMainForm w(p);
    w.CreeFacture();
    const QStringList fichier = Articles(w, QStringLiteral("&Fichier"));
    EXPECT_EQ(fichier.indexOf("FileFacturXItem"), fichier.indexOf("FileExportPdfItem") + 1);
    EXPECT_EQ(fichier.indexOf("FileExportBatchItem"), fichier.indexOf("FileFacturXItem") + 1);
    const QStringList parametres = Articles(w, QString::fromUtf8("&Paramètres"));
    EXPECT_EQ(parametres.indexOf("ParamFacturXItem"), parametres.indexOf("ParamCompanyItem") + 1);

    auto* exporte = w.findChild<QAction*>(QStringLiteral("FileFacturXItem"));
    ASSERT_NE(exporte, nullptr);
    EXPECT_EQ(exporte->text(), QString::fromUtf8("Facture é&lectronique..."));
    EXPECT_FALSE(exporte->isEnabled()); // a book command: no document to export yet
    auto* periode = w.findChild<QAction*>(QStringLiteral("FileExportBatchItem"));
    ASSERT_NE(periode, nullptr);
    EXPECT_EQ(periode->text(), QString::fromUtf8("Exporter les factures de la &période..."));
    EXPECT_FALSE(periode->isEnabled());
    auto* vendeur = w.findChild<QAction*>(QStringLiteral("ParamFacturXItem"));
    ASSERT_NE(vendeur, nullptr);
    EXPECT_EQ(vendeur->text(), QString::fromUtf8("Facturation électronique..."));
    EXPECT_TRUE(vendeur->isEnabled());
}

} // namespace
} // namespace kyr
