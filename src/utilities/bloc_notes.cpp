#include "utilities/bloc_notes.h"

#include "common/erreurs.h"

#include <QDir>

#include <algorithm>

namespace kyr {

QString CheminNote(const QString& repertoire) {
    return repertoire + QDir::separator() + QLatin1String(NomFichierNote);
}

QString RepareChemin(const QString& chemin) {
    const QChar separateur = QDir::separator();
    // On Windows a path that starts with two backslashes names a network
    // share: those two stay.
    const qsizetype debut = separateur == QLatin1Char('\\') ? 1 : 0;
    const qsizetype i = chemin.indexOf(QString(2, separateur), debut);
    if (i < 0) return chemin;
    QString r = chemin;
    r.remove(i, 1);
    return r;
}

std::string NoteDepuisFichier(std::string_view octets) {
    std::string note;
    note.reserve(octets.size());
    for (std::size_t i = 0; i < octets.size(); ++i) {
        const char c = octets[i];
        if (c == '\r') {
            note += '\n';
            if (i + 1 < octets.size() && octets[i + 1] == '\n') ++i;
        } else {
            note += c;
        }
    }
    return note;
}

std::string NoteVersFichier(std::string_view note) {
    std::string octets;
    octets.reserve(note.size() + note.size() / 16);
    for (const char c : note) {
        if (c == '\n')
            octets += "\r\n";
        else
            octets += c;
    }
    return octets;
}

std::optional<std::string> ChargeNote(const QString& chemin) {
    const QString vrai = RepareChemin(chemin);
    const auto octets = LitOctets(vrai);
    if (!octets) return std::nullopt;
    if (octets->size() > TailleMaxNote)
        throw ErreurExecution(QStringLiteral("Le texte dépasse la capacité du mémo"));
    return NoteDepuisFichier(*octets);
}

void SauveNote(const QString& chemin, std::string_view note) {
    EcritOctets(RepareChemin(chemin), NoteVersFichier(note));
}

namespace {

// A run of characters printed at one place.
struct Morceau {
    int x;
    std::string texte;
};

class Page {
public:
    Page(Surface& s, int hauteurLigne) : m_s(s), m_hauteur(hauteurLigne) {}

    // Starts a printed line; a new page when it would not fit.
    void NouvelleLigne() {
        if (m_premiere) {
            m_premiere = false;
        } else {
            m_y += m_hauteur;
            if (m_y + m_hauteur > m_s.HauteurPixels() && m_y > 0) {
                m_s.NouvellePage();
                m_y = 0;
            }
        }
    }
    int y() const { return m_y; }

private:
    Surface& m_s;
    int m_hauteur;
    int m_y = 0;
    bool m_premiere = true;
};

} // namespace

void ImprimeNote(Surface& surface, const Police& police, std::string_view note) {
    surface.ChoisitPolice(police);
    // The height of a line: the font's size in points at the device's
    // resolution, with the usual leading.
    const double pixelsParPouce =
        surface.HauteurMm() > 0 ? surface.HauteurPixels() * 25.4 / surface.HauteurMm() : 300.0;
    const int hauteur = std::max(1, static_cast<int>(police.Points * pixelsParPouce / 72.0 * 1.2));
    const std::string alphabet = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ";
    const int moyenne =
        std::max(1, surface.LargeurTexte(alphabet) / static_cast<int>(alphabet.size()));
    const int tabulation = 8 * moyenne;
    const int largeur = std::max(1, surface.LargeurPixels());

    Page page(surface, hauteur);
    std::size_t debut = 0;
    while (true) {
        const std::size_t fin = std::min(note.find('\n', debut), note.size());
        const std::string_view ligne = note.substr(debut, fin - debut);
        page.NouvelleLigne();
        // Place the characters one at a time: a tab jumps, a character that
        // would cross the right edge starts the next printed line.
        int x = 0;
        Morceau m{0, {}};
        const auto pose = [&] {
            if (!m.texte.empty()) surface.Texte(m.x, page.y(), m.texte);
            m.texte.clear();
        };
        for (const char c : ligne) {
            if (c == '\t') {
                pose();
                x = (x / tabulation + 1) * tabulation;
                if (x >= largeur) {
                    page.NouvelleLigne();
                    x = 0;
                }
                m.x = x;
                continue;
            }
            const int l = surface.LargeurTexte(std::string(1, c));
            if (x + l > largeur && x > 0) {
                pose();
                page.NouvelleLigne();
                x = 0;
                m.x = 0;
            }
            m.texte += c;
            x += l;
        }
        pose();
        if (fin >= note.size()) break;
        debut = fin + 1;
    }
}

} // namespace kyr
