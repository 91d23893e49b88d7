#include "lists/journal.h"

#include "book/bloc.h"
#include "book/calcul.h"
#include "common/dates.h"
#include "common/erreurs.h"
#include "common/nombres.h"

#include <algorithm>
#include <atomic>
#include <exception>
#include <iterator>
#include <map>
#include <optional>
#include <set>
#include <thread>
#include <tuple>

namespace kyr {

namespace {

// Amounts past a thousand billion are beyond what a 6-byte real holds to the
// cent; refusing them also keeps the sums of 10 000 documents exact: at most
// twelve digits before the comma.
constexpr Centimes CentimesMax = 100'000'000'000'000;

// A figure of the calculation in cents, rounded as its caption would be;
// nullopt when it is too large. Most documents use one VAT code: the others
// are 0.
std::optional<Centimes> EnCentimes(Reel6 v) {
    if (v.valeur() == 0) return 0;
    const auto c = MontantCentimes(v.valeur());
    if (!c || *c >= CentimesMax || *c <= -CentimesMax) return std::nullopt;
    return c;
}

bool QueDesChiffres(std::string_view s) {
    return !s.empty() &&
           std::all_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// Everything about one document: a sale, a document set apart, or a quote.
struct Lu {
    std::optional<VenteJournal> vente;
    std::optional<DocumentEcarte> ecart;
};

// What a reader keeps from one document to the next, so that their memory
// serves again.
struct Lecteur {
    VueBloc bloc;
    std::vector<CellulesVues> rangees;
};

// The document as the invoice window reads and computes it (the same block
// reading and the same calculation), straight from the book's lines: the
// journal shows no cell of the grid and needs no record.
Lu LitDocument(const Lignes& livre, int debut, int n, const Reglages& r, Lecteur& l) {
    VueBloc& b = l.bloc;
    DecoupeBloc(livre, debut, n, b);
    // An empty kind line leaves the record's own: an invoice.
    const std::string_view genre =
        TrimVue(b.Genre.empty() ? std::string_view(GenreFacture) : b.Genre);
    const std::string_view numero = b.Numero;
    if (genre == TrimVue(GenreDevis)) return {};

    // Built only for a document set apart: most are counted.
    const auto ecarte = [&](QString raison) {
        DocumentEcarte e;
        e.Bloc = n;
        e.Date = b.Date ? *b.Date : QDate();
        e.TexteDate = b.Date ? FormatDate(*b.Date) : std::string(b.TexteDate);
        e.Genre = genre;
        e.Numero = numero;
        e.CodeClient = b.CodeClient;
        e.NomClient = b.Adresse[0];
        e.Payee = b.Payee;
        e.Raison = std::move(raison);
        return Lu{std::nullopt, std::move(e)};
    };

    if (!b.Date) return ecarte(ErreurExecution::DateIncorrecte(b.TexteDate).message());
    if (genre != GenreFacture && genre != TrimVue(GenreAvoir))
        return ecarte(QStringLiteral("genre de document « %1 » inconnu").arg(Citation(genre)));
    if (numero.empty()) return ecarte(QStringLiteral("document sans numéro"));
    if (!QueDesChiffres(numero))
        return ecarte(QStringLiteral("le numéro « %1 » n'est pas un nombre").arg(Citation(numero)));

    l.rangees.clear();
    for (const std::string_view fact : b.Fact)
        l.rangees.push_back(CellulesFact(fact));
    const ChiffresDocument c = ChiffreRangees(l.rangees, b.TTC.value_or(false), r);
    if (c.Erreur) return ecarte(c.Erreur->message());
    if (!c.Detail.Illisibles.empty()) {
        const auto& i = c.Detail.Illisibles.front();
        return ecarte(QStringLiteral("ligne %1 : « %2 » n'est pas un nombre")
                          .arg(i.Rangee)
                          .arg(Citation(Trim(i.Texte))));
    }
    if (c.Indefini) return ecarte(QStringLiteral("TVA indéfinie pour un taux de -100 %"));
    const auto ht = EnCentimes(c.HT), tva = EnCentimes(c.TVA), ttc = EnCentimes(c.TTC);
    if (!ht || !tva || !ttc) return ecarte(QStringLiteral("montant trop grand"));
    VenteJournal v;
    for (int k = 1; k <= 3; ++k) {
        const auto base = EnCentimes(c.Detail.BaseHT[k]);
        const auto taxe = EnCentimes(c.Detail.TVA[k]);
        if (!base || !taxe) return ecarte(QStringLiteral("montant trop grand"));
        v.BaseCode[k] = *base;
        v.TVACode[k] = *taxe;
    }
    v.Bloc = n;
    v.Date = *b.Date;
    v.Sorte = genre == GenreFacture ? SorteVente::Facture : SorteVente::Avoir;
    v.Numero = numero;
    v.CodeClient = b.CodeClient;
    v.NomClient = b.Adresse[0];
    v.Payee = b.Payee;
    v.HT = *ht;
    v.TVA = *tva;
    v.TTC = *ttc;
    if (v.Sorte == SorteVente::Avoir) {
        const Centimes signe = v.TTC != 0 ? v.TTC : v.HT;
        if (signe > 0) {
            v.HT = -v.HT;
            v.TVA = -v.TVA;
            v.TTC = -v.TTC;
            for (int k = 1; k <= 3; ++k) {
                v.BaseCode[k] = -v.BaseCode[k];
                v.TVACode[k] = -v.TVACode[k];
            }
        }
    }
    return {std::move(v), std::nullopt};
}

// Document numbers in their numeric order (they are digits only here).
auto CleNumero(const std::string& numero) {
    const auto zeros = numero.find_first_not_of('0');
    const std::string_view s =
        zeros == std::string::npos ? std::string_view() : std::string_view(numero).substr(zeros);
    return std::make_pair(s.size(), s);
}

bool DansPeriode(const QDate& d, const Selection& s) {
    return d.isValid() && (!s.Du.isValid() || d >= s.Du) && (!s.Au.isValid() || d <= s.Au);
}

// A number of the series as a value: digits only, at most 18 of them.
std::optional<std::int64_t> ValeurNumero(std::string_view numero) {
    if (!QueDesChiffres(numero)) return std::nullopt;
    const auto zeros = numero.find_first_not_of('0');
    if (zeros == std::string_view::npos) return 0;
    if (numero.size() - zeros > 18) return std::nullopt;
    std::int64_t v = 0;
    for (const char c : numero.substr(zeros))
        v = v * 10 + (c - '0');
    return v;
}

Numerotation Numerote(const Journal& j, const Selection& s) {
    std::map<std::int64_t, int> livre; // every number of the book, and how many carry it
    std::set<std::int64_t> periode;
    const auto compte = [&](std::string_view numero, const QDate& date) {
        const auto n = ValeurNumero(numero);
        if (!n) return;
        ++livre[*n];
        if (DansPeriode(date, s)) periode.insert(*n);
    };
    for (const auto& v : j.Ventes)
        compte(v.Numero, v.Date);
    for (const auto& e : j.Ecartes)
        if (e.Genre == GenreFacture || e.Genre == TrimVue(GenreAvoir)) compte(e.Numero, e.Date);

    Numerotation r;
    for (auto it = periode.begin(); it != periode.end();) {
        // One month of the series (its counter is the last three digits).
        const std::int64_t mois = *it / 1000;
        std::int64_t plusGrand = *it;
        for (; it != periode.end() && *it / 1000 == mois; ++it)
            plusGrand = *it;
        for (std::int64_t k = mois * 1000 + 1; k < plusGrand; ++k) {
            if (livre.count(k)) continue;
            if (!r.Manquants.empty() && r.Manquants.back().Au == k - 1)
                r.Manquants.back().Au = k;
            else
                r.Manquants.push_back({k, k});
        }
    }
    for (const std::int64_t n : periode)
        if (const int fois = livre[n]; fois >= 2) r.EnDouble.push_back({n, fois});
    return r;
}

QDate DebutTrimestre(const QDate& d) {
    return QDate(d.year(), (d.month() - 1) / 3 * 3 + 1, 1);
}

// A rate in 1/10 000 percent as the program writes it: "20", "5,5", "2,1".
std::string TexteDecimalCourt4(std::int64_t taux) {
    const bool negatif = taux < 0;
    const std::uint64_t a = negatif ? 0 - static_cast<std::uint64_t>(taux) : taux;
    std::string decimales = std::to_string(a % 10000);
    decimales.insert(0, 4 - decimales.size(), '0');
    while (!decimales.empty() && decimales.back() == '0')
        decimales.pop_back();
    return (negatif ? "-" : "") + std::to_string(a / 10000) +
           (decimales.empty() ? "" : "," + decimales);
}

} // namespace

std::string TexteCentimes(Centimes c) {
    const bool negatif = c < 0;
    const std::uint64_t a = negatif ? 0 - static_cast<std::uint64_t>(c) : c;
    std::string centimes = std::to_string(a % 100);
    if (centimes.size() < 2) centimes.insert(0, "0");
    return (negatif ? "-" : "") + std::to_string(a / 100) + "," + centimes;
}

Journal LitJournal(const Lignes& livre, const Reglages& r) {
    // Only the first block of a number counts, as for the invoice window.
    std::vector<std::pair<int, int>> blocs; // start line, number
    std::vector<bool> vu(NbFichesMax, false);
    for (std::size_t i = 0; i < livre.size(); ++i) {
        const int n = NumeroDebut(livre[i]);
        if (n < 0 || vu[static_cast<std::size_t>(n)]) continue;
        vu[static_cast<std::size_t>(n)] = true;
        blocs.emplace_back(static_cast<int>(i), n);
    }
    // The documents are independent of each other: a large book is shared
    // among the processor's cores, each filling a journal of its own; the two
    // sorts below make the result the same whatever the sharing. The cores
    // take the documents a few dozen at a time as they get to them, so that a
    // core kept busy by another program leaves its share to the others
    // instead of holding the whole journal back.
    const std::size_t parts = std::clamp<std::size_t>(
        std::thread::hardware_concurrency(), 1, std::min<std::size_t>(8, blocs.size() / 200 + 1));
    constexpr std::size_t Tranche = 32;
    std::atomic<std::size_t> suivant{0};
    std::vector<Journal> morceaux(parts);
    std::vector<std::exception_ptr> erreurs(parts);
    const auto lit = [&](std::size_t k) {
        try {
            Journal& m = morceaux[k];
            Lecteur lecteur;
            for (std::size_t debut = suivant.fetch_add(Tranche); debut < blocs.size();
                 debut = suivant.fetch_add(Tranche)) {
                for (std::size_t b = debut; b < std::min(debut + Tranche, blocs.size()); ++b) {
                    Lu lu = LitDocument(livre, blocs[b].first, blocs[b].second, r, lecteur);
                    if (lu.vente) m.Ventes.push_back(std::move(*lu.vente));
                    if (lu.ecart) m.Ecartes.push_back(std::move(*lu.ecart));
                }
            }
        } catch (...) {
            erreurs[k] = std::current_exception();
        }
    };
    {
        std::vector<std::jthread> fils;
        for (std::size_t k = 1; k < parts; ++k)
            fils.emplace_back(lit, k);
        lit(0);
    }
    for (const auto& e : erreurs)
        if (e) std::rethrow_exception(e);
    Journal j = std::move(morceaux[0]);
    for (std::size_t k = 1; k < parts; ++k) {
        std::move(morceaux[k].Ventes.begin(), morceaux[k].Ventes.end(),
                  std::back_inserter(j.Ventes));
        std::move(morceaux[k].Ecartes.begin(), morceaux[k].Ecartes.end(),
                  std::back_inserter(j.Ecartes));
    }
    // By date, then number, kind and block: each sale's key made once, the
    // sales moved once into their places.
    using Cle = std::tuple<QDate, std::pair<std::size_t, std::string_view>, SorteVente, int>;
    std::vector<std::pair<Cle, std::size_t>> ordre;
    ordre.reserve(j.Ventes.size());
    for (std::size_t i = 0; i < j.Ventes.size(); ++i) {
        const VenteJournal& v = j.Ventes[i];
        ordre.emplace_back(Cle{v.Date, CleNumero(v.Numero), v.Sorte, v.Bloc}, i);
    }
    std::sort(ordre.begin(), ordre.end(),
              [](const auto& a, const auto& b) { return a.first < b.first; });
    std::vector<VenteJournal> ventes;
    ventes.reserve(j.Ventes.size());
    for (const auto& o : ordre)
        ventes.push_back(std::move(j.Ventes[o.second]));
    j.Ventes = std::move(ventes);
    std::sort(j.Ecartes.begin(), j.Ecartes.end(),
              [](const DocumentEcarte& a, const DocumentEcarte& b) { return a.Bloc < b.Bloc; });
    return j;
}

Bornes BornesPeriode(Periode p, const QDate& aujourdhui, const Journal& j) {
    const QDate mois(aujourdhui.year(), aujourdhui.month(), 1);
    const QDate trimestre = DebutTrimestre(aujourdhui);
    const QDate annee(aujourdhui.year(), 1, 1);
    switch (p) {
    case Periode::MoisCourant:
        return {mois, mois.addMonths(1).addDays(-1)};
    case Periode::MoisPrecedent:
        return {mois.addMonths(-1), mois.addDays(-1)};
    case Periode::TrimestreCourant:
        return {trimestre, trimestre.addMonths(3).addDays(-1)};
    case Periode::TrimestrePrecedent:
        return {trimestre.addMonths(-3), trimestre.addDays(-1)};
    case Periode::AnneeCourante:
        return {annee, annee.addYears(1).addDays(-1)};
    case Periode::AnneePrecedente:
        return {annee.addYears(-1), annee.addDays(-1)};
    case Periode::Tout:
        break;
    }
    Bornes b;
    const auto etend = [&b](const QDate& d) {
        if (!d.isValid()) return;
        if (!b.Du.isValid() || d < b.Du) b.Du = d;
        if (!b.Au.isValid() || d > b.Au) b.Au = d;
    };
    for (const auto& v : j.Ventes)
        etend(v.Date);
    for (const auto& e : j.Ecartes)
        etend(e.Date);
    if (!b.Du.isValid()) b = {aujourdhui, aujourdhui};
    return b;
}

VueJournal Selectionne(const Journal& j, const Selection& s, const Reglages& r) {
    VueJournal v;
    v.Choix = s;
    TotauxJournal& t = v.Totaux;
    for (int k = 1; k <= 3; ++k)
        t.Taux[k] = r.TauxTVA[k];
    for (const auto& vente : j.Ventes) {
        if (!DansPeriode(vente.Date, s) || (s.NonPayees && vente.Payee)) continue;
        v.Ventes.push_back(&vente);
        t.HT += vente.HT;
        t.TVA += vente.TVA;
        t.TTC += vente.TTC;
        for (int k = 1; k <= 3; ++k) {
            t.BaseCode[k] += vente.BaseCode[k];
            t.TVACode[k] += vente.TVACode[k];
        }
        if (!vente.Payee) t.NonPaye += vente.TTC;
    }
    for (const auto& e : j.Ecartes)
        if ((!e.Date.isValid() || DansPeriode(e.Date, s)) && !(s.NonPayees && e.Payee))
            v.Ecartes.push_back(&e);
    v.Numeros = Numerote(j, s);
    t.AvecAchats = !j.Achats.empty();
    for (const auto& a : j.Achats) {
        if (!DansPeriode(a.Date, s)) continue;
        if (!a.Ecartee.isEmpty()) {
            ++t.AchatsEcartes;
            continue;
        }
        ++t.AchatsComptes;
        // A credit note reduces the VAT deductible, whatever the sign it writes.
        Centimes base = 0;
        for (const auto& x : a.Tva)
            base += x.Base;
        const Centimes signe = a.Avoir && base > 0 ? -1 : 1;
        for (const auto& x : a.Tva) {
            auto p = std::find_if(t.Deductible.begin(), t.Deductible.end(),
                                  [&x](const TvaDeductible& d) { return d.Taux == x.Taux; });
            if (p == t.Deductible.end())
                p = t.Deductible.insert(t.Deductible.end(), {x.Taux, 0, 0});
            p->Base += signe * x.Base;
            p->TVA += signe * x.TVA;
            t.TVADeductible += signe * x.TVA;
        }
    }
    std::sort(t.Deductible.begin(), t.Deductible.end(),
              [](const TvaDeductible& a, const TvaDeductible& b) { return a.Taux > b.Taux; });
    t.TVANette = t.TVA - t.TVADeductible;
    return v;
}

std::vector<RangeeTva> RangeesTvaNette(const TotauxJournal& t, const QString& tiret) {
    std::vector<RangeeTva> r;
    for (const auto& d : t.Deductible) {
        QString taux = QString::fromLatin1(TexteDecimalCourt4(d.Taux));
        r.push_back({QStringLiteral("TVA déductible %1 %").arg(taux), d.Base, d.TVA});
    }
    r.push_back({QStringLiteral("TVA collectée"), std::nullopt, t.TVA});
    r.push_back({QStringLiteral("TVA déductible"), std::nullopt, t.TVADeductible});
    r.push_back({QStringLiteral("TVA nette = TVA collectée %1 TVA déductible").arg(tiret),
                 std::nullopt, t.TVANette});
    return r;
}

QString TexteGenre(SorteVente s) {
    return s == SorteVente::Facture ? QStringLiteral("Facture") : QStringLiteral("Avoir");
}

QString TexteTaux(Reel6 taux) {
    return VersQString(FormatGeneral(taux.valeur())) + QStringLiteral(" %");
}

QStringList TexteNumerotation(const Numerotation& n) {
    constexpr std::size_t Montres = 12; // a line of the page holds no more
    QStringList l;
    const auto liste = [&l](const QString& titre, const auto& elements, auto&& texte) {
        if (elements.empty()) return;
        QStringList t;
        for (std::size_t i = 0; i < elements.size() && i < Montres; ++i)
            t << texte(elements[i]);
        QString ligne = titre + t.join(QStringLiteral(", "));
        if (elements.size() > Montres)
            ligne += QStringLiteral(" et %1 autres").arg(elements.size() - Montres);
        l << ligne;
    };
    liste(QStringLiteral("Numéros manquants : "), n.Manquants, [](const Numerotation::Trou& t) {
        return t.Du == t.Au ? QString::number(t.Du) : QStringLiteral("%1 à %2").arg(t.Du).arg(t.Au);
    });
    liste(QStringLiteral("Numéros en double : "), n.EnDouble, [](const Numerotation::Double& d) {
        return QStringLiteral("%1 (%2 documents)").arg(d.Numero).arg(d.Fois);
    });
    if (l.isEmpty())
        l << QStringLiteral("Numérotation continue : aucun numéro manquant ni en double");
    return l;
}

QString TextePeriode(const Selection& s) {
    return QStringLiteral("du %1 au %2")
        .arg(VersQString(FormatDate(s.Du)), VersQString(FormatDate(s.Au)));
}

} // namespace kyr
