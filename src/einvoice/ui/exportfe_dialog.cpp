#include "einvoice/ui/exportfe_dialog.h"

#include "common/texte.h"
#include "common/ui/boutons_dialogue.h"
#include "common/ui/saisie.h"
#include "einvoice/controles.h"
#include "einvoice/ui/facturx_pdf.h"
#include "einvoice/ui/verificateur.h"

#include <QComboBox>
#include <QDateEdit>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace kyr {

namespace {

QString Utf8(const char* s) {
    return QString::fromUtf8(s);
}

QDateEdit* Date(QWidget* parent, const char* nom) {
    auto* d = new QDateEdit(parent);
    d->setObjectName(QString::fromLatin1(nom));
    d->setCalendarPopup(true);
    d->setDisplayFormat(QStringLiteral("dd/MM/yyyy"));
    d->setDateRange(QDate(2000, 1, 1), QDate(2099, 12, 31));
    return d;
}

} // namespace

QLineEdit* TExportFE::Champ(const char* nom) {
    auto* e = new QLineEdit(this);
    e->setObjectName(QString::fromLatin1(nom));
    e->setMinimumWidth(300);
    Filtre1252(e);
    return e;
}

TExportFE::TExportFE(const Fiche& f, QWidget* parent)
    : QDialog(parent), m_avoir(Trim(f.Genre) == Trim(GenreAvoir)) {
    setObjectName(QStringLiteral("ExportFE"));
    setWindowTitle(Utf8("Facture électronique"));
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
    auto* principal = new QVBoxLayout(this);
    principal->setSizeConstraint(QLayout::SetFixedSize);
    auto* titre =
        new QLabel(VersQString(Trim(f.Genre) + " N\xB0 " + Trim(f.Numero) + " du " +
                               f.Date.toString(QStringLiteral("dd/MM/yyyy")).toStdString()),
                   this);
    titre->setObjectName(QStringLiteral("Label1"));
    principal->addWidget(titre);

    auto* format = new QFormLayout;
    m_format = ListeFormats(this);
    format->addRow(Utf8("&Format :"), m_format);
    principal->addLayout(format);

    auto* acheteur = new QGroupBox(Utf8("Acheteur"), this);
    auto* fa = new QFormLayout(acheteur);
    auto* genre = new QHBoxLayout;
    m_entreprise = new QRadioButton(Utf8("&Entreprise"), this);
    m_entreprise->setObjectName(QStringLiteral("RadioButton1"));
    m_particulier = new QRadioButton(Utf8("Parti&culier"), this);
    m_particulier->setObjectName(QStringLiteral("RadioButton2"));
    genre->addWidget(m_entreprise);
    genre->addWidget(m_particulier);
    genre->addStretch();
    fa->addRow(Utf8("L'acheteur est :"), genre);
    fa->addRow(Utf8("&Nom :"), m_nom = Champ("Edit1"));
    fa->addRow(Utf8("&Rue :"), m_rue = Champ("Edit2"));
    fa->addRow(Utf8("Code &postal :"), m_cp = Champ("Edit3"));
    fa->addRow(Utf8("&Ville :"), m_ville = Champ("Edit4"));
    fa->addRow(Utf8("P&ays (code) :"), m_pays = Champ("Edit5"));
    fa->addRow(Utf8("&SIREN :"), m_siren = Champ("Edit6"));
    fa->addRow(Utf8("N° de &TVA :"), m_tva = Champ("Edit7"));
    fa->addRow(Utf8("A&dresse électronique :"), m_adresse = Champ("Edit8"));
    m_pays->setMaxLength(2);
    principal->addWidget(acheteur);

    auto* reglement = new QGroupBox(Utf8("Livraison et règlement"), this);
    auto* fr = new QFormLayout(reglement);
    m_livraison = Date(this, "DateTimePicker3");
    fr->addRow(Utf8("Date de &livraison :"), m_livraison);
    m_echeance = Date(this, "DateTimePicker1");
    fr->addRow(f.Payee ? Utf8("Date du &paiement :") : Utf8("Date d'éc&héance :"), m_echeance);
    principal->addWidget(reglement);
    construitLivraison(fr, principal);

    m_facture = Champ("Edit9");
    m_dateFacture = Date(this, "DateTimePicker2");
    if (m_avoir) {
        auto* corrigee = new QGroupBox(Utf8("Facture corrigée par cet avoir"), this);
        auto* fc = new QFormLayout(corrigee);
        fc->addRow(Utf8("N&uméro :"), m_facture);
        fc->addRow(Utf8("Da&te :"), m_dateFacture);
        principal->addWidget(corrigee);
    } else {
        m_facture->hide();
        m_dateFacture->hide();
    }

    m_probleme = LabelProbleme(this);
    principal->addWidget(m_probleme);
    principal->addLayout(BoutonsAnnulerOK(this));

    const auto s = [](QLineEdit* e) { return S(e->text()); };
    const auto requis = [](QLineEdit* e, const char* message) {
        return [e, message] { return e->text().trimmed().isEmpty() ? Utf8(message) : QString(); };
    };
    m_verif = new Verificateur(m_probleme);
    m_verif->Ajoute(m_nom, requis(m_nom, "Le nom de l'acheteur est obligatoire."));
    m_verif->Ajoute(m_rue, requis(m_rue, "La rue de l'acheteur est obligatoire."));
    m_verif->Ajoute(m_cp, [=, this] { return ControleCodePostal(s(m_cp), s(m_pays)); });
    m_verif->Ajoute(m_ville, requis(m_ville, "La ville de l'acheteur est obligatoire."));
    m_verif->Ajoute(m_pays, [=, this] { return ControlePays(s(m_pays)); });
    m_verif->Ajoute(m_siren, [=, this] {
        const bool requis = m_entreprise->isChecked() && Compacte(s(m_pays)) == "FR";
        return requis || !m_siren->text().trimmed().isEmpty() ? ControleSiren(s(m_siren))
                                                              : QString();
    });
    m_verif->Ajoute(m_tva, [=, this] { return ControleNumeroTVA(s(m_tva), s(m_siren)); });
    m_verif->Ajoute(m_adresse, [=, this] {
        const bool pro = m_entreprise->isChecked();
        return ControleAdresseAcheteur(s(m_adresse), pro ? s(m_siren) : std::string(), pro,
                                       s(m_pays));
    });
    verifieLivraison();
    if (m_avoir) {
        // No date known: none is proposed (the credit note's own would be
        // wrong); the typed number's invoice gives its date.
        m_dateFacture->setMinimumDate(QDate(1999, 12, 31));
        m_dateFacture->setSpecialValueText(Utf8("à indiquer"));
        connect(m_facture, &QLineEdit::editingFinished, this, [this] {
            if (!DateFacture) return;
            if (const auto d = DateFacture(Compacte(S(m_facture->text()))))
                m_dateFacture->setDate(*d);
        });
        m_verif->Ajoute(m_facture, requis(m_facture, "Indiquez le numéro de la facture que cet "
                                                     "avoir corrige."));
        m_verif->Ajoute(m_facture, [this] {
            return m_dateFacture->date() == m_dateFacture->minimumDate()
                       ? Utf8("Indiquez la date de la facture que cet avoir corrige.")
                       : QString();
        });
    }
    connect(m_entreprise, &QRadioButton::toggled, this, &TExportFE::Genre);
    connect(m_siren, &QLineEdit::editingFinished, this, [this] {
        // A business's directory address is its SIREN unless it says otherwise.
        const std::string siren = Compacte(S(m_siren->text()));
        if (m_entreprise->isChecked() && m_adresse->text().trimmed().isEmpty() &&
            ControleSiren(siren).isEmpty())
            m_adresse->setText(Q(siren));
    });
}

void TExportFE::Genre() {
    const bool pro = m_entreprise->isChecked();
    m_siren->setEnabled(pro);
    m_tva->setEnabled(pro);
    if (!pro) {
        m_siren->clear();
        m_tva->clear();
    }
}

void TExportFE::Init(const SaisieExport& s) {
    m_format->setCurrentIndex(static_cast<int>(s.Format));
    const Acheteur& a = s.Ach;
    (a.Professionnel ? m_entreprise : m_particulier)->setChecked(true);
    Genre();
    const std::pair<QLineEdit*, const std::string*> champs[] = {
        {m_nom, &a.Nom},
        {m_rue, &a.Rue},
        {m_cp, &a.CodePostal},
        {m_ville, &a.Ville},
        {m_pays, &a.Pays},
        {m_siren, &a.Siren},
        {m_tva, &a.NumeroTVA},
        {m_adresse, &a.AdresseElectronique},
        {m_facture, &s.Autres.FactureCorrigee}};
    for (const auto& [e, t] : champs)
        e->setText(Q(*t));
    m_echeance->setDate(s.Autres.Echeance);
    m_livraison->setDate(s.Autres.Livraison.isValid() ? s.Autres.Livraison : s.Autres.Echeance);
    QDate corrigee = s.Autres.DateFactureCorrigee;
    if (!corrigee.isValid() && DateFacture && !s.Autres.FactureCorrigee.empty())
        corrigee = DateFacture(s.Autres.FactureCorrigee).value_or(QDate());
    m_dateFacture->setDate(corrigee.isValid() ? corrigee : m_dateFacture->minimumDate());
    initLivraison(s.Autres);
    // The first field still to fill takes the focus.
    for (QLineEdit* e : {m_nom, m_rue, m_cp, m_ville, m_siren, m_adresse})
        if (e->isEnabled() && e->text().trimmed().isEmpty()) {
            e->setFocus();
            return;
        }
    m_echeance->setFocus();
}

SaisieExport TExportFE::Result() const {
    SaisieExport s;
    s.Format = static_cast<FormatFE>(std::max(0, m_format->currentIndex()));
    Acheteur& a = s.Ach;
    const auto t = [](QLineEdit* e) { return Trim(S(e->text())); };
    a.Professionnel = m_entreprise->isChecked();
    a.Nom = t(m_nom);
    a.Rue = t(m_rue);
    a.CodePostal = t(m_cp);
    a.Ville = t(m_ville);
    a.Pays = Compacte(S(m_pays->text()));
    a.Siren = Compacte(S(m_siren->text()));
    a.NumeroTVA = Compacte(S(m_tva->text()));
    a.AdresseElectronique = t(m_adresse);
    s.Autres.Echeance = m_echeance->date();
    s.Autres.Livraison = m_livraison->date();
    resultLivraison(s.Autres);
    if (m_avoir) {
        s.Autres.FactureCorrigee = Compacte(S(m_facture->text()));
        s.Autres.DateFactureCorrigee = m_dateFacture->date();
    }
    return s;
}

void TExportFE::accept() {
    if (m_verif->Tout()) QDialog::accept();
}

QComboBox* ListeFormats(QWidget* parent) {
    auto* liste = new QComboBox(parent);
    liste->setObjectName(QStringLiteral("ComboBox1"));
    for (FormatFE f : FormatsFE)
        liste->addItem(NomFormat(f));
    return liste;
}

void CommandeFacturX(QWidget* parent, Facture& f, const QString& dossier, const QString& livre) {
    ExporteFacturX(
        f, dossier,
        [&](const SaisieExport& propose) -> std::optional<SaisieExport> {
            TExportFE dialogue(f.fiche, parent);
            dialogue.DateFacture = [&f](const std::string& n) { return f.DateFacture(n); };
            dialogue.Init(propose);
            if (dialogue.exec() != QDialog::Accepted) return std::nullopt;
            return dialogue.Result();
        },
        [&](const QString& chemin, const FactureElectronique& fe, const Fiche& page) {
            EcritFacturX(chemin, fe, page, f.NbLignes, f.Societe, f.plateforme().Maintenant());
        },
        livre);
}

} // namespace kyr
