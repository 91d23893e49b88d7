// The program itself run from a script with no display at all: the month's
// Factur-X files written, the report printed, the exit code.
#include "book/reglages.h"
#include "book/societe.h"
#include "einvoice/documents.h"
#include "einvoice/fichiers_tiers.h"
#include "support/dossier_temporaire.h"
#include "support/octets_fichier.h"

#include <QDir>
#include <QProcess>
#include <gtest/gtest.h>

namespace kyr {
namespace {

TEST(ExportationProgramme, FacturXWithNoDisplayNorAnythingToSet) {
    test::DossierTemporaire dossier;
    Lignes livre;
    int bloc = 0;
    for (const auto& d : test::DocumentsTest()) {
        if (d.Nom != "ttc" && d.Nom != "remises") continue;
        const Lignes b = EcritBloc(d.F, bloc++, DerniereRangee);
        livre.insert(livre.end(), b.begin(), b.end());
    }
    EcritFichier(dossier.chemin("livre.fct"), livre);
    SauveIni(test::ReglagesEuros(), "livre.fct");
    SauveSoc(test::DocumentTest().Societe);
    SauveVendeur(test::VendeurTest());
    SauveAcheteurs({{"10002", test::AcheteurTest()}});
    QDir().mkpath(dossier.chemin("sortie"));

    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char* v : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM", "KYR_MODULES"})
        env.remove(QString::fromLatin1(v));
    p.setProcessEnvironment(env);
    p.setWorkingDirectory(dossier.path());
    p.start(QStringLiteral(KYR_PROGRAMME),
            {"--exporter", "factur-x", "--periode", "2026-09", "livre.fct", "sortie"});
    ASSERT_TRUE(p.waitForFinished(300000));
    const QString sortie = QString::fromUtf8(p.readAllStandardOutput());
    const QString erreurs = QString::fromUtf8(p.readAllStandardError());
    EXPECT_EQ(p.exitCode(), 0) << sortie.toStdString() << erreurs.toStdString();
    EXPECT_TRUE(sortie.startsWith(QString::fromUtf8("2 fichiers écrits sur 2 documents")))
        << sortie.toStdString();
    EXPECT_TRUE(erreurs.isEmpty()) << erreurs.toStdString();
    for (const char* nom : {"sortie/Facture 202601005.pdf", "sortie/Facture 202601006.pdf"}) {
        const std::string o = test::OctetsFichier(dossier.chemin(nom));
        EXPECT_TRUE(o.starts_with("%PDF-")) << nom;
        EXPECT_NE(o.find("factur-x.xml"), std::string::npos) << nom;
    }
}

} // namespace
} // namespace kyr
