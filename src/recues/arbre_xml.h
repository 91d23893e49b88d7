#pragma once
// A received XML file read safely into a small tree: the file is refused
// before any parsing when it is larger than an invoice can sensibly be or
// when it declares a DTD or an entity (nothing is ever fetched from outside,
// no expansion bomb is expanded), and when it is not well formed. Elements
// are kept by their local name and namespace; only the texts of elements are
// kept, trimmed.
#include <QByteArrayView>
#include <QHash>
#include <QString>
#include <QStringView>
#include <initializer_list>
#include <string>
#include <string_view>
#include <unordered_map>
#include <variant>
#include <vector>

namespace kyr {

// 64 Mio: an invoice of 10,000 lines takes about 12 Mio in CII, and such a
// file is read in well under a second; beyond, a file is no invoice, and
// reading it whole would only fill the memory.
inline constexpr qsizetype TailleMaxXml = 64 * 1024 * 1024;
// Nesting deeper than this is no invoice either (CII goes 8 levels deep).
inline constexpr int ProfondeurMaxXml = 128;

class ArbreXml {
public:
    static constexpr int Aucun = -1;

    struct Noeud {
        int Nom = 0;    // index into the names
        int Espace = 0; // index into the names: the namespace URI
        int Parent = Aucun, Premier = Aucun, Suivant = Aucun, Attributs = Aucun;
        QString Texte;
    };

    int Racine() const { return m_noeuds.empty() ? Aucun : 0; }
    const Noeud& noeud(int n) const { return m_noeuds[static_cast<std::size_t>(n)]; }
    QStringView Nom(int n) const { return m_noms[static_cast<std::size_t>(noeud(n).Nom)]; }
    QStringView Espace(int n) const { return m_noms[static_cast<std::size_t>(noeud(n).Espace)]; }

    // The first child of n named `nom` (a local name, ASCII), Aucun when none
    // (or when n is Aucun); the following ones with Suivant.
    int Enfant(int n, std::string_view nom) const;
    int Suivant(int n, std::string_view nom) const;
    // Down a path of children, each the first of its name.
    int Chemin(int n, std::initializer_list<std::string_view> chemin) const;
    // Every child of n named `nom`.
    std::vector<int> Enfants(int n, std::string_view nom) const;
    // The text at the end of the path ("" when the path leads nowhere).
    QString Texte(int n, std::initializer_list<std::string_view> chemin = {}) const;
    // An attribute of n by its local name ("" when absent).
    QString Attribut(int n, std::string_view nom) const;
    std::size_t Taille() const { return m_noeuds.size(); }

    friend std::variant<ArbreXml, QString> ChargeXml(QByteArrayView octets);

private:
    int IdNom(std::string_view nom) const;
    int Interne(QStringView nom);

    std::vector<Noeud> m_noeuds;
    std::vector<QString> m_noms;
    QHash<QString, int> m_index; // name -> its index in m_noms
    // The ASCII names as the readers ask for them.
    struct Hache {
        using is_transparent = void;
        std::size_t operator()(std::string_view s) const {
            return std::hash<std::string_view>{}(s);
        }
    };
    std::unordered_map<std::string, int, Hache, std::equal_to<>> m_ascii;
    struct ValeurAttribut {
        int Nom = 0;
        int Suivant = Aucun;
        QString Valeur;
    };
    std::vector<ValeurAttribut> m_attributs;
};

// The tree, or why the file was refused (French, for the user).
std::variant<ArbreXml, QString> ChargeXml(QByteArrayView octets);

// Why these bytes may not be parsed at all (size, DTD, entity, encoding);
// empty when they may. Only looks at the bytes: nothing is parsed.
QString RefusAvantLecture(QByteArrayView octets);

} // namespace kyr
