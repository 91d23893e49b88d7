// TExportFE's nature of the operation and delivery address: the nature
// proposed from the document's last export, else the seller's setting; the
// delivery address asked only when it is not the buyer's.
#include "common/texte.h"
#include "common/ui/saisie.h"
#include "einvoice/controles.h"
#include "einvoice/ui/exportfe_dialog.h"
#include "einvoice/ui/verificateur.h"

#include <QBoxLayout>
#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLineEdit>

namespace kyr {

namespace {

QString Utf8(const char* s) {
    return QString::fromUtf8(s);
}

} // namespace

void TExportFE::construitLivraison(QFormLayout* reglement, QBoxLayout* principal) {
    m_nature = new QComboBox(this);
    m_nature->setObjectName(QStringLiteral("ComboBox2"));
    // The order of Cadre, as in the seller's settings.
    m_nature->addItems(
        {Utf8("Livraison de biens"), Utf8("Prestation de services"), Utf8("Biens et services")});
    reglement->addRow(Utf8("Nature de l'&opération :"), m_nature);

    auto* lieu = new QGroupBox(Utf8("Adresse de livraison"), this);
    auto* fl = new QFormLayout(lieu);
    m_autreAdresse =
        new QCheckBox(Utf8("L&ivraison à une autre adresse que celle de l'acheteur"), this);
    m_autreAdresse->setObjectName(QStringLiteral("CheckBox1"));
    fl->addRow(m_autreAdresse);
    fl->addRow(Utf8("No&m :"), m_nomLivraison = Champ("Edit10"));
    fl->addRow(Utf8("Rue :"), m_rueLivraison = Champ("Edit11"));
    fl->addRow(Utf8("Code postal :"), m_cpLivraison = Champ("Edit12"));
    fl->addRow(Utf8("Ville :"), m_villeLivraison = Champ("Edit13"));
    fl->addRow(Utf8("Pays (code) :"), m_paysLivraison = Champ("Edit14"));
    m_paysLivraison->setMaxLength(2);
    principal->addWidget(lieu);
    connect(m_autreAdresse, &QCheckBox::toggled, this, &TExportFE::autreAdresse);
    autreAdresse();
}

void TExportFE::verifieLivraison() {
    const auto s = [](QLineEdit* e) { return S(e->text()); };
    const auto requis = [this](QLineEdit* e, const char* message) {
        return [this, e, message] {
            return m_autreAdresse->isChecked() && e->text().trimmed().isEmpty() ? Utf8(message)
                                                                                : QString();
        };
    };
    m_verif->Ajoute(m_rueLivraison, requis(m_rueLivraison, "La rue de livraison est obligatoire."));
    m_verif->Ajoute(m_cpLivraison, [=, this] {
        return m_autreAdresse->isChecked()
                   ? ControleCodePostal(s(m_cpLivraison), s(m_paysLivraison))
                   : QString();
    });
    m_verif->Ajoute(m_villeLivraison,
                    requis(m_villeLivraison, "La ville de livraison est obligatoire."));
    m_verif->Ajoute(m_paysLivraison, [=, this] {
        return m_autreAdresse->isChecked() ? ControlePays(s(m_paysLivraison)) : QString();
    });
}

void TExportFE::autreAdresse() {
    const bool autre = m_autreAdresse->isChecked();
    for (QLineEdit* e :
         {m_nomLivraison, m_rueLivraison, m_cpLivraison, m_villeLivraison, m_paysLivraison})
        e->setEnabled(autre);
    if (!autre || !m_rueLivraison->text().trimmed().isEmpty()) return;
    // Started from the buyer's: most often only the street or the name differs.
    m_nomLivraison->setText(m_nom->text());
    m_rueLivraison->setText(m_rue->text());
    m_cpLivraison->setText(m_cp->text());
    m_villeLivraison->setText(m_ville->text());
    m_paysLivraison->setText(m_pays->text());
    m_rueLivraison->setFocus();
    m_rueLivraison->selectAll();
}

void TExportFE::initLivraison(const Complements& c) {
    m_nature->setCurrentIndex(static_cast<int>(c.Nature.value_or(Cadre::Services)));
    const AdresseLivraison l = c.LieuLivraison.value_or(AdresseLivraison{});
    const std::pair<QLineEdit*, const std::string*> champs[] = {{m_nomLivraison, &l.Nom},
                                                                {m_rueLivraison, &l.Rue},
                                                                {m_cpLivraison, &l.CodePostal},
                                                                {m_villeLivraison, &l.Ville},
                                                                {m_paysLivraison, &l.Pays}};
    for (const auto& [e, t] : champs)
        e->setText(c.LieuLivraison ? Q(*t) : QString());
    const QSignalBlocker bloque(m_autreAdresse);
    m_autreAdresse->setChecked(c.LieuLivraison.has_value());
    autreAdresse();
}

void TExportFE::resultLivraison(Complements& c) const {
    c.Nature = static_cast<Cadre>(std::max(0, m_nature->currentIndex()));
    if (!m_autreAdresse->isChecked()) return;
    const auto t = [](QLineEdit* e) { return Trim(S(e->text())); };
    c.LieuLivraison = AdresseLivraison{t(m_nomLivraison), t(m_rueLivraison), t(m_cpLivraison),
                                       t(m_villeLivraison), Compacte(S(m_paysLivraison->text()))};
}

} // namespace kyr
