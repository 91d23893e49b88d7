// The FEC of a generated year (a few hundred invoices and credit notes at
// three rates, a few received invoices) read back field by field: the names
// line, eighteen fields, the character set, dates, balanced entries, gapless
// numbers, and totals equal to the sales journal's.
#include "comptabilite/export_fec.h"
#include "comptabilite/livres_compta.h"
#include "generateur/generateur.h"

#include <QStringDecoder>
#include <gtest/gtest.h>
#include <cstdlib>
#include <map>
#include <set>

namespace kyr {
namespace {

constexpr int Annee = 1997;

struct LigneLue {
    std::vector<std::string> champs;
    Centimes debit = 0, credit = 0;
};

Centimes Lit(const std::string& s) {
    // "1234,56": a comma, two decimals, no separator, never negative.
    EXPECT_EQ(s.find_first_not_of("0123456789,"), std::string::npos) << s;
    const auto virgule = s.find(',');
    EXPECT_EQ(virgule, s.size() - 3) << s;
    return std::stoll(s.substr(0, virgule)) * 100 + std::stoll(s.substr(virgule + 1));
}

std::vector<LigneLue> Relit(const std::string& octets) {
    std::vector<LigneLue> lignes;
    std::size_t debut = 0;
    bool premiere = true;
    while (debut < octets.size()) {
        const auto fin = octets.find("\r\n", debut);
        EXPECT_NE(fin, std::string::npos) << "dernière ligne sans CR LF";
        if (fin == std::string::npos) break;
        const std::string l = octets.substr(debut, fin - debut);
        debut = fin + 2;
        if (premiere) {
            EXPECT_EQ(l, NomsChampsFEC);
            premiere = false;
            continue;
        }
        LigneLue lu;
        std::size_t p = 0;
        for (;;) {
            const auto tab = l.find('\t', p);
            lu.champs.push_back(l.substr(p, tab == std::string::npos ? tab : tab - p));
            if (tab == std::string::npos) break;
            p = tab + 1;
        }
        EXPECT_EQ(lu.champs.size(), 18u) << l;
        if (lu.champs.size() != 18) continue;
        lu.debit = Lit(lu.champs[11]);
        lu.credit = Lit(lu.champs[12]);
        lignes.push_back(std::move(lu));
    }
    return lignes;
}

SourcesCompta Achats() {
    SourcesCompta s;
    const auto achat = [&s](int mois, const char* numero, bool avoir, Centimes ht20,
                            Centimes ht55) {
        const Centimes t20 = ht20 / 5, t55 = ht55 * 55 / 1000;
        Achat a{QDate(Annee, mois, 12),
                "552100554",
                "Fournitures Dupr\xE9",
                numero,
                avoir,
                ht20 + ht55,
                t20 + t55,
                ht20 + ht55 + t20 + t55,
                {}};
        if (ht20) a.ParTaux.push_back({2000, ht20, t20});
        if (ht55) a.ParTaux.push_back({550, ht55, t55});
        s.Achats.push_back(a);
    };
    achat(2, "FA-101", false, 12000, 0);
    achat(5, "FA-187", false, 5000, 2000);
    achat(7, "AV-12", true, 1500, 0);
    achat(11, "FA-260", false, 0, 40000);
    // Goods one document in three, by its number.
    s.Nature = [](const VenteJournal& v) -> std::optional<NatureOperation> {
        if (std::stoll(v.Numero) % 3 == 0) return NatureOperation::Biens;
        return std::nullopt;
    };
    return s;
}

class AnneeGeneree : public ::testing::TestWithParam<bool> {};

TEST_P(AnneeGeneree, RelueChampParChamp) {
    const bool francs = GetParam();
    Reglages r = test::ReglagesEuros();
    if (francs) r.Devise = 0;
    const Lignes livre = banc::GenereLivre(3000);
    const Journal j = LitJournal(livre, r);
    const SourcesCompta s = Achats();
    const auto x = PrepareFEC(j, PlanParDefaut(r), s, r, "732829320", Annee);
    ASSERT_TRUE(std::holds_alternative<ExportFEC>(x));
    const ExportFEC& e = std::get<ExportFEC>(x);
    EXPECT_EQ(e.NomFichier, QStringLiteral("732829320FEC19971231.txt"));

    // The year's sales, as the journal counts them.
    const VueJournal vue = Selectionne(j, {QDate(Annee, 1, 1), QDate(Annee, 12, 31)}, r);
    ASSERT_GT(vue.Ventes.size(), 250u);
    std::map<std::string, const VenteJournal*> parNumero;
    int avoirs = 0;
    for (const VenteJournal* v : vue.Ventes) {
        parNumero[v->Numero + (v->Sorte == SorteVente::Avoir ? "A" : "F")] = v;
        avoirs += v->Sorte == SorteVente::Avoir;
    }
    ASSERT_GT(avoirs, 20);
    std::set<int> codes;
    for (const VenteJournal* v : vue.Ventes)
        for (int k = 1; k <= 3; ++k)
            if (v->BaseCode[k] != 0) codes.insert(k);
    EXPECT_EQ(codes.size(), 3u);

    // No byte the character set lacks: no control character, nothing in 0x80..0x9F.
    for (const char c : e.Fichier.Octets) {
        const auto o = static_cast<unsigned char>(c);
        EXPECT_TRUE(o >= 0x20 || o == '\t' || o == '\r' || o == '\n') << int(o);
        EXPECT_FALSE(o >= 0x80 && o < 0xA0) << int(o);
    }
    EXPECT_TRUE(e.Fichier.Remplacements.empty());

    const std::vector<LigneLue> lignes = Relit(e.Fichier.Octets);
    ASSERT_EQ(static_cast<int>(lignes.size()), e.Fichier.NbLignes);
    QStringDecoder iso("ISO-8859-15");
    std::map<std::string, Centimes> soldes; // by account: debit - credit
    std::map<std::string, std::vector<int>> numeros;
    std::map<std::string, Centimes> equilibre;
    std::map<std::string, QDate> derniereDate;
    int ventes = 0, achats = 0;
    std::string courante;
    Centimes clientsAttendus = 0;
    std::array<Centimes, 4> tvaAttendue{};
    Centimes marchandisesAttendues = 0;
    for (const LigneLue& l : lignes) {
        const auto& c = l.champs;
        const std::string journal = c[0], num = c[2];
        EXPECT_TRUE(journal == "VT" || journal == "AC") << journal;
        EXPECT_EQ(c[1], journal == "VT" ? "Ventes" : "Achats");
        ASSERT_EQ(num.substr(0, 2), journal);
        const QDate date =
            QDate::fromString(QString::fromStdString(c[3]), QStringLiteral("yyyyMMdd"));
        ASSERT_TRUE(date.isValid()) << c[3];
        EXPECT_EQ(date.year(), Annee);
        EXPECT_EQ(c[9], c[3]);  // PieceDate
        EXPECT_EQ(c[15], c[3]); // ValidDate
        for (int k : {13, 14, 16, 17})
            EXPECT_EQ(c[static_cast<std::size_t>(k)], "") << k;
        EXPECT_FALSE(c[10].empty());
        EXPECT_FALSE(c[5].empty());
        EXPECT_EQ(c[6].empty(), c[7].empty());
        EXPECT_TRUE(l.debit == 0 || l.credit == 0);
        soldes[c[4]] += l.debit - l.credit;
        equilibre[num] += l.debit - l.credit;
        if (num != courante) {
            // A new entry: its number follows the journal's last without a gap,
            // on a date no earlier.
            courante = num;
            auto& n = numeros[journal];
            const int numero = std::stoi(num.substr(2));
            EXPECT_EQ(numero, static_cast<int>(n.size()) + 1) << num;
            n.push_back(numero);
            EXPECT_GE(date, derniereDate[journal]) << num;
            derniereDate[journal] = date;
            if (journal == "AC") {
                ++achats;
                continue;
            }
            ++ventes;
            const bool avoir = c[10].rfind("Avoir ", 0) == 0;
            EXPECT_TRUE(avoir || c[10].rfind("Facture ", 0) == 0) << c[10];
            const auto v = parNumero.find(c[8] + (avoir ? "A" : "F"));
            ASSERT_NE(v, parNumero.end()) << c[8];
            const VenteJournal& vj = *v->second;
            EXPECT_EQ(date, vj.Date);
            // The first line is the customer's, with the client's code and name
            // read back through ISO 8859-15.
            EXPECT_EQ(c[4], "411000");
            EXPECT_EQ(c[6], vj.CodeClient);
            EXPECT_EQ(iso(QByteArray::fromStdString(c[7])), VersQString(Trim(vj.NomClient)));
            EXPECT_EQ(c[10],
                      (avoir ? "Avoir " : "Facture ") + vj.Numero + " " + Trim(vj.NomClient));
            const ChiffresVente f = ChiffresDe(vj, francs);
            EXPECT_EQ(l.debit - l.credit, f.TTC);
            clientsAttendus += f.TTC;
            for (int k = 1; k <= 3; ++k)
                tvaAttendue[k] += f.TVA[k];
            if (std::stoll(vj.Numero) % 3 == 0)
                marchandisesAttendues += f.TVA[1] + f.TVA[2] + f.TVA[3] - f.TTC;
        }
    }
    EXPECT_EQ(ventes, static_cast<int>(vue.Ventes.size()));
    EXPECT_EQ(achats, 4);
    EXPECT_EQ(e.NbEcritures, ventes + achats);
    for (const auto& [num, solde] : equilibre)
        EXPECT_EQ(solde, 0) << num;

    // The totals: the journal's, to the cent (a book in francs: the sum of each
    // document's figures converted).
    EXPECT_EQ(soldes["411000"], clientsAttendus);
    EXPECT_EQ(soldes["707000"], marchandisesAttendues);
    for (int k = 1; k <= 3; ++k)
        EXPECT_EQ(-soldes["44571" + std::to_string(k)], tvaAttendue[k]) << k;
    if (!francs) {
        EXPECT_EQ(soldes["411000"], vue.Totaux.TTC);
        for (int k = 1; k <= 3; ++k)
            EXPECT_EQ(-soldes["44571" + std::to_string(k)], vue.Totaux.TVACode[k]) << k;
        // The sales take the journal's amounts before tax, save the rounding
        // cents of the captions, which the report counts.
        const Centimes ventesHT = -soldes["706000"] - soldes["707000"];
        EXPECT_LE(std::llabs(ventesHT - vue.Totaux.HT), 2 * (e.Rapport.Arrondis + 1));
    }
    EXPECT_EQ(soldes["401000"], -(14400 + 8110 - 1800 + 42200));
    EXPECT_EQ(soldes["445660"], 2400 + 1110 - 300 + 2200);
    EXPECT_EQ(soldes["606000"], 12000 + 7000 - 1500 + 40000);
    EXPECT_EQ(TexteRapport(e).join(' ').contains(QStringLiteral("francs")), francs);
}

INSTANTIATE_TEST_SUITE_P(EurosEtFrancs, AnneeGeneree, ::testing::Values(false, true),
                         [](const auto& i) { return i.param ? "Francs" : "Euros"; });

} // namespace
} // namespace kyr
