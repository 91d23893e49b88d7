// "--verifier" is one of the program's commands for scripts.
#include "shell/ligne_commande.h"

#include <cstdio>
#include <gtest/gtest.h>

namespace kyr {
namespace {

TEST(LigneDeCommande, VerifierSansFichierDitSonUsage) {
    std::FILE* sortie = std::tmpfile();
    std::FILE* erreurs = std::tmpfile();
    EXPECT_EQ(LigneDeCommande({"--verifier"}, sortie, erreurs), 2);
    EXPECT_GT(std::ftell(erreurs), 0);
    EXPECT_EQ(std::ftell(sortie), 0);
    std::fclose(sortie);
    std::fclose(erreurs);
    EXPECT_EQ(LigneDeCommande({"livre.fct"}, stdout, stderr), std::nullopt);
}

} // namespace
} // namespace kyr
