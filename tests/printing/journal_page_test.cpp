// The printed sales journal on the recording page device.
#include "printing/page_journal.h"
#include "support/surface_enregistree.h"

#include <gtest/gtest.h>

namespace kyr {
namespace {

// A landscape A4 printable area, 10 device units a millimetre.
test::SurfaceEnregistree Paysage() {
    test::SurfaceEnregistree s;
    s.largeurPixels = 2870;
    s.hauteurPixels = 2000;
    s.largeurMm = 287;
    s.hauteurMm = 200;
    return s;
}

Journal Ventes(int n) {
    Journal j;
    for (int k = 0; k < n; ++k) {
        VenteJournal v;
        v.Bloc = k;
        v.Date = QDate(2000, 1, 1).addDays(k % 28);
        v.Numero = std::to_string(200001000 + k);
        v.CodeClient = "10002";
        v.NomClient = "Client " + std::to_string(k);
        v.HT = 1000 + k;
        v.TVA = 206;
        v.TTC = v.HT + v.TVA;
        j.Ventes.push_back(v);
    }
    return j;
}

// The page (0-based) of each text drawn.
std::vector<std::pair<int, std::string>> TextesParPage(const test::SurfaceEnregistree& s) {
    std::vector<std::pair<int, std::string>> r;
    int page = 0;
    for (const auto& t : s.traces) {
        if (t.sorte == test::Trace::Page) ++page;
        if (t.sorte == test::Trace::Texte) r.emplace_back(page, t.texte);
    }
    return r;
}

int PageDe(const std::vector<std::pair<int, std::string>>& textes, const std::string& t) {
    for (const auto& [p, texte] : textes)
        if (texte == t) return p;
    return -1;
}

TEST(PageJournal, PagesEnTetesNumerosEtTotauxALaFin) {
    // 31 rows a page; the totals block (6 rows) and the numbering of the
    // series (a blank row and its line) go whole on one page.
    struct Cas {
        int ventes, pages, pageTotaux;
    };
    const Cas cas[] = {{0, 1, 0}, {23, 1, 0}, {24, 2, 1}, {31, 2, 1}, {70, 3, 2}};
    for (const Cas& c : cas) {
        SCOPED_TRACE(c.ventes);
        const Journal j = Ventes(c.ventes);
        const VueJournal v = Selectionne(j, {QDate(2000, 1, 1), QDate(2000, 1, 31)}, Reglages{});
        auto s = Paysage();
        EXPECT_EQ(NbPagesJournal(s, v), c.pages);
        DessineJournal(s, v);
        EXPECT_EQ(static_cast<int>(s.De(test::Trace::Page).size()), c.pages - 1);
        const auto textes = TextesParPage(s);
        for (int p = 0; p < c.pages; ++p) {
            int titres = 0, entetes = 0, numeros = 0;
            for (const auto& [page, t] : textes) {
                if (page != p) continue;
                titres += t == "Journal des ventes";
                entetes += t == "Nom du client";
                numeros += t == "Page " + std::to_string(p + 1) + "/" + std::to_string(c.pages);
            }
            EXPECT_EQ(titres, 1) << p;
            EXPECT_EQ(entetes, 1) << p;
            EXPECT_EQ(numeros, 1) << p;
        }
        EXPECT_EQ(PageDe(textes, "Total de la p\xE9riode"), c.pageTotaux);
        EXPECT_EQ(PageDe(textes, "Reste \xE0 payer"), c.pageTotaux);
        EXPECT_EQ(
            PageDe(textes, "Num\xE9rotation continue : aucun num\xE9ro manquant ni en double"),
            c.pageTotaux);
        for (int k = 0; k < c.ventes; ++k)
            EXPECT_EQ(PageDe(textes, std::to_string(200001000 + k)), k / 31);
        EXPECT_EQ(PageDe(textes, "P\xE9riode du 01/01/2000 au 31/01/2000"), 0);
    }
}

TEST(PageJournal, MontantsAlignesADroiteEtTotauxParCode) {
    Journal j = Ventes(3);
    j.Ventes[1].HT = -123456;
    j.Ventes[1].TTC = -123456 + 206;
    j.Ventes[0].BaseCode[3] = 1000;
    j.Ventes[0].TVACode[3] = 55;
    DocumentEcarte e;
    e.Bloc = 9;
    e.TexteDate = "32/01/2000";
    e.Raison = QStringLiteral("'32/01/2000' n'est pas une date correcte");
    j.Ecartes.push_back(e);
    const VueJournal v = Selectionne(j, {QDate(2000, 1, 1), QDate(2000, 1, 31), true}, Reglages{});
    auto s = Paysage();
    DessineJournal(s, v);

    // Every amount of the H.T. column ends at the same place, its heading too.
    const auto fin = [&s](const std::string& t) {
        for (const auto& tr : s.De(test::Trace::Texte))
            if (tr.texte == t) return tr.x1 + s.LargeurTexte(t);
        return -1;
    };
    EXPECT_EQ(fin("10,00"), fin("Total H.T."));
    EXPECT_EQ(fin("-1234,56"), fin("Total H.T."));
    EXPECT_EQ(fin("-1214,54"), fin("Total H.T.")); // the period's H.T.
    const auto textes = s.Textes();
    const auto contient = [&textes](const std::string& t) {
        return std::find(textes.begin(), textes.end(), t) != textes.end();
    };
    EXPECT_TRUE(contient("Code TVA 3 : taux 5,5 %, base H.T. et TVA"));
    EXPECT_TRUE(contient("0,55"));
    EXPECT_TRUE(contient("P\xE9riode du 01/01/2000 au 31/01/2000, factures non pay\xE9"
                         "es seulement"));
    EXPECT_TRUE(contient("Documents non compt\xE9s"));
    EXPECT_TRUE(contient("'32/01/2000' n'est pas une date correcte"));
    // Nothing is drawn past the printable area.
    for (const auto& t : s.De(test::Trace::Texte)) {
        EXPECT_GE(t.x1, 0) << t.texte;
        EXPECT_LE(t.x1 + s.LargeurTexte(t.texte), s.largeurPixels) << t.texte;
        EXPECT_LT(t.y1, s.hauteurPixels) << t.texte;
    }
}

} // namespace
} // namespace kyr
