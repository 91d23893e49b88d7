#include "utilities/euro.h"

#include "common/nombres.h"
#include "utilities/clavier.h"

#include <cmath>

namespace kyr {

void Convertisseur::Init() {
    if (ResultatAffiche) {
        Entree.clear();
        Resultat.clear();
    }
    ResultatAffiche = false;
}

void Convertisseur::Touche(char c) {
    Init();
    Entree += c;
}

void Convertisseur::Caractere(char c) {
    if (c == '\r' || c == '\n') {
        Convertit();
        return;
    }
    Init();
    if (c == '.') c = ',';
    if (c == ',' || (c >= '0' && c <= '9')) Entree += c;
}

void Convertisseur::Convertit() {
    ResultatAffiche = true; // so the next key starts a new amount, even after an error
    const auto lu = LitSaisie(Entree);
    if (!lu) {
        Entree.clear();
        Resultat.clear();
        ResultatAffiche = false;
        return;
    }
    const Reel6 montant(*lu);
    // nearbyint rounds halves to the even neighbour (the default rounding mode).
    long double texte = 0;
    if (VersEuro) {
        const Reel6 euros(montant.valeur() * 100000 / Taux.valeur());
        texte = std::nearbyint(euros.valeur() * 100) * 0.01L;
    } else {
        const Reel6 dixiemes(montant.valeur() * Taux.valeur() * 0.000001L);
        texte = std::nearbyint(dixiemes.valeur() * 100) * 0.1L;
    }
    // Computed and shown without being stored: fifteen digits are worth showing.
    Resultat = FormatGeneral(texte, 15);
}

void Convertisseur::Monte() {
    Taux = Taux + Reel6(1);
}

void Convertisseur::Descend() {
    Taux = Taux - Reel6(1);
    if (Taux.valeur() < 1) Taux = 1;
}

std::string Convertisseur::TexteTaux() const {
    return FormatGeneral(Taux.valeur() * 0.00001L);
}

} // namespace kyr
