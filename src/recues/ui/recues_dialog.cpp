#include "recues/ui/recues_dialog.h"

#include "common/erreurs.h"
#include "common/plateforme.h"
#include "common/ui/tableau.h"
#include "einvoice/fichiers_tiers.h"
#include "einvoice/pdfa3.h"
#include "recues/ui/vue_recue.h"

#include <QAbstractTableModel>
#include <QApplication>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QProgressDialog>
#include <QPushButton>
#include <QSortFilterProxyModel>
#include <QTableView>
#include <QThread>
#include <QDeadlineTimer>
#include <QFile>
#include <QVBoxLayout>

#include <atomic>

namespace kyr {

namespace {

enum Colonne {
    CDate,
    CFournisseur,
    CNumero,
    CGenre,
    CHT,
    CTVA,
    CTTC,
    CEcheance,
    CEtat,
    NbColonnesListe
};
const char* const Titres[NbColonnesListe] = {"Date", "Fournisseur", "Numéro",   "Genre", "H.T.",
                                             "TVA",  "TTC",         "Échéance", "État"};
constexpr int RoleTri = Qt::UserRole;

QString Date(const QDate& d) {
    return d.isValid() ? d.toString(QStringLiteral("dd/MM/yyyy")) : QString();
}

} // namespace

// One row an entry of the register, read from it as it is drawn.
class ModeleRecues final : public QAbstractTableModel {
public:
    explicit ModeleRecues(const RegistreRecues& r) : m_r(r) {}
    void change() {
        beginResetModel();
        endResetModel();
    }
    int rowCount(const QModelIndex& p = {}) const override {
        return p.isValid() ? 0 : static_cast<int>(m_r.Entrees.size());
    }
    int columnCount(const QModelIndex& p = {}) const override {
        return p.isValid() ? 0 : NbColonnesListe;
    }
    QVariant data(const QModelIndex& i, int role) const override {
        if (i.row() < 0 || i.row() >= rowCount()) return {};
        const EntreeRecue& e = m_r.Entrees[static_cast<std::size_t>(i.row())];
        const bool montant = i.column() >= CHT && i.column() <= CTTC;
        if (role == Qt::TextAlignmentRole)
            return montant ? QVariant(Qt::AlignRight | Qt::AlignVCenter)
                           : QVariant(Qt::AlignLeft | Qt::AlignVCenter);
        if (role == Qt::ToolTipRole && i.column() == CEtat)
            return QStringLiteral("Selon les contrôles de Kyr Facture");
        if (role != Qt::DisplayRole && role != RoleTri) return {};
        const bool tri = role == RoleTri;
        const auto somme = [&](Centimes c) -> QVariant {
            return tri ? QVariant(static_cast<qlonglong>(c)) : QVariant(TexteMontant(c));
        };
        switch (i.column()) {
        case CDate:
            return tri ? QVariant(e.Date) : QVariant(Date(e.Date));
        case CFournisseur:
            return tri ? QVariant(e.Fournisseur.toLower()) : QVariant(e.Fournisseur);
        case CNumero:
            return e.Numero;
        case CGenre:
            return e.Avoir ? QStringLiteral("Avoir") : QStringLiteral("Facture");
        case CHT:
            return somme(e.HT);
        case CTVA:
            return somme(e.TVA);
        case CTTC:
            return somme(e.TTC);
        case CEcheance:
            return tri ? QVariant(e.Echeance) : QVariant(Date(e.Echeance));
        case CEtat:
            return TexteEtat(e.Etat);
        }
        return {};
    }
    QVariant headerData(int s, Qt::Orientation o, int role) const override {
        if (o != Qt::Horizontal || s < 0 || s >= NbColonnesListe) return {};
        if (role == Qt::DisplayRole) return QString::fromUtf8(Titres[s]);
        if (role == Qt::TextAlignmentRole && s >= CHT && s <= CTTC)
            return QVariant(Qt::AlignRight | Qt::AlignVCenter);
        return {};
    }

private:
    const RegistreRecues& m_r;
};

namespace {

// The search looks at the supplier's name and the invoice's number.
class FiltreRecues final : public QSortFilterProxyModel {
public:
    using QSortFilterProxyModel::QSortFilterProxyModel;
    void cherche(const QString& t) {
        m_texte = t.trimmed();
        invalidateFilter();
    }

protected:
    bool filterAcceptsRow(int ligne, const QModelIndex& parent) const override {
        if (m_texte.isEmpty()) return true;
        const auto texte = [&](int c) {
            return sourceModel()->index(ligne, c, parent).data().toString();
        };
        return texte(CFournisseur).contains(m_texte, Qt::CaseInsensitive) ||
               texte(CNumero).contains(m_texte, Qt::CaseInsensitive);
    }

private:
    QString m_texte;
};

} // namespace

ChoixFichiers ChoixProgramme() {
    return [](QWidget* parent) {
        return QFileDialog::getOpenFileNames(
            parent, QStringLiteral("Importer des factures reçues"), QString(),
            QStringLiteral("Factures électroniques (*.pdf *.xml);;Tous les fichiers (*)"));
    };
}

TRecues::TRecues(const QString& dossier, const std::optional<Vendeur>& moi, Plateforme& plateforme,
                 ChoixFichiers choix, QWidget* parent)
    : QDialog(parent), m_dossier(dossier), m_moi(moi), m_plateforme(plateforme),
      m_choix(std::move(choix)) {
    setObjectName(QStringLiteral("Recues"));
    setWindowTitle(QStringLiteral("Factures reçues"));
    setAcceptDrops(true);
    m_registre = ChargeRegistre(m_dossier);
    m_modele = std::make_unique<ModeleRecues>(m_registre);

    auto* haut = new QHBoxLayout;
    auto* etiquette = new QLabel(QStringLiteral("&Rechercher (fournisseur ou numéro) :"), this);
    m_recherche = new QLineEdit(this);
    m_recherche->setObjectName(QStringLiteral("Edit1"));
    m_recherche->setClearButtonEnabled(true);
    etiquette->setBuddy(m_recherche);
    haut->addWidget(etiquette);
    haut->addWidget(m_recherche, 1);

    auto* filtre = new FiltreRecues(this);
    m_filtre = filtre;
    m_filtre->setSourceModel(m_modele.get());
    m_filtre->setSortRole(RoleTri);
    connect(m_recherche, &QLineEdit::textChanged, this, [this, filtre](const QString& t) {
        filtre->cherche(t);
        actualise();
    });

    m_table = new QTableView(this);
    m_table->setObjectName(QStringLiteral("StringGrid1"));
    m_table->setModel(m_filtre);
    m_table->setSortingEnabled(true);
    m_table->sortByColumn(CDate, Qt::DescendingOrder);
    PrepareTableauLecture(m_table);
    const QFontMetrics fm = m_table->fontMetrics();
    const auto largeur = [&fm](const char* t) {
        return fm.horizontalAdvance(QString::fromUtf8(t)) + 20;
    };
    const char* const largeurs[NbColonnesListe] = {"00/00/0000", "",           "FA-2026-000000",
                                                   "Facture",    "-000000,00", "-000000,00",
                                                   "-000000,00", "00/00/0000", "à vérifier"};
    for (int c = 0; c < NbColonnesListe; ++c)
        if (c != CFournisseur) m_table->setColumnWidth(c, largeur(largeurs[c]));
    m_table->horizontalHeader()->setSectionResizeMode(CFournisseur, QHeaderView::Stretch);
    connect(m_table, &QTableView::activated, this, &TRecues::Voir);

    m_compte = new QLabel(this);
    m_compte->setObjectName(QStringLiteral("Label1"));
    auto* note = new QLabel(QStringLiteral("L'état est celui des contrôles de Kyr Facture (champs "
                                           "obligatoires, règles de calcul EN 16931 au centime, "
                                           "destinataire) ; ce n'est pas une validation complète "
                                           "de la norme."),
                            this);
    note->setWordWrap(true);

    auto* boutons = new QHBoxLayout;
    const auto bouton = [this, boutons](const QString& t, const char* nom) {
        auto* b = new QPushButton(t, this);
        b->setObjectName(QLatin1String(nom));
        b->setAutoDefault(false); // Enter belongs to the table
        boutons->addWidget(b);
        return b;
    };
    boutons->addWidget(m_compte, 1);
    QPushButton* importer = bouton(QStringLiteral("&Importer..."), "Button1");
    QPushButton* voir = bouton(QStringLiteral("&Voir..."), "Button2");
    QPushButton* fermer = bouton(QStringLiteral("Fermer"), "Button3");
    connect(importer, &QPushButton::clicked, this, &TRecues::Importer);
    connect(voir, &QPushButton::clicked, this, &TRecues::Voir);
    connect(fermer, &QPushButton::clicked, this, &QDialog::reject);

    auto* l = new QVBoxLayout(this);
    l->addLayout(haut);
    l->addWidget(m_table, 1);
    l->addWidget(note);
    l->addLayout(boutons);
    setTabOrder(m_recherche, m_table);
    setTabOrder(m_table, importer);
    setTabOrder(importer, voir);
    setTabOrder(voir, fermer);
    resize(1100, 640);
    actualise();
    m_table->setFocus();
}

TRecues::~TRecues() {
    m_table->setModel(nullptr);
}

void TRecues::actualise() {
    const int n = m_filtre->rowCount(), total = static_cast<int>(m_registre.Entrees.size());
    QString t = total == 0 ? QStringLiteral("Aucune facture reçue : « Importer... » ou déposez des "
                                            "fichiers .pdf ou .xml sur cette fenêtre")
                : n == total
                    ? QStringLiteral("%1 facture%2 reçue%2").arg(total).arg(total > 1 ? "s" : "")
                    : QStringLiteral("%1 sur %2 factures reçues").arg(n).arg(total);
    if (!m_registre.Illisibles.empty())
        t += QStringLiteral(" (%1 ligne(s) de l'index illisible(s), gardée(s) telles quelles)")
                 .arg(m_registre.Illisibles.size());
    m_compte->setText(t);
    if (!m_table->currentIndex().isValid() && n > 0)
        m_table->setCurrentIndex(m_filtre->index(0, 0));
}

void TRecues::Importer() {
    const QStringList chemins = m_choix ? m_choix(this) : QStringList();
    if (!chemins.isEmpty()) Importe(chemins);
}

void TRecues::Importe(const QStringList& chemins) {
    // The files are read and checked on a worker thread: a large invoice or
    // a slow disk never freezes the window. The register is the worker's
    // until it ends; the window only shows the progress meanwhile.
    QProgressDialog progres(QStringLiteral("Lecture des factures reçues..."),
                            QStringLiteral("Annuler"), 0, static_cast<int>(chemins.size()), this);
    progres.setObjectName(QStringLiteral("Progression"));
    progres.setWindowTitle(QStringLiteral("Importation"));
    progres.setWindowModality(Qt::WindowModal);
    progres.setMinimumDuration(300);
    std::atomic<int> faits{0};
    std::atomic<bool> annule{false};
    const QDateTime maintenant = m_plateforme.Maintenant();
    const QString modules = DossierModules();
    BilanImport bilan;
    std::unique_ptr<QThread> fil(QThread::create([&] {
        bilan =
            ImporteFichiers(m_registre, m_dossier, chemins, m_moi, modules, maintenant, [&](int n) {
                faits = n;
                return !annule.load();
            });
    }));
    fil->start();
    // The window's events run while the worker reads; the progress is modal,
    // so nothing else of the window can be used meanwhile.
    while (!fil->wait(QDeadlineTimer(30))) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 30);
        progres.setValue(faits);
        if (progres.wasCanceled()) annule = true;
    }
    progres.setValue(progres.maximum());
    m_bilan = bilan;
    m_modele->change();
    actualise();

    QString resume = QStringLiteral("%1 gardée(s), %2 déjà reçue(s), %3 doublon(s), %4 refusée(s).")
                         .arg(bilan.Gardees)
                         .arg(bilan.DejaRecues)
                         .arg(bilan.Doublons)
                         .arg(bilan.Refusees);
    QStringList detail = bilan.Messages.mid(0, 20);
    if (bilan.Messages.size() > 20)
        detail << QStringLiteral("… et %1 autres").arg(bilan.Messages.size() - 20);
    m_plateforme.Message(resume + QStringLiteral("\n\n") + detail.join(QLatin1Char('\n')));
}

void TRecues::Voir() {
    const QModelIndex i = m_filtre->mapToSource(m_table->currentIndex());
    if (!i.isValid()) return;
    const EntreeRecue& e = m_registre.Entrees[static_cast<std::size_t>(i.row())];
    const QString chemin = QDir(m_dossier).filePath(e.Fichier);
    QFile f(chemin);
    if (!f.open(QIODevice::ReadOnly)) {
        m_plateforme.Erreur(
            ErreurExecution::LectureFichier(QDir::toNativeSeparators(chemin)).message());
        return;
    }
    TVueRecue vue(f.readAll(), e.Fichier, m_moi, m_plateforme, this);
    vue.exec();
}

void TRecues::dragEnterEvent(QDragEnterEvent* e) {
    if (!e->mimeData()->hasUrls()) return;
    for (const QUrl& u : e->mimeData()->urls())
        if (u.isLocalFile() && ExtensionAcceptee(u.toLocalFile())) {
            e->acceptProposedAction();
            return;
        }
}

void TRecues::dropEvent(QDropEvent* e) {
    QStringList chemins;
    for (const QUrl& u : e->mimeData()->urls())
        if (u.isLocalFile()) chemins << u.toLocalFile();
    e->acceptProposedAction();
    // After the drop's own event: the import shows a progress and a message.
    QMetaObject::invokeMethod(
        this, [this, chemins] { Importe(chemins); }, Qt::QueuedConnection);
}

void FacturesRecues(QWidget* parent, Plateforme& plateforme, const QString& cheminLivre) {
    if (cheminLivre.isEmpty()) {
        plateforme.Message(
            QStringLiteral("Enregistrez d'abord le facturier : ses factures reçues "
                           "sont gardées à côté de lui, dans un dossier de son nom."));
        return;
    }
    // The company's identifiers tell whether an invoice is addressed to it;
    // without its seller file, each invoice says they are to be filled in.
    Vendeur v;
    try {
        ChargeVendeur(v);
    } catch (const ErreurExecution& e) {
        plateforme.Erreur(e.message());
    }
    const std::optional<Vendeur> moi = v;
    try {
        TRecues dialogue(DossierRecues(cheminLivre), moi, plateforme, ChoixProgramme(), parent);
        dialogue.exec();
    } catch (const ErreurExecution& e) {
        plateforme.Erreur(e.message());
    }
}

} // namespace kyr
