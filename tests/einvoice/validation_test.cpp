// Every test document exported as CII XML passes the Factur-X EN 16931 schema,
// the EN 16931 rules and the French rules (validate.sh beside the project).
#include "einvoice/cii.h"
#include "einvoice/documents.h"
#include "support/dossier_temporaire.h"

#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <gtest/gtest.h>

using namespace kyr;
using namespace kyr::test;

namespace {

bool SousCI() {
    return qEnvironmentVariable("CI") == QLatin1String("true");
}

struct Verdict {
    int code = -1;
    QString sortie;
};

Verdict Valide(const QString& xml) {
    QProcess p;
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.start(QStringLiteral("bash"), {QStringLiteral(KYR_VALIDATEUR), xml});
    if (!p.waitForFinished(120000)) return {};
    return {p.exitCode(), QString::fromUtf8(p.readAll()).trimmed()};
}

} // namespace

// One test per document, so that the runs (two seconds of Java each) spread
// over the cores.
class Validation : public ::testing::TestWithParam<std::string> {};

TEST_P(Validation, PassesTheRules) {
    if (!QFileInfo::exists(QStringLiteral(KYR_VALIDATEUR))) {
        if (SousCI()) FAIL() << "validateur absent : " << KYR_VALIDATEUR;
        GTEST_SKIP() << "validation sautée : " << KYR_VALIDATEUR << " est absent";
    }
    DossierTemporaire dossier;
    for (const auto& d : DocumentsTest()) {
        if (d.Nom != GetParam()) continue;
        const auto r = d.Construit();
        ASSERT_TRUE(std::holds_alternative<FactureElectronique>(r))
            << d.Nom << " : " << std::get<Refus>(r).Message.toStdString();
        const QString chemin = dossier.chemin(QString::fromStdString(d.Nom) + ".xml");
        QFile f(chemin);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(EcritCII(std::get<FactureElectronique>(r)));
        f.close();
        const Verdict v = Valide(chemin);
        if (v.code == 2 && !SousCI())
            GTEST_SKIP() << "validation sautée, outil absent : " << v.sortie.toStdString();
        EXPECT_EQ(v.code, 0) << d.Nom << "\n" << v.sortie.toStdString();
        // The validator's verdict, for the record of each run.
        std::cout << d.Nom << " : " << v.sortie.section(QLatin1Char('\n'), -1).toStdString()
                  << std::endl;
        return;
    }
    FAIL() << "pas de document " << GetParam();
}

INSTANTIATE_TEST_SUITE_P(Documents, Validation,
                         ::testing::Values("exemple", "ttc", "remises", "avoir", "payee",
                                           "lignes63", "particulier", "franchise"));
