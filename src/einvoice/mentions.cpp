#include "einvoice/mentions.h"

#include "common/texte.h"
#include "einvoice/controles.h"
#include "printing/document.h"

namespace kyr {

namespace {

constexpr int XGauche = 20, XDroite = 190; // the frame's edges, in mm
constexpr int YPremiere = 278, YDerniere = 290, Pas = 3;
const Police Petite{"Arial", 7, false};

std::string Date(const QDate& d) {
    return d.toString(QStringLiteral("dd/MM/yyyy")).toStdString();
}

// "732829320" -> "732 829 320", "73282932000074" -> "732 829 320 00074".
std::string Groupe(const std::string& chiffres) {
    if (chiffres.size() < 9) return chiffres;
    std::string r =
        chiffres.substr(0, 3) + " " + chiffres.substr(3, 3) + " " + chiffres.substr(6, 3);
    if (chiffres.size() > 9) r += " " + chiffres.substr(9);
    return r;
}

// The words of a paragraph in lines no wider than `largeur` device units.
std::vector<std::string> Coupe(Surface& s, const std::string& texte, int largeur) {
    std::vector<std::string> lignes;
    std::string ligne, mot;
    const auto place = [&](const std::string& m) {
        const std::string essai = ligne.empty() ? m : ligne + " " + m;
        if (ligne.empty() || s.LargeurTexte(essai) <= largeur) {
            ligne = essai;
        } else {
            lignes.push_back(ligne);
            ligne = m;
        }
    };
    for (char c : texte + " ") {
        if (c != ' ') {
            mot += c;
        } else if (!mot.empty()) {
            place(mot);
            mot.clear();
        }
    }
    if (!ligne.empty()) lignes.push_back(ligne);
    return lignes;
}

} // namespace

std::vector<std::string> Mentions(const FactureElectronique& fe) {
    const Vendeur& v = fe.Vend;
    std::string id = "SIREN " + Groupe(Compacte(v.Siren)) + " - SIRET " + Groupe(Compacte(v.Siret));
    if (!Trim(v.NumeroTVA).empty()) id += " - N\xB0 TVA " + Compacte(v.NumeroTVA);
    id += fe.Payee ? " - Pay\xE9"
                     "e le " +
                         Date(fe.Autres.Echeance)
                   : " - \xC9"
                     "ch\xE9"
                     "ance : " +
                         Date(fe.Autres.Echeance);
    // The date of the sale or service is said when it is not the document's.
    if (fe.Autres.Livraison.isValid() && fe.Autres.Livraison != fe.Date)
        id += " - Livraison : " + Date(fe.Autres.Livraison);
    std::vector<std::string> m{id};
    if (fe.Avoir)
        m.push_back("Avoir sur la facture N\xB0 " + fe.Autres.FactureCorrigee + " du " +
                    Date(fe.Autres.DateFactureCorrigee));
    if (v.Franchise) m.push_back(MentionFranchise);
    for (const std::string* note : {&v.NotePenalites, &v.NoteIndemnite, &v.NoteEscompte})
        m.push_back(Trim(*note));
    return m;
}

void DessineMentions(Surface& s, const FactureElectronique& fe) {
    s.ChoisitPolice(Petite);
    const int largeur = Mh(s, XDroite) - Mh(s, XGauche);
    int y = YPremiere;
    for (const auto& paragraphe : Mentions(fe))
        for (const auto& ligne : Coupe(s, paragraphe, largeur)) {
            if (y > YDerniere) return;
            TexteEn(s, XGauche, y, ligne);
            y += Pas;
        }
}

} // namespace kyr
