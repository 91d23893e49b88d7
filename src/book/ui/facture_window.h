#pragma once
// The invoice window: shows the logic's record (Facture::fiche) in its
// controls and turns the user's events into calls on the logic. Behaviour lives
// in kyr::Facture; this class only binds.
#include "book/facture.h"
#include "clients/recherche.h"

#include <QPointer>
#include <QWidget>
#include <array>
#include <functional>
#include <memory>

class QCheckBox;
class QComboBox;
class QDateEdit;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QTableWidget;
class QKeyEvent;

namespace kyr {

class DelegueGrille;

// The number field shows the record's nine positions as they stand, a blank
// as the mask's "_" in its place (so is any other character a damaged book may
// hold there): what it shows is what the record holds.
constexpr int LongueurNumero = 9;
constexpr QLatin1Char BlancNumero('_');
QString NumeroAffiche(const std::string& numero);
std::string NumeroSaisi(const QString& affiche); // the field's displayText

class TFacture final : public QWidget {
    Q_OBJECT
public:
    explicit TFacture(Plateforme& plateforme, QWidget* parent = nullptr); // FormCreate
    ~TFacture() override;

    Facture& logique() { return m_logique; }
    // The client dialogs used by the code field, "..." and the client searches;
    // the Qt dialogs unless a test gives its own (not owned).
    void setDialoguesClients(DialoguesClients* d);
    RechercheClients& recherche() { return m_recherche; }

    void Activation(); // FormActivate, once at start-up
    void Affiche();    // the record into the controls, signals blocked
    void Saisit();     // an open cell editor into the record
    void Calendrier(); // the date panel, from today
    // After a book was loaded: the client code takes the focus when the shown
    // document has a block, as after every move.
    void FocusDocument();

    // Commands forwarded by the main window: each commits, calls the logic and
    // redisplays; a kyr::ErreurExecution reaches the caller.
    void Precedent();
    void Suivant();
    void Premier();
    void Dernier();
    void Ajout();
    void Supprime();
    void Copier();
    void Coller();
    void Calcule();
    void SupLigne();
    void FactCli(int mode);
    void Psoc();
    void ParF();
    void Gestcli();
    void Liste();
    void Chercher();
    void Glossaire();
    void ParM();
    void Imprime();
    void ImpEnv();
    // "Créer un &avoir" on the shown invoice.
    void CreeAvoir();
    // "S&upprimer facture" on an issued document: refused, with the offer of
    // a credit note.
    void RefuseSuppression();
    // Beyond plain printing: "&Imprimer..." (the print dialog, one job a copy), the
    // print preview and the PDF export of the shown document. The PDF is
    // proposed in dossierLivre() (the book's folder) when it is set.
    void ImprimeDialogue();
    void Apercu();
    void ExportePdf();
    std::function<QString()> dossierLivre;
    // The lines the e-invoice's data add to a printed invoice or credit note
    // (buyer's identifiers, delivery address...); none when it is not set.
    std::function<std::vector<std::string>(const Fiche&)> lignesEFacture;
    void Charge(const QString& nom);
    void Sauve(const QString& nom);
    void Nouveau();
    bool TestModif();

signals:
    void effacerLigneChange(bool actif); // "&Effacer ligne" follows the grid's focus
    void valideDemande();                // grid entered while the book holds fewer than 2 lines
    void titreChange(const QString& titre);

protected:
    void resizeEvent(QResizeEvent* e) override; // FormResize
    bool eventFilter(QObject* o, QEvent* e) override;

private:
    friend class DelegueGrille;

    void construitEnTete();
    void construitAdresse();
    void construitPanneauDate();
    void construitBas();
    void connecte();
    void FormResize();

    void AfficheGrille();
    void AfficheTotaux();
    void AfficheEmission(); // an issued document's fields read-only, and why
    // Runs an output of the shown document that issues it: a refusal (already
    // shown) ends it quietly; the window shows what the issuing changed.
    void Sortie(const std::function<void()>& sortie);
    void AfficheClient();
    void apresDeplacement();
    void signaleTitre();
    DialoguesClients& dialogues();

    // Focus changes inside the window: the grid's Enter/Exit and Edit1Exit.
    void focusChange(QWidget* ancien, QWidget* nouveau);
    bool dansGrille(const QWidget* w) const;
    void ouvreEditeur();
    void Edit1Exit();

    // Key handling: the window-wide keys, the filters of single controls, and
    // every key typed in a grid cell (true: consumed).
    bool toucheFenetre(QKeyEvent* k);
    bool toucheCellule(QLineEdit* editeur, QKeyEvent* k);
    bool toucheEdit1(QKeyEvent* k);
    bool toucheMemo(QKeyEvent* k);
    void celluleValidee(int ligne, int colonne, const QString& texte);

    Plateforme& m_plateforme;
    Facture m_logique;
    RechercheClients m_recherche;
    std::unique_ptr<DialoguesClients> m_dialoguesQt;
    DialoguesClients* m_dialogues = nullptr;
    bool m_dansGrille = false;    // the grid (or its cell editor) holds the focus
    bool m_affichage = false;     // controls being filled from the record
    bool m_sansRecherche = false; // the focus leaves the client code without a look-up

    QFrame* m_panel1 = nullptr; // header
    QFrame* m_panel2 = nullptr; // client address
    QFrame* m_panel3 = nullptr; // grid, memo, totals
    QFrame* m_panel5 = nullptr; // totals
    QFrame* m_panel7 = nullptr; // date panel
    QLineEdit* m_numero = nullptr;
    QDateEdit* m_date = nullptr;
    QLineEdit* m_code = nullptr;
    QPushButton* m_liste = nullptr;
    QComboBox* m_conditions = nullptr;
    QComboBox* m_genre = nullptr;
    std::array<QLineEdit*, 4> m_adresse{};
    QRadioButton* m_ht = nullptr;
    QRadioButton* m_ttc = nullptr;
    QTableWidget* m_grille = nullptr;
    DelegueGrille* m_delegue = nullptr;
    QPlainTextEdit* m_memo = nullptr;
    QCheckBox* m_payee = nullptr;
    QLabel* m_totalHT = nullptr;
    QLabel* m_totalTVA = nullptr;
    QLabel* m_totalTTC = nullptr;
    QLabel* m_totalConverti = nullptr;
    QLabel* m_devise1 = nullptr;
    QLabel* m_devise2 = nullptr;
    QLabel* m_emise = nullptr; // over the grid for an issued document
    QGroupBox* m_boiteTTC = nullptr;
    QLabel* m_jour = nullptr;
    QLabel* m_quantieme = nullptr;
    QLabel* m_mois = nullptr;
    QLabel* m_annee = nullptr;
};

// A command of the invoice window: commit the open editor, run the logic, show
// the record even when the logic stopped on an error (what it changed stays
// changed).
template <class F> void Execute(TFacture& w, F&& f) {
    w.Saisit();
    try {
        f();
    } catch (...) {
        w.Affiche();
        throw;
    }
    w.Affiche();
}

} // namespace kyr
