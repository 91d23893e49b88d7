// Moving between documents, proposing numbers, adding, deleting, copying and
// pasting documents.
#include "book/bloc.h"
#include "book/facture.h"
#include "common/dates.h"
#include "common/erreurs.h"
#include "common/nombres.h"

#include <algorithm>
#include <climits>

namespace kyr {

namespace {

// The highest number of the series in the book, at least this month's base
// (year, month, "000"); a number line that is not a whole number throws.
// Invoices and credit notes share one series ("NUMF" and "NUMA"): two
// documents must never carry one number. A credit note's number that does
// not read is passed over, as no proposal ever took them into account.
int ProchainNumero(const LignesLivre& livre, const QDate& aujourdhui, std::string_view cle) {
    int base = aujourdhui.year() * 100000 + aujourdhui.month() * 1000;
    if (const auto plusGrand = livre.PlusGrandNumero(cle)) base = std::max(base, *plusGrand);
    if (cle == "NUMF")
        if (const auto avoir = livre.PlusGrandNumero("NUMA")) base = std::max(base, *avoir);
    return base < INT_MAX ? base + 1 : base;
}

std::string TexteNumero(int n) {
    const std::string s = std::to_string(n);
    return s.size() < 9 ? s + std::string(9 - s.size(), ' ') : s;
}

} // namespace

void Facture::Precedent() {
    EcritFiche();
    FicheCourante = std::max(FicheCourante - 1, 0);
    LitFiche();
}

void Facture::Suivant() {
    if (NbFiches < 2) return;
    EcritFiche();
    FicheCourante = std::min(FicheCourante + 1, NbFiches - 1);
    LitFiche();
}

void Facture::Premier() {
    EcritFiche();
    FicheCourante = 0;
    LitFiche();
}

void Facture::Dernier() {
    if (NbFiches < 2) return;
    EcritFiche();
    FicheCourante = NbFiches - 1;
    LitFiche();
}

void Facture::Numerof() {
    NumeroSuivant = ProchainNumero(Livre, m_plateforme.Maintenant().date(), "NUMF");
}

void Facture::Numerod() {
    NumeroSuivant = ProchainNumero(Livre, m_plateforme.Maintenant().date(), "NUMD");
}

void Facture::ComboBox2Change(const std::string& genre) {
    if (EmissionCourante) return; // fixed once issued
    fiche.Genre = genre;
    Modifie();
    if (genre.empty() || (genre[0] != 'F' && genre[0] != 'D' && genre[0] != 'A')) return;
    if (genre[0] != 'D')
        Numerof();
    else
        Numerod();
    if (Trim(fiche.Numero).empty()) fiche.Numero = TexteNumero(NumeroSuivant);
}

void Facture::Ajout() {
    EcritFiche();
    // Block numbers have four digits: a document past 9999 would overwrite
    // document 0 of the book.
    if (NbFiches >= NbFichesMax) {
        m_plateforme.Message(QStringLiteral(
            "Le facturier est plein : il ne peut contenir plus de 10 000 documents."));
        return;
    }
    Livre.push_back(" ");
    if (NbFiches == 0) NbFiches = 1;
    FicheCourante = NbFiches;
    ++NbFiches;
    try {
        Numerof();
    } catch (const ErreurExecution& e) {
        // The new slot is shown all the same, with the previous proposal.
        m_plateforme.Erreur(e.message());
    }
    LitFiche();
    fiche.Date = m_plateforme.Maintenant().date();
}

void Facture::Supprime() {
    if (EmissionCourante) return; // corrected by a credit note, never deleted
    SupprimeBloc(FicheCourante);
    LivreModifie = true;
    Renum();
    FicheCourante = std::max(0, std::min(FicheCourante, NbFiches - 1));
    LitFiche();
}

void Facture::Renum() {
    if (NbFiches < 2) return;
    // A line whose number cannot be read stays as it is: the book is never
    // left renumbered halfway.
    for (auto& l : Livre.Modifiables()) {
        if (CommenceDebutSansCasse(l)) {
            const auto n = LitEntier(Debut(Depuis(l, 5), 4));
            if (n && *n - 1 >= FicheCourante) l = LigneDebut(*n - 1);
        } else if (CommenceFin(l)) {
            const auto n = LitEntier(Debut(Depuis(l, 6), 4));
            if (n && *n - 1 >= FicheCourante) l = LigneFin(*n - 1);
        }
    }
    --NbFiches;
}

void Facture::Copier() {
    Copie.Rempli = true;
    Copie.Date = FormatDate(fiche.Date);
    Copie.CodeClient = fiche.CodeClient;
    Copie.Conditions = fiche.Conditions;
    Copie.Genre = fiche.Genre;
    Copie.Adresse = fiche.Adresse;
    for (int r = 1; r <= 20; ++r)
        Copie.Cellules[r] = fiche.Cellules[r];
}

void Facture::Coller() {
    if (!Copie.Rempli) return;
    if (EmissionCourante) {
        m_plateforme.Message(TexteEmission());
        return;
    }
    try {
        fiche.Date = LitDate(Copie.Date);
        fiche.DateIllisible.reset();
    } catch (const ErreurExecution&) {
        // Only a date that was never read can fail; the shown one stays.
    }
    fiche.CodeClient = Copie.CodeClient;
    fiche.Conditions = Copie.Conditions;
    fiche.Genre = Copie.Genre;
    fiche.Adresse = Copie.Adresse;
    for (int r = 1; r <= 20; ++r)
        fiche.Cellules[r] = Copie.Cellules[r];
    NbLignes = std::max(NbLignes, 21);
    Modifie();
    Calcule();
}

} // namespace kyr
