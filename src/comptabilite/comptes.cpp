#include "comptabilite/comptes.h"

#include "common/erreurs.h"
#include "lists/journal.h"

#include <algorithm>
#include <functional>

namespace kyr {

namespace {

// A value on one line: a control character would break the file.
std::string UneLigne(std::string_view s) {
    std::string r(s);
    for (char& c : r)
        if (static_cast<unsigned char>(c) < ' ') c = ' ';
    return r;
}

std::string Ligne(const std::string& cle, std::string_view valeur) {
    return cle + "=" + UneLigne(valeur);
}

bool ChiffresEtCapitales(std::string_view s) {
    return std::all_of(s.begin(), s.end(),
                       [](char c) { return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z'); });
}

struct RubriqueJournal {
    const char* Cle;
    QString Nom; // "des ventes"
    CodeJournal PlanComptable::*Membre;
};

const std::vector<RubriqueJournal>& Journaux() {
    static const std::vector<RubriqueJournal> j = {
        {"ventes", QStringLiteral("des ventes"), &PlanComptable::JournalVentes},
        {"achats", QStringLiteral("des achats"), &PlanComptable::JournalAchats},
    };
    return j;
}

bool UnOuDeuxChiffres(std::string_view s) {
    return !s.empty() && s.size() <= 2 &&
           std::all_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// "31/12": the day and the month of a closing date, checked on a leap year.
bool LitCloture(std::string_view texte, int& jour, int& mois) {
    const std::string t = Trim(texte);
    const auto barre = t.find('/');
    if (barre == std::string::npos) return false;
    const std::string j = t.substr(0, barre), m = t.substr(barre + 1);
    if (!UnOuDeuxChiffres(j) || !UnOuDeuxChiffres(m)) return false;
    const int jj = std::stoi(j), mm = std::stoi(m);
    if (!QDate::isValid(2000, mm, jj)) return false;
    jour = jj;
    mois = mm;
    return true;
}

std::string DeuxChiffres(int n) {
    return (n < 10 ? "0" : "") + std::to_string(n);
}

} // namespace

PlanComptable PlanParDefaut(const Reglages& r) {
    PlanComptable p;
    for (int k = 1; k <= 3; ++k)
        p.TVACollectee[k] = {"44571" + std::to_string(k),
                             "TVA collect\xE9"
                             "e " +
                                 DepuisQString(TexteTaux(r.TauxTVA[k])).value_or(std::string())};
    return p;
}

const std::vector<RubriqueCompte>& Rubriques() {
    using P = PlanComptable;
    static const std::vector<RubriqueCompte> r = {
        {"clients", QStringLiteral("des clients"), [](P& p) -> Compte& { return p.Clients; }},
        {"services", QStringLiteral("des prestations de services"),
         [](P& p) -> Compte& { return p.Services; }},
        {"marchandises", QStringLiteral("des ventes de marchandises"),
         [](P& p) -> Compte& { return p.Marchandises; }},
        {"tva1", QStringLiteral("de TVA collectée du code 1"),
         [](P& p) -> Compte& { return p.TVACollectee[1]; }},
        {"tva2", QStringLiteral("de TVA collectée du code 2"),
         [](P& p) -> Compte& { return p.TVACollectee[2]; }},
        {"tva3", QStringLiteral("de TVA collectée du code 3"),
         [](P& p) -> Compte& { return p.TVACollectee[3]; }},
        {"fournisseurs", QStringLiteral("des fournisseurs"),
         [](P& p) -> Compte& { return p.Fournisseurs; }},
        {"achats", QStringLiteral("des achats"), [](P& p) -> Compte& { return p.Achats; }},
        {"tva_deductible", QStringLiteral("de TVA déductible"),
         [](P& p) -> Compte& { return p.TVADeductible; }},
    };
    return r;
}

const Compte& CompteDe(const PlanComptable& p, const RubriqueCompte& r) {
    // The accessors only choose a member: nothing is written through them here.
    return r.Acces(const_cast<PlanComptable&>(p));
}

bool ChargeComptes(PlanComptable& p, const QString& chemin) {
    const auto lignes = LitFichier(chemin);
    if (!lignes) return false;
    LitComptes(p, *lignes);
    return true;
}

void SauveComptes(const PlanComptable& p, const QString& chemin) {
    EcritFichier(chemin, LignesComptes(p));
}

void LitComptes(PlanComptable& p, const Lignes& lignes) {
    // Each key's text made once, not at every line of a long file.
    struct Cle {
        std::string texte;
        std::string* champ;
        bool numero; // read without the blanks around it; a label as it stands
    };
    std::vector<Cle> cles;
    for (const auto& j : Journaux()) {
        cles.push_back({std::string("journal_") + j.Cle, &(p.*j.Membre).Code, true});
        cles.push_back({std::string("libelle_journal_") + j.Cle, &(p.*j.Membre).Libelle, false});
    }
    for (const auto& r : Rubriques()) {
        cles.push_back({std::string("compte_") + r.Cle, &r.Acces(p).Numero, true});
        cles.push_back({std::string("libelle_") + r.Cle, &r.Acces(p).Libelle, false});
    }
    for (const auto& l : lignes) {
        const auto egal = l.find('=');
        if (egal == std::string::npos) continue;
        const std::string_view cle = std::string_view(l).substr(0, egal);
        const std::string_view valeur = std::string_view(l).substr(egal + 1);
        if (cle == "cloture") {
            LitCloture(valeur, p.JourCloture, p.MoisCloture);
            continue;
        }
        for (const Cle& c : cles)
            if (cle == c.texte) {
                *c.champ = c.numero ? Trim(valeur) : std::string(valeur);
                break;
            }
    }
}

Lignes LignesComptes(const PlanComptable& p) {
    Lignes l;
    for (const auto& j : Journaux()) {
        l.push_back(Ligne(std::string("journal_") + j.Cle, (p.*j.Membre).Code));
        l.push_back(Ligne(std::string("libelle_journal_") + j.Cle, (p.*j.Membre).Libelle));
    }
    for (const auto& r : Rubriques()) {
        l.push_back(Ligne(std::string("compte_") + r.Cle, CompteDe(p, r).Numero));
        l.push_back(Ligne(std::string("libelle_") + r.Cle, CompteDe(p, r).Libelle));
    }
    l.push_back(Ligne("cloture", DeuxChiffres(p.JourCloture) + "/" + DeuxChiffres(p.MoisCloture)));
    return l;
}

QString VerifieComptes(const PlanComptable& p) {
    for (const auto& j : Journaux()) {
        const CodeJournal& c = p.*j.Membre;
        if (Trim(c.Code).empty())
            return QStringLiteral("Le code du journal %1 est vide.").arg(j.Nom);
        if (!ChiffresEtCapitales(c.Code))
            return QStringLiteral("Le code du journal %1 « %2 » ne doit contenir que des chiffres "
                                  "et des lettres capitales.")
                .arg(j.Nom, Citation(c.Code));
        if (Trim(c.Libelle).empty())
            return QStringLiteral("Le libellé du journal %1 est vide.").arg(j.Nom);
    }
    if (p.JournalVentes.Code == p.JournalAchats.Code)
        return QStringLiteral("Les journaux des ventes et des achats doivent avoir des codes "
                              "différents.");
    for (const auto& r : Rubriques()) {
        const Compte& c = CompteDe(p, r);
        if (Trim(c.Numero).empty()) return QStringLiteral("Le compte %1 est vide.").arg(r.Nom);
        if (!ChiffresEtCapitales(c.Numero))
            return QStringLiteral("Le compte %1 « %2 » ne doit contenir que des chiffres et des "
                                  "lettres capitales.")
                .arg(r.Nom, Citation(c.Numero));
        if (Trim(c.Libelle).empty())
            return QStringLiteral("Le libellé du compte %1 est vide.").arg(r.Nom);
    }
    if (!QDate::isValid(2000, p.MoisCloture, p.JourCloture))
        return QStringLiteral("La date de clôture de l'exercice n'est pas une date.");
    return {};
}

QDate DateCloture(const PlanComptable& p, int annee) {
    const int mois = std::clamp(p.MoisCloture, 1, 12);
    const int dernier = QDate(annee, mois, 1).daysInMonth();
    return QDate(annee, mois, std::clamp(p.JourCloture, 1, dernier));
}

Exercice ExerciceClos(const PlanComptable& p, int annee) {
    const QDate fin = DateCloture(p, annee);
    return {DateCloture(p, annee - 1).addDays(1), fin};
}

Exercice ExerciceDe(const PlanComptable& p, const QDate& d) {
    const QDate cloture = DateCloture(p, d.year());
    return ExerciceClos(p, d <= cloture ? d.year() : d.year() + 1);
}

} // namespace kyr
