#include "recues/arbre_xml.h"

#include <QHash>
#include <QXmlStreamReader>

#include <algorithm>

namespace kyr {

namespace {

bool Contient(QByteArrayView octets, const char* motif) {
    return octets.indexOf(QByteArrayView(motif)) >= 0;
}

} // namespace

QString RefusAvantLecture(QByteArrayView octets) {
    if (octets.size() > TailleMaxXml)
        return QStringLiteral("Le fichier XML dépasse %1 Mo : ce n'est pas une facture")
            .arg(TailleMaxXml / (1024 * 1024));
    // UTF-16 and UTF-32 would hide the declarations looked for below; an
    // e-invoice is UTF-8.
    if (octets.size() >= 2 &&
        ((octets[0] == '\xFF' && octets[1] == '\xFE') ||
         (octets[0] == '\xFE' && octets[1] == '\xFF') || octets[0] == '\0' || octets[1] == '\0'))
        return QStringLiteral("Le fichier XML n'est pas en UTF-8 : une facture électronique l'est");
    if (Contient(octets, "<!DOCTYPE"))
        return QStringLiteral(
            "Le fichier XML déclare une DTD (<!DOCTYPE) : refusé, une facture n'en a pas");
    if (Contient(octets, "<!ENTITY"))
        return QStringLiteral(
            "Le fichier XML déclare une entité (<!ENTITY) : refusé, une facture n'en a pas");
    return {};
}

int ArbreXml::IdNom(std::string_view nom) const {
    const auto i = m_ascii.find(nom);
    return i == m_ascii.end() ? Aucun : i->second;
}

int ArbreXml::Enfant(int n, std::string_view nom) const {
    if (n == Aucun) return Aucun;
    const int id = IdNom(nom);
    if (id == Aucun) return Aucun;
    for (int e = noeud(n).Premier; e != Aucun; e = noeud(e).Suivant)
        if (noeud(e).Nom == id) return e;
    return Aucun;
}

int ArbreXml::Suivant(int n, std::string_view nom) const {
    if (n == Aucun) return Aucun;
    const int id = IdNom(nom);
    for (int e = noeud(n).Suivant; e != Aucun; e = noeud(e).Suivant)
        if (noeud(e).Nom == id) return e;
    return Aucun;
}

int ArbreXml::Chemin(int n, std::initializer_list<std::string_view> chemin) const {
    for (const auto nom : chemin)
        n = Enfant(n, nom);
    return n;
}

std::vector<int> ArbreXml::Enfants(int n, std::string_view nom) const {
    std::vector<int> r;
    if (n == Aucun) return r;
    const int id = IdNom(nom);
    if (id == Aucun) return r;
    for (int e = noeud(n).Premier; e != Aucun; e = noeud(e).Suivant)
        if (noeud(e).Nom == id) r.push_back(e);
    return r;
}

QString ArbreXml::Texte(int n, std::initializer_list<std::string_view> chemin) const {
    n = Chemin(n, chemin);
    return n == Aucun ? QString() : noeud(n).Texte;
}

QString ArbreXml::Attribut(int n, std::string_view nom) const {
    if (n == Aucun) return {};
    const int id = IdNom(nom);
    for (int a = noeud(n).Attributs; a != Aucun;
         a = m_attributs[static_cast<std::size_t>(a)].Suivant)
        if (m_attributs[static_cast<std::size_t>(a)].Nom == id)
            return m_attributs[static_cast<std::size_t>(a)].Valeur;
    return {};
}

int ArbreXml::Interne(QStringView nom) {
    const QString cle = nom.toString();
    const auto i = m_index.constFind(cle);
    if (i != m_index.constEnd()) return *i;
    const int n = static_cast<int>(m_noms.size());
    m_noms.push_back(cle);
    m_index.insert(cle, n);
    bool ascii = true;
    for (const QChar c : cle)
        ascii = ascii && c.unicode() < 128;
    if (ascii) m_ascii.emplace(cle.toStdString(), n);
    return n;
}

std::variant<ArbreXml, QString> ChargeXml(QByteArrayView octets) {
    if (QString refus = RefusAvantLecture(octets); !refus.isEmpty()) return refus;
    ArbreXml a;
    // About one element every 60 bytes in an invoice: one allocation, not twenty.
    a.m_noeuds.reserve(static_cast<std::size_t>(octets.size() / 60 + 16));
    const QByteArray brut = QByteArray::fromRawData(octets.data(), octets.size());
    QXmlStreamReader x(brut);
    std::vector<int> pile;     // open elements
    std::vector<int> derniers; // their last child so far
    QString texte;
    const auto mal = [&x](const QString& quoi) {
        return QStringLiteral("Le fichier n'est pas un XML bien formé (%1, ligne %2, colonne %3)")
            .arg(quoi)
            .arg(x.lineNumber())
            .arg(x.columnNumber());
    };
    while (!x.atEnd()) {
        switch (x.readNext()) {
        case QXmlStreamReader::StartElement: {
            if (static_cast<int>(pile.size()) >= ProfondeurMaxXml)
                return QStringLiteral("Le fichier XML est imbriqué sur plus de %1 niveaux : ce "
                                      "n'est pas une facture")
                    .arg(ProfondeurMaxXml);
            if (pile.empty() && !a.m_noeuds.empty())
                return mal(QStringLiteral("plusieurs éléments racines"));
            ArbreXml::Noeud nd;
            nd.Nom = a.Interne(x.name());
            nd.Espace = a.Interne(x.namespaceUri());
            const int n = static_cast<int>(a.m_noeuds.size());
            if (!pile.empty()) {
                nd.Parent = pile.back();
                int& dernier = derniers.back();
                if (dernier == ArbreXml::Aucun)
                    a.m_noeuds[static_cast<std::size_t>(nd.Parent)].Premier = n;
                else
                    a.m_noeuds[static_cast<std::size_t>(dernier)].Suivant = n;
                dernier = n;
            }
            const auto attributs = x.attributes();
            for (qsizetype i = attributs.size(); i-- > 0;) {
                ArbreXml::ValeurAttribut at;
                at.Nom = a.Interne(attributs[i].name());
                at.Valeur = attributs[i].value().trimmed().toString();
                at.Suivant = nd.Attributs;
                nd.Attributs = static_cast<int>(a.m_attributs.size());
                a.m_attributs.push_back(std::move(at));
            }
            a.m_noeuds.push_back(std::move(nd));
            pile.push_back(n);
            derniers.push_back(ArbreXml::Aucun);
            texte.clear();
            break;
        }
        case QXmlStreamReader::Characters:
            if (!pile.empty()) texte += x.text();
            break;
        case QXmlStreamReader::EndElement:
            if (!pile.empty()) {
                ArbreXml::Noeud& nd = a.m_noeuds[static_cast<std::size_t>(pile.back())];
                if (nd.Premier == ArbreXml::Aucun) nd.Texte = texte.trimmed();
                texte.clear();
                pile.pop_back();
                derniers.pop_back();
            }
            break;
        case QXmlStreamReader::DTD:
            return QStringLiteral(
                "Le fichier XML déclare une DTD (<!DOCTYPE) : refusé, une facture n'en a pas");
        case QXmlStreamReader::EntityReference:
            return QStringLiteral("Le fichier XML utilise une entité non déclarée : refusé");
        default:
            break;
        }
    }
    if (x.hasError()) {
        switch (x.error()) {
        case QXmlStreamReader::PrematureEndOfDocumentError:
            return a.m_noeuds.empty()
                       ? QStringLiteral("Le fichier n'est pas un fichier XML (aucun élément)")
                       : mal(QStringLiteral("fin de fichier prématurée : fichier tronqué"));
        default:
            return a.m_noeuds.empty() ? QStringLiteral("Le fichier n'est pas un fichier XML")
                                      : mal(QStringLiteral("syntaxe incorrecte"));
        }
    }
    if (a.m_noeuds.empty())
        return QStringLiteral("Le fichier n'est pas un fichier XML (aucun élément)");
    return a;
}

} // namespace kyr
