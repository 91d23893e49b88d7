#include "shell/ui/accueil.h"

#include "common/nombres.h"
#include "common/ui/boutons_dialogue.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace kyr {

QString TAccueil::TexteValeurs(const Reglages& r) {
    const auto taux = [&r](int k) {
        // The rate and its sign kept on one line.
        return QString::fromLatin1(FormatGeneral(r.TauxTVA[k].valeur())) + QChar(0xA0) +
               QLatin1Char('%');
    };
    return QStringLiteral("Les montants sont en %1 et les taux de TVA sont ceux en vigueur : "
                          "%2, %3 et %4.")
        .arg(r.Devise != 0 ? QStringLiteral("euros") : QStringLiteral("francs"), taux(1), taux(2),
             taux(3));
}

TAccueil::TAccueil(const Reglages& reglages, std::vector<Etape> etapes, QWidget* parent)
    : QDialog(parent) {
    setObjectName(QStringLiteral("Accueil"));
    setWindowTitle(QStringLiteral("Bienvenue"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);

    auto* titre = new QLabel(QStringLiteral("Bienvenue dans Kyr Facture"), this);
    titre->setObjectName(QStringLiteral("Titre"));
    QFont grand = titre->font();
    grand.setBold(true);
    grand.setPointSizeF(grand.pointSizeF() * 1.4);
    titre->setFont(grand);

    auto* texte = new QLabel(
        TexteValeurs(reglages) +
            QStringLiteral("\n\nAvant la première facture, décrivez votre société. Chaque étape "
                           "peut être passée, et reprise plus tard dans le menu « Paramètres »."),
        this);
    texte->setObjectName(QStringLiteral("Texte"));
    texte->setWordWrap(true);

    auto* grille = new QGridLayout;
    grille->setHorizontalSpacing(12);
    grille->setVerticalSpacing(8);
    for (std::size_t i = 0; i < etapes.size(); ++i) {
        auto* b = new QPushButton(etapes[i].bouton, this);
        b->setObjectName(QStringLiteral("Etape%1").arg(i + 1));
        auto* l = new QLabel(etapes[i].explication, this);
        l->setWordWrap(true);
        l->setBuddy(b);
        grille->addWidget(b, static_cast<int>(i), 0);
        grille->addWidget(l, static_cast<int>(i), 1);
        m_boutons.push_back(b);
    }
    grille->setColumnStretch(1, 1);

    auto* commencer = new QPushButton(QStringLiteral("&Commencer"), this);
    commencer->setObjectName(QStringLiteral("Commencer"));
    connect(commencer, &QPushButton::clicked, this, &QDialog::accept);
    m_boutons.push_back(commencer);
    // Each step done (or given up) hands the focus on to the next one, so
    // that Enter walks through them in order; Escape closes at any point.
    for (std::size_t i = 0; i < etapes.size(); ++i)
        connect(m_boutons[i], &QPushButton::clicked, this, [this, i, action = etapes[i].action] {
            action();
            m_boutons[i + 1]->setFocus();
        });

    auto* bas = new QHBoxLayout;
    bas->addStretch(1);
    bas->addWidget(commencer);

    auto* l = new QVBoxLayout(this);
    l->setContentsMargins(18, 16, 18, 14);
    l->setSpacing(12);
    l->addWidget(titre);
    l->addWidget(texte);
    l->addLayout(grille);
    l->addSpacing(4);
    l->addLayout(bas);
    texte->setFixedWidth(460);
    l->setSizeConstraint(QLayout::SetFixedSize);
}

void TAccueil::showEvent(QShowEvent* e) {
    QDialog::showEvent(e);
    CentreSurEcran(this);
    if (!m_boutons.empty()) m_boutons.front()->setFocus();
}

} // namespace kyr
