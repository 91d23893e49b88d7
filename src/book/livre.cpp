// The invoice book held in memory: loading, checking, repair and saving.
#include "book/bloc.h"
#include "book/facture.h"
#include "common/erreurs.h"
#include "common/nombres.h"

#include <QFileInfo>
#include <algorithm>
#include <vector>

namespace kyr {

namespace {

// The caption shows the file name part; a character without a Windows-1252
// byte can only come from the file system and is shown as "?".
std::string NomCourt(const QString& nom) {
    const QString court = QFileInfo(nom).fileName();
    if (auto octets = DepuisQString(court)) return *octets;
    std::string s;
    for (const QChar c : court)
        s += DepuisQString(QString(c)).value_or("?");
    return s;
}

bool Blanche(const std::string& l) {
    return std::all_of(l.begin(), l.end(),
                       [](char c) { return static_cast<unsigned char>(c) <= 32; });
}

} // namespace

int Facture::ChercheDebut(int n) const {
    // A number past the book's four digits is looked for as its lines read it.
    return n >= 0 && n < NbFichesMax ? Livre.Premier(n) : kyr::ChercheDebut(Livre, n);
}

void Facture::SupprimeBloc(int n) {
    const int debut = ChercheDebut(n);
    if (debut < 0) return;
    const int fin = FinBloc(Livre, debut, n);
    Livre.erase(Livre.begin() + debut, Livre.begin() + fin);
}

std::optional<EmpreinteFichier> Facture::Charge(const QString& nom) {
    CalculEmpreinte calcul;
    std::optional<Lignes> lu = LitFichier(nom, &calcul); // may throw: nothing changed yet
    const bool existe = lu.has_value();
    Installe(nom, existe ? std::optional<LignesLivre>(std::move(*lu)) : std::nullopt);
    if (!existe) return std::nullopt;
    return calcul.Resultat();
}

void Facture::Charge(const QString& nom, LignesLivre lu) {
    Installe(nom, std::move(lu));
}

void Facture::Installe(const QString& nom, std::optional<LignesLivre> lu) {
    const bool existe = lu.has_value();

    // Checking and repair work on the new book; the old one comes back intact
    // when the load fails, so nothing can later be saved over the wrong file.
    LignesLivre ancien = existe ? std::move(*lu) : Livre;
    std::swap(Livre, ancien);
    const int ancienNb = NbFiches;
    const bool ancienModifie = LivreModifie;
    try {
        NbFiches = static_cast<int>(Livre.Debuts().size());
        LivreModifie = false;
        Verifie(Livre.Solde());
        SupprimeDoublons();
    } catch (...) {
        Livre = std::move(ancien);
        NbFiches = ancienNb;
        LivreModifie = ancienModifie;
        throw;
    }
    TitreFenetre = existe ? NomCourt(nom) : std::string();
    // The register beside the book file, read before its first document is
    // shown (whether that one was issued), checked once the book is shown.
    m_payeesChangees.clear();
    if (existe)
        registre.Charge(nom);
    else
        registre.Vide();
    FicheCourante = 0;
    LitFiche();
    DocumentModifie = false;
    SignaleRegistre();
}

void Facture::Verif() {
    Verifie(Livre.Solde());
}

bool Facture::Verifie(int solde) {
    if (solde == 0) return false;
    if (Avertissement(m_plateforme, QStringLiteral("Le fichier a été altéré. Restaurer ?"),
                      {Bouton::Oui, Bouton::Non}) != Bouton::Oui)
        return false;

    // First start line of each block number, found in one pass: the rebuild
    // stays linear on a book of ten thousand documents.
    Lignes& livre = Livre.Modifiables();
    const std::vector<int> debuts = IndexDebuts(livre);

    // The blocks kept, each from its start line to its end line (or the end of
    // the book), in number order. A line that no later block takes again is
    // moved rather than copied.
    const int taille = static_cast<int>(livre.size());
    std::vector<std::pair<int, int>> blocs;
    std::vector<int> prises(livre.size() + 1, 0); // how many blocks take each line
    for (int k = 0; k < NbFiches && k < NbFichesMax; ++k) {
        const int debut = debuts[k];
        if (debut < 0) break;
        const std::string fin = LigneFin(k);
        int i = debut;
        while (i < taille - 1 && livre[i] != fin)
            ++i;
        blocs.emplace_back(debut, i);
        ++prises[debut];
        --prises[i + 1];
    }
    for (int i = 1; i < taille; ++i)
        prises[i] += prises[i - 1];

    Lignes neuf;
    std::size_t total = 0;
    for (const auto& [debut, dernier] : blocs)
        total += static_cast<std::size_t>(dernier - debut + 1);
    neuf.reserve(total);
    for (const auto& [debut, dernier] : blocs)
        for (int i = debut; i <= dernier; ++i)
            neuf.push_back(--prises[i] == 0 ? std::move(livre[i]) : livre[i]);
    Livre = std::move(neuf);
    LivreModifie = true;
    NbFiches = CompteFiches(Livre);
    return true;
}

void Facture::Doublons() {
    SupprimeDoublons();
}

void Facture::SupprimeDoublons() {
    std::vector<int> compte(std::max(NbFiches, 0), 0);
    const Lignes& livre = Livre;
    for (const int i : Livre.Debuts()) {
        const std::string& l = livre[static_cast<std::size_t>(i)];
        const int n = StrToInt(Debut(Depuis(l, 5), 4)); // throws on a bad number
        if (n >= 0 && n < NbFiches) ++compte[n];
    }
    std::vector<int> doubles;
    for (int n = 0; n < NbFiches; ++n)
        if (compte[n] >= 2) doubles.push_back(n);
    if (!doubles.empty()) SupprimeBlocs(Livre.Modifiables(), doubles);
}

void Facture::Squize() {
    std::size_t k = 0;
    while (k < Livre.size() && Blanche(Livre[k])) {
        ++k;
        if (Livre.size() - k < 3) break;
    }
    Livre.erase(Livre.begin(), Livre.begin() + static_cast<std::ptrdiff_t>(k));
}

void Facture::Sauve(const QString& nom) {
    std::optional<SauvegardeLivre> sauvegarde = LanceSauvegarde(nom);
    if (!sauvegarde) return;
    try {
        sauvegarde->ecriture.Termine();
    } catch (const ErreurExecution&) {
        SauvegardeEchouee(*sauvegarde); // the book marked modified again
        throw;
    }
    SauveCli(clients);
    SauvegardeFaite(*sauvegarde);
}

std::optional<SauvegardeLivre> Facture::LanceSauvegarde(const QString& nom) {
    if (!LivreModifie) return std::nullopt;
    EcritFiche();
    Squize();
    // Throws with the book still marked modified.
    SauvegardeLivre sauvegarde{CommenceFichier(nom, Livre), TitreFenetre, {}};
    for (const auto& [cle, c] : m_payeesChangees)
        if (c.payee != registre.Payee(c.entree.Genre, c.entree.Numero))
            sauvegarde.payees.push_back(c.entree);
    LivreModifie = DocumentModifie = false;
    MemoEdite = false; // the memo is in the file now
    TitreFenetre = NomCourt(nom);
    return sauvegarde;
}

void Facture::SauvegardeEchouee(const SauvegardeLivre& sauvegarde) {
    // The book in memory holds everything: marked modified, it is saved again
    // or asked about before it is left.
    LivreModifie = true;
    TitreFenetre = sauvegarde.titreAvant;
}

} // namespace kyr
