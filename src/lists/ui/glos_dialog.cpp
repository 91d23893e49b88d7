#include "lists/ui/glos_dialog.h"

#include "common/ui/saisie.h"
#include "lists/ui/fleches_liste.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QAbstractListModel>
#include <QListView>
#include <QPushButton>
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

// The glossary's entries as the list shows them, read when they are drawn:
// nothing is made per entry that is not on screen.
class ModeleGlossaire final : public QAbstractListModel {
public:
    ModeleGlossaire(const EditionGlossaire& logique, QObject* parent)
        : QAbstractListModel(parent), m_logique(logique) {}

    int rowCount(const QModelIndex& parent = {}) const override {
        return parent.isValid() ? 0 : m_rangees;
    }
    QVariant data(const QModelIndex& i, int role) const override {
        if (role != Qt::DisplayRole || !i.isValid() || i.row() >= m_rangees ||
            i.row() >= static_cast<int>(m_logique.Entrees().size()))
            return {};
        return VersQString(m_logique.Entrees()[static_cast<std::size_t>(i.row())]);
    }
    // After the logic changed its entries: all of them anew.
    void Recommence() {
        beginResetModel();
        m_rangees = static_cast<int>(m_logique.Entrees().size());
        endResetModel();
    }
    // Entry i was replaced, or appended at the end.
    void Change(int i) {
        if (i < m_rangees) {
            emit dataChanged(index(i), index(i));
            return;
        }
        beginInsertRows({}, m_rangees, i);
        m_rangees = i + 1;
        endInsertRows();
    }
    // Entry i was deleted.
    void Retire(int i) {
        beginRemoveRows({}, i, i);
        --m_rangees;
        endRemoveRows();
    }

private:
    const EditionGlossaire& m_logique;
    int m_rangees = 0; // as the view knows them
};

TGlos::TGlos(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("TGlos"));
    setWindowTitle(QStringLiteral("Glossaire"));

    m_modele = new ModeleGlossaire(m_logique, this);
    m_liste = new QListView(this);
    m_liste->setObjectName(QStringLiteral("ListBox1"));
    m_liste->setUniformItemSizes(true); // one line each: no entry asked its size
    m_liste->setModel(m_modele);
    m_liste->setSelectionMode(QAbstractItemView::SingleSelection);
    m_liste->setEditTriggers(QAbstractItemView::NoEditTriggers);
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
    connect(m_liste->selectionModel(), &QItemSelectionModel::selectionChanged, this, &TGlos::Clic);
    connect(m_liste, &QListView::clicked, this, &TGlos::Clic);
    connect(m_liste, &QListView::doubleClicked, this, &QDialog::accept);
    connect(ajouter, &QPushButton::clicked, this, &TGlos::Ajouter);
    connect(supprimer, &QPushButton::clicked, this, &TGlos::Supprimer);
    connect(fermer, &QPushButton::clicked, this, &QDialog::reject);
    connect(annuler, &QPushButton::clicked, this, &QDialog::reject);
    connect(inserer, &QPushButton::clicked, this, &QDialog::accept);
    setTabOrder(m_abreviation, m_designation);
    setTabOrder(m_designation, m_liste);
    m_abreviation->setFocus();
}

void TGlos::Init(Lignes& liste) {
    // The selection the view drops on the way only confirms that none is
    // selected (Clic).
    m_logique.Init(liste);
    m_modele->Recommence();
    m_liste->setCurrentIndex({});
}

int TGlos::Choisie() const {
    const QModelIndexList choisis = m_liste->selectionModel()->selectedRows();
    return choisis.isEmpty() ? -1 : choisis.front().row();
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
    const int i = Choisie();
    if (i < 0) {
        // Nothing selected any more (a click beside the entries): "Ajouter" appends.
        m_logique.Deselectionne();
        return;
    }
    m_logique.Clic(i);
    AfficheChamps();
}

void TGlos::AfficheChamps() {
    m_abreviation->setText(VersQString(m_logique.Abreviation));
    m_designation->setText(VersQString(m_logique.Designation));
}

void TGlos::Ajouter() {
    m_logique.Abreviation = S(m_abreviation->text());
    m_logique.Designation = S(m_designation->text());
    m_modele->Change(m_logique.Ajouter());
}

void TGlos::Supprimer() {
    const int i = m_logique.Selection();
    m_logique.Supprimer();
    if (i < 0) return;
    m_modele->Retire(i);
    m_liste->clearSelection();
    m_liste->setCurrentIndex({});
}

} // namespace kyr
