#include "clients/ui/fichcli_dialog.h"

#include "common/ui/boutons_dialogue.h"
#include "common/texte.h"
#include "common/ui/saisie.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QScrollBar>
#include <QAbstractTableModel>
#include <QTableView>
#include <QToolButton>
#include <QVBoxLayout>

namespace kyr {

namespace {

enum class Dessin { Gauche, Droite, Plus, Moins };

// The four navigation buttons' pictures, drawn so they look the same on every style.
QIcon Image(Dessin d) {
    QPixmap pm(20, 20);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    switch (d) {
    case Dessin::Gauche:
    case Dessin::Droite: {
        QPainterPath t;
        const bool g = d == Dessin::Gauche;
        t.moveTo(g ? 14 : 6, 4);
        t.lineTo(g ? 5 : 15, 10);
        t.lineTo(g ? 14 : 6, 16);
        t.closeSubpath();
        p.setBrush(QColor(0x20, 0x4a, 0x87));
        p.drawPath(t);
        break;
    }
    case Dessin::Plus:
        p.setBrush(QColor(0x2e, 0x7d, 0x32));
        p.drawRect(8, 3, 4, 14);
        p.drawRect(3, 8, 14, 4);
        break;
    case Dessin::Moins:
        p.setBrush(QColor(0xb7, 0x1c, 0x1c));
        p.drawRect(3, 8, 14, 4);
        break;
    }
    return QIcon(pm);
}

} // namespace

// The table's rows as the grid shows them, read when they are drawn: a grid
// of items would copy every client's five texts again at each step of the
// card, a pause at every key on a large client file.
class ModeleClients final : public QAbstractTableModel {
public:
    ModeleClients(const TableClients& table, QObject* parent)
        : QAbstractTableModel(parent), m_table(table),
          m_rangees(static_cast<int>(table.Rangees.size())) {}

    int rowCount(const QModelIndex& parent = {}) const override {
        return parent.isValid() ? 0 : m_rangees;
    }
    int columnCount(const QModelIndex& parent = {}) const override {
        return parent.isValid() ? 0 : 5;
    }
    QVariant data(const QModelIndex& i, int role) const override {
        if (role != Qt::DisplayRole || !i.isValid() ||
            i.row() >= static_cast<int>(m_table.Rangees.size()))
            return {};
        return VersQString(m_table.Rangees.Cellule(static_cast<std::size_t>(i.row()),
                                                   static_cast<std::size_t>(i.column())));
    }

    // After the table changed: rows added or taken away at its end, then
    // every text anew (only the rows on screen are read again).
    void Actualise() {
        const int n = static_cast<int>(m_table.Rangees.size());
        if (n > m_rangees) {
            beginInsertRows({}, m_rangees, n - 1);
            m_rangees = n;
            endInsertRows();
        } else if (n < m_rangees) {
            beginRemoveRows({}, n, m_rangees - 1);
            m_rangees = n;
            endRemoveRows();
        }
        if (n > 0) emit dataChanged(index(0, 0), index(n - 1, 4), {Qt::DisplayRole});
    }

private:
    const TableClients& m_table;
    int m_rangees; // as the grid knows them
};

namespace {

// The widget's text as 8-bit bytes; input is filtered, so every character has one.
std::string Octets(const QString& s) {
    return DepuisQString(s).value_or(std::string());
}

} // namespace

TFichCli::TFichCli(Plateforme& plateforme, QWidget* parent) : QDialog(parent), m_table(plateforme) {
    setObjectName(QStringLiteral("TFichCli"));
    setWindowTitle(QStringLiteral("Gestion des clients"));

    // FormCreate: the table, 64 pixels for the code, 150 for each line.
    m_modele = new ModeleClients(m_table, this);
    m_grille = new QTableView(this);
    m_grille->setObjectName(QStringLiteral("StringGrid1"));
    m_grille->setModel(m_modele);
    m_grille->setWordWrap(false);
    m_grille->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_grille->horizontalHeader()->hide();
    m_grille->verticalHeader()->hide();
    m_grille->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_grille->setSelectionMode(QAbstractItemView::SingleSelection);
    m_grille->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_grille->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_grille->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_grille->verticalHeader()->setDefaultSectionSize(m_grille->fontMetrics().height() + 6);
    m_grille->setColumnWidth(0, 64);
    for (int c = 1; c <= 4; ++c)
        m_grille->setColumnWidth(c, 150);
    m_grille->setMinimumSize(64 + 4 * 150 + m_grille->verticalScrollBar()->sizeHint().width() +
                                 2 * m_grille->frameWidth(),
                             200);
    m_grille->setTabKeyNavigation(false);

    for (std::size_t i = 0; i < m_champs.size(); ++i) {
        m_champs[i] = new QLineEdit(this);
        m_champs[i]->setObjectName(QStringLiteral("Edit%1").arg(i + 1));
        m_champs[i]->installEventFilter(this);
        Filtre1252(m_champs[i]);
        connect(m_champs[i], &QLineEdit::textEdited, this,
                [this, i](const QString& t) { m_table.Champs[i] = Octets(t); });
    }
    m_champs[0]->setMaxLength(5);
    m_champs[0]->setMaximumWidth(80);

    auto* code = new QLabel(QStringLiteral("Code client"), this);
    code->setBuddy(m_champs[0]);

    auto* coordonnees = new QGroupBox(QStringLiteral("Coordonnées du client"), this);
    auto* lc = new QVBoxLayout(coordonnees);
    for (std::size_t i = 1; i < 5; ++i)
        lc->addWidget(m_champs[i]);

    // Navigation and editing buttons.
    const std::array<std::pair<Dessin, const char*>, 4> boutons{{{Dessin::Gauche, "Précédent"},
                                                                 {Dessin::Droite, "Suivant"},
                                                                 {Dessin::Plus, "Ajouter"},
                                                                 {Dessin::Moins, "Supprimer"}}};
    auto* lb = new QHBoxLayout;
    lb->setSpacing(2);
    for (std::size_t i = 0; i < boutons.size(); ++i) {
        m_boutons[i] = new QToolButton(this);
        m_boutons[i]->setObjectName(QStringLiteral("SpeedButton%1").arg(i + 1));
        m_boutons[i]->setIcon(Image(boutons[i].first));
        m_boutons[i]->setIconSize(QSize(20, 20));
        m_boutons[i]->setToolTip(QString::fromUtf8(boutons[i].second));
        m_boutons[i]->setAutoRaise(false);
        m_boutons[i]->setFocusPolicy(Qt::StrongFocus);
        lb->addWidget(m_boutons[i]);
    }
    lb->addStretch();
    connect(m_boutons[0], &QToolButton::clicked, this, &TFichCli::Precedent);
    connect(m_boutons[1], &QToolButton::clicked, this, &TFichCli::Suivant);
    connect(m_boutons[2], &QToolButton::clicked, this, &TFichCli::Ajouter);
    connect(m_boutons[3], &QToolButton::clicked, this, &TFichCli::Supprimer);

    // Search by code.
    auto* recherche = new QGroupBox(QStringLiteral("Chercher"), this);
    m_cherche = new QLineEdit(recherche);
    m_cherche->setObjectName(QStringLiteral("Edit6"));
    m_cherche->setMaxLength(5);
    m_cherche->setMaximumWidth(80);
    m_cherche->installEventFilter(this);
    Filtre1252(m_cherche);
    auto* chercher = new QPushButton(QStringLiteral("Chercher"), recherche);
    chercher->setObjectName(QStringLiteral("Button2"));
    chercher->setAutoDefault(false);
    connect(chercher, &QPushButton::clicked, this, &TFichCli::Chercher);
    auto* codeRecherche = new QLabel(QStringLiteral("Code client"), recherche);
    codeRecherche->setBuddy(m_cherche);
    auto* lr = new QHBoxLayout(recherche);
    lr->addWidget(codeRecherche);
    lr->addWidget(m_cherche);
    lr->addWidget(chercher);

    auto* fermer = new QPushButton(QStringLiteral("Fermer"), this);
    fermer->setObjectName(QStringLiteral("Button1"));
    fermer->setAutoDefault(false); // Enter in the fields writes the card, it does not close
    connect(fermer, &QPushButton::clicked, this, &TFichCli::Fermer);

    // Card on the left, buttons and search on the right.
    auto* carte = new QGridLayout;
    carte->addWidget(code, 0, 0);
    carte->addWidget(m_champs[0], 0, 1, Qt::AlignLeft);
    carte->addWidget(coordonnees, 1, 0, 1, 2);
    carte->setColumnStretch(1, 1);

    auto* droite = new QVBoxLayout;
    droite->addLayout(lb);
    droite->addWidget(recherche);
    droite->addStretch();
    auto* lf = new QHBoxLayout;
    lf->addStretch();
    lf->addWidget(fermer);
    droite->addLayout(lf);

    auto* bas = new QHBoxLayout;
    bas->addLayout(carte, 3);
    bas->addSpacing(12);
    bas->addLayout(droite, 2);

    auto* principal = new QVBoxLayout(this);
    principal->addWidget(m_grille, 1);
    principal->addLayout(bas);

    connect(m_grille->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& courant) {
                // StringGrid1Click: the chosen client is shown, the card not written.
                const int rangee = courant.row();
                if (m_maj || rangee < 0) return;
                m_table.Selectionne(rangee);
                AfficheChamps();
            });

    setTabOrder(m_champs[0], m_champs[1]);
    setTabOrder(m_champs[1], m_champs[2]);
    setTabOrder(m_champs[2], m_champs[3]);
    setTabOrder(m_champs[3], m_champs[4]);
    setTabOrder(m_champs[4], m_boutons[0]);
    setTabOrder(m_boutons[0], m_boutons[1]);
    setTabOrder(m_boutons[1], m_boutons[2]);
    setTabOrder(m_boutons[2], m_boutons[3]);
    setTabOrder(m_boutons[3], m_cherche);
    setTabOrder(m_cherche, chercher);
    setTabOrder(chercher, fermer);
    setTabOrder(fermer, m_grille);
    resize(sizeHint().width(), 460);
}

void TFichCli::Init(const Lignes& liste) {
    m_table.Init(liste);
    Affiche();
}

void TFichCli::Affiche() {
    m_maj = true;
    m_modele->Actualise();
    const QModelIndex courante = m_modele->index(m_table.Courante, 0);
    m_grille->setCurrentIndex(courante);
    m_grille->scrollTo(courante);
    m_maj = false;
    AfficheChamps();
}

void TFichCli::AfficheChamps() {
    for (std::size_t i = 0; i < m_champs.size(); ++i) {
        const QString t = VersQString(m_table.Champs[i]);
        if (m_champs[i]->text() != t) m_champs[i]->setText(t);
    }
    LectureSeule(m_champs[0], !m_table.CodeModifiable);
}

void TFichCli::ApresRefus() {
    Affiche();
    m_champs[0]->setFocus();
    m_champs[0]->selectAll();
}

void TFichCli::showEvent(QShowEvent* e) {
    QDialog::showEvent(e);
    // FormActivate: the current client on the card, the focus on its code.
    m_table.LitFiche();
    Affiche();
    m_champs[0]->setFocus();
}

void TFichCli::Precedent() {
    if (!m_table.Precedent()) return ApresRefus();
    Affiche();
}

void TFichCli::Suivant() {
    if (!m_table.Suivant()) return ApresRefus();
    Affiche();
}

void TFichCli::Ajouter() {
    if (!m_table.Ajouter()) return ApresRefus();
    Affiche();
    m_champs[0]->setFocus();
}

void TFichCli::Supprimer() {
    m_table.Supprimer();
    Affiche();
}

void TFichCli::Chercher() {
    m_table.Chercher(Octets(m_cherche->text()));
    Affiche();
}

void TFichCli::Fermer() {
    if (!m_table.Fermer()) return ApresRefus();
    Affiche();
    accept();
}

void TFichCli::reject() {
    if (!m_table.Fermer()) return ApresRefus();
    Affiche();
    QDialog::reject();
}

void TFichCli::keyPressEvent(QKeyEvent* e) {
    // FormKeyDown on the dialog itself.
    if (e->key() == Qt::Key_PageDown) return Suivant();
    if (e->key() == Qt::Key_PageUp) return Precedent();
    QDialog::keyPressEvent(e);
}

bool TFichCli::eventFilter(QObject* objet, QEvent* evenement) {
    if (evenement->type() != QEvent::KeyPress) return QDialog::eventFilter(objet, evenement);
    auto* e = static_cast<QKeyEvent*>(evenement);
    const bool entree = e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter;
    if (objet == m_cherche) {
        if (!entree) return false;
        Chercher();
        return true;
    }
    if (std::find(m_champs.begin(), m_champs.end(), objet) == m_champs.end()) return false;
    switch (e->key()) {
    case Qt::Key_PageDown:
        Suivant();
        return true;
    case Qt::Key_PageUp:
        Precedent();
        return true;
    default:
        break;
    }
    if (entree) {
        if (!m_table.EcritFiche())
            ApresRefus();
        else
            Affiche();
        return true;
    }
    // Edit2KeyPress: a typed character marks the table changed, even in the read-only code.
    if (!e->text().isEmpty() && e->text().at(0).unicode() >= 32) m_table.Frappe(' ');
    return false;
}

void Gestcli(Facture& f, QWidget* parent) {
    TFichCli d(f.plateforme(), parent);
    d.Init(f.clients.Lignes_);
    d.exec();
    d.Result(f.clients.Lignes_);
    f.clients.ClientsModifies = true;
}

} // namespace kyr
