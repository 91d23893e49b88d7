#pragma once
// The invoice window's logic: the one invoice book of the program with its
// state, the shown document, the client list, the glossary, the settings and
// the company lines, and the operations on them. The widget TFacture shows
// `fiche` and turns user events into calls here; tests drive it directly.
#include "book/bloc.h"
#include "book/calcul.h"
#include "book/fiche.h"
#include "book/lignes_livre.h"
#include "book/liste_clients.h"
#include "book/reglages.h"
#include "book/registre.h"
#include "book/societe.h"
#include "common/erreurs.h"
#include "common/plateforme.h"
#include "common/texte.h"

#include <QString>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace kyr {

// A block of the book turned into the record the invoice window shows for it:
// block n, whose start line is at `debut`, read into `f` (which holds the
// defaults), then computed with the settings. An arithmetic error of the
// calculation is handed back; the captions are empty then.
struct FicheCalculee {
    LectureBloc Lecture;
    Ventilation Detail;
    std::optional<ErreurExecution> Erreur;
};
FicheCalculee LitEtCalcule(const Lignes& livre, int debut, int n, Fiche& f, const Reglages& r,
                           const LargeurTexteFn& mesure);

// What the grid's key handler decided for one typed character.
struct ToucheGrille {
    bool Avalee = false; // the character is swallowed
    char Caractere = 0;  // the character to type when not swallowed (may be changed: "." -> ",")
    bool CelluleChangee = false; // the record's current cell text changed (glossary expansion)
    bool Deplacement = false;    // the cursor moves to (Colonne, Rangee)
    int Colonne = 0, Rangee = 0;
    bool Recalcul = false; // the record's cells and totals were recomputed
};

// A save of the book whose bytes are with the system (Facture::LanceSauvegarde).
// `ecriture.Termine()` confirms them on disk and puts the file in place; it may
// run on another thread, and its failure comes back through SauvegardeEchouee.
struct SauvegardeLivre {
    EcritureEnCours ecriture;
    std::string titreAvant; // the caption before the save, shown again if it fails
    // The paid marks of issued documents changed since the last save, for the
    // register once the book is on disk (Facture::SauvegardeFaite).
    std::vector<EntreeRegistre> payees;
};

// A credit note's link to the invoice it corrects.
struct LienAvoir {
    std::string Numero; // the invoice's number, without blanks
    QDate Date;
    bool operator==(const LienAvoir&) const = default;
};
// "Avoir sur facture n° 202603001 du 09/03/2026": the memo line of a credit
// note made by "Créer un avoir".
std::string LigneAvoir(const std::string& numero, const QDate& date);
std::optional<LienAvoir> LitLigneAvoir(std::string_view ligne);

class Facture {
public:
    // FormCreate: empty lists, grid headings, proposed number, default settings.
    explicit Facture(Plateforme& plateforme);

    // ---- state of the book (Livre and its counters)
    LignesLivre Livre;
    int NbFiches = 0;
    int FicheCourante = 0;
    bool LivreModifie = false;
    bool DocumentModifie = false;

    // ---- the shown document and the window's own state
    Fiche fiche;
    int NbLignes = 0;
    bool FocusGrille = false; // the grid has the focus ("&Effacer ligne" enabled)
    bool MemoEdite = false;   // the user edited the memo since the document was shown
    int NumeroSuivant = 0;
    std::string TitreFenetre = "Facture"; // the invoice window's caption (8-bit)

    // ---- the rest the window owns
    Reglages reglages;
    ListeClients clients;
    Lignes Glossaire;
    bool GlossaireModifie = false;
    // The settings file exists but could not be read: it is not written back at
    // exit, so that the user's rates and conditions are not replaced by defaults.
    bool IniIllisible = false;
    // No settings file was found at start-up: the values in force were taken,
    // and the program offers its welcome. The file written at exit ends it.
    bool PremierDemarrage = false;
    LignesSociete Societe;
    FicheCopiee Copie;

    Plateforme& plateforme() { return m_plateforme; }

    // ---- start-up (FormActivate): LitFiche, clear LivreModifie, read Fact.cli,
    // Fact.soc, KyrFact.ini and Fact.Glo from the current directory.
    void Activation();

    // ---- record <-> book
    void LitFiche();
    // The same when the start line of the current document's block is known
    // (ChercheDebut(FicheCourante), -1 for none): the book is not searched again.
    void LitFiche(int debut);
    void EcritFiche();
    bool Valide() const;
    void Nouveau();

    // ---- store
    // See the book store rules; the file must exist. The fingerprint of the
    // bytes loaded, nullopt when the file was not there.
    std::optional<EmpreinteFichier> Charge(const QString& nom);
    // The same with the file's lines already read (read ahead at start-up).
    void Charge(const QString& nom, LignesLivre lu);
    void Sauve(const QString& nom); // writes only when LivreModifie
    // Sauve in steps, for a caller that waits for the disk elsewhere. The book's
    // bytes are handed to the system (an error is thrown with nothing changed)
    // and the state is cleared as after a save; nullopt when nothing is to be
    // written. Then the caller writes the client file (SauveCli) and has the
    // returned save's Termine run; if that fails, SauvegardeEchouee marks the
    // book modified again, so that nothing is lost.
    std::optional<SauvegardeLivre> LanceSauvegarde(const QString& nom);
    void SauvegardeEchouee(const SauvegardeLivre& sauvegarde);
    // The save is on disk: the paid marks it carries go to the register
    // (throws ErreurExecution when the register cannot be written; they are
    // tried again at the next save).
    void SauvegardeFaite(const SauvegardeLivre& sauvegarde);
    bool TestModif() const { return LivreModifie; }
    void Verif();
    void Doublons();
    void Squize();
    void SupprimeBloc(int n);
    int ChercheDebut(int n) const; // index of the start line of block n, -1 if none

    // ---- navigation, numbering, document commands
    void Precedent();
    void Suivant();
    void Premier();
    void Dernier();
    void Numerof();
    void Numerod();
    void ComboBox2Change(const std::string& genre); // the user picked another kind
    void Ajout();
    void Supprime(); // after the user confirmed
    void Renum();
    void Copier();
    void Coller();

    // ---- calculation with this window's settings and grid font
    void Calcule();
    std::string Rset(const std::string& texte, int largeur);

    // ---- line editing
    ToucheGrille StringGrid1KeyPress(int colonne, int rangee, char touche);
    void SupLigne(int rangee);
    void StringGrid1Enter(); // focus mark on (the main window's Valide is the caller's business)
    void StringGrid1Exit();
    bool Memo1KeyPress(char touche, int nbLignesMemo) const;  // true: swallow
    void Modifie() { DocumentModifie = LivreModifie = true; } // change handlers

    // ---- issued documents (emission.cpp)
    // The register of the open book (loaded by Charge, emptied by Nouveau).
    Registre registre;
    // The issue of the shown document; nullopt when it has not been issued.
    // Its fixed fields are then not to be changed: the window shows them
    // read-only and storing it keeps them as the book holds them.
    std::optional<EntreeRegistre> EmissionCourante;
    // Saves the book as "&Enregistrer" does and returns once it is on disk:
    // the book's file name, or nullopt when it was not saved (no name chosen,
    // the user declined). Throws ErreurExecution when the writing failed.
    // Given by the main window's file commands; without it nothing is issued.
    std::function<std::optional<QString>()> EnregistrePourEmission;

    // Counts documents of the book as issued: the first time each invoice or
    // credit note leaves the program (printed, PDF, e-invoice). Stores the
    // shown document, checks each one (in the book, its number carried by no
    // other invoice or credit note, a valid date, figures that compute),
    // saves the book (EnregistrePourEmission) so that the register never
    // names what the book on disk does not hold, then appends one entry
    // each (and one for its paid mark when it is paid already). A quote, or a
    // document issued before, needs nothing. For each document: an empty text
    // when it may leave the program, else why not (a French sentence). Throws
    // ErreurExecution when the book or the register could not be written:
    // none of them is then counted as issued.
    std::vector<QString> Emet(const std::vector<RefDocument>& documents);
    QString Emet(const RefDocument& document);
    // The shown document about to leave the program: Emet on it, after the
    // checks that concern a document being edited. False when it must not
    // leave; the reason was shown. Throws as Emet.
    bool EmetCourant();
    // Why the shown document could not leave the program as it stands (its
    // kind, its number, client code or lines), said before the user chooses
    // a printer, a file or an e-invoice's buyer; empty when nothing stops it.
    QString RefusSortie() const;
    // The line the window shows for an issued document: when, and what to do
    // instead of changing it; empty when the shown document is not issued.
    QString TexteEmission() const;
    // "Créer un &avoir": a credit note of the shown invoice, after the last
    // document, with the next number of the series; false (and a message)
    // when the shown document is no invoice.
    bool CreeAvoir();
    // "Facture payée" clicked on the shown document.
    void ChangePayee(bool payee);
    // The shown credit note: the invoice it corrects, from its issue in the
    // register, else its memo line "Avoir sur facture n° ...".
    std::optional<LienAvoir> FactureCorrigee() const;
    // The date of the invoice of that number in the book, if there is one.
    std::optional<QDate> DateFacture(std::string_view numero) const;
    // The book against its register, as reported when it is opened: one
    // sentence per issued document changed or removed, then the defects of
    // the register's file; empty when all agree.
    std::vector<QString> ControleRegistre() const;

    // ---- settings
    void AppliqueLibellesDevise();              // currency captions rule on the record
    void SauveIni(const std::string& nomLivre); // settings file in the current directory

private:
    // Charge once the file is read (nullopt: there is no such file).
    void Installe(const QString& nom, std::optional<LignesLivre> lu);
    // Verif and Doublons on what one pass over the book found (see Charge).
    bool Verifie(int solde); // true when the book was rebuilt
    void SupprimeDoublons();
    // The issue entry of block n shown in f (computed), if it is the one issued.
    std::optional<EntreeRegistre> EmissionDe(int n, const Fiche& f) const;
    void SignaleRegistre() const; // ControleRegistre's report, once

    // Paid marks of issued documents changed since the last save.
    struct PayeeChangee {
        bool payee = false;
        EntreeRegistre entree; // the document's issue, the time of the change
    };
    std::map<std::string, PayeeChangee> m_payeesChangees; // by kind letter and number

    Plateforme& m_plateforme;
};

} // namespace kyr
