// The register of issued documents: its file format, its reading with the
// checks of its chain, and its writing.
#include "book/registre.h"

#include "common/dates.h"
#include "common/erreurs.h"

#include <QCryptographicHash>
#include <QFile>
#include <algorithm>

namespace kyr {

namespace {

const std::string EnTete = "KYR FACTURE;REGISTRE DES DOCUMENTS EMIS;1";
const std::string ChaineZero(64, '0');
constexpr char Tab = '\t';

std::string Sha256(std::string_view octets) {
    const QByteArray h = QCryptographicHash::hash(
        QByteArrayView(octets.data(), static_cast<qsizetype>(octets.size())),
        QCryptographicHash::Sha256);
    return h.toHex().toStdString();
}

bool Hex64(std::string_view s) {
    return s.size() == 64 && std::all_of(s.begin(), s.end(), [](char c) {
               return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f');
           });
}

bool Chiffres(std::string_view s) {
    return !s.empty() &&
           std::all_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// A text field: what could be taken for a separator or a line end, and
// anything outside ASCII, as %XX.
std::string Echappe(std::string_view s) {
    static const char hex[] = "0123456789ABCDEF";
    std::string r;
    for (const char c : s) {
        const auto u = static_cast<unsigned char>(c);
        if (u < 32 || u > 126 || c == ';' || c == '|' || c == '%') {
            r += '%';
            r += hex[u >> 4];
            r += hex[u & 15];
        } else {
            r += c;
        }
    }
    return r;
}

std::optional<std::string> Restaure(std::string_view s) {
    const auto chiffre = [](char c) -> int {
        if (c >= '0' && c <= '9') return c - '0';
        if (c >= 'A' && c <= 'F') return c - 'A' + 10;
        return -1;
    };
    std::string r;
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (s[i] != '%') {
            r += s[i];
            continue;
        }
        if (i + 2 >= s.size()) return std::nullopt;
        const int h = chiffre(s[i + 1]), l = chiffre(s[i + 2]);
        if (h < 0 || l < 0) return std::nullopt;
        r += static_cast<char>(h * 16 + l);
        i += 2;
    }
    return r;
}

std::vector<std::string_view> Champs(std::string_view s, char separateur) {
    std::vector<std::string_view> r;
    for (;;) {
        const auto p = s.find(separateur);
        if (p == std::string_view::npos) {
            r.push_back(s);
            return r;
        }
        r.push_back(s.substr(0, p));
        s.remove_prefix(p + 1);
    }
}

const char* TexteEvenement(Evenement e) {
    switch (e) {
    case Evenement::Emission:
        return "EMISSION";
    case Evenement::Payee:
        return "PAYEE";
    case Evenement::NonPayee:
        return "NON PAYEE";
    }
    return "";
}

std::string Cle(char genre, std::string_view numero) {
    std::string c(1, genre);
    c += numero;
    return c;
}

QString Ligne(int i) {
    return QStringLiteral("ligne %1").arg(i + 1);
}

} // namespace

QString NomRegistre(const QString& livre) {
    const bool fct = livre.endsWith(QLatin1String(".fct"), Qt::CaseInsensitive);
    return (fct ? livre.left(livre.size() - 4) : livre) + QStringLiteral(".emis");
}

std::string ContenuFixe(const Fiche& f) {
    std::string s;
    const auto ligne = [&s](std::string_view cle, std::string_view valeur) {
        s += cle;
        s += ';';
        s += valeur;
        s += "\r\n";
    };
    ligne("NUMERO", TrimVue(f.Numero));
    ligne("DATE", f.DateIllisible ? *f.DateIllisible : FormatDate(f.Date));
    ligne("CLIENT", f.CodeClient);
    ligne("GENRE", TrimVue(f.Genre));
    for (const auto& a : f.Adresse)
        ligne("ADRESSE", a);
    ligne("PRIX", f.TTC ? "TTC" : "HT");
    for (int r = 1; r <= DerniereRangee; ++r) {
        const Rangee& c = f.Cellules[r];
        std::size_t total = 0;
        for (const auto& t : c)
            total += TrimVue(t).size();
        if (total <= 3) continue;
        s += "LIGNE;";
        s += c[0];
        for (const int k : {1, 2, 3, 5}) {
            s += Tab;
            s += TrimVue(c[k]);
        }
        s += "\r\n";
    }
    return s;
}

std::string EmpreinteFixe(const Fiche& f) {
    return Sha256(ContenuFixe(f));
}

std::string TexteEntree(const EntreeRegistre& e) {
    std::string s;
    const auto champ = [&s](std::string_view t) {
        s += t;
        s += ';';
    };
    champ(FormatDate(e.Moment.date()));
    champ(e.Moment.time().toString(QStringLiteral("hh:mm:ss")).toStdString());
    champ(TexteEvenement(e.Quoi));
    champ(std::string(1, e.Genre));
    champ(Echappe(e.Numero));
    champ(Echappe(e.DateDocument));
    champ(Echappe(e.CodeClient));
    champ(Echappe(e.HT));
    for (const auto& t : e.Tva)
        champ(Echappe(t.Taux) + '|' + Echappe(t.Base) + '|' + Echappe(t.Montant));
    champ(Echappe(e.TTC));
    champ(e.Empreinte);
    champ(e.FactureCorrigee.empty()
              ? std::string()
              : Echappe(e.FactureCorrigee) + '|' + Echappe(e.DateFactureCorrigee));
    return s;
}

std::string LigneEntree(const EntreeRegistre& e) {
    return TexteEntree(e) + e.Chaine;
}

std::string ChaineApres(const std::string& precedente, const EntreeRegistre& e) {
    return Sha256(precedente + TexteEntree(e));
}

std::optional<EntreeRegistre> LitEntree(std::string_view ligne) {
    const auto c = Champs(ligne, ';');
    if (c.size() != 15) return std::nullopt;
    EntreeRegistre e;
    const QDate jour = QDate::fromString(QString::fromLatin1(c[0].data(), c[0].size()),
                                         QStringLiteral("dd/MM/yyyy"));
    const QTime heure = QTime::fromString(QString::fromLatin1(c[1].data(), c[1].size()),
                                          QStringLiteral("hh:mm:ss"));
    if (!jour.isValid() || !heure.isValid()) return std::nullopt;
    e.Moment = QDateTime(jour, heure);
    if (c[2] == "EMISSION")
        e.Quoi = Evenement::Emission;
    else if (c[2] == "PAYEE")
        e.Quoi = Evenement::Payee;
    else if (c[2] == "NON PAYEE")
        e.Quoi = Evenement::NonPayee;
    else
        return std::nullopt;
    if (c[3] != "F" && c[3] != "A") return std::nullopt;
    e.Genre = c[3][0];
    const auto texte = [](std::string_view v, std::string& dans) {
        auto r = Restaure(v);
        if (!r) return false;
        dans = std::move(*r);
        return true;
    };
    if (!texte(c[4], e.Numero) || !Chiffres(e.Numero)) return std::nullopt;
    if (!texte(c[5], e.DateDocument) || !texte(c[6], e.CodeClient) || !texte(c[7], e.HT))
        return std::nullopt;
    for (int k = 0; k < 3; ++k) {
        const auto t = Champs(c[8 + k], '|');
        if (t.size() != 3 || !texte(t[0], e.Tva[k].Taux) || !texte(t[1], e.Tva[k].Base) ||
            !texte(t[2], e.Tva[k].Montant))
            return std::nullopt;
    }
    if (!texte(c[11], e.TTC)) return std::nullopt;
    if (!Hex64(c[12]) || !Hex64(c[14])) return std::nullopt;
    e.Empreinte = c[12];
    if (!c[13].empty()) {
        const auto t = Champs(c[13], '|');
        if (t.size() != 2 || !texte(t[0], e.FactureCorrigee) || !texte(t[1], e.DateFactureCorrigee))
            return std::nullopt;
    }
    e.Chaine = c[14];
    return e;
}

LectureRegistre LitRegistre(const QString& chemin) {
    LectureRegistre l;
    std::optional<Lignes> lu = LitFichier(chemin); // throws when unreadable
    if (!lu) return l;
    l.Existe = true;
    l.Lignes_ = std::move(*lu);
    const Lignes& lignes = l.Lignes_;
    if (lignes.empty()) {
        l.Defauts.push_back(QStringLiteral("il est vide"));
        return l;
    }
    if (lignes[0] != EnTete)
        l.Defauts.push_back(
            QStringLiteral("sa première ligne n'est pas celle d'un registre de Kyr Facture"));
    std::string precedente = ChaineZero;
    bool fin = false;
    const int n = static_cast<int>(lignes.size());
    for (int i = lignes[0] == EnTete ? 1 : 0; i < n; ++i) {
        const std::string& ligne = lignes[static_cast<std::size_t>(i)];
        if (CommencePar(ligne, "FIN;")) {
            if (i != n - 1) {
                l.Defauts.push_back(
                    QStringLiteral("%1 : des lignes suivent sa ligne de fin").arg(Ligne(i)));
                continue;
            }
            fin = true;
            const auto c = Champs(ligne, ';');
            const bool juste =
                c.size() == 3 && c[1] == std::to_string(l.Entrees.size()) && c[2] == precedente;
            if (!juste)
                l.Defauts.push_back(
                    QStringLiteral("sa ligne de fin ne correspond plus à ses entrées : "
                                   "des entrées ont été retirées ou changées"));
            continue;
        }
        std::optional<EntreeRegistre> e = LitEntree(ligne);
        if (!e) {
            l.Defauts.push_back(QStringLiteral("%1 : entrée illisible").arg(Ligne(i)));
            continue;
        }
        if (ChaineApres(precedente, *e) != e->Chaine)
            l.Defauts.push_back(
                QStringLiteral("%1 : l'entrée ne suit pas la précédente (une entrée a "
                               "été retirée ou changée)")
                    .arg(Ligne(i)));
        precedente = e->Chaine;
        l.Entrees.push_back(std::move(*e));
    }
    if (!fin)
        l.Defauts.push_back(QStringLiteral("sa ligne de fin manque : il a été tronqué ou changé"));
    return l;
}

void Registre::Charge(const QString& livre) {
    Vide();
    m_chemin = NomRegistre(livre);
    try {
        LectureRegistre l = LitRegistre(m_chemin);
        m_existe = l.Existe;
        m_lignes = std::move(l.Lignes_);
        m_entrees = std::move(l.Entrees);
        m_defauts = std::move(l.Defauts);
    } catch (const ErreurExecution& e) {
        m_existe = true;
        m_defauts.push_back(e.message());
    }
    Indexe();
}

void Registre::Vide() {
    m_chemin.clear();
    m_existe = false;
    m_lignes.clear();
    m_entrees.clear();
    m_defauts.clear();
    m_emissions.clear();
    m_payees.clear();
}

void Registre::Indexe() {
    m_emissions.clear();
    m_payees.clear();
    for (std::size_t i = 0; i < m_entrees.size(); ++i) {
        const EntreeRegistre& e = m_entrees[i];
        const std::string cle = Cle(e.Genre, e.Numero);
        if (e.Quoi == Evenement::Emission)
            m_emissions.emplace(cle, i); // the first issue counts
        else
            m_payees[cle] = e.Quoi == Evenement::Payee;
    }
}

const EntreeRegistre* Registre::Emission(char genre, std::string_view numero) const {
    if (m_emissions.empty()) return nullptr;
    const auto it = m_emissions.find(Cle(genre, numero));
    return it == m_emissions.end() ? nullptr : &m_entrees[it->second];
}

bool Registre::Payee(char genre, std::string_view numero) const {
    const auto it = m_payees.find(Cle(genre, numero));
    return it != m_payees.end() && it->second;
}

void Registre::Ajoute(const QString& livre, std::vector<EntreeRegistre> nouvelles) {
    const QString chemin = NomRegistre(livre);
    // What the file holds now; gone since it was read (removed by hand), or
    // not there yet under a new name of the book, it is made again from what
    // this copy knows of the book's register.
    LectureRegistre disque = LitRegistre(chemin);
    const bool memeFichier = chemin == m_chemin;
    if ((!disque.Existe || disque.Lignes_.empty()) && !m_lignes.empty()) {
        disque.Lignes_ = m_lignes;
        disque.Entrees = m_entrees;
    }
    Lignes lignes = std::move(disque.Lignes_);
    if (lignes.empty() || lignes[0] != EnTete) lignes.insert(lignes.begin(), EnTete);
    if (CommencePar(lignes.back(), "FIN;")) lignes.pop_back();
    std::vector<EntreeRegistre> entrees = std::move(disque.Entrees);
    std::string precedente = entrees.empty() ? ChaineZero : entrees.back().Chaine;
    for (EntreeRegistre& e : nouvelles) {
        e.Chaine = ChaineApres(precedente, e);
        precedente = e.Chaine;
        lignes.push_back(LigneEntree(e));
        entrees.push_back(std::move(e));
    }
    lignes.push_back("FIN;" + std::to_string(entrees.size()) + ";" + precedente);
    EcritFichier(chemin, lignes);        // throws with nothing changed
    if (!memeFichier) m_defauts.clear(); // those were another file's
    m_chemin = chemin;
    m_existe = true;
    m_lignes = std::move(lignes);
    m_entrees = std::move(entrees);
    Indexe();
}

void Registre::Renomme(const QString& livre) {
    const QString chemin = NomRegistre(livre);
    if (chemin == m_chemin) return;
    if (!m_lignes.empty()) {
        EcritFichier(chemin, m_lignes);
    } else if (QFile::exists(chemin)) {
        // The register of the book just replaced by this one.
        QFile::remove(chemin);
    }
    m_chemin = chemin;
    m_existe = !m_lignes.empty();
}

} // namespace kyr
