// The invoice window: its controls, their places (FormResize) and the display
// of the record. Events and commands are in facture_saisie.cpp.
#include "book/ui/facture_window.h"

#include "book/ui/grille_lignes.h"
#include "book/ui/liste_conditions.h"
#include "clients/ui/dialogues_clients_qt.h"
#include "common/dates.h"
#include "common/ui/plateforme_qt.h"
#include "common/ui/saisie.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QTableWidget>

namespace kyr {

namespace {

// Header height: the lower panel takes the rest (H - 179).
constexpr int HauteurEnTete = 179;
constexpr int LargeurPanel1 = 346; // header panel; with the date panel's 100 this centres it
constexpr int LargeurPanel7 = 100;
constexpr int HauteurBas = 124;  // memo and totals strip under the grid
constexpr int HauteurEmise = 40; // the issued document's line over the grid

QLabel* Etiquette(const QString& texte, QWidget* parent, const QRect& r) {
    auto* l = new QLabel(texte, parent);
    l->setGeometry(r);
    return l;
}

QLabel* Total(const char* nom, QWidget* parent, const QRect& r) {
    auto* l = new QLabel(parent);
    l->setObjectName(QString::fromLatin1(nom));
    l->setGeometry(r);
    l->setFrameShape(QFrame::Panel);
    l->setFrameShadow(QFrame::Sunken);
    l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    l->setAutoFillBackground(true);
    l->setBackgroundRole(QPalette::Base);
    QFont f = l->font();
    f.setBold(true);
    l->setFont(f);
    l->setContentsMargins(0, 0, 4, 0);
    return l;
}

QFrame* Panneau(const char* nom, QWidget* parent) {
    auto* p = new QFrame(parent);
    p->setObjectName(QString::fromLatin1(nom));
    p->setFrameShape(QFrame::StyledPanel);
    p->setFrameShadow(QFrame::Raised);
    return p;
}

QString Majuscule(QString s) {
    if (!s.isEmpty()) s[0] = s[0].toUpper();
    return s;
}

} // namespace

TFacture::TFacture(Plateforme& plateforme, QWidget* parent)
    : QWidget(parent), m_plateforme(plateforme), m_logique(plateforme) {
    setObjectName(QStringLiteral("Facture"));
    setWindowTitle(QStringLiteral("Facture"));
    setMinimumSize(640, 420);

    construitEnTete();
    construitAdresse();
    construitPanneauDate();
    construitBas();
    connecte();
    m_recherche.AvantQuestion = [this] { Affiche(); };

    // Rset measures the amounts in the grid's own font.
    if (auto* qt = dynamic_cast<PlateformeQt*>(&m_plateforme)) qt->DefinitPolice(m_grille->font());

    resize(1016, 700);
    Affiche();
    Calendrier();
}

TFacture::~TFacture() {
    // The controls go after this destructor, moving the focus as they go.
    qApp->removeEventFilter(this);
    disconnect(qApp, nullptr, this, nullptr);
    // ...and the grid's items, destroyed with it, still signal their changes:
    // no handler of this window may run once it is gone.
    for (QObject* c : findChildren<QObject*>())
        c->disconnect(this);
}

void TFacture::setDialoguesClients(DialoguesClients* d) {
    m_dialogues = d;
}

DialoguesClients& TFacture::dialogues() {
    if (m_dialogues) return *m_dialogues;
    if (!m_dialoguesQt) m_dialoguesQt = std::make_unique<DialoguesClientsQt>(this);
    return *m_dialoguesQt;
}

void TFacture::construitEnTete() {
    m_panel1 = Panneau("Panel1", this);
    m_panel1->setGeometry(0, 0, LargeurPanel1, HauteurEnTete);

    Etiquette(QStringLiteral("N° de facture"), m_panel1, {10, 8, 100, 18});
    m_numero = new QLineEdit(m_panel1);
    m_numero->setObjectName(QStringLiteral("MaskEdit1"));
    m_numero->setInputMask(QStringLiteral("000000000;") + BlancNumero);
    m_numero->setGeometry(10, 26, 100, 24);

    Etiquette(QStringLiteral("Date"), m_panel1, {118, 8, 110, 18});
    m_date = new QDateEdit(m_panel1);
    m_date->setObjectName(QStringLiteral("DateTimePicker1"));
    m_date->setCalendarPopup(true);
    m_date->setDisplayFormat(QStringLiteral("dd/MM/yyyy"));
    m_date->setGeometry(118, 26, 112, 24);

    Etiquette(QStringLiteral("Document"), m_panel1, {238, 8, 100, 18});
    m_genre = new QComboBox(m_panel1);
    m_genre->setObjectName(QStringLiteral("ComboBox2"));
    for (const auto& g : {GenreFacture, GenreDevis, GenreAvoir})
        m_genre->addItem(Q(g));
    m_genre->setGeometry(238, 26, 98, 24);

    Etiquette(QStringLiteral("Code client"), m_panel1, {10, 60, 100, 18});
    m_code = new QLineEdit(m_panel1);
    m_code->setObjectName(QStringLiteral("Edit1"));
    // No length limit here: a longer code stored by an older book must show
    // whole; the validator keeps typing to five digits.
    m_code->setGeometry(10, 78, 70, 24);
    m_liste = new QPushButton(QStringLiteral("..."), m_panel1);
    m_liste->setObjectName(QStringLiteral("Button1"));
    m_liste->setGeometry(82, 78, 28, 24);

    Etiquette(QStringLiteral("Conditions de réglement"), m_panel1, {118, 60, 218, 18});
    m_conditions = new QComboBox(m_panel1);
    m_conditions->setObjectName(QStringLiteral("ComboBox1"));
    m_conditions->setEditable(true);
    m_conditions->setInsertPolicy(QComboBox::NoInsert);
    m_conditions->setGeometry(118, 78, 218, 24);
    LieConditions(m_conditions, m_logique.reglages.ConditionsReglement);

    auto* mode = new QGroupBox(m_panel1);
    mode->setGeometry(10, 114, 326, 52);
    m_ht = new QRadioButton(QStringLiteral("Facture H.T."), mode);
    m_ht->setObjectName(QStringLiteral("RadioButton1"));
    m_ht->setGeometry(14, 14, 140, 26);
    m_ht->setChecked(true);
    m_ttc = new QRadioButton(QStringLiteral("Facture TTC"), mode);
    m_ttc->setObjectName(QStringLiteral("RadioButton2"));
    m_ttc->setGeometry(170, 14, 140, 26);
}

void TFacture::construitAdresse() {
    m_panel2 = Panneau("Panel2", this);
    m_panel2->resize(310, HauteurEnTete);
    auto* boite = new QGroupBox(QStringLiteral("Coordonnées du client"), m_panel2);
    boite->setGeometry(6, 4, 298, 168);
    for (int i = 0; i < 4; ++i) {
        m_adresse[i] = new QLineEdit(boite);
        m_adresse[i]->setObjectName(QStringLiteral("Edit%1").arg(i + 2));
        m_adresse[i]->setGeometry(10, 26 + i * 34, 278, 26);
    }
}

void TFacture::construitPanneauDate() {
    m_panel7 = Panneau("Panel7", this);
    m_panel7->setGeometry(LargeurPanel1 + 134, 0, LargeurPanel7, 150);
    m_panel7->setFrameShadow(QFrame::Sunken);
    m_panel7->setAutoFillBackground(true);
    m_panel7->setBackgroundRole(QPalette::Base);

    auto centre = [this](const char* nom, const QRect& r) {
        auto* l = new QLabel(m_panel7);
        l->setObjectName(QString::fromLatin1(nom));
        l->setAlignment(Qt::AlignCenter);
        l->setGeometry(r);
        return l;
    };
    m_jour = centre("Label3", {2, 8, 96, 20});
    m_quantieme = centre("Label8", {2, 30, 96, 60});
    QFont grand = m_quantieme->font();
    grand.setPointSize(36);
    grand.setBold(true);
    m_quantieme->setFont(grand);
    m_quantieme->setStyleSheet(QStringLiteral("color: #c80000;"));
    m_mois = centre("Label9", {2, 94, 96, 20});
    m_annee = centre("Label6", {2, 118, 96, 20});
    QFont gras = m_jour->font();
    gras.setBold(true);
    m_jour->setFont(gras);
    m_mois->setFont(gras);
}

void TFacture::construitBas() {
    m_panel3 = Panneau("Panel3", this);
    m_panel3->setFrameShape(QFrame::NoFrame);

    m_grille = new QTableWidget(DerniereRangee, NbColonnes, m_panel3);
    m_grille->setObjectName(QStringLiteral("StringGrid1"));
    m_grille->verticalHeader()->hide();
    m_grille->verticalHeader()->setDefaultSectionSize(m_grille->fontMetrics().height() + 8);
    m_grille->horizontalHeader()->setHighlightSections(false);
    m_grille->horizontalHeader()->setMinimumSectionSize(0); // the "T" column is 20 pixels
    m_grille->horizontalHeader()->setSectionsClickable(false);
    m_grille->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_grille->setSelectionMode(QAbstractItemView::SingleSelection);
    m_grille->setTabKeyNavigation(true);
    // The cell editor is always shown: it opens on every cell that becomes current.
    m_grille->setEditTriggers(QAbstractItemView::AllEditTriggers);
    m_delegue = new DelegueGrille(*this, m_grille);
    m_grille->setItemDelegate(m_delegue);
    for (int r = 0; r < DerniereRangee; ++r)
        for (int c = 0; c < NbColonnes; ++c)
            m_grille->setItem(r, c, new QTableWidgetItem);

    m_emise = new QLabel(m_panel3);
    m_emise->setObjectName(QStringLiteral("LabelEmise"));
    m_emise->setWordWrap(true);
    m_emise->setContentsMargins(8, 2, 8, 2);
    m_emise->setFrameShape(QFrame::Box);
    m_emise->setStyleSheet(QStringLiteral(
        "QLabel { background: #fff4c8; color: #5a4100; border: 1px solid #d8b64c; }"));
    m_emise->hide();

    m_memo = new QPlainTextEdit(m_panel3);
    m_memo->setObjectName(QStringLiteral("Memo1"));
    m_memo->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_memo->setTabChangesFocus(true);

    m_payee = new QCheckBox(QStringLiteral("Facture payée"), m_panel3);
    m_payee->setObjectName(QStringLiteral("CheckBox1"));

    m_panel5 = Panneau("Panel5", m_panel3);
    m_panel5->resize(400, HauteurBas);
    Etiquette(QStringLiteral("Total H.T."), m_panel5, {10, 6, 120, 18});
    m_totalHT = Total("Label7", m_panel5, {10, 24, 120, 26});
    Etiquette(QStringLiteral("Total TVA"), m_panel5, {10, 60, 120, 18});
    m_totalTVA = Total("Label13", m_panel5, {10, 78, 120, 26});
    m_boiteTTC = new QGroupBox(QStringLiteral("TOTAL TTC"), m_panel5);
    m_boiteTTC->setGeometry(142, 4, 250, HauteurBas - 12);
    m_totalTTC = Total("Label18", m_boiteTTC, {10, 26, 140, 32});
    QFont f = m_totalTTC->font();
    f.setPointSize(f.pointSize() + 3);
    m_totalTTC->setFont(f);
    m_devise1 = Etiquette(QString(), m_boiteTTC, {158, 26, 84, 32});
    m_devise1->setObjectName(QStringLiteral("Label16"));
    m_totalConverti = Total("Label19", m_boiteTTC, {10, 68, 140, 26});
    m_devise2 = Etiquette(QString(), m_boiteTTC, {158, 68, 84, 26});
    m_devise2->setObjectName(QStringLiteral("Label17"));

    Filtre1252(m_memo);
}

void TFacture::resizeEvent(QResizeEvent* e) {
    QWidget::resizeEvent(e);
    FormResize();
}

void TFacture::FormResize() {
    const int W = width(), H = height();
    m_panel2->move(W - 310, 0);
    m_panel3->setGeometry(0, HauteurEnTete, W, H - HauteurEnTete);
    const int hp = m_panel3->height();
    m_panel5->move(W - 400, hp - HauteurBas);
    if (W > 750) {
        m_panel7->move(m_panel1->width() + (m_panel2->x() - 446) / 2, 0);
        m_panel7->show();
    }
    if (m_panel2->x() < m_panel7->x() + 101) m_panel7->hide();

    const int haut = m_emise->isHidden() ? 0 : HauteurEmise;
    m_emise->setGeometry(0, 0, W, HauteurEmise);
    m_grille->setGeometry(0, haut, W, std::max(0, hp - HauteurBas - haut));
    const int largeurs[NbColonnes] = {W - 440, 100, 120, 40, 120, 20};
    for (int c = 0; c < NbColonnes; ++c)
        m_grille->setColumnWidth(c, std::max(0, largeurs[c]));

    m_memo->setGeometry(4, hp - HauteurBas + 4, W - 436, HauteurBas - 32);
    m_payee->setGeometry(m_memo->width() - 145, hp - 26, 140, 22);
}

QString NumeroAffiche(const std::string& numero) {
    QString s;
    for (char c : Debut(numero, LongueurNumero))
        s += c >= '0' && c <= '9' ? QLatin1Char(c) : BlancNumero;
    return s;
}

std::string NumeroSaisi(const QString& affiche) {
    std::string n;
    for (QChar c : affiche.left(LongueurNumero))
        n += c.unicode() >= '0' && c.unicode() <= '9' ? static_cast<char>(c.unicode()) : ' ';
    n.resize(LongueurNumero, ' ');
    return n;
}

void TFacture::Calendrier() {
    const QDate d = m_plateforme.Maintenant().date();
    m_jour->setText(Majuscule(NomJour(d)));
    m_quantieme->setText(QStringLiteral("%1").arg(d.day(), 2, 10, QLatin1Char('0')));
    m_mois->setText(Majuscule(NomMois(d.month())));
    m_annee->setText(QString::number(d.year()).rightJustified(4, QLatin1Char('0')));
}

void TFacture::FocusDocument() {
    if (m_logique.ChercheDebut(m_logique.FicheCourante) >= 0) m_code->setFocus();
}

void TFacture::Affiche() {
    m_affichage = true;
    const Fiche& f = m_logique.fiche;
    {
        const QSignalBlocker b1(m_numero), b2(m_date), b3(m_conditions), b4(m_genre), b5(m_ht),
            b6(m_ttc), b7(m_memo), b8(m_payee);
        m_numero->setText(NumeroAffiche(f.Numero));
        m_date->setDate(f.Date.isValid() ? f.Date : m_plateforme.Maintenant().date());

        ActualiseConditions(m_conditions);
        m_conditions->setEditText(Q(f.Conditions));

        // A kind that is none of the three (a damaged book) shows nothing; the
        // record keeps it until the user picks one.
        m_genre->setCurrentIndex(
            m_genre->findText(Q(f.Genre), Qt::MatchExactly | Qt::MatchCaseSensitive));
        (f.TTC ? m_ttc : m_ht)->setChecked(true);

        QStringList memo;
        for (const auto& l : f.Memo)
            memo << Q(l);
        m_memo->setPlainText(memo.join(QLatin1Char('\n')));
        m_payee->setChecked(f.Payee);
    }
    AfficheClient();
    AfficheGrille();
    AfficheTotaux();
    AfficheEmission();
    m_affichage = false;
    emit effacerLigneChange(m_logique.FocusGrille);
}

void TFacture::AfficheClient() {
    const bool avant = m_affichage;
    m_affichage = true;
    const Fiche& f = m_logique.fiche;
    m_code->setText(Q(f.CodeClient));
    for (int i = 0; i < 4; ++i)
        m_adresse[i]->setText(Q(f.Adresse[i]));
    m_affichage = avant;
}

void TFacture::AfficheGrille() {
    const bool avant = m_affichage;
    m_affichage = true;
    const Fiche& f = m_logique.fiche;
    QStringList titres;
    for (const auto& t : f.Cellules[0])
        titres << Q(t);
    m_grille->setHorizontalHeaderLabels(titres);
    for (int r = 1; r < NbRangees; ++r)
        for (int c = 0; c < NbColonnes; ++c) {
            const QString t = Q(f.Cellules[r][c]);
            QTableWidgetItem* item = m_grille->item(r - 1, c);
            if (item->text() != t) item->setText(t);
        }
    // An editor left open must not put its old text back over the record.
    if (QLineEdit* e = m_delegue->editeur();
        e && !e->isHidden() && m_delegue->celluleEditee().isValid()) {
        const QModelIndex i = m_delegue->celluleEditee();
        const QString t = Q(f.Cellules[i.row() + 1][i.column()]);
        if (e->text() != t) e->setText(t);
    }
    m_affichage = avant;
}

void TFacture::AfficheEmission() {
    const QString texte = m_logique.TexteEmission();
    const bool fige = !texte.isEmpty();
    m_emise->setText(texte);
    if (m_emise->isHidden() == fige) {
        m_emise->setVisible(fige);
        FormResize();
    }
    // Only the memo and the paid mark stay open to edits.
    for (QLineEdit* e :
         {m_numero, m_code, m_adresse[0], m_adresse[1], m_adresse[2], m_adresse[3]}) {
        e->setReadOnly(fige);
        // Read-only shows: the field takes the window's background.
        QPalette p = e->parentWidget()->palette();
        if (fige) p.setColor(QPalette::Base, p.color(QPalette::Window));
        e->setPalette(p);
    }
    for (QWidget* w :
         std::initializer_list<QWidget*>{m_date, m_liste, m_conditions, m_genre, m_ht, m_ttc})
        w->setEnabled(!fige);
    m_grille->setEditTriggers(fige ? QAbstractItemView::NoEditTriggers
                                   : QAbstractItemView::AllEditTriggers);
    if (fige) {
        if (QLineEdit* e = m_delegue->editeur(); e && !e->isHidden())
            m_delegue->closeEditor(e, QAbstractItemDelegate::NoHint);
    }
}

void TFacture::AfficheTotaux() {
    const Fiche& f = m_logique.fiche;
    m_totalHT->setText(Q(f.TotalHT));
    m_totalTVA->setText(Q(f.TotalTVA));
    m_totalTTC->setText(Q(f.TotalTTC));
    m_totalConverti->setText(Q(f.TotalConverti));
    m_devise1->setText(Q(f.Devise1));
    m_devise2->setText(Q(f.Devise2));
}

} // namespace kyr
