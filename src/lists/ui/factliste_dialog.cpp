#include "lists/ui/factliste_dialog.h"

#include "common/ui/boutons_dialogue.h"
#include "lists/liste_factures.h"
#include "lists/ui/fleches_liste.h"

#include <QCloseEvent>
#include <QFrame>
#include <QKeyEvent>
#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace kyr {

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

    m_liste = new QListWidget(this);
    m_liste->setObjectName(QStringLiteral("ListBox1"));
    m_liste->setUniformItemSizes(true);
    m_liste->setSelectionMode(QAbstractItemView::SingleSelection);
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
    connect(m_liste, &QListWidget::itemDoubleClicked, this, &QDialog::accept);
    m_liste->setFocus();
    Dimensionne();
}

void TFactListe::Init(const Lignes& livre) {
    m_liste->clear();
    const auto entrees = EntreesListe(livre);
    for (const auto& e : entrees) {
        auto* item = new QListWidgetItem(VersQString(e.Texte));
        item->setData(Qt::UserRole, e.Bloc);
        m_liste->addItem(item);
    }
    m_liste->setCurrentRow(-1);
    m_liste->clearSelection();
    Dimensionne();
}

int TFactListe::Result() const {
    const auto choisis = m_liste->selectedItems();
    return choisis.isEmpty() ? -1 : choisis.front()->data(Qt::UserRole).toInt();
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
    const auto choisis = m_liste->selectedItems();
    if (choisis.isEmpty()) return;
    const int r = m_liste->row(choisis.front());
    const int cible = r + sens;
    if (cible < 0 || cible >= m_liste->count()) return;
    QListWidgetItem* item = m_liste->takeItem(r);
    m_liste->insertItem(cible, item);
    m_liste->setCurrentItem(item);
    m_liste->scrollToItem(item);
}

// Fixed size, wide enough for the longest entry (within the screen).
void TFactListe::Dimensionne() {
    int plusLongue = 0;
    QString modele;
    for (int i = 0; i < m_liste->count(); ++i) {
        const QString t = m_liste->item(i)->text();
        if (t.size() > plusLongue) {
            plusLongue = static_cast<int>(t.size());
            modele = t;
        }
    }
    const QFontMetrics fm(m_liste->font());
    int largeur = fm.horizontalAdvance(modele) + 2 * m_liste->frameWidth() +
                  m_liste->verticalScrollBar()->sizeHint().width() + 16;
    largeur = std::max(largeur, LargeurMinimale);
    if (const QScreen* ecran = screen())
        largeur = std::min(largeur, ecran->availableGeometry().width() - 40);
    setFixedSize(largeur, HauteurListe);
}

} // namespace kyr
