#include "utilities/ui/euro_window.h"

#include "utilities/ui/apparence.h"
#include "utilities/ui/spin_button.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace kyr {

TEurof::TEurof(Execution execution, QWidget* parent)
    : QDialog(parent, FenetreFixe), m_execution(std::move(execution)) {
    setObjectName(QStringLiteral("Eurof"));
    setWindowTitle(QStringLiteral("Euro convertisseur"));
    Colore(this, Marine, Qt::white);

    // The two displays on a silver panel.
    auto* panneau = new QWidget(this);
    panneau->setObjectName(QStringLiteral("Panel1"));
    Colore(panneau, Argent);
    auto* lp = new QVBoxLayout(panneau);
    lp->setContentsMargins(6, 6, 6, 6);
    lp->setSpacing(4);
    const auto affichage = [panneau, lp](const char* nom) {
        auto* l = new QLabel(panneau);
        l->setObjectName(QLatin1String(nom));
        Colore(l, Sarcelle, Qt::white);
        l->setFont(PoliceArial(20, true));
        l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        l->setMinimumHeight(30);
        l->setIndent(6);
        l->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
        lp->addWidget(l);
        return l;
    };
    m_entree = affichage("Label1");
    m_resultat = affichage("Label2");

    // The keypad: digits and "," take no focus, so that the keys typed keep
    // reaching the window.
    auto* clavier = new QGridLayout;
    clavier->setSpacing(4);
    const struct {
        const char* texte;
        const char* nom;
    } touches[] = {{"7", "Button7"}, {"8", "Button8"}, {"9", "Button9"},  {"4", "Button4"},
                   {"5", "Button5"}, {"6", "Button6"}, {"1", "Button1"},  {"2", "Button2"},
                   {"3", "Button3"}, {"0", "Button0"}, {",", "Button12"}, {"=", "Button11"}};
    for (int i = 0; i < 12; ++i) {
        auto* b = new QPushButton(QLatin1String(touches[i].texte), this);
        b->setObjectName(QLatin1String(touches[i].nom));
        b->setFixedSize(42, 32);
        b->setFont(PoliceArial(15, true));
        clavier->addWidget(b, i / 3, i % 3);
        if (i == 11) {
            m_egal = b;
            connect(b, &QPushButton::clicked, this, [this] { FormKeyPress('\r'); });
        } else {
            b->setFocusPolicy(Qt::NoFocus);
            b->setAutoDefault(false);
            const char c = touches[i].texte[0];
            connect(b, &QPushButton::clicked, this, [this, c] {
                m_conv.Touche(c);
                Rafraichit();
            });
        }
    }
    m_egal->setDefault(true);

    // The direction, the rate and its arrows, "Fermer".
    auto* groupe = new QGroupBox(QStringLiteral("Conversion"), this);
    groupe->setObjectName(QStringLiteral("RadioGroup1"));
    Colore(groupe, Argent);
    auto* lg = new QVBoxLayout(groupe);
    m_versEuro = new QRadioButton(QStringLiteral("Fr>Euro"), groupe);
    m_versEuro->setObjectName(QStringLiteral("RadioButton1"));
    m_versFranc = new QRadioButton(QStringLiteral("Euro>Fr"), groupe);
    m_versFranc->setObjectName(QStringLiteral("RadioButton2"));
    m_versEuro->setChecked(true);
    lg->addWidget(m_versEuro);
    lg->addWidget(m_versFranc);

    m_taux = new QLineEdit(this);
    m_taux->setObjectName(QStringLiteral("Edit3"));
    m_taux->setReadOnly(true);
    m_taux->setFocusPolicy(Qt::NoFocus);
    m_taux->setAlignment(Qt::AlignRight);
    m_taux->setFixedWidth(80);
    m_spin = new TSpinButton(this);
    m_spin->setObjectName(QStringLiteral("SpinButton1"));
    connect(m_spin, &TSpinButton::UpClick, this, [this] {
        m_conv.Monte();
        Rafraichit();
    });
    connect(m_spin, &TSpinButton::DownClick, this, [this] {
        m_conv.Descend();
        Rafraichit();
    });
    auto* titreTaux = new QLabel(QStringLiteral("Taux :"), this);
    auto* ligneTaux = new QHBoxLayout;
    ligneTaux->addWidget(titreTaux);
    ligneTaux->addWidget(m_taux);
    ligneTaux->addWidget(m_spin);

    auto* fermer = new QPushButton(QStringLiteral("Fermer"), this);
    fermer->setObjectName(QStringLiteral("Button10"));
    connect(fermer, &QPushButton::clicked, this, &QDialog::reject); // Esc too

    auto* droite = new QVBoxLayout;
    droite->addWidget(groupe);
    droite->addLayout(ligneTaux);
    droite->addStretch();
    droite->addWidget(fermer, 0, Qt::AlignRight);

    auto* bas = new QHBoxLayout;
    bas->addLayout(clavier);
    bas->addSpacing(12);
    bas->addLayout(droite);

    auto* l = new QVBoxLayout(this);
    l->setContentsMargins(10, 10, 10, 10);
    l->setSpacing(10);
    l->addWidget(panneau);
    l->addLayout(bas);

    setTabOrder(m_egal, m_versEuro);
    setTabOrder(m_versEuro, m_spin);
    setTabOrder(m_spin, fermer);
    Rafraichit();
    setFixedSize(sizeHint().expandedTo(QSize(340, 0)));
}

void TEurof::showEvent(QShowEvent* e) {
    QDialog::showEvent(e);
    m_conv.Activation();
    Rafraichit();
    m_egal->setFocus();
}

void TEurof::keyPressEvent(QKeyEvent* e) {
    const QString t = e->text();
    if (e->key() == Qt::Key_Escape || t.size() != 1 || t[0].unicode() >= 128 ||
        (e->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
        QDialog::keyPressEvent(e); // Esc closes; Enter presses the focused button or "="
        return;
    }
    FormKeyPress(t[0].toLatin1());
}

void TEurof::FormKeyPress(char c) {
    m_conv.VersEuro = m_versEuro->isChecked();
    m_execution([this, c] { m_conv.Caractere(c); });
    Rafraichit();
}

void TEurof::Rafraichit() {
    m_entree->setText(QString::fromLatin1(m_conv.Entree));
    m_resultat->setText(QString::fromLatin1(m_conv.Resultat));
    m_taux->setText(QString::fromLatin1(m_conv.TexteTaux()));
}

} // namespace kyr
