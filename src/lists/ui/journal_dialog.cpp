#include "lists/ui/journal_dialog.h"

#include "book/facture.h"
#include "common/dates.h"
#include "common/erreurs.h"
#include "common/plateforme.h"
#include "common/ui/tableau.h"
#include "lists/ui/choix_periode.h"
#include "printing/page_journal.h"

#include <QAbstractTableModel>
#include <QCheckBox>
#include <QDateEdit>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

namespace kyr {

namespace {

enum Colonne { CDate, CGenre, CNumero, CCode, CNom, CHT, CTVA, CTTC, CPayee, NbColonnesJournal };

const char* const Titres[NbColonnesJournal] = {"Date",        "Genre",         "Numéro",
                                               "Code client", "Nom du client", "Total H.T.",
                                               "Total TVA",   "Total TTC",     "Payée"};

QString Montant(Centimes c) {
    return QString::fromLatin1(TexteCentimes(c));
}

} // namespace

// The table: one row a sale of the view, read straight from it, so that
// 10 000 documents cost no widget each.
class ModeleJournal final : public QAbstractTableModel {
public:
    void change(const VueJournal* vue) {
        beginResetModel();
        m_vue = vue;
        endResetModel();
    }
    int rowCount(const QModelIndex& parent = {}) const override {
        return parent.isValid() || !m_vue ? 0 : static_cast<int>(m_vue->Ventes.size());
    }
    int columnCount(const QModelIndex& parent = {}) const override {
        return parent.isValid() ? 0 : NbColonnesJournal;
    }
    const VenteJournal* vente(int ligne) const {
        return m_vue && ligne >= 0 && ligne < rowCount() ? m_vue->Ventes[ligne] : nullptr;
    }
    QVariant data(const QModelIndex& i, int role) const override {
        const VenteJournal* v = vente(i.row());
        if (!v) return {};
        if (role == Qt::TextAlignmentRole)
            return i.column() >= CHT && i.column() <= CTTC
                       ? QVariant(Qt::AlignRight | Qt::AlignVCenter)
                       : QVariant(Qt::AlignLeft | Qt::AlignVCenter);
        if (role != Qt::DisplayRole) return {};
        switch (i.column()) {
        case CDate:
            return VersQString(FormatDate(v->Date));
        case CGenre:
            return TexteGenre(v->Sorte);
        case CNumero:
            return VersQString(v->Numero);
        case CCode:
            return VersQString(v->CodeClient);
        case CNom:
            return VersQString(v->NomClient);
        case CHT:
            return Montant(v->HT);
        case CTVA:
            return Montant(v->TVA);
        case CTTC:
            return Montant(v->TTC);
        case CPayee:
            return v->Payee ? QStringLiteral("Oui") : QStringLiteral("Non");
        }
        return {};
    }
    QVariant headerData(int section, Qt::Orientation o, int role) const override {
        if (o != Qt::Horizontal || section < 0 || section >= NbColonnesJournal) return {};
        if (role == Qt::DisplayRole) return QString::fromUtf8(Titres[section]);
        if (role == Qt::TextAlignmentRole && section >= CHT && section <= CTTC)
            return QVariant(Qt::AlignRight | Qt::AlignVCenter);
        return {};
    }

private:
    const VueJournal* m_vue = nullptr;
};

TJournal::TJournal(const Lignes& livre, const Reglages& reglages, Plateforme& plateforme,
                   SortiesJournal sorties, QWidget* parent, std::vector<AchatJournal> achats)
    : QDialog(parent), m_plateforme(plateforme), m_reglages(reglages),
      m_sorties(std::move(sorties)), m_journal(LitJournal(livre, reglages)),
      m_modele(std::make_unique<ModeleJournal>()) {
    m_journal.Achats = std::move(achats);
    setObjectName(QStringLiteral("Journal"));
    setWindowTitle(QString::fromLatin1(TitreJournal));
    construit();
    actualise();
    m_table->setFocus();
}

TJournal::~TJournal() {
    m_table->setModel(nullptr);
}

void TJournal::construit() {
    auto* haut = new QHBoxLayout;
    m_choix = new ChoixPeriode(m_journal, m_plateforme.Maintenant().date(), this);
    haut->addWidget(m_choix);
    m_nonPayees = new QCheckBox(QStringLiteral("Factures &non payées seulement"), this);
    m_nonPayees->setObjectName(QStringLiteral("CheckBox1"));
    haut->addSpacing(12);
    haut->addWidget(m_nonPayees);
    haut->addStretch();
    connect(m_choix, &ChoixPeriode::change, this, &TJournal::actualise);
    connect(m_nonPayees, &QCheckBox::toggled, this, &TJournal::actualise);

    m_table = new QTableView(this);
    m_table->setObjectName(QStringLiteral("StringGrid1"));
    m_table->setModel(m_modele.get());
    PrepareTableauLecture(m_table);
    // Columns sized for their widest possible text, the name taking the rest:
    // measuring 10 000 rows would make the window slow to open.
    const QFontMetrics fm = m_table->fontMetrics();
    const auto largeur = [&fm](const QString& t) { return fm.horizontalAdvance(t) + 16; };
    const QString montant = QStringLiteral("-000000,00");
    const QString largeurs[NbColonnesJournal] = {QStringLiteral("00/00/0000"),
                                                 QStringLiteral("Facture"),
                                                 QStringLiteral("000000000"),
                                                 QStringLiteral("Code client"),
                                                 QString(),
                                                 montant,
                                                 montant,
                                                 montant,
                                                 QStringLiteral("Payée")};
    for (int c = 0; c < NbColonnesJournal; ++c)
        if (c != CNom) m_table->setColumnWidth(c, largeur(largeurs[c]));
    m_table->horizontalHeader()->setSectionResizeMode(CNom, QHeaderView::Stretch);
    m_table->horizontalHeader()->setHighlightSections(false);
    connect(m_table, &QTableView::activated, this, [this](const QModelIndex& i) {
        if (const VenteJournal* v = m_modele->vente(i.row())) ouvre(v->Bloc);
    });

    m_compte = new QLabel(this);
    m_compte->setObjectName(QStringLiteral("Label1"));
    m_numeros = new QLabel(this);
    m_numeros->setObjectName(QStringLiteral("LabelNumeros"));
    m_numeros->setWordWrap(true);
    m_numeros->setTextInteractionFlags(Qt::TextSelectableByMouse);

    // The totals: the period's, then one row a VAT code, as the VAT return
    // asks for them.
    auto* totaux = new QGroupBox(QStringLiteral("Totaux de la période"), this);
    auto* g = new QGridLayout(totaux);
    const auto valeur = [totaux](const QString& nom) {
        auto* l = new QLabel(totaux);
        l->setObjectName(nom);
        l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        l->setTextInteractionFlags(Qt::TextSelectableByMouse);
        l->setMinimumWidth(90);
        return l;
    };
    const auto titre = [totaux](const QString& t, Qt::Alignment a = Qt::AlignLeft) {
        auto* l = new QLabel(t, totaux);
        l->setAlignment(a | Qt::AlignVCenter);
        return l;
    };
    g->addWidget(titre(QStringLiteral("Taux"), Qt::AlignRight), 0, 1);
    g->addWidget(titre(QStringLiteral("Base H.T."), Qt::AlignRight), 0, 2);
    g->addWidget(titre(QStringLiteral("TVA"), Qt::AlignRight), 0, 3);
    for (int k = 1; k <= 3; ++k) {
        g->addWidget(titre(QStringLiteral("Code TVA %1").arg(k)), k, 0);
        m_taux[k] = valeur(QStringLiteral("LabelTaux%1").arg(k));
        m_base[k] = valeur(QStringLiteral("LabelBase%1").arg(k));
        m_tva[k] = valeur(QStringLiteral("LabelTVA%1").arg(k));
        g->addWidget(m_taux[k], k, 1);
        g->addWidget(m_base[k], k, 2);
        g->addWidget(m_tva[k], k, 3);
    }
    g->setColumnMinimumWidth(4, 40);
    const auto total = [&](int ligne, const QString& t, const QString& nom) {
        g->addWidget(titre(t), ligne, 5);
        QLabel* l = valeur(nom);
        g->addWidget(l, ligne, 6);
        return l;
    };
    m_totalHT = total(0, QStringLiteral("Total H.T."), QStringLiteral("LabelHT"));
    m_totalTVA = total(1, QStringLiteral("Total TVA"), QStringLiteral("LabelTVA"));
    m_totalTTC = total(2, QStringLiteral("Total TTC"), QStringLiteral("LabelTTC"));
    m_nonPaye = total(3, QStringLiteral("Reste à payer"), QStringLiteral("LabelNonPaye"));
    g->setColumnStretch(9, 1);
    // The received invoices' VAT beside the totals, when the book has some.
    m_tvaNette = new QLabel(totaux);
    m_tvaNette->setObjectName(QStringLiteral("LabelTVANette"));
    m_tvaNette->setTextInteractionFlags(Qt::TextSelectableByMouse);
    g->setColumnMinimumWidth(7, 40);
    g->addWidget(m_tvaNette, 0, 8, 5, 1, Qt::AlignTop);

    m_groupeEcartes = new QGroupBox(QStringLiteral("Documents non comptés"), this);
    m_ecartes = new QListWidget(m_groupeEcartes);
    m_ecartes->setObjectName(QStringLiteral("ListBox1"));
    auto* le = new QVBoxLayout(m_groupeEcartes);
    le->addWidget(m_ecartes);
    m_groupeEcartes->setMaximumHeight(110);
    connect(m_ecartes, &QListWidget::itemActivated, this,
            [this](QListWidgetItem* i) { ouvre(i->data(Qt::UserRole).toInt()); });

    auto* boutons = new QHBoxLayout;
    const auto bouton = [this, boutons](const QString& texte, const char* nom) {
        auto* b = new QPushButton(texte, this);
        b->setObjectName(QLatin1String(nom));
        // Enter belongs to the table (it opens the document), never to a button.
        b->setAutoDefault(false);
        boutons->addWidget(b);
        return b;
    };
    boutons->addStretch();
    QPushButton* exporter = bouton(QStringLiteral("&Exporter..."), "Button1");
    m_imprimer = bouton(QStringLiteral("&Imprimer..."), "Button2");
    m_apercu = bouton(QStringLiteral("A&perçu..."), "Button3");
    QPushButton* fermer = bouton(QStringLiteral("Fermer"), "Button4");
    m_imprimer->setEnabled(static_cast<bool>(m_sorties.Imprimer));
    m_apercu->setEnabled(static_cast<bool>(m_sorties.Apercu));
    connect(exporter, &QPushButton::clicked, this, &TJournal::Exporter);
    connect(m_imprimer, &QPushButton::clicked, this, &TJournal::Imprimer);
    connect(m_apercu, &QPushButton::clicked, this, &TJournal::Apercu);
    connect(fermer, &QPushButton::clicked, this, &QDialog::reject);

    auto* l = new QVBoxLayout(this);
    l->addLayout(haut);
    l->addWidget(m_table, 1);
    l->addWidget(m_compte);
    l->addWidget(m_numeros);
    l->addWidget(totaux);
    l->addWidget(m_groupeEcartes);
    l->addLayout(boutons);

    setTabOrder(m_choix->au(), m_nonPayees);
    setTabOrder(m_nonPayees, m_table);
    setTabOrder(m_table, m_ecartes);
    setTabOrder(m_ecartes, exporter);
    resize(1100, 760);
}

void TJournal::actualise() {
    m_vue = Selectionne(m_journal, {m_choix->Du(), m_choix->Au(), m_nonPayees->isChecked()},
                        m_reglages);
    m_modele->change(&m_vue);
    if (m_modele->rowCount() > 0) m_table->setCurrentIndex(m_modele->index(0, 0));

    const TotauxJournal& t = m_vue.Totaux;
    m_totalHT->setText(Montant(t.HT));
    m_totalTVA->setText(Montant(t.TVA));
    m_totalTTC->setText(Montant(t.TTC));
    m_nonPaye->setText(Montant(t.NonPaye));
    m_tvaNette->setVisible(t.AvecAchats);
    if (t.AvecAchats) {
        QString h = QStringLiteral("<table cellspacing='0' cellpadding='1'><tr><td><b>Factures "
                                   "reçues</b> : %1 comptée(s)%2</td><td align='right'>Base "
                                   "H.T.</td><td align='right'>TVA</td></tr>")
                        .arg(t.AchatsComptes)
                        .arg(t.AchatsEcartes ? QStringLiteral(", %1 non comptée(s) (doublon ou "
                                                              "autre devise)")
                                                   .arg(t.AchatsEcartes)
                                             : QString());
        for (const RangeeTva& r : RangeesTvaNette(t, QStringLiteral("−"))) {
            const bool nette = r.Libelle.startsWith(QStringLiteral("TVA nette"));
            h += QStringLiteral("<tr><td>%1%2%3</td><td align='right'>%4</td><td "
                                "align='right'>%1%5%3</td></tr>")
                     .arg(nette ? QStringLiteral("<b>") : QString(), r.Libelle.toHtmlEscaped(),
                          nette ? QStringLiteral("</b>") : QString(),
                          r.Base ? Montant(*r.Base) : QString(), Montant(r.TVA));
        }
        m_tvaNette->setText(h + QStringLiteral("</table>"));
    }
    for (int k = 1; k <= 3; ++k) {
        m_taux[k]->setText(TexteTaux(t.Taux[k]));
        m_base[k]->setText(Montant(t.BaseCode[k]));
        m_tva[k]->setText(Montant(t.TVACode[k]));
    }

    const int n = static_cast<int>(m_vue.Ventes.size());
    QString compte = n == 0   ? QStringLiteral("Aucun document dans la période")
                     : n == 1 ? QStringLiteral("1 document")
                              : QStringLiteral("%1 documents").arg(n);
    if (m_choix->Du() > m_choix->Au())
        compte = QStringLiteral("La date de début est postérieure à la date de fin");
    m_compte->setText(compte);
    const bool trous = !m_vue.Numeros.Manquants.empty() || !m_vue.Numeros.EnDouble.empty();
    m_numeros->setText(TexteNumerotation(m_vue.Numeros).join(QLatin1Char('\n')));
    m_numeros->setStyleSheet(trous ? QStringLiteral("color: #b00000;") : QString());

    m_ecartes->clear();
    for (const DocumentEcarte* e : m_vue.Ecartes) {
        const QString texte =
            QStringLiteral("%1  %2 %3  %4 %5 : %6")
                .arg(Citation(e->TexteDate), Citation(e->Genre), Citation(e->Numero),
                     Citation(e->CodeClient), Citation(e->NomClient), e->Raison);
        auto* i = new QListWidgetItem(texte, m_ecartes);
        i->setData(Qt::UserRole, e->Bloc);
    }
    m_groupeEcartes->setTitle(
        QStringLiteral("Documents non comptés (%1), double clic pour les corriger")
            .arg(m_vue.Ecartes.size()));
    m_groupeEcartes->setVisible(!m_vue.Ecartes.empty());
}

void TJournal::ouvre(int bloc) {
    m_choisi = bloc;
    accept();
}

void TJournal::Exporter() {
    const FichierTableau f = ChoisitFichierTableau(m_plateforme, static_cast<bool>(m_sorties.Pdf),
                                                   QStringLiteral("journal.csv"));
    if (f.Chemin.isEmpty()) return;
    Execute([&] {
        if (f.Pdf)
            m_sorties.Pdf(f.Chemin, DessinJournal(m_vue));
        else
            ExporteCSV(f.Chemin, m_vue);
    });
}

void TJournal::Imprimer() {
    if (m_sorties.Imprimer) Execute([this] { m_sorties.Imprimer(this, DessinJournal(m_vue)); });
}

void TJournal::Apercu() {
    if (m_sorties.Apercu) Execute([this] { m_sorties.Apercu(this, DessinJournal(m_vue)); });
}

// A file or printer that fails gives its message; the window stays open.
void TJournal::Execute(const std::function<void()>& sortie) {
    ExecuteSortie(m_plateforme, sortie);
}

DessinImpression DessinJournal(const VueJournal& vue) {
    return [vue](Imprimante& i) {
        i.Oriente(OrientationJournal);
        DessineJournal(i.DebutTravail(), vue);
        i.FinTravail();
    };
}

SortiesJournal SortiesImpression(Plateforme& p, const QString& nomPdf, const QString& titre) {
    return {
        [&p, nomPdf](QWidget* parent, const DessinImpression& d) {
            kyr::Imprimer(parent, p, d, nomPdf);
        },
        [&p, nomPdf, titre](QWidget* parent, const DessinImpression& d) {
            kyr::Apercu(parent, p, d, nomPdf, titre);
        },
        [titre](const QString& chemin, const DessinImpression& d) { EcritPdf(chemin, d, titre); }};
}

SortiesJournal SortiesProgramme(Plateforme& p) {
    return SortiesImpression(p, QStringLiteral("Journal.pdf"), QString::fromLatin1(TitreJournal));
}

bool JournalDesVentes(Facture& facture, QWidget* parent, std::vector<AchatJournal> achats) {
    // The journal reads the book as it stands, the shown document included.
    facture.EcritFiche();
    TJournal dialogue(facture.Livre, facture.reglages, facture.plateforme(),
                      SortiesProgramme(facture.plateforme()), parent, std::move(achats));
    dialogue.exec();
    if (dialogue.Result() < 0) return false;
    facture.FicheCourante = dialogue.Result();
    facture.LitFiche();
    return true;
}

} // namespace kyr
