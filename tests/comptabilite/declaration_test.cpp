// The VAT return of a month and of a quarter against figures worked by hand:
// goods at the invoice date, services when paid (a later month included),
// the option for debits, no payment dates known; its CSV and printed page.
#include "comptabilite/declaration_tva.h"
#include "comptabilite/livres_compta.h"
#include "comptabilite/page_declaration.h"
#include "support/surface_enregistree.h"

#include <gtest/gtest.h>

namespace kyr {
namespace {

using test::Vente;

// Euros, rates 20, 10 and 5,5 % on codes 1, 2, 3.
Lignes Livre() {
    return test::LivreCompta({
        {0, GenreFacture, "202604001", "03/04/2026", {"Marchandise\t1\t1000,00\t\t\t1"}},
        {1, GenreFacture, "202604002", "10/04/2026", {"Conseil\t1\t500,00\t\t\t2"}},
        {2, GenreFacture, "202604003", "20/04/2026", {"Entretien\t1\t200,00\t\t\t3"}},
        {3, GenreAvoir, "202604004", "28/04/2026", {"Retour\t1\t100,00\t\t\t1"}},
        {4, GenreFacture, "202605001", "05/05/2026", {"Réparation\t1\t300,00\t\t\t1"}},
        {5, GenreFacture, "202606001", "15/06/2026", {"Pose et fourniture\t1\t400,00\t\t\t1"}},
        {6,
         GenreFacture,
         "202603001",
         "15/03/2026",
         {"Conseil\t1\t50,00\t\t\t1"},
         "10002",
         "Garage du Centre",
         true},
        {7, GenreFacture, "202603002", "30/03/2026", {"Conseil\t1\t100,00\t\t\t2"}},
        {8, GenreFacture, "202604009", "22/04/2026", {"Illisible\t1\tdix\t\t\t1"}},
    });
}

SourcesCompta Sources(bool registre, bool debits) {
    SourcesCompta s;
    s.OptionDebits = debits;
    s.Nature = [](const VenteJournal& v) -> std::optional<NatureOperation> {
        if (v.Numero == "202604001" || v.Numero == "202604004") return NatureOperation::Biens;
        if (v.Numero == "202606001") return NatureOperation::Mixte;
        return std::nullopt; // services
    };
    if (registre)
        s.Encaissements = std::map<CleVente, QDate>{
            {{SorteVente::Facture, "202604002"}, QDate(2026, 5, 12)},
            {{SorteVente::Facture, "202604003"}, QDate(2026, 4, 25)},
            {{SorteVente::Facture, "202603002"}, QDate(2026, 4, 2)},
        };
    s.Achats = {
        {QDate(2026, 3, 10), "1", "Dupr\xE9", "A0", false, 50000, 10000, 60000, {}},
        {QDate(2026, 4, 15), "1", "Dupr\xE9", "A1", false, 25000, 5000, 30000, {}},
        {QDate(2026, 5, 20), "1", "Dupr\xE9", "A2", false, 10000, 1000, 11000, {}},
        {QDate(2026, 6, 2), "1", "Dupr\xE9", "A3", true, 5000, 1000, 6000, {}},
    };
    return s;
}

struct Cas {
    const char* nom;
    PeriodeTVA periode;
    bool registre, debits;
    std::array<Centimes, 3> base, tva; // 20 %, 10 %, 5,5 %
    Centimes deductible, net;
    std::vector<std::string> enAttente;
    QString note;
};

TEST(DeclarationTVA, MoisEtTrimestreTravaillesALaMain) {
    const QString encaissement = QStringLiteral("due à l'encaissement");
    const QString inconnues =
        QStringLiteral("dates d'encaissement des factures ne sont pas connues");
    const QString debits = QStringLiteral("Option pour les débits");
    const std::vector<Cas> cas = {
        // April: the goods less their credit note, the services paid in April
        // (one invoiced in March); the one paid in May waits.
        {"avril",
         PeriodeMois(2026, 4),
         true,
         false,
         {90000, 10000, 20000},
         {18000, 1000, 1100},
         5000,
         15100,
         {"202604002"},
         encaissement},
        // May: the service invoiced in April and paid now; May's own is unpaid.
        {"mai",
         PeriodeMois(2026, 5),
         true,
         false,
         {0, 50000, 0},
         {0, 5000, 0},
         1000,
         4000,
         {"202605001"},
         encaissement},
        // June: the mixed invoice at its date; a received credit note reduces.
        {"juin",
         PeriodeMois(2026, 6),
         true,
         false,
         {40000, 0, 0},
         {8000, 0, 0},
         -1000,
         9000,
         {"202605001"},
         encaissement},
        // March: the paid invoice whose date of payment is unknown counts at its
        // date; the purchases exceed: a credit.
        {"mars",
         PeriodeMois(2026, 3),
         true,
         false,
         {5000, 0, 0},
         {1000, 0, 0},
         10000,
         -9000,
         {"202603002"},
         encaissement},
        {"T2",
         PeriodeTrimestre(2026, 2),
         true,
         false,
         {130000, 60000, 20000},
         {26000, 6000, 1100},
         5000,
         28100,
         {"202605001"},
         encaissement},
        // Without payment dates, or with the option for debits, everything at
        // the invoice date.
        {"T2 sans dates",
         PeriodeTrimestre(2026, 2),
         false,
         false,
         {160000, 50000, 20000},
         {32000, 5000, 1100},
         5000,
         33100,
         {},
         inconnues},
        {"T2 débits",
         PeriodeTrimestre(2026, 2),
         true,
         true,
         {160000, 50000, 20000},
         {32000, 5000, 1100},
         5000,
         33100,
         {},
         debits},
    };
    const Reglages r = test::ReglagesEuros();
    const Journal j = LitJournal(Livre(), r);
    for (const Cas& c : cas) {
        SCOPED_TRACE(c.nom);
        const DeclarationTVA d = Declare(j, Sources(c.registre, c.debits), r, c.periode);
        ASSERT_EQ(d.Taux.size(), 3u);
        for (std::size_t i = 0; i < 3; ++i) {
            EXPECT_EQ(d.Taux[i].Base, c.base[i]) << i;
            EXPECT_EQ(d.Taux[i].TVA, c.tva[i]) << i;
        }
        EXPECT_EQ(d.Taux[0].LigneCA3, QStringLiteral("08"));
        EXPECT_EQ(d.Taux[1].LigneCA3, QStringLiteral("9B"));
        EXPECT_EQ(d.Taux[2].LigneCA3, QStringLiteral("09"));
        EXPECT_EQ(d.TVABrute, c.tva[0] + c.tva[1] + c.tva[2]);
        EXPECT_EQ(d.BaseTotale, c.base[0] + c.base[1] + c.base[2]);
        EXPECT_EQ(d.TVADeductible, c.deductible);
        EXPECT_EQ(d.Net, c.net);
        std::vector<std::string> attente;
        for (const auto& v : d.EnAttente)
            attente.push_back(v.Vente.Numero);
        EXPECT_EQ(attente, c.enAttente);
        EXPECT_TRUE(NotesDeclaration(d).join(' ').contains(c.note));
        // The unreadable April document is listed, not counted.
        EXPECT_EQ(d.Ecartes.size(),
                  c.periode.Du.month() <= 4 && c.periode.Au.month() >= 4 ? 1u : 0u);
    }
}

TEST(DeclarationTVA, TauxPartagesEtLivreEnFrancs) {
    Reglages r = test::ReglagesEuros();
    r.TauxTVA = {0, 20, 20, 0};
    r.Devise = 0;
    // 100 F at code 1 and 100 F at code 2 (20 %), 100 F at 0 %, each converted
    // on its own: 15,24 € of base and 3,05 € of VAT each.
    const Journal j =
        LitJournal(test::LivreCompta(
                       {{0,
                         GenreFacture,
                         "200103001",
                         "15/03/2001",
                         {"A\t1\t100,00\t\t\t1", "B\t1\t100,00\t\t\t2", "C\t1\t100,00\t\t\t3"}}}),
                   r);
    const DeclarationTVA d = Declare(j, {}, r, PeriodeMois(2001, 3));
    ASSERT_EQ(d.Taux.size(), 2u);
    EXPECT_EQ(d.Taux[0].Codes, (std::vector<int>{1, 2}));
    EXPECT_EQ(d.Taux[0].Base, 3048);
    EXPECT_EQ(d.Taux[0].TVA, 610);
    EXPECT_EQ(d.Taux[1].Base, 1524);
    EXPECT_EQ(d.Taux[1].TVA, 0);
    EXPECT_EQ(d.Taux[1].LigneCA3, QString());
    EXPECT_TRUE(NotesDeclaration(d).join(' ').contains(QStringLiteral("6,55957")));
    EXPECT_TRUE(NotesDeclaration(d).join(' ').contains(QStringLiteral("Aucune facture reçue")));
}

TEST(DeclarationTVA, CSVEtPageImprimee) {
    const Reglages r = test::ReglagesEuros();
    const Journal j = LitJournal(Livre(), r);
    const DeclarationTVA d = Declare(j, Sources(true, false), r, PeriodeMois(2026, 4));
    const std::string csv = TexteCSV(d);
    ASSERT_EQ(csv.rfind("\xEF\xBB\xBF"
                        "D\xC3\xA9"
                        "claration de TVA;du 01/04/2026 au 30/04/2026\r\n",
                        0),
              0u);
    for (const char* ligne :
         {"\r\nLigne;Op\xC3\xA9rations;Base H.T.;TVA\r\n08;Taux 20 %;900,00;180,00\r\n"
          "9B;Taux 10 %;100,00;10,00\r\n09;Taux 5,5 %;200,00;11,00\r\n"
          "16;Total de la TVA brute due;1200,00;201,00\r\n",
          "\r\n23;Total de la TVA d\xC3\xA9"
          "ductible;;50,00\r\n28;TVA nette due;;151,00\r\n",
          "\r\n02/04/2026;encaiss\xC3\xA9 le 02/04/2026;30/03/2026;Facture;202603002;10002;Garage "
          "du Centre;100,00;10,00\r\n",
          "\r\n28/04/2026;biens : date de facture;28/04/2026;Avoir;202604004;10002;Garage du "
          "Centre;-100,00;-20,00\r\n",
          "\r\n15/04/2026;Facture;A1;1;Dupr\xC3\xA9;250,00;50,00\r\n",
          "\r\n12/05/2026;encaiss\xC3\xA9 le 12/05/2026;10/04/2026;Facture;202604002;",
          "\r\n22/04/2026;Facture;202604009;10002;Garage du Centre;ligne 1 : \xC2\xAB dix \xC2\xBB "
          "n'est pas un nombre\r\n"})
        EXPECT_NE(csv.find(ligne), std::string::npos) << ligne;

    test::SurfaceEnregistree s;
    DessineDeclaration(s, d);
    const auto textes = s.Textes();
    const auto a = [&textes](const std::string& t) {
        return std::find(textes.begin(), textes.end(), t) != textes.end();
    };
    EXPECT_TRUE(a("D\xE9"
                  "claration de TVA"));
    EXPECT_TRUE(a("P\xE9riode du 01/04/2026 au 30/04/2026"));
    EXPECT_TRUE(a("TVA nette due"));
    EXPECT_TRUE(a("151,00"));
    EXPECT_TRUE(a("Page 1/1"));
    EXPECT_TRUE(a("encaiss\xE9 le 02/04/2026"));
    // Every text stays inside the page.
    for (const auto& t : s.De(test::Trace::Texte)) {
        EXPECT_GE(t.x1, 0) << t.texte;
        EXPECT_LE(t.x1 + s.LargeurTexte(t.texte), s.largeurPixels) << t.texte;
        EXPECT_LE(t.y1, s.hauteurPixels) << t.texte;
    }

    // Many documents: several pages, each numbered.
    DeclarationTVA longue = d;
    for (int i = 0; i < 120; ++i)
        longue.Ventes.push_back(d.Ventes.front());
    test::SurfaceEnregistree s2;
    const int n = NbPagesDeclaration(s2, longue);
    EXPECT_GE(n, 3);
    DessineDeclaration(s2, longue);
    EXPECT_EQ(s2.De(test::Trace::Page).size(), static_cast<std::size_t>(n - 1));
    const auto t2 = s2.Textes();
    EXPECT_NE(
        std::find(t2.begin(), t2.end(), "Page " + std::to_string(n) + "/" + std::to_string(n)),
        t2.end());
}

// Without a nature per document, the seller's billing framework stands for
// each one's; a nature already given is kept.
TEST(DeclarationTVA, CadreDuVendeurFauteDeNatureParDocument) {
    const Reglages r = test::ReglagesEuros();
    const Journal j = LitJournal(
        test::LivreCompta({{0, GenreFacture, "202604001", "03/04/2026", {"A\t1\t100,00\t\t\t1"}}}),
        r);
    struct Cas {
        Cadre cadre;
        bool natureDonnee;
        Centimes tva;
    };
    for (const Cas& c : {Cas{Cadre::Biens, false, 2000}, Cas{Cadre::Mixte, false, 2000},
                         Cas{Cadre::Services, false, 0}, Cas{Cadre::Biens, true, 0}}) {
        SourcesCompta s;
        s.Encaissements.emplace(); // no payment received
        if (c.natureDonnee)
            s.Nature = [](const VenteJournal&) { return std::optional(NatureOperation::Services); };
        Vendeur v;
        v.CadreFacturation = c.cadre;
        AvecCadreDuVendeur(s, v);
        EXPECT_EQ(Declare(j, s, r, PeriodeMois(2026, 4)).TVABrute, c.tva)
            << static_cast<int>(c.cadre) << c.natureDonnee;
    }
}

} // namespace
} // namespace kyr
