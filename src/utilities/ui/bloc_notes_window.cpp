#include "utilities/ui/bloc_notes_window.h"
#include "utilities/ui/apparence.h"

#include "common/erreurs.h"
#include "common/texte.h"
#include "common/ui/saisie.h"
#include "printing/ui/surface_qt.h"
#include "utilities/bloc_notes.h"

#include <QApplication>
#include <QFontInfo>
#include <QFrame>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>
#include <QTextDocument>
#include <QToolButton>
#include <QVBoxLayout>

namespace kyr {

namespace {

// The picture of the print button: a small printer.
QIcon ImageImprimer() {
    QPixmap image(20, 20);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setPen(Qt::black);
    p.setBrush(Qt::white);
    p.drawRect(5, 2, 10, 6); // the sheet going in
    p.setBrush(QColor(160, 160, 160));
    p.drawRect(2, 8, 16, 7); // the body
    p.setBrush(Qt::white);
    p.drawRect(5, 13, 10, 5); // the sheet coming out
    p.setPen(QColor(0, 128, 0));
    p.drawPoint(15, 10);
    return QIcon(image);
}

} // namespace

TBlocnotes::TBlocnotes(Execution execution, QWidget* parent)
    : QDialog(parent, FenetreFixe), m_execution(std::move(execution)) {
    setObjectName(QStringLiteral("Blocnotes"));
    setWindowTitle(QStringLiteral("Bloc-notes"));
    QFont police(QStringLiteral("System"));
    police.setPixelSize(17);
    setFont(police);

    auto* barre = new QFrame(this);
    barre->setObjectName(QStringLiteral("Panel1"));
    barre->setFrameStyle(QFrame::Panel | QFrame::Raised);
    barre->setFixedHeight(36);
    m_imprimer = new QToolButton(barre);
    m_imprimer->setObjectName(QStringLiteral("SpeedButton9"));
    m_imprimer->setAutoRaise(true);
    m_imprimer->setIcon(ImageImprimer());
    m_imprimer->setIconSize(QSize(20, 20));
    m_imprimer->setToolTip(QStringLiteral("Imprimer"));
    m_imprimer->setFocusPolicy(Qt::NoFocus);
    m_imprimer->setGeometry(4, 4, 28, 28);
    connect(m_imprimer, &QToolButton::clicked, this,
            [this] { m_execution([this] { Imprimer(); }); });
    m_fermer = new QPushButton(QStringLiteral("Fermer"), barre);
    m_fermer->setObjectName(QStringLiteral("Button1"));
    m_fermer->setAutoDefault(false);
    m_fermer->setFont(QApplication::font());
    m_fermer->resize(90, 26);
    connect(m_fermer, &QPushButton::clicked, this, &QDialog::reject); // Esc too

    auto* cadre = new QFrame(this);
    cadre->setObjectName(QStringLiteral("Panel2"));
    cadre->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    m_memo = new QPlainTextEdit(cadre);
    m_memo->setObjectName(QStringLiteral("Memo1"));
    m_memo->setFrameStyle(QFrame::NoFrame);
    m_memo->setTabChangesFocus(false);
    Filtre1252(m_memo);
    auto* lc = new QVBoxLayout(cadre);
    lc->setContentsMargins(2, 2, 2, 2);
    lc->addWidget(m_memo);

    auto* l = new QVBoxLayout(this);
    l->setContentsMargins(0, 0, 0, 0);
    l->setSpacing(0);
    l->addWidget(barre);
    l->addWidget(cadre);
    setFixedSize(560, 380);
}

void TBlocnotes::resizeEvent(QResizeEvent* e) {
    QDialog::resizeEvent(e);
    // "Fermer" keeps its left edge 125 pixels left of the right edge.
    m_fermer->move(width() - 125, 5);
}

void TBlocnotes::showEvent(QShowEvent* e) {
    QDialog::showEvent(e);
    m_memo->setFocus();
}

std::string TBlocnotes::Note() const {
    // The raw text keeps every character as typed (a no-break space stays
    // one); the breaks between lines become "\n".
    QString texte = m_memo->document()->toRawText();
    texte.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
    texte.replace(QChar::LineSeparator, QLatin1Char('\n'));
    return S(texte);
}

void TBlocnotes::Charge(const QString& chemin) {
    const auto note = ChargeNote(chemin);
    if (!note) return;
    m_memo->setPlainText(VersQString(*note));
    m_memo->document()->setModified(false);
}

void TBlocnotes::Sauve(const QString& chemin) {
    if (!m_memo->document()->isModified()) return;
    SauveNote(chemin, Note());
    m_memo->document()->setModified(false);
}

void TBlocnotes::Imprimer() {
    if (QPrinterInfo::availablePrinterNames().isEmpty())
        throw ErreurExecution(QStringLiteral("Aucune imprimante par défaut sélectionnée"));
    QPrinterInfo info = QPrinterInfo::defaultPrinter();
    if (info.isNull()) info = QPrinterInfo::printerInfo(QPrinterInfo::availablePrinterNames()[0]);
    QPrinter imprimante(info, QPrinter::HighResolution);
    imprimante.setDocName(QStringLiteral("Bloc-notes"));
    // One job on the program's page device, as every other printing.
    ImprimanteQt travail(imprimante);
    Surface& page = travail.DebutTravail();
    ImprimeNote(page, Police{QFontInfo(m_memo->font()).family().toStdString(), 13, false}, Note());
    travail.FinTravail(); // sends the job
}

} // namespace kyr
