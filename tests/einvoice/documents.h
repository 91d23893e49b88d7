#pragma once
// The documents the e-invoice tests export: the worked example of the sample
// book, and one document for each case the export must carry (including tax,
// discounts at three rates, credit note, paid, 63 lines, consumer, small
// business without VAT, services on debits delivered elsewhere, a Belgian
// buyer reached by Peppol), each with its
// settings, seller, buyer and complements.
#include "book/calcul.h"
#include "book/facture.h"
#include "einvoice/facture_electronique.h"
#include "support/plateforme_fausse.h"

#include <QString>
#include <string>
#include <vector>

namespace kyr::test {

inline int Largeur7(const std::string& s) {
    return static_cast<int>(s.size()) * 7;
}

struct DocumentTest {
    std::string Nom; // also the file name of its exports
    Fiche F;
    Reglages R;
    LignesSociete Societe{"Menuiserie Durand", "12 rue des Artisans", "69003 Lyon"};
    Vendeur Vend;
    Acheteur Ach;
    Complements Autres;

    std::variant<FactureElectronique, Refus> Construit() const {
        return kyr::Construit(F, R, Societe, Vend, Ach, Autres);
    }
};

inline Reglages ReglagesEuros() {
    Reglages r;
    r.Devise = 1;
    r.TauxTVA = {0, 20.0L, 10.0L, 5.5L};
    return r;
}

inline Vendeur VendeurTest() {
    Vendeur v = VendeurNeuf();
    v.Siren = "732829320";
    v.Siret = "73282932000074";
    v.NumeroTVA = "FR44732829320";
    v.Rue = "12 rue des Artisans";
    v.CodePostal = "69003";
    v.Ville = "Lyon";
    v.AdresseElectronique = "732829320";
    v.CadreFacturation = Cadre::Mixte;
    v.Iban = "FR76 3000 6000 0112 3456 7890 189";
    v.Bic = "AGRIFRPP";
    return v;
}

inline Acheteur AcheteurTest() {
    Acheteur a;
    a.Nom = "Garage du Centre";
    a.Rue = "4 place de la Gare";
    a.CodePostal = "69002";
    a.Ville = "Lyon";
    a.Siren = "443061841";
    a.NumeroTVA = "FR64443061841";
    a.AdresseElectronique = "443061841";
    return a;
}

// A Belgian business, on the Peppol network by its enterprise number.
inline Acheteur AcheteurBelge() {
    Acheteur a;
    a.Nom = "Brasserie Van Damme";
    a.Rue = "Rue Haute 12";
    a.CodePostal = "1000";
    a.Ville = "Bruxelles";
    a.Pays = "BE";
    a.NumeroTVA = "BE0403169810";
    a.AdresseElectronique = "0208:0403169810";
    return a;
}

// A document of the given rows (designation, quantity, price, discount, code),
// computed as the window computes it.
inline Fiche FicheTest(const std::string& numero, const QDate& date,
                       const std::vector<Rangee>& rangees, const Reglages& r, bool ttc = false,
                       const std::string& genre = GenreFacture) {
    Fiche f;
    f.Numero = numero;
    f.Date = date;
    f.CodeClient = "10002";
    f.Conditions = "R\xE9glement \xE0 30 jours";
    f.Genre = genre;
    f.Adresse = {"Garage du Centre", "4 place de la Gare", "69002 Lyon", ""};
    f.TTC = ttc;
    for (std::size_t i = 0; i < rangees.size(); ++i)
        f.Cellules[i + 1] = rangees[i];
    Calcule(f, r, Largeur7);
    return f;
}

// The worked example: document 3 of tests/data/exemple.fct, read by the book.
inline Fiche FicheExemple(const Reglages& r) {
    PlateformeFausse p;
    Facture fa(p);
    fa.reglages = r;
    fa.Charge(QStringLiteral(KYR_TEST_DATA "/exemple.fct"));
    fa.FicheCourante = 3;
    fa.LitFiche();
    return fa.fiche;
}

inline std::vector<DocumentTest> DocumentsTest() {
    std::vector<DocumentTest> d;
    const Reglages r = ReglagesEuros();
    const auto nouveau = [&](const std::string& nom, Fiche f) {
        DocumentTest t;
        t.Nom = nom;
        t.F = std::move(f);
        t.R = r;
        t.Vend = VendeurTest();
        t.Ach = AcheteurTest();
        t.Autres.Echeance = EcheanceProposee(t.F.Conditions, t.F.Date);
        return t;
    };

    DocumentTest exemple = nouveau("exemple", FicheExemple(r));
    exemple.Autres.Echeance = exemple.F.Date; // paid: the payment date
    d.push_back(exemple);

    d.push_back(nouveau("ttc", FicheTest("202601005", QDate(2026, 9, 14),
                                         {{"Pain de campagne", "3", "2,35", "", "", "3"},
                                          {"Plateau repas", "7", "12,90", "", "", "2"},
                                          {"Livraison", "1", "9,99", "", "", "1"},
                                          {"Nappe", "2,5", "7,77", "", "", "1"}},
                                         r, true)));

    d.push_back(
        nouveau("remises", FicheTest("202601006", QDate(2026, 9, 15),
                                     {{"Planche de ch\xEAne", "12,5", "18,33", "10", "", "1"},
                                      {"Pose", "3,25", "45,00", "5", "", "2"},
                                      {"Livre technique", "2", "29,90", "12,5", "", "3"},
                                      {"Vis inox", "1000", "0,07", "", "", "1"},
                                      {"Reprise ancien mat\xE9riel", "-1", "50,00", "", "", "1"}},
                                     r)));

    DocumentTest avoir =
        nouveau("avoir",
                FicheTest("202601007", QDate(2026, 9, 20),
                          {{"Retour planche", "2", "18,33", "10", "", "1"}}, r, false, GenreAvoir));
    avoir.Autres.FactureCorrigee = "202601006";
    avoir.Autres.DateFactureCorrigee = QDate(2026, 9, 15);
    d.push_back(avoir);

    DocumentTest payee = nouveau("payee", FicheTest("202601008", QDate(2026, 9, 21),
                                                    {{"D\xE9pannage", "1", "85,00", "", "", "1"},
                                                     {"Pi\xE8"
                                                      "ce",
                                                      "2", "13,45", "", "", "1"}},
                                                    r, true));
    payee.F.Payee = true;
    payee.Autres.Echeance = QDate(2026, 9, 21);
    payee.Autres.Livraison = QDate(2026, 9, 18); // the work done three days before
    d.push_back(payee);

    std::vector<Rangee> lignes;
    for (int i = 1; i <= 63; ++i)
        lignes.push_back({"Article " + std::to_string(i), std::to_string(i % 7 + 1) + ",5",
                          std::to_string(i * 3 % 97) + "," + std::to_string(10 + i % 89),
                          i % 5 == 0 ? "7,5" : "", "", std::to_string(i % 3 + 1)});
    d.push_back(nouveau("lignes63", FicheTest("202601009", QDate(2026, 9, 22), lignes, r)));

    DocumentTest particulier = nouveau(
        "particulier", FicheTest("202601010", QDate(2026, 9, 23),
                                 {{"R\xE9paration chaise", "1", "60,00", "", "", "2"}}, r, true));
    particulier.Ach =
        AcheteurDepuisAdresse({"Mme Claire Martin", "8 rue Victor Hugo", "69006 Lyon", ""});
    particulier.Ach.Professionnel = false;
    particulier.Ach.AdresseElectronique = "claire.martin@example.fr";
    particulier.F.Adresse = {"Mme Claire Martin", "8 rue Victor Hugo", "69006 Lyon", ""};
    d.push_back(particulier);

    Reglages sansTva = r;
    sansTva.TauxTVA = {0, 0, 0, 0};
    DocumentTest franchise =
        nouveau("franchise", FicheTest("202601011", QDate(2026, 9, 24),
                                       {{"Cours de guitare", "4", "35,00", "", "", "1"},
                                        {"Partitions", "1", "12,80", "", "", "1"}},
                                       sansTva));
    franchise.R = sansTva;
    franchise.Vend.Franchise = true;
    franchise.Vend.NumeroTVA.clear();
    franchise.Vend.CadreFacturation = Cadre::Services;
    d.push_back(franchise);

    // Services with the option for VAT on debits, done at another address.
    DocumentTest debits =
        nouveau("debits", FicheTest("202601012", QDate(2026, 9, 25),
                                    {{"Entretien chaudi\xE8re", "1", "150,00", "", "", "1"},
                                     {"R\xE9novation \xE9nerg\xE9tique", "6", "48,00", "", "", "3"},
                                     {"Main-d'\x9C"
                                      "uvre r\xE9paration",
                                      "2,5", "39,90", "", "", "2"}},
                                    r));
    debits.Vend.OptionDebits = true;
    debits.Autres.Nature = Cadre::Services;
    debits.Autres.LieuLivraison =
        AdresseLivraison{"Chantier Dupont", "3 rue du Port", "69007", "Lyon", "FR"};
    d.push_back(debits);

    DocumentTest belge =
        nouveau("belge", FicheTest("202601012", QDate(2026, 9, 25),
                                   {{"Planche de ch\xEAne", "12,5", "18,33", "10", "", "1"},
                                    {"Pose", "3,25", "45,00", "5", "", "2"}},
                                   r));
    belge.F.Adresse = {"Brasserie Van Damme", "Rue Haute 12", "1000 Bruxelles", "Belgique"};
    belge.Ach = AcheteurBelge();
    d.push_back(belge);
    return d;
}

} // namespace kyr::test
