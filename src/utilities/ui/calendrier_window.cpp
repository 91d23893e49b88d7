#include "utilities/ui/calendrier_window.h"

#include "utilities/ui/apparence.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

namespace kyr {

namespace {
constexpr int TraitGrille = 1;

} // namespace

TCalendar::TCalendar(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("Calendar1"));
    setFocusPolicy(Qt::StrongFocus);
    setAutoFillBackground(true);
    QPalette p = palette();
    p.setColor(QPalette::Window, Citron);
    setPalette(p);
}

int TCalendar::LargeurColonne() const {
    return (width() - 6 * TraitGrille) / 7;
}
int TCalendar::HauteurLigne() const {
    return (height() - 6 * TraitGrille) / 7;
}

QRect TCalendar::RectCellule(int ligne, int colonne) const {
    return QRect(colonne * (LargeurColonne() + TraitGrille), ligne * (HauteurLigne() + TraitGrille),
                 LargeurColonne(), HauteurLigne());
}

std::pair<int, int> TCalendar::CelluleEn(const QPoint& p) const {
    for (int l = 0; l < MoisCalendrier::Lignes; ++l)
        for (int c = 0; c < MoisCalendrier::Colonnes; ++c)
            if (RectCellule(l, c).contains(p)) return {l, c};
    return {-1, -1};
}

void TCalendar::SetCalendarDate(const QDate& date) {
    if (!date.isValid() || date == m_mois.Date()) return;
    m_mois.DefinitDate(date);
    update();
    emit OnChange();
}

void TCalendar::NextMonth() {
    m_mois.ChangeMois(1);
    update();
    emit OnChange();
}

void TCalendar::PrevMonth() {
    m_mois.ChangeMois(-1);
    update();
    emit OnChange();
}

void TCalendar::Choisit(int ligne, int colonne) {
    // Only a day cell may be selected; the header and empty cells refuse.
    if (m_mois.ChoisitCellule(ligne, colonne)) {
        update();
        emit OnChange();
    }
}

void TCalendar::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const QPalette& pal = palette();
    // The grid lines between the cells.
    p.setPen(QPen(Qt::black, TraitGrille));
    for (int c = 1; c < 7; ++c) {
        const int x = c * (LargeurColonne() + TraitGrille) - TraitGrille;
        p.fillRect(x, 0, TraitGrille, height(), Qt::black);
    }
    for (int l = 1; l < 7; ++l) {
        const int y = l * (HauteurLigne() + TraitGrille) - TraitGrille;
        p.fillRect(0, y, width(), TraitGrille, Qt::black);
    }
    const int lSel = m_mois.LigneSelection(), cSel = m_mois.ColonneSelection();
    for (int l = 0; l < MoisCalendrier::Lignes; ++l) {
        for (int c = 0; c < MoisCalendrier::Colonnes; ++c) {
            const QRect r = RectCellule(l, c);
            QColor texte = pal.color(QPalette::WindowText);
            if (l == 0) {
                p.fillRect(r, pal.color(QPalette::Button)); // the fixed header row
            } else if (l == lSel && c == cSel) {
                p.fillRect(r, pal.color(QPalette::Highlight));
                texte = pal.color(QPalette::HighlightedText);
            }
            p.setPen(texte);
            p.save();
            p.setClipRect(r);
            p.drawText(r, Qt::AlignCenter, m_mois.Cellule(l, c));
            p.restore();
        }
    }
    if (hasFocus()) {
        p.setPen(QPen(pal.color(QPalette::HighlightedText), 1, Qt::DotLine));
        p.setBrush(Qt::NoBrush);
        p.drawRect(RectCellule(lSel, cSel).adjusted(1, 1, -2, -2));
    }
}

void TCalendar::mousePressEvent(QMouseEvent* e) {
    setFocus(Qt::MouseFocusReason);
    const auto [l, c] = CelluleEn(e->position().toPoint());
    if (l > 0) Choisit(l, c);
}

void TCalendar::keyPressEvent(QKeyEvent* e) {
    int l = m_mois.LigneSelection(), c = m_mois.ColonneSelection();
    switch (e->key()) {
    case Qt::Key_Left:
        --c;
        break;
    case Qt::Key_Right:
        ++c;
        break;
    case Qt::Key_Up:
        --l;
        break;
    case Qt::Key_Down:
        ++l;
        break;
    case Qt::Key_Home:
        c = 0;
        break;
    case Qt::Key_End:
        c = 6;
        break;
    default:
        QWidget::keyPressEvent(e);
        return;
    }
    // A move onto an empty cell is refused: the selection stays.
    Choisit(l, c);
}

TCalendrier::TCalendrier(QWidget* parent, const QDate& date)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowCloseButtonHint) {
    setObjectName(QStringLiteral("Calendrier"));
    setWindowTitle(QStringLiteral("Calendrier"));

    auto* panneau = new QWidget(this);
    panneau->setObjectName(QStringLiteral("Panel1"));
    Colore(panneau, Sarcelle);
    m_titre = new QLabel(panneau);
    m_titre->setObjectName(QStringLiteral("Label1"));
    m_titre->setFont(PoliceArial(23, true));
    m_titre->setAlignment(Qt::AlignCenter);
    QPalette pt = m_titre->palette();
    pt.setColor(QPalette::WindowText, Qt::red);
    m_titre->setPalette(pt);

    auto* precedent = new QPushButton(Fleche(Qt::LeftArrow, QSize(10, 12), Marine),
                                      QStringLiteral("Mois"), panneau);
    precedent->setObjectName(QStringLiteral("BitBtn1"));
    auto* suivant = new QPushButton(Fleche(Qt::RightArrow, QSize(10, 12), Marine),
                                    QStringLiteral("Mois"), panneau);
    suivant->setObjectName(QStringLiteral("BitBtn2"));
    suivant->setLayoutDirection(Qt::RightToLeft); // its picture on the right
    auto* fermer = new QPushButton(QStringLiteral("Fermer"), panneau);
    fermer->setObjectName(QStringLiteral("Button1"));
    for (QPushButton* b : {precedent, suivant, fermer})
        b->setAutoDefault(false);

    m_calendrier = new TCalendar(this);
    m_calendrier->SetCalendarDate(date);
    m_calendrier->setFixedSize(372, 143);

    auto* boutons = new QHBoxLayout;
    boutons->addWidget(precedent);
    boutons->addWidget(suivant);
    boutons->addStretch();
    boutons->addWidget(fermer);
    auto* lp = new QVBoxLayout(panneau);
    lp->setContentsMargins(0, 6, 0, 6);
    lp->addWidget(m_titre);
    lp->addLayout(boutons);
    boutons->setContentsMargins(6, 0, 6, 0);
    m_titre->setFixedWidth(372);

    auto* l = new QVBoxLayout(this);
    l->setContentsMargins(6, 6, 6, 6);
    l->setSpacing(6);
    l->addWidget(panneau);
    l->addWidget(m_calendrier);
    l->addStretch(); // a larger window leaves the grid and buttons where they are
    l->setAlignment(m_calendrier, Qt::AlignLeft | Qt::AlignTop);
    panneau->setFixedWidth(372);
    l->setAlignment(panneau, Qt::AlignLeft | Qt::AlignTop);

    connect(precedent, &QPushButton::clicked, m_calendrier, &TCalendar::PrevMonth);
    connect(suivant, &QPushButton::clicked, m_calendrier, &TCalendar::NextMonth);
    connect(fermer, &QPushButton::clicked, this, &QDialog::reject); // Esc too
    connect(m_calendrier, &TCalendar::OnChange, this, &TCalendrier::Titre);
    for (QWidget* w : {static_cast<QWidget*>(m_calendrier), static_cast<QWidget*>(precedent),
                       static_cast<QWidget*>(suivant), static_cast<QWidget*>(fermer)})
        w->installEventFilter(this);
    setTabOrder(m_calendrier, precedent);
    setTabOrder(precedent, suivant);
    setTabOrder(suivant, fermer);
    Titre();
    resize(sizeHint());
    setMinimumSize(sizeHint());
}

void TCalendrier::showEvent(QShowEvent* e) {
    QDialog::showEvent(e);
    Titre();
    m_calendrier->setFocus();
}

bool TCalendrier::eventFilter(QObject* o, QEvent* e) {
    // Page Down and Page Up page through the months wherever the focus is.
    if (e->type() == QEvent::KeyPress) {
        const int touche = static_cast<QKeyEvent*>(e)->key();
        if (touche == Qt::Key_PageDown) {
            m_calendrier->NextMonth();
            return true;
        }
        if (touche == Qt::Key_PageUp) {
            m_calendrier->PrevMonth();
            return true;
        }
    }
    return QDialog::eventFilter(o, e);
}

void TCalendrier::Titre() {
    m_titre->setText(m_calendrier->mois().Titre());
}

} // namespace kyr
