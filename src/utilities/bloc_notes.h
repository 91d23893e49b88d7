#pragma once
// The notepad's file "Fact.nte" in the start-up folder: the exact text of the
// note in Windows-1252, lines separated by CR LF, with no line break added
// after the last line. And the printing of the note, line by line.
#include "common/texte.h"
#include "printing/surface.h"

#include <QString>

#include <optional>
#include <string>

namespace kyr {

inline constexpr const char* NomFichierNote = "Fact.nte";
// A note file larger than this is not loaded ("Le texte dépasse la capacité
// du mémo"), so that it is never cut and written back shorter.
inline constexpr std::size_t TailleMaxNote = 4 * 1024 * 1024;

// The folder, the platform's separator, "Fact.nte".
QString CheminNote(const QString& repertoire);
// A folder at the root of a drive already ends with a separator: the first
// doubled separator of the path is made single (on Windows, not the two that
// open a network share's path).
QString RepareChemin(const QString& chemin);

// The note as the text box holds it: lines separated by "\n". Every CR LF,
// lone CR and lone LF of the file is a line break.
std::string NoteDepuisFichier(std::string_view octets);
// The file's bytes: every "\n" becomes CR LF, nothing is added at the end.
std::string NoteVersFichier(std::string_view note);

// Loading and saving by path (mended first). ChargeNote gives nullopt when
// there is no file; it throws "Le texte dépasse la capacité du mémo" for an
// oversized file and "Ne peut lire le fichier %s" for an unreadable one.
// SauveNote writes through the safe writer ("Ne peut créer le fichier %s").
std::optional<std::string> ChargeNote(const QString& chemin);
void SauveNote(const QString& chemin, std::string_view note);

// Prints the note from the top left corner of the printable area: each line
// one printed line (empty ones too), a line wider than the page continued on
// the next, tabs at every eighth average character width, a new page when
// the next line would not fit.
void ImprimeNote(Surface& surface, const Police& police, std::string_view note);

} // namespace kyr
