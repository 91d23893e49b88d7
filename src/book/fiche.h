#pragma once
// The document shown by the invoice window, as a plain record. The window binds
// its controls to it; reading, storing, calculation, navigation, copy and paste
// all work on it and on the book.
#include "common/texte.h"

#include <QDate>
#include <array>
#include <optional>
#include <string>

namespace kyr {

constexpr int NbRangees = 64; // grid rows: row 0 holds the headings, rows 1..63 the lines
constexpr int NbColonnes = 6; // designation, quantity, unit price, discount, amount, VAT code
constexpr int DerniereRangee = NbRangees - 1;

inline const std::string GenreFacture = "Facture";
inline const std::string GenreDevis = "Devis    ";
inline const std::string GenreAvoir = "Avoir     ";

using Rangee = std::array<std::string, NbColonnes>;

struct Fiche {
    std::string Numero = std::string(9, ' '); // MaskEdit1: 9 positions, blanks when empty
    QDate Date;                               // DateTimePicker1
    std::string CodeClient;                   // Edit1
    std::string Conditions;                   // ComboBox1 (payment terms text)
    std::string Genre = GenreFacture;         // ComboBox2
    std::array<std::string, 4> Adresse;       // Edit2..Edit5
    bool TTC = false;                         // RadioButton2 "Facture TTC" (else RadioButton1)
    std::array<Rangee, NbRangees> Cellules;   // StringGrid1, row 0 = headings
    Lignes Memo;                              // Memo1
    bool Payee = false;                       // CheckBox1 "Facture payée"
    std::string TotalHT, TotalTVA, TotalTTC, TotalConverti; // Label7, Label13, Label18, Label19
    std::string Devise1, Devise2;                           // Label16, Label17

    // Lines of the stored block that the window cannot show (FACT lines past
    // row 63, body lines past the 91 that are read): written back unchanged so
    // that storing the document never loses them.
    Lignes FactCachees;
    Lignes CorpsCache;
    // The date line as read when it was not a valid date; written back as it
    // was until the user sets a date.
    std::optional<std::string> DateIllisible;

    bool operator==(const Fiche&) const = default;
};
// A field added above is also reset by Recommence (book/bloc.h).
#if defined(__x86_64__) && defined(__GLIBCXX__)
static_assert(sizeof(Fiche) == 12872, "reset the new field in Recommence");
#endif

// The copy buffer of "Co&pier"/"C&oller": header texts and rows 1..20.
struct FicheCopiee {
    bool Rempli = false;
    std::string Date; // "dd/mm/yyyy"
    std::string CodeClient, Conditions, Genre;
    std::array<std::string, 4> Adresse;
    std::array<Rangee, 21> Cellules; // rows 1..20 used
};

} // namespace kyr
