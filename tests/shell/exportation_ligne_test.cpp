// `kyrfact --exporter FORMAT --periode AAAA-MM LIVRE.fct DOSSIER`: what it
// refuses before doing anything, its report, its exit code.
#include "book/parametres.h"
#include "book/registre.h"
#include "book/reglages.h"
#include "book/societe.h"
#include "einvoice/mois.h"
#include "shell/ligne_commande.h"
#include "support/dossier_temporaire.h"

#include <QDir>
#include <algorithm>
#include <cstdio>
#include <gtest/gtest.h>

namespace kyr {
namespace {

struct Sortie {
    std::optional<int> code;
    QString sortie, erreurs;
};

QString Contenu(std::FILE* f) {
    std::rewind(f);
    QByteArray o;
    char tampon[4096];
    for (std::size_t n; (n = std::fread(tampon, 1, sizeof tampon, f)) > 0;)
        o.append(tampon, static_cast<qsizetype>(n));
    std::fclose(f);
    return QString::fromUtf8(o).trimmed();
}

Sortie Lance(const std::vector<std::string>& arguments) {
    std::FILE* sortie = std::tmpfile();
    std::FILE* erreurs = std::tmpfile();
    Sortie s;
    s.code = LigneDeCommande(arguments, sortie, erreurs);
    s.sortie = Contenu(sortie);
    s.erreurs = Contenu(erreurs);
    return s;
}

// The program's folder: its files, and a book of September without the
// document whose date cannot be read (it would be reported every month).
class ExportationLigne : public ::testing::Test {
protected:
    test::DossierTemporaire dossier;
    std::string livre = dossier.chemin("ventes.fct").toStdString();
    std::string sortie = dossier.chemin("plateforme").toStdString();
    test::MoisTest mois = test::MoisGenere(20);

    void SetUp() override {
        Lignes l;
        for (std::size_t i = 0; i < mois.Livre.size(); ++i) {
            if (mois.Livre[i] == "3x/09/2026") {
                while (!l.empty() && !CommencePar(l.back(), "<BLOC"))
                    l.pop_back();
                l.pop_back();
                while (!CommencePar(mois.Livre[i], "</BLOC"))
                    ++i;
                continue;
            }
            l.push_back(mois.Livre[i]);
        }
        EcritFichier(QString::fromStdString(livre), l);
        SauveIni(mois.R, livre);
        SauveSoc(test::DocumentTest().Societe);
        SauveVendeur(test::VendeurTest());
        SauveAcheteurs(mois.Memorises);
        QDir().mkpath(QString::fromStdString(sortie));
    }
};

TEST_F(ExportationLigne, WrongArgumentsAreRefusedBeforeAnything) {
    // (arguments after --exporter, message part)
    const std::vector<std::pair<std::vector<std::string>, const char*>> cas = {
        {{}, "Usage : kyrfact --exporter FORMAT --periode AAAA-MM LIVRE.fct DOSSIER"},
        {{"ubl", livre, sortie}, "Usage"},
        {{"ubl", "--periode", "2026-09", livre}, "Usage"},
        {{"pdf", "--periode", "2026-09", livre, sortie}, "Format « pdf » inconnu"},
        {{"ubl", "--periode", "2026-13", livre, sortie}, "Période « 2026-13 » incorrecte"},
        {{"ubl", "--periode", "09/2026", livre, sortie}, "un mois s'écrit AAAA-MM"},
        {{"ubl", "--periode", "2026-09", "ventes.txt", sortie}, "type de fichier non valide"},
        {{"ubl", "--periode", "2026-09", "manque.fct", sortie}, "manque.fct n'existe pas"},
    };
    for (const auto& [arguments, attendu] : cas) {
        std::vector<std::string> a = {"--exporter"};
        a.insert(a.end(), arguments.begin(), arguments.end());
        const Sortie s = Lance(a);
        EXPECT_EQ(s.code, 2) << attendu;
        EXPECT_TRUE(s.erreurs.contains(QString::fromUtf8(attendu))) << s.erreurs.toStdString();
        EXPECT_TRUE(s.sortie.isEmpty());
    }
    EXPECT_TRUE(QDir(QString::fromStdString(sortie)).isEmpty());
    EXPECT_EQ(LigneDeCommande({"--autre"}, stdout, stderr), std::nullopt);
}

TEST_F(ExportationLigne, TheMonthsReportAndTheExitCode) {
    // September: the documents that lack something are reported; exit 1.
    Sortie s = Lance({"--exporter", "ubl", "--periode", "2026-09", livre, sortie});
    EXPECT_EQ(s.code, 1) << s.erreurs.toStdString();
    // The undated one is not there; the invoice whose number the last document
    // takes again is not issued either, though its block comes after the gap
    // the undated one left.
    const int refus = static_cast<int>(mois.Refus.size()) - 1 + 1;
    EXPECT_TRUE(s.sortie.startsWith(QString::fromUtf8("19 fichiers écrits sur %1 documents "
                                                      "(factures et avoirs) de la période du "
                                                      "01/09/2026 au 30/09/2026, format UBL")
                                        .arg(19 + refus)))
        << s.sortie.toStdString();
    EXPECT_TRUE(s.sortie.contains(QString::fromUtf8("Avoir 202699903 du 14/09/2026 : Un avoir")));
    EXPECT_TRUE(s.sortie.contains(QString::fromUtf8("ce numéro est déjà celui de la facture du "
                                                    "17/09/2026")));
    EXPECT_EQ(QDir(QString::fromStdString(sortie)).entryList(QDir::Files).size(), 19);
    // Each of them issued, as a single export would have: in the register
    // beside the book, in a chain that reads back whole.
    const LectureRegistre emis = LitRegistre(dossier.chemin("ventes.emis"));
    EXPECT_TRUE(emis.Defauts.empty());
    EXPECT_EQ(std::count_if(emis.Entrees.begin(), emis.Entrees.end(),
                            [](const EntreeRegistre& e) { return e.Quoi == Evenement::Emission; }),
              19);

    // Run again: a script is asked nothing, the files there stay and are reported.
    s = Lance({"--exporter", "cii", "--periode", "2026-09", livre, sortie});
    EXPECT_EQ(s.code, 1);
    EXPECT_TRUE(s.sortie.startsWith(QString::fromUtf8("0 fichier écrit sur")))
        << s.sortie.toStdString();
    EXPECT_TRUE(s.sortie.contains(QString::fromUtf8("il n'a pas été remplacé")));

    // August: its one invoice written, exit 0; a month with none says so, exit 0.
    s = Lance({"--exporter", "cii", "--periode", "2026-08", livre, sortie});
    EXPECT_EQ(s.code, 0) << s.sortie.toStdString();
    EXPECT_TRUE(
        QFile::exists(QDir(QString::fromStdString(sortie)).filePath("Facture 202608900.xml")));
    s = Lance({"--periode", "2027-02", "--exporter"} /* the option first only */);
    EXPECT_EQ(s.code, std::nullopt);
    s = Lance({"--exporter", "ubl", "--periode", "2027-02", livre, sortie});
    EXPECT_EQ(s.code, 0);
    EXPECT_EQ(s.sortie, QString::fromUtf8("Aucune facture ni aucun avoir dans la période du "
                                          "01/02/2027 au 28/02/2027 : aucun fichier à écrire."));

    // A folder that is not there stops the run with its message.
    s = Lance({"--exporter", "ubl", "--periode", "2026-09", livre, sortie + "/manque"});
    EXPECT_EQ(s.code, 1);
    EXPECT_TRUE(s.sortie.contains(QString::fromUtf8("n'existe pas."))) << s.sortie.toStdString();
    // Factur-X without the program's page writer (this test has none).
    s = Lance({"--exporter", "factur-x", "--periode", "2026-08", livre, sortie});
    EXPECT_EQ(s.code, 1);
    EXPECT_TRUE(s.sortie.contains("Factur-X n'est pas disponible"));
}

} // namespace
} // namespace kyr
