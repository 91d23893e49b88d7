// Which folder the program keeps its files in, started from a folder or from
// the desktop's menu (whose programs start in the home folder).
#include "shell/dossier_fichiers.h"

#include "support/dossier_temporaire.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

namespace kyr {
namespace {

TEST(DossierFichiers, DossierDeDemarrageOuDossierDuProgrammeDansLesDocuments) {
    test::DossierTemporaire d;
    const QString maison = d.chemin("maison");
    const QString ancienne = d.chemin("ancienne");
    QDir().mkpath(maison);
    QDir().mkpath(ancienne);
    QFile ini(QDir(ancienne).filePath("KyrFact.ini"));
    ASSERT_TRUE(ini.open(QIODevice::WriteOnly));
    ini.close();
    const QString docs = d.chemin("maison/Mes documents");
    struct Cas {
        const char* quoi;
        QString courant, personnel, documents, attendu;
    };
    const Cas cas[] = {
        {"a folder of its own: as always", d.chemin("compta"), maison, docs, d.chemin("compta")},
        {"the home folder: the documents", maison, maison, docs, docs + "/Kyr Facture"},
        {"home written with a trailing slash", maison + "/", maison, docs, docs + "/Kyr Facture"},
        {"the root folder: the documents", "/", maison, docs, docs + "/Kyr Facture"},
        {"no documents folder", maison, maison, "", maison + "/Documents/Kyr Facture"},
        {"documents is the home folder", maison, maison, maison, maison + "/Documents/Kyr Facture"},
        {"home already holds the files", ancienne, ancienne, docs, ancienne},
        {"old files elsewhere than home count for nothing", "/", maison, docs,
         docs + "/Kyr Facture"},
    };
    for (const Cas& c : cas) {
        SCOPED_TRACE(c.quoi);
        EXPECT_EQ(QDir::cleanPath(DossierDesFichiers(c.courant, c.personnel, c.documents)),
                  QDir::cleanPath(c.attendu));
    }
}

TEST(DossierFichiers, LeDossierEstCreeEtDevientLeDossierCourant) {
    test::DossierTemporaire d;
    const QString maison = QDir(d.path()).canonicalPath();
    QDir::setCurrent(maison);
    const QString dossier = ChoisitDossierDesFichiers(maison, QString());
    EXPECT_EQ(dossier, maison + "/Documents/Kyr Facture");
    EXPECT_TRUE(QDir(dossier).exists());
    EXPECT_EQ(QDir::currentPath(), dossier);

    // Started again from the home folder: the same folder, its files kept.
    QFile note(QDir(dossier).filePath("Fact.nte"));
    ASSERT_TRUE(note.open(QIODevice::WriteOnly));
    note.write("note");
    note.close();
    QDir::setCurrent(maison);
    EXPECT_EQ(ChoisitDossierDesFichiers(maison, QString()), dossier);
    EXPECT_TRUE(QFile::exists(QDir(dossier).filePath("Fact.nte")));
}

TEST(DossierFichiers, UnDossierImpossibleACreerLaisseLeDossierCourant) {
    test::DossierTemporaire d;
    const QString maison = QDir(d.path()).canonicalPath();
    // "Documents" is a file: the folder inside it cannot be made.
    QFile documents(maison + "/Documents");
    ASSERT_TRUE(documents.open(QIODevice::WriteOnly));
    documents.close();
    QDir::setCurrent(maison);
    EXPECT_EQ(ChoisitDossierDesFichiers(maison, QString()), maison);
    EXPECT_EQ(QDir::currentPath(), maison);
}

} // namespace
} // namespace kyr
