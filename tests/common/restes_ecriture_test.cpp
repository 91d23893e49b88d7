// What saves cut short leave beside a file, and what the next start removes.
#include "common/restes_ecriture.h"
#include "common/texte.h"
#include "support/dossier_temporaire.h"

#include <QDir>
#include <QFile>
#include <QLockFile>
#include <QSysInfo>
#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

namespace kyr {
namespace {

void Ecrit(const QString& chemin, const QByteArray& octets) {
    QFile f(chemin);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(octets);
}

QStringList Contenu() {
    return QDir().entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                            QDir::Name);
}

// Beside "livre.fct", the remains of two saves killed before their rename,
// and what must never be taken for them.
void PrepareDossier() {
    Ecrit("livre.fct", "<BLOC0000>\r\n");
    Ecrit("livre.fct.XJVoWd", "<BLOC0000>\r\nNUMF12\r\n"); // a save's remains
    Ecrit("livre.fct.aBcDeF", "");                         // an empty book's
    Ecrit("livre.fct.Coupee", "<BLOC0000>\r\nNUM");        // cut in a line: not the writer's end
    Ecrit("livre.fct.XJVoW1", "a\r\n");                    // a digit: not Qt's name
    Ecrit("livre.fct.XJVoWdz", "a\r\n");                   // seven letters
    Ecrit("livre.fct.bak", "a\r\n");                       // the user's copy
    Ecrit("Livre.fct.XJVoWd", "a\r\n");                    // another file's name
    Ecrit("autre.fct.XJVoWd", "a\r\n");
    QDir().mkdir("livre.fct.Dossie");
    QFile::link("livre.fct.bak", "livre.fct.LienXy");
}

const QStringList Gardes = {"Livre.fct.XJVoWd", "autre.fct.XJVoWd",  "livre.fct",
                            "livre.fct.Coupee", "livre.fct.Dossie",  "livre.fct.LienXy",
                            "livre.fct.XJVoW1", "livre.fct.XJVoWdz", "livre.fct.bak"};

TEST(RestesEcriture, SeulsLesRestesCompletsDuProgrammeSontRetires) {
    test::DossierTemporaire dossier;
    PrepareDossier();
    EXPECT_EQ(RetireRestesEcriture(dossier.chemin("livre.fct")), 2);
    EXPECT_EQ(Contenu(), Gardes);
    EXPECT_EQ(RetireRestesEcriture(dossier.chemin("livre.fct")), 0);
    EXPECT_EQ(RetireRestesEcriture(QString()), 0);
}

TEST(RestesEcriture, RienNEstRetirePendantLEcritureDUneAutreCopie) {
    test::DossierTemporaire dossier;
    PrepareDossier();
    // Another running copy saving the same book holds the writer's lock.
    QLockFile autre(NomVerrouEcriture("livre.fct"));
    ASSERT_TRUE(autre.tryLock(0));
    EXPECT_EQ(RetireRestesEcriture("livre.fct"), 0);
    EXPECT_TRUE(QFile::exists("livre.fct.XJVoWd"));
    EXPECT_FALSE(VerrouilleEcriture("livre.fct")) << "the other copy writes";
    autre.unlock();
    EXPECT_EQ(RetireRestesEcriture("livre.fct"), 2);
}

TEST(RestesEcriture, LeVerrouDUneEcritureTueeNEmpechePasLeMenage) {
    test::DossierTemporaire dossier;
    PrepareDossier();
    // A save killed with its lock held: the lock names a program that no
    // longer runs.
    const pid_t mort = fork();
    if (mort == 0) _exit(0);
    ASSERT_GT(mort, 0);
    waitpid(mort, nullptr, 0);
    Ecrit(NomVerrouEcriture("livre.fct"),
          QByteArray::number(mort) + "\nkyrfact\n" + QSysInfo::machineHostName().toUtf8() + "\n");
    EXPECT_EQ(RetireRestesEcriture("livre.fct"), 2);
    EXPECT_EQ(Contenu(), Gardes) << "the stale lock went too";
}

TEST(RestesEcriture, UneEcritureTientLeVerrouJusquAuRemplacement) {
    test::DossierTemporaire dossier;
    Ecrit("livre.fct.XJVoWd", "a\r\n");
    EcritureEnCours e = CommenceFichier("livre.fct", {"nouveau"});
    EXPECT_TRUE(QFile::exists(NomVerrouEcriture("livre.fct")));
    EXPECT_EQ(RetireRestesEcriture("livre.fct"), 0) << "a save is running";
    e.Termine();
    EXPECT_FALSE(QFile::exists(NomVerrouEcriture("livre.fct")));
    EXPECT_EQ(RetireRestesEcriture("livre.fct"), 1);
    EXPECT_EQ(Contenu(), QStringList{"livre.fct"});
}

} // namespace
} // namespace kyr
