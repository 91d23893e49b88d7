// Where the help pages are, read against the pages themselves (resources/aide).
#include "shell/pages_aide.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <gtest/gtest.h>

namespace kyr {
namespace {

const QString Dossier = QStringLiteral(KYR_TEST_DATA "/../../resources/aide/");

QString Html(const QString& fichier) {
    QFile f(Dossier + fichier);
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
}

// "page.html#ancre" is a page of the help that holds that anchor.
::testing::AssertionResult PageExiste(const QString& lien) {
    const QString fichier = lien.section(QLatin1Char('#'), 0, 0);
    const QString ancre = lien.section(QLatin1Char('#'), 1);
    const QString html = Html(fichier);
    if (html.isEmpty()) return ::testing::AssertionFailure() << "no page " << fichier.toStdString();
    if (!ancre.isEmpty() && !html.contains(QStringLiteral("name=\"%1\"").arg(ancre)))
        return ::testing::AssertionFailure() << "no anchor " << lien.toStdString();
    return ::testing::AssertionSuccess();
}

TEST(PagesAide, ChaqueNumeroDeContexteASaPage) {
    const std::pair<int, const char*> cas[] = {
        {3, "fichier.html"},     {4, "edition.html"}, {5, "document.html"}, {6, "parametres.html"},
        {7, "utilitaires.html"}, {8, "aide.html"},    {9, "facture.html"},  {0, "index.html"},
        {10, "index.html"},      {-1, "index.html"},
    };
    for (const auto& [contexte, page] : cas) {
        SCOPED_TRACE(contexte);
        EXPECT_EQ(PageContexte(contexte), page);
        EXPECT_TRUE(PageExiste(PageContexte(contexte)));
    }
    EXPECT_EQ(PageCommande(3, "FileOpenItem"), "fichier.html#FileOpenItem");
    EXPECT_EQ(PageCommande(7, QString()), "utilitaires.html");
}

TEST(PagesAide, ChaqueFenetreDuProgrammeOuvreUnePageQuiExiste) {
    // The object names the dialogs carry, and Qt's dialogs by their class.
    const char* const fenetres[] = {
        "Facture",
        "Societe",
        "Paramf",
        "ParamFE",
        "TFichCli",
        "TGlos",
        "MPage",
        "Apercu",
        "ExportFE",
        "QPrintDialog",
        "QPageSetupDialog",
        "QFileDialog",
        "TFindDialog",
        "TFindCli",
        "TFindNom",
        "TFactListe",
        "Journal",
        "TFclient",
        "TListeCli",
        "Calendrier",
        "Pocket",
        "Horloge",
        "Eurof",
        "Blocnotes",
        "AboutBox",
        "Aide",
        "Accueil",
        "Recues",
        "VueRecue",
        "ExportLot",
        "RapportLot",
        "ExportFEC",
        "Comptes",
        "DeclarationTVA",
    };
    for (const char* f : fenetres) {
        SCOPED_TRACE(f);
        ASSERT_FALSE(PageFenetre(f).isEmpty());
        EXPECT_TRUE(PageExiste(PageFenetre(f)));
    }
    EXPECT_TRUE(PageFenetre("MainForm").isEmpty());
    EXPECT_TRUE(PageFenetre(QString()).isEmpty());
}

TEST(PagesAide, ChaqueMotCleMeneAUnePageQuiExiste) {
    ASSERT_GT(MotsClesAide().size(), 40u);
    for (const auto& [mot, page] : MotsClesAide()) {
        SCOPED_TRACE(mot.toStdString());
        EXPECT_TRUE(PageExiste(page));
    }
}

TEST(PagesAide, LesLiensDesPagesMenentADesPagesQuiExistent) {
    const QStringList pages = QDir(Dossier).entryList({QStringLiteral("*.html")});
    ASSERT_GE(pages.size(), 11);
    QFile qrc(QStringLiteral(KYR_TEST_DATA "/../../resources/resources.qrc"));
    ASSERT_TRUE(qrc.open(QIODevice::ReadOnly));
    const QString ressources = QString::fromUtf8(qrc.readAll());
    const QRegularExpression lien(QStringLiteral("(?:href|src)=\"([^\"]+)\""));
    for (const QString& page : pages) {
        SCOPED_TRACE(page.toStdString());
        // A page left out of the resources is not in the program.
        EXPECT_TRUE(ressources.contains(QStringLiteral("<file>aide/%1</file>").arg(page)));
        const QString html = Html(page);
        EXPECT_TRUE(html.contains(QStringLiteral("<title>")));
        for (auto m = lien.globalMatch(html); m.hasNext();) {
            const QString cible = m.next().captured(1);
            SCOPED_TRACE(cible.toStdString());
            if (cible.endsWith(QLatin1String(".png"))) {
                EXPECT_TRUE(QFile::exists(Dossier + cible));
                EXPECT_TRUE(ressources.contains(QStringLiteral("<file>aide/%1</file>").arg(cible)));
            } else {
                EXPECT_TRUE(PageExiste(cible.startsWith('#') ? page + cible : cible));
            }
        }
    }
}

TEST(PagesAide, LegendeDUneCommande) {
    const std::pair<const char*, const char*> cas[] = {
        {"&Ouvrir...", "Ouvrir..."},
        {"&Précédent     PgUp", "Précédent"},
        {"&Suivant           PgDn", "Suivant"},
        {"Facture é&lectronique (Factur-X)...", "Facture électronique (Factur-X)..."},
        {"&Configurer l'imprimante...", "Configurer l'imprimante..."},
    };
    for (const auto& [texte, legende] : cas)
        EXPECT_EQ(LegendeCommande(QString::fromUtf8(texte)), QString::fromUtf8(legende));
}

TEST(PagesAide, UnMotCleSeTrouveParSonDebutSansAccentsNiMajuscules) {
    const QStringList mots = {"Abréviations", "Conditions de règlement", "Société", "TVA"};
    const std::pair<const char*, int> cas[] = {
        {"", 0},     {"cond", 1}, {"CONDITIONS DE REGLEMENT", 1},   {"societ", 2}, {"  tv", 3},
        {"abre", 0}, {"x", -1},   {"conditions de reglements", -1},
    };
    for (const auto& [debut, indice] : cas) {
        SCOPED_TRACE(debut);
        EXPECT_EQ(PremierMotCle(mots, QString::fromUtf8(debut)), indice);
    }
}

} // namespace
} // namespace kyr
