// Every test document exported as CII XML passes the Factur-X EN 16931 schema,
// the EN 16931 rules and the French rules (validate.sh beside the project).
#include "einvoice/cii.h"
#include "einvoice/documents.h"
#include "support/dossier_temporaire.h"

#include "support/validateur.h"

#include <QFile>
#include <gtest/gtest.h>

using namespace kyr;
using namespace kyr::test;

// One test per document, so that the runs (two seconds of Java each) spread
// over the cores.
class Validation : public ::testing::TestWithParam<std::string> {};

TEST_P(Validation, PassesTheRules) {
    KYR_EXIGE_VALIDATEUR();
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
        KYR_EXPECT_VALIDE(v, d.Nom);
        return;
    }
    FAIL() << "pas de document " << GetParam();
}

INSTANTIATE_TEST_SUITE_P(Documents, Validation,
                         ::testing::Values("exemple", "ttc", "remises", "avoir", "payee",
                                           "lignes63", "particulier", "franchise", "debits"));
