#pragma once
// The folder the targets that go through files write in: tmpfs when there is
// one, since the safe writer's flush to a disk costs milliseconds an input.
#include <QDir>
#include <QTemporaryDir>

namespace kyr::fuzz {

inline const QTemporaryDir& Dossier() {
    static const QTemporaryDir d(QDir(QStringLiteral("/dev/shm")).exists()
                                     ? QStringLiteral("/dev/shm/kyrfuzz-XXXXXX")
                                     : QDir::tempPath() + QStringLiteral("/kyrfuzz-XXXXXX"));
    return d;
}

inline QString Chemin(const char* nom) {
    return Dossier().filePath(QString::fromLatin1(nom));
}

} // namespace kyr::fuzz
