#pragma once
// What a save cut short (the program killed, the computer stopped) leaves
// beside a file: the temporary file the safe writer had filled and not yet
// renamed over it, "livre.fct.XJVoWd", which nothing else would ever remove.
// While a file of lines is being written, the writer holds a lock beside it,
// so that a copy of the program that comes to clear such remains never takes
// the temporary file of a save still running.
#include <QString>

#include <memory>

class QLockFile;

namespace kyr {

// The lock held while `chemin` is being written: ".livre.fct.ecriture" beside
// "livre.fct".
QString NomVerrouEcriture(const QString& chemin);

// Takes that lock, waiting a moment for another copy of the program that is
// writing the same file; null when it cannot be had (that copy still writing,
// or a folder where nothing can be created), and the write goes on without it.
std::unique_ptr<QLockFile> VerrouilleEcriture(const QString& chemin);

// Removes the remains of this program's saves of `chemin` and gives their
// number. Only files it certainly made are taken: named as the writer names
// its temporary files (the file's name, a point and six letters), plain files
// of this user, written to the end of their last line (CR LF, or empty), and
// only when no running copy holds the lock of a save of `chemin`.
int RetireRestesEcriture(const QString& chemin);

} // namespace kyr
