// The sales journal against the invoice window: the same figures for every
// document, the period, the kinds, the unpaid filter, the CSV bytes.
#include "book/facture.h"
#include "common/dates.h"
#include "common/nombres.h"
#include "lists/journal.h"
#include "support/dossier_temporaire.h"
#include "support/plateforme_fausse.h"

#include <QDir>
#include <QFile>
#include <cstdlib>
#include <random>
#include <tuple>
#include <gtest/gtest.h>

namespace kyr {
namespace {

struct Doc {
    int bloc;
    std::string numero, date, genre;
    std::vector<std::string> fact;
    bool payee = false;
    bool ttc = false;
    std::string nom = "Client";
};

Lignes Livre(const std::vector<Doc>& docs) {
    Lignes l;
    for (const Doc& d : docs) {
        for (const std::string& x : {LigneDebut(d.bloc), "NUM" + d.genre.substr(0, 1) + d.numero,
                                     d.date, std::string("10002"),
                                     std::string("A r\xE9"
                                                 "ception"),
                                     d.genre, d.nom, std::string(), std::string(), std::string(),
                                     std::string(d.ttc ? "TTCY" : "TTCN")})
            l.push_back(x);
        for (const auto& f : d.fact)
            l.push_back("FACT" + f);
        if (d.payee) l.push_back("PAYE");
        l.push_back(LigneFin(d.bloc));
    }
    return l;
}

const VenteJournal* Vente(const Journal& j, int bloc) {
    for (const auto& v : j.Ventes)
        if (v.Bloc == bloc) return &v;
    return nullptr;
}
const DocumentEcarte* Ecart(const Journal& j, int bloc) {
    for (const auto& e : j.Ecartes)
        if (e.Bloc == bloc) return &e;
    return nullptr;
}

std::string Abs(const std::string& caption) {
    return !caption.empty() && caption[0] == '-' ? caption.substr(1) : caption;
}

// Every document of every sample book: the journal shows the figures the
// invoice window shows for it (a credit note with the sign that reduces), or
// lists it apart, or leaves it out as a quote; nothing else.
TEST(Journal, ChaqueDocumentDesLivresExemplesAUxTotauxDeLaFenetre) {
    const QDir dossier(QStringLiteral(KYR_TEST_DATA));
    int comptes = 0;
    for (const QString& nom : dossier.entryList({QStringLiteral("*.fct")})) {
        SCOPED_TRACE(nom.toStdString());
        test::DossierTemporaire tmp;
        test::PlateformeFausse p;
        p.reponses.assign(4, Bouton::Non);
        Facture f(p);
        try {
            f.Charge(dossier.filePath(nom));
        } catch (const ErreurExecution&) {
            continue; // a book the window cannot load has no journal either
        }
        const Journal j = LitJournal(f.Livre, f.reglages);
        for (int n = 0; n < NbFichesMax; ++n) {
            if (f.ChercheDebut(n) < 0) continue;
            f.FicheCourante = n;
            f.LitFiche();
            const VenteJournal* v = Vente(j, n);
            const DocumentEcarte* e = Ecart(j, n);
            if (Trim(f.fiche.Genre) == "Devis") {
                EXPECT_FALSE(v || e) << n;
                continue;
            }
            ASSERT_NE(v != nullptr, e != nullptr) << n;
            if (e) continue;
            ++comptes;
            EXPECT_EQ(Abs(TexteCentimes(v->HT)), Abs(f.fiche.TotalHT)) << n;
            EXPECT_EQ(Abs(TexteCentimes(v->TVA)), Abs(f.fiche.TotalTVA)) << n;
            EXPECT_EQ(Abs(TexteCentimes(v->TTC)), Abs(f.fiche.TotalTTC)) << n;
            EXPECT_EQ(v->Payee, f.fiche.Payee);
            EXPECT_EQ(v->NomClient, f.fiche.Adresse[0]);
        }
    }
    EXPECT_GT(comptes, 10);
}

TEST(Journal, ExempleTravailleEtDateIllisibleDesLivresDeTest) {
    const auto exemple = LitFichier(QStringLiteral(KYR_TEST_DATA "/exemple.fct"));
    ASSERT_TRUE(exemple);
    const Journal j = LitJournal(*exemple, Reglages{});
    const VenteJournal* v = Vente(j, 3);
    ASSERT_TRUE(v);
    EXPECT_EQ(v->Numero, "200001004");
    EXPECT_EQ(v->Date, QDate(2000, 1, 15));
    EXPECT_EQ(TexteCentimes(v->HT), "67,50");
    EXPECT_EQ(TexteCentimes(v->TVA), "13,91");
    EXPECT_EQ(TexteCentimes(v->TTC), "81,41");
    EXPECT_TRUE(v->Payee);
    EXPECT_EQ(Vente(j, 2), nullptr); // the quote

    const auto mauvaise = LitFichier(QStringLiteral(KYR_TEST_DATA "/mauvaise_date.fct"));
    ASSERT_TRUE(mauvaise);
    const Journal m = LitJournal(*mauvaise, Reglages{});
    const DocumentEcarte* e = Ecart(m, 0);
    ASSERT_TRUE(e);
    EXPECT_EQ(e->Raison, QStringLiteral("'31/02/2000' n'est pas une date correcte"));
    // Listed whatever the period: its date is unknown.
    const VueJournal vue = Selectionne(m, {QDate(1990, 1, 1), QDate(1990, 1, 31)}, Reglages{});
    ASSERT_EQ(vue.Ecartes.size(), 1u);
    EXPECT_EQ(vue.Ecartes[0]->Bloc, 0);
}

const std::string Ligne100 = "Article\t1\t100\t\t\t1";

TEST(Journal, GenresSignesEtDocumentsMisAPart) {
    struct Cas {
        Doc doc;
        const char* ht; // as counted; nullptr: left out (quote)
        const char* ttc;
        QString raison; // set: listed apart
    };
    const Cas cas[] = {
        {{0, "200101001", "10/01/2001", GenreFacture, {Ligne100}}, "100,00", "120,60", {}},
        // A credit note reduces, typed with positive or negative amounts.
        {{1, "200101002", "11/01/2001", GenreAvoir, {Ligne100}}, "-100,00", "-120,60", {}},
        {{2, "200101003", "12/01/2001", GenreAvoir, {"Remise\t-1\t100\t\t\t1"}},
         "-100,00",
         "-120,60",
         {}},
        // An invoice keeps the sign its lines give.
        {{3, "200101004", "13/01/2001", GenreFacture, {"Reprise\t-2\t10\t\t\t1"}},
         "-20,00",
         "-24,12",
         {}},
        // Prices including tax: the TTC is the sum of the lines.
        {{4, "200101005", "14/01/2001", GenreFacture, {Ligne100}, false, true},
         "82,92",
         "100,00",
         {}},
        {{5, "200101001", "15/01/2001", GenreDevis, {Ligne100}}, nullptr, nullptr, {}},
        {{6, "200101006", "32/01/2001", GenreFacture, {Ligne100}},
         nullptr,
         nullptr,
         QStringLiteral("'32/01/2001' n'est pas une date correcte")},
        {{7, "2001A1007", "16/01/2001", GenreFacture, {Ligne100}},
         nullptr,
         nullptr,
         QStringLiteral("le numéro « 2001A1007 » n'est pas un nombre")},
        {{8, "200101008", "17/01/2001", GenreFacture, {Ligne100, "Vis\t2.5\t1\t\t\t1"}},
         nullptr,
         nullptr,
         QStringLiteral("ligne 2 : « 2.5 » n'est pas un nombre")},
        {{9, "200101009", "18/01/2001", "Bon", {Ligne100}},
         nullptr,
         nullptr,
         QStringLiteral("genre de document « Bon » inconnu")},
        {{10, "200101010", "19/01/2001", GenreFacture, {"Or\t1E30\t1E9\t\t\t1"}},
         nullptr,
         nullptr,
         QStringLiteral("Débordement flottant")},
        {{11, "200101011", "20/01/2001", GenreFacture, {"Or\t1E12\t10\t\t\t1"}},
         nullptr,
         nullptr,
         QStringLiteral("montant trop grand")},
    };
    std::vector<Doc> docs;
    for (const Cas& c : cas)
        docs.push_back(c.doc);
    const Journal j = LitJournal(Livre(docs), Reglages{});
    for (const Cas& c : cas) {
        SCOPED_TRACE(c.doc.bloc);
        const VenteJournal* v = Vente(j, c.doc.bloc);
        const DocumentEcarte* e = Ecart(j, c.doc.bloc);
        if (c.ht) {
            ASSERT_TRUE(v);
            EXPECT_EQ(TexteCentimes(v->HT), c.ht);
            EXPECT_EQ(TexteCentimes(v->TTC), c.ttc);
            EXPECT_EQ(v->HT + v->TVA, v->TTC);
        } else {
            EXPECT_EQ(v, nullptr);
        }
        if (c.raison.isEmpty()) {
            EXPECT_EQ(e, nullptr);
        } else {
            ASSERT_TRUE(e);
            EXPECT_EQ(e->Raison, c.raison);
        }
    }
}

TEST(Journal, PeriodeInclusiveTriFiltreNonPayeesEtTauxDesReglages) {
    const Lignes livre = Livre({
        {0, "200002001", "01/02/2000", GenreFacture, {Ligne100}},
        {1, "199912009", "31/12/1999", GenreFacture, {Ligne100}},
        {2, "200001002", "31/01/2000", GenreFacture, {"A\t1\t50\t\t\t2", "B\t1\t10\t\t\t3"}, true},
        {3, "200001010", "01/01/2000", GenreFacture, {Ligne100}},
        {4, "200001009", "01/01/2000", GenreAvoir, {"A\t1\t20\t\t\t1"}},
        {5, "200001003", "15/01/2000", GenreFacture, {Ligne100}, true},
    });
    Reglages r;
    r.TauxTVA = {0, 20, 10, 5};
    const Journal j = LitJournal(livre, r);

    const VueJournal tout = Selectionne(j, {QDate(2000, 1, 1), QDate(2000, 1, 31)}, r);
    std::vector<int> blocs;
    for (const auto* v : tout.Ventes)
        blocs.push_back(v->Bloc);
    // Bounds included; by date, then number (9 before 10).
    EXPECT_EQ(blocs, (std::vector<int>{4, 3, 5, 2}));
    const TotauxJournal& t = tout.Totaux;
    EXPECT_EQ(TexteCentimes(t.HT), "240,00"); // -20 + 100 + 100 + 60
    EXPECT_EQ(TexteCentimes(t.BaseCode[1]), "180,00");
    EXPECT_EQ(TexteCentimes(t.TVACode[1]), "36,00");
    EXPECT_EQ(TexteCentimes(t.BaseCode[2]), "50,00");
    EXPECT_EQ(TexteCentimes(t.TVACode[2]), "5,00");
    EXPECT_EQ(TexteCentimes(t.BaseCode[3]), "10,00");
    EXPECT_EQ(TexteCentimes(t.TVACode[3]), "0,50");
    EXPECT_EQ(t.TVA, t.TVACode[1] + t.TVACode[2] + t.TVACode[3]);
    EXPECT_EQ(TexteTaux(t.Taux[2]), QStringLiteral("10 %"));
    EXPECT_EQ(TexteCentimes(t.TTC), "281,50");
    EXPECT_EQ(TexteCentimes(t.NonPaye), "96,00"); // 120 - 24

    const VueJournal impayes = Selectionne(j, {QDate(2000, 1, 1), QDate(2000, 1, 31), true}, r);
    ASSERT_EQ(impayes.Ventes.size(), 2u);
    EXPECT_EQ(impayes.Totaux.TTC, t.NonPaye);
    EXPECT_EQ(impayes.Totaux.NonPaye, t.NonPaye);
}

TEST(Journal, BornesDesPeriodes) {
    const Journal j = LitJournal(Livre({{0, "199912009", "31/12/1999", GenreFacture, {Ligne100}},
                                        {1, "200305001", "05/05/2003", GenreAvoir, {Ligne100}}}),
                                 Reglages{});
    struct Cas {
        Periode p;
        QDate aujourdhui, du, au;
    };
    const QDate d(2001, 3, 15), janvier(2001, 1, 31);
    const Cas cas[] = {
        {Periode::MoisCourant, d, {2001, 3, 1}, {2001, 3, 31}},
        {Periode::MoisPrecedent, d, {2001, 2, 1}, {2001, 2, 28}},
        {Periode::MoisPrecedent, janvier, {2000, 12, 1}, {2000, 12, 31}},
        {Periode::TrimestreCourant, d, {2001, 1, 1}, {2001, 3, 31}},
        {Periode::TrimestreCourant, QDate(2001, 11, 2), {2001, 10, 1}, {2001, 12, 31}},
        {Periode::TrimestrePrecedent, d, {2000, 10, 1}, {2000, 12, 31}},
        {Periode::AnneeCourante, d, {2001, 1, 1}, {2001, 12, 31}},
        {Periode::AnneePrecedente, d, {2000, 1, 1}, {2000, 12, 31}},
        {Periode::Tout, d, {1999, 12, 31}, {2003, 5, 5}},
    };
    for (const Cas& c : cas) {
        const Bornes b = BornesPeriode(c.p, c.aujourdhui, j);
        EXPECT_EQ(b.Du, c.du) << static_cast<int>(c.p);
        EXPECT_EQ(b.Au, c.au) << static_cast<int>(c.p);
    }
    const Bornes vide = BornesPeriode(Periode::Tout, d, Journal{});
    EXPECT_EQ(vide.Du, d);
    EXPECT_EQ(vide.Au, d);
}

TEST(Journal, OctetsDuCSV) {
    const Lignes livre = Livre({
        {0,
         "200001001",
         "03/01/2000",
         GenreFacture,
         {"Pneu\t2\t60\t\t\t1"},
         false,
         false,
         "Garage; \"Centre\""},
        {1,
         "200001002",
         "07/01/2000",
         GenreAvoir,
         {"Remise\t1\t10\t\t\t3"},
         true,
         false,
         "=Caf\xE9"},
        {2, "200001003", "3l/01/2000", GenreFacture, {Ligne100}},
    });
    const Journal j = LitJournal(livre, Reglages{});
    const std::string csv =
        TexteCSV(Selectionne(j, {QDate(2000, 1, 1), QDate(2000, 1, 31)}, Reglages{}));
    const std::string attendu =
        "\xEF\xBB\xBF"
        "Date;Genre;Num\xC3\xA9ro;Code client;Nom du client;Total H.T.;Total TVA;Total TTC;"
        "Pay\xC3\xA9"
        "e\r\n"
        "03/01/2000;Facture;200001001;10002;\"Garage; \"\"Centre\"\"\";120,00;24,72;144,72;Non\r\n"
        "07/01/2000;Avoir;200001002;10002;'=Caf\xC3\xA9;-10,00;-0,55;-10,55;Oui\r\n"
        "\r\n"
        ";;;Total du 01/01/2000 au 31/01/2000;;110,00;24,17;134,17\r\n"
        ";;;Code TVA 1;20,6 %;120,00;24,72\r\n"
        ";;;Code TVA 2;0 %;0,00;0,00\r\n"
        ";;;Code TVA 3;5,5 %;-10,00;-0,55\r\n"
        ";;;Reste \xC3\xA0 payer;;;;144,72\r\n"
        "\r\n"
        "Num\xC3\xA9rotation continue : aucun num\xC3\xA9ro manquant ni en double\r\n"
        "\r\n"
        "Documents non compt\xC3\xA9s\r\n"
        "Date;Genre;Num\xC3\xA9ro;Code client;Nom du client;Raison\r\n"
        "3l/01/2000;Facture;200001003;10002;Client;'3l/01/2000' n'est pas une date "
        "correcte\r\n";
    EXPECT_EQ(csv, attendu);

    test::DossierTemporaire tmp;
    const QString chemin = tmp.chemin(QStringLiteral("journal.csv"));
    ExporteCSV(chemin, Selectionne(j, {QDate(2000, 1, 1), QDate(2000, 1, 31)}, Reglages{}));
    QFile f(chemin);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll().toStdString(), attendu);
}

// Invoices and credit notes share one series: the period's numbers missing
// from the book and those carried twice, whatever their kind or their date.
TEST(Journal, NumerosManquantsEtEnDouble) {
    const auto doc = [](int bloc, const std::string& numero, const std::string& date,
                        const std::string& genre = GenreFacture) {
        return Doc{bloc, numero, date, genre, {"Pneu\t1\t10\t\t\t1"}};
    };
    struct Cas {
        const char* nom;
        std::vector<Doc> docs;
        std::vector<Numerotation::Trou> manquants;
        std::vector<Numerotation::Double> doubles;
    };
    const Cas cas[] = {
        {"continue",
         {doc(0, "202603001", "02/03/2026"), doc(1, "202603002", "05/03/2026", GenreAvoir),
          doc(2, "202603003", "09/03/2026")},
         {},
         {}},
        {"trous, un numéro et une suite",
         {doc(0, "202603001", "02/03/2026"), doc(1, "202603003", "05/03/2026"),
          doc(2, "202603007", "09/03/2026")},
         {{202603002, 202603002}, {202603004, 202603006}},
         {}},
        {"le premier du mois manque",
         {doc(0, "202603003", "02/03/2026")},
         {{202603001, 202603002}},
         {}},
        {"un avoir et une facture de même numéro",
         {doc(0, "202603001", "02/03/2026"), doc(1, "202603001", "05/03/2026", GenreAvoir)},
         {},
         {{202603001, 2}}},
        // A number dated outside the period is not missing; the series starts again each month.
        {"numéro hors période, mois suivant",
         {doc(0, "202603001", "28/02/2026"), doc(1, "202603002", "02/03/2026"),
          doc(2, "202604001", "30/03/2026")},
         {},
         {}},
        {"un devis ne compte pas",
         {doc(0, "202603001", "02/03/2026"), doc(1, "202603002", "03/03/2026", GenreDevis),
          doc(2, "202603003", "05/03/2026")},
         {{202603002, 202603002}},
         {}},
        // Set apart for its figures, it still carries its number.
        {"document mis à part",
         {doc(0, "202603001", "02/03/2026"),
          Doc{1, "202603002", "03/03/2026", GenreFacture, {"Pneu\t1,5.0\t10\t\t\t1"}},
          doc(2, "202603003", "05/03/2026")},
         {},
         {}},
    };
    for (const Cas& c : cas) {
        const Journal j = LitJournal(Livre(c.docs), Reglages{});
        const VueJournal v = Selectionne(j, {QDate(2026, 3, 1), QDate(2026, 3, 31)}, Reglages{});
        EXPECT_EQ(v.Numeros.Manquants, c.manquants) << c.nom;
        EXPECT_EQ(v.Numeros.EnDouble, c.doubles) << c.nom;
    }
    Numerotation n;
    n.Manquants = {{202603002, 202603002}, {202603004, 202603006}};
    n.EnDouble = {{202603001, 2}};
    EXPECT_EQ(TexteNumerotation(n),
              QStringList({QStringLiteral("Numéros manquants : 202603002, 202603004 à 202603006"),
                           QStringLiteral("Numéros en double : 202603001 (2 documents)")}));
    for (std::int64_t k = 0; k < 14; ++k)
        n.Manquants.push_back({202604001 + 2 * k, 202604001 + 2 * k});
    EXPECT_TRUE(TexteNumerotation(n)[0].endsWith(QStringLiteral(", 202604019 et 4 autres")));
}

// ---- the journal against its reference: each document read into a record
// and computed there, as the invoice window does, its captions read back

// "-1234,50" in cents; nullopt for an empty caption or past twelve digits
// before the comma.
std::optional<Centimes> CentimesDuTexte(const std::string& texte) {
    std::string_view s = texte;
    const bool negatif = !s.empty() && s.front() == '-';
    if (negatif) s.remove_prefix(1);
    const auto virgule = s.find(',');
    if (virgule == std::string_view::npos || virgule == 0 || virgule > 12 ||
        s.size() != virgule + 3)
        return std::nullopt;
    Centimes c = 0;
    for (char ch : s) {
        if (ch == ',') continue;
        if (ch < '0' || ch > '9') return std::nullopt;
        c = c * 10 + (ch - '0');
    }
    return negatif ? -c : c;
}

std::optional<Centimes> CentimesDeLaValeur(Reel6 v) {
    return v.valeur() == 0 ? 0 : CentimesDuTexte(FormatMontant(v.valeur()));
}

// One document through a record: a sale, a document set apart, or nothing.
void LitParLaFiche(const Lignes& livre, int debut, int n, const Reglages& r, Journal& j) {
    Fiche f;
    const FicheCalculee lue = LitEtCalcule(livre, debut, n, f, r, LargeurTexteFn{});
    const std::string genre = Trim(f.Genre), numero = Trim(f.Numero);
    if (genre == Trim(GenreDevis)) return;
    const auto ecarte = [&](QString raison) {
        DocumentEcarte e;
        e.Bloc = n;
        e.Date = f.DateIllisible ? QDate() : f.Date;
        e.TexteDate = f.DateIllisible ? *f.DateIllisible : FormatDate(f.Date);
        e.Genre = genre;
        e.Numero = numero;
        e.CodeClient = f.CodeClient;
        e.NomClient = f.Adresse[0];
        e.Payee = f.Payee;
        e.Raison = std::move(raison);
        j.Ecartes.push_back(std::move(e));
    };
    if (f.DateIllisible) return ecarte(ErreurExecution::DateIncorrecte(*f.DateIllisible).message());
    if (genre != GenreFacture && genre != Trim(GenreAvoir))
        return ecarte(QStringLiteral("genre de document « %1 » inconnu").arg(Citation(genre)));
    if (numero.empty()) return ecarte(QStringLiteral("document sans numéro"));
    if (numero.find_first_not_of("0123456789") != std::string::npos)
        return ecarte(QStringLiteral("le numéro « %1 » n'est pas un nombre").arg(Citation(numero)));
    if (lue.Erreur) return ecarte(lue.Erreur->message());
    if (!lue.Detail.Illisibles.empty()) {
        const auto& i = lue.Detail.Illisibles.front();
        return ecarte(QStringLiteral("ligne %1 : « %2 » n'est pas un nombre")
                          .arg(i.Rangee)
                          .arg(Citation(Trim(i.Texte))));
    }
    if (f.TotalHT.empty() || f.TotalTVA.empty())
        return ecarte(QStringLiteral("TVA indéfinie pour un taux de -100 %"));
    const auto ht = CentimesDuTexte(f.TotalHT), tva = CentimesDuTexte(f.TotalTVA),
               ttc = CentimesDuTexte(f.TotalTTC);
    if (!ht || !tva || !ttc) return ecarte(QStringLiteral("montant trop grand"));
    VenteJournal v;
    for (int k = 1; k <= 3; ++k) {
        const auto base = CentimesDeLaValeur(lue.Detail.BaseHT[k]);
        const auto taxe = CentimesDeLaValeur(lue.Detail.TVA[k]);
        if (!base || !taxe) return ecarte(QStringLiteral("montant trop grand"));
        v.BaseCode[k] = *base;
        v.TVACode[k] = *taxe;
    }
    v.Bloc = n;
    v.Date = f.Date;
    v.Sorte = genre == GenreFacture ? SorteVente::Facture : SorteVente::Avoir;
    v.Numero = numero;
    v.CodeClient = f.CodeClient;
    v.NomClient = f.Adresse[0];
    v.Payee = f.Payee;
    const Centimes signe = v.Sorte == SorteVente::Avoir && (*ttc != 0 ? *ttc : *ht) > 0 ? -1 : 1;
    v.HT = signe * *ht;
    v.TVA = signe * *tva;
    v.TTC = signe * *ttc;
    for (int k = 1; k <= 3; ++k) {
        v.BaseCode[k] *= signe;
        v.TVACode[k] *= signe;
    }
    j.Ventes.push_back(std::move(v));
}

// Blocks as damaged as a book gets: headers cut short, bad dates, kinds and
// numbers, cells without their TABs, unreadable and overflowing figures, more
// FACT lines than rows, more body lines than are read, missing or foreign end
// lines, the same number twice, start lines in lower case.
Lignes LivreHasardeux(std::mt19937& alea, int nbBlocs) {
    const auto un = [&alea](std::initializer_list<const char*> l) {
        return std::string(l.begin()[alea() % l.size()]);
    };
    const auto fact = [&] {
        std::string l = "FACT" + un({"Vis", "", " ", "Ecrou\x01"});
        const char* quantites[] = {"1",  "2,5", " 3 ",    "",     "  ",  "1E30",
                                   "-1", "x",   "1,5E-3", "0,05", "\t2", "1E-30"};
        const char* prix[] = {"100", "19,99", "",      "1E9",   "1E38",
                              "abc", "0,005", " 7,5 ", "-0,01", "3,33"};
        const char* remises[] = {"", "", "10", "100", "x", "-5", " 5 "};
        const char* codes[] = {"", "1", "2", "3", "7", "x", " 2 ", "-1"};
        // Sound cells half of the time.
        const auto parmi = [&](unsigned n) { return alea() % 2 ? alea() % 3 : alea() % n; };
        const std::string cellules[] = {quantites[parmi(12)], prix[parmi(10)], remises[parmi(7)],
                                        "", codes[parmi(8)]};
        const int tabs = alea() % 4 ? 5 : static_cast<int>(alea() % 6);
        for (int k = 0; k < 5; ++k)
            l += (k < tabs ? "\t" : "") + cellules[k];
        return l;
    };
    Lignes l;
    for (int b = 0; b < nbBlocs; ++b) {
        const int n = static_cast<int>(alea() % 60);
        std::string debut = LigneDebut(n);
        if (alea() % 10 == 0) debut.replace(1, 4, "bloc");
        l.push_back(debut);
        const int entete = alea() % 8 ? 10 : static_cast<int>(alea() % 10);
        const std::string champs[] = {
            "NUM" + un({"F", "A", "D"}) +
                un({"200101001", " 42 ", "", "12A", "0000", "99999999999999999999", "7"}),
            un({"15/01/2001", "31/02/2000", "", " 1/2/01", "15/01/2001 x", "29/02/2000"}),
            un({"10002", "", " x "}),
            un({"A r\xE9"
                "ception",
                ""}),
            un({"Facture", "Avoir     ", "Devis    ", "", "Bon", " Avoir", "facture"}),
            un({"Garage Martin Lyon", "", "x"}),
            "1 rue de la Gare",
            "",
            "T\xE9l.",
            un({"TTCY", "TTCN", "TTC", "", "TT", "TTCYes"})};
        for (int k = 0; k < entete; ++k)
            l.push_back(champs[k]);
        const int corps =
            alea() % 10 ? static_cast<int>(alea() % 15) : static_cast<int>(alea() % 110);
        for (int k = 0; k < corps; ++k) {
            const unsigned c = alea() % 20;
            l.push_back(c < 14   ? fact()
                        : c < 16 ? "MEMO" + un({"Merci", "", "\tx"})
                        : c < 17 ? un({"PAYE", "PAYEE", "paye"})
                        : c < 19 ? un({"", "autre", "FAC", "TTCY"})
                                 : LigneFin(static_cast<int>(alea() % 60)));
        }
        const unsigned fin = alea() % 10;
        if (fin < 8) l.push_back(LigneFin(n));
        if (fin == 8) l.push_back(LigneFin(n).substr(0, 9));
    }
    return l;
}

TEST(Journal, LeLivreLuSurPlaceDonneCeQueDonneLaFicheDeChaqueDocument) {
    std::mt19937 alea(20261208);
    const Reglages defaut;
    Reglages sansTaux;
    sansTaux.TauxTVA = {0, -100, 0, 20};
    Reglages conversionEnorme;
    conversionEnorme.Devise = 1;
    conversionEnorme.TauxEuro = 1e30L;
    Reglages sansConversion;
    sansConversion.OmettreConversion = 1;
    sansConversion.TauxTVA = {0, 33.33L, 7, 19.6L};
    int ventes = 0, ecartes = 0;
    for (int essai = 0; essai < 300; ++essai) {
        const Lignes livre = LivreHasardeux(alea, 1 + static_cast<int>(alea() % 30));
        for (const Reglages* r : {&defaut, static_cast<const Reglages*>(&sansTaux),
                                  static_cast<const Reglages*>(&conversionEnorme),
                                  static_cast<const Reglages*>(&sansConversion)}) {
            Journal attendu;
            std::vector<bool> vu(NbFichesMax);
            for (std::size_t i = 0; i < livre.size(); ++i) {
                const int n = NumeroDebut(livre[i]);
                if (n < 0 || vu[static_cast<std::size_t>(n)]) continue;
                vu[static_cast<std::size_t>(n)] = true;
                LitParLaFiche(livre, static_cast<int>(i), n, *r, attendu);
            }
            const Journal j = LitJournal(livre, *r);
            ASSERT_EQ(j.Ventes.size(), attendu.Ventes.size()) << essai;
            ASSERT_EQ(j.Ecartes.size(), attendu.Ecartes.size()) << essai;
            ventes += static_cast<int>(j.Ventes.size());
            ecartes += static_cast<int>(j.Ecartes.size());
            for (const VenteJournal& a : attendu.Ventes) {
                SCOPED_TRACE(testing::Message() << essai << " bloc " << a.Bloc);
                const VenteJournal* v = Vente(j, a.Bloc);
                ASSERT_TRUE(v);
                EXPECT_EQ(
                    std::tie(v->Date, v->Sorte, v->Numero, v->CodeClient, v->NomClient, v->Payee),
                    std::tie(a.Date, a.Sorte, a.Numero, a.CodeClient, a.NomClient, a.Payee));
                EXPECT_EQ(std::tie(v->HT, v->TVA, v->TTC, v->BaseCode, v->TVACode),
                          std::tie(a.HT, a.TVA, a.TTC, a.BaseCode, a.TVACode));
            }
            for (const DocumentEcarte& a : attendu.Ecartes) {
                SCOPED_TRACE(testing::Message() << essai << " bloc " << a.Bloc);
                const DocumentEcarte* e = Ecart(j, a.Bloc);
                ASSERT_TRUE(e);
                EXPECT_EQ(std::tie(e->Date, e->TexteDate, e->Genre, e->Numero, e->CodeClient,
                                   e->NomClient, e->Payee, e->Raison),
                          std::tie(a.Date, a.TexteDate, a.Genre, a.Numero, a.CodeClient,
                                   a.NomClient, a.Payee, a.Raison));
            }
        }
    }
    // Both outcomes are well represented.
    EXPECT_GT(ventes, 1000);
    EXPECT_GT(ecartes, 1000);
}

} // namespace
} // namespace kyr
