#include "common/restes_ecriture.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace kyr {

namespace {

// Qt names a temporary file "name.XXXXXX", six letters A to Z and a to z.
constexpr int LettresTemporaire = 6;

bool NomTemporaire(const QString& nom, const QString& cible) {
    if (nom.size() != cible.size() + 1 + LettresTemporaire || !nom.startsWith(cible) ||
        nom.at(cible.size()) != QLatin1Char('.'))
        return false;
    for (qsizetype i = cible.size() + 1; i < nom.size(); ++i) {
        const char16_t c = nom.at(i).unicode();
        if (!((c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z'))) return false;
    }
    return true;
}

// A plain file of this user, its last line ended.
bool ResteComplet(const QString& chemin) {
#ifdef Q_OS_UNIX
    struct stat s {};
    if (::lstat(QFile::encodeName(chemin).constData(), &s) != 0 || !S_ISREG(s.st_mode) ||
        s.st_uid != ::geteuid())
        return false;
#else
    if (QFileInfo(chemin).isSymLink() || !QFileInfo(chemin).isFile()) return false;
#endif
    QFile f(chemin);
    if (!f.open(QIODevice::ReadOnly)) return false;
    const qint64 taille = f.size();
    if (taille == 0) return true;
    if (taille < 2 || !f.seek(taille - 2)) return false;
    return f.read(2) == "\r\n";
}

} // namespace

QString NomVerrouEcriture(const QString& chemin) {
    const QFileInfo info(chemin);
    return info.absoluteDir().filePath(QLatin1Char('.') + info.fileName() +
                                       QStringLiteral(".ecriture"));
}

std::unique_ptr<QLockFile> VerrouilleEcriture(const QString& chemin) {
    auto verrou = std::make_unique<QLockFile>(NomVerrouEcriture(chemin));
    // Only a lock whose program no longer runs is stale, however long a save takes.
    verrou->setStaleLockTime(0);
    constexpr int AttenteMs = 500;
    if (!verrou->tryLock(AttenteMs)) return nullptr;
    return verrou;
}

int RetireRestesEcriture(const QString& chemin) {
    if (chemin.isEmpty()) return 0;
    const QFileInfo cible(chemin);
    const QDir dossier = cible.absoluteDir();
    const QString nom = cible.fileName();
    QStringList restes;
    for (const QString& n : dossier.entryList(
             QDir::Files | QDir::Hidden | QDir::System | QDir::NoSymLinks, QDir::NoSort))
        if (NomTemporaire(n, nom)) restes << dossier.filePath(n);
    if (restes.isEmpty()) return 0; // the usual start: nothing written in the folder
    QLockFile verrou(NomVerrouEcriture(chemin));
    verrou.setStaleLockTime(0);
    // A copy saving this file now, or a folder where no lock can be made:
    // nothing is touched (a save killed earlier left its lock stale, taken here).
    if (!verrou.tryLock(0)) return 0;
    int retires = 0;
    for (const QString& reste : restes)
        if (ResteComplet(reste) && QFile::remove(reste)) ++retires;
    return retires;
}

} // namespace kyr
