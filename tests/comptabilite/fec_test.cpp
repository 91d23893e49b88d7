// The FEC file of a small worked year, byte for byte, its character set, and
// what the export refuses or reports.
#include "common/erreurs.h"
#include "comptabilite/export_fec.h"
#include "comptabilite/livres_compta.h"
#include "support/dossier_temporaire.h"
#include "support/panne_ecriture.h"

#include <QStringDecoder>
#include <gtest/gtest.h>

namespace kyr {
namespace {

const std::string Siren = "732829320";

// March to June 2026: two invoices and a credit note, a quote, an invoice of
// the year before, a document whose line does not read.
Lignes LivreAnnee() {
    using test::Vente;
    return test::LivreCompta({
        {0,
         GenreFacture,
         "202603001",
         "05/03/2026",
         {"Vidange\t1\t100,00\t\t\t1", "Pneu\t2\t50,00\t\t\t3"}},
        {1,
         GenreAvoir,
         "202603002",
         "20/03/2026",
         {"Remise\t1\t10,00\t\t\t1"},
         "10 03",
         "Boulangerie \x92"
         "Chez Paul\x92"},
        {2, GenreFacture, "202604001", "02/04/2026", {"Main d'oeuvre\t3\t33,33\t\t\t2"}},
        {3, GenreDevis, "202604001", "03/04/2026", {"Devis\t1\t999,00\t\t\t1"}},
        {4, GenreFacture, "202512001", "31/12/2025", {"Vidange\t1\t80,00\t\t\t1"}},
        {5, GenreFacture, "202605001", "10/05/2026", {"Article\t1\t12,5x\t\t\t1"}},
    });
}

SourcesCompta Sources() {
    SourcesCompta s;
    s.Achats.push_back({QDate(2026, 6, 10),
                        "552100554",
                        "Fournitures Dupr\xE9",
                        "FA-889",
                        false,
                        25000,
                        5000,
                        30000,
                        {{2000, 25000, 5000}}});
    s.Nature = [](const VenteJournal& v) -> std::optional<NatureOperation> {
        if (v.Numero == "202604001") return NatureOperation::Biens;
        return std::nullopt;
    };
    return s;
}

ExportFEC Prepare(const Lignes& livre, const SourcesCompta& s, const Reglages& r,
                  std::string_view siren = Siren, int annee = 2026) {
    auto x = PrepareFEC(LitJournal(livre, r), PlanParDefaut(r), s, r, siren, annee);
    if (auto* m = std::get_if<QString>(&x)) ADD_FAILURE() << m->toStdString();
    return std::get<ExportFEC>(x);
}

TEST(FEC, AnneeTravailleeOctetPourOctet) {
    const ExportFEC x = Prepare(LivreAnnee(), Sources(), test::ReglagesEuros());
    EXPECT_EQ(x.NomFichier, QStringLiteral("732829320FEC20261231.txt"));
    const std::string f = std::string(NomsChampsFEC) + "\r\n";
    const std::string vt1 = "VT\tVentes\tVT000001\t20260305\t";
    const std::string p1 = "202603001\t20260305\tFacture 202603001 Garage du Centre\t";
    const std::string vt2 = "VT\tVentes\tVT000002\t20260320\t";
    const std::string p2 = "202603002\t20260320\tAvoir 202603002 Boulangerie 'Chez Paul'\t";
    const std::string vt3 = "VT\tVentes\tVT000003\t20260402\t";
    const std::string p3 = "202604001\t20260402\tFacture 202604001 Garage du Centre\t";
    const std::string ac1 = "AC\tAchats\tAC000001\t20260610\t";
    const std::string pa = "FA-889\t20260610\tFacture FA-889 Fournitures Dupr\xE9\t";
    const auto fin = [](const char* date) { return std::string("\t\t\t") + date + "\t\t\r\n"; };
    EXPECT_EQ(x.Fichier.Octets,
              f +
                  // The customer's debit, a credit per rate on the sales of services
                  // (nature unknown), the VAT of each rate.
                  vt1 + "411000\tClients\t10002\tGarage du Centre\t" + p1 + "225,50\t0,00" +
                  fin("20260305") + vt1 + "706000\tPrestations de services\t\t\t" + p1 +
                  "0,00\t100,00" + fin("20260305") + vt1 + "706000\tPrestations de services\t\t\t" +
                  p1 + "0,00\t100,00" + fin("20260305") + vt1 +
                  "445711\tTVA collect\xE9"
                  "e 20 %\t\t\t" +
                  p1 + "0,00\t20,00" + fin("20260305") + vt1 +
                  "445713\tTVA collect\xE9"
                  "e 5,5 %\t\t\t" +
                  p1 + "0,00\t5,50" + fin("20260305") +
                  // The credit note the other way round, its code kept as it is,
                  // its typographic quotes made plain.
                  vt2 + "411000\tClients\t10 03\tBoulangerie 'Chez Paul'\t" + p2 + "0,00\t12,00" +
                  fin("20260320") + vt2 + "706000\tPrestations de services\t\t\t" + p2 +
                  "10,00\t0,00" + fin("20260320") + vt2 +
                  "445711\tTVA collect\xE9"
                  "e 20 %\t\t\t" +
                  p2 + "2,00\t0,00" + fin("20260320") +
                  // Goods: 707.
                  vt3 + "411000\tClients\t10002\tGarage du Centre\t" + p3 + "109,99\t0,00" +
                  fin("20260402") + vt3 + "707000\tVentes de marchandises\t\t\t" + p3 +
                  "0,00\t99,99" + fin("20260402") + vt3 +
                  "445712\tTVA collect\xE9"
                  "e 10 %\t\t\t" +
                  p3 + "0,00\t10,00" + fin("20260402") +
                  // The received invoice: the charge and its VAT, the supplier's credit.
                  ac1 + "606000\tAchats non stock\xE9s de mati\xE8res et fournitures\t\t\t" + pa +
                  "250,00\t0,00" + fin("20260610") + ac1 +
                  "445660\tTVA d\xE9"
                  "ductible sur autres biens et services\t\t\t" +
                  pa + "50,00\t0,00" + fin("20260610") + ac1 +
                  "401000\tFournisseurs\t552100554\tFournitures Dupr\xE9\t" + pa + "0,00\t300,00" +
                  fin("20260610"));
    EXPECT_EQ(x.NbEcritures, 4);
    EXPECT_EQ(x.Fichier.NbLignes, 14);

    const QStringList r = TexteRapport(x);
    ASSERT_GE(r.size(), 6);
    EXPECT_EQ(r[0],
              QStringLiteral("Exercice du 01/01/2026 au 31/12/2026 : 4 écritures (14 lignes)."));
    EXPECT_EQ(r[1], QStringLiteral("Ventes : 2 factures et 1 avoir, solde des clients 323,49 €."));
    EXPECT_EQ(r[2], QStringLiteral("Achats : 1 facture reçue, solde des fournisseurs 300,00 €."));
    const QString tout = r.join(QLatin1Char('\n'));
    EXPECT_TRUE(tout.contains(QStringLiteral("Non exportés, à corriger (ils ne comptent pour rien "
                                             "dans le fichier) : Facture 202605001 du 10/05/2026 "
                                             "(ligne 1 : « 12,5x » n'est pas un nombre).")))
        << tout.toStdString();
    EXPECT_TRUE(tout.contains(QStringLiteral("« 10 03 »")));
    EXPECT_TRUE(tout.contains(QStringLiteral("’ par « ' » (8 fois)")));
    EXPECT_FALSE(tout.contains(QStringLiteral("francs")));
}

// Every byte the program's text may hold comes out as the same character in
// ISO 8859-15, or as the plain form the table gives, and is then counted.
TEST(FEC, JeuDeCaracteresIso885915) {
    QStringDecoder iso("ISO-8859-15");
    ASSERT_TRUE(iso.isValid());
    const std::map<unsigned char, std::string> remplaces = {
        {0x82, ","},   {0x83, "f"},    {0x84, "\""},  {0x85, "..."}, {0x86, "+"}, {0x87, "+"},
        {0x88, "^"},   {0x89, "o/oo"}, {0x8B, "<"},   {0x91, "'"},   {0x92, "'"}, {0x93, "\""},
        {0x94, "\""},  {0x95, "-"},    {0x96, "-"},   {0x97, "-"},   {0x98, "~"}, {0x99, "TM"},
        {0x9B, ">"},   {0xA4, "?"},    {0xA6, "|"},   {0xA8, "\""},  {0xB4, "'"}, {0xB8, ","},
        {0xBC, "1/4"}, {0xBD, "1/2"},  {0xBE, "3/4"}, {0x81, "?"},   {0x8D, "?"}, {0x8F, "?"},
        {0x90, "?"},   {0x9D, "?"}};
    for (int b = 0; b < 256; ++b) {
        const auto c = static_cast<unsigned char>(b);
        std::array<int, 256> compte{};
        const std::string sortie = Vers885915(std::string(1, static_cast<char>(c)), compte);
        const QString lu = iso(QByteArray::fromStdString(sortie));
        if (c < 0x20 || c == 0x7F) {
            EXPECT_EQ(sortie, " ") << b;
            EXPECT_EQ(compte[c], 1) << b;
        } else if (const auto r = remplaces.find(c); r != remplaces.end()) {
            EXPECT_EQ(sortie, r->second) << b;
            EXPECT_EQ(compte[c], 1) << b;
        } else {
            EXPECT_EQ(lu, VersQString(std::string(1, static_cast<char>(c)))) << b;
            EXPECT_EQ(compte[c], 0) << b;
        }
    }
}

TEST(FEC, LivreEnFrancsConvertiAuTauxLegal) {
    Reglages r = test::ReglagesEuros();
    r.Devise = 0;
    r.TauxEuro = 6.5L; // the legal rate holds, whatever the settings say
    // 655,96 F TTC: 546,63 + 109,33 (20 %). Converted each: 656 -> 100,00 € TTC,
    // 83,33 € + 16,67 € = 100,00 €.
    const Lignes livre = test::LivreCompta(
        {{0, GenreFacture, "200103001", "15/03/2001", {"Travaux\t1\t546,63\t\t\t1"}}});
    const ExportFEC x = Prepare(livre, {}, r, Siren, 2001);
    EXPECT_NE(
        x.Fichier.Octets.find("411000\tClients\t10002\tGarage du Centre\t200103001\t20010315\t"
                              "Facture 200103001 Garage du Centre\t100,00\t0,00"),
        std::string::npos);
    EXPECT_NE(x.Fichier.Octets.find("\t0,00\t83,33\t"), std::string::npos);
    EXPECT_NE(x.Fichier.Octets.find("\t0,00\t16,67\t"), std::string::npos);
    EXPECT_TRUE(TexteRapport(x).join(' ').contains(QStringLiteral("6,55957 francs pour un euro")));
    EXPECT_EQ(EnEuros(65596), 10000);
    EXPECT_EQ(EnEuros(-65596), -10000);
    EXPECT_EQ(EnEuros(3), 0); // 0,0046 €
    EXPECT_EQ(EnEuros(4), 1); // 0,0061 €
    EXPECT_EQ(EnEuros(-4), -1);
}

TEST(FEC, CeQuiEmpecheLExport) {
    const Reglages r = test::ReglagesEuros();
    const Journal j = LitJournal(LivreAnnee(), r);
    PlanComptable sansCompte = PlanParDefaut(r);
    sansCompte.Marchandises.Numero.clear();
    struct Cas {
        std::string siren;
        PlanComptable plan;
        int annee;
        QString debut;
    };
    const Cas cas[] = {
        {"", PlanParDefaut(r), 2026, QStringLiteral("Le nom du fichier porte le SIREN")},
        {"  ", PlanParDefaut(r), 2026, QStringLiteral("Le nom du fichier porte le SIREN")},
        {"732829321", PlanParDefaut(r), 2026, QStringLiteral("Ce SIREN n'est pas valable")},
        {"73282932", PlanParDefaut(r), 2026, QStringLiteral("Un SIREN a exactement 9 chiffres.")},
        {Siren, sansCompte, 2026,
         QStringLiteral("Le compte des ventes de marchandises est vide. Corrigez-le dans "
                        "Paramètres > Comptabilité...")},
        {Siren, PlanParDefaut(r), 2024,
         QStringLiteral("L'exercice du 01/01/2024 au 31/12/2024 n'a aucune facture, aucun avoir "
                        "ni aucune facture reçue à exporter.")},
    };
    for (const auto& c : cas) {
        const auto x = PrepareFEC(j, c.plan, {}, r, c.siren, c.annee);
        ASSERT_TRUE(std::holds_alternative<QString>(x)) << c.siren;
        EXPECT_TRUE(std::get<QString>(x).startsWith(c.debut)) << std::get<QString>(x).toStdString();
    }
    // Blanks typed inside the SIREN are no fault.
    EXPECT_TRUE(std::holds_alternative<ExportFEC>(
        PrepareFEC(j, PlanParDefaut(r), {}, r, "732 829 320", 2026)));
    // A year holding only a document that cannot be counted says so.
    const auto seul = PrepareFEC(
        LitJournal(
            test::LivreCompta({{0, GenreFacture, "202605001", "10/05/2026", {"A\t1\tx\t\t\t1"}}}),
            r),
        PlanParDefaut(r), {}, r, Siren, 2026);
    ASSERT_TRUE(std::holds_alternative<QString>(seul));
    EXPECT_TRUE(std::get<QString>(seul).endsWith(QStringLiteral(
        "à exporter. 1 document ne peut être compté : voyez le journal des ventes.")));
}

TEST(FEC, UnDossierQuiNePeutEtreEcritNeLaisseRienADemi) {
    test::DossierTemporaire dossier;
    const ExportFEC x = Prepare(LivreAnnee(), Sources(), test::ReglagesEuros());
    const QString chemin = dossier.chemin(x.NomFichier);
    EcritOctets(chemin, "ancien");
    for (const EtapeEcriture etape : test::EtapesEcriture) {
        SCOPED_TRACE(test::NomEtape(etape));
        const test::PanneEcritureSimulee panne(etape);
        try {
            EcritFEC(chemin, x);
            ADD_FAILURE() << "écrit malgré la panne";
        } catch (const ErreurExecution& e) {
            EXPECT_EQ(e.message(), QStringLiteral("Ne peut créer le fichier ") + chemin +
                                       QStringLiteral(". ") + test::CauseEtape(etape));
        }
        EXPECT_EQ(LitOctets(chemin), std::optional<std::string>("ancien"));
        EXPECT_EQ(QDir(dossier.path()).entryList(QDir::Files), QStringList{x.NomFichier});
    }
    EcritFEC(chemin, x);
    EXPECT_EQ(LitOctets(chemin), x.Fichier.Octets);
}

TEST(FEC, TiersSansCodeEtCaracteresDeControle) {
    const Reglages r = test::ReglagesEuros();
    SourcesCompta s;
    // A received invoice without supplier identifier, one whose totals do not add up.
    s.Achats.push_back({QDate(2026, 2, 1), "", "Sans Siren", "X1", false, 1000, 200, 1200, {}});
    s.Achats.push_back({QDate(2026, 2, 2), "1", "Faux", "X2", false, 1000, 200, 1300, {}});
    s.Achats.push_back({QDate(2026, 2, 3), "1", "Avoir", "X3", true, 1000, 200, 1200, {}});
    const ExportFEC x = Prepare(test::LivreCompta({{0,
                                                    GenreFacture,
                                                    "202601001",
                                                    "05/01/2026",
                                                    {"A\t1\t10,00\t\t\t1"},
                                                    "",
                                                    "Tab\tulation"}}),
                                s, r);
    // No auxiliary account without a code; a tab inside a name is a blank.
    EXPECT_NE(x.Fichier.Octets.find("411000\tClients\t\t\t202601001\t20260105\tFacture 202601001 "
                                    "Tab ulation\t12,00\t0,00"),
              std::string::npos);
    EXPECT_NE(x.Fichier.Octets.find("401000\tFournisseurs\t\t\tX1\t"), std::string::npos);
    // The received credit note: the supplier debited, the charge and its VAT credited.
    EXPECT_NE(x.Fichier.Octets.find("401000\tFournisseurs\t1\tAvoir\tX3\t20260203\tAvoir X3 "
                                    "Avoir\t12,00\t0,00"),
              std::string::npos);
    EXPECT_EQ(x.Fichier.Octets.find("X2"), std::string::npos);
    const QString t = TexteRapport(x).join(QLatin1Char('\n'));
    EXPECT_TRUE(
        t.contains(QStringLiteral("compte auxiliaire : Facture 202601001, Facture reçue X1.")))
        << t.toStdString();
    EXPECT_TRUE(t.contains(QStringLiteral("Factures reçues non exportées : X2 de Faux (H.T. 10,00 "
                                          "et TVA 2,00 ne font pas le TTC 13,00).")));
    EXPECT_TRUE(t.contains(QStringLiteral("tabulation par un blanc (3 fois)")));
}

} // namespace
} // namespace kyr
