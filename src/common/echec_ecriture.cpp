#include "common/echec_ecriture.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cerrno>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>
#endif

namespace kyr {

namespace {

#ifdef Q_OS_UNIX
QByteArray Natif(const QString& chemin) {
    return QFile::encodeName(chemin);
}

// No write permission for anyone: what "read-only" means to a user.
bool SansDroitEcriture(const struct stat& s) {
    return (s.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0;
}
#endif

QString Dossier(const QString& chemin) {
    return QFileInfo(chemin).absolutePath();
}

} // namespace

int ErreurConstatee(const QString& chemin, int vue) {
    switch (vue) {
    case ENOSPC:
#ifdef EDQUOT
    case EDQUOT:
#endif
    case EROFS:
    case EIO:
    case ENAMETOOLONG:
    case EISDIR:
        return vue; // said by the system itself
    default:
        break;
    }
#ifdef Q_OS_UNIX
    const QByteArray dossier = Natif(Dossier(chemin));
    struct stat s {};
    if (::stat(dossier.constData(), &s) != 0 || !S_ISDIR(s.st_mode)) return ENOENT;
    struct statvfs v {};
    const bool disque = ::statvfs(dossier.constData(), &v) == 0;
    if (disque && (v.f_flag & ST_RDONLY)) return EROFS;
    if (SansDroitEcriture(s) || ::access(dossier.constData(), W_OK | X_OK) != 0) return EACCES;
    const QByteArray fichier = Natif(chemin);
    if (::stat(fichier.constData(), &s) == 0 &&
        (SansDroitEcriture(s) || ::access(fichier.constData(), W_OK) != 0))
        return EACCES;
    if (disque && v.f_bavail == 0) return ENOSPC;
#else
    (void)chemin;
#endif
    return vue;
}

QString CauseEchecEcriture(const QString& chemin, int erreur) {
    switch (erreur) {
    case ENOSPC:
        return QStringLiteral("Le disque est plein");
#ifdef EDQUOT
    case EDQUOT:
        return QStringLiteral("L'espace disque accordé à l'utilisateur est épuisé");
#endif
    case EROFS:
        return QStringLiteral("Le disque est en lecture seule");
    case EIO:
        return QStringLiteral("Le disque a signalé une erreur d'écriture");
    case ENAMETOOLONG:
        return QStringLiteral("Le nom du fichier est trop long");
    case EISDIR:
        return QStringLiteral("Un dossier porte ce nom");
    case ENOENT:
        return QStringLiteral("Le dossier n'existe pas ou n'est plus accessible");
    case EACCES:
    case EPERM: {
#ifdef Q_OS_UNIX
        // A file or folder nobody may write is read-only; one that others may
        // write but not this user is a matter of rights.
        struct stat f {
        }, d{};
        const QByteArray fichier = Natif(chemin), dossier = Natif(Dossier(chemin));
        const bool existe = ::stat(fichier.constData(), &f) == 0;
        const bool dossierVu = ::stat(dossier.constData(), &d) == 0;
        if (existe && SansDroitEcriture(f))
            return QStringLiteral("Le fichier est en lecture seule");
        if (dossierVu && SansDroitEcriture(d))
            return QStringLiteral("Le dossier est en lecture seule");
        if (existe && ::access(fichier.constData(), W_OK) != 0)
            return QStringLiteral("Les droits sur le fichier sont insuffisants");
        if (dossierVu && ::access(dossier.constData(), W_OK) != 0)
            return QStringLiteral("Les droits sur le dossier sont insuffisants");
#endif
        return QStringLiteral("Les droits sur le fichier ou le dossier sont insuffisants");
    }
    default:
        return erreur > 0 ? QStringLiteral("Le système a refusé l'écriture (erreur %1)").arg(erreur)
                          : QStringLiteral("Le système a refusé l'écriture");
    }
}

} // namespace kyr
