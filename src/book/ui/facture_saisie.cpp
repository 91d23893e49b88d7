// The invoice window's events: the change handlers writing the user's edits
// into the record, the keys (window-wide, code field, kind box, memo, grid
// cells), the grid's focus, and the commands forwarded by the main window.
#include "book/ui/facture_window.h"

#include "book/ui/grille_lignes.h"
#include "book/ui/paramf_dialog.h"
#include "book/ui/societe_dialog.h"
#include "clients/ui/fichcli_dialog.h"
#include "common/dates.h"
#include "common/erreurs.h"
#include "common/ui/saisie.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QKeyEvent>
#include <QRegularExpressionValidator>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>

namespace kyr {

namespace {

constexpr char Entree = '\r';
constexpr char RetourArriere = '\b';

// The memo's lines as the record holds them: a last line break opens no line.
Lignes LignesMemo(const QString& texte) {
    Lignes l;
    if (texte.isEmpty()) return l;
    QStringList parties = texte.split(QLatin1Char('\n'));
    if (parties.size() > 1 && parties.back().isEmpty()) parties.removeLast();
    for (const auto& p : parties)
        l.push_back(S(p));
    return l;
}

// The character a key types, as a byte: nullopt for keys that type nothing
// (arrows, Tab, shortcuts), '\0' for a character without a Windows-1252 byte.
std::optional<char> Caractere(const QKeyEvent* k) {
    switch (k->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return Entree;
    case Qt::Key_Backspace:
        return RetourArriere;
    default:
        break;
    }
    if (k->modifiers() & (Qt::ControlModifier | Qt::MetaModifier)) return std::nullopt;
    const QString t = k->text();
    // An Alt combination that reached the field matched no menu: a line edit
    // would type its letter, which the key filters must not let through.
    if (k->modifiers() & Qt::AltModifier) return t.isEmpty() ? std::nullopt : std::optional('\0');
    if (t.isEmpty() || t.at(0).unicode() < 32 || t.at(0).unicode() == 127) return std::nullopt;
    const auto octets = DepuisQString(t.left(t.at(0).isHighSurrogate() ? 2 : 1));
    if (!octets || octets->size() != 1) return '\0';
    return (*octets)[0];
}

} // namespace

void TFacture::connecte() {
    for (QLineEdit* e : m_adresse)
        Filtre1252(e);
    // Digits or a lone "*", whatever way the text comes in (typed or pasted).
    m_code->setValidator(new QRegularExpressionValidator(
        QRegularExpression(QStringLiteral("\\*|[0-9]{0,5}")), m_code));
    Filtre1252(m_conditions);

    connect(m_numero, &QLineEdit::textEdited, this, [this] {
        m_logique.fiche.Numero = NumeroSaisi(m_numero->displayText());
        m_logique.Modifie();
    });
    connect(m_date, &QDateEdit::dateChanged, this, [this](QDate d) {
        if (m_affichage || !d.isValid()) return;
        m_logique.fiche.Date = d;
        m_logique.fiche.DateIllisible.reset();
        m_logique.Modifie();
    });
    connect(m_code, &QLineEdit::textEdited, this, [this](const QString& t) {
        m_logique.fiche.CodeClient = S(t);
        m_logique.Modifie();
    });
    connect(m_liste, &QPushButton::clicked, this, [this] {
        Saisit();
        try {
            m_recherche.Button1Click(m_logique, dialogues());
        } catch (const ErreurExecution& e) {
            m_plateforme.Erreur(e.message());
        }
        AfficheClient();
    });
    connect(m_conditions, &QComboBox::currentTextChanged, this, [this](const QString& t) {
        if (m_affichage) return;
        m_logique.fiche.Conditions = S(t);
        m_logique.Modifie();
    });
    connect(m_genre, &QComboBox::currentIndexChanged, this, [this](int i) {
        if (m_affichage || i < 0) return;
        try {
            m_logique.ComboBox2Change(S(m_genre->itemText(i)));
        } catch (const ErreurExecution& e) {
            m_plateforme.Erreur(e.message());
        }
        const QSignalBlocker b(m_numero);
        m_numero->setText(NumeroAffiche(m_logique.fiche.Numero));
    });
    for (int i = 0; i < 4; ++i)
        connect(m_adresse[i], &QLineEdit::textEdited, this, [this, i](const QString& t) {
            m_logique.fiche.Adresse[i] = S(t);
            m_logique.Modifie();
        });
    for (QRadioButton* b : {m_ht, m_ttc})
        connect(b, &QRadioButton::toggled, this, [this](bool coche) {
            if (m_affichage || !coche) return;
            Saisit();
            m_logique.fiche.TTC = m_ttc->isChecked();
            m_logique.Modifie();
            try {
                m_logique.Calcule();
            } catch (const ErreurExecution& e) {
                m_plateforme.Erreur(e.message());
            }
            AfficheGrille();
            AfficheTotaux();
        });
    connect(m_memo, &QPlainTextEdit::textChanged, this, [this] {
        if (m_affichage) return;
        m_logique.fiche.Memo = LignesMemo(m_memo->toPlainText());
        m_logique.MemoEdite = true;
        m_logique.Modifie();
    });
    connect(m_payee, &QCheckBox::toggled, this, [this](bool coche) {
        if (!m_affichage) m_logique.ChangePayee(coche);
    });
    connect(m_grille, &QTableWidget::itemChanged, this, [this](QTableWidgetItem* item) {
        if (!m_affichage) celluleValidee(item->row(), item->column(), item->text());
    });
    connect(qApp, &QApplication::focusChanged, this, &TFacture::focusChange);

    // PgUp, PgDn and F2 reach the window from every control, cell editors and
    // all: an application filter sees them before any control does.
    qApp->installEventFilter(this);
}

bool TFacture::eventFilter(QObject* o, QEvent* e) {
    if (e->type() != QEvent::KeyPress) return false;
    auto* w = qobject_cast<QWidget*>(o);
    if (!w || !(w == this || isAncestorOf(w))) return false;
    auto* k = static_cast<QKeyEvent*>(e);
    if (toucheFenetre(k)) return true;
    if (w == m_code) return toucheEdit1(k);
    if (w == m_numero && k->text() == QLatin1String(" ")) {
        m_numero->insert(QString(BlancNumero)); // the mask drops a typed blank: keep its place
        return true;
    }
    if (w == m_genre) {
        // The kind is chosen from the list only: typed characters are swallowed.
        const auto c = Caractere(k);
        return c && *c != RetourArriere;
    }
    if (w == m_memo) return toucheMemo(k);
    return false;
}

bool TFacture::toucheFenetre(QKeyEvent* k) {
    void (TFacture::*commande)() = nullptr;
    switch (k->key()) {
    case Qt::Key_PageDown:
        commande = &TFacture::Suivant;
        break;
    case Qt::Key_PageUp:
        commande = &TFacture::Precedent;
        break;
    case Qt::Key_F2:
        commande = &TFacture::Liste;
        break;
    default:
        return false;
    }
    try {
        (this->*commande)();
    } catch (const ErreurExecution& e) {
        m_plateforme.Erreur(e.message());
    }
    return true;
}

bool TFacture::toucheEdit1(QKeyEvent* k) {
    const auto c = Caractere(k);
    if (!c || *c == Entree) return false;
    if (*c == '\0') return true;
    switch (Edit1KeyPress(*c)) {
    case ToucheCode::Passe:
        return false;
    case ToucheCode::Avalee:
        return true;
    case ToucheCode::Etoile:
        m_code->setText(QStringLiteral("*"));
        m_logique.fiche.CodeClient.assign(1, '*');
        m_logique.Modifie();
        return true;
    }
    return true;
}

bool TFacture::toucheMemo(QKeyEvent* k) {
    const auto c = Caractere(k);
    if (!c || *c != Entree) return false;
    const int n = static_cast<int>(LignesMemo(m_memo->toPlainText()).size());
    return m_logique.Memo1KeyPress(Entree, n);
}

bool TFacture::toucheCellule(QLineEdit* editeur, QKeyEvent* k) {
    const QModelIndex index = m_delegue->celluleEditee();
    const auto c = Caractere(k);
    if (!c || !index.isValid()) return false;
    if (*c == '\0') return true; // no Windows-1252 byte: refused
    const int colonne = index.column(), rangee = index.row() + 1;
    // The logic reads the cell as typed so far (glossary, Enter's calculation).
    m_logique.fiche.Cellules[rangee][colonne] = S(editeur->text());

    ToucheGrille t;
    try {
        t = m_logique.StringGrid1KeyPress(colonne, rangee, *c);
    } catch (const ErreurExecution& e) {
        m_plateforme.Erreur(e.message());
        AfficheGrille();
        AfficheTotaux();
        return true;
    }
    if (t.CelluleChangee || t.Recalcul) {
        AfficheGrille();
        AfficheTotaux();
    }
    if (t.Deplacement) {
        m_grille->setCurrentCell(t.Rangee - 1, t.Colonne);
        ouvreEditeur();
    }
    if (t.Avalee) return true;
    if (t.Caractere != *c) {
        editeur->insert(Q(std::string(1, t.Caractere)));
        return true;
    }
    // Enter elsewhere leaves the editor open on its cell, as nothing else happens.
    return *c == Entree;
}

void TFacture::celluleValidee(int ligne, int colonne, const QString& texte) {
    if (ligne < 0 || ligne + 1 >= NbRangees || colonne < 0 || colonne >= NbColonnes) return;
    m_logique.fiche.Cellules[ligne + 1][colonne] = S(texte);
}

void TFacture::Saisit() {
    QLineEdit* e = m_delegue->editeur();
    const QModelIndex i = m_delegue->celluleEditee();
    if (e && !e->isHidden() && i.isValid()) celluleValidee(i.row(), i.column(), e->text());
}

bool TFacture::dansGrille(const QWidget* w) const {
    return w && (w == m_grille || m_grille->isAncestorOf(w));
}

void TFacture::ouvreEditeur() {
    if (m_logique.EmissionCourante) return; // its lines are fixed
    if (!m_grille->hasFocus() && !dansGrille(QApplication::focusWidget())) return;
    if (!m_grille->currentIndex().isValid()) m_grille->setCurrentCell(0, 0);
    const QModelIndex i = m_grille->currentIndex();
    if (m_delegue->editeur() && !m_delegue->editeur()->isHidden() &&
        m_delegue->celluleEditee() == i)
        return;
    m_grille->edit(i);
}

void TFacture::focusChange(QWidget* ancien, QWidget* nouveau) {
    // Only moves between the window's own controls count: a dialog or a
    // message box taking the focus for a while is not leaving a field.
    if (!nouveau || !(nouveau == this || isAncestorOf(nouveau))) return;
    if (ancien == m_code && nouveau != m_code) Edit1Exit();

    const bool grille = dansGrille(nouveau);
    if (grille && !m_dansGrille) {
        m_dansGrille = true;
        if (m_logique.Livre.size() < 2) emit valideDemande();
        m_logique.StringGrid1Enter();
        emit effacerLigneChange(true);
    } else if (!grille && m_dansGrille) {
        m_dansGrille = false;
        m_logique.StringGrid1Exit();
        emit effacerLigneChange(false);
    }
    if (nouveau == m_grille) ouvreEditeur();
}

void TFacture::Edit1Exit() {
    if (m_logique.EmissionCourante || m_sansRecherche) return; // its client is fixed
    try {
        m_recherche.Edit1Exit(m_logique, dialogues());
    } catch (const ErreurExecution& e) {
        m_plateforme.Erreur(e.message());
    }
    AfficheClient();
}

// ---- commands (Execute in facture_window.h)

void TFacture::apresDeplacement() {
    m_code->setFocus();
}

void TFacture::signaleTitre() {
    const QString t = Q(m_logique.TitreFenetre);
    setWindowTitle(t.isEmpty() ? QStringLiteral("Facture") : t);
    emit titreChange(t);
}

void TFacture::Activation() {
    try {
        m_logique.Activation();
    } catch (...) {
        Affiche();
        Calendrier();
        throw;
    }
    Affiche();
    Calendrier();
    apresDeplacement();
}

void TFacture::Precedent() {
    Execute(*this, [this] { m_logique.Precedent(); });
    apresDeplacement();
}
void TFacture::Suivant() {
    if (m_logique.NbFiches < 2) return; // one slot: nothing moves, not even the focus
    Execute(*this, [this] { m_logique.Suivant(); });
    apresDeplacement();
}
void TFacture::Premier() {
    Execute(*this, [this] { m_logique.Premier(); });
    apresDeplacement();
}
void TFacture::Dernier() {
    if (m_logique.NbFiches < 2) return;
    Execute(*this, [this] { m_logique.Dernier(); });
    apresDeplacement();
}
void TFacture::Ajout() {
    Execute(*this, [this] { m_logique.Ajout(); });
    apresDeplacement();
}
void TFacture::Supprime() {
    Execute(*this, [this] { m_logique.Supprime(); });
    apresDeplacement();
}
void TFacture::CreeAvoir() {
    bool cree = false;
    Execute(*this, [&] { cree = m_logique.CreeAvoir(); });
    if (cree) {
        // The lines take the focus: removing some makes a partial credit note.
        // The client is the invoice's: leaving its code looks nothing up.
        m_sansRecherche = true;
        m_grille->setFocus();
        m_grille->setCurrentCell(0, 0);
        m_sansRecherche = false;
    }
}
void TFacture::RefuseSuppression() {
    Saisit();
    const auto& e = m_logique.EmissionCourante;
    if (!e) return;
    const QString quand = VersQString(FormatDate(e->Moment.date()));
    if (e->Genre == 'A') {
        m_plateforme.Message(
            QStringLiteral("Cet avoir a été émis le %1 : il ne peut être supprimé.").arg(quand));
        return;
    }
    const QString texte =
        QStringLiteral("Cette facture a été émise le %1 : elle ne peut être supprimée. Une "
                       "facture émise se corrige par un avoir, qui l'annule en tout ou en "
                       "partie.\n\nCréer un avoir sur cette facture ?")
            .arg(quand);
    if (Avertissement(m_plateforme, texte, {Bouton::Oui, Bouton::Non}) == Bouton::Oui) CreeAvoir();
}
void TFacture::Copier() {
    Saisit();
    m_logique.Copier();
}
void TFacture::Coller() {
    Execute(*this, [this] { m_logique.Coller(); });
}
void TFacture::Calcule() {
    Execute(*this, [this] { m_logique.Calcule(); });
}
void TFacture::SupLigne() {
    Execute(*this, [this] { m_logique.SupLigne(m_grille->currentRow() + 1); });
}
void TFacture::FactCli(int mode) {
    bool montre = false;
    Execute(*this, [&] { montre = m_recherche.FactCli(m_logique, dialogues(), mode); });
    if (montre) apresDeplacement();
}
void TFacture::Psoc() {
    Execute(*this, [this] { kyr::Psoc(m_logique, this); });
}
void TFacture::ParF() {
    Execute(*this, [this] { kyr::ParF(m_logique, this); });
}
void TFacture::Gestcli() {
    Execute(*this, [this] { kyr::Gestcli(m_logique, this); });
}

void TFacture::Charge(const QString& nom) {
    try {
        Execute(*this, [&] { m_logique.Charge(nom); });
    } catch (...) {
        signaleTitre();
        throw;
    }
    signaleTitre();
    apresDeplacement();
}
void TFacture::Sauve(const QString& nom) {
    try {
        Execute(*this, [&] { m_logique.Sauve(nom); });
    } catch (...) {
        signaleTitre();
        throw;
    }
    signaleTitre();
}
void TFacture::Nouveau() {
    Execute(*this, [this] { m_logique.Nouveau(); });
    signaleTitre();
}
bool TFacture::TestModif() {
    Saisit();
    return m_logique.TestModif();
}

} // namespace kyr
