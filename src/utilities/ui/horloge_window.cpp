#include "utilities/ui/horloge_window.h"

#include "utilities/ui/apparence.h"
#include "utilities/ui/spin_button.h"

#include <QButtonGroup>
#include <QEvent>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QVBoxLayout>

namespace kyr {

THorloge::THorloge(Plateforme& plateforme, QWidget* parent)
    : QDialog(parent, FenetreFixe), m_plateforme(plateforme) {
    setObjectName(QStringLiteral("Horloge"));
    setWindowTitle(QStringLiteral("Horloge"));
    Colore(this, Qt::black, Qt::white);

    // The black face with a raised bevel.
    auto* face = new QFrame(this);
    face->setObjectName(QStringLiteral("Panel1"));
    face->setFrameStyle(QFrame::Panel | QFrame::Raised);
    face->setLineWidth(2);
    Colore(face, Qt::black, Qt::white);

    const auto affichage = [face](const char* nom) {
        auto* l = new QLabel(face);
        l->setObjectName(QLatin1String(nom));
        l->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        l->setLineWidth(2);
        Colore(l, Argent, Qt::black);
        l->setFont(PoliceArial(23, true));
        l->setAlignment(Qt::AlignCenter);
        l->setFixedSize(170, 40);
        return l;
    };
    m_heure = affichage("Label1");
    m_date = affichage("Label2");
    auto* trait = new QFrame(face);
    trait->setObjectName(QStringLiteral("Bevel1"));
    trait->setFixedSize(170, 1);
    Colore(trait, Qt::white);
    auto* kyr = new QLabel(QStringLiteral("KYR"), face);
    kyr->setObjectName(QStringLiteral("Label3"));
    QFont f = PoliceArial(16, true);
    f.setItalic(true);
    kyr->setFont(f);
    Colore(kyr, Qt::black, Qt::white);

    auto* gauche = new QVBoxLayout;
    gauche->setSpacing(6);
    gauche->addWidget(m_heure);
    gauche->addWidget(trait);
    gauche->addWidget(m_date);
    gauche->addStretch();
    gauche->addWidget(kyr, 0, Qt::AlignLeft | Qt::AlignBottom);

    // The field selector: no field chosen when the window opens.
    auto* selecteur = new QWidget(face);
    selecteur->setObjectName(QStringLiteral("RadioGroup1"));
    Colore(selecteur, Qt::black, Qt::white);
    auto* ls = new QVBoxLayout(selecteur);
    ls->setContentsMargins(0, 0, 0, 0);
    ls->setSpacing(2);
    m_champs = new QButtonGroup(this);
    const char* noms[] = {"Hr", "Mn", "Jo", "Mo", "An"};
    for (int i = 0; i < 5; ++i) {
        auto* r = new QRadioButton(QLatin1String(noms[i]), selecteur);
        r->setObjectName(QStringLiteral("RadioButton%1").arg(i + 1));
        r->setFont(PoliceArial(13, true));
        QPalette p = r->palette();
        p.setColor(QPalette::WindowText, Qt::white);
        r->setPalette(p);
        m_champs->addButton(r, i + 1);
        ls->addWidget(r);
    }

    m_spin = new TSpinButton(face);
    m_spin->setObjectName(QStringLiteral("SpinButton1"));
    connect(m_spin, &TSpinButton::UpClick, this, [this] {
        m_horloge.Monte(Champ());
        Rafraichit();
    });
    connect(m_spin, &TSpinButton::DownClick, this, [this] {
        m_horloge.Descend(Champ());
        Rafraichit();
    });
    auto* regler = new QPushButton(QStringLiteral("Set"), face);
    regler->setObjectName(QStringLiteral("Button2"));
    regler->setAutoDefault(false);
    regler->setFixedWidth(40);
    connect(regler, &QPushButton::clicked, this, &THorloge::Button2Click);
    auto* fermer = new QPushButton(QStringLiteral("Fermer"), face);
    fermer->setObjectName(QStringLiteral("Button1"));
    fermer->setAutoDefault(false);
    connect(fermer, &QPushButton::clicked, this, &QDialog::reject); // Esc too

    auto* reglage = new QHBoxLayout;
    reglage->addWidget(m_spin);
    reglage->addWidget(regler);
    auto* droite = new QVBoxLayout;
    droite->setSpacing(6);
    droite->addWidget(selecteur);
    droite->addLayout(reglage);
    droite->addStretch();
    droite->addWidget(fermer);

    auto* lf = new QHBoxLayout(face);
    lf->setContentsMargins(12, 12, 12, 10);
    lf->setSpacing(16);
    lf->addLayout(gauche);
    lf->addLayout(droite);
    auto* l = new QVBoxLayout(this);
    l->setContentsMargins(0, 0, 0, 0);
    l->addWidget(face);

    m_timer = new QTimer(this);
    m_timer->setObjectName(QStringLiteral("Timer1"));
    m_timer->setInterval(1000);
    connect(m_timer, &QTimer::timeout, this, &THorloge::Timer1Timer);
    Timer1Timer();
    setFixedSize(sizeHint());
}

ChampHorloge THorloge::Champ() const {
    switch (m_champs->checkedId()) {
    case 1:
        return ChampHorloge::Heure;
    case 2:
        return ChampHorloge::Minute;
    case 3:
        return ChampHorloge::Jour;
    case 4:
        return ChampHorloge::Mois;
    case 5:
        return ChampHorloge::Annee;
    default:
        return ChampHorloge::Aucun;
    }
}

void THorloge::showEvent(QShowEvent* e) {
    QDialog::showEvent(e);
    FormActivate();
}

void THorloge::changeEvent(QEvent* e) {
    QDialog::changeEvent(e);
    if (e->type() != QEvent::ActivationChange) return;
    if (isActiveWindow())
        FormActivate();
    else
        m_timer->stop();
}

void THorloge::FormActivate() {
    m_horloge.Reglage = false;
    Timer1Timer();
    m_timer->start();
}

void THorloge::Timer1Timer() {
    m_horloge.Affiche(m_plateforme.Maintenant());
    Rafraichit();
}

void THorloge::Button2Click() {
    if (!m_horloge.Reglage) {
        m_horloge.Reglage = true;
        m_timer->stop();
        return;
    }
    m_horloge.Reglage = false;
    const auto refus = m_horloge.Modifie(m_plateforme, m_zone);
    if (refus)
        m_plateforme.Question(QStringLiteral("Horloge"), *refus, Icone::Avertissement,
                              {Bouton::OK});
    Timer1Timer();
    m_timer->start();
}

void THorloge::Rafraichit() {
    m_heure->setText(QString::fromLatin1(m_horloge.Heure));
    m_date->setText(QString::fromLatin1(m_horloge.Date));
}

} // namespace kyr
