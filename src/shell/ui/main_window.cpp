#include "shell/ui/main_window.h"

#include "book/ui/facture_window.h"
#include "common/erreurs.h"
#include "common/texte.h"
#include "einvoice/fichiers_tiers.h"
#include "einvoice/mentions.h"
#include "comptabilite/sources_livre.h"
#include "comptabilite/ui/comptes_dialog.h"
#include "comptabilite/ui/declaration_dialog.h"
#include "comptabilite/ui/fec_dialog.h"
#include "einvoice/ui/exportfe_dialog.h"
#include "einvoice/ui/lot_dialog.h"
#include "einvoice/ui/paramfe_dialog.h"
#include "lists/ui/journal_dialog.h"
#include "printing/ui/sorties.h"
#include "recues/journal_recues.h"
#include "recues/ui/recues_dialog.h"
#include "shell/ui/about.h"
#include "shell/ui/accueil.h"
#include "shell/ui/aide.h"
#include "shell/ui/image_programme.h"
#include "utilities/ui/utilitaires.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QFileInfo>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QPageSetupDialog>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QScreen>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <algorithm>

namespace kyr {

namespace {

const QString TitreProgramme = QStringLiteral("Kyr Facture");

// The book commands enabled by Valide: the menu items and the tool buttons
// that share their actions, and the two tool buttons of their own.
const char* const CommandesLivre[] = {
    "FileSaveItem",      "FileSaveAsItem",  "FilePrintItem",    "EditCopyItem",
    "EditPasteItem",     "EditFindItem",    "EditFindCodeItem", "EditFindNameItem",
    "EditNextItem",      "DocPreviousItem", "DocNextItem",      "DocFirstItem",
    "DocLastItem",       "DocNewItem",      "DocDeleteItem",    "DocCalculateItem",
    "DocListItem",       "ToolPrintItem",   "ToolEnvelopeItem", "FilePreviewItem",
    "FileExportPdfItem", "DocJournalItem",  "FileFacturXItem",  "FileExportBatchItem",
    "FileFECItem",       "DocTVAItem",      "EditCreditNoteItem",
};

} // namespace

TMainForm::TMainForm(Plateforme& plateforme, QWidget* parent)
    : QMainWindow(parent), m_plateforme(plateforme) {
    setObjectName(QStringLiteral("MainForm"));
    setWindowTitle(TitreProgramme);
    // The program's icon is the application's, set once at start-up; drawn
    // here only for a window made without it.
    if (QApplication::windowIcon().isNull()) setWindowIcon(IconeProgramme());
    resize(800, 600);

    m_zone = new QMdiArea(this);
    m_zone->setObjectName(QStringLiteral("ZoneMdi"));
    setCentralWidget(m_zone);

    CreeMenus();
    CreeBarreOutils();
    CreeBarreEtat();

    m_horloge = new QTimer(this);
    m_horloge->setObjectName(QStringLiteral("Timer1"));
    connect(m_horloge, &QTimer::timeout, this, &TMainForm::Horloge);
    m_horloge->start(1000);
}

TMainForm::~TMainForm() = default;

TAide* TMainForm::aide() const {
    return m_aide;
}

void TMainForm::CreeMenus() {
    struct Article {
        const char* nom;
        QString texte;
        QKeySequence touche;
        QString conseil; // hint in status panel 0
        QString bulle;   // tooltip of the tool button sharing the action
        bool actif;
        std::function<void()> effet;
    };
    struct Menu {
        const char* nom;
        QString titre;
        int contexte; // help context number
        std::vector<Article> articles;
    };
    using F = TFacture;
    const auto facture = [this](void (TFacture::*m)()) {
        return [this, m] { CommandeFacture([m](F& f) { (f.*m)(); }); };
    };
    const auto rien = [] {};
    // The utility windows run what may fail through the same dispatch.
    const Execution execution = [this](const std::function<void()>& f) { Commande(f); };

    const std::vector<Menu> menus = {
        {"MenuFichier",
         "&Fichier",
         3,
         {
             {"FileNewItem",
              "&Nouveau facturier",
              {},
              "Créer un nouveau fichier",
              "Nouveau fichier",
              true,
              [this] { CommandeLivre([](Coquille& c) { c.NouveauLivre(); }); }},
             {"FileOpenItem", "&Ouvrir...", QKeySequence(Qt::CTRL | Qt::Key_O),
              "Ouvrir un fichier existant", "Ouvrir", true,
              [this] {
                  bool charge = false;
                  CommandeLivre([&charge](Coquille& c) { charge = c.Ouvrir(); });
                  if (charge) m_facture->FocusDocument();
              }},
             {"FileSeparatorItem", "-", {}, "Fermer fichier en cours", {}, true, rien},
             {"FileSaveItem", "&Enregistrer", QKeySequence(Qt::CTRL | Qt::Key_S),
              "Enregistrer le fichier en cours", "Enregistrer", false,
              [this] { CommandeLivre([](Coquille& c) { c.Enregistrer(); }); }},
             {"FileSaveAsItem",
              "Enregistrer &sous...",
              {},
              "Enregistrer le fichier sous un autre nom",
              {},
              false,
              [this] { CommandeLivre([](Coquille& c) { c.EnregistrerSous(); }); }},
             {"FilePageSetupItem",
              "&Mise en page...",
              {},
              "Mettre en page",
              {},
              true,
              facture(&F::ParM)},
             {"FilePrintItem",
              "&Imprimer...",
              {},
              "Imprimer la facture",
              {},
              false,
              [this] { Imprimer(); }},
             {"FilePreviewItem",
              "Aperçu a&vant impression...",
              {},
              "Voir la facture telle qu'elle sera imprimée",
              {},
              false,
              facture(&F::Apercu)},
             {"FileExportPdfItem",
              "E&xporter en PDF...",
              {},
              "Enregistrer la facture dans un fichier PDF",
              {},
              false,
              facture(&F::ExportePdf)},
             {"FileFacturXItem",
              "Facture é&lectronique...",
              {},
              "Enregistrer la facture en facture électronique (Factur-X, CII ou UBL)",
              {},
              false,
              [this] {
                  CommandeFacture([this](F& f) {
                      f.Saisit();
                      f.Calcule();
                      try {
                          CommandeFacturX(this, f.logique(),
                                          f.dossierLivre ? f.dossierLivre() : QString(),
                                          m_coquille->FichierCourant);
                      } catch (...) {
                          f.Affiche();
                          throw;
                      }
                      f.Affiche(); // issued by the export
                  });
              }},
             {"FileExportBatchItem",
              "Exporter les factures de la &période...",
              {},
              "Exporter en factures électroniques les factures et les avoirs d'une période",
              {},
              false,
              [this] {
                  CommandeFacture([this](F& f) {
                      f.Saisit();
                      const bool autre =
                          ExporteLaPeriode(this, f.logique(),
                                           f.dossierLivre ? f.dossierLivre() : QString(),
                                           m_coquille->FichierCourant);
                      f.Affiche(); // the shown document may have been issued
                      if (autre) f.FocusDocument();
                  });
              }},
             {"FileFECItem",
              "Export compta&ble (FEC)...",
              {},
              "Fichier des écritures comptables d'un exercice, pour le comptable",
              {},
              false,
              [this] {
                  CommandeFacture([this](F& f) {
                      f.Saisit();
                      ExportComptable(this, f.logique(),
                                      f.dossierLivre ? f.dossierLivre() : QString(),
                                      SourcesDuLivreOuvert(f));
                  });
              }},
             {"FileReceivedItem",
              "Factures &reçues...",
              {},
              "Lire, contrôler et garder les factures électroniques de vos fournisseurs",
              {},
              true,
              [this] {
                  Commande(
                      [this] { FacturesRecues(this, m_plateforme, m_coquille->FichierCourant); });
              }},
             {"FilePrintSetupItem",
              "&Configurer l'imprimante...",
              {},
              "Configurer l'imprimante",
              {},
              true,
              [this] { ConfigurerImprimante(); }},
             {"FileExitItem",
              "&Quitter",
              {},
              "Quitter l'application",
              {},
              true,
              [this] { close(); }},
         }},
        {"MenuEdition",
         "&Edition",
         4,
         {
             {"EditCopyItem",
              "Co&pier",
              {},
              "Copier la facture",
              "Copier",
              false,
              facture(&F::Copier)},
             {"EditPasteItem",
              "C&oller",
              {},
              "Coller la facture copiée",
              "Coller",
              false,
              facture(&F::Coller)},
             {"EditCreditNoteItem",
              "Créer un &avoir",
              {},
              "Créer un avoir qui corrige la facture affichée",
              {},
              false,
              facture(&F::CreeAvoir)},
             {"EditFindItem",
              "C&hercher facture...",
              {},
              "Chercher un document",
              "Chercher",
              false,
              facture(&F::Chercher)},
             {"EditFindCodeItem",
              "Chercher &code client...",
              {},
              "Recher d'un client par code",
              {},
              false,
              [this] { CommandeFacture([](F& f) { f.FactCli(0); }); }},
             {"EditFindNameItem",
              "Cherche &nom client...",
              {},
              "Recherche par nom de client",
              {},
              false,
              [this] { CommandeFacture([](F& f) { f.FactCli(1); }); }},
             {"EditNextItem",
              "&Suivant",
              QKeySequence(Qt::Key_F3),
              "Facture suivante",
              {},
              false,
              [this] { CommandeFacture([](F& f) { f.FactCli(2); }); }},
         }},
        {"MenuDocument",
         "&Document",
         5,
         {
             {"DocPreviousItem",
              "&Précédent     PgUp",
              {},
              "Facture précédente",
              "Précédent",
              false,
              facture(&F::Precedent)},
             {"DocNextItem",
              "&Suivant           PgDn",
              {},
              "Facture suivante",
              "Suivant",
              false,
              facture(&F::Suivant)},
             {"DocFirstItem",
              "P&remier",
              {},
              "Première facture",
              "Premier",
              false,
              facture(&F::Premier)},
             {"DocLastItem",
              "&Dernier",
              {},
              "Dernière facture",
              "Dernier",
              false,
              facture(&F::Dernier)},
             {"DocNewItem",
              "&Nouvelle facture",
              {},
              "Nouvelle facture",
              "Nouvelle facture",
              true,
              [this] {
                  CommandeFacture([](F& f) { f.Ajout(); });
                  if (m_facture) Valide();
              }},
             {"DocDeleteItem",
              "S&upprimer facture",
              {},
              "Supprimer facture",
              {},
              false,
              [this] { SupprimerFacture(); }},
             {"DocInsertLineItem",
              "&Insérer ligne",
              {},
              "Insèrer ligne de facture",
              {},
              false,
              rien},
             {"DocDeleteLineItem",
              "&Effacer ligne",
              {},
              "Supprimer ligne de facture",
              {},
              false,
              facture(&F::SupLigne)},
             {"DocCalculateItem", "&Calculer", QKeySequence(Qt::Key_F9), "Calculer", "Calculer",
              false, facture(&F::Calcule)},
             {"DocListItem",
              "&Liste des factures",
              QKeySequence(Qt::Key_F2),
              "Liste des factures",
              {},
              false,
              facture(&F::Liste)},
             {"DocJournalItem",
              "&Journal des ventes...",
              {},
              "Journal des ventes et TVA",
              {},
              false,
              [this] {
                  CommandeFacture([this](F& f) {
                      f.Saisit();
                      // The received invoices' VAT comes from the folder beside the book.
                      if (JournalDesVentes(f.logique(), this,
                                           AchatsDuLivre(m_coquille->FichierCourant))) {
                          f.Affiche();
                          f.FocusDocument();
                      }
                  });
              }},
             {"DocTVAItem",
              "Déclaration de &TVA...",
              {},
              "Chiffres de la déclaration de TVA d'un mois ou d'un trimestre",
              {},
              false,
              [this] {
                  CommandeFacture([this](F& f) {
                      f.Saisit();
                      if (DeclareTVA(f.logique(), this, SourcesDuLivreOuvert(f))) {
                          f.Affiche();
                          f.FocusDocument();
                      }
                  });
              }},
         }},
        {"MenuParametres",
         "&Paramètres",
         6,
         {
             {"ParamCompanyItem",
              "&Société",
              {},
              "Description de la société",
              {},
              true,
              facture(&F::Psoc)},
             {"ParamFacturXItem",
              "Facturation électronique...",
              {},
              "Données de la société pour la facture électronique",
              {},
              true,
              [this] {
                  CommandeFacture(
                      [this](F& f) { ParamFE(this, m_plateforme, f.logique().Societe); });
              }},
             {"ParamAccountsItem",
              "&Comptabilité...",
              {},
              "Comptes et journaux du fichier des écritures comptables",
              {},
              true,
              [this] {
                  CommandeFacture(
                      [this](F& f) { ParamComptes(this, m_plateforme, f.logique().reglages); });
              }},
             {"ParamInvoiceItem",
              "&Facture",
              {},
              "Paramètres de facturation",
              {},
              true,
              facture(&F::ParF)},
             {"ParamClientsItem",
              "&Clients",
              {},
              "Gestion des clients",
              {},
              true,
              facture(&F::Gestcli)},
             {"ParamGlossaryItem",
              "&Glossaire",
              {},
              "Glossaire des abbréviations",
              {},
              true,
              facture(&F::Glossaire)},
             {"ParamAutoOpenItem",
              "&Ouvrir automatiquement",
              {},
              "Ouvrir le facturier au déarrage",
              {},
              true,
              rien},
         }},
        {"MenuUtilitaires",
         "&Utilitaires",
         7,
         {
             {"UtilCalendarItem",
              "&Calendrier",
              {},
              "Calendrier perpétuel",
              {},
              true,
              [this] { OuvreCalendrier(this); }},
             {"UtilCalculatorItem",
              "C&alculatrice",
              {},
              "Calculatrice de poche",
              {},
              true,
              [this, execution] { OuvreCalculatrice(this, m_calculatrice, execution); }},
             {"UtilClockItem",
              "&Horloge",
              {},
              "Horloge et mise à l'heure",
              {},
              true,
              [this] { OuvreHorloge(this, m_plateforme); }},
             {"UtilEuroItem",
              "&Euro-conversion",
              {},
              "Conversion entre francs et euros",
              {},
              true,
              [this, execution] { OuvreEuro(this, execution); }},
             {"UtilNotepadItem",
              "&Bloc-notes",
              {},
              "Bloc-notes",
              {},
              true,
              [this, execution] {
                  Commande([this, execution] {
                      OuvreBlocNotes(this, m_plateforme,
                                     m_coquille ? m_coquille->RepertoireDepart : QString(),
                                     execution);
                  });
              }},
         }},
        {"MenuAide",
         "&Aide",
         8,
         {
             {"HelpContentsItem",
              "&Index",
              {},
              "Sommaire de l'aide",
              {},
              true,
              [this] { MontreAide(static_cast<int>(ModeAide::Sommaire)); }},
             {"HelpSearchItem",
              "&Chercher",
              {},
              "Chercher un mot dans l'aide",
              {},
              true,
              [this] { MontreAide(static_cast<int>(ModeAide::Chercher)); }},
             {"HelpHowToUseItem",
              "&Utiliser l'aide",
              {},
              "Comment utiliser l'aide",
              {},
              true,
              [this] { MontreAide(static_cast<int>(ModeAide::UtiliserAide)); }},
             {"HelpAboutItem",
              "&A propos",
              {},
              "Informations sur la logiciel",
              {},
              true,
              [this] { APropos(); }},
         }},
    };

    for (const Menu& m : menus) {
        QMenu* menu = menuBar()->addMenu(m.titre);
        menu->setObjectName(QLatin1String(m.nom));
        menu->setProperty("HelpContext", m.contexte);
        for (const Article& a : m.articles) {
            QAction* action =
                a.texte == QLatin1String("-") ? menu->addSeparator() : menu->addAction(a.texte);
            action->setObjectName(QLatin1String(a.nom));
            action->setStatusTip(a.conseil);
            action->setToolTip(a.bulle.isEmpty() ? a.conseil : a.bulle);
            action->setEnabled(a.actif);
            if (!a.touche.isEmpty()) action->setShortcut(a.touche);
            if (!action->isSeparator())
                connect(action, &QAction::triggered, this, [effet = a.effet] { effet(); });
        }
    }

    // Lines are never inserted: the item exists but stays hidden and disabled.
    findChild<QAction*>(QStringLiteral("DocInsertLineItem"))->setVisible(false);

    QAction* auto_ = findChild<QAction*>(QStringLiteral("ParamAutoOpenItem"));
    auto_->setCheckable(true);
    connect(auto_, &QAction::toggled, this, [this](bool coche) {
        if (m_coquille) m_coquille->SetIni(coche);
    });

    // F1: the page of what the user is doing, wherever the focus is.
    qApp->installEventFilter(new AideF1([this](const QString& page) { MontreAide(page); }, this));

    // The two tool buttons without a menu twin.
    const auto outil = [this](const char* nom, const QString& bulle, void (TFacture::*m)()) {
        auto* a = new QAction(bulle, this);
        a->setObjectName(QLatin1String(nom));
        a->setToolTip(bulle);
        a->setStatusTip(bulle);
        a->setEnabled(false);
        connect(a, &QAction::triggered, this,
                [this, m] { CommandeFacture([m](TFacture& f) { (f.*m)(); }); });
    };
    outil("ToolPrintItem", QStringLiteral("Imprimer facture"), &TFacture::Imprime);
    outil("ToolEnvelopeItem", QStringLiteral("Enveloppe"), &TFacture::ImpEnv);
}

void TMainForm::CreeBarreOutils() {
    auto* barre = addToolBar(QStringLiteral("Outils"));
    barre->setObjectName(QStringLiteral("ToolBar1"));
    barre->setMovable(false);
    barre->setFloatable(false);
    barre->setIconSize(QSize(20, 20));
    barre->toggleViewAction()->setEnabled(false);
    setContextMenuPolicy(Qt::NoContextMenu);

    struct Bouton {
        const char* action;
        const char* nom;
        const char* image;
    };
    const Bouton boutons[] = {
        {"FileNewItem", "NewButton", "nouveau"},
        {"FileOpenItem", "OpenButton", "ouvrir"},
        {"FileSaveItem", "SaveButton", "enregistrer"},
        {nullptr, nullptr, nullptr},
        {"EditCopyItem", "CopyButton", "copier"},
        {"EditPasteItem", "PasteButton", "coller"},
        {"EditFindItem", "FindButton", "chercher"},
        {nullptr, nullptr, nullptr},
        {"DocFirstItem", "FirstButton", "premier"},
        {"DocPreviousItem", "PreviousButton", "precedent"},
        {"DocNextItem", "NextButton", "suivant"},
        {"DocLastItem", "LastButton", "dernier"},
        {"DocNewItem", "NewInvoiceButton", "facture"},
        {"DocCalculateItem", "CalculateButton", "calculer"},
        {nullptr, nullptr, nullptr},
        {"ToolPrintItem", "PrintButton", "imprimer"},
        {"ToolEnvelopeItem", "EnvelopeButton", "enveloppe"},
    };
    for (const Bouton& b : boutons) {
        if (!b.action) {
            barre->addSeparator();
            continue;
        }
        QAction* a = findChild<QAction*>(QLatin1String(b.action));
        a->setIcon(IconeOutil(QLatin1String(b.image)));
        a->setIconVisibleInMenu(false);
        barre->addAction(a);
        barre->widgetForAction(a)->setObjectName(QLatin1String(b.nom));
    }
}

void TMainForm::CreeBarreEtat() {
    QStatusBar* barre = statusBar();
    barre->setSizeGripEnabled(false);
    m_panneau0 = new QLabel(barre);
    m_panneau0->setObjectName(QStringLiteral("StatusPanel0"));
    m_panneau1 = new QLabel(barre);
    m_panneau1->setObjectName(QStringLiteral("StatusPanel1"));
    for (QLabel* l : {m_panneau0, m_panneau1})
        l->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    // Panel 0 takes the window width less 100 pixels (never forcing a minimum
    // width on the window); the clock gets the rest, at least 50 pixels.
    m_panneau0->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    m_panneau1->setMinimumWidth(50);
    barre->addWidget(m_panneau0, 1);
    barre->addPermanentWidget(m_panneau1);
    Horloge();
}

void TMainForm::Horloge() {
    m_panneau1->setText(QStringLiteral("    ") +
                        m_plateforme.Maintenant().time().toString(QStringLiteral("hh:mm:ss")));
}

void TMainForm::resizeEvent(QResizeEvent* e) {
    QMainWindow::resizeEvent(e);
    m_panneau0->setMaximumWidth(std::max(0, width() - 100));
}

bool TMainForm::event(QEvent* e) {
    // The hint of the menu item or tool button under the cursor (empty when it leaves).
    if (e->type() == QEvent::StatusTip) {
        m_panneau0->setText(static_cast<QStatusTipEvent*>(e)->tip());
        return true;
    }
    return QMainWindow::event(e);
}

bool TMainForm::eventFilter(QObject* o, QEvent* e) {
    // The invoice window stays open as long as the program runs.
    if (o == m_sousFenetre && e->type() == QEvent::Close && !m_ferme) {
        e->ignore();
        return true;
    }
    return QMainWindow::eventFilter(o, e);
}

TFacture* TMainForm::CreeFacture() {
    if (m_facture) return m_facture;
    m_facture = new TFacture(m_plateforme);
    m_facture->setProperty("HelpContext", 9);
    m_sousFenetre = m_zone->addSubWindow(m_facture, Qt::SubWindow | Qt::CustomizeWindowHint |
                                                        Qt::WindowTitleHint);
    m_sousFenetre->setObjectName(QStringLiteral("SousFenetreFacture"));
    m_sousFenetre->setSystemMenu(nullptr);
    m_sousFenetre->installEventFilter(this);
    m_sousFenetre->showMaximized();
    m_coquille = std::make_unique<Coquille>(m_facture->logique(), m_plateforme);
    // A save's outcome arriving between commands: its error was shown, and a
    // Save As that failed gives the book its former caption back. Only the
    // caption: the document on screen may be in the middle of an edit.
    m_coquille->SauvegardeTerminee = [this] { MontreTitre(); };
    // The PDF export proposes the open book's folder (the start-up one for a new book).
    m_facture->dossierLivre = [this] {
        if (!m_coquille->FichierCourant.isEmpty())
            return QFileInfo(m_coquille->FichierCourant).absolutePath();
        return m_coquille->RepertoireDepart;
    };
    // A printed invoice shows what the e-invoice's data say of it.
    m_facture->lignesEFacture = [this](const Fiche& f) {
        return LignesImpression(f, m_coquille->FichierCourant, m_plateforme);
    };

    QAction* effacer = findChild<QAction*>(QStringLiteral("DocDeleteLineItem"));
    connect(m_facture, &TFacture::effacerLigneChange, effacer, &QAction::setEnabled);
    connect(m_facture, &TFacture::valideDemande, this, &TMainForm::Valide);
    // A maximised child shows its caption in the frame's, as in "Kyr Facture - [devis.fct]".
    const auto titre = [this] {
        setWindowTitle(TitreProgramme + QStringLiteral(" - [") + m_facture->windowTitle() +
                       QLatin1Char(']'));
    };
    connect(m_facture, &QWidget::windowTitleChanged, this, titre);
    titre();

    Commande([this] { m_facture->Activation(); });
    return m_facture;
}

void TMainForm::Valide() {
    for (const char* nom : CommandesLivre)
        if (QAction* a = findChild<QAction*>(QLatin1String(nom))) a->setEnabled(true);
}

void TMainForm::Commande(const std::function<void()>& commande) {
    try {
        commande();
    } catch (const ErreurExecution& e) {
        m_plateforme.Erreur(e.message());
    }
}

void TMainForm::Rafraichit() {
    if (!m_facture) return;
    Commande([this] { m_facture->Affiche(); });
    MontreTitre();
    if (m_coquille->CommandesLivre) Valide();
}

void TMainForm::MontreTitre() {
    const QString t = VersQString(m_facture->logique().TitreFenetre);
    m_facture->setWindowTitle(t.isEmpty() ? QStringLiteral("Facture") : t);
}

void TMainForm::CommandeLivre(const std::function<void(Coquille&)>& commande) {
    if (!m_facture) return;
    Commande([&] {
        m_facture->Saisit();
        try {
            commande(*m_coquille);
        } catch (...) {
            Rafraichit();
            throw;
        }
    });
    Rafraichit();
}

SourcesCompta TMainForm::SourcesDuLivreOuvert(TFacture& f) const {
    Vendeur vendeur;
    try {
        ChargeVendeur(vendeur);
    } catch (const ErreurExecution&) {
        // Reported by the command itself, which reads the seller's file too.
    }
    return SourcesDuLivre(m_coquille ? m_coquille->FichierCourant : QString(),
                          f.logique().registre, vendeur);
}

void TMainForm::CommandeFacture(const std::function<void(TFacture&)>& commande) {
    if (m_facture) Commande([&] { commande(*m_facture); });
}

void TMainForm::SupprimerFacture() {
    if (!m_facture) return;
    // An issued document is never deleted: a credit note corrects it.
    if (m_facture->logique().EmissionCourante) {
        CommandeFacture([](TFacture& f) { f.RefuseSuppression(); });
        return;
    }
    if (Avertissement(m_plateforme, QStringLiteral("Confirmer suppression de la facture ?"),
                      {Bouton::OK, Bouton::Annuler}) == Bouton::OK)
        CommandeFacture([](TFacture& f) { f.Supprime(); });
}

void TMainForm::Imprimer() {
    // The print dialog, then one print job per copy (none for 0 copies).
    CommandeFacture([](TFacture& f) { f.ImprimeDialogue(); });
}

void TMainForm::ConfigurerImprimante() {
    QPageSetupDialog dialogue(&ImprimanteProgramme(), this);
    dialogue.exec();
}

void TMainForm::MontreAide(int mode) {
    if (!m_aide) m_aide = new TAide(this);
    m_aide->Ouvre(static_cast<ModeAide>(mode));
}

void TMainForm::MontreAide(const QString& page) {
    if (!m_aide) m_aide = new TAide(this);
    m_aide->Montre(page);
}

void TMainForm::APropos() {
    TAboutBox boite(this);
    boite.exec();
}

void TMainForm::showEvent(QShowEvent* e) {
    QMainWindow::showEvent(e);
    if (m_dejaAffiche) return;
    m_dejaAffiche = true;
    // Without a window manager the maximised state is not acted on: fill the
    // screen by hand first, so the window never starts at a small default size.
    if (QScreen* ecran = screen()) setGeometry(ecran->availableGeometry());
    setWindowState(windowState() | Qt::WindowMaximized);
    // After the window is on screen, so that a question about the remembered
    // book (a damaged file) has its parent window visible.
    QTimer::singleShot(0, this, &TMainForm::PremierAffichage);
}

void TMainForm::PremierAffichage() {
    if (!m_coquille) return;
    bool charge = false;
    Commande([this, &charge] { charge = m_coquille->Demarrage(); });
    QAction* auto_ = findChild<QAction*>(QStringLiteral("ParamAutoOpenItem"));
    const QSignalBlocker bloque(auto_);
    auto_->setChecked(m_coquille->AutoOuverture());
    Rafraichit();
    if (charge) m_facture->FocusDocument();
    if (m_offreAccueil && m_facture->logique().PremierDemarrage) Accueil();
}

void TMainForm::Accueil() {
    // Each step is the menu command itself, with its dialog and its files.
    const auto commande = [this](const char* nom) {
        return [this, nom] {
            if (QAction* a = findChild<QAction*>(QLatin1String(nom))) a->trigger();
        };
    };
    std::vector<TAccueil::Etape> etapes = {
        {QStringLiteral("&Société..."),
         QStringLiteral("L'en-tête de vos factures : nom, adresse, téléphone, SIRET."),
         commande("ParamCompanyItem")},
        {QStringLiteral("Paramètres de &facturation..."),
         QStringLiteral("Les taux de TVA, la devise et les conditions de paiement."),
         commande("ParamInvoiceItem")},
        {QStringLiteral("Facturation é&lectronique..."),
         QStringLiteral("Les données du vendeur sur la facture électronique : SIREN, numéro de "
                        "TVA, adresse, IBAN."),
         commande("ParamFacturXItem")},
    };
    TAccueil accueil(m_facture->logique().reglages, std::move(etapes), this);
    accueil.exec();
}

void TMainForm::closeEvent(QCloseEvent* e) {
    if (m_ferme || !m_coquille) {
        e->accept();
        return;
    }
    bool fermer = false;
    Commande([&] {
        m_facture->Saisit();
        fermer = m_coquille->DemandeFermeture();
    });
    Rafraichit();
    if (fermer) fermer = m_coquille->Fermeture();
    if (!fermer) {
        e->ignore();
        return;
    }
    m_ferme = true;
    m_horloge->stop();
    if (m_aide) m_aide->close();
    e->accept();
}

} // namespace kyr
