#include "book/glossaire.h"
#include "support/dossier_temporaire.h"

#include <gtest/gtest.h>

using namespace kyr;

TEST(Expansion, WholeCellAbbreviationInAnyCaseFirstEntryWins) {
    const std::string longue(300, 'x');
    const Lignes g = {"TVA\tTaxe", "tva\tSecond", "\xE9t\t\xC9t\xE9", "L\t" + longue, longue};
    for (const auto& [cellule, attendu] :
         std::vector<std::pair<std::string, std::optional<std::string>>>{
             {"tva", "Taxe"},
             {"TvA", "Taxe"},
             {"TVA2", std::nullopt},
             {"Pose tva", std::nullopt},
             // only a to z change case
             {"\xE9T", "\xC9t\xE9"},
             {"\xC9T", std::nullopt},
             // cut at 255; a line without TAB expands an empty cell to the whole line
             {"l", std::string(255, 'x')},
             {"", std::string(255, 'x')}})
        EXPECT_EQ(Expansion(g, cellule), attendu) << cellule;
}

TEST(Glossaire, FileRoundTripAndMissingFile) {
    kyr::test::DossierTemporaire dossier;
    Lignes g = {"avant"};
    EXPECT_FALSE(ChargeGlo(g));
    EXPECT_EQ(g, Lignes{"avant"});
    const Lignes ecrit = {"TVA\tTaxe", "", "SANS TAB",
                          "R\tR\xE9"
                          "duction\tdeux"};
    SauveGlo(ecrit);
    EXPECT_EQ(LitFichier(NomFichierGlossaire), ecrit);
    ASSERT_TRUE(ChargeGlo(g));
    EXPECT_EQ(g, ecrit);
}
