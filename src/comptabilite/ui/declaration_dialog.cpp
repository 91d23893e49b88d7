#include "comptabilite/ui/declaration_dialog.h"

#include "book/facture.h"
#include "common/dates.h"
#include "common/erreurs.h"
#include "common/ui/tableau.h"
#include "comptabilite/page_declaration.h"
#include "einvoice/fichiers_tiers.h"

#include <QAbstractTableModel>
#include <QComboBox>
#include <QFileInfo>
#include <QFont>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QTableView>
#include <QVBoxLayout>

namespace kyr {

namespace {

enum Colonne { CDate, CDocument, CNumero, CTiers, CBase, CTVA, CMotif, NbColonnesTVA };
const char* const Titres[NbColonnesTVA] = {
    "Date retenue", "Document", "Numéro", "Client ou fournisseur", "Base H.T.", "TVA", "Motif"};

} // namespace

// The documents behind the figures: the sales counted, the received
// documents counted, then those waiting for their payment and those that
// cannot be counted, read from the return when they are drawn.
class ModeleDeclaration final : public QAbstractTableModel {
public:
    enum class Sorte { Vente, Achat, Attente, Ecart, AchatEcarte };
    struct Rangee {
        Sorte sorte;
        std::size_t indice;
    };

    void change(const DeclarationTVA* d) {
        beginResetModel();
        m_d = d;
        m_rangees.clear();
        const auto ajoute = [this](Sorte s, std::size_t n) {
            for (std::size_t i = 0; i < n; ++i)
                m_rangees.push_back({s, i});
        };
        ajoute(Sorte::Vente, d->Ventes.size());
        ajoute(Sorte::Achat, d->Achats.size());
        ajoute(Sorte::Attente, d->EnAttente.size());
        ajoute(Sorte::Ecart, d->Ecartes.size());
        ajoute(Sorte::AchatEcarte, d->AchatsEcartes.size());
        endResetModel();
    }
    int rowCount(const QModelIndex& parent = {}) const override {
        return parent.isValid() ? 0 : static_cast<int>(m_rangees.size());
    }
    int columnCount(const QModelIndex& parent = {}) const override {
        return parent.isValid() ? 0 : NbColonnesTVA;
    }
    // The book's block of a sale or of a document set apart; -1 otherwise.
    int bloc(int ligne) const {
        if (ligne < 0 || ligne >= rowCount()) return -1;
        const Rangee& r = m_rangees[static_cast<std::size_t>(ligne)];
        switch (r.sorte) {
        case Sorte::Vente:
            return m_d->Ventes[r.indice].Vente.Bloc;
        case Sorte::Attente:
            return m_d->EnAttente[r.indice].Vente.Bloc;
        case Sorte::Ecart:
            return m_d->Ecartes[r.indice].Bloc;
        default:
            return -1;
        }
    }
    QVariant data(const QModelIndex& i, int role) const override {
        if (!m_d || i.row() < 0 || i.row() >= rowCount()) return {};
        const Rangee& r = m_rangees[static_cast<std::size_t>(i.row())];
        const bool compte = r.sorte == Sorte::Vente || r.sorte == Sorte::Achat;
        if (role == Qt::TextAlignmentRole)
            return i.column() == CBase || i.column() == CTVA
                       ? QVariant(Qt::AlignRight | Qt::AlignVCenter)
                       : QVariant(Qt::AlignLeft | Qt::AlignVCenter);
        if (role == Qt::FontRole && !compte) {
            QFont f;
            f.setItalic(true);
            return f;
        }
        if (role != Qt::DisplayRole) return {};
        switch (r.sorte) {
        case Sorte::Vente:
        case Sorte::Attente: {
            const VenteDeclaree& v =
                r.sorte == Sorte::Vente ? m_d->Ventes[r.indice] : m_d->EnAttente[r.indice];
            const QString motif = r.sorte == Sorte::Vente
                                      ? TexteMotif(v)
                                      : QStringLiteral("pas encore due : ") + TexteMotif(v);
            return Texte(i.column(),
                         r.sorte == Sorte::Vente ? TexteDateDeclaree(v.Date) : QString(),
                         TexteGenre(v.Vente.Sorte) + QStringLiteral(" du ") +
                             TexteDateDeclaree(v.Vente.Date),
                         VersQString(v.Vente.Numero), VersQString(v.Vente.NomClient),
                         TexteMontantDeclare(SommeCodes(v.Chiffres.Base)),
                         TexteMontantDeclare(SommeCodes(v.Chiffres.TVA)), motif);
        }
        case Sorte::Achat: {
            const AchatDeclare& a = m_d->Achats[r.indice];
            return Texte(i.column(), TexteDateDeclaree(a.Document.Date),
                         a.Document.Avoir ? QStringLiteral("Avoir reçu")
                                          : QStringLiteral("Facture reçue"),
                         VersQString(a.Document.Numero), VersQString(a.Document.NomFournisseur),
                         TexteMontantDeclare(a.Chiffres.HT), TexteMontantDeclare(a.Chiffres.TVA),
                         QStringLiteral("TVA déductible"));
        }
        case Sorte::Ecart: {
            const DocumentEcarte& e = m_d->Ecartes[r.indice];
            return Texte(i.column(), QString(),
                         Citation(e.Genre) + QStringLiteral(" du ") + Citation(e.TexteDate),
                         Citation(e.Numero), Citation(e.NomClient), {}, {},
                         QStringLiteral("non compté : ") + e.Raison);
        }
        case Sorte::AchatEcarte: {
            const auto& [a, raison] = m_d->AchatsEcartes[r.indice];
            return Texte(i.column(), QString(), QStringLiteral("Facture reçue"), Citation(a.Numero),
                         Citation(a.NomFournisseur), {}, {},
                         QStringLiteral("non comptée : ") + raison);
        }
        }
        return {};
    }
    QVariant headerData(int section, Qt::Orientation o, int role) const override {
        if (o != Qt::Horizontal || section < 0 || section >= NbColonnesTVA) return {};
        if (role == Qt::DisplayRole) return QString::fromUtf8(Titres[section]);
        if (role == Qt::TextAlignmentRole && (section == CBase || section == CTVA))
            return QVariant(Qt::AlignRight | Qt::AlignVCenter);
        return {};
    }

private:
    static QString Texte(int colonne, const QString& date, const QString& document,
                         const QString& numero, const QString& tiers, const QString& base,
                         const QString& tva, const QString& motif) {
        const QString t[NbColonnesTVA] = {date, document, numero, tiers, base, tva, motif};
        return colonne >= 0 && colonne < NbColonnesTVA ? t[colonne] : QString();
    }

    const DeclarationTVA* m_d = nullptr;
    std::vector<Rangee> m_rangees;
};

TDeclarationTVA::TDeclarationTVA(const Lignes& livre, const Reglages& reglages,
                                 SourcesCompta sources, Plateforme& plateforme,
                                 SortiesJournal sorties, QWidget* parent)
    : QDialog(parent), m_reglages(reglages), m_sources(std::move(sources)),
      m_plateforme(plateforme), m_sorties(std::move(sorties)),
      m_journal(LitJournal(livre, reglages)), m_modele(std::make_unique<ModeleDeclaration>()) {
    setObjectName(QStringLiteral("DeclarationTVA"));
    setWindowTitle(QString::fromLatin1(TitreDeclaration));

    auto* haut = new QHBoxLayout;
    auto* etiquette = new QLabel(QStringLiteral("Pé&riode :"), this);
    m_duree = new QComboBox(this);
    m_duree->setObjectName(QStringLiteral("ComboBox1"));
    m_duree->addItems({QStringLiteral("Mois"), QStringLiteral("Trimestre")});
    etiquette->setBuddy(m_duree);
    m_periode = new QComboBox(this);
    m_periode->setObjectName(QStringLiteral("ComboBox2"));
    m_periode->setMinimumContentsLength(13); // "4e trimestre", "septembre"
    m_annee = new QSpinBox(this);
    m_annee->setObjectName(QStringLiteral("SpinEdit1"));
    m_annee->setRange(1900, 2200);
    auto* etiquetteAnnee = new QLabel(QStringLiteral("A&nnée :"), this);
    etiquetteAnnee->setBuddy(m_annee);
    haut->addWidget(etiquette);
    haut->addWidget(m_duree);
    haut->addWidget(m_periode);
    haut->addSpacing(12);
    haut->addWidget(etiquetteAnnee);
    haut->addWidget(m_annee);
    haut->addStretch();

    m_notes = new QLabel(this);
    m_notes->setObjectName(QStringLiteral("Label1"));
    m_notes->setWordWrap(true);
    m_notes->setTextInteractionFlags(Qt::TextSelectableByMouse);

    auto* chiffres =
        new QGroupBox(QStringLiteral("Chiffres de la déclaration (formulaire 3310-CA3)"), this);
    m_chiffres = new QGridLayout(chiffres);
    m_chiffres->setColumnStretch(1, 1);
    m_chiffres->setColumnMinimumWidth(2, 110);
    m_chiffres->setColumnMinimumWidth(3, 110);

    m_table = new QTableView(this);
    m_table->setObjectName(QStringLiteral("StringGrid1"));
    m_table->setModel(m_modele.get());
    PrepareTableauLecture(m_table);
    const QFontMetrics fm = m_table->fontMetrics();
    const auto largeur = [&fm](const char* t) {
        return fm.horizontalAdvance(QString::fromUtf8(t)) + 16;
    };
    m_table->setColumnWidth(CDate, largeur("Date retenue"));
    m_table->setColumnWidth(CDocument, largeur("Facture reçue du 00/00/0000"));
    m_table->setColumnWidth(CNumero, largeur("000000000"));
    m_table->setColumnWidth(CTiers, largeur("Garage du Centre de Lyon"));
    m_table->setColumnWidth(CBase, largeur("-000000,00"));
    m_table->setColumnWidth(CTVA, largeur("-000000,00"));
    m_table->horizontalHeader()->setStretchLastSection(true);
    m_table->horizontalHeader()->setHighlightSections(false);
    connect(m_table, &QTableView::activated, this, [this](const QModelIndex& i) {
        const int b = m_modele->bloc(i.row());
        if (b < 0) return;
        m_choisi = b;
        accept();
    });

    auto* boutons = new QHBoxLayout;
    const auto bouton = [this, boutons](const QString& texte, const char* nom) {
        auto* b = new QPushButton(texte, this);
        b->setObjectName(QLatin1String(nom));
        // Enter belongs to the table (it opens the document), never to a button.
        b->setAutoDefault(false);
        boutons->addWidget(b);
        return b;
    };
    auto* aide = new QLabel(QStringLiteral("Double clic sur une vente pour l'ouvrir."), this);
    boutons->addWidget(aide);
    boutons->addStretch();
    QPushButton* exporter = bouton(QStringLiteral("&Exporter..."), "Button1");
    QPushButton* imprimer = bouton(QStringLiteral("&Imprimer..."), "Button2");
    QPushButton* apercu = bouton(QStringLiteral("A&perçu..."), "Button3");
    QPushButton* fermer = bouton(QStringLiteral("Fermer"), "Button4");
    imprimer->setEnabled(static_cast<bool>(m_sorties.Imprimer));
    apercu->setEnabled(static_cast<bool>(m_sorties.Apercu));
    connect(exporter, &QPushButton::clicked, this, &TDeclarationTVA::Exporter);
    connect(imprimer, &QPushButton::clicked, this, [this] {
        Execute([this] { m_sorties.Imprimer(this, DessinDeclaration(m_declaration)); });
    });
    connect(apercu, &QPushButton::clicked, this, [this] {
        Execute([this] { m_sorties.Apercu(this, DessinDeclaration(m_declaration)); });
    });
    connect(fermer, &QPushButton::clicked, this, &QDialog::reject);

    auto* l = new QVBoxLayout(this);
    l->addLayout(haut);
    l->addWidget(m_notes);
    l->addWidget(chiffres);
    l->addWidget(m_table, 1);
    l->addLayout(boutons);
    setTabOrder(m_duree, m_periode);
    setTabOrder(m_periode, m_annee);
    setTabOrder(m_annee, m_table);
    setTabOrder(m_table, exporter);
    resize(980, 720);

    connect(m_duree, &QComboBox::activated, this, &TDeclarationTVA::dureeChoisie);
    connect(m_periode, &QComboBox::activated, this, &TDeclarationTVA::actualise);
    connect(m_annee, &QSpinBox::valueChanged, this, &TDeclarationTVA::actualise);
    // The month just ended: the one a monthly return is filed for.
    const QDate mois = m_plateforme.Maintenant().date().addMonths(-1);
    Choisit(false, mois.year(), mois.month());
    m_duree->setFocus();
}

TDeclarationTVA::~TDeclarationTVA() {
    m_table->setModel(nullptr);
}

void TDeclarationTVA::Choisit(bool trimestre, int annee, int numero) {
    {
        const QSignalBlocker b1(m_duree), b2(m_periode), b3(m_annee);
        m_duree->setCurrentIndex(trimestre ? 1 : 0);
        m_periode->clear();
        if (trimestre)
            m_periode->addItems({QStringLiteral("1er trimestre"), QStringLiteral("2e trimestre"),
                                 QStringLiteral("3e trimestre"), QStringLiteral("4e trimestre")});
        else
            for (int m = 1; m <= 12; ++m)
                m_periode->addItem(NomMois(m));
        m_periode->setCurrentIndex(numero - 1);
        m_annee->setValue(annee);
    }
    actualise();
}

void TDeclarationTVA::dureeChoisie() {
    // The quarter that holds the month shown, or the quarter's first month.
    const bool trimestre = m_duree->currentIndex() == 1;
    const int mois = m_declaration.Periode.Du.month();
    Choisit(trimestre, m_annee->value(), trimestre ? (mois - 1) / 3 + 1 : mois);
}

void TDeclarationTVA::actualise() {
    const int n = m_periode->currentIndex() + 1;
    const PeriodeTVA p = m_duree->currentIndex() == 1 ? PeriodeTrimestre(m_annee->value(), n)
                                                      : PeriodeMois(m_annee->value(), n);
    m_declaration = Declare(m_journal, m_sources, m_reglages, p);
    m_modele->change(&m_declaration);
    m_notes->setText(NotesDeclaration(m_declaration).join(QLatin1Char('\n')));

    for (QWidget* w : m_cases)
        delete w;
    m_cases.clear();
    QWidget* parent = m_chiffres->parentWidget();
    const auto texte = [&](int ligne, int colonne, const QString& t, const QString& nom = {},
                           bool gras = false) {
        auto* l = new QLabel(t, parent);
        if (!nom.isEmpty()) l->setObjectName(nom);
        if (colonne >= 2) l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        l->setTextInteractionFlags(Qt::TextSelectableByMouse);
        if (gras) {
            QFont f = l->font();
            f.setBold(true);
            l->setFont(f);
        }
        m_chiffres->addWidget(l, ligne, colonne);
        m_cases.push_back(l);
    };
    texte(0, 0, QStringLiteral("Ligne"), {}, true);
    texte(0, 1, QStringLiteral("Opérations"), {}, true);
    texte(0, 2, QStringLiteral("Base H.T."), {}, true);
    texte(0, 3, QStringLiteral("TVA"), {}, true);
    int ligne = 1;
    for (std::size_t i = 0; i < m_declaration.Taux.size(); ++i, ++ligne) {
        const TauxDeclare& t = m_declaration.Taux[i];
        texte(ligne, 0, t.LigneCA3);
        texte(ligne, 1, QStringLiteral("Opérations imposables au taux de ") + TexteTaux(t.Taux),
              QStringLiteral("LabelTaux%1").arg(i + 1));
        texte(ligne, 2, TexteMontantDeclare(t.Base), QStringLiteral("LabelBase%1").arg(i + 1));
        texte(ligne, 3, TexteMontantDeclare(t.TVA), QStringLiteral("LabelTVA%1").arg(i + 1));
    }
    const DeclarationTVA& d = m_declaration;
    texte(ligne, 0, QStringLiteral("16"), {}, true);
    texte(ligne, 1, QStringLiteral("Total de la TVA brute due"), {}, true);
    texte(ligne, 2, TexteMontantDeclare(d.BaseTotale), QStringLiteral("LabelBase"), true);
    texte(ligne++, 3, TexteMontantDeclare(d.TVABrute), QStringLiteral("LabelBrute"), true);
    texte(ligne, 0, QStringLiteral("20"));
    texte(ligne, 1,
          d.SansAchats ? QStringLiteral("TVA déductible (aucune facture reçue)")
                       : QStringLiteral("TVA déductible sur autres biens et services"));
    texte(ligne++, 3, TexteMontantDeclare(d.TVADeductible), QStringLiteral("LabelDeductible"));
    texte(ligne, 0, d.Net >= 0 ? QStringLiteral("28") : QStringLiteral("25"), {}, true);
    texte(ligne, 1, d.Net >= 0 ? QStringLiteral("TVA nette due") : QStringLiteral("Crédit de TVA"),
          QStringLiteral("LabelTitreNet"), true);
    texte(ligne, 3, TexteMontantDeclare(d.Net >= 0 ? d.Net : -d.Net), QStringLiteral("LabelNet"),
          true);
}

void TDeclarationTVA::Exporter() {
    const FichierTableau f = ChoisitFichierTableau(m_plateforme, static_cast<bool>(m_sorties.Pdf),
                                                   QStringLiteral("declaration_tva.csv"));
    if (f.Chemin.isEmpty()) return;
    Execute([&] {
        if (f.Pdf)
            m_sorties.Pdf(f.Chemin, DessinDeclaration(m_declaration));
        else
            ExporteCSV(f.Chemin, m_declaration);
    });
}

// A file or printer that fails gives its message; the window stays open.
void TDeclarationTVA::Execute(const std::function<void()>& sortie) {
    ExecuteSortie(m_plateforme, sortie);
}

DessinImpression DessinDeclaration(const DeclarationTVA& d) {
    return [d](Imprimante& i) {
        i.Oriente(OrientationDeclaration);
        DessineDeclaration(i.DebutTravail(), d);
        i.FinTravail();
    };
}

SortiesJournal SortiesDeclaration(Plateforme& p) {
    return SortiesImpression(p, QStringLiteral("DeclarationTVA.pdf"),
                             QString::fromLatin1(TitreDeclaration));
}

bool DeclareTVA(Facture& facture, QWidget* parent, SourcesCompta sources) {
    Vendeur vendeur;
    try {
        ChargeVendeur(vendeur);
    } catch (const ErreurExecution& e) {
        facture.plateforme().Erreur(e.message());
        return false;
    }
    AvecCadreDuVendeur(sources, vendeur);
    // The return reads the book as it stands, the shown document included.
    facture.EcritFiche();
    TDeclarationTVA dialogue(facture.Livre, facture.reglages, std::move(sources),
                             facture.plateforme(), SortiesDeclaration(facture.plateforme()),
                             parent);
    dialogue.exec();
    if (dialogue.Result() < 0) return false;
    facture.FicheCourante = dialogue.Result();
    facture.LitFiche();
    return true;
}

} // namespace kyr
