#include "book/parametres.h"
#include "common/texte.h"
#include "support/dossier_temporaire.h"
#include "support/plateforme_fausse.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

using namespace kyr;
using kyr::test::DossierTemporaire;
using kyr::test::PlateformeFausse;

TEST(Paramf, InitTextsAndResultUpToTheFirstRateThatIsNotANumber) {
    Reglages r;
    r.ConditionsReglement = {"un", "deux", "trois", "quatre", "cinq", "six", "sept", "huit"};
    const ChampsParamf init = InitParamf(r);
    EXPECT_EQ(init.Edit, (std::array<std::string, 9>{"6,55957", "20,60", "0,00", "5,50", "un",
                                                     "deux", "trois", "quatre", "cinq"}));
    const long double e = 6.55957L;
    for (const auto& [textes, attendus] :
         std::vector<std::pair<std::array<std::string, 4>, std::array<long double, 4>>>{
             {{"6,6", "19,6", "2,1", "7"}, {6.6L, 19.6L, 2.1L, 7}},
             {{",", "19,6", "2,1", "7"}, {e, 20.6L, 0, 5.5L}},
             {{"7", "19,6", "", "7"}, {7, 19.6L, 0, 5.5L}},
             {{"0", std::string(50, '9'), "2", "7"}, {0, 20.6L, 0, 5.5L}}}) {
        SCOPED_TRACE(textes[0] + "|" + textes[1] + "|" + textes[2]);
        Reglages lu = r;
        ChampsParamf c = init;
        std::copy(textes.begin(), textes.end(), c.Edit.begin());
        c.Edit[5] = "";  // Edit6 cleared: the list closes up
        c.Edit[7] = " "; // blanks count as text
        c.Devise = 1;
        c.OmettreConversion = true;
        ResultParamf(c, lu);
        EXPECT_EQ(lu.TauxEuro.valeur(), Reel6(attendus[0]).valeur());
        for (int k = 1; k <= 3; ++k)
            EXPECT_EQ(lu.TauxTVA[k].valeur(), Reel6(attendus[k]).valeur());
        // Whatever the rates did, the rest of the answer is taken.
        EXPECT_EQ(lu.ConditionsReglement, (Lignes{"un", "trois", " ", "cinq"}));
        EXPECT_EQ(lu.Devise, 1);
        EXPECT_EQ(lu.OmettreConversion, 1);
    }
}

TEST(Paramf, RateFieldKeyFilter) {
    std::string tape;
    for (char c : std::string("\b1a-9 .E6,\x16\xE9"))
        if (const ToucheTaux t = FormKeyPress(c); !t.Avalee) tape += t.Caractere;
    EXPECT_EQ(tape, "\b19,6,");
    const ToucheTaux entree = FormKeyPress('\r');
    EXPECT_TRUE(entree.Accepte && entree.Avalee);
}

class ParF : public ::testing::Test {
protected:
    DossierTemporaire dossier;
    PlateformeFausse plateforme;
    Facture f{plateforme};
    void SetUp() override {
        f.reglages.DernierLivre = "Livre.fct";
        // A document being typed, never stored in the book.
        f.fiche.Cellules[1] = {"Vis", "3", "10", "10", "", ""};
        f.DocumentModifie = true;
    }
};

TEST_F(ParF, AnswerSavedAndShownDocumentRecomputedInPlace) {
    ChampsParamf c = InitParamf(f.reglages);
    c.Edit[1] = "10";
    c.Devise = 1;
    AppliqueParF(f, c);
    const Lignes ini = LitFichier(NomFichierIni).value_or(Lignes{});
    ASSERT_EQ(ini.size(), 17u);
    EXPECT_EQ(ini[2], " 1.00000000000000E+0001");
    EXPECT_EQ(ini[5], "Livre.fct");
    EXPECT_EQ(f.fiche.Cellules[1][0], "Vis");
    EXPECT_EQ((std::array{f.fiche.TotalTVA, f.fiche.TotalTTC, f.fiche.TotalConverti,
                          f.fiche.Devise1, f.fiche.Devise2}),
              (std::array<std::string, 5>{"2,70", "29,70", "194,82", "Euros", "Francs"}));
    EXPECT_TRUE(f.DocumentModifie);

    c.Edit[0] = "0"; // accepted by the dialog: no converted total, no crash
    AppliqueParF(f, c);
    EXPECT_EQ(f.fiche.TotalTTC, "29,70");
    EXPECT_EQ(f.fiche.TotalConverti, "");

    AppliqueParF(f, std::nullopt); // cancelled: the file is still written
    EXPECT_EQ(f.reglages.TauxEuro.valeur(), 0);
    EXPECT_TRUE(plateforme.erreurs.empty());
}

TEST_F(ParF, WriteFailureIsShownAndTheAnswerStillApplies) {
    QDir().mkdir(NomFichierIni);
    ChampsParamf c = InitParamf(f.reglages);
    c.OmettreConversion = true;
    AppliqueParF(f, c);
    EXPECT_EQ(plateforme.erreurs,
              std::vector<QString>{QStringLiteral(
                  "Ne peut créer le fichier KyrFact.ini. Un dossier porte ce nom. Les "
                  "modifications sont toujours dans la fenêtre : elles ne sont pas enregistrées")});
    EXPECT_EQ(f.fiche.Devise2, "");
    EXPECT_EQ(f.fiche.TotalConverti, "");
}

TEST(Psoc, DescriptionChangesOnlyWithAFirstLine) {
    DossierTemporaire dossier;
    PlateformeFausse plateforme;
    Facture f(plateforme);
    LignesSociete s{"x1", "x2", "x3", "x4", "x5", "x6", "x7"};
    ResultSociete({"A", "B", "", "", "", "", ""}, false, s);
    EXPECT_EQ(s, (LignesSociete{"", "x2", "x3", "x4", "x5", "x6", "x7"}));

    EXPECT_FALSE(AppliquePsoc(f, LignesSociete{}, true));
    EXPECT_FALSE(AppliquePsoc(f, {"SARL", "", "", "", "", "", ""}, false));
    EXPECT_FALSE(QFile::exists(NomFichierSociete));
    EXPECT_TRUE(AppliquePsoc(f, {"SARL Dupont", "", "", "", "", "", ""}, true));
    EXPECT_EQ(LitFichier(NomFichierSociete), (Lignes{"SARL Dupont", "", "", "", "", "", ""}));
    f.Societe[1] = "1 rue Haute";
    EXPECT_FALSE(AppliquePsoc(f, {"", "2 rue Basse", "", "", "", "", ""}, true));
    EXPECT_EQ(f.Societe[1], "1 rue Haute");

    QFile::remove(NomFichierSociete);
    QDir().mkdir(NomFichierSociete);
    EXPECT_TRUE(AppliquePsoc(f, {"SARL", "", "", "", "", "", ""}, true));
    EXPECT_EQ(plateforme.erreurs,
              std::vector<QString>{
                  QStringLiteral("Ne peut créer le fichier Fact.soc. Un dossier porte ce nom")});
}

TEST(ParM, PageSetupValues) {
    Reglages r;
    r.TypePapier = 7; // hand-edited file
    r.DecalageEnveloppe = 100;
    const ChoixMiseEnPage c = InitParM(r);
    EXPECT_EQ(c.TypePapier, 0);
    EXPECT_TRUE(c.GuideADroite);
    EXPECT_FALSE(AppliqueParM(r, {-1, 1, false}));
    EXPECT_FALSE(AppliqueParM(r, {1, -1, false}));
    EXPECT_EQ(r.TypePapier, 7);
    EXPECT_EQ(r.DecalageEnveloppe, 100);
    EXPECT_TRUE(AppliqueParM(r, {2, 1, false}));
    EXPECT_EQ((std::array{r.TypePapier, r.OrientationEnveloppe, r.DecalageEnveloppe}),
              (std::array{2, 1, 0}));
}
