#include "utilities/calculatrice.h"

#include "common/erreurs.h"
#include "common/nombres.h"
#include "utilities/clavier.h"

#include <algorithm>

namespace kyr {

void Calculatrice::Activation() {
    Affichage.clear();
    Accu = 0;
    Operande = 0;
    AccuValide = false;
    Operateur = 0;
}

void Calculatrice::Chiffre(char c) {
    if (NouvelleSaisie) Affichage.clear();
    Affichage += c;
    NouvelleSaisie = false;
}

void Calculatrice::Virgule() {
    Affichage += ',';
}

long double Calculatrice::LitAffichage() const {
    const auto v = LitSaisie(Affichage);
    if (!v) throw ErreurExecution::FlottantIncorrect(Affichage);
    return *v;
}

void Calculatrice::Egal() {
    if (!AccuValide) {
        const auto v = LitSaisie(Affichage);
        if (!v) {
            Affichage.clear();
            return;
        }
        Accu = Reel6(*v); // the display keeps its text as typed
        AccuValide = true;
        NouvelleSaisie = true;
        return;
    }
    // Everything is computed before anything changes, so an error leaves
    // the display, the accumulator and the operator as they were.
    const Reel6 operande(LitAffichage());
    Reel6 accu = Accu;
    switch (Operateur) {
    case '+':
        accu = Accu + operande;
        break;
    case '-':
        accu = Accu - operande;
        break;
    case '*':
        accu = Accu * operande;
        break;
    case '/':
        accu = Accu / operande;
        break;
    default:
        break;
    }
    Operande = operande;
    Accu = accu;
    // A stored value: twelve digits are worth showing, as many as fit.
    Affichage = FormatGeneralLargeur(Accu.valeur(), LargeurAffichage);
    NouvelleSaisie = true;
}

void Calculatrice::Operation(char op) {
    Egal();
    Operateur = op;
}

void Calculatrice::Fonction(long double (*f)(long double)) {
    const Reel6 operande(LitAffichage());
    const long double r = f(operande.valeur());
    const Reel6 accu(r);
    Operande = operande;
    // Shown as computed, before being stored: fifteen digits, as many as fit.
    Affichage = FormatGeneralLargeur(r, LargeurAffichage, 15);
    Accu = accu;
    AccuValide = true;
    NouvelleSaisie = true;
}

void Calculatrice::Inverse() {
    Fonction([](long double v) { return Divise(1, v); });
}

void Calculatrice::Racine() {
    Fonction([](long double v) { return kyr::Racine(v); });
}

char Calculatrice::BoutonDeTouche(char c) {
    switch (c) {
    case '.':
        return ',';
    case 'c':
        return 'C';
    case 's':
    case 'S':
        return 'S';
    case 'x':
    case 'X':
        return 'X';
    default:
        break;
    }
    if ((c >= '0' && c <= '9') || c == ',' || c == '+' || c == '-' || c == '*' || c == '/' ||
        c == '=' || c == 'C')
        return c;
    return 0;
}

void Calculatrice::Appuie(char bouton) {
    switch (bouton) {
    case ',':
        Virgule();
        break;
    case '=':
        Egal();
        break;
    case '+':
    case '-':
    case '*':
    case '/':
        Operation(bouton);
        break;
    case 'C':
        Activation();
        break;
    case 'S':
        Racine();
        break;
    case 'X':
        Inverse();
        break;
    default:
        if (bouton >= '0' && bouton <= '9') Chiffre(bouton);
        break;
    }
}

VueAffichage AjusteAffichage(const std::string& texte, int largeur, int grande, int petite,
                             const MesureAffichage& mesure) {
    for (int h = grande; h >= petite; --h)
        if (mesure(texte, h) <= largeur) return {texte, h};
    if (const auto v = LitSaisie(texte)) {
        // The value as the calculator holds it (twelve digits), in the largest
        // height where some of its forms hold, with as many digits as they can.
        for (int h = grande; h >= petite; --h)
            for (std::size_t n = std::min<std::size_t>(texte.size(), 24); n >= 1; --n) {
                std::string forme = FormatGeneralLargeur(*v, n);
                if (forme.size() <= n && mesure(forme, h) <= largeur) return {forme, h};
            }
    }
    std::string fin = texte;
    while (fin.size() > 1 && mesure("..." + fin, petite) > largeur)
        fin.erase(0, 1);
    return {"..." + fin, petite};
}

} // namespace kyr
