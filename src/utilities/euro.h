#pragma once
// The euro converter's workings: an amount typed on a keypad converted from
// francs to euros or back at a rate held in hundred-thousandths (655957 for
// 6.55957 francs to the euro). Nothing survives the window.
#include "common/reel6.h"

#include <string>

namespace kyr {

class Convertisseur {
public:
    Reel6 Taux = 655957;          // francs per euro, in hundred-thousandths; at least 1
    bool VersEuro = true;         // "Fr>Euro" checked, else "Euro>Fr"
    bool ResultatAffiche = false; // the displays show a finished conversion
    std::string Entree;           // the amount being typed (Label1)
    std::string Resultat;         // the last converted amount (Label2)

    void Activation() { ResultatAffiche = false; }
    // A keypad button: empties the displays after a result, then appends.
    void Touche(char c);
    // A character typed on the keyboard: "." counts as ","; digits and ","
    // are appended, anything else is ignored (after a result, any key still
    // empties the displays). Enter converts.
    void Caractere(char c);
    // Enter or "=": converts the entry, rounded to the cent of a euro or the
    // tenth of a franc, halves to the even neighbour. An entry that is no
    // number empties both displays. An amount too large for a real is the
    // error "Débordement flottant" (the displays are left as they were).
    void Convertit();

    void Monte();                  // spin control, upper arrow: one hundred-thousandth more
    void Descend();                // lower arrow: one less, never below 1
    std::string TexteTaux() const; // "6,55957"

private:
    void Init();
};

} // namespace kyr
