#include "comptabilite/ecritures.h"

#include <algorithm>
#include <set>
#include <tuple>

namespace kyr {

namespace {

bool Dans(const QDate& d, const Exercice& e) {
    return d.isValid() && d >= e.Debut && d <= e.Fin;
}

// The entry being made: each amount is given in the debit's sense and lands
// on the side its sign says, so that a negative invoice or a credit note
// written with negative lines still gives positive amounts.
class Saisie {
public:
    explicit Saisie(Ecriture& e) : m_e(e) {}
    void Ajoute(const Compte& c, Centimes debit, const std::string& aux = {},
                const std::string& auxLib = {}) {
        LigneEcriture l{c, aux, aux.empty() ? std::string() : auxLib, 0, 0};
        if (debit >= 0)
            l.Debit = debit;
        else
            l.Credit = -debit;
        m_e.Lignes.push_back(std::move(l));
    }

private:
    Ecriture& m_e;
};

std::string Libelle(const QString& genre, const std::string& numero, const std::string& nom) {
    std::string l = DepuisQString(genre).value_or(std::string()) + " " + numero;
    if (!nom.empty()) l += " " + nom;
    return l;
}

class Rassembleur {
public:
    Rassembleur(const PlanComptable& p, RapportEcritures& r) : m_p(p), m_r(r) {}

    void Vente(const VenteJournal& v, const SourcesCompta& s, bool francs, Ecriture& e) {
        const ChiffresVente c = ChiffresDe(v, francs);
        const std::string code = Trim(v.CodeClient), nom = Trim(v.NomClient);
        const QString genre = TexteGenre(v.Sorte);
        e.Journal = m_p.JournalVentes;
        e.Date = v.Date;
        e.Piece = v.Numero;
        e.Libelle = Libelle(genre, v.Numero, nom);
        Tiers(code, Libelle(genre, v.Numero, {}));
        Saisie saisie(e);
        saisie.Ajoute(m_p.Clients, c.TTC, code, nom.empty() ? "Client " + code : nom);
        const Compte& ventes =
            NatureDe(s, v) == NatureOperation::Biens ? m_p.Marchandises : m_p.Services;
        for (int k = 1; k <= 3; ++k) {
            const Centimes base = c.Base[k] + (k == c.CodeArrondi ? c.Arrondi : 0);
            if (base != 0) saisie.Ajoute(ventes, -base);
        }
        for (int k = 1; k <= 3; ++k)
            if (c.TVA[k] != 0) saisie.Ajoute(m_p.TVACollectee[k], -c.TVA[k]);
        // A document of 0: its sales line at 0 still gives the entry two sides.
        if (e.Lignes.size() == 1) saisie.Ajoute(ventes, 0);
        if (c.Arrondi != 0) ++m_r.Arrondis;
        (v.Sorte == SorteVente::Facture ? m_r.Factures : m_r.Avoirs)++;
        m_r.VentesTTC += c.TTC;
    }

    void Achat(const kyr::Achat& a, Ecriture& e) {
        const ChiffresAchat c = ChiffresDe(a);
        const std::string id = Trim(a.IdFournisseur), nom = Trim(a.NomFournisseur);
        e.Journal = m_p.JournalAchats;
        e.Date = a.Date;
        e.Piece = Trim(a.Numero);
        e.Libelle =
            Libelle(a.Avoir ? QStringLiteral("Avoir") : QStringLiteral("Facture"), e.Piece, nom);
        Tiers(id, Libelle(a.Avoir ? QStringLiteral("Avoir reçu") : QStringLiteral("Facture reçue"),
                          e.Piece, {}));
        Saisie saisie(e);
        for (const auto& t : c.ParTaux)
            if (t.Base != 0) saisie.Ajoute(m_p.Achats, t.Base);
        if (e.Lignes.empty()) saisie.Ajoute(m_p.Achats, c.HT);
        if (c.TVA != 0) saisie.Ajoute(m_p.TVADeductible, c.TVA);
        saisie.Ajoute(m_p.Fournisseurs, -c.TTC, id, nom.empty() ? "Fournisseur " + id : nom);
        (a.Avoir ? m_r.AvoirsRecus : m_r.FacturesRecues)++;
        m_r.AchatsTTC += c.TTC;
    }

private:
    // A code the accountant's program may refuse is kept as it is, and named
    // once in the report; a document without one is named too.
    void Tiers(const std::string& code, std::string document) {
        if (code.empty())
            m_r.SansCode.push_back(std::move(document));
        else if (!CodeSur(code) && m_douteux.insert(code).second)
            m_r.CodesDouteux.push_back(code);
    }

    const PlanComptable& m_p;
    RapportEcritures& m_r;
    std::set<std::string> m_douteux;
};

} // namespace

bool CodeSur(std::string_view code) {
    return !code.empty() && std::all_of(code.begin(), code.end(), [](char c) {
        return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z');
    });
}

EcrituresExercice FaitEcritures(const Journal& j, const Exercice& e, const PlanComptable& p,
                                const SourcesCompta& s, bool francs) {
    EcrituresExercice r;
    r.Rapport.Periode = e;
    r.Rapport.Francs = francs;
    Rassembleur rassemble(p, r.Rapport);
    int numero = 0;
    // The journal's sales are in date order, then by number.
    for (const VenteJournal& v : j.Ventes) {
        if (!Dans(v.Date, e)) continue;
        Ecriture ecriture;
        rassemble.Vente(v, s, francs, ecriture);
        ecriture.Numero = ++numero;
        r.Ecritures.push_back(std::move(ecriture));
    }
    for (const DocumentEcarte& d : j.Ecartes)
        if (!d.Date.isValid() || Dans(d.Date, e)) r.Rapport.Ecartes.push_back(d);

    std::vector<const Achat*> achats;
    for (const Achat& a : s.Achats) {
        const auto defaut = DefautAchat(a);
        if (defaut) {
            if (!a.Date.isValid() || Dans(a.Date, e))
                r.Rapport.AchatsEcartes.emplace_back(a, *defaut);
        } else if (Dans(a.Date, e)) {
            achats.push_back(&a);
        }
    }
    std::stable_sort(achats.begin(), achats.end(), [](const Achat* a, const Achat* b) {
        return std::tie(a->Date, a->NomFournisseur, a->Numero) <
               std::tie(b->Date, b->NomFournisseur, b->Numero);
    });
    numero = 0;
    for (const Achat* a : achats) {
        Ecriture ecriture;
        rassemble.Achat(*a, ecriture);
        ecriture.Numero = ++numero;
        r.Ecritures.push_back(std::move(ecriture));
    }
    return r;
}

} // namespace kyr
