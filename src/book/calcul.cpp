#include "book/calcul.h"

#include "common/erreurs.h"
#include "common/nombres.h"
#include "common/texte.h"

#include <optional>

namespace kyr {

namespace {

constexpr int LargeurQuantite = 100;
constexpr int LargeurMontant = 120;

// The three VAT bases of one run, indexed 1..3 by VAT code.
using Bases = std::array<Reel6, 4>;

// The four total captions of one run, filled only once all of them are known.
struct Totaux {
    std::string ht, tva, ttc, converti;
};

// The total converted into the other currency; empty when the euro rate is not
// a usable rate (the parameters dialog accepts 0): a made-up figure would be
// worse than none.
std::string Conversion(Reel6 ttc, const Reglages& r) {
    if (r.OmettreConversion != 0) return {};
    if (r.TauxEuro.valeur() <= 0) return {};
    const Reel6 converti = r.Devise == 0 ? Reel6(ttc.valeur() / r.TauxEuro.valeur())
                                         : Reel6(ttc.valeur() * r.TauxEuro.valeur());
    return FormatMontant(converti);
}

// The line pass shared by both calculations: tidies rows 1..63, writes their
// amounts and sums them per VAT code. An overflow in a row empties that row's
// amount and is thrown once the whole grid has been gone through, so that no
// row is left showing an amount of an earlier run.
Bases PasseLignes(Fiche& f, const LargeurTexteFn& mesure, Ventilation& v) {
    Bases base{0, 0, 0, 0};
    std::optional<ErreurExecution> erreur;
    for (int rangee = 1; rangee <= DerniereRangee; ++rangee) {
        Rangee& c = f.Cellules[rangee];
        const std::string_view texteQuantite = TrimVue(c[1]);
        const std::string_view textePrix = TrimVue(c[2]);
        if (texteQuantite.empty()) continue;

        Reel6 quantite = 0, prix = 0, remise = 0, montant = 0;
        int code = 0; // none: the reading stopped before the VAT code
        try {
            // Storing a huge typed value overflows just as a huge product does.
            [&] {
                const auto illisible = [&](std::string_view texte) {
                    v.Illisibles.push_back({rangee, std::string(texte)});
                };
                const auto q = LitNombre(texteQuantite);
                if (!q) return illisible(texteQuantite);
                quantite = *q;
                if (!textePrix.empty()) {
                    const auto p = LitNombre(textePrix);
                    if (!p) return illisible(textePrix);
                    prix = *p;
                }
                if (mesure) {
                    c[1] = Rset(std::string(texteQuantite), LargeurQuantite, mesure);
                    c[2] = Rset(FormatMontant(prix), LargeurMontant, mesure);
                }
                if (c[5].empty()) c[5] = "1";
                const auto t = LitEntier(c[5]);
                code = t && *t >= 1 && *t <= 3 ? *t : 1;
                if (!c[3].empty()) {
                    const auto r = LitNombre(c[3]);
                    if (!r) return illisible(c[3]);
                    remise = *r;
                }
            }();
            const Reel6 brut = quantite.valeur() * prix.valeur();
            const Reel6 montantRemise = brut.valeur() * remise.valeur() * 0.01L;
            montant = brut.valeur() - montantRemise.valeur();
        } catch (const ErreurExecution& e) {
            c[4].clear();
            if (!erreur) erreur = e;
            continue;
        }
        if (mesure) c[4] = Rset(FormatMontant(montant), LargeurMontant, mesure);
        if (code == 0) continue;
        try {
            base[code] = base[code].valeur() + montant.valeur();
        } catch (const ErreurExecution& e) {
            if (!erreur) erreur = e;
        }
    }
    if (erreur) throw *erreur;
    return base;
}

void Affiche(Fiche& f, const Totaux& t) {
    f.TotalHT = t.ht;
    f.TotalTVA = t.tva;
    f.TotalTTC = t.ttc;
    f.TotalConverti = t.converti;
}

// Runs one calculation; on an arithmetic error the four totals are left empty
// (the cells already tidied stay so) and the error goes on to the caller.
template <class Totalise>
Ventilation Calcul(Fiche& f, const LargeurTexteFn& mesure, Totalise totalise) {
    try {
        Ventilation v;
        const Bases base = PasseLignes(f, mesure, v);
        Affiche(f, totalise(base, v));
        return v;
    } catch (const ErreurExecution&) {
        Affiche(f, {});
        throw;
    }
}

} // namespace

std::string Rset(const std::string& texte, int largeur, const LargeurTexteFn& mesure) {
    std::string s = texte;
    // The bound keeps a font that measures a blank as 0 pixels from looping.
    for (int n = 0; n <= largeur && mesure(s) <= largeur - 10; ++n)
        s.insert(s.begin(), ' ');
    return s;
}

Ventilation Calcule(Fiche& f, const Reglages& r, const LargeurTexteFn& mesure) {
    if (f.TTC) {
        f.Cellules[0][4] = "Montant TTC";
        return CalculTTC(f, r, mesure);
    }
    f.Cellules[0][4] = "Montant H.T.";
    return CalculHT(f, r, mesure);
}

Ventilation CalculHT(Fiche& f, const Reglages& r, const LargeurTexteFn& mesure) {
    return Calcul(f, mesure, [&r](const Bases& base, Ventilation& v) {
        Bases tva{0, 0, 0, 0};
        for (int k = 1; k <= 3; ++k)
            tva[k] = base[k].valeur() * r.TauxTVA[k].valeur() * 0.01L;
        v.BaseHT = base;
        v.TVA = tva;
        const Reel6 totalTVA = tva[1].valeur() + tva[2].valeur() + tva[3].valeur();
        const Reel6 totalHT = base[1].valeur() + base[2].valeur() + base[3].valeur();
        const Reel6 totalTTC = base[1].valeur() + base[2].valeur() + base[3].valeur() +
                               tva[1].valeur() + tva[2].valeur() + tva[3].valeur();
        return Totaux{FormatMontant(totalHT), FormatMontant(totalTVA), FormatMontant(totalTTC),
                      Conversion(totalTTC, r)};
    });
}

Ventilation CalculTTC(Fiche& f, const Reglages& r, const LargeurTexteFn& mesure) {
    return Calcul(f, mesure, [&r](const Bases& base, Ventilation& v) {
        // A rate of -100 % leaves nothing before tax to take the tax from: the
        // VAT and the total before tax of such lines are undefined and are not
        // shown; the total including tax still is, being the sum of the lines.
        bool indefini = false;
        Bases tva{0, 0, 0, 0};
        for (int k = 1; k <= 3; ++k) {
            const long double diviseur = r.TauxTVA[k].valeur() * 0.01L + 1;
            if (r.TauxTVA[k].valeur() == -100 || diviseur == 0) {
                if (base[k].valeur() != 0) indefini = true;
                continue;
            }
            const Reel6 avantTaxe = base[k].valeur() / diviseur;
            tva[k] = base[k].valeur() - avantTaxe.valeur();
            v.BaseHT[k] = avantTaxe;
        }
        v.TVA = tva;
        const Reel6 totalTTC = base[1].valeur() + base[2].valeur() + base[3].valeur();
        Totaux t;
        t.ttc = FormatMontant(totalTTC);
        t.converti = Conversion(totalTTC, r);
        if (!indefini) {
            const Reel6 totalTVA = tva[1].valeur() + tva[2].valeur() + tva[3].valeur();
            const Reel6 totalHT =
                totalTTC.valeur() - tva[1].valeur() - tva[2].valeur() - tva[3].valeur();
            t.tva = FormatMontant(totalTVA);
            t.ht = FormatMontant(totalHT);
        }
        return t;
    });
}

} // namespace kyr
