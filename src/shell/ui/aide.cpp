#include "shell/ui/aide.h"

#include <QFile>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTextBrowser>
#include <QVBoxLayout>

namespace kyr {

namespace {

const QString Racine = QStringLiteral("qrc:/aide/");

QString PageContexte(int contexte) {
    switch (contexte) {
    case 3:
        return QStringLiteral("fichier.html");
    case 4:
        return QStringLiteral("edition.html");
    case 5:
        return QStringLiteral("document.html");
    case 6:
        return QStringLiteral("parametres.html");
    case 7:
        return QStringLiteral("utilitaires.html");
    case 8:
        return QStringLiteral("aide.html");
    case 9:
        return QStringLiteral("facture.html");
    default:
        return QStringLiteral("index.html");
    }
}

// Accents do not count when the keyword typed is compared: "reglement" finds "Réglement".
QString SansAccents(const QString& s) {
    QString r = s.normalized(QString::NormalizationForm_D);
    r.removeIf([](QChar c) { return c.category() == QChar::Mark_NonSpacing; });
    return r.toCaseFolded();
}

} // namespace

const std::vector<std::pair<QString, QString>>& TAide::MotsCles() {
    static const std::vector<std::pair<QString, QString>> mots = {
        {"A propos", "aide.html#apropos"},
        {"Abréviations", "parametres.html#glossaire"},
        {"Adresse du client", "facture.html#client"},
        {"Aide", "aide.html"},
        {"Avoir", "facture.html#genre"},
        {"Bloc-notes", "utilitaires.html#blocnotes"},
        {"Calculatrice", "utilitaires.html#calculatrice"},
        {"Calculer", "document.html#calculer"},
        {"Calendrier", "utilitaires.html#calendrier"},
        {"Clients", "parametres.html#clients"},
        {"Code client", "facture.html#client"},
        {"Conditions de réglement", "parametres.html#facture"},
        {"Copier", "edition.html#copier"},
        {"Coller", "edition.html#copier"},
        {"Devis", "facture.html#genre"},
        {"Enregistrer", "fichier.html#enregistrer"},
        {"Enveloppe", "fichier.html#imprimer"},
        {"Euro", "utilitaires.html#euro"},
        {"Facturier", "fichier.html"},
        {"Glossaire", "parametres.html#glossaire"},
        {"Horloge", "utilitaires.html#horloge"},
        {"Imprimer", "fichier.html#imprimer"},
        {"Lignes de facture", "facture.html#lignes"},
        {"Liste des factures", "document.html#liste"},
        {"Mise en page", "fichier.html#imprimer"},
        {"Navigation", "document.html#navigation"},
        {"Nouveau facturier", "fichier.html#nouveau"},
        {"Nouvelle facture", "document.html#nouvelle"},
        {"Numéro de facture", "document.html#nouvelle"},
        {"Ouvrir", "fichier.html#ouvrir"},
        {"Ouvrir automatiquement", "parametres.html#auto"},
        {"Quitter", "fichier.html#quitter"},
        {"Rechercher", "edition.html#chercher"},
        {"Société", "parametres.html#societe"},
        {"Supprimer une facture", "document.html#supprimer"},
        {"Supprimer une ligne", "facture.html#lignes"},
        {"Taux de TVA", "parametres.html#facture"},
        {"TVA", "parametres.html#facture"},
    };
    return mots;
}

TAide::TAide(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("Aide"));
    setWindowTitle(QStringLiteral("Aide de Kyr Facture"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    resize(760, 520);

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

    for (const auto& [mot, page] : MotsCles()) {
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
    OuvrePage(PageContexte(contexte));
    show();
    raise();
    activateWindow();
}

void TAide::Filtre(const QString& debut) {
    // Partial key: the first keyword starting with the text typed is selected.
    const QString cle = SansAccents(debut.trimmed());
    for (int i = 0; i < m_liste->count(); ++i) {
        if (SansAccents(m_liste->item(i)->text()).startsWith(cle)) {
            m_liste->setCurrentRow(i);
            m_liste->scrollToItem(m_liste->item(i), QAbstractItemView::PositionAtTop);
            return;
        }
    }
}

void TAide::OuvreMotCle() {
    if (const QListWidgetItem* item = m_liste->currentItem())
        OuvrePage(item->data(Qt::UserRole).toString());
}

} // namespace kyr
