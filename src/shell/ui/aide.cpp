#include "shell/ui/aide.h"

#include "shell/pages_aide.h"

#include <QApplication>
#include <QFile>
#include <QKeyEvent>
#include <QMenu>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTextBrowser>
#include <QVBoxLayout>

// The help pages are in the shell's library: its resources are set up here.
static void InitRessources() {
    Q_INIT_RESOURCE(resources);
}

namespace kyr {

namespace {

const QString Racine = QStringLiteral("qrc:/aide/");

} // namespace

TAide::TAide(QWidget* parent) : QDialog(parent) {
    InitRessources();
    setObjectName(QStringLiteral("Aide"));
    setWindowTitle(QStringLiteral("Aide de Kyr Facture"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    resize(940, 660);

    auto* gauche = new QVBoxLayout;
    auto* titre = new QLabel(QStringLiteral("&Tapez le mot à rechercher :"), this);
    m_motCle = new QLineEdit(this);
    m_motCle->setObjectName(QStringLiteral("MotCle"));
    titre->setBuddy(m_motCle);
    m_liste = new QListWidget(this);
    m_liste->setObjectName(QStringLiteral("MotsCles"));
    auto* afficher = new QPushButton(QStringLiteral("&Afficher"), this);
    afficher->setObjectName(QStringLiteral("Afficher"));
    auto* sommaire = new QPushButton(QStringLiteral("&Sommaire"), this);
    sommaire->setObjectName(QStringLiteral("Sommaire"));
    auto* fermer = new QPushButton(QStringLiteral("&Fermer"), this);
    fermer->setObjectName(QStringLiteral("Fermer"));
    gauche->addWidget(titre);
    gauche->addWidget(m_motCle);
    gauche->addWidget(m_liste, 1);
    gauche->addWidget(afficher);
    gauche->addWidget(sommaire);
    gauche->addWidget(fermer);

    m_page = new QTextBrowser(this);
    m_page->setObjectName(QStringLiteral("Page"));
    m_page->setOpenLinks(true);

    auto* disposition = new QHBoxLayout(this);
    disposition->addLayout(gauche, 1);
    disposition->addWidget(m_page, 3);

    for (const auto& [mot, page] : MotsClesAide()) {
        auto* item = new QListWidgetItem(mot, m_liste);
        item->setData(Qt::UserRole, page);
    }
    m_liste->sortItems();

    connect(m_motCle, &QLineEdit::textEdited, this, &TAide::Filtre);
    connect(m_motCle, &QLineEdit::returnPressed, this, &TAide::OuvreMotCle);
    connect(m_liste, &QListWidget::itemActivated, this, &TAide::OuvreMotCle);
    connect(afficher, &QPushButton::clicked, this, &TAide::OuvreMotCle);
    connect(sommaire, &QPushButton::clicked, this, [this] { Ouvre(ModeAide::Sommaire); });
    connect(fermer, &QPushButton::clicked, this, &QDialog::close);
}

QString TAide::Html(const QString& page) {
    InitRessources();
    QFile f(QStringLiteral(":/aide/") + page.section(QLatin1Char('#'), 0, 0));
    if (!f.open(QIODevice::ReadOnly)) return {};
    return QString::fromUtf8(f.readAll());
}

void TAide::OuvrePage(const QString& page) {
    const QString chemin = QStringLiteral(":/aide/") + page.section(QLatin1Char('#'), 0, 0);
    if (QFile::exists(chemin))
        m_page->setSource(QUrl(Racine + page));
    else
        m_page->setHtml(QStringLiteral("<p>Cette page de l'aide n'est pas disponible.</p>"));
}

void TAide::Ouvre(ModeAide mode) {
    switch (mode) {
    case ModeAide::Sommaire:
        OuvrePage(QStringLiteral("index.html"));
        m_page->setFocus();
        break;
    case ModeAide::Chercher:
        m_motCle->clear();
        Filtre(QString());
        OuvrePage(QStringLiteral("index.html"));
        m_motCle->setFocus();
        break;
    case ModeAide::UtiliserAide:
        OuvrePage(QStringLiteral("utiliser.html"));
        m_page->setFocus();
        break;
    }
    show();
    raise();
    activateWindow();
}

void TAide::OuvreContexte(int contexte) {
    Montre(PageContexte(contexte));
}

void TAide::Montre(const QString& page) {
    OuvrePage(page);
    m_page->setFocus();
    show();
    raise();
    activateWindow();
}

void TAide::Filtre(const QString& debut) {
    // Partial key: the first keyword starting with the text typed is selected.
    QStringList mots;
    for (int i = 0; i < m_liste->count(); ++i)
        mots << m_liste->item(i)->text();
    // Nothing selected when no keyword starts so: Enter then opens nothing.
    const int i = PremierMotCle(mots, debut);
    m_liste->setCurrentRow(i);
    if (i < 0) return;
    m_liste->scrollToItem(m_liste->item(i), QAbstractItemView::PositionAtTop);
}

void TAide::OuvreMotCle() {
    if (const QListWidgetItem* item = m_liste->currentItem())
        OuvrePage(item->data(Qt::UserRole).toString());
}

AideF1::AideF1(std::function<void(const QString& page)> montre, QObject* parent)
    : QObject(parent), m_montre(std::move(montre)) {}

QString AideF1::PagePour(const QWidget* w) {
    for (; w; w = w->parentWidget()) {
        const QVariant contexte = w->property("HelpContext");
        if (contexte.isValid()) return PageContexte(contexte.toInt());
        QString page = PageFenetre(w->objectName());
        if (page.isEmpty()) page = PageFenetre(QString::fromLatin1(w->metaObject()->className()));
        if (!page.isEmpty()) return page;
    }
    return PageContexte(0);
}

bool AideF1::eventFilter(QObject* o, QEvent* e) {
    if (e->type() != QEvent::KeyPress || static_cast<QKeyEvent*>(e)->key() != Qt::Key_F1)
        return QObject::eventFilter(o, e);
    QString page;
    if (auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget())) {
        const QAction* commande = menu->activeAction();
        page = PageCommande(menu->property("HelpContext").toInt(),
                            commande ? commande->objectName() : QString());
        while (QWidget* popup = QApplication::activePopupWidget())
            popup->close();
    } else {
        const QWidget* w = qobject_cast<QWidget*>(o);
        if (!w) w = QApplication::focusWidget();
        page = PagePour(w);
    }
    if (QWidget* modal = QApplication::activeModalWidget()) {
        auto* aide = new TAide(modal);
        aide->setAttribute(Qt::WA_DeleteOnClose);
        aide->Montre(page);
    } else {
        m_montre(page);
    }
    return true;
}

} // namespace kyr
