// Moving between documents, numbering, adding, deleting, copying, pasting.
#include "book/bloc.h"
#include "common/erreurs.h"
#include "outils_livre.h"

namespace kyr::test {
namespace {

// A book of n well-formed documents, client codes 10000 + index.
Lignes LivreDe(int n) {
    Lignes l;
    for (int k = 0; k < n; ++k) {
        const std::string c = std::to_string(10000 + k);
        for (const std::string& x :
             {LigneDebut(k), "NUMF200103" + std::string(k < 10 ? "00" : "0") + std::to_string(k),
              std::string("15/03/2001"), c, std::string(), std::string("Facture"), "Client " + c,
              std::string(), std::string(), std::string(), std::string("TTCN"),
              std::string("FACTArticle\t1\t1,00\t\t1,00\t1"), LigneFin(k)})
            l.push_back(x);
    }
    return l;
}

class Navigation : public LivreTest {
protected:
    void Ouvre(int n) {
        f.Livre = LivreDe(n);
        f.NbFiches = n;
        f.FicheCourante = 0;
        f.LitFiche();
    }
};

TEST_F(Navigation, NumerosProposes) {
    struct Cas {
        Lignes livre;
        QDate aujourdhui;
        int factures, devis;
    };
    const Lignes mars = {"NUMF200103001", "NUMF200103007", "NUMF200103003", "NUMD200103002",
                         "NUMF         "};
    for (const Cas& c :
         {Cas{{}, QDate(2001, 3, 15), 200103001, 200103001},
          Cas{mars, QDate(2001, 3, 15), 200103008, 200103003},
          Cas{mars, QDate(2001, 4, 2), 200104001, 200104001},
          Cas{{"NUMF200105003"}, QDate(2001, 4, 2), 200105004, 200104001},
          Cas{{"NUMF200101999"}, QDate(2001, 1, 31), 200102000, 200101001},
          // Invoices and credit notes share one series; a lower-case key is none.
          Cas{{"NUMA200112001", "numf200112009"}, QDate(2001, 1, 31), 200112002, 200101001},
          // A credit note's number that does not read is passed over.
          Cas{{"NUMA2001O1009", "NUMF200101004"}, QDate(2001, 1, 31), 200101005, 200101001}}) {
        f.Livre = c.livre;
        p.maintenant = QDateTime(c.aujourdhui, QTime(9, 0));
        f.Numerof();
        EXPECT_EQ(f.NumeroSuivant, c.factures);
        f.Numerod();
        EXPECT_EQ(f.NumeroSuivant, c.devis);
    }
    // A number line that is not a number: the proposal stays.
    f.Livre = {"NUMF200103001", "NUMF2001O3002"};
    EXPECT_THROW(f.Numerof(), ErreurExecution);
    EXPECT_EQ(f.NumeroSuivant, 200101001);
}

TEST_F(Navigation, ChangementDeGenre) {
    Ouvre(2); // invoices 200103000 and 200103001
    f.Livre.push_back("NUMD200103002");
    f.ComboBox2Change(GenreAvoir);
    EXPECT_EQ(f.fiche.Numero, "200103000");
    EXPECT_TRUE(f.LivreModifie && f.DocumentModifie);
    f.ComboBox2Change(GenreDevis);
    EXPECT_EQ(f.fiche.Numero, "200103000"); // a number is never replaced
    EXPECT_EQ(f.NumeroSuivant, 200103003);
    f.fiche.Numero = std::string(9, ' ');
    f.ComboBox2Change(GenreDevis);
    EXPECT_EQ(f.fiche.Numero, "200103003");
    f.fiche.Numero = std::string(9, ' ');
    f.ComboBox2Change(GenreFacture);
    EXPECT_EQ(f.fiche.Numero, "200103002");
}

TEST_F(Navigation, DeplacementsAuxBords) {
    Ouvre(3);
    f.fiche.CodeClient = "77777";
    f.Modifie();
    f.Precedent(); // stores document 0 and shows it again
    EXPECT_EQ(f.FicheCourante, 0);
    EXPECT_EQ(f.fiche.CodeClient, "77777");
    EXPECT_EQ(f.Livre.back(), "</BLOC0000>");
    f.Dernier();
    EXPECT_EQ(f.fiche.CodeClient, "10002");
    f.Suivant();
    EXPECT_EQ(f.FicheCourante, 2);
    f.Premier();
    EXPECT_EQ(f.FicheCourante, 0);
    f.Suivant();
    EXPECT_EQ(f.fiche.CodeClient, "10001");

    // One slot: PgDn and "Dernier" do nothing at all, not even store.
    Ouvre(1);
    f.fiche.CodeClient = "55555";
    f.Modifie();
    const Lignes avant = f.Livre;
    f.Suivant();
    f.Dernier();
    EXPECT_EQ(f.Livre, avant);
    EXPECT_EQ(f.fiche.CodeClient, "55555");
}

TEST_F(Navigation, SuppressionEtRenumerotation) {
    Ouvre(5);
    f.FicheCourante = 2;
    f.LitFiche();
    f.Supprime();
    EXPECT_EQ(f.NbFiches, 4);
    EXPECT_EQ(f.FicheCourante, 2);
    EXPECT_EQ(f.fiche.CodeClient, "10003");
    EXPECT_TRUE(f.LivreModifie);
    for (int k = 0; k < 4; ++k) {
        ASSERT_GE(f.ChercheDebut(k), 0);
        EXPECT_EQ(f.Livre[f.ChercheDebut(k) + 3], std::to_string(10000 + k + (k >= 2)));
        EXPECT_EQ(f.Livre[f.ChercheDebut(k) + 12], LigneFin(k));
    }
    EXPECT_EQ(f.ChercheDebut(4), -1);

    f.FicheCourante = 3; // the last one: the new last is shown
    f.Supprime();
    EXPECT_EQ(f.FicheCourante, 2);
    EXPECT_EQ(f.fiche.CodeClient, "10003");

    Ouvre(1); // the only document: an empty document 0 stays
    f.Supprime();
    EXPECT_EQ(f.NbFiches, 1);
    EXPECT_TRUE(f.Livre.empty());
    EXPECT_EQ(f.FicheCourante, 0);
}

TEST_F(Navigation, RenumerotationIgnoreLesNumerosIllisibles) {
    f.Livre = {"<BLOC0000>", "</BLOC0000>", "<BLOCxx>", "</BLOCxx>", "<bloc0002>", "</BLOC0002>"};
    f.NbFiches = 3;
    f.FicheCourante = 1;
    EXPECT_NO_THROW(f.Renum());
    EXPECT_EQ(f.Livre, (Lignes{"<BLOC0000>", "</BLOC0000>", "<BLOCxx>", "</BLOCxx>", "<BLOC0001>",
                               "</BLOC0001>"}));
    EXPECT_EQ(f.NbFiches, 2);
}

TEST_F(Navigation, NouvelleFacture) {
    f.Nouveau();
    f.NbFiches = 0;
    f.fiche.CodeClient = "10002";
    f.fiche.Cellules[1][0] = "Vis";
    f.NbLignes = 1;
    f.Modifie();
    f.Ajout(); // stores document 0, opens document 1
    EXPECT_GE(f.ChercheDebut(0), 0);
    EXPECT_EQ(f.FicheCourante, 1);
    EXPECT_EQ(f.NbFiches, 2);
    EXPECT_EQ(f.fiche.Numero, "200103002");
    EXPECT_EQ(f.Livre.back(), " ");

    // A bad number line: reported, the new slot shown with the old proposal.
    f.Livre.push_back("NUMFabc");
    f.Ajout();
    ASSERT_EQ(p.erreurs.size(), 1u);
    EXPECT_EQ(f.FicheCourante, 2);
    EXPECT_EQ(f.fiche.Numero, "200103002");
    EXPECT_TRUE(f.fiche.CodeClient.empty());
}

TEST_F(Navigation, FacturierPlein) {
    Ouvre(2);
    f.NbFiches = NbFichesMax;
    f.fiche.CodeClient = "12345";
    f.Modifie();
    f.Ajout();
    ASSERT_EQ(p.messages.size(), 1u);
    EXPECT_TRUE(p.messages[0].contains(QStringLiteral("10 000")));
    EXPECT_EQ(f.NbFiches, NbFichesMax);
    EXPECT_EQ(f.FicheCourante, 0);
    EXPECT_EQ(f.Livre.back(), "</BLOC0000>"); // the shown document was stored
    EXPECT_EQ(f.fiche.CodeClient, "12345");

    // A damaged book counting more start lines: index 10000 never aliases block 0000.
    f.NbFiches = NbFichesMax + 1;
    f.FicheCourante = NbFichesMax;
    f.LitFiche();
    EXPECT_TRUE(f.fiche.CodeClient.empty());
    f.fiche.CodeClient = "1";
    f.Modifie();
    const Lignes avant = f.Livre;
    f.EcritFiche();
    EXPECT_EQ(f.Livre, avant);
}

TEST_F(Navigation, CopierColler) {
    Ouvre(2);
    f.Coller(); // nothing copied yet
    EXPECT_FALSE(f.DocumentModifie);
    for (int r = 1; r <= 25; ++r)
        f.fiche.Cellules[r] = {"L" + std::to_string(r), "1", "2", "", "", "1"};
    f.fiche.Memo = {"memo 0"};
    f.Copier();
    f.Suivant();
    f.fiche.Memo = {"memo 1"};
    f.fiche.Payee = true;
    f.Coller();
    EXPECT_EQ(f.fiche.Cellules[20][0], "L20");
    EXPECT_TRUE(f.fiche.Cellules[21][0].empty());
    EXPECT_EQ(f.fiche.CodeClient, "10000");
    EXPECT_EQ(f.fiche.Numero, "200103001");
    EXPECT_EQ(f.fiche.Memo, (Lignes{"memo 1"}));
    EXPECT_TRUE(f.fiche.Payee);
    EXPECT_EQ(f.NbLignes, 21);
    EXPECT_EQ(f.fiche.TotalHT, "40,00");
    EXPECT_TRUE(f.DocumentModifie && f.LivreModifie);
}

} // namespace
} // namespace kyr::test
