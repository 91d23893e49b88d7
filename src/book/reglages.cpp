#include "book/reglages.h"

#include "common/erreurs.h"
#include "common/nombres.h"

#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <optional>
#include <string>
#include <type_traits>

namespace kyr {

namespace {

constexpr long double TauxEuroMinimum = 0.2L;
constexpr long double TauxEuroOfficiel = 6.55957L;

bool EstBlanc(char c) {
    return static_cast<unsigned char>(c) <= ' ';
}

// Reads KyrFact.ini the way its values were always read: a number skips the
// blanks and line ends before it and takes the rest of its line with it; a text
// is the rest of the current line. What is missing at the end of the file
// reads as 0 or empty, and a number that cannot be read counts as 0.
template <class Lignes_> class LecteurIni {
public:
    explicit LecteurIni(Lignes_& lignes) : m_lignes(lignes) {}

    bool Fin() const { return m_ligne >= m_lignes.size(); }

    std::optional<std::string> Jeton() {
        std::size_t pos = 0;
        while (!Fin()) {
            const std::string& l = m_lignes[m_ligne];
            while (pos < l.size() && EstBlanc(l[pos]))
                ++pos;
            if (pos < l.size()) {
                std::size_t fin = pos;
                while (fin < l.size() && !EstBlanc(l[fin]))
                    ++fin;
                ++m_ligne; // the rest of the line goes with the number
                return l.substr(pos, fin - pos);
            }
            ++m_ligne;
            pos = 0;
        }
        return std::nullopt;
    }

    Reel6 Reel() {
        const auto jeton = Jeton();
        if (!jeton) return 0;
        // A rate typed into the file by hand with the French decimal comma
        // means what it says; read as far as the comma it would silently
        // become another rate.
        std::string texte = *jeton;
        if (texte.find('.') == std::string::npos)
            std::replace(texte.begin(), texte.end(), ',', '.');
        const auto v = LitReelIni(texte);
        if (!v) return 0;
        try {
            return Reel6(*v);
        } catch (const ErreurExecution&) { // beyond what a real can hold
            return 0;
        }
    }

    int Entier() {
        const auto jeton = Jeton();
        if (!jeton) return 0;
        return LitEntier(*jeton).value_or(0);
    }

    std::string Texte() {
        if (Fin()) return {};
        return m_lignes[m_ligne++];
    }

    // The lines not read yet: taken from lines the reader may empty, copied
    // from others.
    Lignes Reste() {
        const auto debut =
            m_lignes.begin() + static_cast<std::ptrdiff_t>(std::min(m_ligne, m_lignes.size()));
        m_ligne = m_lignes.size();
        if constexpr (std::is_const_v<Lignes_>) {
            return Lignes(debut, m_lignes.end());
        } else {
            // The values' lines taken off the front where the lines are: a
            // list of millions of conditions is not moved to a new place.
            m_lignes.erase(m_lignes.begin(), debut);
            return std::move(m_lignes);
        }
    }

private:
    Lignes_& m_lignes;
    std::size_t m_ligne = 0;
};

// Lines 1 to 12: the values of fixed place.
template <class Lecteur> void LitValeurs(Reglages& r, Lecteur& l) {
    r.ReserveIni = l.Reel();
    r.TauxEuro = l.Reel();
    for (int k = 1; k <= 3; ++k)
        r.TauxTVA[k] = l.Reel();
    r.DernierLivre = l.Texte();
    r.OuvertureAuto = l.Entier();
    r.TypePapier = l.Entier();
    r.OrientationEnveloppe = l.Entier();
    r.DecalageEnveloppe = l.Entier();
    r.Devise = l.Entier();
    r.OmettreConversion = l.Entier();
}

template <class Lignes_> void Lit(Reglages& r, Lignes_& lignes) {
    LecteurIni<Lignes_> l(lignes);
    LitValeurs(r, l);
    r.ConditionsReglement = l.Reste();
    if (r.TauxEuro.valeur() < TauxEuroMinimum) r.TauxEuro = TauxEuroOfficiel;
}

Lignes LignesFixes(const Reglages& r, const std::string& nomLivre) {
    Lignes lignes{TexteReelIni(r.ReserveIni), TexteReelIni(r.TauxEuro)};
    for (int k = 1; k <= 3; ++k)
        lignes.push_back(TexteReelIni(r.TauxTVA[k]));
    lignes.push_back(nomLivre);
    for (int v : {r.OuvertureAuto, r.TypePapier, r.OrientationEnveloppe, r.DecalageEnveloppe,
                  r.Devise, r.OmettreConversion})
        lignes.push_back(std::to_string(v));
    return lignes;
}

} // namespace

void ValeursEnVigueur(Reglages& r) {
    r.TauxTVA = {0, 20, 10, 5.5L};
    r.Devise = 1;
}

bool ChargeIni(Reglages& r, const QString& chemin) {
    auto lignes = LitFichier(chemin);
    if (!lignes) return false;
    // The payment conditions take the file's own lines: a large file is
    // never held twice.
    Lit(r, *lignes);
    return true;
}

bool ChargeValeursIni(Reglages& r, const QString& chemin) {
    QFile f(chemin);
    if (chemin.isEmpty() || !QFileInfo(chemin).isFile() || !f.open(QIODevice::ReadOnly))
        return false;
    // The values may stand after any number of blank lines: the file is read
    // a piece at a time until they are all within the lines split, the last
    // of which may still go on in the next piece.
    QByteArray lu;
    for (qint64 morceau = 16 << 10;; morceau *= 2) {
        const QByteArray suite = f.read(morceau);
        if (f.error() != QFileDevice::NoError) return false;
        lu += suite;
        const bool fin = suite.isEmpty() || f.atEnd();
        const Lignes lignes = DecoupeLignes(std::string_view(lu.constData(), lu.size()));
        LecteurIni<const Lignes> l(lignes);
        Reglages valeurs;
        LitValeurs(valeurs, l);
        if (fin || !l.Fin()) {
            valeurs.ConditionsReglement = std::move(r.ConditionsReglement);
            r = std::move(valeurs);
            if (r.TauxEuro.valeur() < TauxEuroMinimum) r.TauxEuro = TauxEuroOfficiel;
            return true;
        }
    }
}

void LitIni(Reglages& r, const Lignes& lignes) {
    Lit(r, lignes);
}

void SauveIni(const Reglages& r, const std::string& nomLivre, const QString& chemin) {
    // The payment conditions are written from where they are, not copied
    // behind the twelve values first.
    EcritFichier(chemin, LignesFixes(r, nomLivre), r.ConditionsReglement);
}

Lignes LignesIni(const Reglages& r, const std::string& nomLivre) {
    Lignes lignes = LignesFixes(r, nomLivre);
    lignes.insert(lignes.end(), r.ConditionsReglement.begin(), r.ConditionsReglement.end());
    return lignes;
}

std::pair<std::string, std::string> LibellesDevise(const Reglages& r) {
    std::pair<std::string, std::string> l =
        r.Devise == 0 ? std::pair<std::string, std::string>{"Francs", "Euros"}
                      : std::pair<std::string, std::string>{"Euros", "Francs"};
    if (r.OmettreConversion != 0) l.second.clear();
    return l;
}

} // namespace kyr
