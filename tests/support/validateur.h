#pragma once
// Runs validate.sh (beside the project) on an e-invoice XML file: its schema,
// the EN 16931 rules and the French rules. Absent, it fails the test under CI
// and skips it elsewhere; the sanitizer build leaves it out (KYR_VALIDATEUR
// empty), as its runs check Java's work rather than the program's memory.
#include <QFileInfo>
#include <QProcess>
#include <QString>
#include <gtest/gtest.h>
#include <iostream>

namespace kyr::test {

inline bool SousCI() {
    return qEnvironmentVariable("CI") == QLatin1String("true");
}

struct Verdict {
    int code = -1; // 0 valid, 1 a rule failed, 2 a tool missing or not CII/UBL
    QString sortie;
};

inline Verdict Valide(const QString& xml) {
    QProcess p;
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.start(QStringLiteral("bash"), {QStringLiteral(KYR_VALIDATEUR), xml});
    if (!p.waitForFinished(180000)) return {};
    return {p.exitCode(), QString::fromUtf8(p.readAll()).trimmed()};
}

} // namespace kyr::test

// At the top of a test that validates: skips it when the validator is not to run.
#define KYR_EXIGE_VALIDATEUR()                                                                     \
    do {                                                                                           \
        if (QString(QStringLiteral(KYR_VALIDATEUR)).isEmpty())                                     \
            GTEST_SKIP() << "validation laissée à la construction normale";                        \
        if (!QFileInfo::exists(QStringLiteral(KYR_VALIDATEUR))) {                                  \
            if (::kyr::test::SousCI()) FAIL() << "validateur absent : " << KYR_VALIDATEUR;         \
            GTEST_SKIP() << "validation sautée : " << KYR_VALIDATEUR << " est absent";             \
        }                                                                                          \
    } while (0)

// After a run: a missing tool skips outside CI, else the file must be valid.
#define KYR_EXPECT_VALIDE(verdict, nom)                                                            \
    do {                                                                                           \
        if ((verdict).code == 2 && !::kyr::test::SousCI())                                         \
            GTEST_SKIP() << "validation sautée, outil absent : "                                  \
                         << (verdict).sortie.toStdString();                                        \
        EXPECT_EQ((verdict).code, 0) << (nom) << "\n" << (verdict).sortie.toStdString();           \
        std::cout << (nom) << " : "                                                                \
                  << (verdict).sortie.section(QLatin1Char('\n'), -1).toStdString() << std::endl;   \
    } while (0)
