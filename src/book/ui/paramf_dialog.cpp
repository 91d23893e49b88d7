#include "book/ui/paramf_dialog.h"
#include "common/ui/boutons_dialogue.h"

#include "common/ui/saisie.h"

#include <QCheckBox>
#include <QClipboard>
#include <QGuiApplication>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace kyr {

namespace {

constexpr int NbTaux = 4; // Edit1..Edit4 take only rate characters

QLineEdit* NouveauChamp(QWidget* parent, int numero, int largeur) {
    auto* e = new QLineEdit(parent);
    e->setObjectName(QStringLiteral("Edit%1").arg(numero));
    e->setMinimumWidth(largeur);
    Filtre1252(e);
    return e;
}

} // namespace

TParamf::TParamf(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("Paramf"));
    setWindowTitle(QStringLiteral("Paramètres de la facture"));
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);

    auto* principal = new QVBoxLayout(this);
    principal->setSizeConstraint(QLayout::SetFixedSize);

    auto* ligneEuro = new QHBoxLayout;
    auto* labelEuro = new QLabel(QStringLiteral("Taux de l'euro"), this);
    m_edit[0] = NouveauChamp(this, 1, 90);
    ligneEuro->addWidget(labelEuro);
    ligneEuro->addWidget(m_edit[0]);
    ligneEuro->addStretch();
    principal->addLayout(ligneEuro);

    auto* groupeTVA = new QGroupBox(QStringLiteral("Taux de TVA"), this);
    groupeTVA->setObjectName(QStringLiteral("GroupBox1"));
    auto* formeTVA = new QFormLayout(groupeTVA);
    for (int k = 1; k <= 3; ++k) {
        m_edit[k] = NouveauChamp(groupeTVA, k + 1, 70);
        formeTVA->addRow(new QLabel(QStringLiteral("Taux %1").arg(k), groupeTVA), m_edit[k]);
    }
    principal->addWidget(groupeTVA);

    auto* groupeConditions = new QGroupBox(QStringLiteral("Conditions de paiement"), this);
    groupeConditions->setObjectName(QStringLiteral("GroupBox2"));
    auto* colonne = new QVBoxLayout(groupeConditions);
    for (int i = 4; i < 9; ++i) {
        m_edit[i] = NouveauChamp(groupeConditions, i + 1, 260);
        colonne->addWidget(m_edit[i]);
    }
    principal->addWidget(groupeConditions);

    auto* ligneDevise = new QHBoxLayout;
    auto* groupeDevise = new QGroupBox(QStringLiteral("Devise"), this);
    groupeDevise->setObjectName(QStringLiteral("RadioGroup1"));
    auto* radios = new QHBoxLayout(groupeDevise);
    m_franc = new QRadioButton(QStringLiteral("Franc"), groupeDevise);
    m_franc->setObjectName(QStringLiteral("Franc"));
    m_euro = new QRadioButton(QStringLiteral("Euro"), groupeDevise);
    m_euro->setObjectName(QStringLiteral("Euro"));
    radios->addWidget(m_franc);
    radios->addWidget(m_euro);
    m_franc->setChecked(true);
    ligneDevise->addWidget(groupeDevise);
    m_omettre = new QCheckBox(QStringLiteral("Omettre conversion"), this);
    m_omettre->setObjectName(QStringLiteral("CheckBox1"));
    ligneDevise->addWidget(m_omettre);
    principal->addLayout(ligneDevise);

    principal->addLayout(BoutonsAnnulerOK(this));
    // Enter closes the dialog from a rate field only (its key filter): in a
    // payment condition it does nothing, as "OK" is no default button here.
    auto* ok = findChild<QPushButton*>(QStringLiteral("Button2"));
    ok->setDefault(false);
    ok->setAutoDefault(false);

    for (int i = 0; i < NbTaux; ++i)
        m_edit[i]->installEventFilter(this);
}

void TParamf::Init(const ChampsParamf& champs) {
    for (std::size_t i = 0; i < m_edit.size(); ++i)
        m_edit[i]->setText(Q(champs.Edit[i]));
    (champs.Devise != 0 ? m_euro : m_franc)->setChecked(true);
    m_omettre->setChecked(champs.OmettreConversion);
}

std::optional<ChampsParamf> TParamf::Result() const {
    if (result() != QDialog::Accepted) return std::nullopt;
    ChampsParamf c;
    for (std::size_t i = 0; i < m_edit.size(); ++i)
        c.Edit[i] = S(m_edit[i]->text());
    c.Devise = m_euro->isChecked() ? 1 : 0;
    c.OmettreConversion = m_omettre->isChecked();
    return c;
}

bool TParamf::eventFilter(QObject* objet, QEvent* evenement) {
    if (evenement->type() == QEvent::KeyPress)
        for (int i = 0; i < NbTaux; ++i)
            if (objet == m_edit[i])
                return FormKeyPress(m_edit[i], static_cast<QKeyEvent&>(*evenement));
    return QDialog::eventFilter(objet, evenement);
}

bool TParamf::FormKeyPress(QLineEdit* edit, const QKeyEvent& touche) {
    switch (touche.key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        accept();
        return true;
    // Keys that move, delete or leave: they type no character.
    case Qt::Key_Backspace:
    case Qt::Key_Delete:
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_Escape:
        return false;
    default:
        break;
    }
    // The field's own editing keys type no character and stay available.
    for (const auto k : {QKeySequence::SelectAll, QKeySequence::Copy, QKeySequence::Cut,
                         QKeySequence::Undo, QKeySequence::Redo})
        if (touche.matches(k)) return false;
    // A paste goes through the same filter as typing, one character at a time.
    if (touche.matches(QKeySequence::Paste)) {
        QString colle;
        for (const QChar q : QGuiApplication::clipboard()->text()) {
            if (q.unicode() > 0x7F) continue;
            const ToucheTaux t = kyr::FormKeyPress(static_cast<char>(q.unicode()));
            if (!t.Avalee) colle += QChar(t.Caractere);
        }
        edit->insert(colle);
        return true;
    }
    const QString texte = touche.text();
    if (texte.isEmpty()) return false; // arrows, Home, End...
    if (texte.size() != 1 || texte[0].unicode() > 0x7F) return true;
    const char c = static_cast<char>(texte[0].unicode());
    const ToucheTaux t = kyr::FormKeyPress(c);
    if (t.Accepte) {
        accept();
        return true;
    }
    if (t.Avalee) return true;
    if (t.Caractere != c) {
        edit->insert(QString(QChar(t.Caractere)));
        return true;
    }
    return false;
}

void TParamf::keyPressEvent(QKeyEvent* evenement) {
    // Enter presses the button that has the focus, and nothing else.
    if (evenement->key() == Qt::Key_Return || evenement->key() == Qt::Key_Enter) {
        if (auto* bouton = qobject_cast<QPushButton*>(focusWidget())) bouton->click();
        return;
    }
    QDialog::keyPressEvent(evenement);
}

void TParamf::showEvent(QShowEvent* evenement) {
    QDialog::showEvent(evenement);
    // The euro rate has the focus, selected whole so that typing replaces it.
    m_edit[0]->setFocus();
    m_edit[0]->selectAll();
    CentreSurEcran(this);
}

void ParF(Facture& f, QWidget* parent) {
    std::optional<ChampsParamf> reponse;
    {
        TParamf dialogue(parent);
        dialogue.Init(InitParamf(f.reglages));
        dialogue.exec();
        reponse = dialogue.Result();
    }
    AppliqueParF(f, reponse);
}

} // namespace kyr
