// Issuing through the file commands: the save before the issue (a new book
// is named first), the register following the book to its new name, a save
// the disk refuses, and two copies of the program writing one register.
#include "book/livre_emis.h"
#include "shell/programme.h"
#include "support/dossier_temporaire.h"
#include "support/octets_fichier.h"
#include "support/panne_ecriture.h"

#include <gtest/gtest.h>

namespace kyr {
namespace {

class EmissionCoquille : public ::testing::Test {
protected:
    test::DossierTemporaire dossier;
    test::Programme a;

    // A complete invoice typed into a new book.
    void Facture(test::Programme& x) {
        x.c.NouveauLivre();
        x.f.fiche.Numero = "200103001";
        x.f.fiche.CodeClient = "10002";
        x.f.fiche.Cellules[1] = {"Travaux", "1", "100", "", "", ""};
        x.f.NbLignes = 2;
        x.f.Modifie();
    }
};

TEST_F(EmissionCoquille, UnLivreNeufEstNommeAvantLEmissionEtSonRegistreLeSuit) {
    // No name chosen: nothing is issued, nothing written.
    Facture(a);
    EXPECT_FALSE(a.f.EmetCourant());
    ASSERT_EQ(a.p.messages.size(), 1u);
    EXPECT_TRUE(a.p.messages[0].contains(QStringLiteral("le livre n'a pas été enregistré")));
    EXPECT_TRUE(QDir(dossier.path()).entryList({QStringLiteral("*.emis")}).isEmpty());

    a.p.nomsEnregistrer = {dossier.chemin(QStringLiteral("neuf"))};
    EXPECT_TRUE(a.f.EmetCourant());
    const QString neuf = dossier.chemin(QStringLiteral("neuf.fct"));
    EXPECT_EQ(a.c.FichierCourant, neuf);
    EXPECT_FALSE(a.f.TestModif());
    EXPECT_NE(test::OctetsFichier(neuf).find("FACTTravaux"), std::string::npos);
    const auto lu = LitRegistre(NomRegistre(neuf));
    ASSERT_EQ(lu.Entrees.size(), 1u);
    EXPECT_TRUE(lu.Defauts.empty());
    EXPECT_EQ(lu.Entrees[0].Numero, "200103001");

    // Saved under another name, the book takes its register along.
    a.p.nomsEnregistrer = {dossier.chemin(QStringLiteral("copie"))};
    ASSERT_TRUE(a.c.EnregistrerSous());
    a.c.AttendSauvegarde();
    const QString copie = dossier.chemin(QStringLiteral("copie.emis"));
    EXPECT_EQ(test::OctetsFichier(copie), test::OctetsFichier(NomRegistre(neuf)));
    EXPECT_EQ(a.f.registre.Chemin(), copie);
    EXPECT_TRUE(a.f.EmissionCourante);
    EXPECT_TRUE(a.p.erreurs.empty());
}

TEST_F(EmissionCoquille, LaPremiereFactureDUnProgrammeDemarreSansLivreEstEmise) {
    // Started without a book, the user types into the document shown: no
    // "Nouveau facturier", no second document added.
    a.f.fiche.Numero = "202612001";
    a.f.fiche.CodeClient = "10001";
    a.f.fiche.Cellules[1] = {"Travaux", "1", "100", "", "", ""};
    a.f.NbLignes = 2;
    a.f.Modifie();
    a.p.nomsEnregistrer = {dossier.chemin(QStringLiteral("livre"))};
    EXPECT_TRUE(a.f.EmetCourant())
        << (a.p.messages.empty() ? std::string() : a.p.messages[0].toStdString());
    const auto lu = LitRegistre(dossier.chemin(QStringLiteral("livre.emis")));
    ASSERT_EQ(lu.Entrees.size(), 1u);
    EXPECT_EQ(lu.Entrees[0].Numero, "202612001");
}

TEST_F(EmissionCoquille, UnLivreQueLeDisqueRefuseNEstPasEmis) {
    const QString livre = dossier.chemin(QStringLiteral("livre.fct"));
    EcritFichier(livre, test::BlocEmis(0, "202603001"));
    ASSERT_TRUE(a.Ouvre(livre));
    a.Edite("Garage du Centre SA");
    {
        test::PanneEcritureSimulee panne(EtapeEcriture::Vidage);
        EXPECT_TRUE(a.Message([this] { a.f.EmetCourant(); })
                        .startsWith(ErreurExecution::CreationFichier(livre).message() +
                                    QStringLiteral(". ") +
                                    test::CauseEtape(EtapeEcriture::Vidage)));
    }
    EXPECT_FALSE(FichierExiste(NomRegistre(livre)));
    EXPECT_FALSE(a.f.EmissionCourante);
    EXPECT_TRUE(a.f.TestModif()); // kept, to be saved again
    EXPECT_TRUE(a.f.EmetCourant());
    EXPECT_TRUE(FichierExiste(NomRegistre(livre)));
}

TEST_F(EmissionCoquille, DeuxCopiesTiennentUnSeulRegistre) {
    const QString livre = dossier.chemin(QStringLiteral("livre.fct"));
    EcritFichier(livre,
                 test::Concatene({test::BlocEmis(0, "202603001"), test::BlocEmis(1, "202603002")}));
    test::Programme b;
    ASSERT_TRUE(a.Ouvre(livre));
    b.p.reponses = {Bouton::Oui}; // opened all the same, without the lock
    ASSERT_TRUE(b.Ouvre(livre));
    EXPECT_TRUE(a.f.EmetCourant());
    b.f.FicheCourante = 1;
    b.f.LitFiche();
    EXPECT_TRUE(b.f.EmetCourant());
    // Each entry chained onto the one before, whichever copy wrote it.
    const auto lu = LitRegistre(NomRegistre(livre));
    ASSERT_EQ(lu.Entrees.size(), 2u);
    EXPECT_TRUE(lu.Defauts.empty());
    EXPECT_EQ(lu.Entrees[0].Numero, "202603001");
    EXPECT_EQ(lu.Entrees[1].Numero, "202603002");
    EXPECT_NE(b.f.registre.Emission('F', "202603001"), nullptr);
}

} // namespace
} // namespace kyr
