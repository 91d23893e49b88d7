#pragma once
// TExportFE: what the export asks besides the book: the buyer (prefilled from
// what was remembered for the client, else from the document's address), the
// due date (the payment date of a paid invoice) and, for a credit note, the
// invoice it corrects.
#include "book/facture.h"
#include "einvoice/export_facturx.h"

#include <QDialog>
#include <functional>
#include <optional>

class QDateEdit;
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
    bool m_avoir;
    QRadioButton *m_entreprise, *m_particulier;
    QLineEdit *m_nom, *m_rue, *m_cp, *m_ville, *m_pays, *m_siren, *m_tva, *m_adresse;
    QLineEdit* m_facture;
    QDateEdit *m_echeance, *m_dateFacture, *m_livraison;
    QLabel* m_probleme;
    Verificateur* m_verif;
};

// The menu command on the invoice window's document: the file is proposed in
// `dossier`; the page is the one the printing layer draws.
void CommandeFacturX(QWidget* parent, Facture& f, const QString& dossier);

} // namespace kyr
