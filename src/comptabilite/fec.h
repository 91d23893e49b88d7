#pragma once
// The accountant's file of entries (fichier des écritures comptables): its
// name, its eighteen tab-separated fields and its ISO 8859-15 text.
#include "comptabilite/ecritures.h"

#include <QDate>
#include <QString>
#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace kyr {

// The first line: the names of the eighteen fields, in their order.
inline constexpr std::string_view NomsChampsFEC =
    "JournalCode\tJournalLib\tEcritureNum\tEcritureDate\tCompteNum\tCompteLib\tCompAuxNum\t"
    "CompAuxLib\tPieceRef\tPieceDate\tEcritureLib\tDebit\tCredit\tEcritureLet\tDateLet\t"
    "ValidDate\tMontantdevise\tIdevise";

// "<SIREN>FEC<AAAAMMJJ>.txt", the closing date of the fiscal year.
QString NomFichierFEC(std::string_view siren, const QDate& cloture);
// "VT000001": the journal's code and the entry's number on six digits.
std::string NumeroEcriture(const Ecriture& e);

// A character of the program's text that ISO 8859-15 lacks, and what the
// file holds instead: the typographic quotes and dashes become their plain
// forms, a control character (a tab would split the field) a blank.
struct CaractereRemplace {
    QString Caractere; // as the user sees it: "’", "tabulation"
    std::string Par;   // what the file holds
    int Fois = 0;
};

struct TexteFEC {
    std::string Octets; // ISO 8859-15, CR LF after every line
    int NbLignes = 0;   // lines of entries, the names' line not counted
    std::vector<CaractereRemplace> Remplacements;
};
TexteFEC FaitFEC(const std::vector<Ecriture>& ecritures);

// Windows-1252 bytes as ISO 8859-15 bytes; each replaced byte is counted in
// `remplaces` (by the Windows-1252 byte).
std::string Vers885915(std::string_view octets, std::array<int, 256>& remplaces);

} // namespace kyr
