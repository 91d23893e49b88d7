#include "clients/recherche.h"

#include "common/erreurs.h"
#include "common/nombres.h"

#include <QStringLiteral>
#include <algorithm>
#include <vector>

namespace kyr {

namespace {

const std::string Balise = "<CLI>";

bool QueDesChiffres(std::string_view s) {
    for (char c : s)
        if (c < '0' || c > '9') return false;
    return true;
}

// The code completed with the first characters of "1000": 5 -> 10005, 7890 -> 17890.
std::string Complete(const std::string& code) {
    if (code.size() >= 5) return code;
    return std::string("1000").substr(0, 5 - code.size()) + code;
}

// First line equal to "<CLI>" + code, letter case ignored; -1 when none.
int ChercheEntete(const Lignes& liste, const std::string& code) {
    const std::string entete = Balise + code;
    for (std::size_t i = 0; i < liste.size(); ++i)
        if (EgalSansCasse(liste[i], entete)) return static_cast<int>(i);
    return -1;
}

// Majuscules(ligne) == texte, without making the upper-case copy: this is
// asked of every block of the book.
bool MajusculesEgales(std::string_view ligne, std::string_view texte) {
    if (ligne.size() != texte.size()) return false;
    for (std::size_t i = 0; i < ligne.size(); ++i) {
        const char c = ligne[i];
        if ((c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c) != texte[i]) return false;
    }
    return true;
}

void Change(Facture& f, std::string& champ, const std::string& valeur) {
    // Setting a field to another text is an edit of the document, as typing is.
    if (champ == valeur) return;
    champ = valeur;
    f.Modifie();
}

} // namespace

ToucheCode Edit1KeyPress(char touche) {
    if (touche == '\b') return ToucheCode::Passe;
    if (touche == '*') return ToucheCode::Etoile;
    if (touche >= '0' && touche <= '9') return ToucheCode::Passe;
    return ToucheCode::Avalee;
}

bool EstEnteteClient(std::string_view ligne) {
    if (ligne.size() < Balise.size() || ligne.substr(0, Balise.size()) != Balise) return false;
    const auto code = ligne.substr(Balise.size());
    return code.size() <= 5 && QueDesChiffres(code);
}

std::string CodeClientSuivant(const Lignes& listeClients) {
    // Only record headers count, so a telephone number in an address line
    // cannot push the next code. The tag is taken in either case, as the
    // look-up finds such records too and a new code must not meet them.
    std::int32_t m = 10001;
    std::vector<bool> pris(100000, false);
    for (const auto& ligne : listeClients) {
        if (!EstEnteteClient(Majuscules(Debut(ligne, Balise.size())) +
                             std::string(Depuis(ligne, Balise.size()))))
            continue;
        const std::string code(Depuis(ligne, Balise.size()));
        if (code.empty()) continue;
        const std::int32_t v = StrToInt(code); // cannot fail on five digits; kept as a guard
        pris[static_cast<std::size_t>(v)] = true;
        if (v > m) m = v;
    }
    if (m < 99999) return std::to_string(m + 1);
    // Past 99999 a code would have six digits, and the card and the client list
    // would no longer recognise its record: take the first free code instead.
    for (std::int32_t c = 10002; c <= 99999; ++c)
        if (!pris[static_cast<std::size_t>(c)]) return std::to_string(c);
    throw ErreurExecution(QStringLiteral("Aucun code client n'est libre : les codes de 10002 "
                                         "à 99999 sont tous pris"));
}

void RechercheClients::Edit1Exit(Facture& f, DialoguesClients& d) {
    const std::string& code = f.fiche.CodeClient;
    if (code.empty() || code[0] == '0') return; // a code beginning with 0 is never looked up
    if (code == "*") Change(f, f.fiche.CodeClient, CodeClientSuivant(f.clients.Lignes_));
    ChercheCli(f, d);
}

void RechercheClients::ChercheCli(Facture& f, DialoguesClients& d) {
    for (;;) {
        const std::string k = Complete(f.fiche.CodeClient);
        Change(f, f.fiche.CodeClient, k);
        auto& liste = f.clients.Lignes_;
        const int a = ChercheEntete(liste, k);
        if (a >= 0) {
            for (std::size_t i = 0; i < 4; ++i) {
                const std::size_t l = static_cast<std::size_t>(a) + 1 + i;
                Change(f, f.fiche.Adresse[i], l < liste.size() ? liste[l] : std::string());
            }
            return;
        }
        if (AvantQuestion) AvantQuestion();
        if (!ChoixDansListe && Avertissement(f.plateforme(), QStringLiteral("Créer le client ?"),
                                             {Bouton::Oui, Bouton::Non}) != Bouton::Oui)
            return;
        const auto coordonnees = d.NouveauClient(k);
        if (!coordonnees || (*coordonnees)[0].empty()) return; // no name: nothing is created
        liste.push_back(Balise + k);
        liste.insert(liste.end(), coordonnees->begin(), coordonnees->end());
        f.clients.ClientsModifies = true;
        // Round again: the new record is found and fills the address.
    }
}

void RechercheClients::Button1Click(Facture& f, DialoguesClients& d) {
    ChoixDansListe = true;
    const std::string code = d.ChoisitClient(f.clients.Lignes_);
    if (code.empty()) return;
    Change(f, f.fiche.CodeClient, code);
    ChercheCli(f, d);
}

bool RechercheClients::FactCli(Facture& f, DialoguesClients& d, int mode) {
    if (mode == 0 || mode == 1) {
        const std::string texte = mode == 0 ? d.DemandeCode() : d.DemandeNom();
        if (texte.empty()) return false;
        TexteRecherche = texte;
        PositionRecherche = 0;
        DecalageRecherche = mode == 0 ? 3 : 6;
    }
    // Only the lines beginning with "<BLOC" are asked, from where the search
    // stands: the book keeps them.
    const Lignes& livre = f.Livre;
    const std::vector<int>& debuts = f.Livre.Debuts();
    for (auto i = std::lower_bound(debuts.begin(), debuts.end(), std::max(PositionRecherche, 0));
         i != debuts.end(); ++i) {
        const auto b = static_cast<std::size_t>(*i);
        const std::size_t c = b + static_cast<std::size_t>(DecalageRecherche);
        if (!MajusculesEgales(c < livre.size() ? std::string_view(livre[c]) : std::string_view(),
                              TexteRecherche))
            continue;
        const std::string numero(Debut(Depuis(livre[b], 5), 4));
        const auto n = LitEntier(numero);
        if (!n || numero.size() != 4 || !QueDesChiffres(numero)) continue; // not a block of ours
        if (*n == f.FicheCourante) {
            // Already shown: keep it as it is, edits included.
            PositionRecherche = static_cast<int>(b) + 1;
            return false;
        }
        // The shown document is stored first, as every move does. Storing may
        // move its block to the end of the book, so the search goes on from
        // the found block's start line as the book now stands.
        f.EcritFiche();
        f.FicheCourante = *n;
        const int debut = f.ChercheDebut(*n);
        PositionRecherche = debut + 1;
        f.LitFiche(debut);
        return true;
    }
    return false;
}

} // namespace kyr
