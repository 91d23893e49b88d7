// Issuing documents: what is issued and what is refused, failed saves and
// writes, the fixed fields of an issued document, the credit note made from
// an invoice, the paid marks, the shared series of numbers.
#include "book/livre_emis.h"
#include "common/erreurs.h"
#include "support/octets_fichier.h"
#include "support/panne_ecriture.h"

namespace kyr::test {
namespace {

using Emission = LivreEmisTest;

int NbEntrees(const QString& registre) {
    return static_cast<int>(LitRegistre(registre).Entrees.size());
}

TEST_F(Emission, CeQuiEstEmisEtCeQuiEstRefuse) {
    Ouvre(Concatene({BlocEmis(0, "202603001"), BlocEmis(1, "202603002", "Devis    "),
                     BlocEmis(2, "202603003", "Avoir     "), BlocEmis(3, "202603003"),
                     BlocEmis(4, "202603005", "Facture", "10002", true)}));
    const std::vector<QString> refus = f.Emet({{'F', "202603001"},
                                               {'D', "202603002"},
                                               {'F', "202603003"},
                                               {'F', "202603999"},
                                               {'F', "202603005"},
                                               {'F', "202603001"}});
    ASSERT_EQ(refus.size(), 6u);
    EXPECT_EQ(refus[0], QString());
    EXPECT_EQ(refus[1], QString()); // a quote leaves freely, never issued
    EXPECT_EQ(refus[2],
              QStringLiteral("La facture n° 202603003 ne peut être émise : ce numéro est déjà "
                             "celui de l'avoir du 09/03/2026 (client 10002). Deux documents ne "
                             "peuvent porter le même numéro : donnez à celui-ci un autre numéro, "
                             "par exemple 202603006."));
    EXPECT_EQ(
        refus[3],
        QStringLiteral("La facture n° 202603999 ne peut être émise : ce document n'est pas dans le "
                       "livre."));
    EXPECT_EQ(refus[4], QString());
    EXPECT_EQ(refus[5], QString()); // named twice, issued once
    EXPECT_EQ(sauvegardes, 1);
    // One entry each, and the paid invoice's payment dated by its issue.
    const auto entrees = LitRegistre(Registre()).Entrees;
    ASSERT_EQ(entrees.size(), 3u);
    EXPECT_EQ(entrees[0].Numero, "202603001");
    EXPECT_EQ(entrees[1].Numero, "202603005");
    EXPECT_EQ(entrees[2].Quoi, Evenement::Payee);
    EXPECT_EQ(entrees[2].Moment, entrees[1].Moment);

    // Issued before: nothing is saved or written again.
    EXPECT_EQ(f.Emet(RefDocument{'F', "202603001"}), QString());
    EXPECT_EQ(sauvegardes, 1);
    EXPECT_EQ(NbEntrees(Registre()), 3);

    // A number the series cannot hold.
    Ouvre(BlocEmis(0, "2026-3004"));
    EXPECT_EQ(f.Emet(RefDocument{'F', "2026-3004"}),
              QStringLiteral("La facture n° 2026-3004 ne peut être émise : son numéro "
                             "« 2026-3004 » n'est pas fait de chiffres."));
    EXPECT_EQ(sauvegardes, 1);
}

TEST_F(Emission, UnLivreNonEnregistreNeCompteRienCommeEmis) {
    Ouvre(BlocEmis(0, "202603001"));
    // The user did not choose a name.
    sauve = [] { return std::nullopt; };
    EXPECT_EQ(f.Emet(RefDocument{'F', "202603001"}),
              QStringLiteral("La facture n° 202603001 ne peut être émise : le livre n'a pas été "
                             "enregistré, et un document émis doit d'abord l'être."));
    // The disk refused the book.
    sauve = [this]() -> std::optional<QString> { throw ErreurExecution::CreationFichier(livre); };
    EXPECT_THROW(f.Emet(RefDocument{'F', "202603001"}), ErreurExecution);
    EXPECT_FALSE(FichierExiste(Registre()));
    EXPECT_FALSE(f.EmissionCourante);

    // The register refused at each step of its writing: the book is saved,
    // the document not counted as issued, and it is issued once it can be.
    sauve = [this]() -> std::optional<QString> {
        f.Sauve(livre);
        return livre;
    };
    for (const EtapeEcriture etape : EtapesEcriture) {
        SimulePanneEcriture([etape](EtapeEcriture e, const QString& chemin) {
            return e == etape && chemin.endsWith(QLatin1String(".emis"));
        });
        try {
            f.Emet(RefDocument{'F', "202603001"});
            ADD_FAILURE() << NomEtape(etape);
        } catch (const ErreurExecution& e) {
            EXPECT_EQ(e.message(),
                      ErreurExecution::CreationFichier(Registre(), CauseEtape(etape)).message());
        }
        SimulePanneEcriture({});
        EXPECT_FALSE(FichierExiste(Registre())) << NomEtape(etape);
        EXPECT_FALSE(f.EmissionCourante) << NomEtape(etape);
        EXPECT_EQ(f.registre.Emission('F', "202603001"), nullptr) << NomEtape(etape);
    }
    EXPECT_EQ(f.Emet(RefDocument{'F', "202603001"}), QString());
    EXPECT_TRUE(f.EmissionCourante);
    EXPECT_EQ(NbEntrees(Registre()), 1);
}

TEST_F(Emission, LeDocumentAfficheEstEnregistreAvantDEtreEmis) {
    f.Nouveau();
    // Incomplete: no client code.
    f.fiche.Numero = "202603001";
    f.fiche.Cellules[1] = {"Vidange", "1", "45", "", "", ""};
    f.NbLignes = 2;
    f.Modifie();
    EXPECT_FALSE(f.EmetCourant());
    ASSERT_EQ(p.messages.size(), 1u);
    EXPECT_TRUE(p.messages[0].startsWith(QStringLiteral("Ce document est incomplet")));
    EXPECT_EQ(sauvegardes, 0);
    // Complete, its totals never computed: computed, stored, saved, issued.
    f.fiche.CodeClient = "10002";
    EXPECT_TRUE(f.EmetCourant());
    EXPECT_EQ(f.fiche.TotalTTC, "54,00");
    ASSERT_TRUE(f.EmissionCourante);
    EXPECT_EQ(f.EmissionCourante->TTC, "54,00");
    EXPECT_NE(OctetsFichier(livre).find("FACTVidange"), std::string::npos);
    EXPECT_FALSE(f.LivreModifie);
    // A quote never is.
    f.Ajout();
    f.fiche.CodeClient = "10002";
    f.fiche.Genre = GenreDevis;
    f.fiche.Cellules[1] = {"Vidange", "1", "45", "", "", ""};
    f.NbLignes = 2;
    f.Modifie();
    EXPECT_TRUE(f.EmetCourant());
    EXPECT_FALSE(f.EmissionCourante);
    EXPECT_EQ(sauvegardes, 1);
}

TEST_F(Emission, UnDocumentEmisGardeSesChampsFixes) {
    Ouvre(Concatene({BlocEmis(0, "202603001"), BlocEmis(1, "202603002")}));
    ASSERT_TRUE(f.EmetCourant());
    // Only the memo and the paid mark are stored, whatever else the record says.
    f.fiche.Adresse[0] = "Autre client";
    f.fiche.Cellules[1][1] = "9";
    f.fiche.Memo = {"Merci"};
    f.ChangePayee(true);
    f.EcritFiche();
    const int debut = f.ChercheDebut(0);
    const Lignes bloc(f.Livre.begin() + debut, f.Livre.begin() + FinBloc(f.Livre, debut, 0));
    Lignes attendu = BlocEmis(0, "202603001");
    attendu.insert(attendu.end() - 1, {"MEMOMerci", "PAYE"});
    EXPECT_EQ(bloc, attendu);

    // Never deleted, never pasted over, kind and lines unchangeable.
    Montre(1);
    f.Copier();
    Montre(0);
    EXPECT_TRUE(f.EmissionCourante);
    f.Coller();
    EXPECT_EQ(p.messages.back(), f.TexteEmission());
    f.ComboBox2Change(GenreDevis);
    EXPECT_EQ(f.fiche.Genre, GenreFacture);
    EXPECT_TRUE(f.StringGrid1KeyPress(0, 1, 'x').Avalee);
    const int nb = f.NbFiches;
    f.Supprime();
    EXPECT_EQ(f.NbFiches, nb);
    EXPECT_GE(f.ChercheDebut(0), 0);
    EXPECT_EQ(f.TexteEmission(),
              QStringLiteral("Facture émise le 10/03/2026 à 09:15 : elle ne peut plus être "
                             "modifiée ni supprimée. Pour la corriger, créez un avoir (menu "
                             "Edition, « Créer un avoir ») ; le mémo et la case « Facture "
                             "payée » restent modifiables."));
    // The other one, not issued, behaves as always.
    Montre(1);
    EXPECT_TRUE(f.TexteEmission().isEmpty());
    f.Supprime();
    EXPECT_EQ(f.NbFiches, nb - 1);
}

TEST_F(Emission, AvoirCreeDepuisUneFacture) {
    p.maintenant = QDateTime(QDate(2026, 4, 2), QTime(11, 0));
    Ouvre(Concatene({BlocEmis(0, "202603001"), BlocEmis(1, "202604001", "Avoir     "),
                     BlocEmis(2, "202604002", "Devis    ")}));
    Montre(2);
    EXPECT_FALSE(f.CreeAvoir()); // from a quote: no
    EXPECT_EQ(p.messages.back(), QStringLiteral("« Créer un avoir » part d'une facture : affichez "
                                                "d'abord la facture que l'avoir doit corriger."));
    Montre(0);
    ASSERT_TRUE(f.CreeAvoir());
    EXPECT_EQ(f.FicheCourante, 3);
    EXPECT_EQ(f.NbFiches, 4);
    EXPECT_EQ(f.fiche.Genre, GenreAvoir);
    EXPECT_EQ(f.fiche.Numero, "202604002"); // after the credit note; quotes have their own series
    EXPECT_EQ(f.fiche.Date, QDate(2026, 4, 2));
    EXPECT_EQ(f.fiche.CodeClient, "10002");
    EXPECT_EQ(f.fiche.Adresse[2], "69002 Lyon");
    EXPECT_EQ(f.fiche.Memo, Lignes{"Avoir sur facture n\xB0 202603001 du 09/03/2026"});
    EXPECT_EQ(Trim(f.fiche.Cellules[2][0]), "Filtre");
    EXPECT_EQ(f.fiche.TotalTTC, "78,75");
    EXPECT_TRUE(f.DocumentModifie && f.LivreModifie);
    EXPECT_EQ(f.FactureCorrigee(), (LienAvoir{"202603001", QDate(2026, 3, 9)}));
    // Stored when left, as any complete document.
    f.Premier();
    f.Dernier();
    EXPECT_EQ(f.fiche.Memo, Lignes{"Avoir sur facture n\xB0 202603001 du 09/03/2026"});
    // A credit note typed by hand names its invoice in the export: its date is looked up.
    EXPECT_EQ(f.DateFacture("202603001"), QDate(2026, 3, 9));
    EXPECT_EQ(f.DateFacture("202604001"), std::nullopt); // a credit note's number
    // Choosing the kind "Avoir" for a new document proposes the series' next number.
    f.Ajout();
    f.fiche.Numero = std::string(9, ' ');
    f.ComboBox2Change(GenreAvoir);
    EXPECT_EQ(f.fiche.Numero, "202604003");
}

TEST_F(Emission, LaMarquePayeeDUnDocumentEmisEstDatee) {
    Ouvre(BlocEmis(0, "202603001"));
    ASSERT_TRUE(f.EmetCourant());
    // Marked, then unmarked before the save: nothing to record.
    f.ChangePayee(true);
    f.ChangePayee(false);
    f.LivreModifie = true;
    f.Sauve(livre);
    EXPECT_EQ(NbEntrees(Registre()), 1);
    // Marked on the 20th, saved on the 21st: the payment is dated the 20th.
    p.maintenant = QDateTime(QDate(2026, 3, 20), QTime(10, 0));
    f.ChangePayee(true);
    p.maintenant = QDateTime(QDate(2026, 3, 21), QTime(18, 0));
    f.Sauve(livre);
    f.ChangePayee(false);
    f.Sauve(livre);
    const auto entrees = LitRegistre(Registre()).Entrees;
    ASSERT_EQ(entrees.size(), 3u);
    EXPECT_EQ(entrees[1].Quoi, Evenement::Payee);
    EXPECT_EQ(entrees[1].Moment, QDateTime(QDate(2026, 3, 20), QTime(10, 0)));
    EXPECT_EQ(entrees[2].Quoi, Evenement::NonPayee);
    EXPECT_EQ(entrees[2].Moment, QDateTime(QDate(2026, 3, 21), QTime(18, 0)));
    // A register that cannot be written keeps them for the next save.
    f.ChangePayee(true);
    SimulePanneEcriture([](EtapeEcriture, const QString& chemin) {
        return chemin.endsWith(QLatin1String(".emis"));
    });
    EXPECT_THROW(f.Sauve(livre), ErreurExecution);
    SimulePanneEcriture({});
    EXPECT_NE(OctetsFichier(livre).find("PAYE\r\n"), std::string::npos); // the book is saved
    f.LivreModifie = true;
    f.Sauve(livre);
    EXPECT_EQ(NbEntrees(Registre()), 4);
}

} // namespace
} // namespace kyr::test
