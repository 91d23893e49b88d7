#include "printing/page_journal.h"

#include "common/dates.h"

#include <algorithm>
#include <functional>
#include <vector>

namespace kyr {

namespace {

// Layout in millimetres of the printable area.
constexpr int Marge = 8;
constexpr int YTitre = 6, YPeriode = 14, YEnTetes = 22, YPremiereRangee = 30;
constexpr int HauteurRangee = 5;
constexpr int MargeBas = 14; // the page number stands in it
constexpr int RangeesTotaux = 6;

const Police PoliceTitre{"Arial", 14, true};
const Police PoliceTexte{"Arial", 9, false};
const Police PoliceGras{"Arial", 9, true};

// Column edges in mm: the name takes what the fixed columns leave.
struct Colonnes {
    int date, genre, numero, code, nom, ht, tva, ttc, payee, fin;
};

Colonnes Place(int largeurMm) {
    Colonnes c{};
    c.fin = largeurMm - Marge;
    c.payee = c.fin - 12;
    c.ttc = c.payee - 28;
    c.tva = c.ttc - 24;
    c.ht = c.tva - 28;
    c.date = Marge;
    c.genre = c.date + 20;
    c.numero = c.genre + 16;
    c.code = c.numero + 22;
    c.nom = c.code + 15;
    return c;
}

// The 8-bit form of a program text; every character of these texts has one.
std::string Octets(const QString& t) {
    return DepuisQString(t).value_or(std::string());
}

class Page {
public:
    explicit Page(Surface& s) : m_s(s), m_c(Place(s.LargeurMm())) {}

    int X(int mm) const { return mm * m_s.LargeurPixels() / std::max(1, m_s.LargeurMm()); }
    int Y(int mm) const { return mm * m_s.HauteurPixels() / std::max(1, m_s.HauteurMm()); }
    const Colonnes& c() const { return m_c; }
    Surface& s() { return m_s; }

    // A text cut to fit between two edges (mm), from the left one.
    void Gauche(int de, int a, int y, std::string t) {
        const int largeur = X(a) - X(de) - X(1);
        while (!t.empty() && m_s.LargeurTexte(t) > largeur)
            t.pop_back();
        m_s.Texte(X(de), Y(y), t);
    }
    // A text ending one millimetre before the right edge.
    void Droite(int a, int y, const std::string& t) {
        m_s.Texte(X(a - 1) - m_s.LargeurTexte(t), Y(y), t);
    }
    void Trait(int y) { m_s.Ligne(X(m_c.date), Y(y), X(m_c.fin), Y(y)); }

private:
    Surface& m_s;
    Colonnes m_c;
};

using Rangee = std::function<void(Page&, int y)>;

void EnTete(Page& p, const VueJournal& v) {
    const Colonnes& c = p.c();
    p.s().ChoisitPolice(PoliceTitre);
    p.s().Texte(p.X(c.date), p.Y(YTitre), TitreJournal);
    p.s().ChoisitPolice(PoliceTexte);
    QString periode = QStringLiteral("Période ") + TextePeriode(v.Choix);
    if (v.Choix.NonPayees) periode += QStringLiteral(", factures non payées seulement");
    p.s().Texte(p.X(c.date), p.Y(YPeriode), Octets(periode));
    p.s().ChoisitPolice(PoliceGras);
    p.Gauche(c.date, c.genre, YEnTetes, "Date");
    p.Gauche(c.genre, c.numero, YEnTetes, "Genre");
    p.Gauche(c.numero, c.code, YEnTetes, "Num\xE9ro");
    p.Gauche(c.code, c.nom, YEnTetes, "Client");
    p.Gauche(c.nom, c.ht, YEnTetes, "Nom du client");
    p.Droite(c.tva, YEnTetes, "Total H.T.");
    p.Droite(c.ttc, YEnTetes, "Total TVA");
    p.Droite(c.payee, YEnTetes, "Total TTC");
    p.Gauche(c.payee + 1, c.fin, YEnTetes,
             "Pay\xE9"
             "e");
    p.s().EpaisseurTrait(std::max(1, p.Y(1) / 4));
    p.Trait(YEnTetes + 6);
    p.s().ChoisitPolice(PoliceTexte);
}

std::vector<Rangee> Rangees(const VueJournal& v) {
    std::vector<Rangee> r;
    for (const VenteJournal* d : v.Ventes)
        r.push_back([d](Page& p, int y) {
            const Colonnes& c = p.c();
            p.Gauche(c.date, c.genre, y, FormatDate(d->Date));
            p.Gauche(c.genre, c.numero, y, Octets(TexteGenre(d->Sorte)));
            p.Gauche(c.numero, c.code, y, d->Numero);
            p.Gauche(c.code, c.nom, y, d->CodeClient);
            p.Gauche(c.nom, c.ht, y, d->NomClient);
            p.Droite(c.tva, y, TexteCentimes(d->HT));
            p.Droite(c.ttc, y, TexteCentimes(d->TVA));
            p.Droite(c.payee, y, TexteCentimes(d->TTC));
            p.Gauche(c.payee + 1, c.fin, y, d->Payee ? "Oui" : "Non");
        });
    return r;
}

// The totals block, kept on one page: a rule, the period's totals, one row a
// VAT code, the unpaid total.
std::vector<Rangee> Totaux(const VueJournal& v) {
    const TotauxJournal& t = v.Totaux;
    std::vector<Rangee> r;
    r.push_back([](Page& p, int y) { p.Trait(y + 2); });
    r.push_back([&t](Page& p, int y) {
        const Colonnes& c = p.c();
        p.s().ChoisitPolice(PoliceGras);
        p.Gauche(c.date, c.ht, y, "Total de la p\xE9riode");
        p.Droite(c.tva, y, TexteCentimes(t.HT));
        p.Droite(c.ttc, y, TexteCentimes(t.TVA));
        p.Droite(c.payee, y, TexteCentimes(t.TTC));
        p.s().ChoisitPolice(PoliceTexte);
    });
    for (int k = 1; k <= 3; ++k)
        r.push_back([&t, k](Page& p, int y) {
            const Colonnes& c = p.c();
            p.Gauche(c.date, c.ht, y,
                     Octets(QStringLiteral("Code TVA %1 : taux %2, base H.T. et TVA")
                                .arg(k)
                                .arg(TexteTaux(t.Taux[k]))));
            p.Droite(c.tva, y, TexteCentimes(t.BaseCode[k]));
            p.Droite(c.ttc, y, TexteCentimes(t.TVACode[k]));
        });
    r.push_back([&t](Page& p, int y) {
        const Colonnes& c = p.c();
        p.s().ChoisitPolice(PoliceGras);
        p.Gauche(c.date, c.ht, y, "Reste \xE0 payer");
        p.Droite(c.payee, y, TexteCentimes(t.NonPaye));
        p.s().ChoisitPolice(PoliceTexte);
    });
    // The received invoices' VAT and the net VAT, under the VAT columns.
    if (t.AvecAchats)
        for (RangeeTva rt : RangeesTvaNette(t, QStringLiteral("–"))) {
            const bool nette = !rt.Base && rt.Libelle.startsWith(QStringLiteral("TVA nette"));
            r.push_back([rt, nette](Page& p, int y) {
                const Colonnes& c = p.c();
                if (nette) p.s().ChoisitPolice(PoliceGras);
                p.Gauche(c.date, c.ht, y, Octets(rt.Libelle));
                if (rt.Base) p.Droite(c.tva, y, TexteCentimes(*rt.Base));
                p.Droite(c.ttc, y, TexteCentimes(rt.TVA));
                if (nette) p.s().ChoisitPolice(PoliceTexte);
            });
        }
    return r;
}

// The numbering of the series, after the totals.
std::vector<Rangee> Numeros(const VueJournal& v) {
    std::vector<Rangee> r;
    r.push_back([](Page&, int) {});
    for (const QString& l : TexteNumerotation(v.Numeros))
        r.push_back([t = Octets(l)](Page& p, int y) { p.Gauche(p.c().date, p.c().fin, y, t); });
    return r;
}

std::vector<Rangee> Ecartes(const VueJournal& v) {
    std::vector<Rangee> r;
    if (v.Ecartes.empty()) return r;
    r.push_back([](Page&, int) {});
    r.push_back([](Page& p, int y) {
        p.s().ChoisitPolice(PoliceGras);
        p.Gauche(p.c().date, p.c().fin, y, "Documents non compt\xE9s");
        p.s().ChoisitPolice(PoliceTexte);
    });
    for (const DocumentEcarte* e : v.Ecartes)
        r.push_back([e](Page& p, int y) {
            const Colonnes& c = p.c();
            p.Gauche(c.date, c.genre, y, e->TexteDate);
            p.Gauche(c.genre, c.numero, y, e->Genre);
            p.Gauche(c.numero, c.code, y, e->Numero);
            p.Gauche(c.code, c.nom, y, e->CodeClient);
            p.Gauche(c.nom, c.ht, y, e->NomClient);
            p.Gauche(c.ht, c.fin, y, Octets(e->Raison));
        });
    return r;
}

// The rows of each page: the documents, then the totals block and the
// numbering whole on the page that has room for them, then the documents not
// counted.
std::vector<std::vector<Rangee>> Pages(Surface& s, const VueJournal& v) {
    const int parPage =
        std::max(RangeesTotaux, (s.HauteurMm() - MargeBas - YPremiereRangee) / HauteurRangee);
    std::vector<std::vector<Rangee>> pages(1);
    const auto ajoute = [&](Rangee r) {
        if (static_cast<int>(pages.back().size()) >= parPage) pages.emplace_back();
        pages.back().push_back(std::move(r));
    };
    for (auto& r : Rangees(v))
        ajoute(std::move(r));
    // The numbering of the series stays with the totals.
    auto totaux = Totaux(v);
    for (auto& r : Numeros(v))
        totaux.push_back(std::move(r));
    if (parPage - static_cast<int>(pages.back().size()) < static_cast<int>(totaux.size()))
        pages.emplace_back();
    for (auto& r : totaux)
        ajoute(std::move(r));
    for (auto& r : Ecartes(v))
        ajoute(std::move(r));
    return pages;
}

} // namespace

int NbPagesJournal(Surface& s, const VueJournal& v) {
    return static_cast<int>(Pages(s, v).size());
}

void DessineJournal(Surface& s, const VueJournal& v) {
    const auto pages = Pages(s, v);
    const int total = static_cast<int>(pages.size());
    Page p(s);
    for (int n = 0; n < total; ++n) {
        if (n > 0) s.NouvellePage();
        EnTete(p, v);
        int y = YPremiereRangee;
        for (const Rangee& r : pages[static_cast<std::size_t>(n)]) {
            r(p, y);
            y += HauteurRangee;
        }
        p.Droite(p.c().fin + 1, s.HauteurMm() - MargeBas + 6,
                 "Page " + std::to_string(n + 1) + "/" + std::to_string(total));
    }
}

} // namespace kyr
