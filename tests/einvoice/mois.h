#pragma once
// A month of a small business's documents, as the invoice window writes
// them: invoices and credit notes of September 2026 for forty clients
// remembered in Fact.fxa (businesses and consumers, lines at three rates with
// discounts, prices with or without tax, paid or not, credit notes naming the
// invoice they correct), with quotes and other months around them, and the
// documents that cannot be exported, each with the reason the report gives.
#include "book/bloc.h"
#include "einvoice/controles.h"
#include "einvoice/documents.h"
#include "einvoice/fichiers_tiers.h"

#include <string>
#include <vector>

namespace kyr::test {

struct MoisTest {
    Lignes Livre;
    Acheteurs Memorises;
    Reglages R;
    int NbExportables = 0; // invoices and credit notes of September that can be exported
    int NbAvoirs = 0;
    std::vector<std::pair<std::string, std::string>> Refus; // number, part of its reason
};

// A valid SIREN from eight digits: the ninth is the key.
inline std::string SirenDe(int n) {
    std::string s = std::to_string(10000000 + n % 90000000);
    for (char k = '0'; k <= '9'; ++k)
        if (CleLuhn(s + k)) return s + k;
    return s + "0";
}

inline MoisTest MoisGenere(int nbDocuments) {
    MoisTest m;
    m.R = ReglagesEuros();
    m.R.TauxTVA[3] = 19.6L; // code 3: a rate no longer in force, used only by one document
    int bloc = 0;
    const auto ajoute = [&](Fiche f) {
        Calcule(f, m.R, Largeur7);
        const Lignes b = EcritBloc(f, bloc++, DerniereRangee);
        m.Livre.insert(m.Livre.end(), b.begin(), b.end());
    };
    const auto client = [](int k) { return std::to_string(10002 + k); };
    for (int k = 0; k < 40; ++k) {
        Acheteur a = AcheteurTest();
        a.Nom = "Client " + std::to_string(k);
        if (k % 7 == 3) {
            a = AcheteurDepuisAdresse(
                {"Mme Client " + std::to_string(k), "3 rue Neuve", "69001 Lyon", ""});
            a.Professionnel = false;
            a.AdresseElectronique = "client" + std::to_string(k) + "@example.fr";
        } else {
            a.Siren = SirenDe(4430618 + k * 37);
            a.NumeroTVA.clear();
            a.AdresseElectronique = a.Siren;
        }
        m.Memorises[client(k)] = a;
    }
    std::vector<std::string> factures;
    for (int i = 0; i < nbDocuments; ++i) {
        const bool avoir = i % 10 == 9 && !factures.empty();
        std::vector<Rangee> lignes;
        const int n = 1 + i % 8;
        for (int l = 0; l < n; ++l)
            lignes.push_back({"Article " + std::to_string(i) + "." + std::to_string(l),
                              std::to_string(1 + (i + l) % 5) + (l % 3 == 1 ? ",5" : ""),
                              std::to_string(3 + (i * 7 + l * 13) % 180) + "," +
                                  std::to_string(10 + (i + l) % 90),
                              (i + l) % 4 == 0 ? "10" : "", "", std::to_string(1 + (i + l) % 2)});
        if (avoir)
            lignes.insert(lignes.begin(), {"Avoir sur facture " + factures[i % factures.size()], "",
                                           "", "", "", ""});
        const std::string numero = std::to_string(202609001 + i);
        Fiche f = FicheTest(numero, QDate(2026, 9, 1 + i * 30 / nbDocuments), lignes, m.R,
                            i % 3 == 0, avoir ? GenreAvoir : GenreFacture);
        f.CodeClient = client(i % 40);
        f.Adresse[0] = m.Memorises[f.CodeClient].Nom;
        f.Payee = !avoir && i % 5 == 0;
        ajoute(f);
        (avoir ? m.NbAvoirs : m.NbExportables) += 1;
        if (!avoir) factures.push_back(numero);
    }
    m.NbExportables += m.NbAvoirs;

    // Around the month: a quote, documents of August and October.
    ajoute(FicheTest("202609500", QDate(2026, 9, 10), {{"Devis", "1", "10,00", "", "", "1"}}, m.R,
                     false, GenreDevis));
    ajoute(FicheTest("202608900", QDate(2026, 8, 31), {{"Août", "1", "10,00", "", "", "1"}}, m.R));
    ajoute(FicheTest("202610900", QDate(2026, 10, 1), {{"Oct.", "1", "10,00", "", "", "1"}}, m.R));

    // The documents of the month that cannot be exported, and why.
    const auto refuse = [&](const std::string& numero, const std::string& raison, Fiche f) {
        f.Numero = numero;
        ajoute(f);
        m.Refus.push_back({numero, raison});
    };
    const std::vector<Rangee> une = {{"Travaux", "1", "100,00", "", "", "1"}};
    Fiche inconnu = FicheTest("", QDate(2026, 9, 12), une, m.R);
    inconnu.CodeClient = "10099"; // never exported: no SIREN known for it
    refuse("202699901", "SIREN", inconnu);
    Fiche ancienTaux =
        FicheTest("", QDate(2026, 9, 13), {{"Vieux tarif", "1", "100,00", "", "", "3"}}, m.R);
    refuse("202699902", "19,6 %", ancienTaux);
    Fiche sansFacture = FicheTest("", QDate(2026, 9, 14), une, m.R, false, GenreAvoir);
    refuse("202699903", "facture qu'il corrige", sansFacture);
    Fiche illisible = FicheTest("", QDate(2026, 9, 15), une, m.R);
    illisible.DateIllisible = "3x/09/2026";
    refuse("202699904", "n'est pas une date correcte", illisible);
    Fiche belge = FicheTest("", QDate(2026, 9, 16), une, m.R);
    belge.CodeClient = "10098";
    Acheteur b = AcheteurBelge();
    b.AdresseElectronique = "0403169810"; // no Peppol identifier
    m.Memorises["10098"] = b;
    refuse("202699905", "Peppol", belge);
    Fiche double_ = FicheTest("", QDate(2026, 9, 17), une, m.R);
    refuse(std::to_string(202609001 + nbDocuments / 2), "même numéro", double_);
    return m;
}

} // namespace kyr::test
