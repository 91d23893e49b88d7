#pragma once
// The pocket calculator's workings: immediate execution (each operator first
// settles the pending one against the display, then waits), a reciprocal, a
// square root and a clear key. The state outlives the window: its owner keeps
// one Calculatrice for the whole run and the window works on it.
#include "common/reel6.h"

#include <functional>
#include <string>

namespace kyr {

class Calculatrice {
public:
    // The display holds at most this many characters of a result.
    static constexpr std::size_t LargeurAffichage = 15;

    std::string Affichage;       // the number being typed or the last result (Label1)
    Reel6 Accu;                  // the running result
    Reel6 Operande;              // the number last read from the display
    char Operateur = 0;          // pending: 0 (none), '+', '-', '*' or '/'
    bool AccuValide = false;     // a chain of operations has begun
    bool NouvelleSaisie = false; // the display holds a result: a digit starts a new number

    // The window opens, or "C": everything but NouvelleSaisie starts afresh.
    void Activation();
    void Chiffre(char c); // "0".."9"
    void Virgule();       // ","
    // "=": the first number of a chain goes into Accu (an entry that is no
    // number is emptied silently); later ones settle the pending operator.
    void Egal();
    void Operation(char op); // "+", "-", "*", "/": "=" then the new operator
    void Inverse();          // "1/x"
    void Racine();           // "sqr", the square root
    // Every step that fails throws kyr::ErreurExecution and changes nothing:
    // "'%s' n'est pas une valeur flottante correcte", "Division flottante par
    // zéro", "Opération flottante incorrecte", "Débordement flottant".

    // A key typed: the button it presses ('0'..'9', ',', '+', '-', '*', '/',
    // '=', 'C', 'S' for sqr, 'X' for 1/x), or 0 for a key that presses none.
    static char BoutonDeTouche(char c);
    // Presses a button by that same code.
    void Appuie(char bouton);

private:
    long double LitAffichage() const; // throws when the display is no number
    void Fonction(long double (*f)(long double));
};

// What the display shows of its text in `largeur` pixels, never cut: the text
// itself in the largest font height from `grande` down to `petite` that holds
// it; else its value in the general format with as many digits as hold, in
// scientific form when needed (1 and twenty zeros shows 1E20); else, for a text
// that is no number (commas typed over and over), its end after "...".
// mesure(texte, hauteur) is the width in pixels of a text in a font of that height.
struct VueAffichage {
    std::string Texte;
    int Hauteur = 0;
    bool operator==(const VueAffichage&) const = default;
};
using MesureAffichage = std::function<int(const std::string& texte, int hauteur)>;
VueAffichage AjusteAffichage(const std::string& texte, int largeur, int grande, int petite,
                             const MesureAffichage& mesure);

} // namespace kyr
