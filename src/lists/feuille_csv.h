#pragma once
// A CSV file as French spreadsheet programs open it directly: UTF-8 with a
// byte order mark, semicolons, CR LF line ends. The sales journal and the VAT
// return are exported through it.
#include <QString>
#include <QStringList>
#include <string>

namespace kyr {

// A text field from the program's 8-bit bytes. One that a spreadsheet would
// take for a formula (=, +, -, @) is kept as text behind an apostrophe.
QString ChampTexteCSV(const std::string& octets);

class FeuilleCSV {
public:
    // One row; a field holding the separator, a quote or a line break is
    // quoted, its quotes doubled.
    void Ligne(const QStringList& champs);
    std::string Octets() const;

private:
    QString m_texte;
};

} // namespace kyr
