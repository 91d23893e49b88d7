#include "utilities/ui/pocket_window.h"

#include "utilities/ui/apparence.h"

#include <QFontMetrics>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace kyr {

namespace {

constexpr int HauteurAffichage = 20;         // pixels
constexpr int HauteurAffichageMinimale = 11; // still easy to read

} // namespace

TPocket::TPocket(Calculatrice& etat, Execution execution, QWidget* parent)
    : QDialog(parent, FenetreFixe), m_etat(etat), m_execution(std::move(execution)) {
    setObjectName(QStringLiteral("Pocket"));
    setWindowTitle(QStringLiteral("Calculatrice"));
    Colore(this, Sarcelle, Qt::white);

    // The display: a silver label in a navy frame, a red strip beside it, on white.
    auto* panneau = new QWidget(this);
    panneau->setObjectName(QStringLiteral("Panel1"));
    Colore(panneau, Qt::white);
    auto* cadre = new QWidget(panneau);
    cadre->setObjectName(QStringLiteral("Panel2"));
    Colore(cadre, Marine);
    m_affichage = new QLabel(cadre);
    m_affichage->setObjectName(QStringLiteral("Label1"));
    Colore(m_affichage, Argent);
    m_affichage->setFont(PoliceArial(HauteurAffichage, true));
    m_affichage->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_affichage->setIndent(4);
    m_affichage->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
    m_affichage->setFixedHeight(30);
    auto* lc = new QHBoxLayout(cadre);
    lc->setContentsMargins(3, 3, 3, 3);
    lc->addWidget(m_affichage);
    auto* bande = new QLabel(panneau);
    bande->setObjectName(QStringLiteral("Label2"));
    Colore(bande, Qt::red);
    bande->setFixedWidth(14);
    auto* lp = new QHBoxLayout(panneau);
    lp->setContentsMargins(6, 6, 6, 6);
    lp->setSpacing(6);
    lp->addWidget(cadre, 1);
    lp->addWidget(bande);

    struct Touche {
        const char* texte;
        const char* nom;
        char code;
    };
    const Touche grille[4][5] = {
        {{"7", "Button7", '7'},
         {"8", "Button8", '8'},
         {"9", "Button9", '9'},
         {"+", "Button12", '+'},
         {"1/x", "Button16", 'X'}},
        {{"4", "Button4", '4'},
         {"5", "Button5", '5'},
         {"6", "Button6", '6'},
         {"-", "Button13", '-'},
         {"sqr", "Button17", 'S'}},
        {{"1", "Button1", '1'},
         {"2", "Button2", '2'},
         {"3", "Button3", '3'},
         {"*", "Button14", '*'},
         {"C", "Button18", 'C'}},
        {{",", "Button10", ','},
         {"0", "Button0", '0'},
         {"=", "Button11", '='},
         {"/", "Button15", '/'},
         {"Fermer", "Button19", 0}},
    };
    auto* touches = new QGridLayout;
    touches->setSpacing(5);
    for (int r = 0; r < 4; ++r) {
        for (int c = 0; c < 5; ++c) {
            const Touche& t = grille[r][c];
            auto* b = new QPushButton(QLatin1String(t.texte), this);
            b->setObjectName(QLatin1String(t.nom));
            b->setFont(PoliceArial(14, true));
            b->setFixedSize(c == 4 ? 64 : 40, 32);
            touches->addWidget(b, r, c);
            if (t.code == 0) {
                connect(b, &QPushButton::clicked, this, &QDialog::reject); // Esc too
                continue;
            }
            m_boutons[t.code] = b;
            const char code = t.code;
            connect(b, &QPushButton::clicked, this, [this, code] { Appuie(code); });
        }
    }

    auto* l = new QVBoxLayout(this);
    l->setContentsMargins(10, 10, 10, 10);
    l->setSpacing(10);
    l->addWidget(panneau);
    l->addLayout(touches);
    setFixedSize(sizeHint());
}

QPushButton* TPocket::Bouton(char code) const {
    const auto it = m_boutons.find(code);
    return it == m_boutons.end() ? nullptr : it->second;
}

void TPocket::showEvent(QShowEvent* e) {
    QDialog::showEvent(e);
    m_etat.Activation();
    Rafraichit();
    Bouton('=')->setFocus();
}

void TPocket::keyPressEvent(QKeyEvent* e) {
    // A key presses its button, which takes the focus as a click would;
    // Enter presses the button that has the focus, Esc closes.
    const QString t = e->text();
    if (t.size() == 1 && t[0].unicode() < 128 &&
        !(e->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
        if (QPushButton* b = Bouton(Calculatrice::BoutonDeTouche(t[0].toLatin1()))) {
            b->setFocus();
            b->click();
            return;
        }
    }
    QDialog::keyPressEvent(e);
}

void TPocket::Appuie(char code) {
    m_execution([this, code] { m_etat.Appuie(code); });
    Rafraichit();
}

void TPocket::Rafraichit() {
    // The whole entry is always in view: a smaller font, then the value's
    // scientific form, rather than its first digits cut off on the left.
    const int largeur = m_affichage->contentsRect().width() - m_affichage->indent();
    const VueAffichage vue =
        AjusteAffichage(m_etat.Affichage, largeur, HauteurAffichage, HauteurAffichageMinimale,
                        [](const std::string& texte, int hauteur) {
                            return QFontMetrics(PoliceArial(hauteur, true))
                                .horizontalAdvance(QString::fromLatin1(texte));
                        });
    m_affichage->setFont(PoliceArial(vue.Hauteur, true));
    m_affichage->setText(QString::fromLatin1(vue.Texte));
}

} // namespace kyr
