#pragma once
// The accounts and journals the accountant's file is written with, the fiscal
// year's closing date, and their file Fact.cpt in the program's folder
// (Windows-1252 "key=value" lines, like the seller's file). The defaults are
// the usual French chart; the accountant may ask for others.
#include "book/reglages.h"
#include "common/texte.h"

#include <QDate>
#include <QString>
#include <array>
#include <string>
#include <vector>

namespace kyr {

struct Compte {
    std::string Numero, Libelle; // 8-bit
    bool operator==(const Compte&) const = default;
};

struct CodeJournal {
    std::string Code, Libelle;
    bool operator==(const CodeJournal&) const = default;
};

struct PlanComptable {
    CodeJournal JournalVentes{"VT", "Ventes"};
    CodeJournal JournalAchats{"AC", "Achats"};
    Compte Clients{"411000", "Clients"};
    Compte Services{"706000", "Prestations de services"};
    Compte Marchandises{"707000", "Ventes de marchandises"};
    std::array<Compte, 4> TVACollectee{}; // by VAT code 1..3
    Compte Fournisseurs{"401000", "Fournisseurs"};
    Compte Achats{"606000", "Achats non stock\xE9s de mati\xE8res et fournitures"};
    Compte TVADeductible{"445660", "TVA d\xE9"
                                   "ductible sur autres biens et services"};
    int JourCloture = 31, MoisCloture = 12;
    bool operator==(const PlanComptable&) const = default;
};

// The usual chart; the VAT accounts 445711 to 445713 are named after the
// settings' rates ("TVA collectée 20 %").
PlanComptable PlanParDefaut(const Reglages& r);

inline const QString NomFichierComptes = QStringLiteral("Fact.cpt");

// Reads the file when it exists (false, plan untouched, when it does not);
// unknown lines are passed over, a closing date that is no date keeps the
// plan's. A file that exists but cannot be read throws LectureFichier.
bool ChargeComptes(PlanComptable& p, const QString& chemin = NomFichierComptes);
// Writes the whole file through the safe writer (CreationFichier on failure).
void SauveComptes(const PlanComptable& p, const QString& chemin = NomFichierComptes);
void LitComptes(PlanComptable& p, const Lignes& lignes);
Lignes LignesComptes(const PlanComptable& p);

// Each account of the plan, as the dialog and the messages name it.
struct RubriqueCompte {
    const char* Cle; // in the file: "compte.<cle>" and "libelle.<cle>"
    QString Nom;     // "des clients": "Le compte des clients est vide."
    Compte& (*Acces)(PlanComptable&);
};
const std::vector<RubriqueCompte>& Rubriques();
const Compte& CompteDe(const PlanComptable& p, const RubriqueCompte& r);

// What keeps the plan from being used, in one sentence; empty when none. An
// account number is made of digits and capital letters only: that is what
// every accounting program imports.
QString VerifieComptes(const PlanComptable& p);

// A fiscal year: twelve months ending on the closing date.
struct Exercice {
    QDate Debut, Fin;
};
// The closing date in year `annee` (31/12/2026); a 29 February closing date is
// the 28th in other years.
QDate DateCloture(const PlanComptable& p, int annee);
Exercice ExerciceClos(const PlanComptable& p, int annee);
// The fiscal year that holds the date.
Exercice ExerciceDe(const PlanComptable& p, const QDate& d);

} // namespace kyr
