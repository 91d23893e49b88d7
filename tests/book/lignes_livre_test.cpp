// What the book keeps about its lines against the same questions asked of the
// lines directly, on books of awkward lines changed in every way the type allows.
#include "book/bloc.h"
#include "book/lignes_livre.h"
#include "common/nombres.h"

#include <gtest/gtest.h>
#include <random>

namespace kyr::test {
namespace {

// The plain answers, found by going over every line.
std::vector<int> DebutsDirects(const Lignes& l) {
    std::vector<int> r;
    for (std::size_t i = 0; i < l.size(); ++i)
        if (CommenceDebut(l[i])) r.push_back(static_cast<int>(i));
    return r;
}

int SoldeDirect(const Lignes& l) {
    int s = 0;
    for (const auto& x : l)
        s += CommenceDebut(x) ? 1 : CommenceFin(x) ? -1 : 0;
    return s;
}

// The highest number of a kind as text ("" for none), or the error's text.
std::string NumeroDirect(const Lignes& l, std::string_view cle) {
    std::optional<int> m;
    try {
        for (const auto& x : l) {
            if (!CommencePar(x, cle)) continue;
            const std::string t = Trim(Debut(Depuis(x, 4), 255));
            if (t.empty()) continue;
            const int v = StrToInt(t);
            m = m ? std::max(*m, v) : v;
        }
    } catch (const ErreurExecution& e) {
        return "erreur " + e.message().toStdString();
    }
    return m ? std::to_string(*m) : std::string();
}

std::string NumeroGarde(const LignesLivre& l, std::string_view cle) {
    try {
        const auto m = l.PlusGrandNumero(cle);
        return m ? std::to_string(*m) : std::string();
    } catch (const ErreurExecution& e) {
        return "erreur " + e.message().toStdString();
    }
}

void CompareTout(const LignesLivre& livre, const std::string& etape) {
    const Lignes& l = livre;
    for (int n = 0; n < 40; ++n)
        ASSERT_EQ(livre.Premier(n), ChercheDebut(l, n)) << etape << " bloc " << n;
    for (int n : {9999, 10000, -1})
        ASSERT_EQ(livre.Premier(n), n >= 0 && n < NbFichesMax ? ChercheDebut(l, n) : -1) << etape;
    ASSERT_EQ(livre.Debuts(), DebutsDirects(l)) << etape;
    ASSERT_EQ(livre.Solde(), SoldeDirect(l)) << etape;
    for (const char* cle : {"NUMF", "NUMD"})
        ASSERT_EQ(NumeroGarde(livre, cle), NumeroDirect(l, cle)) << etape << ' ' << cle;
}

// Lines that look like, or almost like, the lines the questions are about.
const std::vector<std::string> Pieces = {"<BLOC0000>",
                                         "<BLOC0001>",
                                         "<BLOC0002>",
                                         "<bloc0001>",
                                         "<Bloc0003>",
                                         "<BLOC0003>x",
                                         "<BLOC12>",
                                         "<BLOC",
                                         "</BLOC0001>",
                                         "</BLOC0002>",
                                         "</bloc0000>",
                                         "NUMF200101001",
                                         "NUMF 200101009 ",
                                         "NUMFabc",
                                         "NUMF",
                                         "NUMD200102003",
                                         "NUMD-5",
                                         "NUMF2147483647",
                                         "NUM",
                                         "FACTx\t1\t2\t\t2\tN",
                                         "",
                                         " ",
                                         "MEMOnote",
                                         std::string(300, 'x'),
                                         "NUMF" + std::string(260, '9'),
                                         "NUMF" + std::string(251, ' ') + "7"};

TEST(LignesLivre, LesReponsesGardeesSontCellesDesLignesApresChaqueChangement) {
    std::mt19937 alea(12345);
    const auto piece = [&] { return Pieces[alea() % Pieces.size()]; };
    const auto position = [&](const LignesLivre& l) {
        return static_cast<std::ptrdiff_t>(alea() % (l.size() + 1));
    };
    LignesLivre livre;
    for (int i = 0; i < 30; ++i)
        livre.push_back(piece());
    for (int etape = 0; etape < 1500; ++etape) {
        CompareTout(livre, "etape " + std::to_string(etape));
        // Asked twice: the kept answers serve the second time.
        if (etape % 7 == 0) CompareTout(livre, "encore " + std::to_string(etape));
        switch (alea() % 12) {
        case 0:
            livre.push_back(piece());
            break;
        case 1:
            livre.insert(livre.begin() + position(livre), piece());
            break;
        case 2:
            if (!livre.empty()) livre.erase(livre.begin() + position(livre) % livre.size());
            break;
        case 3:
            if (!livre.empty()) livre[alea() % livre.size()] = piece();
            break;
        case 4:
            if (!livre.empty()) livre.pop_back();
            break;
        case 5:
            for (auto& l : livre) // through the iterators
                if (alea() % 8 == 0) l = piece();
            break;
        case 6:
            if (!livre.empty()) livre.Modifiables()[alea() % livre.size()] = piece();
            break;
        case 7: {
            Lignes l(livre.lignes());
            l.push_back(piece());
            livre = l; // a whole book given
            break;
        }
        case 8: {
            LignesLivre autre = livre;
            autre.push_back(piece());
            livre = std::move(autre);
            break;
        }
        case 9:
            if (!livre.empty()) livre.back() = piece();
            break;
        case 10:
            if (livre.size() > 60) livre.resize(livre.size() / 2);
            break;
        default:
            if (alea() % 20 == 0) livre.clear();
            break;
        }
    }
}

TEST(LignesLivre, UnLivreDeplaceNeGardeRienDeLAutre) {
    LignesLivre a{"<BLOC0000>", "NUMF200101001", "</BLOC0000>"};
    ASSERT_EQ(a.Premier(0), 0);
    ASSERT_EQ(a.PlusGrandNumero("NUMF"), 200101001);
    LignesLivre b = std::move(a);
    a = Lignes{"x", "<BLOC0000>"};
    EXPECT_EQ(a.Premier(0), 1);
    EXPECT_EQ(a.PlusGrandNumero("NUMF"), std::nullopt);
    EXPECT_EQ(b.Premier(0), 0);
    std::swap(a, b);
    EXPECT_EQ(a.Premier(0), 0);
    EXPECT_EQ(b.Premier(0), 1);
}

} // namespace
} // namespace kyr::test
