#include "einvoice/ui/paramfe_dialog.h"

#include "common/erreurs.h"
#include "common/texte.h"
#include "common/ui/boutons_dialogue.h"
#include "common/ui/saisie.h"
#include "einvoice/controles.h"
#include "einvoice/facture_electronique.h"
#include "einvoice/fichiers_tiers.h"
#include "einvoice/ui/verificateur.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace kyr {

namespace {

QString Utf8(const char* s) {
    return QString::fromUtf8(s);
}

// A check that lets an empty field pass: the export says what is missing.
std::function<QString()> SiRempli(QLineEdit* champ, std::function<QString()> controle) {
    return [champ, controle] { return champ->text().trimmed().isEmpty() ? QString() : controle(); };
}

} // namespace

QLineEdit* TParamFE::Champ(const char* nom) {
    auto* e = new QLineEdit(this);
    e->setObjectName(QString::fromLatin1(nom));
    Filtre1252(e);
    return e;
}

TParamFE::TParamFE(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("ParamFE"));
    setWindowTitle(Utf8("Facturation électronique"));
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
    auto* principal = new QVBoxLayout(this);
    principal->setSizeConstraint(QLayout::SetFixedSize);

    const auto groupe = [&](const char* titre) {
        auto* g = new QGroupBox(Utf8(titre), this);
        auto* f = new QFormLayout(g);
        f->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
        principal->addWidget(g);
        return f;
    };
    QFormLayout* id = groupe("Identification de votre société");
    id->addRow(Utf8("&SIREN :"), m_siren = Champ("Edit1"));
    id->addRow(Utf8("S&IRET :"), m_siret = Champ("Edit2"));
    id->addRow(Utf8("N° de &TVA intracommunautaire :"), m_tva = Champ("Edit3"));
    id->addRow(Utf8("Adresse &électronique :"), m_adresse = Champ("Edit4"));
    QFormLayout* ad = groupe("Adresse");
    ad->addRow(Utf8("&Rue :"), m_rue = Champ("Edit5"));
    ad->addRow(Utf8("Code &postal :"), m_cp = Champ("Edit6"));
    ad->addRow(Utf8("&Ville :"), m_ville = Champ("Edit7"));
    ad->addRow(Utf8("P&ays (code) :"), m_pays = Champ("Edit8"));
    QFormLayout* fa = groupe("Facturation");
    m_cadre = new QComboBox(this);
    m_cadre->setObjectName(QStringLiteral("ComboBox1"));
    m_cadre->addItems(
        {Utf8("Livraisons de biens"), Utf8("Prestations de services"), Utf8("Biens et services")});
    fa->addRow(Utf8("&Cadre de facturation :"), m_cadre);
    m_franchise = new QCheckBox(Utf8("&Franchise en base : « TVA non applicable, art. 293 B du "
                                     "CGI »"),
                                this);
    m_franchise->setObjectName(QStringLiteral("CheckBox1"));
    fa->addRow(m_franchise);
    m_debits = new QCheckBox(Utf8("Option pour le paiement de la ta&xe d'après les débits"), this);
    m_debits->setObjectName(QStringLiteral("CheckBox2"));
    m_debits->setToolTip(Utf8("Pour les prestations de services : la TVA est due à la date des "
                              "factures plutôt qu'à celle des paiements reçus. Les factures le "
                              "mentionnent."));
    fa->addRow(m_debits);
    // A business in the VAT exemption charges no VAT: the option has no object.
    connect(m_franchise, &QCheckBox::toggled, m_debits, &QWidget::setDisabled);
    QFormLayout* me = groupe("Mentions obligatoires");
    me->addRow(Utf8("Pénalités de retar&d :"), m_penalites = Champ("Edit9"));
    me->addRow(Utf8("I&ndemnité de recouvrement :"), m_indemnite = Champ("Edit10"));
    me->addRow(Utf8("Esc&ompte :"), m_escompte = Champ("Edit11"));
    QFormLayout* pa = groupe("Paiement par virement");
    pa->addRow(Utf8("I&BAN :"), m_iban = Champ("Edit12"));
    pa->addRow(Utf8("BI&C :"), m_bic = Champ("Edit13"));
    for (QLineEdit* e : {m_penalites, m_indemnite, m_escompte})
        e->setMinimumWidth(460);
    m_pays->setMaxLength(2);

    m_probleme = LabelProbleme(this);
    principal->addWidget(m_probleme);
    principal->addLayout(BoutonsAnnulerOK(this));
    setTabOrder(m_bic, findChild<QPushButton*>(QStringLiteral("Button2")));
    setTabOrder(findChild<QPushButton*>(QStringLiteral("Button2")),
                findChild<QPushButton*>(QStringLiteral("Button1")));

    const auto s = [](QLineEdit* e) { return S(e->text()); };
    m_verif = new Verificateur(m_probleme);
    m_verif->Ajoute(m_siren, SiRempli(m_siren, [=, this] { return ControleSiren(s(m_siren)); }));
    m_verif->Ajoute(m_siret,
                    SiRempli(m_siret, [=, this] { return ControleSiret(s(m_siret), s(m_siren)); }));
    m_verif->Ajoute(m_tva, [=, this] { return ControleNumeroTVA(s(m_tva), s(m_siren)); });
    m_verif->Ajoute(m_adresse, SiRempli(m_adresse, [=, this] {
                        return ControleAdresseElectronique(s(m_adresse), s(m_siren), true);
                    }));
    m_verif->Ajoute(m_cp,
                    SiRempli(m_cp, [=, this] { return ControleCodePostal(s(m_cp), s(m_pays)); }));
    m_verif->Ajoute(m_pays, [=, this] { return ControlePays(s(m_pays)); });
    m_verif->Ajoute(m_iban, SiRempli(m_iban, [=, this] { return ControleIban(s(m_iban)); }));
    m_verif->Ajoute(m_bic, SiRempli(m_bic, [=, this] { return ControleBic(s(m_bic)); }));
    connect(m_siren, &QLineEdit::editingFinished, this, &TParamFE::SirenSaisi);
}

void TParamFE::SirenSaisi() {
    const std::string siren = Compacte(S(m_siren->text()));
    if (!ControleSiren(siren).isEmpty()) return;
    if (m_siret->text().trimmed().isEmpty()) m_siret->setText(Q(siren));
    if (m_adresse->text().trimmed().isEmpty()) m_adresse->setText(Q(siren));
    if (m_tva->text().trimmed().isEmpty() && !m_franchise->isChecked()) {
        const int cle = static_cast<int>((12 + 3 * (std::stoll(siren) % 97)) % 97);
        m_tva->setText(QStringLiteral("FR%1").arg(cle, 2, 10, QLatin1Char('0')) + Q(siren));
    }
}

// Each text field and the seller's text it shows; numbers and codes are kept
// without their blanks.
std::vector<TParamFE::Lien> TParamFE::Liens() const {
    return {{m_siren, &Vendeur::Siren, true},
            {m_siret, &Vendeur::Siret, true},
            {m_tva, &Vendeur::NumeroTVA, true},
            {m_adresse, &Vendeur::AdresseElectronique, false},
            {m_rue, &Vendeur::Rue, false},
            {m_cp, &Vendeur::CodePostal, false},
            {m_ville, &Vendeur::Ville, false},
            {m_pays, &Vendeur::Pays, true},
            {m_penalites, &Vendeur::NotePenalites, false},
            {m_indemnite, &Vendeur::NoteIndemnite, false},
            {m_escompte, &Vendeur::NoteEscompte, false},
            {m_iban, &Vendeur::Iban, true},
            {m_bic, &Vendeur::Bic, true}};
}

void TParamFE::Init(const Vendeur& v) {
    for (const auto& l : Liens()) {
        l.champ->setText(Q(v.*l.texte));
        l.champ->setCursorPosition(0);
    }
    m_cadre->setCurrentIndex(static_cast<int>(v.CadreFacturation));
    m_franchise->setChecked(v.Franchise);
    m_debits->setChecked(v.OptionDebits);
    m_debits->setDisabled(v.Franchise);
}

Vendeur TParamFE::Result() const {
    Vendeur v;
    for (const auto& l : Liens()) {
        const std::string t = S(l.champ->text());
        v.*l.texte = l.compact ? Compacte(t) : Trim(t);
    }
    v.CadreFacturation = static_cast<Cadre>(std::max(0, m_cadre->currentIndex()));
    v.Franchise = m_franchise->isChecked();
    v.OptionDebits = m_debits->isChecked();
    return v;
}

void TParamFE::accept() {
    if (m_verif->Tout()) QDialog::accept();
}

void ParamFE(QWidget* parent, Plateforme& plateforme, const LignesSociete& societe) {
    Vendeur v = VendeurNeuf();
    bool connu = false;
    try {
        connu = ChargeVendeur(v);
    } catch (const ErreurExecution& e) {
        plateforme.Erreur(e.message());
    }
    if (!connu) {
        // The first time, the address of the company heading (its lines 2 to 4).
        const Acheteur a = AcheteurDepuisAdresse({societe[0], societe[1], societe[2], societe[3]});
        v.Rue = a.Rue;
        v.CodePostal = a.CodePostal;
        v.Ville = a.Ville;
    }
    TParamFE dialogue(parent);
    dialogue.Init(v);
    if (dialogue.exec() != QDialog::Accepted) return;
    try {
        // The dialog does not show the format of the exports: it stays as chosen.
        Vendeur nouveau = dialogue.Result();
        nouveau.Format = v.Format;
        SauveVendeur(nouveau);
    } catch (const ErreurExecution& e) {
        plateforme.Erreur(e.message());
    }
}

} // namespace kyr
