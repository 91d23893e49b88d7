#include "common/texte.h"

#include "common/echec_ecriture.h"
#include "common/erreurs.h"
#include "common/restes_ecriture.h"

#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QLockFile>
#include <QSaveFile>
#include <QStringDecoder>
#include <QStringEncoder>
#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <utility>

#if defined(__linux__)
#include <sys/mman.h>
#endif
#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <unistd.h>
#endif

namespace kyr {

namespace {

// The first touch of fresh memory costs a page fault for every page. On some
// virtual machines a fault costs more than the work then done on the page
// (about 11 us: 55 ms for 20 MB, as long as splitting a large book itself);
// asking the system for all the pages of a block at once is about ten times
// cheaper. Both helpers below are best effort: where the system or the
// allocator does not offer this, the memory is simply faulted in as it is used.
constexpr std::size_t SeuilPreparation = 1 << 20;

#if defined(__linux__)
// Transparent large pages for a block that asks for them ("always" or
// "madvise"), read once from the system's setting.
bool GrandesPagesSurDemande() {
    static const bool oui = [] {
        QFile reglage(QStringLiteral("/sys/kernel/mm/transparent_hugepage/enabled"));
        if (!reglage.open(QIODevice::ReadOnly)) return false;
        const QByteArray t = reglage.readAll();
        return t.contains("[always]") || t.contains("[madvise]");
    }();
    return oui;
}
#endif

void PrepareMemoire(void* debut, std::size_t taille) {
#if defined(__linux__)
#ifndef MADV_POPULATE_WRITE
#define MADV_POPULATE_WRITE 23 // Linux 5.14; older systems refuse it, which is harmless
#endif
    if (taille < SeuilPreparation) return;
    const auto page = static_cast<std::uintptr_t>(sysconf(_SC_PAGESIZE));
    const auto adresse = reinterpret_cast<std::uintptr_t>(debut);
    const std::uintptr_t a = (adresse + page - 1) & ~(page - 1);
    const std::uintptr_t b = (adresse + taille) & ~(page - 1);
    if (b <= a) return;
    // Large pages where the system offers them on request: one fault then
    // covers 2 MB instead of 4 KB, and reading the file into the block and
    // going over it again take a few milliseconds instead of some thirty.
    // Their faults come as the block is used: asking for them all at once
    // would hold the process's address space meanwhile (the system may have
    // to gather free 2 MB first), and the windows being built on the main
    // thread would wait for it to load their libraries and fonts.
    if (GrandesPagesSurDemande() && madvise(reinterpret_cast<void*>(a), b - a, MADV_HUGEPAGE) == 0)
        return;
    (void)madvise(reinterpret_cast<void*>(a), b - a, MADV_POPULATE_WRITE);
#else
    (void)debut;
    (void)taille;
#endif
}

// Readies about `octets` of the allocator's heap for the many small blocks a
// large split is about to take (the lines' texts and their list). glibc gives
// a large block straight from the system and returns it when freed, but then
// raises its threshold to that size (up to 32 MB): the second block of that
// size comes from its own heap, and once its pages are prepared and it is
// freed, they stay in the heap's free top, where the small blocks are cut.
void PrepareTas(std::size_t octets) {
#if defined(__linux__) && defined(__GLIBC__)
    constexpr std::size_t SeuilMaximal = std::size_t{32} << 20;
    octets = std::min(octets, SeuilMaximal - (std::size_t{1} << 20));
    if (octets < SeuilPreparation) return;
    void* volatile premier = std::malloc(octets); // volatile: not left out as unused
    std::free(premier);
    void* second = std::malloc(octets);
    if (!second) return;
    PrepareMemoire(second, octets);
    std::free(second);
#else
    (void)octets;
#endif
}

} // namespace

namespace {

// Adds the lines of a text to the list: each ends at LF, CR LF or a lone CR,
// and a last one without an end counts too. A text cut just after a LF gives
// the same lines in two parts as whole.
void AjouteLignes(Lignes& lignes, std::string_view contenu) {
    const char* const base = contenu.data();
    const std::size_t taille = contenu.size();
    std::size_t debut = 0;
    while (debut < taille) {
        // The next LF, then a CR before it: both searches run a block at a time.
        const void* lf = std::memchr(base + debut, '\n', taille - debut);
        const std::size_t finLf =
            lf ? static_cast<std::size_t>(static_cast<const char*>(lf) - base) : taille;
        const void* cr = std::memchr(base + debut, '\r', finLf - debut);
        if (cr) {
            // CR LF, or a lone CR ending a line of its own.
            const std::size_t r = static_cast<std::size_t>(static_cast<const char*>(cr) - base);
            lignes.emplace_back(contenu.substr(debut, r - debut));
            debut = r + 1 < taille && base[r + 1] == '\n' ? r + 2 : r + 1;
            continue;
        }
        lignes.emplace_back(contenu.substr(debut, finLf - debut));
        if (!lf) break; // a last line without a line end
        debut = finLf + 1;
    }
}

// Room for about that many lines and their texts, made once.
void PrepareLignes(Lignes& lignes, std::size_t nombre, std::size_t octets) {
    // A line too long for the text's own room takes a block of its length and
    // at most 24 bytes more.
    PrepareTas(nombre * (sizeof(std::string) + 24) + octets);
    lignes.reserve(nombre);
}

} // namespace

Lignes DecoupeLignes(std::string_view contenu) {
    Lignes lignes;
    // As many lines as LF, or about: a file of CR LF lines is split without
    // the list being moved to a bigger place again and again.
    PrepareLignes(lignes,
                  static_cast<std::size_t>(std::count(contenu.begin(), contenu.end(), '\n')) + 1,
                  contenu.size());
    AjouteLignes(lignes, contenu);
    return lignes;
}

std::optional<Lignes> LitLignes(QFile& f, CalculEmpreinte* empreinte) {
    // A piece at a time into the same buffer: a large book's bytes are never
    // all in memory beside its lines, and fresh memory is slow to come by.
    // Each piece is split up to its last LF; the rest waits for the next.
    constexpr qsizetype Morceau = qsizetype{1} << 20;
    const qint64 prevue = f.size();
    // No larger than the file (and a byte, so that its end is seen without
    // growing): most files are small, and a megabyte for each is fresh
    // memory to be had again every time.
    QByteArray tampon(static_cast<qsizetype>(std::clamp<qint64>(prevue + 1, 4096, Morceau)),
                      Qt::Uninitialized);
    qsizetype garde = 0; // bytes carried over at the buffer's start
    Lignes lignes;
    bool premier = true;
    for (;;) {
        if (garde == tampon.size()) tampon.resize(tampon.size() * 2); // a line longer than it
        const qint64 n = f.read(tampon.data() + garde, tampon.size() - garde);
        if (n < 0) return std::nullopt;
        if (n == 0) break; // the end, wherever it now is
        if (empreinte)
            empreinte->Ajoute(
                std::string_view(tampon.constData() + garde, static_cast<std::size_t>(n)));
        const std::string_view lu(tampon.constData(), static_cast<std::size_t>(garde + n));
        if (premier) {
            // As many lines in all as the first piece's LF promise, and a little more.
            premier = false;
            const auto lf = static_cast<std::size_t>(std::count(lu.begin(), lu.end(), '\n'));
            const double part =
                prevue > n ? static_cast<double>(prevue) / static_cast<double>(n) : 1.0;
            PrepareLignes(lignes,
                          static_cast<std::size_t>(static_cast<double>(lf) * part * 1.125) + 16,
                          static_cast<std::size_t>(std::max<qint64>(prevue, n)));
        }
        const std::size_t fin = lu.rfind('\n');
        if (fin == std::string_view::npos) {
            garde = static_cast<qsizetype>(lu.size());
            continue;
        }
        AjouteLignes(lignes, lu.substr(0, fin + 1));
        garde = static_cast<qsizetype>(lu.size() - fin - 1);
        std::memmove(tampon.data(), tampon.constData() + fin + 1, static_cast<std::size_t>(garde));
    }
    if (f.error() != QFileDevice::NoError) return std::nullopt;
    AjouteLignes(lignes, std::string_view(tampon.constData(), static_cast<std::size_t>(garde)));
    return lignes;
}

std::string JoinLignes(const Lignes& lignes) {
    std::size_t taille = 0;
    for (const auto& l : lignes)
        taille += l.size() + 2;
    std::string s;
    s.reserve(taille);
    for (const auto& l : lignes) {
        s += l;
        s += "\r\n";
    }
    return s;
}

bool FichierExiste(const QString& chemin) {
    return !chemin.isEmpty() && QFileInfo::exists(chemin);
}

namespace {
// What `lire` makes of a file opened for reading; nullopt when no such file
// exists, ErreurExecution::LectureFichier when it exists but cannot be read.
template <typename Lecture>
auto LitAvec(const QString& chemin, Lecture lire) -> decltype(lire(std::declval<QFile&>())) {
    const QFileInfo info(chemin);
    if (chemin.isEmpty() || !info.exists()) return std::nullopt;
    if (info.isDir()) throw ErreurExecution::LectureFichier(chemin);
    QFile f(chemin);
    if (!f.open(QIODevice::ReadOnly)) throw ErreurExecution::LectureFichier(chemin);
    auto lu = lire(f);
    if (!lu) throw ErreurExecution::LectureFichier(chemin);
    return lu;
}
} // namespace

std::optional<QByteArray> LitContenu(QFile& f) {
    const qint64 prevue = f.size();
    if (prevue < static_cast<qint64>(SeuilPreparation)) {
        QByteArray contenu = f.readAll();
        if (f.error() != QFileDevice::NoError) return std::nullopt;
        return contenu;
    }
    QByteArray contenu(prevue, Qt::Uninitialized);
    PrepareMemoire(contenu.data(), static_cast<std::size_t>(contenu.size()));
    qint64 lu = 0;
    while (lu < prevue) {
        const qint64 n = f.read(contenu.data() + lu, prevue - lu);
        if (n < 0) return std::nullopt;
        if (n == 0) break; // shortened meanwhile
        lu += n;
    }
    contenu.truncate(lu);
    if (lu == prevue) contenu += f.readAll(); // lengthened meanwhile
    if (f.error() != QFileDevice::NoError) return std::nullopt;
    return contenu;
}

std::optional<std::string> LitOctets(const QString& chemin) {
    const auto contenu = LitAvec(chemin, [](QFile& f) { return LitContenu(f); });
    if (!contenu) return std::nullopt;
    return std::string(contenu->constData(), static_cast<std::size_t>(contenu->size()));
}

std::optional<EmpreinteFichier> Empreinte(const QString& chemin) {
    const QFileInfo info(chemin);
    if (chemin.isEmpty() || !info.isFile()) return std::nullopt;
    QFile f(chemin);
    if (!f.open(QIODevice::ReadOnly)) return std::nullopt;
    const auto contenu = LitContenu(f);
    if (!contenu) return std::nullopt;
    return EmpreinteOctets(*contenu);
}

namespace {
// The digest goes a block at a time, each block's seeded by the digest so
// far: the bytes may then come in pieces of any size (the writer's) or all at
// once (a file read back) and give the same fingerprint.
constexpr std::size_t BlocEmpreinte = 1 << 16;
std::size_t CondenseBloc(std::string_view bloc, std::size_t graine) {
    return qHash(QByteArrayView(bloc.data(), static_cast<qsizetype>(bloc.size())), graine);
}
} // namespace

void CalculEmpreinte::Ajoute(std::string_view morceau) {
    m_taille += static_cast<qint64>(morceau.size());
    if (!m_reste.empty()) {
        const std::size_t n = std::min(BlocEmpreinte - m_reste.size(), morceau.size());
        m_reste.append(morceau.substr(0, n));
        morceau.remove_prefix(n);
        if (m_reste.size() < BlocEmpreinte) return;
        m_condense = CondenseBloc(m_reste, m_condense);
        m_reste.clear();
    }
    while (morceau.size() >= BlocEmpreinte) {
        m_condense = CondenseBloc(morceau.substr(0, BlocEmpreinte), m_condense);
        morceau.remove_prefix(BlocEmpreinte);
    }
    m_reste.assign(morceau);
}

EmpreinteFichier CalculEmpreinte::Resultat() const {
    return EmpreinteFichier{m_taille,
                            m_reste.empty() ? m_condense : CondenseBloc(m_reste, m_condense)};
}

EmpreinteFichier EmpreinteOctets(QByteArrayView octets) {
    // A digest rather than the modification time: two saves within the file
    // system's time resolution leave the same date. Qt's hash with a seed
    // other than 0 uses the processor's AES instructions where it has them:
    // many times faster than its portable hash on a large book.
    CalculEmpreinte calcul;
    calcul.Ajoute(std::string_view(octets.data(), static_cast<std::size_t>(octets.size())));
    return calcul.Resultat();
}

bool ChangeDepuis(const QString& chemin, const std::optional<EmpreinteFichier>& avant) {
    if (!avant) return false;
    const QFileInfo info(chemin);
    if (!info.isFile()) return false; // removed: writing it again loses nothing
    if (info.size() != avant->Taille) return true;
    return Empreinte(chemin) != avant;
}

std::optional<Lignes> LitFichier(const QString& chemin, CalculEmpreinte* empreinte) {
    return LitAvec(chemin, [empreinte](QFile& f) { return LitLignes(f, empreinte); });
}

namespace {

PanneEcriture& Panne() {
    static PanneEcriture panne;
    return panne;
}
int& ErreurPanne() {
    static int erreur = 0;
    return erreur;
}

// The error a step reports when the test hook makes it fail: the one given
// with the hook, or the one such a step usually meets.
int ErreurSimulee(EtapeEcriture etape, int donnee) {
    if (donnee != 0) return donnee;
    switch (etape) {
    case EtapeEcriture::Ecriture:
        return ENOSPC;
    case EtapeEcriture::Vidage:
    case EtapeEcriture::VidageDossier:
        return EIO;
    default:
        return EACCES;
    }
}

} // namespace

// QSaveFile writes a temporary file beside the target and renames it over the
// old file only on commit, so a failure anywhere leaves the old file as it
// was. No direct-write fallback: that would give up exactly this.
struct EcritureEnCours::Etat {
    QString chemin;
    // Held from before the temporary file is made until it is renamed or
    // gone (declared first: it goes last), so that the start of another copy
    // never takes that file for the remains of a save cut short.
    std::unique_ptr<QLockFile> verrou;
    QSaveFile fichier;   // removes its temporary file when destroyed uncommitted
    PanneEcriture panne; // the test hook as it was set when the writing began
    int erreurPanne = 0;
    EmpreinteFichier empreinte;

    explicit Etat(const QString& c)
        : chemin(c), fichier(c), panne(Panne()), erreurPanne(ErreurPanne()) {}
    // The step fails by the test hook: the error it then reports.
    int Echoue(EtapeEcriture etape) const {
        return panne && panne(etape, chemin) ? ErreurSimulee(etape, erreurPanne) : 0;
    }
    // The message for a failure of which the system said `erreur`.
    ErreurExecution Erreur(int erreur) const {
        return ErreurExecution::CreationFichier(
            chemin, CauseEchecEcriture(chemin, ErreurConstatee(chemin, erreur)));
    }
};

EcritureEnCours::EcritureEnCours(std::unique_ptr<Etat> etat) : m_etat(std::move(etat)) {}
EcritureEnCours::EcritureEnCours(EcritureEnCours&&) noexcept = default;
EcritureEnCours& EcritureEnCours::operator=(EcritureEnCours&&) noexcept = default;
EcritureEnCours::~EcritureEnCours() = default;

const QString& EcritureEnCours::Chemin() const {
    return m_etat->chemin;
}

const EmpreinteFichier& EcritureEnCours::Empreinte() const {
    return m_etat->empreinte;
}

namespace {
// The temporary file's bytes confirmed by the disk. commit() flushes them too
// but does not look at the outcome: a disk that fails there (an I/O error, a
// network folder gone) would leave a renamed file that lost its end while the
// save was reported done. Flushed first here, a second flush costs nothing.
// Gives the system's error, 0 when done.
int VideSurDisque(QSaveFile& f) {
#ifdef Q_OS_UNIX
    const int fd = f.handle();
    return fd < 0 || ::fsync(fd) == 0 ? 0 : errno;
#else
    (void)f;
    return 0;
#endif
}

// The folder's new entry confirmed by the disk: without it a power cut just
// after the rename can bring the old file back, or none. A folder that cannot
// be opened for it, or a file system that does not flush folders, is left as
// the system keeps it. Gives the system's error, 0 when done.
int VideDossier(const QString& chemin) {
#ifdef Q_OS_UNIX
    const QByteArray dossier = QFile::encodeName(QFileInfo(chemin).absolutePath());
    const int fd = ::open(dossier.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return 0;
    int erreur = ::fsync(fd) == 0 ? 0 : errno;
    ::close(fd);
    if (erreur == EINVAL || erreur == EROFS || erreur == EBADF
#ifdef ENOTSUP
        || erreur == ENOTSUP
#endif
    )
        erreur = 0;
    return erreur;
#else
    (void)chemin;
    return 0;
#endif
}

// The error left by a failed call of QSaveFile: the system's own, or, when Qt
// refused by itself (an existing file that cannot be written), none.
int ErreurQt(const QSaveFile& f, int vue) {
    if (f.error() == QFileDevice::ResourceError) return ENOSPC;
    return vue;
}
} // namespace

void EcritureEnCours::Termine() {
    Etat& e = *m_etat;
    const auto fin = [&e] { e.verrou.reset(); };
    // commit() renames the file over the old one; on its own failure it
    // removes the temporary file. A commit after cancelWriting only removes
    // it: done here rather than when the object goes, so that no temporary
    // file is left once the error is known.
    int erreur = e.Echoue(EtapeEcriture::Vidage);
    if (!erreur) erreur = VideSurDisque(e.fichier);
    if (!erreur) erreur = e.Echoue(EtapeEcriture::Remplacement);
    if (erreur) {
        e.fichier.cancelWriting();
        (void)e.fichier.commit();
        fin();
        throw e.Erreur(erreur);
    }
    errno = 0;
    if (!e.fichier.commit()) {
        const int vue = ErreurQt(e.fichier, errno);
        fin();
        throw e.Erreur(vue);
    }
    // The new file is in place; a disk that fails to confirm its name is
    // said, so that nothing shows as saved that a power cut could take back.
    erreur = e.Echoue(EtapeEcriture::VidageDossier);
    if (!erreur) erreur = VideDossier(e.chemin);
    fin();
    if (erreur) throw e.Erreur(erreur);
}

namespace {

// The first step of every write: the temporary file created, `produit`'s
// bytes written to it a piece at a time (handed to the function it is given)
// and flushed to the system. A file of lines is written under its lock (see
// restes_ecriture.h).
template <class Producteur>
EcritureEnCours Commence(const QString& chemin, bool verrouille, Producteur&& produit) {
    if (chemin.isEmpty()) throw ErreurExecution::CreationFichier(chemin);
    auto etat = std::make_unique<EcritureEnCours::Etat>(chemin);
    if (QFileInfo(chemin).isDir()) throw etat->Erreur(EISDIR);
    if (verrouille) etat->verrou = VerrouilleEcriture(chemin);
    QSaveFile& f = etat->fichier;
    if (const int erreur = etat->Echoue(EtapeEcriture::Creation)) throw etat->Erreur(erreur);
    errno = 0;
    if (!f.open(QIODevice::WriteOnly)) throw etat->Erreur(ErreurQt(f, errno));
    const auto abandonne = [&f, &etat](int erreur) {
        const int vue = ErreurQt(f, erreur);
        f.cancelWriting(); // the temporary file goes with f
        return etat->Erreur(vue);
    };
    CalculEmpreinte empreinte;
    const auto ecrit = [&](std::string_view morceau) {
        const auto taille = static_cast<qint64>(morceau.size());
        if (const int erreur = etat->Echoue(EtapeEcriture::Ecriture)) {
            f.write(morceau.data(), taille / 2); // what a full disk takes before it refuses
            throw abandonne(erreur);
        }
        errno = 0;
        if (f.write(morceau.data(), taille) != taille) throw abandonne(errno);
        empreinte.Ajoute(morceau);
    };
    produit(ecrit);
    errno = 0;
    if (!f.flush()) throw abandonne(errno);
    etat->empreinte = empreinte.Resultat();
    return EcritureEnCours(std::move(etat));
}

} // namespace

void SimulePanneEcriture(PanneEcriture panne, int erreur) {
    Panne() = std::move(panne);
    ErreurPanne() = erreur;
}

void EcritOctets(const QString& chemin, std::string_view contenu) {
    Commence(chemin, false, [contenu](const auto& ecrit) { ecrit(contenu); }).Termine();
}

namespace {
// The lines of each list in turn, each followed by CR LF, handed to `ecrit`
// a piece at a time: a whole book is never held a second time in memory as
// one text.
template <class Ecrit>
void EcritLignes(const Ecrit& ecrit, std::initializer_list<const Lignes*> listes) {
    constexpr std::size_t Morceau = 1 << 16;
    std::string morceau;
    morceau.reserve(Morceau + 512);
    for (const Lignes* lignes : listes)
        for (const auto& l : *lignes) {
            morceau += l;
            morceau += "\r\n";
            if (morceau.size() >= Morceau) {
                ecrit(morceau);
                morceau.clear();
            }
        }
    ecrit(morceau);
}
} // namespace

EcritureEnCours CommenceFichier(const QString& chemin, const Lignes& lignes) {
    return Commence(chemin, true, [&lignes](const auto& ecrit) { EcritLignes(ecrit, {&lignes}); });
}

void EcritFichier(const QString& chemin, const Lignes& lignes) {
    CommenceFichier(chemin, lignes).Termine();
}

void EcritFichier(const QString& chemin, const Lignes& lignes, const Lignes& suite) {
    Commence(chemin, true, [&](const auto& ecrit) {
        EcritLignes(ecrit, {&lignes, &suite});
    }).Termine();
}

// ICU's windows-1252 decodes the five bytes the code page leaves undefined
// (0x81, 0x8D, 0x8F, 0x90, 0x9D) to the control characters of the same number
// and encodes them back, so every byte survives a round trip.
QString VersQString(std::string_view octets) {
    QStringDecoder decodeur("windows-1252");
    return decodeur.decode(QByteArrayView(octets.data(), static_cast<qsizetype>(octets.size())));
}

std::optional<std::string> DepuisQString(const QString& texte) {
    QStringEncoder encodeur("windows-1252");
    const QByteArray octets = encodeur.encode(texte);
    if (encodeur.hasError()) return std::nullopt;
    return std::string(octets.constData(), static_cast<std::size_t>(octets.size()));
}

bool EstRepresentable(const QString& texte) {
    return DepuisQString(texte).has_value();
}

std::string Majuscules(std::string_view s) {
    std::string r(s);
    for (char& c : r)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return r;
}

bool EgalSansCasse(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    const auto majuscule = [](char c) { return c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c; };
    for (std::size_t i = 0; i < a.size(); ++i)
        if (majuscule(a[i]) != majuscule(b[i])) return false;
    return true;
}

namespace {
bool EstBlanc(char c) {
    return static_cast<unsigned char>(c) <= ' ';
}
std::string_view SansBlancsGauche(std::string_view s) {
    while (!s.empty() && EstBlanc(s.front()))
        s.remove_prefix(1);
    return s;
}
std::string_view SansBlancsDroite(std::string_view s) {
    while (!s.empty() && EstBlanc(s.back()))
        s.remove_suffix(1);
    return s;
}
} // namespace

std::string TrimGauche(std::string_view s) {
    return std::string(SansBlancsGauche(s));
}

std::string TrimDroite(std::string_view s) {
    return std::string(SansBlancsDroite(s));
}

std::string_view TrimVue(std::string_view s) {
    // The grid's numbers stand behind a score of blanks: eight at a time.
    while (s.size() >= 8 && std::memcmp(s.data(), "        ", 8) == 0)
        s.remove_prefix(8);
    return SansBlancsDroite(SansBlancsGauche(s));
}

std::string Trim(std::string_view s) {
    return std::string(TrimVue(s));
}

std::string_view Debut(std::string_view s, std::size_t n) {
    return s.substr(0, std::min(n, s.size()));
}

std::string_view Depuis(std::string_view s, std::size_t p) {
    return p >= s.size() ? std::string_view() : s.substr(p);
}

std::string Coupe255(std::string_view s) {
    return std::string(Debut(s, 255));
}

} // namespace kyr
