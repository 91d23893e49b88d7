#pragma once
// TDeclarationTVA ("Document" > "Déclaration de TVA..."): a month or a
// quarter, the notes on how its VAT was counted, the figures of the return
// with the form's line numbers, the documents behind them, and the CSV, PDF,
// print and preview outputs of the sales journal.
#include "book/reglages.h"
#include "common/plateforme.h"
#include "comptabilite/declaration_tva.h"
#include "comptabilite/sources.h"
#include "lists/journal.h"
#include "lists/ui/journal_dialog.h"

#include <QDialog>
#include <functional>
#include <memory>

class QComboBox;
class QGridLayout;
class QLabel;
class QPushButton;
class QSpinBox;
class QTableView;

namespace kyr {

class Facture;
class ModeleDeclaration;

// The program's outputs for the return: "DeclarationTVA.pdf" proposed.
SortiesJournal SortiesDeclaration(Plateforme& plateforme);
DessinImpression DessinDeclaration(const DeclarationTVA& d);

class TDeclarationTVA final : public QDialog {
    Q_OBJECT
public:
    TDeclarationTVA(const Lignes& livre, const Reglages& reglages, SourcesCompta sources,
                    Plateforme& plateforme, SortiesJournal sorties, QWidget* parent = nullptr);
    ~TDeclarationTVA() override;

    // The block of the document chosen with a double click or Enter; -1 when
    // the window was closed without choosing one.
    int Result() const { return m_choisi; }
    const DeclarationTVA& declaration() const { return m_declaration; }
    // Shows a month (trimestre false) or a quarter of a year.
    void Choisit(bool trimestre, int annee, int numero);

private:
    void dureeChoisie();
    void actualise();
    void Exporter();
    void Execute(const std::function<void()>& sortie);

    Reglages m_reglages;
    SourcesCompta m_sources;
    Plateforme& m_plateforme;
    SortiesJournal m_sorties;
    Journal m_journal;
    DeclarationTVA m_declaration;
    int m_choisi = -1;

    QComboBox* m_duree;
    QComboBox* m_periode;
    QSpinBox* m_annee;
    QLabel* m_notes;
    QGridLayout* m_chiffres;
    std::vector<QWidget*> m_cases; // the figures' labels, made again at each change
    QTableView* m_table;
    std::unique_ptr<ModeleDeclaration> m_modele;
};

// The command: stores the shown document, shows the return of the book and,
// when a document was chosen, makes it the current one (LitFiche). True when
// the invoice window has another document to show. No Nature in `sources`:
// the seller's billing framework of Fact.fxv.
bool DeclareTVA(Facture& facture, QWidget* parent, SourcesCompta sources);

} // namespace kyr
