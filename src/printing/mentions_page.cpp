#include "printing/mentions_page.h"

#include "common/nombres.h"
#include "printing/document.h"

#include <algorithm>

namespace kyr {

namespace {

constexpr int XGauche = 20, XDroite = 112; // the column left of the address, in mm
constexpr int YPremiere = 38, YDernierTaux = 73, Pas = 3;
// The table's columns: the rate, then the two amounts right-aligned.
constexpr int XBase = 62, XTva = 88;
const Police Petite{"Arial", 7, false};
const Police PetiteGrasse{"Arial", 7, true};

} // namespace

std::vector<TauxImprime> ParTauxDuCalcul(const Ventilation& v, const Reglages& r) {
    struct Groupe {
        Reel6 taux, base, tva;
    };
    std::vector<Groupe> groupes;
    for (int k = 1; k <= 3; ++k) {
        if (v.BaseHT[k].valeur() == 0 && v.TVA[k].valeur() == 0) continue;
        const auto it = std::find_if(groupes.begin(), groupes.end(), [&](const Groupe& g) {
            return g.taux.valeur() == r.TauxTVA[k].valeur();
        });
        if (it == groupes.end()) {
            groupes.push_back({r.TauxTVA[k], v.BaseHT[k], v.TVA[k]});
        } else {
            // Two codes at one rate: one rate for the buyer, summed as the
            // calculation sums its bases.
            it->base = it->base.valeur() + v.BaseHT[k].valeur();
            it->tva = it->tva.valeur() + v.TVA[k].valeur();
        }
    }
    std::vector<TauxImprime> lignes;
    for (const auto& g : groupes)
        lignes.push_back({FormatGeneral(g.taux.valeur()), FormatMontant(g.base.valeur()),
                          FormatMontant(g.tva.valeur())});
    return lignes;
}

std::vector<std::string> CoupeTexte(Surface& s, const std::string& texte, int largeur) {
    std::vector<std::string> lignes;
    std::string ligne, mot;
    const auto place = [&](const std::string& m) {
        const std::string essai = ligne.empty() ? m : ligne + " " + m;
        if (ligne.empty() || s.LargeurTexte(essai) <= largeur) {
            ligne = essai;
        } else {
            lignes.push_back(ligne);
            ligne = m;
        }
    };
    for (char c : texte + " ") {
        if (c != ' ') {
            mot += c;
        } else if (!mot.empty()) {
            place(mot);
            mot.clear();
        }
    }
    if (!ligne.empty()) lignes.push_back(ligne);
    return lignes;
}

void DessineComplements(Surface& s, const ComplementsPage& c, bool premiere, bool derniere) {
    const bool tableau = derniere && c.ParTaux.size() >= 2;
    if (!tableau && !(premiere && !c.Lignes.empty())) return;
    // The table rises from its last row; the lines stop a row above it.
    const int yTableau = YDernierTaux - Pas * static_cast<int>(c.ParTaux.size());
    if (premiere && !c.Lignes.empty()) {
        s.ChoisitPolice(Petite);
        const int yFin = tableau ? yTableau - Pas : YDernierTaux;
        const int largeur = Mh(s, XDroite) - Mh(s, XGauche);
        int y = YPremiere;
        for (const auto& paragraphe : c.Lignes)
            for (const auto& ligne : CoupeTexte(s, paragraphe, largeur)) {
                if (y > yFin) break;
                TexteEn(s, XGauche, y, ligne);
                y += Pas;
            }
    }
    if (tableau) {
        s.ChoisitPolice(PetiteGrasse);
        TexteEn(s, XGauche, yTableau, "Taux de TVA");
        TexteADroite(s, XBase, yTableau, "Base H.T.");
        TexteADroite(s, XTva, yTableau, "Montant TVA");
        s.ChoisitPolice(Petite);
        int y = yTableau + Pas;
        for (const auto& t : c.ParTaux) {
            TexteEn(s, XGauche, y, t.Taux + " %");
            TexteADroite(s, XBase, y, t.Base);
            TexteADroite(s, XTva, y, t.Tva);
            y += Pas;
        }
    }
    s.ChoisitPolice({"Arial", 10, false});
}

} // namespace kyr
