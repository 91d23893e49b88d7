#include "shell/dossier_fichiers.h"

#include <QDir>
#include <QFileInfo>

namespace kyr {

namespace {

bool MemeDossier(const QString& a, const QString& b) {
    return !a.isEmpty() && !b.isEmpty() && QDir::cleanPath(a) == QDir::cleanPath(b);
}

// Files of the program that a user of an earlier version may keep at home.
bool AFichiersDuProgramme(const QString& dossier) {
    const QDir d(dossier);
    for (const char* nom : {"KyrFact.ini", "Fact.cli", "Fact.soc", "Fact.Glo", "Fact.nte"})
        if (QFileInfo::exists(d.filePath(QLatin1String(nom)))) return true;
    return false;
}

} // namespace

QString DossierDesFichiers(const QString& courant, const QString& personnel,
                           const QString& documents) {
    const bool depuisMenu =
        MemeDossier(courant, personnel) || MemeDossier(courant, QDir::rootPath());
    if (!depuisMenu || (MemeDossier(courant, personnel) && AFichiersDuProgramme(personnel)))
        return courant;
    const QString racine = documents.isEmpty() || MemeDossier(documents, personnel)
                               ? QDir(personnel).filePath(QStringLiteral("Documents"))
                               : documents;
    return QDir(racine).filePath(NomDossierFichiers);
}

QString ChoisitDossierDesFichiers(const QString& personnel, const QString& documents) {
    const QString courant = QDir::currentPath();
    const QString dossier = DossierDesFichiers(courant, personnel, documents);
    if (dossier == courant || !QDir().mkpath(dossier) || !QDir::setCurrent(dossier)) return courant;
    return dossier;
}

} // namespace kyr
