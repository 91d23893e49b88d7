// The sales journal against the invoice window: the same figures for every
// document, the period, the kinds, the unpaid filter, the CSV bytes.
#include "book/facture.h"
#include "lists/journal.h"
#include "support/dossier_temporaire.h"
#include "support/plateforme_fausse.h"

#include <QDir>
#include <QFile>
#include <cstdlib>
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

} // namespace
} // namespace kyr
