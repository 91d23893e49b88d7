#include "clients/table_clients.h"

#include "clients/recherche.h"
#include "common/erreurs.h"

#include <QString>
#include <algorithm>
#include <cstdint>
#include <string_view>
#include <vector>

namespace kyr {

namespace {

// Byte order, as the file's characters are compared: upper case before lower
// case, accented letters (bytes above 127) after "z".
// std::string compares its characters as unsigned bytes, shorter first.
bool PlusGrand(std::string_view a, std::string_view b) {
    return a.compare(b) > 0;
}

// A name and its row, for the sort: the first sixteen bytes read as two
// numbers order most pairs without going to the names' text, even names that
// share their first word (a shorter name is padded with zeros, which never
// puts it after a longer one it begins).
struct CleNom {
    std::uint64_t debut = 0, suite = 0;
    std::string_view nom;
    std::size_t rangee = 0;
};

std::uint64_t Octets(std::string_view nom, std::size_t depuis) {
    std::uint64_t v = 0;
    for (std::size_t i = depuis; i < depuis + 8; ++i)
        v = v << 8 | (i < nom.size() ? static_cast<unsigned char>(nom[i]) : 0U);
    return v;
}

bool Avant(const CleNom& a, const CleNom& b) {
    if (a.debut != b.debut) return a.debut < b.debut;
    if (a.suite != b.suite) return a.suite < b.suite;
    return PlusGrand(b.nom, a.nom);
}

bool Vide(const LigneClient& r) {
    for (const auto& c : r)
        if (!c.empty()) return false;
    return true;
}

} // namespace

void TableClients::AjouteRangeeSiBesoin(int nbClients) {
    // Past 60 clients every client adds a row, so spare rows always follow the last one.
    if (nbClients > SeuilAjoutRangee) Rangees.AjouteVide();
    // Deleting copies the row after the last client: it must exist.
    while (static_cast<int>(Rangees.size()) < nbClients + 3)
        Rangees.AjouteVide();
}

void TableClients::Init(Lignes&& liste) {
    m_liste = std::move(liste);
    Init(m_liste);
}

void TableClients::Init(const Lignes& liste) {
    Rangees.Recommence(&liste, RangeesInitiales);
    // A record takes five lines: room for them all at once, rather than the
    // rows moved to a larger place again and again on a large client file.
    Rangees.reserve(liste.size() / 5 + RangeesInitiales + 3);
    int n = 0;
    // Every line is tested, those of a record too: a coordinates line that
    // reads like a header starts a record of its own.
    for (std::size_t i = 0; i < liste.size(); ++i) {
        if (!EstEnteteClient(liste[i])) continue;
        if (i + 1 < liste.size() && liste[i + 1].empty()) continue; // no name: not a client
        Rangees.Lie(static_cast<std::size_t>(n), i);
        ++n;
        AjouteRangeeSiBesoin(n);
    }
    Courante = 0;
    DernierClient = n - 1;
    FicheModifiee = false;
    m_nouveau = -1;
    Tri();
    LitFiche(); // the card holds the first client before anything can write it
}

void TableClients::Result(Lignes& liste) {
    if (!FicheModifiee) return;
    Rangees.Recrit(static_cast<std::size_t>(std::max(DernierClient + 1, 0)), liste);
}

// The card's sort is an exchange sort: for each row i, every later row j whose
// name is smaller than row i's is swapped with it. Rows of equal names are
// never swapped with each other but move through exchanges with other rows, so
// the result is not the stable order. It is computed here in n log n, with the
// exchange sort's own result:
// - the names end in ascending order;
// - rows whose names are greater than a name K never change how the rows of
//   names up to K move, and among those, only where the smaller names stand
//   matters to the rows named K: each pass that places a smaller name while a
//   row named K leads the rows still to sort sends that row behind the other
//   rows named K gathered ahead of the next smaller name;
// - so, going through the rows named K in table order, each smaller name met
//   after the first of them turns the rows gathered so far by one.
void TableClients::Tri() {
    const std::size_t n = static_cast<std::size_t>(std::max(DernierClient + 1, 0));
    const auto nom = [this](std::size_t i) { return Rangees.Cellule(i, 1); };
    bool trie = true;
    for (std::size_t i = 1; i < n && trie; ++i)
        trie = !PlusGrand(nom(i - 1), nom(i));
    if (trie) return; // no exchange at all
    FicheModifiee = true;

    std::vector<CleNom> cles;
    cles.reserve(n);
    for (std::size_t i = 0; i < n; ++i)
        cles.push_back({Octets(nom(i), 0), Octets(nom(i), 8), nom(i), i});
    std::stable_sort(cles.begin(), cles.end(), Avant);
    std::vector<std::size_t> ordre(n);
    for (std::size_t i = 0; i < n; ++i)
        ordre[i] = cles[i].rangee;

    // Rows of smaller names already gone through, counted by table position.
    std::vector<int> arbre(n + 1, 0);
    const auto marque = [&](std::size_t p) {
        for (++p; p <= n; p += p & (~p + 1))
            ++arbre[p];
    };
    const auto avant = [&](std::size_t p) { // marked rows before position p
        int c = 0;
        for (; p > 0; p -= p & (~p + 1))
            c += arbre[p];
        return c;
    };

    // The row each place takes, in the order the places are filled.
    std::vector<std::size_t> source;
    source.reserve(n);
    std::vector<std::size_t> groupe;
    for (std::size_t g = 0; g < n;) {
        std::size_t h = g + 1;
        while (h < n && cles[h].nom == cles[g].nom)
            ++h;
        groupe.clear();
        const auto tourne = [&](int plusPetits) {
            if (groupe.empty()) return;
            const std::size_t k = static_cast<std::size_t>(plusPetits) % groupe.size();
            std::rotate(groupe.begin(), groupe.begin() + static_cast<std::ptrdiff_t>(k),
                        groupe.end());
        };
        for (std::size_t k = g; k < h; ++k) {
            if (k > g) tourne(avant(ordre[k]) - avant(ordre[k - 1] + 1));
            groupe.push_back(ordre[k]);
        }
        tourne(avant(n) - avant(ordre[h - 1] + 1));
        for (std::size_t k = g; k < h; ++k)
            marque(ordre[k]);
        source.insert(source.end(), groupe.begin(), groupe.end());
        g = h;
    }
    // The rows move along the permutation's cycles, in place: a second table
    // as large would be fresh memory to fill on a large client file.
    std::vector<RangeesClients::Rangee>& rangees = Rangees.Ordre();
    for (std::size_t debut = 0; debut < n; ++debut) {
        if (source[debut] == debut) continue;
        const RangeesClients::Rangee tenue = rangees[debut];
        std::size_t place = debut;
        while (source[place] != debut) {
            const std::size_t suivante = source[place];
            rangees[place] = rangees[suivante];
            source[place] = place; // filled
            place = suivante;
        }
        rangees[place] = tenue;
        source[place] = place;
    }
}

void TableClients::LacheNouveauVide() {
    // A client added and left with nothing typed is no client: its row goes
    // back to being a spare row instead of being written as an empty record.
    if (m_nouveau >= 0 && m_nouveau == DernierClient &&
        Rangees.EstVide(static_cast<std::size_t>(m_nouveau)))
        --DernierClient;
    m_nouveau = -1;
}

void TableClients::LitFiche() {
    LacheNouveauVide();
    Champs = Rangees[static_cast<std::size_t>(Courante)];
    CodeModifiable = false;
}

bool TableClients::CodeAcceptable(const std::string& code) {
    const bool chiffres = !code.empty() && code.size() <= 5 &&
                          code.find_first_not_of("0123456789") == std::string::npos;
    if (!chiffres) {
        m_plateforme.Message(
            QStringLiteral("Le code client doit être fait de un à cinq chiffres."));
        return false;
    }
    for (int r = 0; r <= DernierClient; ++r)
        if (r != Courante && Rangees.Cellule(static_cast<std::size_t>(r), 0) == code) {
            m_plateforme.Message(QStringLiteral("Le code client %1 est déjà celui de %2.")
                                     .arg(VersQString(code), Citation(Rangees.Cellule(
                                                                 static_cast<std::size_t>(r), 1))));
            return false;
        }
    return true;
}

bool TableClients::EcritFiche() {
    // A client being added needs a code the client file can read back; an
    // untouched new card is let go (see LacheNouveauVide).
    if (m_nouveau >= 0 && m_nouveau == Courante && !Vide(Champs) && !CodeAcceptable(Champs[0]))
        return false;
    // A spare row is no client: what is typed there is not kept, so it cannot
    // show up later on the card of a client being added.
    if (Courante <= DernierClient) {
        // A record whose name line is empty is skipped when the client file is
        // read, and so lost at the next rewrite: a client must keep a name.
        if (Champs[1].empty() && !(m_nouveau == Courante && Vide(Champs))) {
            m_plateforme.Message(QStringLiteral(
                "Le nom du client (premi\u00e8re ligne des coordonn\u00e9es) ne peut pas "
                "\u00eatre vide : sans lui, la fiche serait perdue."));
            return false;
        }
        const auto r = static_cast<std::size_t>(Courante);
        // Backspace, Delete or a cut type no character, yet they are edits: the
        // table must be written back, or they would be lost at closing. A row
        // left as it was keeps reading its texts in the list.
        if (Rangees[r] != Champs) {
            FicheModifiee = true;
            Rangees.Ecrit(r, Champs);
        }
    }
    return true;
}

bool TableClients::Precedent() {
    if (!EcritFiche()) return false;
    if (Courante > 0) --Courante;
    LitFiche();
    return true;
}

bool TableClients::Suivant() {
    if (!EcritFiche()) return false;
    if (Courante < DernierClient) ++Courante;
    LitFiche();
    return true;
}

bool TableClients::Ajouter() {
    if (!EcritFiche()) return false;
    LacheNouveauVide();
    Courante = DernierClient + 1;
    ++DernierClient;
    AjouteRangeeSiBesoin(DernierClient);
    LitFiche();
    FicheModifiee = true;
    CodeModifiable = true;
    m_nouveau = Courante;
    return true;
}

void TableClients::Supprimer() {
    // The last remaining client cannot be deleted, nor can the empty row.
    if (DernierClient <= 0 || Courante > DernierClient) return;
    Rangees.Retire(static_cast<std::size_t>(Courante), static_cast<std::size_t>(DernierClient));
    --DernierClient;
    FicheModifiee = true;
    m_nouveau = -1;
    LitFiche();
}

bool TableClients::Chercher(const std::string& code) {
    for (int r = 0; r <= DernierClient; ++r)
        if (Rangees.Cellule(static_cast<std::size_t>(r), 0) == code) {
            if (r != Courante) Selectionne(r);
            return true;
        }
    m_plateforme.Message(QStringLiteral("Client non trouvé"));
    return false;
}

void TableClients::Selectionne(int rangee) {
    if (rangee < 0 || rangee >= static_cast<int>(Rangees.size())) return;
    Courante = rangee;
    LitFiche();
}

bool TableClients::Fermer() {
    if (!EcritFiche()) return false;
    LacheNouveauVide();
    return true;
}

void TableClients::Frappe(unsigned char c) {
    if (c >= 32) FicheModifiee = true;
}

} // namespace kyr
