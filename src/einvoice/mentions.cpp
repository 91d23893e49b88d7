#include "einvoice/mentions.h"

#include "common/erreurs.h"
#include "common/texte.h"
#include "einvoice/controles.h"
#include "einvoice/fichiers_tiers.h"
#include "printing/document.h"

#include <algorithm>

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
        for (const auto& ligne : CoupeTexte(s, paragraphe, largeur)) {
            if (y > YDerniere) return;
            TexteEn(s, XGauche, y, ligne);
            y += Pas;
        }
}

std::vector<std::string> LignesEFacture(const Acheteur* acheteur,
                                        const std::optional<AdresseLivraison>& livraison,
                                        Cadre nature, bool debits) {
    std::vector<std::string> l;
    if (acheteur) {
        const Acheteur& a = *acheteur;
        std::vector<std::string> ids;
        if (!Trim(a.Siren).empty()) ids.push_back("SIREN " + Groupe(Compacte(a.Siren)));
        if (!Trim(a.NumeroTVA).empty()) ids.push_back("N\xB0 TVA " + Compacte(a.NumeroTVA));
        if (!Trim(a.AdresseElectronique).empty())
            ids.push_back((a.Professionnel ? "Adresse \xE9lectronique " : "Courriel ") +
                          Trim(a.AdresseElectronique));
        std::string t;
        for (const auto& i : ids)
            t += (t.empty() ? "Client : " : " - ") + i;
        if (!t.empty()) l.push_back(t);
    }
    if (livraison) {
        std::string t;
        for (const std::string& p : {livraison->Nom, livraison->Rue,
                                     Trim(Trim(livraison->CodePostal) + " " + livraison->Ville)})
            if (!Trim(p).empty()) t += (t.empty() ? "" : ", ") + Trim(p);
        if (Compacte(livraison->Pays) != "FR") t += ", " + Compacte(livraison->Pays);
        l.push_back("Adresse de livraison : " + t);
    }
    const char* const natures[] = {"livraison de biens", "prestation de services",
                                   "livraison de biens et prestation de services"};
    l.push_back(std::string("Nature de l'op\xE9ration : ") + natures[static_cast<int>(nature)]);
    if (debits)
        l.push_back("Option pour le paiement de la taxe d'apr\xE8s les d\xE9"
                    "bits");
    return l;
}

ComplementsPage ComplementsDeLaPage(const FactureElectronique& fe) {
    ComplementsPage c;
    for (const auto& t : fe.Tva) {
        std::string taux = TexteDecimalCourt(t.Taux, 2);
        std::replace(taux.begin(), taux.end(), '.', ',');
        c.ParTaux.push_back({taux, TextePage(t.Base), TextePage(t.Montant)});
    }
    c.Lignes = LignesEFacture(&fe.Ach, fe.Autres.LieuLivraison, fe.Nature, fe.TvaSurDebits);
    return c;
}

std::vector<std::string> LignesImpression(const Fiche& f, const QString& livre, Plateforme& p) {
    if (Trim(f.Genre) == Trim(GenreDevis)) return {};
    const auto lit = [&p](auto&& lecture) {
        try {
            return lecture();
        } catch (const ErreurExecution& e) {
            p.Erreur(e.message());
            return false;
        }
    };
    Vendeur v = VendeurNeuf();
    if (!lit([&] { return ChargeVendeur(v); })) return {};
    Acheteurs memorises;
    lit([&] { return ChargeAcheteurs(memorises); });
    const auto it = memorises.find(Trim(f.CodeClient));
    const Acheteur* a =
        it != memorises.end() && !Trim(f.CodeClient).empty() ? &it->second : nullptr;
    DonneesDocument d;
    const std::string cle = CleDocument(f);
    const QString chemin = CheminDonneesDocuments(livre);
    if (!cle.empty() && !chemin.isEmpty()) {
        DonneesDocuments documents;
        lit([&] { return ChargeDonneesDocuments(documents, chemin); });
        if (const auto doc = documents.find(cle); doc != documents.end()) d = doc->second;
    }
    if (d.Livraison && a && MemeAdresse(*d.Livraison, *a)) d.Livraison.reset();
    const Cadre nature = d.Nature.value_or(v.CadreFacturation);
    return LignesEFacture(a, d.Livraison, nature, TvaSurDebits(v, nature));
}

} // namespace kyr
