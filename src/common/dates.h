#pragma once
// Dates of documents: "dd/mm/yyyy". Weekday and month names are the French
// ones whatever the machine's locale.
#include <QDate>

#include <string>
#include <string_view>

namespace kyr {

std::string FormatDate(const QDate& d); // "15/01/2000"
// Parses "d/m/y" (day and month of one or two digits, year of four digits, or
// two digits taken in 1950..2049), blanks around allowed; throws
// ErreurExecution::DateIncorrecte(texte) when it is not a valid date.
QDate LitDate(std::string_view texte);

QString NomJour(const QDate& d); // "lundi" .. "dimanche"
QString NomMois(int mois);       // "janvier" .. "décembre"
// Short weekday names as a French calendar heads its columns, counted from
// Sunday: 0 "dim.", 1 "lun." .. 6 "sam.".
QString NomJourCourt(int jourDepuisDimanche);

} // namespace kyr
