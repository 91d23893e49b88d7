// Saving the book returns once its bytes are with the system; the flush to the
// disk and the rename over the old file end on a worker thread, and their
// outcome comes back to the main thread (the scripted platform's posted
// functions) or to the next command on the book's file, which waits for it.
#include "book/facture.h"
#include "common/texte.h"
#include "shell/coquille.h"
#include "shell/livre_simple.h"
#include "shell/programme.h"
#include "support/dossier_temporaire.h"
#include "support/octets_fichier.h"
#include "support/panne_ecriture.h"

#include <QDir>
#include <QFile>
#include <chrono>
#include <gtest/gtest.h>
#include <thread>

namespace kyr {
namespace {

// The final step held back a moment, then failing or not: a save still
// running when the next command comes.
class FinLente {
public:
    explicit FinLente(std::optional<EtapeEcriture> panne = std::nullopt) {
        SimulePanneEcriture([panne](EtapeEcriture e, const QString&) {
            if (e == EtapeEcriture::Vidage)
                std::this_thread::sleep_for(std::chrono::milliseconds(150));
            return panne && e == *panne;
        });
    }
    ~FinLente() { SimulePanneEcriture({}); }
    FinLente(const FinLente&) = delete;
    FinLente& operator=(const FinLente&) = delete;
};

class EnregistrementTest : public ::testing::Test {
protected:
    test::DossierTemporaire dossier;
    QString livre = dossier.chemin("livre.fct");
    std::string ancien;

    void SetUp() override {
        EcritFichier(livre, test::LivreSimple("Dupont"));
        ancien = test::OctetsFichier(livre);
    }
    QStringList Contenu() const {
        return QDir(dossier.path())
            .entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
    }
    // The safe writer's temporary files ("livre.fct.Ab12Cd"), locks aside.
    QStringList Temporaires() const {
        QStringList t;
        for (const QString& n : Contenu())
            if (n.contains(QStringLiteral(".fct.")) && !n.endsWith(QStringLiteral(".verrou")))
                t << n;
        return t;
    }
    std::string Client(const QString& chemin) const {
        const auto l = LitFichier(chemin);
        return l && l->size() > 6 ? (*l)[6] : std::string("<absent>");
    }
};

TEST_F(EnregistrementTest, UneFinQuiEchoueRendLeLivreModifieEtLeDit) {
    // The disk refuses at the end: the user is told once the outcome is back,
    // the book is to be saved again, the file on disk is the old one.
    struct Cas {
        const char* nom;
        EtapeEcriture etape;
        const char* fichier; // the file the save goes to
        bool sous;           // Save As
        const char* courant; // FichierCourant afterwards ("" for none)
    };
    const Cas cas[] = {
        {"enregistrer, vidage", EtapeEcriture::Vidage, "livre.fct", false, "livre.fct"},
        {"enregistrer, remplacement", EtapeEcriture::Remplacement, "livre.fct", false, "livre.fct"},
        {"sous un nouveau nom", EtapeEcriture::Remplacement, "copie.fct", true, ""},
        {"sous un fichier existant", EtapeEcriture::Vidage, "autre.fct", true, ""},
    };
    for (const Cas& k : cas) {
        SCOPED_TRACE(k.nom);
        test::Programme m;
        ASSERT_TRUE(m.Ouvre(livre));
        const QString cible = dossier.chemin(k.fichier);
        if (QString(k.fichier) == "autre.fct") EcritOctets(cible, "autre\r\n");
        const std::string avant = test::OctetsFichier(cible);
        const QStringList liste = Contenu();
        int rappels = 0;
        m.c.SauvegardeTerminee = [&rappels] { ++rappels; };
        m.Edite("Durand");
        {
            test::PanneEcritureSimulee panne(k.etape);
            if (k.sous) {
                m.p.nomsEnregistrer.push_back(cible);
                if (QString(k.fichier) == "autre.fct") m.p.reponses = {Bouton::OK};
                EXPECT_TRUE(m.c.EnregistrerSous());
                EXPECT_EQ(m.f.TitreFenetre, k.fichier); // shown as saved meanwhile
            } else {
                EXPECT_TRUE(m.c.Enregistrer());
            }
        }
        EXPECT_FALSE(m.f.TestModif());
        ASSERT_TRUE(m.p.AttendPostes());
        ASSERT_EQ(m.p.erreurs.size(), 1u);
        EXPECT_EQ(m.p.erreurs[0],
                  QStringLiteral("Ne peut créer le fichier %1. %2%3")
                      .arg(cible, test::CauseEtape(k.etape), test::ModificationsGardees));
        EXPECT_EQ(rappels, 1);
        EXPECT_TRUE(m.f.TestModif());
        EXPECT_EQ(m.f.TitreFenetre, "livre.fct");
        EXPECT_EQ(m.c.FichierCourant, *k.courant ? dossier.chemin(k.courant) : QString());
        EXPECT_EQ(test::OctetsFichier(cible), avant);
        EXPECT_EQ(Contenu(), liste); // no temporary file, no lock left for the new name
        EXPECT_FALSE(m.c.SauvegardeEnCours());

        // Saved again without a fault: no question about a change by another program.
        m.c.FichierCourant = livre;
        EXPECT_TRUE(m.c.Enregistrer());
        m.c.AttendSauvegarde();
        EXPECT_EQ(Client(livre), "Durand");
        EXPECT_TRUE(m.p.questions.size() <= 1u); // only "Ce fichier existe déjà"
        QFile::remove(dossier.chemin("autre.fct"));
        EcritFichier(livre, test::LivreSimple("Dupont"));
    }
}

TEST_F(EnregistrementTest, LesCommandesAttendentUneSauvegardeEnCours) {
    // Every command on the book's file waits for the running save first: its
    // outcome is the book's state the command starts from.
    struct Cas {
        const char* nom;
        std::function<void(test::Programme&)> commande;
    };
    const Cas cas[] = {
        {"Enregistrer", [](test::Programme& m) { m.c.Enregistrer(); }},
        {"Enregistrer sous",
         [this](test::Programme& m) {
             m.p.nomsEnregistrer.push_back(dossier.chemin("copie.fct"));
             m.c.EnregistrerSous();
             m.c.AttendSauvegarde(); // its own save, held back too
         }},
        {"Ouvrir",
         [this](test::Programme& m) {
             m.p.nomsOuvrir.push_back(livre);
             m.c.Ouvrir();
         }},
        {"Nouveau", [](test::Programme& m) { m.c.NouveauLivre(); }},
        {"Quitter",
         [](test::Programme& m) {
             EXPECT_TRUE(m.c.DemandeFermeture());
             EXPECT_TRUE(m.c.Fermeture());
         }},
        {"Fermeture seule", [](test::Programme& m) { EXPECT_TRUE(m.c.Fermeture()); }},
    };
    for (const Cas& k : cas) {
        SCOPED_TRACE(k.nom);
        EcritFichier(livre, test::LivreSimple("Dupont"));
        QFile::remove(dossier.chemin("copie.fct"));
        test::Programme m;
        ASSERT_TRUE(m.Ouvre(livre));
        m.Edite("Durand");
        {
            FinLente lente;
            ASSERT_TRUE(m.c.Enregistrer());
            EXPECT_TRUE(m.c.SauvegardeEnCours());
            k.commande(m);
        }
        EXPECT_FALSE(m.c.SauvegardeEnCours());
        EXPECT_EQ(Client(livre), "Durand");
        EXPECT_TRUE(m.p.erreurs.empty());
        EXPECT_TRUE(m.p.questions.empty()); // no "modifié par un autre programme"
        EXPECT_GE(m.p.ExecutePostes(), 1);  // the late result changes nothing
        EXPECT_TRUE(m.p.erreurs.empty());
        EXPECT_EQ(Temporaires(), QStringList());
    }
}

TEST_F(EnregistrementTest, UneSauvegardeEnCoursQuiEchoueArreteLaCommandeSuivante) {
    // The running save fails: the next command stops with its error and the
    // book still in memory, marked modified; nothing is thrown away.
    struct Cas {
        const char* nom;
        std::function<bool(test::Programme&)> commande; // true: went on
    };
    const Cas cas[] = {
        {"Enregistrer", [](test::Programme& m) { return m.c.Enregistrer(); }},
        {"Ouvrir",
         [this](test::Programme& m) {
             m.p.nomsOuvrir.push_back(livre);
             return m.c.Ouvrir();
         }},
        {"Nouveau",
         [](test::Programme& m) {
             m.c.NouveauLivre();
             return m.c.FichierCourant.isEmpty();
         }},
        {"Quitter", [](test::Programme& m) { return m.c.DemandeFermeture(); }},
        {"Fermeture seule", [](test::Programme& m) { return m.c.Fermeture(); }},
    };
    for (const Cas& k : cas) {
        SCOPED_TRACE(k.nom);
        EcritFichier(livre, test::LivreSimple("Dupont"));
        test::Programme m;
        ASSERT_TRUE(m.Ouvre(livre));
        m.Edite("Durand");
        const QString message = [&] {
            FinLente lente(EtapeEcriture::Remplacement);
            EXPECT_TRUE(m.c.Enregistrer());
            return m.Message([&] { EXPECT_FALSE(k.commande(m)); });
        }();
        EXPECT_EQ(message, QStringLiteral("Ne peut créer le fichier %1. %2%3")
                               .arg(livre, test::CauseEtape(EtapeEcriture::Remplacement),
                                    test::ModificationsGardees));
        EXPECT_TRUE(m.f.TestModif());
        EXPECT_EQ(m.f.fiche.Adresse[0], "Durand");
        EXPECT_EQ(m.c.FichierCourant, livre);
        EXPECT_EQ(test::OctetsFichier(livre), ancien);
        EXPECT_TRUE(m.p.questions.empty());

        // The next save writes it.
        EXPECT_TRUE(m.c.Enregistrer());
        m.c.AttendSauvegarde();
        EXPECT_EQ(Client(livre), "Durand");
    }
}

TEST_F(EnregistrementTest, DeuxSauvegardesDeSuiteEcriventLaDerniere) {
    test::Programme m;
    ASSERT_TRUE(m.Ouvre(livre));
    FinLente lente;
    m.Edite("Durand");
    ASSERT_TRUE(m.c.Enregistrer());
    m.Edite("Martin"); // edited while the first save is on its way to the disk
    EXPECT_TRUE(m.f.TestModif());
    ASSERT_TRUE(m.c.Enregistrer());
    m.c.AttendSauvegarde();
    EXPECT_EQ(Client(livre), "Martin");
    EXPECT_FALSE(m.f.TestModif());
    EXPECT_TRUE(m.p.questions.empty());
    EXPECT_TRUE(m.p.erreurs.empty());
    // Both results come back late and change nothing.
    m.p.ExecutePostes();
    EXPECT_FALSE(m.f.TestModif());
    EXPECT_TRUE(m.p.erreurs.empty());
}

TEST_F(EnregistrementTest, UnAutreProgrammeQuiChangeLeFichierEstToujoursVu) {
    // The fingerprint kept after a save is that of the bytes written: another
    // program's change since is seen, this copy's own save is not a change.
    struct Cas {
        const char* nom;
        std::function<void()> autre; // what another program does once the save is on disk
        bool question;
    };
    const Cas cas[] = {
        {"rien", [] {}, false},
        {"mêmes octets récrits", [this] { EcritOctets(livre, test::OctetsFichier(livre)); }, false},
        {"même taille, un octet changé",
         [this] {
             std::string o = test::OctetsFichier(livre);
             o[o.find("Durand")] = 'T';
             EcritOctets(livre, o);
         },
         true},
        {"autre taille", [this] { EcritFichier(livre, test::LivreSimple("Martin")); }, true},
    };
    for (const Cas& k : cas) {
        SCOPED_TRACE(k.nom);
        EcritFichier(livre, test::LivreSimple("Dupont"));
        test::Programme m;
        ASSERT_TRUE(m.Ouvre(livre));
        m.Edite("Durand");
        ASSERT_TRUE(m.c.Enregistrer());
        ASSERT_TRUE(m.p.AttendPostes()); // the outcome came back to the window
        k.autre();
        const std::string autre = test::OctetsFichier(livre);
        m.Edite("Durand SA");
        m.p.reponses = {Bouton::Annuler};
        EXPECT_EQ(m.c.Enregistrer(), !k.question);
        EXPECT_EQ(m.p.questions.size(), k.question ? 1u : 0u);
        m.c.AttendSauvegarde();
        if (k.question)
            EXPECT_EQ(test::OctetsFichier(livre), autre); // "Annuler": left as it is
        else
            EXPECT_EQ(Client(livre), "Durand SA");
    }
}

TEST_F(EnregistrementTest, UnResultatArriveApresLaFinDuProgrammeNeFaitRien) {
    test::PlateformeFausse p;
    {
        Facture f(p);
        Coquille c(f, p);
        p.nomsOuvrir.push_back(livre);
        ASSERT_TRUE(c.Ouvrir());
        f.fiche.Adresse[0] = "Durand";
        f.Modifie();
        FinLente lente;
        ASSERT_TRUE(c.Enregistrer());
    } // the logic goes: its save is finished first
    EXPECT_EQ(Client(livre), "Durand");
    EXPECT_EQ(p.ExecutePostes(), 1);
    EXPECT_TRUE(p.erreurs.empty());
}

} // namespace
} // namespace kyr
