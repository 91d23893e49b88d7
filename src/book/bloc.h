#pragma once
// One document block of the invoice book: its start and end lines, where it
// lies in the book, and its conversion to and from the document record.
#include "book/fiche.h"
#include "common/texte.h"

#include <QDate>
#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kyr {

// The book's block numbers run from 0000 to 9999.
constexpr int NbFichesMax = 10000;
// Body lines examined when a block is read; more are kept hidden.
constexpr int NbLignesCorpsLues = 91;

std::string NumeroBloc(int n); // "0003"
std::string LigneDebut(int n); // "<BLOC0003>"
std::string LigneFin(int n);   // "</BLOC0003>"

// Counted start lines and end lines (first five / six characters, exact case).
bool CommenceDebut(std::string_view ligne);
bool CommenceFin(std::string_view ligne);
// A line opening any block, whatever the case of "<BLOC": no block runs past one.
bool CommenceDebutSansCasse(std::string_view ligne);

// Number of lines beginning with "<BLOC".
int CompteFiches(const Lignes& livre);

// The block number of a start line ("<BLOC0003>", letter case ignored); -1
// when the line is none.
int NumeroDebut(std::string_view ligne);

// Index of the first line equal to the start line of block n, letter case
// ignored; -1 when there is none.
int ChercheDebut(const Lignes& livre, int n);

// The first start line of every block number 0 to 9999 (as ChercheDebut finds
// it), -1 where there is none: one pass over the book instead of one per block.
std::vector<int> IndexDebuts(const Lignes& livre);

// One past the last line of the block that starts at `debut`: just after its
// end line, or, when the end line is missing, before the next start line of
// any block, or the end of the book.
int FinBloc(const Lignes& livre, int debut, int n);

// Deletes the lines of block n; nothing when it has no start line.
void SupprimeBloc(Lignes& livre, int n);
// Deletes blocks n of `numeros` in increasing order, exactly as SupprimeBloc
// one after the other would, in a single sweep over the book.
void SupprimeBlocs(Lignes& livre, const std::vector<int>& numeros);

// What reading a block found besides the record's fields.
struct LectureBloc {
    int NbFact = 0;                           // FACT lines put into the grid
    std::optional<std::string> DateIllisible; // the date line when it is not a date
};

// Block n starting at `debut` as it lies in the book, without copies: views
// into the book's lines, valid while the book is unchanged. LitBloc copies it
// into a record; the sales journal reads its figures straight from it, so
// both see the same fields of the same lines.
struct VueBloc {
    std::string_view Numero;     // first 255 characters after "NUMx", trimmed
    std::string_view TexteDate;  // the date line as it stands
    std::optional<QDate> Date;   // nullopt when TexteDate is not a date
    std::string_view CodeClient; // empty lines read as empty fields
    std::string_view Conditions, Genre;
    std::array<std::string_view, 4> Adresse;
    std::optional<bool> TTC;               // nullopt: no "TTC" line, the record keeps its own
    bool Payee = false;                    // a "PAYE" line
    std::vector<std::string_view> Fact;    // the FACT lines of rows 1..63, in order
    std::vector<std::string_view> Memo;    // texts of the memo lines (255 characters at most)
    std::vector<std::string_view> Cachees; // lines the window cannot show, in order
};

// Fills v (its vectors emptied first, their memory kept) with block n.
void DecoupeBloc(const Lignes& livre, int debut, int n, VueBloc& v);

// The six cells of a FACT line: five TAB-ended fields, then the rest. A field
// without its TAB is empty and leaves the rest as it was.
std::array<std::string_view, NbColonnes> CellulesFact(std::string_view ligne);

// Every field of f back to a new Fiche's value, the cells emptied in place so
// that their memory serves the next document (a whole book read one document
// after the other then allocates little).
void Recommence(Fiche& f);

// Reads block n starting at `debut` into `f`, which holds the defaults (the
// proposed number among them). Never throws: a bad date is reported in the
// result, lines missing at the end of the book read as empty.
LectureBloc LitBloc(const Lignes& livre, int debut, int n, Fiche& f);

// The lines of block n written from the record; rows 1..nbLignes of the grid.
Lignes EcritBloc(const Fiche& f, int n, int nbLignes);

} // namespace kyr
