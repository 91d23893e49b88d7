#include "book/calcul.h"

#include "common/erreurs.h"
#include "common/nombres.h"
#include "common/texte.h"

#include <algorithm>
#include <optional>

namespace kyr {

namespace {

constexpr int LargeurQuantite = 100;
constexpr int LargeurMontant = 120;

// The three VAT bases of one run, indexed 1..3 by VAT code.
using Bases = std::array<Reel6, 4>;

// The totals of one run as values; HT and TVA are undefined (not shown) for a
// VAT-inclusive document with lines at a rate of -100 %.
struct Totaux {
    Reel6 ht = 0, tva = 0, ttc = 0;
    bool indefini = false;
    std::optional<Reel6> converti;
};

// The total converted into the other currency; none when the euro rate is not
// a usable rate (the parameters dialog accepts 0): a made-up figure would be
// worse than none.
std::optional<Reel6> Conversion(Reel6 ttc, const Reglages& r) {
    if (r.OmettreConversion != 0) return std::nullopt;
    if (r.TauxEuro.valeur() <= 0) return std::nullopt;
    return r.Devise == 0 ? Reel6(ttc.valeur() / r.TauxEuro.valeur())
                         : Reel6(ttc.valeur() * r.TauxEuro.valeur());
}

// The rows a calculation reads and what it writes back into them. A record's
// grid is tidied as the window shows it (nothing but the VAT code and a failed
// row's amount in figures-only mode); rows read in place from the book are
// only read.
class GrilleFiche {
public:
    GrilleFiche(Fiche& f, const LargeurTexteFn& mesure) : m_f(f), m_mesure(mesure) {}
    int Derniere() const { return DerniereRangee; }
    std::string_view Cellule(int rangee, int colonne) const {
        return m_f.Cellules[rangee][colonne];
    }
    void Aligne(int rangee, std::string_view quantite, Reel6 prix) {
        if (!m_mesure) return;
        Rangee& c = m_f.Cellules[rangee];
        c[1] = Rset(std::string(quantite), LargeurQuantite, m_mesure);
        c[2] = Rset(FormatMontant(prix), LargeurMontant, m_mesure);
    }
    void CodeParDefaut(int rangee) { m_f.Cellules[rangee][5] = "1"; }
    void Montant(int rangee, Reel6 montant) {
        if (m_mesure)
            m_f.Cellules[rangee][4] = Rset(FormatMontant(montant), LargeurMontant, m_mesure);
    }
    void Efface(int rangee) { m_f.Cellules[rangee][4].clear(); }

private:
    Fiche& m_f;
    const LargeurTexteFn& m_mesure;
};

class GrilleVue {
public:
    explicit GrilleVue(std::span<const CellulesVues> rangees) : m_rangees(rangees) {}
    int Derniere() const { return std::min(static_cast<int>(m_rangees.size()), DerniereRangee); }
    std::string_view Cellule(int rangee, int colonne) const {
        return m_rangees[static_cast<std::size_t>(rangee - 1)][static_cast<std::size_t>(colonne)];
    }
    // An empty VAT code reads as code 1 as it is.
    void Aligne(int, std::string_view, Reel6) {}
    void CodeParDefaut(int) {}
    void Montant(int, Reel6) {}
    void Efface(int) {}

private:
    std::span<const CellulesVues> m_rangees;
};

// The line pass shared by both calculations: tidies the rows, writes their
// amounts and sums them per VAT code. An overflow in a row empties that row's
// amount and is thrown once the whole grid has been gone through, so that no
// row is left showing an amount of an earlier run.
template <class Grille> Bases PasseLignes(Grille& g, Ventilation& v) {
    Bases base{0, 0, 0, 0};
    std::optional<ErreurExecution> erreur;
    const int derniere = g.Derniere();
    for (int rangee = 1; rangee <= derniere; ++rangee) {
        // Most rows of a grid are empty.
        if (g.Cellule(rangee, 1).empty()) continue;
        const std::string_view texteQuantite = TrimVue(g.Cellule(rangee, 1));
        if (texteQuantite.empty()) continue;
        const std::string_view textePrix = TrimVue(g.Cellule(rangee, 2));

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
                g.Aligne(rangee, texteQuantite, prix);
                if (g.Cellule(rangee, 5).empty()) g.CodeParDefaut(rangee);
                const auto t = LitEntier(g.Cellule(rangee, 5));
                code = t && *t >= 1 && *t <= 3 ? *t : 1;
                const std::string_view texteRemise = g.Cellule(rangee, 3);
                if (!texteRemise.empty()) {
                    const auto r = LitNombre(texteRemise);
                    if (!r) return illisible(texteRemise);
                    remise = *r;
                }
            }();
            const Reel6 brut = quantite.valeur() * prix.valeur();
            if (remise.valeur() == 0) {
                // No discount: brut - 0, a stored value, which rounds to itself.
                montant = brut;
            } else {
                const Reel6 montantRemise = brut.valeur() * remise.valeur() * 0.01L;
                montant = brut.valeur() - montantRemise.valeur();
            }
        } catch (const ErreurExecution& e) {
            g.Efface(rangee);
            if (!erreur) erreur = e;
            continue;
        }
        g.Montant(rangee, montant);
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

Totaux TotauxHT(const Bases& base, const Reglages& r, Ventilation& v) {
    Bases tva{0, 0, 0, 0};
    for (int k = 1; k <= 3; ++k)
        tva[k] = base[k].valeur() * r.TauxTVA[k].valeur() * 0.01L;
    v.BaseHT = base;
    v.TVA = tva;
    Totaux t;
    t.tva = tva[1].valeur() + tva[2].valeur() + tva[3].valeur();
    t.ht = base[1].valeur() + base[2].valeur() + base[3].valeur();
    t.ttc = base[1].valeur() + base[2].valeur() + base[3].valeur() + tva[1].valeur() +
            tva[2].valeur() + tva[3].valeur();
    t.converti = Conversion(t.ttc, r);
    return t;
}

Totaux TotauxTTC(const Bases& base, const Reglages& r, Ventilation& v) {
    // A rate of -100 % leaves nothing before tax to take the tax from: the
    // VAT and the total before tax of such lines are undefined and are not
    // shown; the total including tax still is, being the sum of the lines.
    Totaux t;
    Bases tva{0, 0, 0, 0};
    for (int k = 1; k <= 3; ++k) {
        const long double diviseur = r.TauxTVA[k].valeur() * 0.01L + 1;
        if (r.TauxTVA[k].valeur() == -100 || diviseur == 0) {
            if (base[k].valeur() != 0) t.indefini = true;
            continue;
        }
        const Reel6 avantTaxe = base[k].valeur() / diviseur;
        tva[k] = base[k].valeur() - avantTaxe.valeur();
        v.BaseHT[k] = avantTaxe;
    }
    v.TVA = tva;
    t.ttc = base[1].valeur() + base[2].valeur() + base[3].valeur();
    t.converti = Conversion(t.ttc, r);
    if (!t.indefini) {
        t.tva = tva[1].valeur() + tva[2].valeur() + tva[3].valeur();
        t.ht = t.ttc.valeur() - tva[1].valeur() - tva[2].valeur() - tva[3].valeur();
    }
    return t;
}

void Affiche(Fiche& f, const Totaux* t) {
    f.TotalHT = t && !t->indefini ? FormatMontant(t->ht) : std::string();
    f.TotalTVA = t && !t->indefini ? FormatMontant(t->tva) : std::string();
    f.TotalTTC = t ? FormatMontant(t->ttc) : std::string();
    f.TotalConverti = t && t->converti ? FormatMontant(*t->converti) : std::string();
}

// Runs one calculation on a record; on an arithmetic error the four totals are
// left empty (the cells already tidied stay so) and the error goes on to the
// caller.
Ventilation CalculFiche(Fiche& f, const Reglages& r, const LargeurTexteFn& mesure, bool ttc) {
    try {
        Ventilation v;
        GrilleFiche g(f, mesure);
        const Bases base = PasseLignes(g, v);
        const Totaux t = ttc ? TotauxTTC(base, r, v) : TotauxHT(base, r, v);
        Affiche(f, &t);
        return v;
    } catch (const ErreurExecution&) {
        Affiche(f, nullptr);
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
    return CalculFiche(f, r, mesure, false);
}

Ventilation CalculTTC(Fiche& f, const Reglages& r, const LargeurTexteFn& mesure) {
    return CalculFiche(f, r, mesure, true);
}

ChiffresDocument ChiffreRangees(std::span<const CellulesVues> rangees, bool ttc,
                                const Reglages& r) {
    ChiffresDocument c;
    try {
        Ventilation v;
        GrilleVue g(rangees);
        const Bases base = PasseLignes(g, v);
        const Totaux t = ttc ? TotauxTTC(base, r, v) : TotauxHT(base, r, v);
        c.Detail = std::move(v);
        c.HT = t.ht;
        c.TVA = t.tva;
        c.TTC = t.ttc;
        c.Indefini = t.indefini;
    } catch (const ErreurExecution& e) {
        c.Erreur = e;
    }
    return c;
}

} // namespace kyr
