#include "book/societe.h"
#include "common/texte.h"
#include "support/dossier_temporaire.h"

#include <QFile>
#include <gtest/gtest.h>

using namespace kyr;

TEST(Societe, SevenLinesWrittenAndAtMostSevenRead) {
    kyr::test::DossierTemporaire dossier;
    LignesSociete s{"a", "b", "c", "d", "e", "f", "g"};
    EXPECT_FALSE(ChargeSoc(s));
    EXPECT_EQ(s[6], "g");

    EcritFichier(NomFichierSociete, {"Un", "Deux", "Trois"});
    ASSERT_TRUE(ChargeSoc(s));
    EXPECT_EQ(s, (LignesSociete{"Un", "Deux", "Trois", "d", "e", "f", "g"}));

    EcritFichier(NomFichierSociete, {"1", "2", "3", "4", "5", "6", "7", "8", "9"});
    ASSERT_TRUE(ChargeSoc(s));
    EXPECT_EQ(s, (LignesSociete{"1", "2", "3", "4", "5", "6", "7"}));

    SauveSoc({"SARL \xC9lec", "", "", "", "", "", ""});
    QFile f(NomFichierSociete);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll().toStdString(), "SARL \xC9lec\r\n\r\n\r\n\r\n\r\n\r\n\r\n");
}
