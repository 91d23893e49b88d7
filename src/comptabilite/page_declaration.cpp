#include "comptabilite/page_declaration.h"

#include "common/dates.h"

#include <algorithm>
#include <functional>
#include <vector>

namespace kyr {

namespace {

// Layout in millimetres of the printable area.
constexpr int Marge = 10;
constexpr int YTitre = 8, YPeriode = 16, YPremiereRangee = 26;
constexpr int HauteurRangee = 5;
constexpr int MargeBas = 14;

const Police PoliceTitre{"Arial", 14, true};
const Police PoliceTexte{"Arial", 9, false};
const Police PoliceGras{"Arial", 9, true};

std::string Octets(const QString& t) {
    return DepuisQString(t).value_or(std::string());
}

std::string Montant(Centimes c) {
    return TexteCentimes(c);
}

std::string Date(const QDate& d) {
    return d.isValid() ? FormatDate(d) : std::string();
}

class Page {
public:
    explicit Page(Surface& s) : m_s(s) {}
    int X(int mm) const { return mm * m_s.LargeurPixels() / std::max(1, m_s.LargeurMm()); }
    int Y(int mm) const { return mm * m_s.HauteurPixels() / std::max(1, m_s.HauteurMm()); }
    int Fin() const { return m_s.LargeurMm() - Marge; }
    Surface& s() { return m_s; }

    void Gauche(int de, int a, int y, std::string t) {
        const int largeur = X(a) - X(de) - X(1);
        while (!t.empty() && m_s.LargeurTexte(t) > largeur)
            t.pop_back();
        m_s.Texte(X(de), Y(y), t);
    }
    void Droite(int a, int y, const std::string& t) {
        m_s.Texte(X(a - 1) - m_s.LargeurTexte(t), Y(y), t);
    }
    void Trait(int y) { m_s.Ligne(X(Marge), Y(y), X(Fin()), Y(y)); }
    void Gras(bool g) { m_s.ChoisitPolice(g ? PoliceGras : PoliceTexte); }

private:
    Surface& m_s;
};

using Rangee = std::function<void(Page&, int y)>;

// A paragraph cut into the lines that fit the width, at blanks.
std::vector<std::string> Coupe(Surface& s, const std::string& texte, int largeur) {
    std::vector<std::string> lignes;
    std::string ligne;
    std::size_t i = 0;
    while (i < texte.size()) {
        const std::size_t blanc = texte.find(' ', i);
        const std::string mot =
            texte.substr(i, blanc == std::string::npos ? std::string::npos : blanc - i);
        const std::string essai = ligne.empty() ? mot : ligne + " " + mot;
        if (!ligne.empty() && s.LargeurTexte(essai) > largeur) {
            lignes.push_back(ligne);
            ligne = mot;
        } else {
            ligne = essai;
        }
        if (blanc == std::string::npos) break;
        i = blanc + 1;
    }
    if (!ligne.empty()) lignes.push_back(ligne);
    return lignes;
}

// Columns of the lists of documents, from the left; the amounts and the
// reason stand at the right edge (Fin).
constexpr int CDate = Marge, CGenre = CDate + 22, CNumero = CGenre + 14, CNom = CNumero + 20;
constexpr int DBase = 74, DTVA = 52, GMotif = 50; // mm left of the right edge

class Rangees {
public:
    Rangees(Surface& s, const DeclarationTVA& d) : m_s(s), m_d(d) {}

    std::vector<Rangee> Toutes() {
        Notes();
        Chiffres();
        Ventes("Ventes compt\xE9"
               "es",
               m_d.Ventes);
        Achats();
        Ventes("Prestations non encaiss\xE9"
               "es \xE0 la fin de la p\xE9riode",
               m_d.EnAttente);
        Ecartes();
        return std::move(m_r);
    }

private:
    void Vide() {
        m_r.push_back([](Page&, int) {});
    }
    void Titre(const std::string& t) {
        Vide();
        m_r.push_back([t](Page& p, int y) {
            p.Gras(true);
            p.Gauche(Marge, p.Fin(), y, t);
            p.Gras(false);
        });
    }
    void Notes() {
        Page p(m_s);
        m_s.ChoisitPolice(PoliceTexte);
        const int largeur = p.X(p.Fin()) - p.X(Marge);
        for (const QString& n : NotesDeclaration(m_d))
            for (const std::string& l : Coupe(m_s, Octets(n), largeur))
                m_r.push_back([l](Page& p, int y) { p.Gauche(Marge, p.Fin(), y, l); });
    }
    void Chiffres() {
        Vide();
        m_r.push_back([](Page& p, int y) {
            p.Gras(true);
            p.Gauche(Marge, Marge + 14, y, "Ligne");
            p.Gauche(Marge + 14, p.Fin() - 60, y, "Op\xE9rations");
            p.Droite(p.Fin() - 30, y, "Base H.T.");
            p.Droite(p.Fin(), y, "TVA");
            p.Gras(false);
        });
        const auto ligne = [this](std::string numero, std::string libelle, std::string base,
                                  std::string tva, bool gras) {
            m_r.push_back([=](Page& p, int y) {
                p.Gras(gras);
                p.Gauche(Marge, Marge + 14, y, numero);
                p.Gauche(Marge + 14, p.Fin() - 60, y, libelle);
                p.Droite(p.Fin() - 30, y, base);
                p.Droite(p.Fin(), y, tva);
                p.Gras(false);
            });
        };
        for (const auto& t : m_d.Taux)
            ligne(Octets(t.LigneCA3), Octets(QStringLiteral("Taux ") + TexteTaux(t.Taux)),
                  Montant(t.Base), Montant(t.TVA), false);
        ligne("16", "Total de la TVA brute due", Montant(m_d.BaseTotale), Montant(m_d.TVABrute),
              true);
        ligne("20",
              "TVA d\xE9"
              "ductible sur autres biens et services",
              {}, Montant(m_d.TVADeductible), false);
        ligne("23",
              "Total de la TVA d\xE9"
              "ductible",
              {}, Montant(m_d.TVADeductible), true);
        if (m_d.Net >= 0)
            ligne("28", "TVA nette due", {}, Montant(m_d.Net), true);
        else
            ligne("25",
                  "Cr\xE9"
                  "dit de TVA",
                  {}, Montant(-m_d.Net), true);
    }
    void EnTetes(const char* date) {
        m_r.push_back([date](Page& p, int y) {
            p.Gras(true);
            p.Gauche(CDate, CGenre, y, date);
            p.Gauche(CGenre, CNumero, y, "Genre");
            p.Gauche(CNumero, CNom, y, "Num\xE9ro");
            p.Gauche(CNom, p.Fin() - DBase - 22, y, "Client ou fournisseur");
            p.Droite(p.Fin() - DBase, y, "Base H.T.");
            p.Droite(p.Fin() - DTVA, y, "TVA");
            p.Gauche(p.Fin() - GMotif, p.Fin(), y, "Motif");
            p.Gras(false);
        });
    }
    // One document: its dates, kind and number, third party, amounts, reason.
    static void Document(Page& p, int y, const std::string& date, const std::string& genre,
                         const std::string& numero, const std::string& tiers, Centimes base,
                         Centimes tva, const std::string& motif) {
        p.Gauche(CDate, CGenre, y, date);
        p.Gauche(CGenre, CNumero, y, genre);
        p.Gauche(CNumero, CNom, y, numero);
        p.Gauche(CNom, p.Fin() - DBase - 22, y, tiers);
        p.Droite(p.Fin() - DBase, y, Montant(base));
        p.Droite(p.Fin() - DTVA, y, Montant(tva));
        p.Gauche(p.Fin() - GMotif, p.Fin(), y, motif);
    }
    void Ventes(const char* titre, const std::vector<VenteDeclaree>& ventes) {
        if (ventes.empty()) return;
        Titre(titre);
        EnTetes("Date retenue");
        for (const VenteDeclaree& v : ventes) {
            const std::string motif = Octets(TexteMotif(v));
            const std::string genre = Octets(TexteGenre(v.Vente.Sorte));
            m_r.push_back([&v, motif, genre](Page& p, int y) {
                Document(p, y, Date(v.Date), genre, v.Vente.Numero, v.Vente.NomClient,
                         SommeCodes(v.Chiffres.Base), SommeCodes(v.Chiffres.TVA), motif);
            });
        }
    }
    void Achats() {
        if (m_d.Achats.empty()) return;
        Titre("Factures re\xE7ues compt\xE9"
              "es");
        EnTetes("Date");
        for (const AchatDeclare& a : m_d.Achats)
            m_r.push_back([&a](Page& p, int y) {
                Document(p, y, Date(a.Document.Date), a.Document.Avoir ? "Avoir" : "Facture",
                         a.Document.Numero, a.Document.NomFournisseur, a.Chiffres.HT,
                         a.Chiffres.TVA, "date de facture");
            });
    }
    void Ecartes() {
        if (m_d.Ecartes.empty() && m_d.AchatsEcartes.empty()) return;
        Titre("Documents non compt\xE9s");
        for (const DocumentEcarte& e : m_d.Ecartes)
            m_r.push_back([&e](Page& p, int y) {
                p.Gauche(CDate, CGenre, y, e.TexteDate);
                p.Gauche(CGenre, CNom, y, e.Genre + " " + e.Numero);
                p.Gauche(CNom, p.Fin(), y, e.NomClient + " : " + Octets(e.Raison));
            });
        for (const auto& [a, raison] : m_d.AchatsEcartes) {
            const std::string r = Octets(raison);
            m_r.push_back([&a, r](Page& p, int y) {
                p.Gauche(CDate, CGenre, y, Date(a.Date));
                p.Gauche(CGenre, CNom, y, "Re\xE7ue " + a.Numero);
                p.Gauche(CNom, p.Fin(), y, a.NomFournisseur + " : " + r);
            });
        }
    }

    Surface& m_s;
    const DeclarationTVA& m_d;
    std::vector<Rangee> m_r;
};

std::vector<std::vector<Rangee>> Pages(Surface& s, const DeclarationTVA& d) {
    const int parPage = std::max(1, (s.HauteurMm() - MargeBas - YPremiereRangee) / HauteurRangee);
    std::vector<std::vector<Rangee>> pages(1);
    for (auto& r : Rangees(s, d).Toutes()) {
        if (static_cast<int>(pages.back().size()) >= parPage) pages.emplace_back();
        pages.back().push_back(std::move(r));
    }
    return pages;
}

} // namespace

int NbPagesDeclaration(Surface& s, const DeclarationTVA& d) {
    return static_cast<int>(Pages(s, d).size());
}

void DessineDeclaration(Surface& s, const DeclarationTVA& d) {
    const auto pages = Pages(s, d);
    const int total = static_cast<int>(pages.size());
    Page p(s);
    const std::string periode = Octets(
        QStringLiteral("Période du %1 au %2")
            .arg(VersQString(FormatDate(d.Periode.Du)), VersQString(FormatDate(d.Periode.Au))));
    for (int n = 0; n < total; ++n) {
        if (n > 0) s.NouvellePage();
        s.ChoisitPolice(PoliceTitre);
        s.Texte(p.X(Marge), p.Y(YTitre), TitreDeclaration);
        s.ChoisitPolice(PoliceTexte);
        s.Texte(p.X(Marge), p.Y(YPeriode), periode);
        s.EpaisseurTrait(std::max(1, p.Y(1) / 4));
        p.Trait(YPeriode + 6);
        int y = YPremiereRangee;
        for (const Rangee& r : pages[static_cast<std::size_t>(n)]) {
            r(p, y);
            y += HauteurRangee;
        }
        p.Droite(p.Fin() + 1, s.HauteurMm() - MargeBas + 6,
                 "Page " + std::to_string(n + 1) + "/" + std::to_string(total));
    }
}

} // namespace kyr
