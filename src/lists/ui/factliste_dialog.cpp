#include "lists/ui/factliste_dialog.h"

#include "common/ui/boutons_dialogue.h"
#include "lists/liste_factures.h"
#include "lists/ui/fleches_liste.h"

#include <QAbstractListModel>
#include <QCloseEvent>
#include <QFrame>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QListView>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace kyr {

// The entries in the order shown; each one's text is made from the book's
// lines only when the list draws it.
class ModeleListeFactures final : public QAbstractListModel {
public:
    using QAbstractListModel::QAbstractListModel;

    void Init(const LignesLivre& livre) {
        beginResetModel();
        m_livre = &livre;
        m_entrees = EntreesListe(livre);
        endResetModel();
    }
    int rowCount(const QModelIndex& parent = {}) const override {
        return parent.isValid() ? 0 : static_cast<int>(m_entrees.size());
    }
    QVariant data(const QModelIndex& i, int role) const override {
        if (!i.isValid() || i.row() >= rowCount()) return {};
        const EntreeListe& e = m_entrees[static_cast<std::size_t>(i.row())];
        if (role == Qt::DisplayRole) return VersQString(TexteEntree(*m_livre, e));
        if (role == Qt::UserRole) return e.Bloc;
        return {};
    }
    // Rows r and r + 1 change places.
    void Echange(int r) {
        std::swap(m_entrees[static_cast<std::size_t>(r)],
                  m_entrees[static_cast<std::size_t>(r) + 1]);
        emit dataChanged(index(r), index(r + 1));
    }
    // The longest entry's text, to size the window.
    QString PlusLongue() const {
        std::size_t longueur = 0;
        const EntreeListe* choisie = nullptr;
        for (const EntreeListe& e : m_entrees) {
            const std::size_t n = LongueurEntree(*m_livre, e);
            if (n > longueur || !choisie) {
                longueur = n;
                choisie = &e;
            }
        }
        return choisie ? VersQString(TexteEntree(*m_livre, *choisie)) : QString();
    }

private:
    const LignesLivre* m_livre = nullptr;
    std::vector<EntreeListe> m_entrees;
};

namespace {

constexpr int HauteurListe = 420;
constexpr int LargeurMinimale = 460;

QToolButton* Fleche(const char* nom, Qt::ArrowType sens, const QString& bulle, QWidget* parent) {
    auto* b = new QToolButton(parent);
    b->setObjectName(QString::fromLatin1(nom));
    b->setArrowType(sens);
    b->setAutoRaise(true);
    b->setToolTip(bulle);
    return b;
}

} // namespace

TFactListe::TFactListe(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("TFactListe"));
    setWindowTitle(QStringLiteral("Liste des factures"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);

    auto* outils = new QFrame(this);
    outils->setObjectName(QStringLiteral("Panel1"));
    outils->setFrameShape(QFrame::StyledPanel);
    // In the list, Ctrl+Up and Ctrl+Down do the same (see eventFilter).
    m_monte = Fleche("SpeedButton1", Qt::UpArrow, QStringLiteral("Monter (Ctrl+Haut)"), outils);
    m_descend =
        Fleche("SpeedButton2", Qt::DownArrow, QStringLiteral("Descendre (Ctrl+Bas)"), outils);
    m_fermer = new QPushButton(QStringLiteral("Fermer"), outils);
    m_fermer->setObjectName(QStringLiteral("Button1"));
    m_fermer->setDefault(true); // Enter anywhere closes and opens the selected entry
    auto* rangee = new QHBoxLayout(outils);
    rangee->setContentsMargins(4, 2, 4, 2);
    rangee->addWidget(m_monte);
    rangee->addWidget(m_descend);
    rangee->addStretch();
    rangee->addWidget(m_fermer);

    m_modele = new ModeleListeFactures(this);
    m_liste = new QListView(this);
    m_liste->setObjectName(QStringLiteral("ListBox1"));
    // Every entry one line of one height: the view lays out 10,000 entries
    // without asking each of them its size.
    m_liste->setUniformItemSizes(true);
    m_liste->setModel(m_modele);
    m_liste->setSelectionMode(QAbstractItemView::SingleSelection);
    m_liste->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_liste->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_liste->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    QFont fixe(QStringLiteral("Liberation Mono"));
    fixe.setStyleHint(QFont::Monospace);
    fixe.setFixedPitch(true);
    fixe.setPointSize(font().pointSize() > 0 ? font().pointSize() : 10);
    m_liste->setFont(fixe);
    PremiereFlecheChoisit(m_liste);
    m_liste->installEventFilter(this);

    auto* principal = new QVBoxLayout(this);
    principal->setContentsMargins(0, 0, 0, 0);
    principal->setSpacing(0);
    principal->addWidget(outils);
    principal->addWidget(m_liste, 1);

    connect(m_monte, &QToolButton::clicked, this, [this] { Deplace(-1); });
    connect(m_descend, &QToolButton::clicked, this, [this] { Deplace(+1); });
    connect(m_fermer, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_liste, &QListView::doubleClicked, this, &QDialog::accept);
    m_liste->setFocus();
    Dimensionne();
}

void TFactListe::Init(const LignesLivre& livre) {
    m_modele->Init(livre);
    m_liste->clearSelection();
    m_liste->setCurrentIndex({});
    Dimensionne();
}

int TFactListe::Selection() const {
    const QModelIndexList choisis = m_liste->selectionModel()->selectedRows();
    return choisis.isEmpty() ? -1 : choisis.front().row();
}

int TFactListe::Result() const {
    const int r = Selection();
    return r < 0 ? -1 : m_modele->index(r).data(Qt::UserRole).toInt();
}

void TFactListe::reject() {
    m_liste->clearSelection();
    QDialog::reject();
}

void TFactListe::closeEvent(QCloseEvent* e) {
    if (isVisible()) accept();
    e->accept();
}

void TFactListe::showEvent(QShowEvent* e) {
    QDialog::showEvent(e);
    CentreSurEcran(this);
}

bool TFactListe::eventFilter(QObject* o, QEvent* e) {
    if (o != m_liste || e->type() != QEvent::KeyPress) return false;
    const auto* k = static_cast<QKeyEvent*>(e);
    if (k->modifiers() != Qt::ControlModifier) return false;
    if (k->key() != Qt::Key_Up && k->key() != Qt::Key_Down) return false;
    Deplace(k->key() == Qt::Key_Up ? -1 : +1);
    return true;
}

void TFactListe::Deplace(int sens) {
    const int r = Selection();
    if (r < 0) return;
    const int cible = r + sens;
    if (cible < 0 || cible >= m_modele->rowCount()) return;
    m_modele->Echange(std::min(r, cible));
    const QModelIndex i = m_modele->index(cible);
    m_liste->selectionModel()->setCurrentIndex(i, QItemSelectionModel::ClearAndSelect);
    m_liste->scrollTo(i);
}

// Fixed size, wide enough for the longest entry (within the screen).
void TFactListe::Dimensionne() {
    const QFontMetrics fm(m_liste->font());
    int largeur = fm.horizontalAdvance(m_modele->PlusLongue()) + 2 * m_liste->frameWidth() +
                  m_liste->verticalScrollBar()->sizeHint().width() + 16;
    largeur = std::max(largeur, LargeurMinimale);
    if (const QScreen* ecran = screen())
        largeur = std::min(largeur, ecran->availableGeometry().width() - 40);
    setFixedSize(largeur, HauteurListe);
}

} // namespace kyr
