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
    return kyr::ChercheDebut(Livre, n);
}

void Facture::SupprimeBloc(int n) {
    kyr::SupprimeBloc(Livre, n);
}

void Facture::Charge(const QString& nom) {
    std::optional<Lignes> lu = LitFichier(nom); // may throw: nothing changed yet
    const bool existe = lu.has_value();

    // Checking and repair work on the new book; the old one comes back intact
    // when the load fails, so nothing can later be saved over the wrong file.
    Lignes ancien = existe ? std::move(*lu) : Livre;
    std::swap(Livre, ancien);
    const int ancienNb = NbFiches;
    const bool ancienModifie = LivreModifie;
    try {
        NbFiches = CompteFiches(Livre);
        LivreModifie = false;
        Verif();
        Doublons();
    } catch (...) {
        Livre = std::move(ancien);
        NbFiches = ancienNb;
        LivreModifie = ancienModifie;
        throw;
    }
    TitreFenetre = existe ? NomCourt(nom) : std::string();
    FicheCourante = 0;
    LitFiche();
    DocumentModifie = false;
}

void Facture::Verif() {
    int solde = 0;
    for (const auto& l : Livre) {
        if (CommenceDebut(l))
            ++solde;
        else if (CommenceFin(l))
            --solde;
    }
    if (solde == 0) return;
    if (Avertissement(m_plateforme, QStringLiteral("Le fichier a été altéré. Restaurer ?"),
                      {Bouton::Oui, Bouton::Non}) != Bouton::Oui)
        return;

    // First start line of each block number, found in one pass: the rebuild
    // stays linear on a book of ten thousand documents.
    const std::vector<int> debuts = IndexDebuts(Livre);

    Lignes neuf;
    neuf.reserve(Livre.size());
    const int taille = static_cast<int>(Livre.size());
    for (int k = 0; k < NbFiches && k < NbFichesMax; ++k) {
        const int debut = debuts[k];
        if (debut < 0) break;
        const std::string fin = LigneFin(k);
        for (int i = debut; i < taille; ++i) {
            neuf.push_back(Livre[i]);
            if (Livre[i] == fin) break;
        }
    }
    Livre = std::move(neuf);
    LivreModifie = true;
    NbFiches = CompteFiches(Livre);
}

void Facture::Doublons() {
    std::vector<int> compte(std::max(NbFiches, 0), 0);
    for (const auto& l : Livre) {
        if (!CommenceDebut(l)) continue;
        const int n = StrToInt(Debut(Depuis(l, 5), 4)); // throws on a bad number
        if (n >= 0 && n < NbFiches) ++compte[n];
    }
    std::vector<int> doubles;
    for (int n = 0; n < NbFiches; ++n)
        if (compte[n] >= 2) doubles.push_back(n);
    SupprimeBlocs(Livre, doubles);
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
    if (!LivreModifie) return;
    EcritFiche();
    Squize();
    EcritFichier(nom, Livre); // throws with the book still marked modified
    LivreModifie = DocumentModifie = false;
    MemoEdite = false; // the memo is in the file now
    TitreFenetre = NomCourt(nom);
    SauveCli(clients);
}

} // namespace kyr
