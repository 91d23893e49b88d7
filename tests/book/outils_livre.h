#pragma once
// Shared set-up of the book tests: a Facture on the scripted platform, inside
// a temporary current folder, and the sample books of tests/data.
#include "book/facture.h"
#include "support/dossier_temporaire.h"
#include "support/plateforme_fausse.h"

#include <QFile>
#include <gtest/gtest.h>

namespace kyr::test {

inline QString Donnee(const char* nom) {
    return QStringLiteral(KYR_TEST_DATA "/") + QString::fromLatin1(nom);
}

inline QByteArray Octets(const QString& chemin) {
    QFile f(chemin);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

class LivreTest : public ::testing::Test {
protected:
    DossierTemporaire dossier;
    PlateformeFausse p;
    Facture f{p};

    // Copies a sample book into the temporary folder and returns its path.
    QString Copie(const char* nom) {
        const QString cible = dossier.chemin(QString::fromLatin1(nom));
        QFile::copy(Donnee(nom), cible);
        QFile(cible).setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner);
        return cible;
    }
    // The index of a line in the book, -1 when absent.
    int Position(const std::string& ligne) const {
        for (std::size_t i = 0; i < f.Livre.size(); ++i)
            if (f.Livre[i] == ligne) return static_cast<int>(i);
        return -1;
    }
};

} // namespace kyr::test
