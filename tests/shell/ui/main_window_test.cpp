// The main window driven offscreen, with scripted questions and file names.
#include "book/ui/facture_window.h"
#include "common/texte.h"
#include "shell/ui/aide.h"
#include "shell/ui/main_window.h"
#include "shell/livre_simple.h"
#include "support/dossier_temporaire.h"
#include "support/octets_fichier.h"
#include "support/panne_ecriture.h"
#include "support/plateforme_fausse.h"

#include <QAction>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QStatusTipEvent>
#include <QTest>
#include <QThread>
#include <QToolBar>
#include <gtest/gtest.h>

namespace kyr {
namespace {

Lignes Livre(const std::string& client) {
    return test::LivreSimple(client);
}

class FenetreTest : public ::testing::Test {
protected:
    test::DossierTemporaire dossier;
    test::PlateformeFausse p;
    std::unique_ptr<TMainForm> w;

    void Demarre() {
        w = std::make_unique<TMainForm>(p);
        w->CreeFacture();
        w->show();
        QTRY_VERIFY(!w->coquille()->RepertoireDepart.isEmpty());
    }
    QAction* A(const char* nom) const { return w->findChild<QAction*>(QLatin1String(nom)); }
    QLabel* Panneau(int n) const {
        return w->findChild<QLabel*>(QStringLiteral("StatusPanel%1").arg(n));
    }
    QString Client() const {
        return w->facture()->findChild<QLineEdit*>(QStringLiteral("Edit2"))->text();
    }
    QString Ecrit(const QString& nom, const Lignes& lignes) {
        EcritFichier(dossier.chemin(nom), lignes);
        return dossier.chemin(nom);
    }
};

TEST_F(FenetreTest, MenusLegendesRaccourcisConseilsEtEtatsAuDemarrage) {
    Demarre();
    struct Cas {
        const char* nom;
        QString texte;
        QKeySequence touche;
        QString conseil;
        bool actif;
    };
    const Cas cas[] = {
        {"FileNewItem", "&Nouveau facturier", {}, "Créer un nouveau fichier", true},
        {"FileOpenItem", "&Ouvrir...", QKeySequence("Ctrl+O"), "Ouvrir un fichier existant", true},
        {"FileSaveItem", "&Enregistrer", QKeySequence("Ctrl+S"), "Enregistrer le fichier en cours",
         false},
        {"FileSaveAsItem", "Enregistrer &sous...", {}, {}, false},
        {"FilePageSetupItem", "&Mise en page...", {}, "Mettre en page", true},
        {"FilePrintItem", "&Imprimer...", {}, "Imprimer la facture", false},
        {"FilePrintSetupItem", "&Configurer l'imprimante...", {}, {}, true},
        {"FileExitItem", "&Quitter", {}, "Quitter l'application", true},
        {"EditCopyItem", "Co&pier", {}, {}, false},
        {"EditPasteItem", "C&oller", {}, {}, false},
        {"EditFindItem", "C&hercher facture...", {}, "Chercher un document", false},
        {"EditFindCodeItem", "Chercher &code client...", {}, {}, false},
        {"EditFindNameItem", "Cherche &nom client...", {}, {}, false},
        {"EditNextItem", "&Suivant", QKeySequence(Qt::Key_F3), {}, false},
        {"DocPreviousItem", "&Précédent     PgUp", {}, "Facture précédente", false},
        {"DocNextItem", "&Suivant           PgDn", {}, {}, false},
        {"DocFirstItem", "P&remier", {}, {}, false},
        {"DocLastItem", "&Dernier", {}, {}, false},
        {"DocNewItem", "&Nouvelle facture", {}, "Nouvelle facture", true},
        {"DocDeleteItem", "S&upprimer facture", {}, "Supprimer facture", false},
        {"DocInsertLineItem", "&Insérer ligne", {}, {}, false},
        {"DocDeleteLineItem", "&Effacer ligne", {}, "Supprimer ligne de facture", false},
        {"DocCalculateItem", "&Calculer", QKeySequence(Qt::Key_F9), "Calculer", false},
        {"DocListItem", "&Liste des factures", QKeySequence(Qt::Key_F2), "Liste des factures",
         false},
        {"ParamCompanyItem", "&Société", {}, "Description de la société", true},
        {"ParamInvoiceItem", "&Facture", {}, "Paramètres de facturation", true},
        {"ParamClientsItem", "&Clients", {}, "Gestion des clients", true},
        {"ParamGlossaryItem", "&Glossaire", {}, {}, true},
        {"ParamAutoOpenItem",
         "&Ouvrir automatiquement",
         {},
         "Ouvrir le facturier au déarrage",
         true},
        {"UtilCalendarItem", "&Calendrier", {}, "Calendrier perpétuel", true},
        {"UtilCalculatorItem", "C&alculatrice", {}, {}, true},
        {"UtilClockItem", "&Horloge", {}, {}, true},
        {"UtilEuroItem", "&Euro-conversion", {}, {}, true},
        {"UtilNotepadItem", "&Bloc-notes", {}, {}, true},
        {"HelpContentsItem", "&Index", {}, "Sommaire de l'aide", true},
        {"HelpSearchItem", "&Chercher", {}, {}, true},
        {"HelpHowToUseItem", "&Utiliser l'aide", {}, {}, true},
        {"HelpAboutItem", "&A propos", {}, "Informations sur la logiciel", true},
    };
    for (const Cas& k : cas) {
        SCOPED_TRACE(k.nom);
        QAction* a = A(k.nom);
        ASSERT_NE(a, nullptr);
        EXPECT_EQ(a->text(), k.texte);
        EXPECT_EQ(a->shortcut(), k.touche);
        EXPECT_FALSE(a->statusTip().isEmpty());
        if (!k.conseil.isEmpty()) {
            EXPECT_EQ(a->statusTip(), k.conseil);
        }
        EXPECT_EQ(a->isEnabled(), k.actif);
    }
    EXPECT_FALSE(A("DocInsertLineItem")->isVisible());
    EXPECT_TRUE(A("ParamAutoOpenItem")->isCheckable());
    EXPECT_FALSE(A("ParamAutoOpenItem")->isChecked());

    QStringList menus;
    for (QAction* m : w->menuBar()->actions())
        menus << m->text() + QString::number(m->menu()->property("HelpContext").toInt());
    EXPECT_EQ(menus, QStringList({"&Fichier3", "&Edition4", "&Document5", "&Paramètres6",
                                  "&Utilitaires7", "&Aide8"}));
    EXPECT_TRUE(w->windowTitle().startsWith("Kyr Facture"));
}

TEST_F(FenetreTest, BarreDOutilsDansLOrdreAvecSesBullesEtEtats) {
    Demarre();
    QStringList bulles, actifs;
    for (QAction* a : w->findChild<QToolBar*>(QStringLiteral("ToolBar1"))->actions()) {
        bulles << (a->isSeparator() ? QStringLiteral("|") : a->toolTip());
        if (a->isEnabled() && !a->isSeparator()) actifs << a->toolTip();
    }
    EXPECT_EQ(bulles,
              QStringList({"Nouveau fichier", "Ouvrir", "Enregistrer", "|", "Copier", "Coller",
                           "Chercher", "|", "Premier", "Précédent", "Suivant", "Dernier",
                           "Nouvelle facture", "Calculer", "|", "Imprimer facture", "Enveloppe"}));
    EXPECT_EQ(actifs, QStringList({"Nouveau fichier", "Ouvrir", "Nouvelle facture"}));

    // After a new book every tool button is enabled; the line items stay as they were.
    w->findChild<QAction*>(QStringLiteral("FileNewItem"))->trigger();
    for (QAction* a : w->findChild<QToolBar*>(QStringLiteral("ToolBar1"))->actions())
        EXPECT_TRUE(a->isEnabled()) << a->toolTip().toStdString();
    for (const char* nom : {"FileSaveAsItem", "FilePrintItem", "EditFindCodeItem",
                            "EditFindNameItem", "EditNextItem", "DocDeleteItem", "DocListItem"})
        EXPECT_TRUE(A(nom)->isEnabled()) << nom;
    EXPECT_FALSE(A("DocDeleteLineItem")->isEnabled());
    EXPECT_FALSE(A("DocInsertLineItem")->isEnabled());
}

TEST_F(FenetreTest, ConseilDansLePanneau0EtHorlogeDansLePanneau1) {
    Demarre();
    // A status tip sent by a hovered item reaches panel 0, and leaving clears it.
    QMenu* fichier = w->findChild<QMenu*>(QStringLiteral("MenuFichier"));
    fichier->popup(w->mapToGlobal(QPoint(0, 0)));
    QTRY_VERIFY(fichier->isVisible());
    fichier->setActiveAction(A("FileOpenItem"));
    QTRY_COMPARE(Panneau(0)->text(), QStringLiteral("Ouvrir un fichier existant"));
    fichier->hide();
    QTRY_COMPARE(Panneau(0)->text(), QString());

    p.maintenant = QDateTime(QDate(2001, 3, 15), QTime(9, 8, 7));
    QTRY_COMPARE_WITH_TIMEOUT(Panneau(1)->text(), QStringLiteral("    09:08:07"), 2500);
    p.maintenant = p.maintenant.addSecs(1);
    QTRY_COMPARE_WITH_TIMEOUT(Panneau(1)->text(), QStringLiteral("    09:08:08"), 2500);

    w->showNormal();
    w->resize(700, 500);
    QTRY_COMPARE(Panneau(0)->width(), 600);
    EXPECT_GE(Panneau(1)->width(), 50);
}

TEST_F(FenetreTest, OuvrirMontreLeLivreEtUneErreurNeChangeRien) {
    const QString a = Ecrit("a.fct", Livre("Dupont"));
    Ecrit("mauvais.fct", {"<BLOCxx01>", "</BLOCxx01>"});
    Demarre();
    w->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(w.get()));
    const auto champ = [this](const char* nom) {
        return w->facture()->findChild<QLineEdit*>(QLatin1String(nom));
    };
    champ("Edit3")->setFocus();
    p.nomsOuvrir.push_back(a);
    A("FileOpenItem")->trigger();
    EXPECT_EQ(Client(), "Dupont");
    EXPECT_EQ(w->windowTitle(), "Kyr Facture - [a.fct]");
    EXPECT_TRUE(A("FileSaveItem")->isEnabled());
    // The document read is ready for the keyboard, from its client code.
    EXPECT_TRUE(champ("Edit1")->hasFocus());

    // The start line's error goes through the dispatch to the error box.
    p.nomsOuvrir.push_back(dossier.chemin("mauvais.fct"));
    A("FileOpenItem")->trigger();
    ASSERT_EQ(p.erreurs.size(), 1u);
    EXPECT_EQ(p.erreurs[0], "'xx01' n'est pas une valeur entière correcte");
    EXPECT_EQ(w->coquille()->FichierCourant, a);
    EXPECT_EQ(Client(), "Dupont");
    EXPECT_EQ(w->windowTitle(), "Kyr Facture - [a.fct]");
}

TEST_F(FenetreTest, UneSaisieEnCoursEstEnregistree) {
    const QString a = Ecrit("a.fct", Livre("Dupont"));
    Demarre();
    p.nomsOuvrir.push_back(a);
    A("FileOpenItem")->trigger();
    auto* nom = w->facture()->findChild<QLineEdit*>(QStringLiteral("Edit2"));
    // Typed without moving the focus (leaving the client code would look the client up).
    nom->selectAll();
    QTest::keyClicks(nom, "Durand");
    A("FileSaveItem")->trigger();
    ASSERT_TRUE(p.AttendPostes()); // the save's end, back from the worker thread
    EXPECT_EQ(LitFichier(a)->at(6), "Durand");
}

TEST_F(FenetreTest, UnEnregistrementQueLeDisqueRefuseEstDitEtLeLivreResteModifie) {
    // The disk's refusal arrives after the command has returned: the error box,
    // the former caption for a Save As, the question again when quitting.
    const QString a = Ecrit("a.fct", Livre("Dupont"));
    Demarre();
    p.nomsOuvrir.push_back(a);
    A("FileOpenItem")->trigger();
    w->facture()->logique().Modifie();
    p.nomsEnregistrer.push_back(dossier.chemin("copie.fct"));
    {
        test::PanneEcritureSimulee panne(EtapeEcriture::Remplacement);
        A("FileSaveAsItem")->trigger();
    }
    EXPECT_EQ(w->windowTitle(), "Kyr Facture - [copie.fct]");
    ASSERT_TRUE(p.AttendPostes());
    ASSERT_EQ(p.erreurs.size(), 1u);
    EXPECT_EQ(p.erreurs[0], "Ne peut créer le fichier " + dossier.chemin("copie.fct") + ". " +
                                test::CauseEtape(EtapeEcriture::Remplacement) +
                                test::ModificationsGardees);
    EXPECT_EQ(w->windowTitle(), "Kyr Facture - [a.fct]");
    EXPECT_FALSE(FichierExiste(dossier.chemin("copie.fct")));
    p.reponses = {Bouton::Annuler};
    EXPECT_FALSE(w->close());
    ASSERT_FALSE(p.questions.empty());
    EXPECT_TRUE(p.questions.back().texte.startsWith("Enregistrer changements dans"));
}

TEST_F(FenetreTest, QuitterPendantUnEnregistrementAttendQuIlSoitSurLeDisque) {
    const QString a = Ecrit("a.fct", Livre("Dupont"));
    Demarre();
    p.nomsOuvrir.push_back(a);
    A("FileOpenItem")->trigger();
    w->facture()->logique().fiche.Adresse[0] = "Durand";
    w->facture()->logique().Modifie();
    // The disk slow to confirm: the save is still running when the window closes.
    SimulePanneEcriture([](EtapeEcriture e, const QString&) {
        if (e == EtapeEcriture::Vidage) QThread::msleep(200);
        return false;
    });
    A("FileSaveItem")->trigger();
    SimulePanneEcriture({});
    EXPECT_TRUE(w->close());
    EXPECT_EQ(LitFichier(a)->at(6), "Durand");
    EXPECT_TRUE(p.erreurs.empty());
    EXPECT_TRUE(p.questions.empty());
}

TEST_F(FenetreTest, DemarrerDansUnDossierVideEtQuitterAussitot) {
    Demarre();
    A("FileExitItem")->trigger();
    EXPECT_FALSE(w->isVisible());
    EXPECT_TRUE(p.questions.empty());
    EXPECT_EQ(QDir(dossier.path()).entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot),
              QStringList{"KyrFact.ini"});
    // No settings file: a first start, in euros at the rates in force.
    const Lignes attendu = {" 0.00000000000000E+0000",
                            " 6.55957000000000E+0000",
                            " 2.00000000000000E+0001",
                            " 1.00000000000000E+0001",
                            " 5.50000000000000E+0000",
                            "",
                            "0",
                            "0",
                            "0",
                            "0",
                            "1",
                            "0",
                            "A r\xE9"
                            "ception",
                            "R\xE9glement \xE0 30 jours",
                            "R\xE9glement \xE0 60 jours",
                            "R\xE9glement \xE0 90 jours",
                            "En votre aimable r\xE9glement"};
    EXPECT_EQ(LitFichier(dossier.chemin("KyrFact.ini")), attendu);
}

TEST_F(FenetreTest, QuitterAvecDesModifications) {
    const QString a = Ecrit("a.fct", Livre("Dupont"));
    Demarre();
    p.nomsOuvrir.push_back(a);
    A("FileOpenItem")->trigger();
    w->facture()->logique().Modifie();

    p.reponses = {Bouton::Annuler};
    EXPECT_FALSE(w->close());
    EXPECT_TRUE(w->isVisible());
    EXPECT_EQ(p.questions.back().texte, "Enregistrer changements dans a.fct ?");
    EXPECT_FALSE(FichierExiste(dossier.chemin("KyrFact.ini")));

    p.reponses = {Bouton::Non};
    EXPECT_TRUE(w->close());
    EXPECT_EQ(LitFichier(a), Livre("Dupont"));
    EXPECT_EQ(LitFichier(dossier.chemin("KyrFact.ini"))->at(5), DepuisQString(a).value());
}

TEST_F(FenetreTest, OuvertureAutomatiqueCocheeEtDecochee) {
    const QString a = Ecrit("a.fct", Livre("Dupont"));
    Reglages r;
    r.OuvertureAuto = 1;
    SauveIni(r, DepuisQString(a).value());
    Demarre();
    EXPECT_TRUE(A("ParamAutoOpenItem")->isChecked());
    EXPECT_EQ(Client(), "Dupont");
    EXPECT_TRUE(A("DocFirstItem")->isEnabled());

    A("ParamAutoOpenItem")->trigger();
    EXPECT_FALSE(A("ParamAutoOpenItem")->isChecked());
    ASSERT_TRUE(w->close());
    EXPECT_EQ(LitFichier(dossier.chemin("KyrFact.ini"))->at(6), "0");
}

TEST_F(FenetreTest, EffacerLigneSuitLeFocusDeLaGrilleEtValideEstDemande) {
    Demarre();
    EXPECT_FALSE(A("DocDeleteLineItem")->isEnabled());
    emit w->facture()->effacerLigneChange(true);
    EXPECT_TRUE(A("DocDeleteLineItem")->isEnabled());
    emit w->facture()->effacerLigneChange(false);
    EXPECT_FALSE(A("DocDeleteLineItem")->isEnabled());
    emit w->facture()->valideDemande();
    EXPECT_TRUE(A("DocFirstItem")->isEnabled());
    EXPECT_TRUE(A("ToolEnvelopeItem")->isEnabled());
}

TEST_F(FenetreTest, SupprimerFactureDemandeConfirmation) {
    const QString a = Ecrit("a.fct", Livre("Dupont"));
    Demarre();
    p.nomsOuvrir.push_back(a);
    A("FileOpenItem")->trigger();

    p.reponses = {Bouton::Annuler};
    A("DocDeleteItem")->trigger();
    EXPECT_EQ(p.questions.back().texte, "Confirmer suppression de la facture ?");
    EXPECT_EQ(p.questions.back().boutons, (std::vector<Bouton>{Bouton::OK, Bouton::Annuler}));
    EXPECT_EQ(Client(), "Dupont");
    EXPECT_FALSE(w->facture()->logique().TestModif());

    p.reponses = {Bouton::OK};
    A("DocDeleteItem")->trigger();
    EXPECT_TRUE(w->facture()->logique().TestModif());
}

TEST_F(FenetreTest, ChercherDansLAideAvecUnMotCleVide) {
    Demarre();
    A("HelpSearchItem")->trigger();
    ASSERT_NE(w->aide(), nullptr);
    EXPECT_TRUE(w->aide()->isVisible());
    auto* cle = w->aide()->findChild<QLineEdit*>(QStringLiteral("MotCle"));
    EXPECT_TRUE(cle->text().isEmpty());
    // A partial key without its accents finds its keyword.
    QTest::keyClicks(cle, "societ");
    auto* liste = w->aide()->findChild<QListWidget*>(QStringLiteral("MotsCles"));
    ASSERT_NE(liste->currentItem(), nullptr);
    EXPECT_EQ(liste->currentItem()->text(), "Société");
}

} // namespace
} // namespace kyr
