#include "shell/prelecture.h"

#include "book/reglages.h"

#include <QFile>
#include <QFileInfo>
#include <QHash>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#endif

namespace kyr {

QString LivreAOuvrir() {
    try {
        Reglages r;
        if (!ChargeValeursIni(r) || !AutoOuverture(r)) return {};
        const QString nom = VersQString(r.DernierLivre);
        return FichierExiste(nom) ? nom : QString();
    } catch (...) {
        return {}; // the opening reads the settings again and reports it
    }
}

std::optional<std::string> EtatFichier(const QString& chemin) {
#ifdef Q_OS_UNIX
    struct stat s {};
    if (::stat(QFile::encodeName(chemin).constData(), &s) != 0) return std::nullopt;
    return std::to_string(s.st_dev) + ':' + std::to_string(s.st_ino) + ':' +
           std::to_string(s.st_size) + ':' + std::to_string(s.st_mtim.tv_sec) + '.' +
           std::to_string(s.st_mtim.tv_nsec);
#else
    const QFileInfo info(chemin);
    if (!info.exists()) return std::nullopt;
    return std::to_string(info.size()) + ':' +
           std::to_string(info.lastModified().toMSecsSinceEpoch());
#endif
}

PrelectureLivre::PrelectureLivre(const QString& chemin) : m_chemin(chemin) {
    if (chemin.isEmpty()) return;
    m_fil = std::thread([this] {
        try {
            // The state first: a change made while reading then shows.
            auto etat = EtatFichier(m_chemin);
            QFile f(m_chemin);
            if (!etat || !f.open(QIODevice::ReadOnly)) return;
            CalculEmpreinte calcul;
            auto lignes = LitLignes(f, &calcul);
            if (!lignes) return;
            LivreLu lu;
            lu.empreinte = calcul.Resultat();
            lu.lignes = std::move(*lignes);
            lu.lignes.Prepare();
            m_lu = std::move(lu);
            m_etat = std::move(etat);
        } catch (...) {
            m_lu.reset(); // out of memory: the opening reads the file and says so
        }
    });
}

PrelectureLivre::~PrelectureLivre() {
    Attends();
}

void PrelectureLivre::Attends() {
    if (m_fil.joinable()) m_fil.join();
}

std::optional<LivreLu> PrelectureLivre::Prends(const QString& chemin) {
    Attends();
    std::optional<LivreLu> lu = std::move(m_lu);
    m_lu.reset();
    if (!lu || chemin != m_chemin || EtatFichier(chemin) != m_etat) return std::nullopt;
    return lu;
}

} // namespace kyr
