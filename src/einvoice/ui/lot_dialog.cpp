#include "einvoice/ui/lot_dialog.h"

#include "book/facture.h"
#include "common/erreurs.h"
#include "common/ui/boutons_dialogue.h"
#include "einvoice/fichiers_tiers.h"
#include "einvoice/ui/exportfe_dialog.h"
#include "einvoice/ui/facturx_pdf.h"
#include "einvoice/ui/verificateur.h"
#include "lists/ui/choix_periode.h"

#include <QComboBox>
#include <QDateEdit>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressDialog>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

namespace kyr {

namespace {

QString Utf8(const char* s) {
    return QString::fromUtf8(s);
}

const char* const TitreLot = "Exporter les factures de la période";

} // namespace

TExportLot::TExportLot(const Journal& journal, const QDate& aujourdhui, QWidget* parent)
    : QDialog(parent), m_journal(journal) {
    setObjectName(QStringLiteral("ExportLot"));
    setWindowTitle(Utf8(TitreLot));
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
    auto* principal = new QVBoxLayout(this);
    principal->setSizeConstraint(QLayout::SetFixedSize);

    m_periode = new ChoixPeriode(journal, aujourdhui, this);
    principal->addWidget(m_periode);
    m_compte = new QLabel(this);
    m_compte->setObjectName(QStringLiteral("Label1"));
    principal->addWidget(m_compte);

    auto* formulaire = new QFormLayout;
    auto* dossier = new QHBoxLayout;
    m_dossier = new QLineEdit(this);
    m_dossier->setObjectName(QStringLiteral("Edit1"));
    m_dossier->setMinimumWidth(360);
    auto* parcourir = new QPushButton(Utf8("&Parcourir..."), this);
    parcourir->setObjectName(QStringLiteral("Button3"));
    parcourir->setAutoDefault(false);
    dossier->addWidget(m_dossier);
    dossier->addWidget(parcourir);
    auto* etiquette = new QLabel(Utf8("D&ossier :"), this);
    etiquette->setBuddy(m_dossier);
    formulaire->addRow(etiquette, dossier);
    m_format = ListeFormats(this);
    m_format->setObjectName(QStringLiteral("ComboBox2")); // ComboBox1 is the period's
    formulaire->addRow(Utf8("&Format :"), m_format);
    principal->addLayout(formulaire);

    auto* note = new QLabel(Utf8("Un fichier par document, nommé d'après son genre et son "
                                 "numéro (« Facture 202609001.pdf »). Les acheteurs sont ceux "
                                 "des exportations précédentes ; un document auquel il manque "
                                 "quelque chose est signalé dans le compte rendu."),
                            this);
    note->setWordWrap(true);
    principal->addWidget(note);
    m_probleme = LabelProbleme(this);
    principal->addWidget(m_probleme);
    principal->addLayout(BoutonsAnnulerOK(this));
    m_ok = findChild<QPushButton*>(QStringLiteral("Button2"));
    if (m_ok) m_ok->setText(Utf8("&Exporter"));

    connect(m_periode, &ChoixPeriode::change, this, &TExportLot::Compte);
    connect(parcourir, &QPushButton::clicked, this, &TExportLot::Parcourir);
    setTabOrder(m_periode->au(), m_dossier);
    setTabOrder(m_dossier, parcourir);
    setTabOrder(parcourir, m_format);
    Compte();
    m_periode->liste()->setFocus();
}

void TExportLot::Compte() {
    const VueJournal v = Selectionne(m_journal, {m_periode->Du(), m_periode->Au(), false}, {});
    const int n = static_cast<int>(v.Ventes.size() + v.Ecartes.size());
    m_compte->setText(m_periode->Du() > m_periode->Au()
                          ? Utf8("La date de début est postérieure à la date de fin")
                      : n == 0 ? Utf8("Aucune facture ni aucun avoir dans la période")
                      : n == 1 ? Utf8("1 facture ou avoir dans la période")
                               : Utf8("%1 factures et avoirs dans la période").arg(n));
    if (m_ok) m_ok->setEnabled(n > 0 && m_periode->Du() <= m_periode->Au());
}

void TExportLot::Parcourir() {
    const QString choisi = QFileDialog::getExistingDirectory(
        this, Utf8("Dossier des factures électroniques"), m_dossier->text());
    if (!choisi.isEmpty()) m_dossier->setText(QDir::toNativeSeparators(choisi));
}

void TExportLot::Init(const DemandeLot& d) {
    m_dossier->setText(QDir::toNativeSeparators(d.Dossier));
    m_format->setCurrentIndex(static_cast<int>(d.Format));
}

DemandeLot TExportLot::Result() const {
    DemandeLot d;
    d.Du = m_periode->Du();
    d.Au = m_periode->Au();
    d.Dossier = QDir::fromNativeSeparators(m_dossier->text().trimmed());
    d.Format = static_cast<FormatFE>(std::max(0, m_format->currentIndex()));
    return d;
}

void TExportLot::accept() {
    const QString dossier = m_dossier->text().trimmed();
    QString probleme;
    if (dossier.isEmpty())
        probleme = Utf8("Choisissez le dossier où écrire les fichiers.");
    else if (!QFileInfo(dossier).isDir())
        probleme = Utf8("Le dossier %1 n'existe pas.").arg(dossier);
    m_probleme->setText(probleme);
    m_probleme->setVisible(!probleme.isEmpty());
    if (!probleme.isEmpty()) {
        m_dossier->setFocus();
        return;
    }
    QDialog::accept();
}

TRapportLot::TRapportLot(const RapportLot& rapport, QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("RapportLot"));
    setWindowTitle(Utf8(TitreLot));
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
    auto* principal = new QVBoxLayout(this);
    auto* resume = new QLabel(ResumeRapport(rapport), this);
    resume->setObjectName(QStringLiteral("Label1"));
    resume->setWordWrap(true);
    resume->setTextInteractionFlags(Qt::TextSelectableByMouse);
    principal->addWidget(resume);

    m_liste = new QListWidget(this);
    m_liste->setObjectName(QStringLiteral("ListBox1"));
    m_liste->setWordWrap(true);
    m_liste->setAlternatingRowColors(true);
    // The documents not exported first: they are what needs doing.
    std::vector<const DocumentLot*> montres;
    for (const DocumentLot& d : rapport.Documents)
        if (!d.Ecrit && !d.NonTraite) montres.push_back(&d);
    for (const DocumentLot& d : rapport.Documents)
        if (d.Ecrit && !d.Remarque.isEmpty()) montres.push_back(&d);
    for (const DocumentLot* document : montres) {
        const DocumentLot& d = *document;
        auto* i = new QListWidgetItem(LigneDocument(d), m_liste);
        i->setIcon(style()->standardIcon(d.Ecrit ? QStyle::SP_MessageBoxInformation
                                                 : QStyle::SP_MessageBoxWarning));
        m_blocs.push_back(d.Bloc);
    }
    auto* titre = new QLabel(Utf8("Documents non exportés ou à vérifier (double clic pour "
                                  "ouvrir le document) :"),
                             this);
    titre->setBuddy(m_liste);
    principal->addWidget(titre);
    principal->addWidget(m_liste, 1);
    titre->setVisible(m_liste->count() > 0);
    m_liste->setVisible(m_liste->count() > 0);

    auto* boutons = new QHBoxLayout;
    boutons->addStretch();
    m_ouvrir = new QPushButton(Utf8("&Ouvrir le document"), this);
    m_ouvrir->setObjectName(QStringLiteral("Button1"));
    m_ouvrir->setAutoDefault(false);
    m_ouvrir->setVisible(m_liste->count() > 0);
    auto* fermer = new QPushButton(Utf8("Fermer"), this);
    fermer->setObjectName(QStringLiteral("Button2"));
    fermer->setDefault(true);
    boutons->addWidget(m_ouvrir);
    boutons->addWidget(fermer);
    principal->addLayout(boutons);
    connect(m_ouvrir, &QPushButton::clicked, this, &TRapportLot::ouvre);
    connect(m_liste, &QListWidget::itemActivated, this, &TRapportLot::ouvre);
    connect(fermer, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_liste, &QListWidget::currentRowChanged, this, [this](int ligne) {
        m_ouvrir->setEnabled(ligne >= 0 && m_blocs[static_cast<std::size_t>(ligne)] >= 0);
    });
    if (m_liste->count() > 0) {
        m_liste->setCurrentRow(0);
        m_liste->setFocus();
        resize(760, 480);
    } else {
        resize(560, 10);
        fermer->setFocus();
    }
}

void TRapportLot::ouvre() {
    const int ligne = m_liste->currentRow();
    if (ligne < 0 || m_blocs[static_cast<std::size_t>(ligne)] < 0) return;
    m_choisi = m_blocs[static_cast<std::size_t>(ligne)];
    accept();
}

bool ExporteLaPeriode(QWidget* parent, Facture& f, const QString& dossier,
                      const QString& livre) {
    Plateforme& p = f.plateforme();
    // The export reads the book as it stands, the shown document included.
    f.EcritFiche();
    Vendeur vendeur = VendeurNeuf();
    Acheteurs memorises;
    bool vendeurConnu = false;
    try {
        vendeurConnu = ChargeVendeur(vendeur);
        ChargeAcheteurs(memorises);
    } catch (const ErreurExecution& e) {
        p.Erreur(e.message());
    }
    // What each document's last single export chose (nature, delivery address).
    DonneesDocuments documents;
    try {
        if (const QString chemin = CheminDonneesDocuments(livre); !chemin.isEmpty())
            ChargeDonneesDocuments(documents, chemin);
    } catch (const ErreurExecution& e) {
        p.Erreur(e.message());
    }
    const Journal journal = LitJournal(f.Livre, f.reglages);
    TExportLot dialogue(journal, p.Maintenant().date(), parent);
    DemandeLot demande;
    demande.Dossier = dossier.isEmpty() ? QDir::currentPath() : dossier;
    demande.Format = vendeur.Format;
    dialogue.Init(demande);
    if (dialogue.exec() != QDialog::Accepted) return false;
    demande = dialogue.Result();
    // The format chosen is proposed next time, here and for one document.
    if (vendeurConnu && vendeur.Format != demande.Format) {
        vendeur.Format = demande.Format;
        try {
            SauveVendeur(vendeur);
        } catch (const ErreurExecution& e) {
            p.Erreur(e.message());
        }
    }

    QProgressDialog progres(Utf8("Exportation des factures..."), Utf8("Annuler"), 0, 1, parent);
    progres.setObjectName(QStringLiteral("Progression"));
    progres.setWindowTitle(Utf8(TitreLot));
    progres.setWindowModality(Qt::WindowModal);
    progres.setMinimumDuration(0);
    progres.setAutoClose(false);
    progres.setAutoReset(false);
    progres.setMinimumWidth(440); // the same width whatever the document's name
    OutilsLot outils;
    outils.FacturX = [&](const QString& chemin, const FactureElectronique& fe, const Fiche& page) {
        EcritFacturX(chemin, fe, page, DerniereRangee, f.Societe, p.Maintenant());
    };
    outils.Mesure = [&p](const std::string& t) { return p.LargeurTexte(t); };
    outils.Progression = [&](int fait, int total, const QString& document) {
        progres.setMaximum(std::max(1, total));
        if (!document.isEmpty())
            progres.setLabelText(Utf8("%1 (%2 sur %3)").arg(document).arg(fait + 1).arg(total));
        progres.setValue(fait);
        return !progres.wasCanceled();
    };
    outils.Remplace = [&p](const QStringList& existants) {
        QString noms = QStringList(existants.mid(0, 3)).join(QStringLiteral(", "));
        if (existants.size() > 3) noms += QStringLiteral(", ...");
        const QString texte =
            (existants.size() == 1
                 ? Utf8("Un des fichiers à écrire est déjà dans le dossier (%1).").arg(noms)
                 : Utf8("%1 des fichiers à écrire sont déjà dans le dossier (%2).")
                       .arg(existants.size())
                       .arg(noms)) +
            Utf8("\nLes remplacer ? « Non » les garde et exporte les autres documents.");
        switch (Avertissement(p, texte, {Bouton::Oui, Bouton::Non, Bouton::Annuler})) {
        case Bouton::Oui:
            return Remplacement::Remplacer;
        case Bouton::Non:
            return Remplacement::Garder;
        default:
            return Remplacement::Annuler;
        }
    };
    outils.Emet = [&f](const std::vector<RefDocument>& refs) { return f.Emet(refs); };
    const RapportLot rapport = ExporteLot(
        {f.Livre, f.reglages, f.Societe, vendeur, memorises, &documents}, demande, outils);
    progres.close();

    TRapportLot compteRendu(rapport, parent);
    compteRendu.exec();
    if (compteRendu.Result() < 0) return false;
    f.FicheCourante = compteRendu.Result();
    f.LitFiche();
    return true;
}

} // namespace kyr
