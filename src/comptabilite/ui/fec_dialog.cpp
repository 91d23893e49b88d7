#include "comptabilite/ui/fec_dialog.h"

#include "book/facture.h"
#include "common/dates.h"
#include "common/erreurs.h"
#include "common/ui/saisie.h"
#include "einvoice/controles.h"
#include "einvoice/fichiers_tiers.h"
#include "printing/ui/sorties.h"

#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace kyr {

namespace {

QString Date(const QDate& d) {
    return VersQString(FormatDate(d));
}

} // namespace

TExportFEC::TExportFEC(Journal journal, const Reglages& reglages, PlanComptable plan,
                       SourcesCompta sources, const std::string& siren, Plateforme& plateforme,
                       QString dossier, QWidget* parent)
    : QDialog(parent), m_journal(std::move(journal)), m_reglages(reglages), m_plan(std::move(plan)),
      m_sources(std::move(sources)), m_plateforme(plateforme), m_dossier(std::move(dossier)) {
    setObjectName(QStringLiteral("ExportFEC"));
    setWindowTitle(QStringLiteral("Export comptable (FEC)"));
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
    auto* principal = new QVBoxLayout(this);

    auto* choix = new QFormLayout;
    m_exercice = new QComboBox(this);
    m_exercice->setObjectName(QStringLiteral("ComboBox1"));
    for (const int a : AnneesCloture(m_journal, m_sources, m_plan))
        m_exercice->addItem(Date(DateCloture(m_plan, a)), a);
    // The last fiscal year closed by today, which is the one the accountant asks for.
    const QDate aujourdhui = m_plateforme.Maintenant().date();
    for (int i = 0; i < m_exercice->count(); ++i)
        if (DateCloture(m_plan, m_exercice->itemData(i).toInt()) < aujourdhui) {
            m_exercice->setCurrentIndex(i);
            break;
        }
    auto* ligneExercice = new QHBoxLayout;
    ligneExercice->addWidget(m_exercice);
    m_periode = new QLabel(this);
    m_periode->setObjectName(QStringLiteral("Label1"));
    ligneExercice->addWidget(m_periode, 1);
    auto* etiquette = new QLabel(QStringLiteral("&Exercice clos le :"), this);
    etiquette->setBuddy(m_exercice);
    choix->addRow(etiquette, ligneExercice);
    m_siren = new QLineEdit(Q(siren), this);
    m_siren->setObjectName(QStringLiteral("Edit1"));
    m_siren->setMaxLength(20);
    Filtre1252(m_siren);
    choix->addRow(QStringLiteral("&SIREN de la société :"), m_siren);
    m_nom = new QLabel(this);
    m_nom->setObjectName(QStringLiteral("Label2"));
    m_nom->setTextInteractionFlags(Qt::TextSelectableByMouse);
    choix->addRow(QStringLiteral("Fichier :"), m_nom);
    principal->addLayout(choix);

    auto* groupe = new QGroupBox(QStringLiteral("Ce que le fichier contient, à lire avant de "
                                                "le remettre au comptable"),
                                 this);
    auto* lg = new QVBoxLayout(groupe);
    m_rapport = new QPlainTextEdit(groupe);
    m_rapport->setObjectName(QStringLiteral("Memo1"));
    m_rapport->setReadOnly(true);
    m_rapport->setTabChangesFocus(true);
    lg->addWidget(m_rapport);
    principal->addWidget(groupe, 1);

    m_probleme = new QLabel(this);
    m_probleme->setObjectName(QStringLiteral("Label3"));
    m_probleme->setWordWrap(true);
    m_probleme->setStyleSheet(QStringLiteral("color: #b00020"));
    principal->addWidget(m_probleme);

    auto* boutons = new QHBoxLayout;
    boutons->addStretch();
    m_exporter = new QPushButton(QStringLiteral("&Exporter..."), this);
    m_exporter->setObjectName(QStringLiteral("Button1"));
    m_exporter->setDefault(true);
    auto* fermer = new QPushButton(QStringLiteral("Fermer"), this);
    fermer->setObjectName(QStringLiteral("Button2"));
    fermer->setAutoDefault(false);
    boutons->addWidget(m_exporter);
    boutons->addWidget(fermer);
    principal->addLayout(boutons);
    connect(m_exporter, &QPushButton::clicked, this, &TExportFEC::Exporter);
    connect(fermer, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_exercice, &QComboBox::currentIndexChanged, this, &TExportFEC::actualise);
    connect(m_siren, &QLineEdit::textChanged, this, &TExportFEC::actualise);

    setTabOrder(m_exercice, m_siren);
    setTabOrder(m_siren, m_rapport);
    setTabOrder(m_rapport, m_exporter);
    setTabOrder(m_exporter, fermer);
    resize(760, 480);
    actualise();
    // The SIREN first when it is missing: the export asks for it.
    if (siren.empty())
        m_siren->setFocus();
    else
        m_exercice->setFocus();
}

int TExportFEC::annee() const {
    return m_exercice->currentIndex() < 0 ? -1 : m_exercice->currentData().toInt();
}

void TExportFEC::actualise() {
    m_probleme->clear();
    m_nom->clear();
    m_rapport->clear();
    if (annee() < 0) {
        m_periode->setText(QStringLiteral("Le livre n'a ni facture ni avoir à exporter."));
        m_exercice->setEnabled(false);
        m_exporter->setEnabled(false);
        return;
    }
    const Exercice e = ExerciceClos(m_plan, annee());
    m_periode->setText(QStringLiteral("du %1 au %2").arg(Date(e.Debut), Date(e.Fin)));
    const auto x = PrepareFEC(m_journal, m_plan, m_sources, m_reglages, annee());
    if (const auto* m = std::get_if<QString>(&x)) {
        m_probleme->setText(*m);
        return;
    }
    m_rapport->setPlainText(TexteRapport(std::get<ExportFEC>(x)).join(QStringLiteral("\n\n")));
    const std::string siren = S(m_siren->text());
    if (const QString m = RefusSiren(siren); !m.isEmpty()) {
        m_nom->setText(QStringLiteral("(le SIREN le nomme)"));
        // An empty field is only a fault once the export is asked for.
        if (!m_siren->text().trimmed().isEmpty() || m_demande) m_probleme->setText(m);
        return;
    }
    m_nom->setText(NomFichierFEC(Compacte(siren), e.Fin));
}

void TExportFEC::Exporter() {
    if (annee() < 0) return;
    m_demande = true;
    const auto x =
        PrepareFEC(m_journal, m_plan, m_sources, m_reglages, S(m_siren->text()), annee());
    if (const auto* m = std::get_if<QString>(&x)) {
        m_probleme->setText(*m);
        if (!RefusSiren(S(m_siren->text())).isEmpty()) m_siren->setFocus();
        return;
    }
    const ExportFEC& e = std::get<ExportFEC>(x);
    const QString propose =
        m_dossier.isEmpty() ? e.NomFichier : QDir(m_dossier).filePath(e.NomFichier);
    const QString nom = NomFichierExportation(
        m_plateforme, QStringLiteral("Fichiers des écritures comptables (*.txt)"), propose,
        QStringLiteral(".txt"));
    if (nom.isEmpty() || !ExecuteSortie(m_plateforme, [&] { EcritFEC(nom, e); })) return;
    m_ecrit = nom;
    m_plateforme.Message(QStringLiteral("Le fichier des écritures comptables est écrit : %1 "
                                        "(%2 écritures, %3 lignes).")
                             .arg(QDir::toNativeSeparators(nom))
                             .arg(e.NbEcritures)
                             .arg(e.Fichier.NbLignes));
    accept();
}

void ExportComptable(QWidget* parent, Facture& facture, const QString& dossier,
                     SourcesCompta sources) {
    Plateforme& p = facture.plateforme();
    PlanComptable plan = PlanParDefaut(facture.reglages);
    Vendeur vendeur;
    try {
        ChargeComptes(plan);
        ChargeVendeur(vendeur);
    } catch (const ErreurExecution& e) {
        p.Erreur(e.message());
        return;
    }
    AvecCadreDuVendeur(sources, vendeur);
    // The journal reads the book as it stands, the shown document included.
    facture.EcritFiche();
    TExportFEC dialogue(LitJournal(facture.Livre, facture.reglages), facture.reglages,
                        std::move(plan), std::move(sources), vendeur.Siren, p, dossier, parent);
    dialogue.exec();
}

} // namespace kyr
