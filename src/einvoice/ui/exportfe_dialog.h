#pragma once
// TExportFE: what the export asks besides the book: the format (the last one
// chosen), the buyer (prefilled from what was remembered for the client, else
// from the document's address), the due date (the payment date of a paid
// invoice), the nature of the operation, the delivery address when it is not
// the buyer's and, for a credit note, the invoice it corrects.
#include "book/facture.h"
#include "einvoice/export_facturx.h"

#include <QDialog>
#include <functional>
#include <optional>

class QCheckBox;
class QComboBox;
class QDateEdit;
class QBoxLayout;
class QFormLayout;
class QGroupBox;
class QLabel;
class QLineEdit;
class QRadioButton;

namespace kyr {

class Verificateur;

class TExportFE final : public QDialog {
    Q_OBJECT
public:
    TExportFE(const Fiche& f, QWidget* parent = nullptr);
    void Init(const SaisieExport& s);
    SaisieExport Result() const;

    void accept() override; // only when every field is right

    // A credit note: the date of the invoice of a typed number, from the book.
    std::function<std::optional<QDate>(const std::string& numero)> DateFacture;

private:
    void Genre(); // business or consumer: the SIREN and VAT fields follow
    QLineEdit* Champ(const char* nom);
    // The nature of the operation and the delivery address (exportfe_livraison.cpp).
    void construitLivraison(QFormLayout* reglement, QBoxLayout* principal);
    void verifieLivraison(); // their checks, once the verifier is made
    void autreAdresse();     // the delivery fields follow their check box
    void initLivraison(const Complements& c);
    void resultLivraison(Complements& c) const;
    QComboBox* m_nature = nullptr;
    QCheckBox* m_autreAdresse = nullptr;
    QLineEdit *m_nomLivraison = nullptr, *m_rueLivraison = nullptr, *m_cpLivraison = nullptr,
              *m_villeLivraison = nullptr, *m_paysLivraison = nullptr;
    bool m_avoir;
    QComboBox* m_format;
    QRadioButton *m_entreprise, *m_particulier;
    QLineEdit *m_nom, *m_rue, *m_cp, *m_ville, *m_pays, *m_siren, *m_tva, *m_adresse;
    QLineEdit* m_facture;
    QDateEdit *m_echeance, *m_dateFacture, *m_livraison;
    QLabel* m_probleme;
    Verificateur* m_verif;
};

// The three formats, in the order of FormatFE ("ComboBox1").
QComboBox* ListeFormats(QWidget* parent);

// The menu command on the invoice window's document: the file is proposed in
// `dossier`; the page is the one the printing layer draws; the document's
// choices are kept beside the book `livre`; the document is issued before it
// leaves.
void CommandeFacturX(QWidget* parent, Facture& f, const QString& dossier,
                     const QString& livre = {});

} // namespace kyr
