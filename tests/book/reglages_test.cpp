#include "book/reglages.h"
#include "common/erreurs.h"
#include "support/dossier_temporaire.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

using namespace kyr;
using kyr::test::DossierTemporaire;

namespace {

std::string Octets(const QString& chemin) {
    QFile f(chemin);
    return f.open(QIODevice::ReadOnly) ? f.readAll().toStdString() : "<absent>";
}
void Ecrit(const std::string& octets) {
    QFile f(NomFichierIni);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(octets.data(), static_cast<qint64>(octets.size()));
}

} // namespace

TEST(SauveIni, DefaultsLineForLineInWindows1252) {
    DossierTemporaire dossier;
    SauveIni(Reglages{}, "C:\\Factures\\Livre.fct");
    EXPECT_EQ(Octets(NomFichierIni), " 0.00000000000000E+0000\r\n 6.55957000000000E+0000\r\n"
                                     " 2.06000000000000E+0001\r\n 0.00000000000000E+0000\r\n"
                                     " 5.50000000000000E+0000\r\nC:\\Factures\\Livre.fct\r\n"
                                     "0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n"
                                     "A r\xE9"
                                     "ception\r\nR\xE9glement \xE0 30 jours\r\n"
                                     "R\xE9glement \xE0 60 jours\r\nR\xE9glement \xE0 90 jours\r\n"
                                     "En votre aimable r\xE9glement\r\n");
    QDir().mkdir("sous");
    EXPECT_THROW(SauveIni(Reglages{}, "", "sous"), ErreurExecution);
}

TEST(ChargeIni, RoundTripKeepsEveryValue) {
    DossierTemporaire dossier;
    Reglages r, lu;
    EXPECT_FALSE(ChargeIni(lu)); // no file: nothing changes
    r.ReserveIni = -1.5L;
    r.TauxEuro = 7.1L;
    r.TauxTVA = {0, 19.6L, 2.1L, -100};
    r.OuvertureAuto = r.Devise = r.OmettreConversion = r.OrientationEnveloppe = 1;
    r.TypePapier = 2;
    r.DecalageEnveloppe = 100;
    r.ConditionsReglement = {"Comptant",
                             "",
                             "  ",
                             "a",
                             "b",
                             "c",
                             "d",
                             "\xC0 r\xE9"
                             "ception"};
    SauveIni(r, "livre.fct");
    ASSERT_TRUE(ChargeIni(lu));
    const std::string premier = Octets(NomFichierIni);
    SauveIni(lu, lu.DernierLivre);
    EXPECT_EQ(Octets(NomFichierIni), premier); // every value read back as written
    EXPECT_EQ(lu.TauxTVA[1].valeur(), Reel6(19.6L).valeur());
    EXPECT_EQ(lu.DernierLivre, "livre.fct");
    EXPECT_EQ(lu.ConditionsReglement, r.ConditionsReglement);
    EXPECT_TRUE(AutoOuverture(lu));
}

TEST(ChargeIni, OddFiles) {
    struct Cas {
        const char* nom;
        std::string contenu;
        long double euro, tva2;
        int auto_, papier;
        std::string livre;
        std::size_t conditions;
    };
    const std::string douze = "20.6\r\n0\r\n5.5\r\nL.fct\r\n2\r\nlettre\r\n0\r\n0\r\n0\r\n0\r\n";
    for (const Cas& c : std::vector<Cas>{
             {"rate 0.1 floored", "0\r\n0.1\r\n" + douze, 6.55957L, 0, 2, 0, "L.fct", 0},
             {"rate 0.2 kept", "0\r\n0.2\r\n" + douze + "x\r\n", 0.2L, 0, 2, 0, "L.fct", 1},
             {"blanks and words after numbers", " 0 \r\n  7.5 francs\r\n" + douze, 7.5L, 0, 2, 0,
              "L.fct", 0},
             {"rates hand-written with a decimal comma",
              "0\r\n7,25\r\n20,6\r\n2,1\r\n5,5\r\nL.fct\r\n2\r\n0\r\n0\r\n0\r\n0\r\n0\r\n", 7.25L,
              2.1L, 2, 0, "L.fct", 0},
             {"short file, no last line end", "0\r\n6.55957\r\n19.6\r\n4", 6.55957L, 4, 0, 0, "",
              0}}) {
        SCOPED_TRACE(c.nom);
        DossierTemporaire dossier;
        Ecrit(c.contenu);
        Reglages r;
        r.TypePapier = 9;
        ASSERT_TRUE(ChargeIni(r));
        EXPECT_EQ(r.TauxEuro.valeur(), Reel6(c.euro).valeur());
        EXPECT_EQ(r.TauxTVA[2].valeur(), Reel6(c.tva2).valeur());
        EXPECT_EQ(r.TauxTVA[3].valeur(), c.auto_ == 0 ? 0 : Reel6(5.5L).valeur());
        EXPECT_EQ(r.OuvertureAuto, c.auto_);
        EXPECT_FALSE(AutoOuverture(r));
        EXPECT_EQ(r.TypePapier, c.papier);
        EXPECT_EQ(r.DernierLivre, c.livre);
        EXPECT_EQ(r.ConditionsReglement.size(), c.conditions);
    }
}

TEST(ChargeValeursIni, TheStartReadsTheSameValuesWithoutTheConditions) {
    // What the start reads to know which book to read ahead: the twelve values
    // as ChargeIni reads them, however far down they stand, and nothing of the
    // payment conditions, which may be millions.
    const std::string douze =
        "0\r\n7.5\r\n20.6\r\n0\r\n5.5\r\nL.fct\r\n1\r\n2\r\n0\r\n0\r\n1\r\n0\r\n";
    std::string beaucoup = douze;
    for (int k = 0; k < 20000; ++k)
        beaucoup += "R\xE8glement \xE0 " + std::to_string(k) + " jours\r\n";
    for (const std::string& contenu :
         {douze + "Comptant\r\n", beaucoup, std::string(40000, '\n') + douze,
          "0\r\n" + std::string(70000, ' ') + "\r\n0.1\r\n20", std::string("0\r0.2\rL"),
          std::string()}) {
        SCOPED_TRACE(contenu.substr(0, 20));
        DossierTemporaire dossier;
        Ecrit(contenu);
        Reglages tout, valeurs;
        valeurs.ConditionsReglement = {"garde"};
        ASSERT_TRUE(ChargeIni(tout));
        ASSERT_TRUE(ChargeValeursIni(valeurs));
        EXPECT_EQ(valeurs.ConditionsReglement, Lignes{"garde"});
        valeurs.ConditionsReglement = tout.ConditionsReglement;
        EXPECT_EQ(LignesIni(valeurs, valeurs.DernierLivre), LignesIni(tout, tout.DernierLivre));
    }
    Reglages r;
    EXPECT_FALSE(ChargeValeursIni(r, "absent.ini"));
}

TEST(LibellesDevise, CurrencyCaptions) {
    for (const auto& [devise, omettre, l16, l17] :
         std::vector<std::tuple<int, int, std::string, std::string>>{{0, 0, "Francs", "Euros"},
                                                                     {1, 0, "Euros", "Francs"},
                                                                     {0, 1, "Francs", ""},
                                                                     {1, 5, "Euros", ""}}) {
        Reglages r;
        r.Devise = devise;
        r.OmettreConversion = omettre;
        EXPECT_EQ(LibellesDevise(r), std::make_pair(l16, l17));
    }
}
