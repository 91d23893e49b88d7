#pragma once
// "Fichier" > "Exporter les factures de la période...": TExportLot asks the
// period (as the sales journal chooses it), the folder and the format; the
// run shows its progress with "Annuler"; TRapportLot shows what was written
// and, for each document that could not be, why, with a way to open it.
#include "einvoice/lot.h"

#include <QDialog>

class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace kyr {

class ChoixPeriode;
class Facture;

class TExportLot final : public QDialog {
    Q_OBJECT
public:
    // `journal` counts the documents of the period chosen; it must outlive the dialog.
    TExportLot(const Journal& journal, const QDate& aujourdhui, QWidget* parent = nullptr);
    void Init(const DemandeLot& d); // the folder and the format; the period is this month
    DemandeLot Result() const;

    void accept() override; // only with a folder that exists

private:
    void Compte(); // the number of documents of the period
    void Parcourir();
    const Journal& m_journal;
    ChoixPeriode* m_periode;
    QLabel* m_compte;
    QLineEdit* m_dossier;
    QComboBox* m_format;
    QLabel* m_probleme;
    QPushButton* m_ok;
};

class TRapportLot final : public QDialog {
    Q_OBJECT
public:
    explicit TRapportLot(const RapportLot& rapport, QWidget* parent = nullptr);
    // The block of the document to open, -1 when none was chosen.
    int Result() const { return m_choisi; }

private:
    void ouvre();
    std::vector<int> m_blocs; // of the list's rows
    QListWidget* m_liste;
    QPushButton* m_ouvrir;
    int m_choisi = -1;
};

// The command on the invoice window's book: stores the shown document, asks,
// exports, reports; the folder proposed is `dossier` (the book's). A document
// chosen in the report becomes the current one and is read (LitFiche): true
// then, when the window has another document to show. Each document is
// issued (Facture::Emet, all at once) before its file is written; what the
// single exports chose for each is read beside the book `livre`.
bool ExporteLaPeriode(QWidget* parent, Facture& f, const QString& dossier,
                      const QString& livre = {});

} // namespace kyr
