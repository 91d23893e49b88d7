#include "printing/ui/mpage_dialog.h"

#include "common/ui/boutons_dialogue.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGroupBox>
#include <QRadioButton>
#include <QScreen>
#include <QVBoxLayout>

namespace kyr {

namespace {

QGroupBox* Groupe(QWidget* parent, const char* nom, const QString& titre,
                  const QStringList& articles, QButtonGroup*& boutons) {
    auto* g = new QGroupBox(titre, parent);
    g->setObjectName(QLatin1String(nom));
    auto* l = new QVBoxLayout(g);
    boutons = new QButtonGroup(g);
    for (int i = 0; i < articles.size(); ++i) {
        auto* r = new QRadioButton(articles[i], g);
        r->setObjectName(QStringLiteral("%1Item%2").arg(QLatin1String(nom)).arg(i));
        boutons->addButton(r, i);
        l->addWidget(r);
    }
    boutons->button(0)->setChecked(true);
    return g;
}

} // namespace

TMPage::TMPage(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("MPage"));
    setWindowTitle(QStringLiteral("Mise en page"));
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);

    auto* principal = new QVBoxLayout(this);
    principal->setSizeConstraint(QLayout::SetFixedSize);
    principal->addWidget(Groupe(this, "RadioGroup1", QStringLiteral("Type de papier"),
                                {QStringLiteral("Papier blanc"), QStringLiteral("Papier à en-tête"),
                                 QStringLiteral("Papier imprimé")},
                                m_papier));
    principal->addWidget(Groupe(this, "RadioGroup2", QStringLiteral("Orientation enveloppe"),
                                {QStringLiteral("Portrait"), QStringLiteral("Paysage")},
                                m_orientation));
    m_guide = new QCheckBox(QStringLiteral("Guide enveloppe à droite"), this);
    m_guide->setObjectName(QStringLiteral("CheckBox1"));
    principal->addWidget(m_guide);
    principal->addLayout(BoutonsAnnulerOK(this));
}

void TMPage::Init(int typePapier, int orientation, bool guideADroite) {
    if (typePapier < 0 || typePapier > 3 || orientation < 0 || orientation > 1) return;
    m_papier->button(std::min(typePapier, 2))->setChecked(true);
    m_orientation->button(orientation)->setChecked(true);
    m_guide->setChecked(guideADroite);
}

void TMPage::Result(int& typePapier, int& orientation, bool& guideADroite) const {
    typePapier = -1;
    orientation = -1;
    if (result() != QDialog::Accepted) return;
    typePapier = m_papier->checkedId();
    orientation = m_orientation->checkedId();
    guideADroite = m_guide->isChecked();
}

ChoixMiseEnPage TMPage::Result() const {
    ChoixMiseEnPage c;
    Result(c.TypePapier, c.OrientationEnveloppe, c.GuideADroite);
    return c;
}

void TMPage::showEvent(QShowEvent* e) {
    QDialog::showEvent(e);
    if (const QScreen* ecran = screen()) {
        QRect cadre = frameGeometry();
        cadre.moveCenter(ecran->availableGeometry().center());
        move(cadre.topLeft());
    }
}

bool ParM(Reglages& reglages, QWidget* parent) {
    ChoixMiseEnPage reponse;
    {
        TMPage dialogue(parent);
        dialogue.Init(reglages.TypePapier, reglages.OrientationEnveloppe,
                      reglages.DecalageEnveloppe > 0);
        dialogue.exec();
        reponse = dialogue.Result();
    }
    return AppliqueParM(reglages, reponse);
}

} // namespace kyr
