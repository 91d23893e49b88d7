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
    principal->addWidget(
        Groupe(this, "RadioGroup3", QStringLiteral("Format enveloppe"),
               {QStringLiteral("Papier de l'imprimante"), QStringLiteral("DL (110 × 220 mm)"),
                QStringLiteral("C5 (162 × 229 mm)"), QStringLiteral("C6 (114 × 162 mm)")},
               m_format));
    m_groupeOrientation =
        Groupe(this, "RadioGroup2", QStringLiteral("Orientation enveloppe"),
               {QStringLiteral("Portrait"), QStringLiteral("Paysage")}, m_orientation);
    principal->addWidget(m_groupeOrientation);
    m_guide = new QCheckBox(QStringLiteral("Guide enveloppe à droite"), this);
    m_guide->setObjectName(QStringLiteral("CheckBox1"));
    principal->addWidget(m_guide);
    principal->addLayout(BoutonsAnnulerOK(this));
    connect(m_format, &QButtonGroup::idToggled, this, [this] { FormatChange(); });
}

void TMPage::InitEnveloppe(FormatEnveloppe format) {
    m_format->button(static_cast<int>(format))->setChecked(true);
    FormatChange();
}

void TMPage::FormatChange() {
    const bool papier = m_format->checkedId() == static_cast<int>(FormatEnveloppe::Imprimante);
    m_groupeOrientation->setEnabled(papier);
    m_guide->setEnabled(papier);
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
    if (result() == QDialog::Accepted)
        c.Enveloppe = static_cast<FormatEnveloppe>(m_format->checkedId());
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
        dialogue.InitEnveloppe(reglages.Enveloppe);
        dialogue.exec();
        reponse = dialogue.Result();
    }
    return AppliqueParM(reglages, reponse);
}

} // namespace kyr
