// Writes a generated book into a folder, with the book's client file and a
// settings file that reopens the book at start:
//   bench_genere FOLDER DOCUMENTS [NAME]
#include "book/liste_clients.h"
#include "book/reglages.h"
#include "generateur/generateur.h"

#include <QCoreApplication>
#include <QDir>
#include <cstdio>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    if (argc < 3) {
        std::fputs("usage: bench_genere DOSSIER DOCUMENTS [NOM]\n", stderr);
        return 2;
    }
    const QDir dossier(QString::fromLocal8Bit(argv[1]));
    const int n = std::atoi(argv[2]);
    const QString nom = argc > 3 ? QString::fromLocal8Bit(argv[3]) : QStringLiteral("livre.fct");
    try {
        const QString livre = dossier.absoluteFilePath(nom);
        kyr::EcritFichier(livre, kyr::banc::GenereLivre(n));
        kyr::EcritFichier(dossier.filePath(kyr::NomFichierClients),
                          kyr::banc::GenereClients(kyr::banc::NbClientsLivre(n)));
        kyr::Reglages r;
        r.OuvertureAuto = 1;
        kyr::SauveIni(r, livre.toStdString(), dossier.filePath(kyr::NomFichierIni));
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
    return 0;
}
