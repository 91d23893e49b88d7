#include "comptabilite/ui/comptes_dialog.h"

#include "common/erreurs.h"
#include "common/ui/boutons_dialogue.h"
#include "common/ui/saisie.h"
#include "lists/journal.h"

#include <QDateEdit>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

namespace kyr {

namespace {

// The captions of Rubriques(), in its order; the VAT codes get their rate.
QString Titre(std::size_t i, const Reglages& r) {
    switch (i) {
    case 0:
        return QStringLiteral("C&lients (un compte auxiliaire par code client)");
    case 1:
        return QStringLiteral("&Prestations de services");
    case 2:
        return QStringLiteral("Ventes de &marchandises");
    case 3:
    case 4:
    case 5: {
        const int k = static_cast<int>(i) - 2;
        return QStringLiteral("TVA collectée code &%1 (%2)").arg(k).arg(TexteTaux(r.TauxTVA[k]));
    }
    case 6:
        return QStringLiteral("&Fournisseurs (un compte auxiliaire par fournisseur)");
    case 7:
        return QStringLiteral("Ac&hats");
    }
    return QStringLiteral("TVA &déductible");
}

QDate EnDate(const PlanComptable& p) {
    // A leap year, so that a closing on 29 February can be shown.
    const QDate d(2000, p.MoisCloture, p.JourCloture);
    return d.isValid() ? d : QDate(2000, 12, 31);
}

} // namespace

QLineEdit* TComptes::Numero(const char* nom) {
    auto* e = new QLineEdit(this);
    e->setObjectName(QString::fromLatin1(nom));
    // Digits and letters, in capitals as accounting programs write them.
    e->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9A-Za-z]*")), e));
    connect(e, &QLineEdit::textEdited, e, [e](const QString& t) {
        if (t == t.toUpper()) return;
        const int curseur = e->cursorPosition();
        e->setText(t.toUpper());
        e->setCursorPosition(curseur);
    });
    e->setMaxLength(20);
    e->setFixedWidth(fontMetrics().horizontalAdvance(QStringLiteral("0000000000")) + 16);
    return e;
}

QLineEdit* TComptes::Libelle(const char* nom) {
    auto* e = new QLineEdit(this);
    e->setObjectName(QString::fromLatin1(nom));
    Filtre1252(e);
    e->setMinimumWidth(fontMetrics().horizontalAdvance(QLatin1Char('x')) * 45);
    return e;
}

TComptes::TComptes(const Reglages& reglages, QWidget* parent)
    : QDialog(parent), m_reglages(reglages) {
    setObjectName(QStringLiteral("Comptes"));
    setWindowTitle(QStringLiteral("Comptabilité"));
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
    auto* principal = new QVBoxLayout(this);
    principal->setSizeConstraint(QLayout::SetFixedSize);

    const auto entetes = [this](QGridLayout* g, const QString& premier) {
        auto* a = new QLabel(premier, this);
        auto* b = new QLabel(QStringLiteral("Libellé"), this);
        g->addWidget(a, 0, 1);
        g->addWidget(b, 0, 2);
    };
    const auto rangee = [this](QGridLayout* g, int ligne, const QString& titre, QLineEdit* numero,
                               QLineEdit* libelle) {
        auto* l = new QLabel(titre, this);
        l->setBuddy(numero);
        g->addWidget(l, ligne, 0);
        g->addWidget(numero, ligne, 1);
        g->addWidget(libelle, ligne, 2);
    };

    auto* journaux = new QGroupBox(QStringLiteral("Journaux"), this);
    auto* gj = new QGridLayout(journaux);
    entetes(gj, QStringLiteral("Code"));
    m_codeVentes = Numero("Edit1");
    m_libelleVentes = Libelle("Edit2");
    m_codeAchats = Numero("Edit3");
    m_libelleAchats = Libelle("Edit4");
    rangee(gj, 1, QStringLiteral("&Ventes"), m_codeVentes, m_libelleVentes);
    rangee(gj, 2, QStringLiteral("&Achats (factures reçues)"), m_codeAchats, m_libelleAchats);
    gj->setColumnStretch(2, 1);
    principal->addWidget(journaux);

    auto* comptes = new QGroupBox(QStringLiteral("Comptes"), this);
    auto* gc = new QGridLayout(comptes);
    entetes(gc, QStringLiteral("Numéro"));
    int n = 5;
    for (std::size_t i = 0; i < Rubriques().size(); ++i) {
        const std::string numero = "Edit" + std::to_string(n++);
        const std::string libelle = "Edit" + std::to_string(n++);
        m_comptes.emplace_back(Numero(numero.c_str()), Libelle(libelle.c_str()));
        rangee(gc, static_cast<int>(i) + 1, Titre(i, reglages), m_comptes.back().first,
               m_comptes.back().second);
    }
    gc->setColumnStretch(2, 1);
    principal->addWidget(comptes);

    auto* exercice = new QHBoxLayout;
    auto* etiquette = new QLabel(QStringLiteral("Date de &clôture de l'exercice :"), this);
    m_cloture = new QDateEdit(this);
    m_cloture->setObjectName(QStringLiteral("DateTimePicker1"));
    m_cloture->setDisplayFormat(QStringLiteral("dd/MM"));
    m_cloture->setDateRange(QDate(2000, 1, 1), QDate(2000, 12, 31));
    etiquette->setBuddy(m_cloture);
    exercice->addWidget(etiquette);
    exercice->addWidget(m_cloture);
    exercice->addStretch();
    auto* defauts = new QPushButton(QStringLiteral("Valeurs par défa&ut"), this);
    defauts->setObjectName(QStringLiteral("Button3"));
    defauts->setAutoDefault(false);
    connect(defauts, &QPushButton::clicked, this, &TComptes::Defauts);
    exercice->addWidget(defauts);
    principal->addLayout(exercice);

    m_probleme = new QLabel(this);
    m_probleme->setObjectName(QStringLiteral("Label1"));
    m_probleme->setWordWrap(true);
    m_probleme->setStyleSheet(QStringLiteral("color: #b00020"));
    m_probleme->hide();
    principal->addWidget(m_probleme);
    principal->addLayout(BoutonsAnnulerOK(this));

    // The tab order follows the rows: each number, then its label.
    QWidget* avant = m_codeVentes;
    const auto suit = [&avant, this](QWidget* w) {
        setTabOrder(avant, w);
        avant = w;
    };
    suit(m_libelleVentes);
    suit(m_codeAchats);
    suit(m_libelleAchats);
    for (const auto& [numero, libelle] : m_comptes) {
        suit(numero);
        suit(libelle);
    }
    suit(m_cloture);
    suit(defauts);
    Init(PlanParDefaut(reglages));
}

void TComptes::Init(const PlanComptable& p) {
    m_codeVentes->setText(Q(p.JournalVentes.Code));
    m_libelleVentes->setText(Q(p.JournalVentes.Libelle));
    m_codeAchats->setText(Q(p.JournalAchats.Code));
    m_libelleAchats->setText(Q(p.JournalAchats.Libelle));
    for (std::size_t i = 0; i < m_comptes.size(); ++i) {
        const Compte& c = CompteDe(p, Rubriques()[i]);
        m_comptes[i].first->setText(Q(c.Numero));
        m_comptes[i].second->setText(Q(c.Libelle));
    }
    m_cloture->setDate(EnDate(p));
}

PlanComptable TComptes::Result() const {
    PlanComptable p;
    p.JournalVentes = {S(m_codeVentes->text().trimmed()), S(m_libelleVentes->text())};
    p.JournalAchats = {S(m_codeAchats->text().trimmed()), S(m_libelleAchats->text())};
    for (std::size_t i = 0; i < m_comptes.size(); ++i)
        Rubriques()[i].Acces(p) = {S(m_comptes[i].first->text().trimmed()),
                                   S(m_comptes[i].second->text())};
    p.JourCloture = m_cloture->date().day();
    p.MoisCloture = m_cloture->date().month();
    return p;
}

void TComptes::accept() {
    const QString m = VerifieComptes(Result());
    if (m.isEmpty()) {
        QDialog::accept();
        return;
    }
    m_probleme->setText(m);
    m_probleme->show();
    // The first field left empty takes the focus.
    std::vector<QLineEdit*> champs = {m_codeVentes, m_libelleVentes, m_codeAchats, m_libelleAchats};
    for (const auto& [numero, libelle] : m_comptes) {
        champs.push_back(numero);
        champs.push_back(libelle);
    }
    for (QLineEdit* c : champs)
        if (c->text().trimmed().isEmpty()) {
            c->setFocus();
            break;
        }
}

void TComptes::Defauts() {
    Init(PlanParDefaut(m_reglages));
    m_probleme->hide();
}

void ParamComptes(QWidget* parent, Plateforme& plateforme, const Reglages& reglages) {
    PlanComptable p = PlanParDefaut(reglages);
    try {
        ChargeComptes(p);
    } catch (const ErreurExecution& e) {
        plateforme.Erreur(e.message());
        return;
    }
    TComptes dialogue(reglages, parent);
    dialogue.Init(p);
    if (dialogue.exec() != QDialog::Accepted) return;
    try {
        SauveComptes(dialogue.Result());
    } catch (const ErreurExecution& e) {
        plateforme.Erreur(e.message());
    }
}

} // namespace kyr
