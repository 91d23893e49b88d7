#include "lists/ui/glos_dialog.h"

#include "common/ui/saisie.h"
#include "lists/ui/fleches_liste.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <QValidator>
#include <QVBoxLayout>

namespace kyr {

namespace {

// The abbreviation takes the capitals A to Z only, typed or pasted; a to z
// become capitals.
class ValidateurAbreviation final : public QValidator {
public:
    using QValidator::QValidator;
    State validate(QString& texte, int&) const override {
        for (QChar& c : texte) {
            const auto passe = c.unicode() < 128
                                   ? EditionGlossaire::Edit1KeyPress(static_cast<char>(c.unicode()))
                                   : std::nullopt;
            if (!passe || *passe == '\b') return Invalid;
            c = QLatin1Char(*passe);
        }
        return Acceptable;
    }
};

QPushButton* BoutonNomme(const char* nom, const QString& texte, QWidget* parent) {
    auto* b = new QPushButton(texte, parent);
    b->setObjectName(QString::fromLatin1(nom));
    return b;
}

} // namespace

TGlos::TGlos(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("TGlos"));
    setWindowTitle(QStringLiteral("Glossaire"));

    m_liste = new QListWidget(this);
    m_liste->setObjectName(QStringLiteral("ListBox1"));
    m_liste->setSelectionMode(QAbstractItemView::SingleSelection);
    m_liste->setMinimumSize(520, 260);
    PremiereFlecheChoisit(m_liste);

    m_abreviation = new QLineEdit(this);
    m_abreviation->setObjectName(QStringLiteral("Edit1"));
    m_abreviation->setValidator(new ValidateurAbreviation(m_abreviation));
    m_abreviation->setFixedWidth(120);
    m_designation = new QLineEdit(this);
    m_designation->setObjectName(QStringLiteral("Edit2"));
    m_designation->setMaxLength(LongueurDesignationGlossaire);
    Filtre1252(m_designation);
    m_designation->installEventFilter(this);

    auto* champs = new QGridLayout;
    auto* l1 = new QLabel(QStringLiteral("Abbréviation"), this);
    l1->setBuddy(m_abreviation);
    auto* l2 = new QLabel(QStringLiteral("Désignation"), this);
    l2->setBuddy(m_designation);
    champs->addWidget(l1, 0, 0);
    champs->addWidget(l2, 0, 1);
    champs->addWidget(m_abreviation, 1, 0);
    champs->addWidget(m_designation, 1, 1);
    champs->setColumnStretch(1, 1);

    auto* ajouter = BoutonNomme("Button3", QStringLiteral("Ajouter"), this);
    ajouter->setDefault(true); // Enter in the fields adds (or changes) the entry
    auto* supprimer = BoutonNomme("Button4", QStringLiteral("Supprimer"), this);
    auto* fermer = BoutonNomme("Button5", QStringLiteral("Fermer"), this);
    auto* annuler = BoutonNomme("Button1", QStringLiteral("Annuler"), this);
    auto* inserer = BoutonNomme("Button2", QStringLiteral("Insérer"), this);
    auto* boutons = new QHBoxLayout;
    boutons->addWidget(ajouter);
    boutons->addWidget(supprimer);
    boutons->addStretch();
    boutons->addWidget(fermer);
    boutons->addWidget(annuler);
    boutons->addWidget(inserer);

    auto* principal = new QVBoxLayout(this);
    principal->addWidget(m_liste, 1);
    principal->addLayout(champs);
    principal->addSpacing(4);
    principal->addLayout(boutons);

    // Enter on a selected entry inserts it, as "Insérer" does; with none
    // selected it does nothing.
    m_liste->installEventFilter(this);
    connect(m_liste, &QListWidget::itemSelectionChanged, this, &TGlos::Clic);
    connect(m_liste, &QListWidget::itemClicked, this, &TGlos::Clic);
    connect(m_liste, &QListWidget::itemDoubleClicked, this, &QDialog::accept);
    connect(ajouter, &QPushButton::clicked, this, &TGlos::Ajouter);
    connect(supprimer, &QPushButton::clicked, this, &TGlos::Supprimer);
    connect(fermer, &QPushButton::clicked, this, &QDialog::reject);
    connect(annuler, &QPushButton::clicked, this, &QDialog::reject);
    connect(inserer, &QPushButton::clicked, this, &QDialog::accept);
    setTabOrder(m_abreviation, m_designation);
    setTabOrder(m_designation, m_liste);
    m_abreviation->setFocus();
}

void TGlos::Init(const Lignes& liste) {
    m_logique.Init(liste);
    const QSignalBlocker b(m_liste);
    m_liste->clear();
    for (const auto& e : liste)
        m_liste->addItem(VersQString(e));
    m_liste->setCurrentRow(-1);
}

std::string TGlos::Result(Lignes& liste) const {
    return m_logique.Result(liste, result() == QDialog::Accepted);
}

bool TGlos::eventFilter(QObject* o, QEvent* e) {
    if (e->type() != QEvent::KeyPress) return false;
    const int touche = static_cast<QKeyEvent*>(e)->key();
    if (touche != Qt::Key_Return && touche != Qt::Key_Enter) return false;
    if (o == m_designation) {
        Ajouter();
        return true;
    }
    if (o == m_liste) {
        if (m_logique.Selection() >= 0) accept();
        return true;
    }
    return false;
}

void TGlos::Clic() {
    const auto choisis = m_liste->selectedItems();
    if (choisis.isEmpty()) {
        // Nothing selected any more (a click beside the entries): "Ajouter" appends.
        m_logique.Deselectionne();
        return;
    }
    m_logique.Clic(m_liste->row(choisis.front()));
    AfficheChamps();
}

void TGlos::AfficheChamps() {
    m_abreviation->setText(VersQString(m_logique.Abreviation));
    m_designation->setText(VersQString(m_logique.Designation));
}

void TGlos::Ajouter() {
    m_logique.Abreviation = S(m_abreviation->text());
    m_logique.Designation = S(m_designation->text());
    const int i = m_logique.Ajouter();
    const QString t = VersQString(m_logique.Entrees()[i]);
    const QSignalBlocker b(m_liste);
    if (i < m_liste->count())
        m_liste->item(i)->setText(t);
    else
        m_liste->addItem(t);
}

void TGlos::Supprimer() {
    const int i = m_logique.Selection();
    m_logique.Supprimer();
    if (i < 0) return;
    const QSignalBlocker b(m_liste);
    delete m_liste->takeItem(i);
    m_liste->clearSelection();
    m_liste->setCurrentRow(-1);
}

} // namespace kyr
