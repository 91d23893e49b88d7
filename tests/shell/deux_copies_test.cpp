// Two copies of the program on one book: the lock beside an open book and the
// check, before saving, that nobody changed the file since it was read. Two
// pairs of the invoice window's logic and the file commands stand for the two
// copies; QLockFile sees a lock of the same process as held.
#include "book/facture.h"
#include "common/texte.h"
#include "shell/coquille.h"
#include "shell/livre_simple.h"
#include "support/dossier_temporaire.h"
#include "support/octets_fichier.h"
#include "shell/programme.h"

#include <QFile>
#include <QSysInfo>
#include <gtest/gtest.h>

namespace kyr {
namespace {

using Copie = test::Programme;

class DeuxCopiesTest : public ::testing::Test {
protected:
    test::DossierTemporaire dossier;
    Copie a, b;
    QString livre = dossier.chemin("livre.fct");

    void SetUp() override { EcritFichier(livre, test::LivreSimple("Dupont")); }
    std::string Client() const {
        const auto l = LitFichier(livre);
        return l && l->size() > 6 ? (*l)[6] : std::string("<absent>");
    }
};

TEST_F(DeuxCopiesTest, UnLivreOuvertAilleursLeDitAvantDeLOuvrir) {
    ASSERT_TRUE(a.Ouvre(livre));
    EXPECT_TRUE(a.c.TientVerrou());
    EXPECT_TRUE(QFile::exists(Coquille::NomVerrou(livre)));
    EXPECT_TRUE(a.p.questions.empty());

    // "&Non": nothing is opened, the empty book stays as it was.
    b.p.reponses = {Bouton::Non};
    EXPECT_FALSE(b.Ouvre(livre));
    EXPECT_EQ(b.Question(), QStringLiteral("Le livre livre.fct est déjà ouvert dans une autre "
                                           "copie de Kyr Facture.\nL'ouvrir quand même ?"));
    EXPECT_TRUE(b.c.FichierCourant.isEmpty());
    EXPECT_EQ(b.f.NbFiches, 0);

    // "&Oui": opened, without the lock, which the first copy keeps.
    b.p.reponses = {Bouton::Oui};
    EXPECT_TRUE(b.Ouvre(livre));
    EXPECT_EQ(b.f.fiche.Adresse[0], "Dupont");
    EXPECT_FALSE(b.c.TientVerrou());
    EXPECT_TRUE(a.c.TientVerrou());

    // Reopening its own book asks nothing.
    EXPECT_TRUE(a.Ouvre(livre));
    EXPECT_EQ(a.p.questions.size(), 0u);
}

TEST_F(DeuxCopiesTest, LeVerrouSuitLeLivreOuvert) {
    ASSERT_TRUE(a.Ouvre(livre));
    // A new book gives the file free.
    a.c.NouveauLivre();
    EXPECT_FALSE(a.c.TientVerrou());
    EXPECT_FALSE(QFile::exists(Coquille::NomVerrou(livre)));
    EXPECT_TRUE(b.Ouvre(livre));
    EXPECT_TRUE(b.p.questions.empty());

    // Closing the program gives it free as well.
    ASSERT_TRUE(b.c.Fermeture());
    EXPECT_FALSE(QFile::exists(Coquille::NomVerrou(livre)));
    EXPECT_TRUE(a.Ouvre(livre));
    EXPECT_TRUE(a.p.questions.empty());

    // Opening another book moves the lock to it.
    const QString autre = dossier.chemin("autre.fct");
    EcritFichier(autre, test::LivreSimple("Martin"));
    EXPECT_TRUE(a.Ouvre(autre));
    EXPECT_FALSE(QFile::exists(Coquille::NomVerrou(livre)));
    EXPECT_TRUE(QFile::exists(Coquille::NomVerrou(autre)));
}

TEST_F(DeuxCopiesTest, UnVerrouDontLeProgrammeNeTournePlusEstRepris) {
    // What a copy that stopped without closing leaves: the lock of a process
    // that no longer exists on this computer.
    QFile verrou(Coquille::NomVerrou(livre));
    ASSERT_TRUE(verrou.open(QIODevice::WriteOnly));
    verrou.write("2147483600\nkyrfact\n" + QSysInfo::machineHostName().toUtf8() + "\n");
    verrou.close();

    EXPECT_TRUE(a.Ouvre(livre));
    EXPECT_TRUE(a.p.questions.empty());
    EXPECT_TRUE(a.c.TientVerrou());
}

TEST_F(DeuxCopiesTest, EnregistrerSurUnFichierChangeDepuisSonOuverture) {
    struct Cas {
        const char* nom;
        std::deque<Bouton> reponses;
        std::deque<QString> nomsEnregistrer;
        bool enregistre;        // what Enregistrer answers
        std::string surLivre;   // the client the book file holds afterwards
        QString fichierCourant; // relative to the folder
        bool modifie;
    };
    const Cas cas[] = {
        {"Annuler", {Bouton::Annuler}, {}, false, "Martin", "livre.fct", true},
        {"remplacer", {Bouton::Oui}, {}, true, "Durand", "livre.fct", false},
        {"sous un autre nom", {Bouton::Non}, {"copie"}, true, "Martin", "copie.fct", false},
        {"autre nom abandonné", {Bouton::Non}, {QString()}, false, "Martin", "livre.fct", true},
    };
    for (const Cas& k : cas) {
        SCOPED_TRACE(k.nom);
        EcritFichier(livre, test::LivreSimple("Dupont"));
        Copie un, deux;
        ASSERT_TRUE(un.Ouvre(livre));
        deux.p.reponses = {Bouton::Oui};
        ASSERT_TRUE(deux.Ouvre(livre));

        // The second copy saves first: the first one must not lose it silently.
        deux.Edite("Martin");
        ASSERT_TRUE(deux.c.Enregistrer());
        deux.c.AttendSauvegarde();
        EXPECT_TRUE(deux.p.questions.size() == 1u);
        un.Edite("Durand");
        un.p.reponses = k.reponses;
        for (const QString& n : k.nomsEnregistrer)
            un.p.nomsEnregistrer.push_back(n.isNull() ? n : dossier.chemin(n));
        EXPECT_EQ(un.c.Enregistrer(), k.enregistre);
        un.c.AttendSauvegarde();
        ASSERT_EQ(un.p.questions.size(), 1u);
        EXPECT_EQ(un.Question(),
                  QStringLiteral("Le fichier livre.fct a été modifié par un autre programme depuis "
                                 "son ouverture.\nLe remplacer par le livre affiché ?\n\n"
                                 "« Non » l'enregistre sous un autre nom."));
        EXPECT_EQ(Client(), k.surLivre);
        EXPECT_EQ(un.c.FichierCourant, dossier.chemin(k.fichierCourant));
        EXPECT_EQ(un.f.TestModif(), k.modifie);
        EXPECT_EQ(un.f.fiche.Adresse[0], "Durand");
        QFile::remove(dossier.chemin("copie.fct"));
    }
}

TEST_F(DeuxCopiesTest, SesPropresEnregistrementsNeSontPasDesChangements) {
    ASSERT_TRUE(a.Ouvre(livre));
    a.Edite("Durand");
    ASSERT_TRUE(a.c.Enregistrer()); // the next save waits for this one's end
    a.Edite("Durand et fils");
    ASSERT_TRUE(a.c.Enregistrer());
    a.c.AttendSauvegarde();
    // Same bytes written again by someone else (a synchronised folder): nothing lost.
    const std::string octets = test::OctetsFichier(livre);
    EcritOctets(livre, octets);
    a.Edite("Durand SA");
    ASSERT_TRUE(a.c.Enregistrer());
    a.c.AttendSauvegarde();
    // Removed meanwhile: saving puts it back.
    QFile::remove(livre);
    a.Edite("Durand SARL");
    ASSERT_TRUE(a.c.Enregistrer());
    a.c.AttendSauvegarde();
    EXPECT_TRUE(a.p.questions.empty());
    EXPECT_EQ(Client(), "Durand SARL");
}

TEST_F(DeuxCopiesTest, LeVerrouEstPrisAuPremierEnregistrementQuandIlEstLibre) {
    ASSERT_TRUE(a.Ouvre(livre));
    b.p.reponses = {Bouton::Oui};
    ASSERT_TRUE(b.Ouvre(livre));
    ASSERT_TRUE(a.c.Fermeture());
    b.Edite("Martin");
    ASSERT_TRUE(b.c.Enregistrer());
    b.c.AttendSauvegarde();
    EXPECT_TRUE(b.c.TientVerrou());
}

TEST_F(DeuxCopiesTest, EnregistrerSousUnLivreOuvertAilleurs) {
    ASSERT_TRUE(a.Ouvre(livre));
    const QString autre = dossier.chemin("autre.fct");
    EcritFichier(autre, test::LivreSimple("Dupont"));
    ASSERT_TRUE(b.Ouvre(autre));
    b.Edite("Martin");
    // "Ce fichier existe déjà", then the other copy's lock.
    b.p.nomsEnregistrer = {livre, livre};
    b.p.reponses = {Bouton::OK, Bouton::Non};
    EXPECT_FALSE(b.c.EnregistrerSous());
    b.c.AttendSauvegarde();
    EXPECT_EQ(b.Question(), QStringLiteral("Le livre livre.fct est ouvert dans une autre copie de "
                                           "Kyr Facture.\nLe remplacer quand même ?"));
    EXPECT_EQ(Client(), "Dupont");
    EXPECT_TRUE(b.f.TestModif());

    b.p.reponses = {Bouton::Non}; // not saved: the book is left as it is
    ASSERT_TRUE(b.Ouvre(autre));
    b.Edite("Martin");
    ASSERT_TRUE(b.c.TientVerrou());
    b.p.nomsEnregistrer = {livre};
    b.p.reponses = {Bouton::OK, Bouton::Oui};
    EXPECT_TRUE(b.c.EnregistrerSous());
    b.c.AttendSauvegarde();
    EXPECT_EQ(Client(), "Martin");
    EXPECT_FALSE(b.c.TientVerrou());
    EXPECT_FALSE(QFile::exists(Coquille::NomVerrou(autre)));
}

} // namespace
} // namespace kyr
