// Every test document exported in each XML syntax (the CII alone, which is
// also the XML of its Factur-X file, and UBL) passes its schema, the EN 16931
// rules and the French rules (validate.sh beside the project).
#include "einvoice/codes.h"
#include "einvoice/documents.h"
#include "einvoice/format_fe.h"
#include "support/dossier_temporaire.h"

#include "support/validateur.h"

#include <QFile>
#include <QRegularExpression>
#include <gtest/gtest.h>

using namespace kyr;
using namespace kyr::test;

namespace {

// The rules validate.sh reports as failed with flag fatal or error.
QStringList Bloquantes(const QString& sortie) {
    QStringList r;
    static const QRegularExpression ligne(QStringLiteral("^(\\S+): (\\S+) \\[(fatal|error)\\]"),
                                          QRegularExpression::MultilineOption);
    for (auto m = ligne.globalMatch(sortie); m.hasNext();) {
        const auto t = m.next();
        r << t.captured(2);
    }
    if (sortie.contains(QLatin1String("SCHEMA:"))) r << QStringLiteral("SCHEMA");
    return r;
}

} // namespace

// One test per document and syntax, so that the runs (seconds of Java each)
// spread over the cores.
class Validation : public ::testing::TestWithParam<std::tuple<std::string, FormatFE>> {};

TEST_P(Validation, PassesTheRules) {
    KYR_EXIGE_VALIDATEUR();
    const auto& [nom, format] = GetParam();
    DossierTemporaire dossier;
    for (const auto& d : DocumentsTest()) {
        if (d.Nom != nom) continue;
        const auto r = d.Construit();
        ASSERT_TRUE(std::holds_alternative<FactureElectronique>(r))
            << d.Nom << " : " << std::get<Refus>(r).Message.toStdString();
        const FactureElectronique& fe = std::get<FactureElectronique>(r);
        const QString chemin = dossier.chemin(QString::fromStdString(d.Nom) + ".xml");
        QFile f(chemin);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(XmlFormat(format, fe));
        f.close();
        const Verdict v = Valide(chemin);
        if (format == FormatFE::UBL && ProfilPeppol(fe)) {
            // Peppol names its own process in ProfileID, where the French rules
            // look for the billing framework: that one rule, and no other.
            if (v.code == 2 && !SousCI()) GTEST_SKIP() << v.sortie.toStdString();
            EXPECT_EQ(Bloquantes(v.sortie), QStringList{"BR-FR-08_BT-23"})
                << v.sortie.toStdString();
            return;
        }
        KYR_EXPECT_VALIDE(v, d.Nom);
        return;
    }
    FAIL() << "pas de document " << nom;
}

INSTANTIATE_TEST_SUITE_P(Documents, Validation,
                         ::testing::Combine(::testing::Values("exemple", "ttc", "remises", "avoir",
                                                              "payee", "lignes63", "particulier",
                                                              "franchise", "debits", "belge"),
                                            ::testing::Values(FormatFE::CII, FormatFE::UBL)),
                         [](const auto& info) {
                             return std::get<0>(info.param) +
                                    (std::get<1>(info.param) == FormatFE::UBL ? "_UBL" : "_CII");
                         });
