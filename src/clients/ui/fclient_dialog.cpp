#include "clients/ui/fclient_dialog.h"

#include "common/ui/boutons_dialogue.h"
#include "common/texte.h"
#include "common/ui/saisie.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace kyr {

TFclient::TFclient(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("TFclient"));
    setWindowTitle(QStringLiteral("Fclient"));
    for (std::size_t i = 0; i < m_champs.size(); ++i) {
        m_champs[i] = new QLineEdit(this);
        m_champs[i]->setObjectName(QStringLiteral("Edit%1").arg(i + 1));
        Filtre1252(m_champs[i]);
    }
    LectureSeule(m_champs[0], true);
    m_champs[0]->setFocusPolicy(Qt::NoFocus);
    m_champs[0]->setMaximumWidth(80);

    auto* code = new QLabel(QStringLiteral("Code client"), this);
    auto* ligneCode = new QHBoxLayout;
    ligneCode->addWidget(code);
    ligneCode->addWidget(m_champs[0]);
    ligneCode->addStretch();

    auto* coordonnees = new QGroupBox(QStringLiteral("Coordonnées du client"), this);
    auto* lc = new QVBoxLayout(coordonnees);
    for (std::size_t i = 1; i < 5; ++i) {
        m_champs[i]->setMinimumWidth(300);
        lc->addWidget(m_champs[i]);
    }

    auto* principal = new QVBoxLayout(this);
    principal->addLayout(ligneCode);
    principal->addWidget(coordonnees);
    // "OK" is the default button: Enter in any field accepts, Escape cancels.
    principal->addLayout(BoutonsAnnulerOK(this));
    setFixedSize(sizeHint());
}

void TFclient::Init(const std::string& code) {
    m_champs[0]->setText(VersQString(code));
    for (std::size_t i = 1; i < 5; ++i)
        m_champs[i]->clear();
    m_champs[1]->setFocus();
}

std::array<std::string, 4> TFclient::Result() const {
    std::array<std::string, 4> r;
    if (result() != QDialog::Accepted) return r;
    for (std::size_t i = 0; i < 4; ++i)
        r[i] = DepuisQString(m_champs[i + 1]->text()).value_or(std::string());
    return r;
}

} // namespace kyr
