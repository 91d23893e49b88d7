// The invoice window's logic: creation, activation and the conversion between
// the shown document and its block in the book.
#include "book/facture.h"

#include "book/bloc.h"
#include "book/calcul.h"
#include "book/glossaire.h"
#include "common/dates.h"
#include "common/erreurs.h"

#include <algorithm>

namespace kyr {

namespace {

const Rangee EnTetes = {"D\xE9signation", "Quantit\xE9",  "Prix Unitaire",
                        "R (%)",          "Montant H.T.", "T"};

} // namespace

FicheCalculee LitEtCalcule(const Lignes& livre, int debut, int n, Fiche& f, const Reglages& r,
                           const LargeurTexteFn& mesure) {
    FicheCalculee lue;
    lue.Lecture = LitBloc(livre, debut, n, f);
    f.DateIllisible = lue.Lecture.DateIllisible;
    try {
        lue.Detail = kyr::Calcule(f, r, mesure);
    } catch (const ErreurExecution& e) {
        lue.Erreur = e;
    }
    return lue;
}

Facture::Facture(Plateforme& plateforme) : m_plateforme(plateforme) {
    fiche.Cellules[0] = EnTetes;
    fiche.Date = m_plateforme.Maintenant().date();
    fiche.Conditions =
        reglages.ConditionsReglement.empty() ? std::string() : reglages.ConditionsReglement[0];
    Numerof(); // an empty book: cannot fail
    AppliqueLibellesDevise();
}

void Facture::Activation() {
    LitFiche();
    LivreModifie = false;
    // Each file is read on its own: one that cannot be read must not keep the
    // others from being read, above all the settings, which are written back
    // at exit and would otherwise lose their rates and conditions.
    const auto lit = [this](auto&& lecture) {
        try {
            lecture();
        } catch (const ErreurExecution& e) {
            m_plateforme.Erreur(e.message());
        }
    };
    lit([this] { ChargeCli(clients); });
    lit([this] { ChargeSoc(Societe); });
    lit([this] {
        IniIllisible = true;
        const bool lu = ChargeIni(reglages);
        IniIllisible = false;
        // No settings file at all: a first start, in euros at today's rates
        // rather than with the values the file format was born with.
        PremierDemarrage = !lu;
        if (!lu) ValeursEnVigueur(reglages);
        AppliqueLibellesDevise();
    });
    lit([this] { reglages.Enveloppe = ChargeFormatEnveloppe(); });
    lit([this] { ChargeGlo(Glossaire); });
    GlossaireModifie = false;
}

void Facture::LitFiche() {
    // An index past 9999 has no block number of its own (it would alias 0000).
    const bool numerotable = FicheCourante >= 0 && FicheCourante < NbFichesMax;
    LitFiche(numerotable ? ChercheDebut(FicheCourante) : -1);
}

void Facture::LitFiche(int debut) {
    DocumentModifie = false;
    MemoEdite = false;

    // Every field back to its default; the grid headings and the currency
    // captions belong to the window, not to the document.
    Fiche f;
    f.Cellules[0] = fiche.Cellules[0];
    f.Devise1 = fiche.Devise1;
    f.Devise2 = fiche.Devise2;
    f.Date = m_plateforme.Maintenant().date();
    const std::string propose = std::to_string(NumeroSuivant);
    f.Numero = propose.size() < 9 ? propose + std::string(9 - propose.size(), ' ') : propose;
    if (!reglages.ConditionsReglement.empty()) f.Conditions = reglages.ConditionsReglement[0];

    EmissionCourante.reset();
    if (debut < 0) {
        // No block: the defaults are shown, the line count stays as it was.
        fiche = std::move(f);
        return;
    }
    const FicheCalculee lue =
        LitEtCalcule(Livre, debut, FicheCourante, f, reglages,
                     [this](const std::string& t) { return m_plateforme.LargeurTexte(t); });
    fiche = std::move(f);
    EmissionCourante = EmissionDe(FicheCourante, fiche);
    NbLignes = std::min(lue.Lecture.NbFact + 1, DerniereRangee);
    FocusGrille = false;
    AppliqueLibellesDevise();
    // The document is shown all the same; the book is never left half-loaded.
    if (lue.Erreur) m_plateforme.Erreur(lue.Erreur->message());
    if (lue.Lecture.DateIllisible)
        m_plateforme.Erreur(ErreurExecution::DateIncorrecte(*lue.Lecture.DateIllisible).message());
    DocumentModifie = false;
}

bool Facture::Valide() const {
    if (fiche.CodeClient.empty() || fiche.Numero.empty() || fiche.Numero[0] == ' ') return false;
    if (NbLignes < 1) return false;
    const int derniere = std::min(NbLignes, DerniereRangee);
    for (int r = 1; r <= derniere; ++r)
        if (!fiche.Cellules[r][0].empty()) return true;
    return false;
}

void Facture::EcritFiche() {
    if (MemoEdite) Modifie();
    if (!DocumentModifie || !Valide()) return;
    if (FicheCourante < 0 || FicheCourante >= NbFichesMax) return; // no block number for it
    Lignes bloc;
    if (const int debut = ChercheDebut(FicheCourante); EmissionCourante && debut >= 0) {
        // Issued: its fixed fields stay as the book holds them, whatever the
        // record says; only the memo and the paid mark are stored.
        Fiche emise;
        const LectureBloc l = LitBloc(Livre, debut, FicheCourante, emise);
        emise.DateIllisible = l.DateIllisible;
        emise.Memo = fiche.Memo;
        emise.Payee = fiche.Payee;
        bloc = EcritBloc(emise, FicheCourante, l.NbFact);
    } else {
        bloc = EcritBloc(fiche, FicheCourante, NbLignes);
    }
    SupprimeBloc(FicheCourante);
    Livre.insert(Livre.end(), bloc.begin(), bloc.end());
}

void Facture::Nouveau() {
    Livre.clear();
    registre.Vide();
    m_payeesChangees.clear();
    NbFiches = 1;
    FicheCourante = 0;
    LitFiche();
    DocumentModifie = LivreModifie = false;
    FocusGrille = false;
    reglages.DernierLivre.clear();
    TitreFenetre.clear();
    // A book begun now is kept in euros, as an electronic invoice must be;
    // opening a book leaves the currency of the settings as it is.
    reglages.Devise = 1;
    reglages.OmettreConversion = 0;
    AppliqueLibellesDevise();
}

void Facture::Calcule() {
    kyr::Calcule(fiche, reglages,
                 [this](const std::string& t) { return m_plateforme.LargeurTexte(t); });
}

std::string Facture::Rset(const std::string& texte, int largeur) {
    return kyr::Rset(texte, largeur,
                     [this](const std::string& t) { return m_plateforme.LargeurTexte(t); });
}

void Facture::AppliqueLibellesDevise() {
    auto [d1, d2] = LibellesDevise(reglages);
    fiche.Devise1 = std::move(d1);
    fiche.Devise2 = std::move(d2);
}

void Facture::SauveIni(const std::string& nomLivre) {
    kyr::SauveIni(reglages, nomLivre);
    IniIllisible = false; // the file now holds what the user chose
}

} // namespace kyr
