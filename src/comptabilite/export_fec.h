#pragma once
// The FEC export of one fiscal year, from the book's sales journal and the
// received documents: what would be written, why it cannot be, and the
// report the user reads before handing the file to the accountant.
#include "book/reglages.h"
#include "comptabilite/comptes.h"
#include "comptabilite/ecritures.h"
#include "comptabilite/fec.h"
#include "comptabilite/sources.h"
#include "lists/journal.h"

#include <QString>
#include <QStringList>
#include <string>
#include <variant>

namespace kyr {

struct ExportFEC {
    QString NomFichier; // "<SIREN>FEC<AAAAMMJJ>.txt"
    int NbEcritures = 0;
    TexteFEC Fichier;
    RapportEcritures Rapport;
};

// The file of the fiscal year closed in `anneeCloture`; a text saying what to
// change when there is none to write: a SIREN missing or wrong, an account
// left empty, a year without any document.
std::variant<ExportFEC, QString> PrepareFEC(const Journal& j, const PlanComptable& p,
                                            const SourcesCompta& s, const Reglages& r,
                                            std::string_view siren, int anneeCloture);

// The same before the SIREN is known, for the report shown while it is typed:
// the file's name is then empty.
std::variant<ExportFEC, QString> PrepareFEC(const Journal& j, const PlanComptable& p,
                                            const SourcesCompta& s, const Reglages& r,
                                            int anneeCloture);
// What is wrong with the SIREN typed for the file's name; empty when right.
QString RefusSiren(std::string_view siren);

// The report, one paragraph a line: what the file holds, the conversion from
// francs, the documents left out, the codes to check, the characters replaced.
QStringList TexteRapport(const ExportFEC& e);

// Writes the file through the safe writer (CreationFichier on failure:
// nothing half-written, an older file of that name intact).
void EcritFEC(const QString& chemin, const ExportFEC& e);

// The closing years of the fiscal years that hold a document of the journal
// or a received document, the latest first.
std::vector<int> AnneesCloture(const Journal& j, const SourcesCompta& s, const PlanComptable& p);

} // namespace kyr
