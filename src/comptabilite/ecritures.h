#pragma once
// The entries of a fiscal year: one entry a sale in the sales journal, one a
// received document in the purchases journal, each balanced to the cent, and
// what the accountant must know about them (documents left out, conversion
// from francs, codes an accounting program may refuse).
#include "comptabilite/chiffres.h"
#include "comptabilite/comptes.h"
#include "comptabilite/sources.h"
#include "lists/journal.h"

#include <QDate>
#include <string>
#include <utility>
#include <vector>

namespace kyr {

struct LigneEcriture {
    Compte CompteGeneral;
    std::string CompAuxNum, CompAuxLib; // both empty off a third party's account
    Centimes Debit = 0, Credit = 0;     // one of them 0, neither negative
};

struct Ecriture {
    CodeJournal Journal;
    int Numero = 0; // 1, 2, ... without gaps in its journal, in date order
    QDate Date;
    std::string Piece;   // the document's number
    std::string Libelle; // "Facture 202612001 Garage du Centre"
    std::vector<LigneEcriture> Lignes;
};

struct RapportEcritures {
    Exercice Periode;
    bool Francs = false;
    int Factures = 0, Avoirs = 0;            // sales written
    int FacturesRecues = 0, AvoirsRecus = 0; // received documents written
    Centimes VentesTTC = 0, AchatsTTC = 0;   // what the third parties' accounts add up to
    std::vector<DocumentEcarte> Ecartes;     // sales of the year that cannot be counted
    std::vector<std::pair<Achat, QString>> AchatsEcartes;
    std::vector<std::string> CodesDouteux; // client codes and supplier identifiers
    std::vector<std::string> SansCode;     // "Facture 200103002": no third party code
    int Arrondis = 0;                      // entries whose sales line took a rounding cent
};

struct EcrituresExercice {
    std::vector<Ecriture> Ecritures; // the sales journal's, then the purchases journal's
    RapportEcritures Rapport;
};

// The entries of the fiscal year `e`: the sales of the journal `j` and the
// received documents of `s` dated in it; `francs`: the book is kept in francs.
EcrituresExercice FaitEcritures(const Journal& j, const Exercice& e, const PlanComptable& p,
                                const SourcesCompta& s, bool francs);

// A code an accounting program takes as an auxiliary account everywhere:
// digits and capital letters only.
bool CodeSur(std::string_view code);

} // namespace kyr
