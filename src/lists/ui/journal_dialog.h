#pragma once
// The sales journal window: a period, the unpaid filter, the table of the
// invoices and credit notes of the period, their totals by VAT code, the
// documents not counted, and the export, print and preview buttons. The
// figures are the logic's (lists/journal.h); this window only shows them.
#include "lists/journal.h"
#include "printing/ui/sorties.h"

#include <QDialog>
#include <functional>
#include <memory>

class QCheckBox;
class QGroupBox;
class QLabel;
class QListWidget;
class QPushButton;
class QTableView;

namespace kyr {

class ChoixPeriode;
class Facture;
class Plateforme;
class ModeleJournal;

// Where the printed journal goes: the print dialog, the print preview, a PDF
// file. The program's are those of the printing layer; tests give their own.
// An output left empty disables what uses it.
struct SortiesJournal {
    std::function<void(QWidget*parent, const DessinImpression&)> Imprimer, Apercu;
    std::function<void(const QString& chemin, const DessinImpression&)> Pdf;
};
SortiesJournal SortiesProgramme(Plateforme& plateforme);
// The same for another printed table: its PDF's file name and title.
SortiesJournal SortiesImpression(Plateforme& plateforme, const QString& nomPdf,
                                 const QString& titre);

// The journal's pages as one print job.
DessinImpression DessinJournal(const VueJournal& vue);

class TJournal final : public QDialog {
    Q_OBJECT
public:
    // `achats`: the book's received invoices, for their deductible VAT.
    TJournal(const Lignes& livre, const Reglages& reglages, Plateforme& plateforme,
             SortiesJournal sorties, QWidget* parent = nullptr,
             std::vector<AchatJournal> achats = {});
    ~TJournal() override;

    // The block of the document chosen with a double click or Enter; -1 when
    // the window was closed without choosing one.
    int Result() const { return m_choisi; }
    const VueJournal& vue() const { return m_vue; }

private:
    void construit();
    void actualise();
    void ouvre(int bloc);
    void Exporter();
    void Imprimer();
    void Apercu();
    void Execute(const std::function<void()>& sortie);

    Plateforme& m_plateforme;
    const Reglages& m_reglages;
    SortiesJournal m_sorties;
    Journal m_journal;
    VueJournal m_vue;
    int m_choisi = -1;

    ChoixPeriode* m_choix = nullptr;
    QCheckBox* m_nonPayees = nullptr;
    QTableView* m_table = nullptr;
    std::unique_ptr<ModeleJournal> m_modele;
    QLabel* m_compte = nullptr;
    QLabel* m_numeros = nullptr; // missing and doubled numbers
    QLabel* m_totalHT = nullptr;
    QLabel* m_totalTVA = nullptr;
    QLabel* m_totalTTC = nullptr;
    QLabel* m_nonPaye = nullptr;
    QLabel* m_taux[4] = {};
    QLabel* m_base[4] = {};
    QLabel* m_tva[4] = {};
    QGroupBox* m_groupeEcartes = nullptr;
    QLabel* m_tvaNette = nullptr; // the received invoices' VAT and the net VAT
    QListWidget* m_ecartes = nullptr;
    QPushButton* m_imprimer = nullptr;
    QPushButton* m_apercu = nullptr;
};

// The command: stores the shown document, shows the journal of the book and,
// when a document was chosen, makes it the current one and reads it
// (LitFiche). True when the invoice window has another document to show.
bool JournalDesVentes(Facture& facture, QWidget* parent, std::vector<AchatJournal> achats = {});

} // namespace kyr
