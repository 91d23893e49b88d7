#pragma once
// The remembered book read ahead: at start-up the program reads the book it
// will reopen on a thread of its own while the windows are being built, and
// the opening then takes those lines instead of reading the file again.
#include "book/lignes_livre.h"
#include "common/texte.h"

#include <QString>
#include <optional>
#include <thread>

namespace kyr {

struct LivreLu {
    LignesLivre lignes;         // with what one pass over them finds
    EmpreinteFichier empreinte; // of the very bytes the lines come from
};

// The book to read ahead, from the settings of the current folder: the
// remembered book when automatic opening is on and it exists; empty otherwise.
QString LivreAOuvrir();

class PrelectureLivre {
public:
    // Starts reading `chemin` (nothing for an empty name).
    explicit PrelectureLivre(const QString& chemin);
    ~PrelectureLivre(); // waits for the reading
    PrelectureLivre(const PrelectureLivre&) = delete;
    PrelectureLivre& operator=(const PrelectureLivre&) = delete;

    // What was read from `chemin`, once: nullopt for another name, a file
    // that could not be read, or one that changed (size, time or identity)
    // since it was read; the caller then reads the file itself.
    std::optional<LivreLu> Prends(const QString& chemin);
    // Waits for the reading to end.
    void Attends();

private:
    QString m_chemin;
    std::optional<LivreLu> m_lu;
    std::optional<std::string> m_etat; // the file's state when it was read
    std::thread m_fil;
};

// Size, modification time and file identity as one comparable text; nullopt
// when the file cannot be examined.
std::optional<std::string> EtatFichier(const QString& chemin);

} // namespace kyr
