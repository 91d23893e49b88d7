#include "generateur/generateur.h"

#include "book/bloc.h"
#include "book/calcul.h"
#include "book/reglages.h"

#include <QDate>
#include <algorithm>
#include <array>
#include <map>
#include <utility>
#include <vector>

namespace kyr::banc {

namespace {

// Every choice is a hash of the document's or client's index, not a draw from
// a running generator: a document stays the same whatever the book's size.
std::uint64_t Hache(std::uint64_t a, std::uint64_t b) {
    std::uint64_t z = a * 0x9E3779B97F4A7C15ULL + b + 0x632BE59BD9B4E019ULL;
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    return z ^ (z >> 31);
}

// Pick k of a list from hash h.
template <typename T, std::size_t N> const T& Parmi(const std::array<T, N>& l, std::uint64_t h) {
    return l[h % N];
}

const std::array<std::string, 12> Formes = {
    "Garage",     "Boulangerie", "SARL",  "Menuiserie", "Transports",  "Pharmacie",
    "Restaurant", "Cabinet",     "Ferme", "Librairie",  "\xC9picerie", "Atelier"};
const std::array<std::string, 40> Noms = {
    "Durand",     "Martin",    "Bernard",   "Petit",   "Lef\xE8vre", "Moreau",    "Fran\xE7ois",
    "Girard",     "Andr\xE9",  "Mercier",   "Dupont",  "Lambert",    "Bonnet",    "Fontaine",
    "Rousseau",   "Vincent",   "M\xFCller", "Faure",   "Blanc",      "Gu\xE9rin", "Boyer",
    "Garnier",    "Chevalier", "Faivre",    "Legrand", "Gauthier",   "Perrin",    "Robin",
    "Cl\xE9ment", "Morin",     "Nicolas",   "Henry",   "Roussel",    "Mathieu",   "Gautier",
    "Masson",     "Marchand",  "Duval",     "Denis",   "Lemaire"};
const std::array<std::string, 25> Villes = {"Lyon",
                                            "Villeurbanne",
                                            "Saint-\xC9tienne",
                                            "Grenoble",
                                            "Annecy",
                                            "Chamb\xE9ry",
                                            "Valence",
                                            "Vienne",
                                            "Bourg-en-Bresse",
                                            "M\xE2"
                                            "con",
                                            "Roanne",
                                            "Vichy",
                                            "Clermont-Ferrand",
                                            "Dijon",
                                            "Besan\xE7on",
                                            "Nevers",
                                            "Montlu\xE7on",
                                            "Aurillac",
                                            "Le Puy-en-Velay",
                                            "Privas",
                                            "Gap",
                                            "Digne",
                                            "Nyons",
                                            "Tournon",
                                            "Oyonnax"};
const std::array<std::string, 8> Rues = {
    "rue de la Gare",       "place de l'\xC9glise", "avenue Jean Jaur\xE8s", "rue Victor Hugo",
    "boulevard des Belges", "chemin des Vignes",    "rue du Commerce",       "route de Paris"};
const std::array<std::string, 20> Articles = {"Vidange moteur",
                                              "Filtre \xE0 huile",
                                              "Plaquettes de frein",
                                              "Main d'oeuvre",
                                              "Pneu 195/65 R15",
                                              "Batterie 60 Ah",
                                              "R\xE9glage parall\xE9lisme",
                                              "Essuie-glaces (paire)",
                                              "Liquide de refroidissement",
                                              "Contr\xF4le technique",
                                              "Ampoule H7",
                                              "Courroie de distribution",
                                              "Kit d'embrayage",
                                              "Diagnostic \xE9lectronique",
                                              "Nettoyage int\xE9rieur",
                                              "Disques de frein",
                                              "Amortisseurs avant",
                                              "Bougies d'allumage",
                                              "Filtre \xE0 air",
                                              "Huile 5W30 (litre)"};
const std::array<std::string, 6> Memos = {"Merci de votre confiance",
                                          "Garantie pi\xE8"
                                          "ces et main d'oeuvre : un an",
                                          "Pi\xE8"
                                          "ces d'origine constructeur",
                                          "Prochaine r\xE9vision \xE0 15 000 km",
                                          "Escompte pour paiement anticip\xE9 : n\xE9"
                                          "ant",
                                          "V\xE9hicule pr\xEAt le soir m\xEAme"};

constexpr int NbNoms = static_cast<int>(Formes.size() * Noms.size() * Villes.size());

// Names of the first 12 000 clients differ, save that every tenth client
// (k ending in 3) takes the name of one of the fifty before it.
int IndiceNom(int k) {
    if (k % 10 == 3) return IndiceNom(k - 1 - static_cast<int>(Hache(k, 7) % std::min(k, 50)));
    return static_cast<int>((static_cast<std::int64_t>(k) * 7919) % NbNoms);
}

std::array<std::string, 4> Coordonnees(int k) {
    const std::uint64_t h = Hache(static_cast<std::uint64_t>(k), 11);
    const std::string ville = Parmi(Villes, h >> 8);
    std::array<std::string, 4> c;
    c[0] = NomClient(k);
    c[1] = std::to_string(1 + h % 120) + " " + Parmi(Rues, h >> 16);
    c[2] = std::to_string(1000 + (h >> 24) % 94000) + " " + ville;
    if ((h >> 40) % 10 >= 3) {
        std::string t = "T\xE9l. 0" + std::to_string(1 + (h >> 44) % 5);
        for (int i = 0; i < 4; ++i)
            t += " " + std::to_string(10 + (h >> (48 + 3 * i)) % 90);
        c[3] = t;
    }
    return c;
}

std::string TexteNumero(long n) {
    const std::string s = std::to_string(n);
    return s.size() < 9 ? s + std::string(9 - s.size(), ' ') : s;
}

// "12,50" as a user types it.
std::string Decimal(std::uint64_t centimes) {
    std::string c = std::to_string(centimes % 100);
    if (c.size() < 2) c = "0" + c;
    return std::to_string(centimes / 100) + "," + c;
}

struct Document {
    Fiche fiche;
    int nbLignes = 0;
};

// Document k of the book; its number comes from the running counters.
Document FaitDocument(int k, int nbFiches, int client,
                      std::map<std::pair<char, int>, int>& compteurs) {
    const std::uint64_t h = Hache(static_cast<std::uint64_t>(k), 1);
    Document d;
    Fiche& f = d.fiche;
    f.Date = QDate(1994, 1, 3).addDays(static_cast<qint64>(k) * 2920 / std::max(nbFiches, 1));
    const int genre = static_cast<int>(h % 100);
    f.Genre = genre < 78 ? GenreFacture : genre < 94 ? GenreDevis : GenreAvoir;
    const int mois = f.Date.year() * 100 + f.Date.month();
    const int compteur = ++compteurs[{f.Genre[0], mois}];
    f.Numero = TexteNumero(static_cast<long>(mois) * 1000 + compteur);
    f.CodeClient = CodeClient(client);
    f.Conditions = ConditionsParDefaut[(h >> 8) % ConditionsParDefaut.size()];
    f.Adresse = Coordonnees(client);
    f.TTC = (h >> 16) % 10 == 0;

    // 1 to 40 lines, short documents the most frequent (about 11 lines on average).
    d.nbLignes = 1 + static_cast<int>((h >> 20) % 40 * ((h >> 54) % 40) / 39);
    for (int r = 1; r <= d.nbLignes; ++r) {
        const std::uint64_t g = Hache(h, static_cast<std::uint64_t>(r));
        Rangee& c = f.Cellules[r];
        const std::size_t article = g % Articles.size();
        c[0] = Articles[article];
        c[1] = g % 10 < 7 ? std::to_string(1 + (g >> 8) % 10) : Decimal(50 + (g >> 8) % 20 * 25);
        c[2] = Decimal(200 + (article * 1733 + (g >> 16) % 5000) % 40000);
        if ((g >> 32) % 100 < 15) c[3] = (g >> 40) % 2 ? "10" : "5";
        c[5] = (g >> 44) % 100 < 85 ? "1" : (g >> 44) % 100 < 97 ? "3" : "2";
    }
    if ((h >> 28) % 100 < 35) {
        const int nb = 1 + static_cast<int>((h >> 36) % 3);
        for (int m = 0; m < nb; ++m)
            f.Memo.push_back(Parmi(Memos, Hache(h, 100 + m)));
    }
    f.Payee = f.Genre == GenreFacture && (h >> 44) % 10 < 7;
    // The amounts and the blanks that right-align them, as the window leaves them.
    const Reglages reglages;
    Calcule(f, reglages, [](const std::string& t) {
        return static_cast<int>(std::count(t.begin(), t.end(), ' ') * 3 +
                                (t.size() - std::count(t.begin(), t.end(), ' ')) * 7);
    });
    return d;
}

} // namespace

std::string CodeClient(int k) {
    // Codes made by the program start at 10002; the largest files also use
    // the codes below it, written with their leading zeros.
    if (k < 89998) return std::to_string(10002 + k);
    const std::string s = "0000" + std::to_string(k - 89998 + 1);
    return s.substr(s.size() - 5);
}

std::string NomClient(int k) {
    const int i = IndiceNom(k);
    const int nf = static_cast<int>(Formes.size()), nn = static_cast<int>(Noms.size());
    return Formes[i % nf] + " " + Noms[(i / nf) % nn] + " " + Villes[i / (nf * nn)];
}

Lignes GenereClients(int nbClients) {
    nbClients = std::clamp(nbClients, 0, NbClientsMax);
    Lignes l;
    l.reserve(static_cast<std::size_t>(nbClients) * 5);
    for (int k = 0; k < nbClients; ++k) {
        l.push_back("<CLI>" + CodeClient(k));
        for (auto& c : Coordonnees(k))
            l.push_back(std::move(c));
    }
    return l;
}

int NbClientsLivre(int nbFiches) {
    int n = nbFiches / 8 + 2;
    // The reserved last client must not share its name with another client.
    if ((n - 1) % 10 == 3) ++n;
    return n;
}

int NbDoublons(int nbFiches) {
    int n = 0;
    for (int k = 0; k < nbFiches; ++k)
        if (k != nbFiches / 2 && Hache(static_cast<std::uint64_t>(k), 3) % 10 == 0) ++n;
    return n;
}

Lignes GenereLivre(int nbFiches, Defaut defaut) {
    nbFiches = std::clamp(nbFiches, 1, NbFichesMax);
    const int nbClients = NbClientsLivre(nbFiches);
    const int reserve = nbFiches / 2; // the document edited last: its block ends the file

    std::map<std::pair<char, int>, int> compteurs;
    std::vector<Lignes> blocs(static_cast<std::size_t>(nbFiches));
    for (int k = 0; k < nbFiches; ++k) {
        const int client = k == reserve
                               ? nbClients - 1
                               : static_cast<int>(Hache(static_cast<std::uint64_t>(k), 2) %
                                                  static_cast<std::uint64_t>(nbClients - 1));
        const Document d = FaitDocument(k, nbFiches, client, compteurs);
        blocs[static_cast<std::size_t>(k)] = EcritBloc(d.fiche, k, d.nbLignes);
    }

    // Documents were added one after the other, each leaving its blank line;
    // one in eight was edited or pasted into later, and its block went to the end.
    Lignes livre;
    livre.reserve(static_cast<std::size_t>(nbFiches) * 36);
    std::vector<std::pair<std::uint64_t, int>> deplaces;
    for (int k = 0; k < nbFiches; ++k) {
        const std::uint64_t h = Hache(static_cast<std::uint64_t>(k), 3);
        const Lignes& bloc = blocs[static_cast<std::size_t>(k)];
        if (defaut == Defaut::Doublons && k != reserve && h % 10 == 0) {
            // An older copy of the block, left before the one kept.
            Lignes ancien = bloc;
            ancien.insert(ancien.end() - 1, "MEMOVersion pr\xE9"
                                            "c\xE9"
                                            "dente");
            livre.insert(livre.end(), ancien.begin(), ancien.end());
        }
        if (!livre.empty()) livre.push_back(" "); // saving drops blank head lines
        if (defaut == Defaut::Desequilibre && k == nbFiches / 3) livre.push_back(LigneFin(0));
        if (k == reserve) continue;
        if ((h >> 8) % 8 == 0)
            deplaces.emplace_back(Hache(h, 4), k);
        else
            livre.insert(livre.end(), bloc.begin(), bloc.end());
    }
    std::sort(deplaces.begin(), deplaces.end());
    deplaces.emplace_back(0, reserve);
    for (const auto& [ordre, k] : deplaces) {
        const Lignes& bloc = blocs[static_cast<std::size_t>(k)];
        livre.insert(livre.end(), bloc.begin(), bloc.end());
    }
    return livre;
}

} // namespace kyr::banc
