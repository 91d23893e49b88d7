// Fact.env, the envelope size of the page setup: what any content reads as.
#include "book/enveloppe.h"
#include "book/parametres.h"
#include "common/erreurs.h"
#include "support/dossier_temporaire.h"
#include "support/octets_fichier.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

using namespace kyr;

namespace {

void Ecrit(const std::string& octets) {
    QFile f(NomFichierEnveloppe);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(octets.data(), static_cast<qint64>(octets.size()));
}

} // namespace

TEST(FormatEnveloppe, WhatTheFileReadsAs) {
    struct Cas {
        std::string contenu;
        FormatEnveloppe lu;
    };
    const Cas cas[] = {
        {"DL\r\n", FormatEnveloppe::DL},
        {"  c5 \n", FormatEnveloppe::C5},
        {"C6", FormatEnveloppe::C6},
        {"IMPRIMANTE\r\n", FormatEnveloppe::Imprimante},
        {"A4\r\n", FormatEnveloppe::Imprimante},
        {"\r\nDL\r\n", FormatEnveloppe::Imprimante}, // only the first line counts
        {"", FormatEnveloppe::Imprimante},
        {"DL\r\n" + std::string(5000, 'x'), FormatEnveloppe::Imprimante}, // not one of ours
    };
    for (const Cas& c : cas) {
        test::DossierTemporaire dossier;
        Ecrit(c.contenu);
        EXPECT_EQ(ChargeFormatEnveloppe(), c.lu) << c.contenu.substr(0, 12);
    }
    test::DossierTemporaire vide;
    EXPECT_EQ(ChargeFormatEnveloppe(), FormatEnveloppe::Imprimante);
}

TEST(FormatEnveloppe, WrittenOnlyWhenThePageSetupChangesIt) {
    test::DossierTemporaire dossier;
    Reglages r;
    EXPECT_TRUE(AppliqueParM(r, {0, 0, false, FormatEnveloppe::Imprimante}));
    EXPECT_FALSE(QFile::exists(NomFichierEnveloppe)); // unchanged: nothing written
    EXPECT_FALSE(AppliqueParM(r, {-1, -1, false, FormatEnveloppe::C5})); // cancelled
    EXPECT_EQ(r.Enveloppe, FormatEnveloppe::Imprimante);
    EXPECT_FALSE(QFile::exists(NomFichierEnveloppe));
    for (FormatEnveloppe f : {FormatEnveloppe::C5, FormatEnveloppe::C6, FormatEnveloppe::DL,
                              FormatEnveloppe::Imprimante}) {
        EXPECT_TRUE(AppliqueParM(r, {0, 0, false, f}));
        EXPECT_EQ(ChargeFormatEnveloppe(), f);
    }
    EXPECT_EQ(test::OctetsFichier(NomFichierEnveloppe), "IMPRIMANTE\r\n");

    // A folder where it cannot be written: the size is in force all the same.
    QFile::remove(NomFichierEnveloppe);
    ASSERT_TRUE(QDir().mkdir(NomFichierEnveloppe));
    EXPECT_THROW(AppliqueParM(r, {0, 0, false, FormatEnveloppe::DL}), ErreurExecution);
    EXPECT_EQ(r.Enveloppe, FormatEnveloppe::DL);
}
