#pragma once
// TParamFE: the seller's data of the electronic invoice ("Paramètres" >
// "Facturation électronique..."), asked once and kept in Fact.fxv.
#include "book/societe.h"
#include "common/plateforme.h"
#include "einvoice/tiers.h"

#include <QDialog>
#include <string>
#include <vector>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;

namespace kyr {

class Verificateur;

class TParamFE final : public QDialog {
    Q_OBJECT
public:
    explicit TParamFE(QWidget* parent = nullptr);
    void Init(const Vendeur& v);
    Vendeur Result() const; // the fields as typed (blanks inside numbers removed)

    void accept() override; // only when every filled field is right

private:
    struct Lien {
        QLineEdit* champ;
        std::string Vendeur::*texte;
        bool compact;
    };
    std::vector<Lien> Liens() const;
    void SirenSaisi(); // proposes the SIRET's start, the VAT number and the address
    QLineEdit* Champ(const char* nom);
    QLineEdit *m_siren, *m_siret, *m_tva, *m_adresse, *m_rue, *m_cp, *m_ville, *m_pays;
    QLineEdit *m_penalites, *m_indemnite, *m_escompte, *m_iban, *m_bic;
    QComboBox* m_cadre;
    QCheckBox* m_franchise;
    QCheckBox* m_debits;
    QLabel* m_probleme;
    Verificateur* m_verif;
};

// The command: the dialog filled from Fact.fxv (or, the first time, with the
// usual notes and the address of the company lines); accepted, the file is
// written at once (an error is shown by the platform).
void ParamFE(QWidget* parent, Plateforme& plateforme, const LignesSociete& societe);

} // namespace kyr
