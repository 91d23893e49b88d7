// End to end: the worked-example document exported to a PDF file through the
// Qt surface, read back with pdftotext -bbox and pdffonts (poppler-utils).
// Set KYR_PDF_GARDE to a folder to keep the PDF files for looking at them.
#include "book/facture.h"
#include "printing/document.h"
#include "printing/ui/sorties.h"
#include "printing/ui/surface_qt.h"
#include "support/dossier_temporaire.h"
#include "support/plateforme_fausse.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <gtest/gtest.h>

#include <cmath>
#include <map>

using namespace kyr;

namespace {

// One word of pdftotext -bbox, in millimetres from the page's top-left corner.
struct Mot {
    QString texte;
    double x1, y1, x2, y2;
    int page;
};

std::vector<Mot> Mots(const QString& pdf) {
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), pdf, QStringLiteral("-")});
    p.waitForFinished(30000);
    const QString html = QString::fromUtf8(p.readAllStandardOutput());
    std::vector<Mot> mots;
    int page = 0;
    const QRegularExpression re(QString::fromUtf8(
        R"re(<page |<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">([^<]*)</word>)re"));
    constexpr double mm = 25.4 / 72.0; // points to millimetres
    for (auto it = re.globalMatch(html); it.hasNext();) {
        const auto m = it.next();
        if (m.captured(0).startsWith(QLatin1String("<page"))) {
            ++page;
            continue;
        }
        QString t = m.captured(5);
        t.replace(QLatin1String("&amp;"), QLatin1String("&"));
        mots.push_back({t, m.captured(1).toDouble() * mm, m.captured(2).toDouble() * mm,
                        m.captured(3).toDouble() * mm, m.captured(4).toDouble() * mm, page});
    }
    return mots;
}

const Mot* Trouve(const std::vector<Mot>& mots, const QString& texte, int page = 1) {
    for (const Mot& m : mots)
        if (m.texte == texte && m.page == page) return &m;
    return nullptr;
}

bool OutilsPoppler() {
    return !QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty() &&
           !QStandardPaths::findExecutable(QStringLiteral("pdffonts")).isEmpty();
}

void Garde(const QString& pdf) {
    const QString dossier = qEnvironmentVariable("KYR_PDF_GARDE");
    if (dossier.isEmpty()) return;
    const QString cible = QDir(dossier).filePath(QFileInfo(pdf).fileName());
    QFile::remove(cible);
    QFile::copy(pdf, cible);
}

class ExportPdf : public ::testing::Test {
protected:
    test::DossierTemporaire dossier;
    test::PlateformeFausse plateforme;
    Facture f{plateforme};

    void SetUp() override {
        const QString livre = dossier.chemin(QStringLiteral("exemple.fct"));
        QFile::copy(QStringLiteral(KYR_TEST_DATA "/exemple.fct"), livre);
        f.Charge(livre);
        f.FicheCourante = 3;
        f.LitFiche();
        f.Societe = {
            "Kyr Informatique",       "12 rue des Lilas",        "69003 Lyon",
            "T\xE9l. 04 78 00 00 00", "SIRET 123 456 789 00012", "SARL au capital de 50 000 F",
            "RCS Lyon B 123 456 789"};
    }
    QString Exporte(const char* nom) {
        const QString pdf = dossier.chemin(QString::fromLatin1(nom));
        EcritPdf(pdf, [this](Imprimante& i) {
            ImprimeDocument(i, f.fiche, f.NbLignes, f.Societe, f.reglages.TypePapier);
        });
        Garde(pdf);
        return pdf;
    }
};

} // namespace

TEST_F(ExportPdf, WorkedExampleTextsStandWhereTheLayoutPutsThem) {
    ASSERT_EQ(f.fiche.Numero, "200001004");
    const QString pdf = Exporte("Facture 200001004.pdf");
    ASSERT_TRUE(QFile::exists(pdf));
    if (!OutilsPoppler()) GTEST_SKIP() << "pdftotext/pdffonts absents : installez poppler-utils";

    const std::vector<Mot> mots = Mots(pdf);
    ASSERT_FALSE(mots.empty());
    // The scale of a 1200 dpi A4 page: 47 pixels a millimetre instead of
    // 47.24, so positions are 0.5 % short of nominal; y is 3 mm lower.
    const double e = 47.0 / (1200 / 25.4);
    const auto x = [e](double mm) { return mm * e; };
    const auto y = [e](double mm) { return (mm + 3) * e; };
    // The words' boxes start at the text's left edge; their top lies a little
    // under the top of the text cell (internal leading).
    const auto place = [&](const QString& texte, double xmm, double ymm, int page = 1) {
        const Mot* m = Trouve(mots, texte, page);
        ASSERT_NE(m, nullptr) << texte.toStdString();
        EXPECT_NEAR(m->x1, x(xmm), 0.6) << texte.toStdString();
        EXPECT_NEAR(m->y1, y(ymm), 1.2) << texte.toStdString();
        EXPECT_GT(m->y1, y(ymm) - 0.1) << texte.toStdString();
    };
    place(QStringLiteral("Kyr"), 20, 0);
    place(QStringLiteral("Garage"), 116, 60);
    place(QStringLiteral("69002"), 116, 70);
    place(QStringLiteral("Date"), 116, 84);
    place(QStringLiteral("15/01/2000"), 127, 84);
    EXPECT_NEAR(Trouve(mots, QStringLiteral("15/01/2000"))->y1,
                Trouve(mots, QStringLiteral("Date"))->y1, 0.05);
    place(QStringLiteral("Désignation"), 22, 92);
    place(QStringLiteral("Qté"), 116, 92);
    place(QStringLiteral("Vidange"), 22, 105);
    place(QStringLiteral("Filtre"), 22, 110);
    place(QStringLiteral("Merci"), 22, 215);
    place(QStringLiteral("Réglement"), 20, 273);
    place(QStringLiteral("Total"), 50, 248);

    // Right-aligned amounts end at their column's edge.
    const auto finit = [&](const QString& texte, double xmm, double ymm) {
        const Mot* m = nullptr;
        for (const Mot& c : mots)
            if (c.texte == texte && std::abs(c.y1 - y(ymm)) < 1.5) m = &c;
        ASSERT_NE(m, nullptr) << texte.toStdString();
        EXPECT_NEAR(m->x2, x(xmm), 0.6) << texte.toStdString();
    };
    finit(QStringLiteral("45,00"), 184, 105);
    finit(QStringLiteral("22,50"), 184, 110);
    finit(QStringLiteral("12,50"), 149, 110);
    finit(QStringLiteral("10"), 159, 110);
    finit(QStringLiteral("2"), 124, 110);
    finit(QString::fromStdString(f.fiche.TotalHT).trimmed().section(QLatin1Char(' '), -1), 104,
          248);
    EXPECT_EQ(Trouve(mots, QStringLiteral("Page")), nullptr); // one page: no page number

    // The font on the page is the one the layout names: Arial, that is
    // Liberation Sans, embedded.
    QProcess p;
    p.start(QStringLiteral("pdffonts"), {pdf});
    p.waitForFinished(30000);
    const QString polices = QString::fromUtf8(p.readAllStandardOutput());
    EXPECT_TRUE(polices.contains(QLatin1String("LiberationSans"))) << polices.toStdString();
    EXPECT_TRUE(polices.contains(QLatin1String("LiberationSans-Bold"))) << polices.toStdString();
    for (const QString& ligne : polices.split(QLatin1Char('\n')).mid(2)) {
        if (ligne.trimmed().isEmpty()) continue;
        EXPECT_TRUE(ligne.contains(QLatin1String(" yes "))) << ligne.toStdString();
    }
}

TEST_F(ExportPdf, FortyLinesGoOnTwoPagesWithTheTotalsOnTheSecond) {
    for (int r = 1; r <= 40; ++r)
        f.fiche.Cellules[r] = {"Article " + std::to_string(r),
                               "  " + std::to_string(r),
                               "  10,00",
                               "",
                               "  " + std::to_string(10 * r) + ",00",
                               "1"};
    f.NbLignes = 41;
    f.Calcule();
    const QString pdf = Exporte("Facture 40 lignes.pdf");
    if (!OutilsPoppler()) GTEST_SKIP() << "pdftotext/pdffonts absents : installez poppler-utils";
    const std::vector<Mot> mots = Mots(pdf);
    const double e = 47.0 / (1200 / 25.4);
    int page1 = 0, page2 = 0;
    for (const Mot& m : mots)
        if (m.texte == QLatin1String("Article")) {
            (m.page == 1 ? page1 : page2)++;
            EXPECT_LT(m.y1, (245 + 3) * e);
        }
    EXPECT_EQ(page1, 28);
    EXPECT_EQ(page2, 12);
    const Mot* suite = Trouve(mots, QStringLiteral("(suite)"), 2);
    ASSERT_NE(suite, nullptr);
    EXPECT_NEAR(suite->y1, (84 + 3) * e, 1.2);
    ASSERT_NE(Trouve(mots, QStringLiteral("2/2"), 2), nullptr);
    EXPECT_NEAR(Trouve(mots, QStringLiteral("2/2"), 2)->x2, 190 * e, 0.6);
    EXPECT_NE(Trouve(mots, QStringLiteral("TTC"), 2), nullptr);
    EXPECT_EQ(Trouve(mots, QStringLiteral("TTC"), 1), nullptr);
    EXPECT_NE(Trouve(mots, QStringLiteral("Merci"), 2), nullptr);
}

TEST_F(ExportPdf, TwentyLinesStayTogetherWhenTheFiveLineMemoDoesNotFitUnderThem) {
    for (int r = 1; r <= 20; ++r)
        f.fiche.Cellules[r] = {
            "Article " + std::to_string(r), "  1", "  10,00", "", "  10,00", "1"};
    f.NbLignes = 21;
    f.fiche.Memo = {"Note un", "Note deux", "Note trois", "Note quatre", "Note cinq"};
    f.Calcule();
    const QString pdf = Exporte("Facture 20 lignes et memo.pdf");
    if (!OutilsPoppler()) GTEST_SKIP() << "pdftotext/pdffonts absents : installez poppler-utils";
    const std::vector<Mot> mots = Mots(pdf);
    const double e = 47.0 / (1200 / 25.4);
    std::map<int, int> articles, notes;
    for (const Mot& m : mots) {
        if (m.texte == QLatin1String("Article")) ++articles[m.page];
        if (m.texte == QLatin1String("Note")) {
            ++notes[m.page];
            EXPECT_GE(m.y1, (195 + 3) * e - 0.1);
            EXPECT_LT(m.y1, (245 + 3) * e);
        }
    }
    EXPECT_EQ(articles, (std::map<int, int>{{1, 20}}));
    EXPECT_EQ(notes, (std::map<int, int>{{2, 5}}));
    EXPECT_NE(Trouve(mots, QStringLiteral("2/2"), 2), nullptr);
    EXPECT_NE(Trouve(mots, QStringLiteral("TTC"), 2), nullptr);
    EXPECT_EQ(Trouve(mots, QStringLiteral("TTC"), 1), nullptr);
}

TEST_F(ExportPdf, EnvelopeSizesGiveTheirPageAndHoldTheAddresses) {
    if (!OutilsPoppler()) GTEST_SKIP() << "pdftotext/pdffonts absents : installez poppler-utils";
    struct Cas {
        FormatEnveloppe format;
        double largeur, hauteur; // mm, the long side across
    };
    for (const Cas& c : {Cas{FormatEnveloppe::DL, 220, 110}, Cas{FormatEnveloppe::C5, 229, 162},
                         Cas{FormatEnveloppe::C6, 162, 114}}) {
        const QString pdf = dossier.chemin(QStringLiteral("Enveloppe %1.pdf").arg(int(c.format)));
        // The guide on the right and portrait are for the printer's own paper only.
        EcritPdf(pdf, [&](Imprimante& i) {
            ImprimeEnveloppe(i, f.Societe, f.fiche.Adresse, 0, 100, c.format);
        });
        Garde(pdf);
        QProcess p;
        p.start(QStringLiteral("pdfinfo"), {pdf});
        p.waitForFinished(30000);
        const QString info = QString::fromUtf8(p.readAllStandardOutput());
        const QRegularExpression re(QStringLiteral("Page size: +([\\d.]+) x ([\\d.]+) pts"));
        const auto m = re.match(info);
        ASSERT_TRUE(m.hasMatch()) << info.toStdString();
        // The page is made in whole points: within a point of the size.
        constexpr double pt = 72 / 25.4;
        EXPECT_NEAR(m.captured(1).toDouble(), c.largeur * pt, 1) << info.toStdString();
        EXPECT_NEAR(m.captured(2).toDouble(), c.hauteur * pt, 1) << info.toStdString();
        // Every word of both addresses is on the page.
        const std::vector<Mot> mots = Mots(pdf);
        ASSERT_NE(Trouve(mots, QStringLiteral("Kyr")), nullptr);
        ASSERT_NE(Trouve(mots, QStringLiteral("69002")), nullptr);
        for (const Mot& w : mots) {
            EXPECT_LE(w.x2, c.largeur) << w.texte.toStdString();
            EXPECT_LE(w.y2, c.hauteur) << w.texte.toStdString();
        }
        const double e = 47.0 / (1200 / 25.4);
        EXPECT_NEAR(Trouve(mots, QStringLiteral("Garage"))->x1, 110 * e, 0.6);
        EXPECT_NEAR(Trouve(mots, QStringLiteral("Garage"))->y1, (50 + 3) * e, 1.2);
    }
}

TEST_F(ExportPdf, EnvelopeInLandscapeWithTheGuideOnTheRight) {
    const QString pdf = dossier.chemin(QStringLiteral("Enveloppe.pdf"));
    EcritPdf(pdf,
             [this](Imprimante& i) { ImprimeEnveloppe(i, f.Societe, f.fiche.Adresse, 1, 100); });
    Garde(pdf);
    if (!OutilsPoppler()) GTEST_SKIP() << "pdftotext/pdffonts absents : installez poppler-utils";
    QProcess p;
    p.start(QStringLiteral("pdfinfo"), {pdf});
    p.waitForFinished(30000);
    EXPECT_TRUE(QString::fromUtf8(p.readAllStandardOutput())
                    .contains(QRegularExpression(QStringLiteral("Page size: +842 x 595"))));
    const std::vector<Mot> mots = Mots(pdf);
    const double e = 47.0 / (1200 / 25.4);
    const Mot* expediteur = Trouve(mots, QStringLiteral("Kyr"));
    ASSERT_NE(expediteur, nullptr);
    EXPECT_NEAR(expediteur->x1, 5 * e, 0.6);
    EXPECT_NEAR(expediteur->y1, (105 + 3) * e, 1.2);
    const Mot* client = Trouve(mots, QStringLiteral("Garage"));
    ASSERT_NE(client, nullptr);
    EXPECT_NEAR(client->x1, 110 * e, 0.6);
    EXPECT_NEAR(client->y1, (150 + 3) * e, 1.2);
    EXPECT_EQ(Trouve(mots, QStringLiteral("SIRET")), nullptr);
}
