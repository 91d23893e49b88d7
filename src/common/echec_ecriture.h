#pragma once
// Why a file could not be written, told to the user in a sentence of its own
// after "Ne peut créer le fichier X": from the system's error where the
// writer failed, and from what the folder and the file look like when that
// error alone does not say (a read-only file or folder, missing rights).
#include <QString>

namespace kyr {

// The system's error (errno) to report for a failure on `chemin`: `vue`
// when it says enough, otherwise what the disk, the folder and the file show
// (a read-only disk, a folder or file that cannot be written, no space left).
int ErreurConstatee(const QString& chemin, int vue);

// The French sentence for that error on `chemin`, without its full stop:
// "Le disque est plein", "Le dossier est en lecture seule"...
QString CauseEchecEcriture(const QString& chemin, int erreur);

} // namespace kyr
