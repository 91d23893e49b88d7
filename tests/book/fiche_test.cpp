// Showing and storing documents: defaults, completeness, damaged blocks.
#include "book/bloc.h"
#include "common/dates.h"
#include "common/texte.h"
#include "outils_livre.h"

#include <QDir>
#include <algorithm>
#include <array>
#include <optional>

namespace kyr::test {
namespace {

using Fiches = LivreTest;

// The FACT lines of block n, fields trimmed (the calculation right-aligns them).
Lignes LignesFact(const Lignes& livre, int n) {
    Lignes r;
    const int debut = ChercheDebut(livre, n);
    for (int i = debut; i >= 0 && i < FinBloc(livre, debut, n); ++i) {
        if (livre[i].rfind("FACT", 0) != 0) continue;
        std::string l;
        for (std::size_t p = 0, q; p <= livre[i].size(); p = q + 1) {
            q = std::min(livre[i].find('\t', p), livre[i].size());
            l += (p ? "|" : "") + Trim(std::string_view(livre[i]).substr(p, q - p));
        }
        r.push_back(l);
    }
    return r;
}

TEST_F(Fiches, EmplacementSansBlocGardeLesValeursParDefaut) {
    f.Charge(Donnee("exemple.fct"));
    f.FicheCourante = 1;
    f.LitFiche();
    f.FocusGrille = true;
    f.NumeroSuivant = 200103004;
    f.FicheCourante = 7;
    f.LitFiche();
    EXPECT_EQ(f.fiche.Numero, "200103004");
    EXPECT_EQ(f.fiche.Date, QDate(2001, 3, 15));
    EXPECT_EQ(f.fiche.Conditions, "A r\xE9"
                                  "ception");
    EXPECT_EQ(f.fiche.Genre, "Facture");
    EXPECT_TRUE(f.fiche.CodeClient.empty() && f.fiche.Cellules[1][0].empty() &&
                f.fiche.TotalHT.empty());
    EXPECT_EQ(f.NbLignes, 2); // kept from the previous document
    EXPECT_TRUE(f.FocusGrille);
}

TEST_F(Fiches, DocumentIncompletJamaisEnregistre) {
    struct Cas {
        const char* quoi;
        std::string code, numero, designation;
        int nbLignes;
        bool valide;
    };
    for (const Cas& c : {Cas{"complet", "10002", "200103001", "Vis", 1, true},
                         Cas{"sans code", "", "200103001", "Vis", 1, false},
                         Cas{"numero efface", "10002", "         ", "Vis", 1, false},
                         Cas{"designation vide", "10002", "200103001", "", 1, false},
                         Cas{"jamais Entree", "10002", "200103001", "Vis", 0, false}}) {
        f.Nouveau();
        f.fiche.CodeClient = c.code;
        f.fiche.Numero = c.numero;
        f.fiche.Cellules[1] = {c.designation, "2", "", "", "", ""};
        f.NbLignes = c.nbLignes;
        EXPECT_EQ(f.Valide(), c.valide) << c.quoi;
        f.Modifie();
        f.EcritFiche();
        EXPECT_EQ(f.ChercheDebut(0) >= 0, c.valide) << c.quoi;
    }
}

TEST_F(Fiches, SeulUnDocumentModifieEstRecritEnFin) {
    f.Charge(Donnee("exemple.fct"));
    const Lignes livre = f.Livre;
    f.EcritFiche(); // shown, not edited
    EXPECT_EQ(f.Livre, livre);
    f.fiche.TTC = true; // the price mode alone
    f.Modifie();
    f.EcritFiche();
    EXPECT_EQ(f.Livre.back(), "</BLOC0000>");
    EXPECT_EQ(f.Livre[f.ChercheDebut(0) + 10], "TTCY");
    EXPECT_EQ(f.Livre.size(), livre.size());
    // An edit of the memo counts as an edit.
    f.LitFiche();
    f.LivreModifie = false;
    f.fiche.Memo = {"Nouveau"};
    f.MemoEdite = true;
    f.EcritFiche();
    EXPECT_TRUE(f.LivreModifie);
    EXPECT_EQ(f.Livre[f.Livre.size() - 2], "MEMONouveau");
}

TEST_F(Fiches, DateIllisibleSignaleeEtConservee) {
    f.Charge(Donnee("mauvaise_date.fct"));
    ASSERT_EQ(p.erreurs.size(), 1u);
    EXPECT_EQ(p.erreurs[0], QStringLiteral("'31/02/2000' n'est pas une date correcte"));
    EXPECT_EQ(f.fiche.CodeClient, "10002"); // the rest is read
    EXPECT_EQ(f.fiche.Cellules[1][0], "Pneu avant");
    f.fiche.Adresse[1] = "Rue neuve";
    f.Modifie();
    f.EcritFiche();
    EXPECT_EQ(f.Livre[f.ChercheDebut(0) + 2], "31/02/2000");
    // Once the user sets a date, that date is stored.
    f.LitFiche();
    f.fiche.DateIllisible.reset();
    f.fiche.Date = QDate(2000, 2, 28);
    f.Modifie();
    f.EcritFiche();
    EXPECT_EQ(f.Livre[f.ChercheDebut(0) + 2], "28/02/2000");
}

TEST_F(Fiches, BlocCoupeEnFinDeLivre) {
    p.reponses = {Bouton::Non}; // its end line is missing
    f.Charge(Donnee("bloc_court.fct"));
    f.FicheCourante = 1;
    f.LitFiche();
    EXPECT_EQ(f.fiche.Numero, "200001002");
    EXPECT_EQ(f.fiche.CodeClient, "10003");
    EXPECT_EQ(f.fiche.Genre, "Facture");
    EXPECT_TRUE(f.fiche.Adresse[0].empty());
    EXPECT_EQ(f.NbLignes, 1);
    // Cut inside the date: the empty date line is reported and kept.
    f.Livre = {"<BLOC0000>", "NUMF200001002"};
    f.FicheCourante = 0;
    f.LitFiche();
    EXPECT_EQ(f.fiche.DateIllisible, std::string());
    EXPECT_EQ(f.fiche.Numero, "200001002");
}

TEST_F(Fiches, LignesNonAffichablesJamaisPerdues) {
    for (const char* nom : {"fact70.fct", "corps100.fct"}) {
        f.Charge(Donnee(nom));
        const Lignes avant = f.Livre;
        f.fiche.CodeClient = "10003";
        f.Modifie();
        f.EcritFiche();
        EXPECT_EQ(LignesFact(f.Livre, 0), LignesFact(avant, 0)) << nom;
        for (const char* cle : {"MEMO", "PAYE"})
            EXPECT_EQ(std::count_if(f.Livre.begin(), f.Livre.end(),
                                    [&](auto& l) { return l.rfind(cle, 0) == 0; }),
                      std::count_if(avant.begin(), avant.end(),
                                    [&](auto& l) { return l.rfind(cle, 0) == 0; }))
                << nom << cle;
    }
    f.Charge(Donnee("fact70.fct"));
    EXPECT_EQ(f.NbLignes, 63);
    EXPECT_EQ(f.fiche.FactCachees.size(), 7u);
    EXPECT_TRUE(f.fiche.Payee);
}

TEST_F(Fiches, ActivationLitLesFichiersDuDossier) {
    EcritFichier(QStringLiteral("Fact.Glo"), {"TVA\tTaxe"});
    EcritFichier(QStringLiteral("KyrFact.ini"),
                 {" 0.0E+0000", " 6.55957E+0000", " 19.6E+0000", "0", "5.5", "", "0", "0", "0", "0",
                  "1", "1", "Comptant"});
    EcritFichier(QStringLiteral("Fact.cli"), {"10002", "Garage"});
    f.Modifie();
    f.Activation();
    EXPECT_FALSE(f.LivreModifie);
    EXPECT_EQ(f.Glossaire, (Lignes{"TVA\tTaxe"}));
    EXPECT_EQ(f.reglages.ConditionsReglement, (Lignes{"Comptant"}));
    EXPECT_EQ(f.fiche.Devise1, "Euros");
    EXPECT_EQ(f.fiche.Devise2, "");
    EXPECT_FALSE(f.clients.Lignes_.empty());
}

TEST_F(Fiches, SansFichierDeReglagesLesValeursEnVigueurUnFichierExistantLuCommeAvant) {
    struct Cas {
        const char* quoi;
        std::optional<std::string> ini; // KyrFact.ini's bytes; none: no file
        bool premier;
        long double tva1, tva2, tva3;
        int devise;
        const char* devise1;
    };
    const Cas cas[] = {
        {"sans fichier", std::nullopt, true, 20, 10, 5.5L, 1, "Euros"},
        {"francs de 2001",
         " 0.0E+0000\r\n 6.55957E+0000\r\n 20.6E+0000\r\n0\r\n5.5\r\n\r\n0\r\n0\r\n"
         "0\r\n0\r\n0\r\n0\r\nComptant\r\n",
         false, 20.6L, 0, 5.5L, 0, "Francs"},
        {"vide", "", false, 0, 0, 0, 0, "Francs"}, // every value reads as 0
        {"trois lignes", "0\r\n7\r\n19.6\r\n", false, 19.6L, 0, 0, 0, "Francs"},
    };
    for (const Cas& c : cas) {
        DossierTemporaire ici;
        if (c.ini) {
            QFile fichier(NomFichierIni);
            ASSERT_TRUE(fichier.open(QIODevice::WriteOnly));
            fichier.write(c.ini->data(), static_cast<qint64>(c.ini->size()));
        }
        PlateformeFausse plateforme;
        Facture g(plateforme);
        g.Activation();
        EXPECT_EQ(g.PremierDemarrage, c.premier) << c.quoi;
        EXPECT_EQ(
            (std::array{g.reglages.TauxTVA[1].valeur(), g.reglages.TauxTVA[2].valeur(),
                        g.reglages.TauxTVA[3].valeur()}),
            (std::array{Reel6(c.tva1).valeur(), Reel6(c.tva2).valeur(), Reel6(c.tva3).valeur()}))
            << c.quoi;
        EXPECT_EQ(g.reglages.Devise, c.devise) << c.quoi;
        EXPECT_EQ(g.fiche.Devise1, c.devise1) << c.quoi;
        EXPECT_EQ(QFile::exists(NomFichierIni), c.ini.has_value()) << "rien d'ecrit, " << c.quoi;
    }
}

TEST_F(Fiches, UnNouveauLivreEstEnEuros) {
    f.reglages.Devise = 0; // a book kept in francs until now
    f.reglages.OmettreConversion = 1;
    f.AppliqueLibellesDevise();
    EXPECT_EQ(f.fiche.Devise1, "Francs");
    f.Charge(Donnee("exemple.fct"));
    EXPECT_EQ(f.reglages.Devise, 0); // opening a book leaves its currency alone
    f.Nouveau();
    EXPECT_EQ(f.reglages.Devise, 1);
    EXPECT_EQ(f.reglages.OmettreConversion, 0);
    EXPECT_EQ(f.fiche.Devise1, "Euros");
    EXPECT_EQ(f.fiche.Devise2, "Francs");
}

TEST_F(Fiches, UnFichierIllisibleNEmpechePasDeLireLesAutres) {
    // A client "file" that cannot be read (here a folder of that name) is
    // reported; the settings and the glossary after it are read all the same.
    ASSERT_TRUE(QDir().mkdir(QStringLiteral("Fact.cli")));
    EcritFichier(QStringLiteral("Fact.Glo"), {"TVA\tTaxe"});
    EcritFichier(QStringLiteral("KyrFact.ini"),
                 {" 0.0E+0000", " 6.55957E+0000", " 19.6E+0000", "0", "5.5", "livre.fct", "1", "0",
                  "0", "0", "0", "0", "Comptant"});
    f.Activation();
    ASSERT_EQ(p.erreurs.size(), 1u);
    EXPECT_TRUE(p.erreurs[0].contains(QStringLiteral("Fact.cli")));
    EXPECT_EQ(f.reglages.ConditionsReglement, (Lignes{"Comptant"}));
    EXPECT_EQ(f.reglages.DernierLivre, "livre.fct");
    EXPECT_EQ(f.Glossaire, (Lignes{"TVA\tTaxe"}));
}

} // namespace
} // namespace kyr::test
