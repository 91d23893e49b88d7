#pragma once
// 8-bit text. The logic keeps every line as the bytes the file holds
// (Windows-1252); conversion to and from QString happens only at the widget
// boundary, through VersQString / DepuisQString.
#include <QByteArray>
#include <QString>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

class QFile;

namespace kyr {

using Lignes = std::vector<std::string>;

// Splits file content into lines: CR LF, lone CR and lone LF all end a line; a
// last line without a line end is kept. Empty content gives no line.
Lignes DecoupeLignes(std::string_view contenu);
// All the bytes of a file opened for reading, to its end; nullopt on a read
// error. A large file is read into memory whose pages are asked for at once.
std::optional<QByteArray> LitContenu(QFile& fichier);
// Joins lines, each followed by CR LF.
std::string JoinLignes(const Lignes& lignes);

class CalculEmpreinte;
// The lines of a file opened for reading, read a piece at a time: the lines
// DecoupeLignes gives of all its bytes, without holding them all at once, and
// their fingerprint when asked for. nullopt on a read error.
std::optional<Lignes> LitLignes(QFile& fichier, CalculEmpreinte* empreinte = nullptr);

// Reads a whole text file; nullopt when no such file exists. A file that exists
// but cannot be read throws ErreurExecution::LectureFichier.
// With `empreinte`, also the fingerprint of the very bytes the lines come from.
std::optional<Lignes> LitFichier(const QString& chemin, CalculEmpreinte* empreinte = nullptr);
// Writes a whole text file atomically (temporary file in the same folder,
// renamed over the old one only when complete, permissions kept, then the
// folder flushed). On failure the old file is intact and
// ErreurExecution::CreationFichier(chemin, why) is thrown; only when the disk
// fails to confirm the folder after the rename is the new file in place.
void EcritFichier(const QString& chemin, const Lignes& lignes);
// The same for the lines of `lignes` followed by those of `suite`, written
// from where they are.
void EcritFichier(const QString& chemin, const Lignes& lignes, const Lignes& suite);
// The same two for a file taken as its exact bytes: a note whose last line may
// or may not end with a line break, a UTF-8 export, a PDF file.
std::optional<std::string> LitOctets(const QString& chemin);
void EcritOctets(const QString& chemin, std::string_view contenu);

// For the tests of failed writes: every file the program writes goes through
// the two writers above, and `panne` is asked at each of their steps whether
// that step fails there, as it would on a read-only folder (creating the
// temporary file), a full disk (writing: half of the piece is written first),
// a failed flush to the disk, a failed rename, or a failed flush of the
// folder once the new file is in place. An empty function: no fault (the
// default). The steps from the flush on belong to EcritureEnCours::Termine,
// which asks the function that was set when the writing began. The failing
// step reports the system error `erreur` (errno), or, for 0, the one such a
// step usually meets: EACCES, ENOSPC, EIO, EACCES, EIO.
enum class EtapeEcriture { Creation, Ecriture, Vidage, Remplacement, VidageDossier };
using PanneEcriture = std::function<bool(EtapeEcriture etape, const QString& chemin)>;
void SimulePanneEcriture(PanneEcriture panne, int erreur = 0);
bool FichierExiste(const QString& chemin);

// What a file holds at one moment, to tell later whether another program has
// changed it: its size and a digest of its bytes. A file only touched (same
// bytes, a newer date) is not a change: replacing it loses nothing.
struct EmpreinteFichier {
    qint64 Taille = 0;
    std::size_t Condense = 0;
    bool operator==(const EmpreinteFichier&) const = default;
};
// nullopt when there is no such file or it cannot be read.
std::optional<EmpreinteFichier> Empreinte(const QString& chemin);
// The fingerprint of a file's bytes already read.
EmpreinteFichier EmpreinteOctets(QByteArrayView octets);
// The same fingerprint taken a piece at a time, as the bytes go by.
class CalculEmpreinte {
public:
    void Ajoute(std::string_view morceau);
    EmpreinteFichier Resultat() const;

private:
    qint64 m_taille = 0;
    std::size_t m_condense = 0x4b79724661637475; // any seed but 0 (see EmpreinteOctets)
    std::string m_reste;                         // the start of a block not complete yet
};

// EcritFichier in two steps, for the book, whose confirmation on disk (a
// flush of every byte, then the rename) takes longer than writing it.
// CommenceFichier does everything up to the bytes being with the system:
// errors in creating or writing the temporary file are thrown there, as
// EcritFichier throws them. The returned object owns the temporary file;
// its Termine confirms it on disk and puts it in place, and may run on
// another thread (nothing else in the object is touched meanwhile). On any
// failure, Termine's included, the old file is intact, no temporary file is
// left and ErreurExecution::CreationFichier(chemin) is thrown. Dropped
// without Termine, the object removes its temporary file: nothing replaced.
class EcritureEnCours {
public:
    EcritureEnCours(EcritureEnCours&&) noexcept;
    EcritureEnCours& operator=(EcritureEnCours&&) noexcept;
    ~EcritureEnCours();

    void Termine();
    const QString& Chemin() const;
    // What the file holds once in place, taken from the bytes written: the
    // same as Empreinte(Chemin()) would read back.
    const EmpreinteFichier& Empreinte() const;

    struct Etat; // made by the writer only
    explicit EcritureEnCours(std::unique_ptr<Etat> etat);

private:
    std::unique_ptr<Etat> m_etat;
};
EcritureEnCours CommenceFichier(const QString& chemin, const Lignes& lignes);
// The file no longer holds what `avant` recorded: changed or replaced. A file
// removed since, or that had no fingerprint, is not taken as changed.
bool ChangeDepuis(const QString& chemin, const std::optional<EmpreinteFichier>& avant);

// Windows-1252 <-> QString. DepuisQString gives nullopt when a character has no
// Windows-1252 byte: such input is refused, never silently replaced.
QString VersQString(std::string_view octets);
std::optional<std::string> DepuisQString(const QString& texte);
bool EstRepresentable(const QString& texte);

// Letters a to z turned into capitals; every other byte unchanged.
std::string Majuscules(std::string_view s);
// Whole-line comparison ignoring the case of the letters a to z.
bool EgalSansCasse(std::string_view a, std::string_view b);
// Blanks and control characters (bytes <= 32) removed at both ends / one end.
std::string Trim(std::string_view s);
std::string TrimGauche(std::string_view s);
std::string TrimDroite(std::string_view s);
// Trim without a copy: the view of s between its blanks.
std::string_view TrimVue(std::string_view s);
// The first n bytes (or fewer); the bytes from position p (0-based) on.
std::string_view Debut(std::string_view s, std::size_t n);
std::string_view Depuis(std::string_view s, std::size_t p);
// At most 255 bytes: the program's short-string cut.
std::string Coupe255(std::string_view s);

// Whether the line begins with `debut`, letter case included. The first byte is
// tested on its own: the passes over a whole book reject most lines there.
inline bool CommencePar(std::string_view ligne, std::string_view debut) {
    return ligne.size() >= debut.size() && (debut.empty() || ligne[0] == debut[0]) &&
           ligne.compare(0, debut.size(), debut) == 0;
}

} // namespace kyr
