// The main window's file commands, driven through a scripted platform.
#include "book/facture.h"
#include "book/reglages.h"
#include "common/erreurs.h"
#include "common/texte.h"
#include "shell/coquille.h"
#include "shell/livre_simple.h"
#include "shell/prelecture.h"
#include "support/dossier_temporaire.h"
#include "support/plateforme_fausse.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

namespace kyr {
namespace {

using test::PlateformeFausse;

Lignes Livre(const std::string& client) {
    return test::LivreSimple(client);
}

class CoquilleTest : public ::testing::Test {
protected:
    test::DossierTemporaire dossier;
    PlateformeFausse p;
    Facture f{p};
    Coquille c{f, p};

    QString Ecrit(const QString& nom, const Lignes& lignes) {
        const QString chemin = dossier.chemin(nom);
        EcritFichier(chemin, lignes);
        return chemin;
    }
    void Ouvre(const QString& chemin) {
        p.nomsOuvrir.push_back(chemin);
        c.Ouvrir();
    }
    // An edit of the shown document, as the invoice window's change handlers make it.
    void Edite(const std::string& nom) {
        f.fiche.Adresse[0] = nom;
        f.Modifie();
    }
    QString PremiereQuestion() const {
        return p.questions.empty() ? QString() : p.questions.front().texte;
    }
};

TEST(NomsDeFichier, ExtensionDossierEtType) {
    struct Cas {
        QString nom, normalise, court;
        bool valide;
    };
    const Cas cas[] = {
        {"devis.2000", "devis.fct", "devis.2000", false},
        {"C:\\Mes.docs\\livre", "C:\\Mes.docs\\livre.fct", "livre", false},
        {"/home/mes.docs/livre.a.b", "/home/mes.docs/livre.fct", "livre.a.b", false},
        {"C:/Mes.docs\\sous/livre.fct", "C:/Mes.docs\\sous/livre.fct", "livre.fct", true},
        {"FACTURES.FCT", "FACTURES.fct", "FACTURES.FCT", true},
        {"factures.Fct", "factures.fct", "factures.Fct", true},
        {"factures.txt", "factures.fct", "factures.txt", false},
        {"fct", "fct.fct", "fct", false},
        {"", ".fct", "", false},
    };
    for (const Cas& k : cas) {
        SCOPED_TRACE(k.nom.toStdString());
        EXPECT_EQ(Coquille::NormaliseExtension(k.nom), k.normalise);
        EXPECT_EQ(Coquille::NomSansDossier(k.nom), k.court);
        EXPECT_EQ(Coquille::TypeValide(k.nom), k.valide);
    }
}

TEST_F(CoquilleTest, OuvrirChargeLeLivreEtActiveLesCommandes) {
    const QString a = Ecrit("FACTURES.FCT", Livre("Dupont"));
    Ouvre(a);
    EXPECT_EQ(c.FichierCourant, a);
    EXPECT_TRUE(c.CommandesLivre);
    EXPECT_EQ(f.fiche.Adresse[0], "Dupont");
    EXPECT_EQ(f.NbFiches, 1);
    EXPECT_TRUE(p.messages.empty());
}

TEST_F(CoquilleTest, UneOuvertureRefuseeLaisseLivreEtNomIntacts) {
    const QString a = Ecrit("a.fct", Livre("Dupont"));
    Ecrit("factures.txt", Livre("Martin"));
    Ecrit("mauvais.fct", {"<BLOCxx01>", "</BLOCxx01>"});
    Ouvre(a);
    const Lignes avant = f.Livre;

    struct Cas {
        std::optional<QString> choisi;
        QString message; // empty: no message
        bool erreur;
    };
    const Cas cas[] = {
        {dossier.chemin("factures.txt"), "Type de fichier non valide", false},
        {dossier.chemin("absent.fct"), "Le fichier n'existe pas", false},
        {std::nullopt, "", false},
        {dossier.chemin("mauvais.fct"), "", true},
    };
    for (const Cas& k : cas) {
        SCOPED_TRACE(k.choisi.value_or("(annulé)").toStdString());
        p.messages.clear();
        p.nomsOuvrir.push_back(k.choisi.value_or(QString()));
        if (k.erreur)
            EXPECT_THROW(c.Ouvrir(), ErreurExecution);
        else
            c.Ouvrir();
        EXPECT_EQ(p.messages,
                  k.message.isEmpty() ? std::vector<QString>{} : std::vector<QString>{k.message});
        EXPECT_EQ(c.FichierCourant, a);
        EXPECT_EQ(f.Livre, avant);
        EXPECT_EQ(f.fiche.Adresse[0], "Dupont");
    }
    // A later save still goes to the book's own file.
    Edite("Durand");
    ASSERT_TRUE(c.Enregistrer());
    c.AttendSauvegarde();
    EXPECT_EQ(LitFichier(a)->at(6), "Durand");
    EXPECT_FALSE(FichierExiste(dossier.chemin("absent.fct")));
    EXPECT_EQ(LitFichier(dossier.chemin("factures.txt")), Livre("Martin"));
}

TEST_F(CoquilleTest, InviteDEnregistrementAvantOuvrirEtNouveau) {
    const QString a = Ecrit("livre.fct", Livre("Dupont"));
    const QString b = Ecrit("autre.fct", Livre("Martin"));
    Ouvre(a);

    // Annuler: nothing else happens, the edit stays.
    Edite("Durand");
    p.reponses = {Bouton::Annuler};
    p.nomsOuvrir.push_back(b);
    c.Ouvrir();
    ASSERT_EQ(p.questions.size(), 1u);
    EXPECT_EQ(p.questions[0].titre, "Avertissement");
    EXPECT_EQ(p.questions[0].texte, "Enregistrer changements dans livre.fct ?");
    EXPECT_EQ(p.questions[0].icone, Icone::Avertissement);
    EXPECT_EQ(p.questions[0].boutons,
              (std::vector<Bouton>{Bouton::Oui, Bouton::Non, Bouton::Annuler}));
    EXPECT_EQ(p.nomsOuvrir.size(), 1u); // the open dialog was not shown
    EXPECT_EQ(c.FichierCourant, a);
    EXPECT_TRUE(f.TestModif());

    // Non: the other book is opened, the file keeps its content.
    p.reponses = {Bouton::Non};
    c.Ouvrir();
    EXPECT_EQ(c.FichierCourant, b);
    EXPECT_EQ(LitFichier(a), Livre("Dupont"));

    // Oui before New: saved, then the book is empty and has no name.
    Edite("Bernard");
    p.reponses = {Bouton::Oui};
    c.NouveauLivre();
    EXPECT_EQ(LitFichier(b)->at(6), "Bernard");
    EXPECT_TRUE(c.FichierCourant.isEmpty());
    EXPECT_TRUE(f.Livre.empty());
    EXPECT_EQ(f.NbFiches, 1);

    // An unnamed book: two blanks between "dans" and "?".
    Edite("Petit");
    p.questions.clear();
    p.reponses = {Bouton::Non};
    c.NouveauLivre();
    EXPECT_EQ(PremiereQuestion(), "Enregistrer changements dans  ?");
}

TEST_F(CoquilleTest, UnLivreNeufEnregistreDemandeUnNomEtNormaliseLExtension) {
    c.NouveauLivre();
    f.fiche.CodeClient = "10002";
    f.fiche.Numero = "200103001";
    f.fiche.Cellules[1][0] = "Travaux";
    f.NbLignes = 2;
    Edite("Dupont");
    p.nomsEnregistrer.push_back(dossier.chemin("devis.2000"));
    ASSERT_TRUE(c.Enregistrer());
    c.AttendSauvegarde();
    const QString attendu = dossier.chemin("devis.fct");
    EXPECT_EQ(c.FichierCourant, attendu);
    ASSERT_TRUE(FichierExiste(attendu));
    EXPECT_EQ(LitFichier(attendu)->at(6), "Dupont");
    EXPECT_FALSE(FichierExiste(dossier.chemin("devis.2000")));
    EXPECT_FALSE(f.TestModif());
}

TEST_F(CoquilleTest, EnregistrerSousEcritMemeUnLivreNonModifie) {
    const QString a = Ecrit("a.fct", Livre("Dupont"));
    Ouvre(a);
    ASSERT_FALSE(f.TestModif());
    p.nomsEnregistrer.push_back(dossier.chemin("copie"));
    ASSERT_TRUE(c.EnregistrerSous());
    c.AttendSauvegarde();
    EXPECT_EQ(c.FichierCourant, dossier.chemin("copie.fct"));
    EXPECT_EQ(LitFichier(dossier.chemin("copie.fct")), Livre("Dupont"));
    EXPECT_FALSE(f.TestModif());
}

TEST_F(CoquilleTest, EnregistrerSousSurUnFichierExistant) {
    const QString a = Ecrit("a.fct", Livre("Dupont"));
    const QString b = Ecrit("b.fct", Livre("Martin"));
    Ouvre(a);
    Edite("Durand");

    // Annuler: nothing written, the book has no name any more and stays modified.
    p.nomsEnregistrer.push_back(b);
    p.reponses = {Bouton::Annuler};
    EXPECT_FALSE(c.EnregistrerSous());
    c.AttendSauvegarde();
    EXPECT_EQ(PremiereQuestion(), "Ce fichier existe déjà");
    EXPECT_EQ(p.questions[0].boutons, (std::vector<Bouton>{Bouton::OK, Bouton::Annuler}));
    EXPECT_EQ(LitFichier(b), Livre("Martin"));
    EXPECT_TRUE(c.FichierCourant.isEmpty());
    EXPECT_TRUE(f.TestModif());

    // Cancelled dialog: the same.
    EXPECT_FALSE(c.EnregistrerSous());
    c.AttendSauvegarde();
    EXPECT_TRUE(c.FichierCourant.isEmpty());

    // OK: replaced.
    p.nomsEnregistrer.push_back(b);
    p.reponses = {Bouton::OK};
    EXPECT_TRUE(c.EnregistrerSous());
    c.AttendSauvegarde();
    EXPECT_EQ(c.FichierCourant, b);
    EXPECT_EQ(LitFichier(b)->at(6), "Durand");
    EXPECT_EQ(LitFichier(a), Livre("Dupont"));
}

TEST_F(CoquilleTest, EnregistrerGardeLeNomDuFichierLu) {
    // A name with capitals or several points is the book's own file: saving
    // goes back to it, never to a look-alike.
    const QString a = Ecrit("Livre.2001.FCT", Livre("Dupont"));
    const QString voisin = Ecrit("Livre.fct", Livre("Martin"));
    Ouvre(a);
    Edite("Durand");
    ASSERT_TRUE(c.Enregistrer());
    c.AttendSauvegarde();
    EXPECT_EQ(c.FichierCourant, a);
    EXPECT_EQ(LitFichier(a)->at(6), "Durand");
    EXPECT_EQ(LitFichier(voisin), Livre("Martin"));
}

TEST_F(CoquilleTest, UnEchecDEnregistrementGardeLeLivreEtLeProgramme) {
    QDir(dossier.path()).mkdir("d");
    const QString a = Ecrit("d/a.fct", Livre("Dupont"));
    Ouvre(a);
    Edite("Durand");
    QDir(dossier.chemin("d")).removeRecursively();

    // The error reaches the dispatch; the book stays modified.
    EXPECT_THROW(c.Enregistrer(), ErreurExecution);
    EXPECT_TRUE(f.TestModif());
    EXPECT_EQ(c.FichierCourant, a);

    // Quitting with "&Oui": the error is shown and the program stays open.
    p.reponses = {Bouton::Oui};
    EXPECT_FALSE(c.DemandeFermeture());
    ASSERT_EQ(p.erreurs.size(), 1u);
    EXPECT_EQ(p.erreurs[0], QStringLiteral("Ne peut créer le fichier %1. Le dossier n'existe pas "
                                           "ou n'est plus accessible. Les modifications sont "
                                           "toujours dans la fenêtre : elles ne sont pas "
                                           "enregistrées")
                                .arg(a));
    EXPECT_TRUE(f.TestModif());

    // New with "&Oui" does not throw the book away either.
    p.reponses = {Bouton::Oui};
    EXPECT_THROW(c.NouveauLivre(), ErreurExecution);
    EXPECT_EQ(f.fiche.Adresse[0], "Durand");
    EXPECT_EQ(c.FichierCourant, a);

    // Save As into a folder that does not exist: no name is taken.
    p.nomsEnregistrer.push_back(dossier.chemin("absent/b"));
    EXPECT_THROW(c.EnregistrerSous(), ErreurExecution);
    EXPECT_TRUE(c.FichierCourant.isEmpty());
    EXPECT_TRUE(f.TestModif());
}

TEST_F(CoquilleTest, QuitterAvecUnLivreModifie) {
    const QString a = Ecrit("a.fct", Livre("Dupont"));
    Ouvre(a);
    Edite("Durand");

    p.reponses = {Bouton::Annuler};
    EXPECT_FALSE(c.DemandeFermeture());
    EXPECT_TRUE(f.TestModif());
    EXPECT_EQ(f.fiche.Adresse[0], "Durand");

    // Oui with an unnamed book whose save dialog is cancelled: stays open.
    c.FichierCourant.clear();
    p.reponses = {Bouton::Oui};
    EXPECT_FALSE(c.DemandeFermeture());

    c.FichierCourant = a;
    p.reponses = {Bouton::Non};
    EXPECT_TRUE(c.DemandeFermeture());
    EXPECT_EQ(LitFichier(a), Livre("Dupont"));

    p.reponses = {Bouton::Oui};
    EXPECT_TRUE(c.DemandeFermeture());
    EXPECT_EQ(LitFichier(a)->at(6), "Durand");

    // Nothing modified: no question at all.
    p.questions.clear();
    EXPECT_TRUE(c.DemandeFermeture());
    EXPECT_TRUE(p.questions.empty());
}

class Reglee : public CoquilleTest {
protected:
    // Settings of a previous run remembering `livre`, automatic opening `auto_`.
    void Regle(const QString& livre, int auto_) {
        Reglages r;
        r.OuvertureAuto = auto_;
        SauveIni(r, DepuisQString(livre).value());
        f.Activation();
        c.Demarrage();
    }
    std::string Ligne6() { return LitFichier("KyrFact.ini")->at(5); }
};

TEST_F(Reglee, OuvertureAutomatique) {
    const QString a = Ecrit("a.fct", Livre("Dupont"));
    Regle(a, 1);
    EXPECT_TRUE(c.AutoOuverture());
    EXPECT_EQ(c.FichierCourant, a);
    EXPECT_EQ(f.fiche.Adresse[0], "Dupont");
    EXPECT_TRUE(c.CommandesLivre);
}

TEST_F(Reglee, LeDemarrageRetireLesRestesDEnregistrementsInterrompus) {
    // Saves killed between the naming of their temporary file and its rename,
    // the book's and the settings' (written at exit), and the user's own files.
    const QString a = Ecrit("a.fct", Livre("Dupont"));
    const QString restes[] = {dossier.chemin("a.fct.XJVoWd"), dossier.chemin("KyrFact.ini.QmPzTb")};
    const QString gardes[] = {dossier.chemin("a.fct.sauve"), dossier.chemin("a.fct.Coupee")};
    for (const QString& r : restes)
        EcritFichier(r, Livre("Durand"));
    EcritFichier(gardes[0], Livre("Durand"));
    EcritOctets(gardes[1], "<BLOC0000>\r\nNUM");
    Regle(a, 1);
    ASSERT_EQ(c.FichierCourant, a);
    for (const QString& r : restes)
        EXPECT_FALSE(QFile::exists(r)) << r.toStdString();
    for (const QString& g : gardes)
        EXPECT_TRUE(QFile::exists(g)) << g.toStdString();
    EXPECT_EQ(f.fiche.Adresse[0], "Dupont") << "the book read is the file's";
}

TEST_F(Reglee, SeulLaValeurUnOuvreAutomatiquement) {
    const QString a = Ecrit("a.fct", Livre("Dupont"));
    Regle(a, 2);
    EXPECT_FALSE(c.AutoOuverture());
    EXPECT_TRUE(c.FichierCourant.isEmpty());
    EXPECT_TRUE(f.Livre.empty());
    EXPECT_FALSE(c.CommandesLivre);
    // The name is still remembered at exit, and SetIni is written with it.
    c.SetIni(true);
    ASSERT_TRUE(c.Fermeture());
    EXPECT_EQ(Ligne6(), DepuisQString(a).value());
    EXPECT_EQ(LitFichier("KyrFact.ini")->at(6), "1");
}

TEST_F(Reglee, UnLivreDisparuNEstJamaisRecreeSousSonNom) {
    const QString a = dossier.chemin("disparu.fct");
    Regle(a, 1);
    EXPECT_TRUE(p.messages.empty());
    EXPECT_TRUE(p.erreurs.empty());
    EXPECT_TRUE(c.CommandesLivre);
    EXPECT_TRUE(c.FichierCourant.isEmpty());
    // Saving asks for a name (here cancelled): the remembered file is not created.
    Edite("Dupont");
    EXPECT_FALSE(c.Enregistrer());
    c.AttendSauvegarde();
    EXPECT_FALSE(FichierExiste(a));
    // ... and the name is still remembered for the next start.
    p.reponses = {Bouton::Non};
    ASSERT_TRUE(c.DemandeFermeture());
    ASSERT_TRUE(c.Fermeture());
    EXPECT_EQ(Ligne6(), DepuisQString(a).value());
}

TEST_F(Reglee, LeLivreRetenuALaSortie) {
    const QString a = Ecrit("a.fct", Livre("Dupont"));
    const QString b = Ecrit("b.fct", Livre("Martin"));
    Regle(a, 0);

    // A new book never saved: the remembered book survives.
    c.NouveauLivre();
    ASSERT_TRUE(c.Fermeture());
    EXPECT_EQ(Ligne6(), DepuisQString(a).value());

    // A book opened: it becomes the remembered one.
    Ouvre(b);
    ASSERT_TRUE(c.Fermeture());
    EXPECT_EQ(Ligne6(), DepuisQString(b).value());
}

TEST_F(Reglee, LaSortieRevientAuDossierDeDepart) {
    Regle("", 0);
    const QString depart = QDir::currentPath();
    QDir(dossier.path()).mkdir("ailleurs");
    QDir::setCurrent(dossier.chemin("ailleurs"));
    f.clients.Lignes_ = {"<CLI>10002", "DUPONT", "", "", ""};
    f.clients.ClientsModifies = true;
    f.Glossaire = {"cd\tChez Dupont"};
    f.GlossaireModifie = true;
    ASSERT_TRUE(c.Fermeture());
    EXPECT_EQ(QDir::currentPath(), depart);
    EXPECT_EQ(LitFichier(dossier.chemin("Fact.cli")), f.clients.Lignes_);
    EXPECT_EQ(LitFichier(dossier.chemin("Fact.Glo")), f.Glossaire);
    EXPECT_TRUE(QDir(dossier.chemin("ailleurs")).isEmpty());
}

TEST_F(Reglee, UnEchecDEcritureALaSortieEstMontreEtDemandeConfirmation) {
    Regle("", 0);
    // A folder in place of the settings file: it cannot be written.
    QFile::remove(dossier.chemin("KyrFact.ini"));
    ASSERT_TRUE(QDir(dossier.path()).mkdir("KyrFact.ini"));
    f.clients.Lignes_ = {"<CLI>10002", "DUPONT", "", "", ""};
    f.clients.ClientsModifies = true;

    p.reponses = {Bouton::Non};
    EXPECT_FALSE(c.Fermeture());
    ASSERT_EQ(p.erreurs.size(), 1u);
    EXPECT_TRUE(p.erreurs[0].startsWith("Ne peut créer le fichier"));
    EXPECT_EQ(PremiereQuestion(),
              "Des fichiers n'ont pas pu être enregistrés. Quitter quand même ?");
    // The client file was written all the same.
    EXPECT_EQ(LitFichier(dossier.chemin("Fact.cli")), f.clients.Lignes_);

    p.reponses = {Bouton::Oui};
    EXPECT_TRUE(c.Fermeture());
}

// The remembered book read ahead at start-up: taken once, by the opening of
// that very file, and never when the file changed after it was read.
TEST_F(Reglee, LivreLuDAvance) {
    const QString a = Ecrit("a.fct", Livre("Dupont"));
    Reglages r;
    r.OuvertureAuto = 2;
    SauveIni(r, DepuisQString(a).value());
    EXPECT_TRUE(LivreAOuvrir().isEmpty());
    r.OuvertureAuto = 1;
    SauveIni(r, DepuisQString(a).value());
    ASSERT_EQ(LivreAOuvrir(), a);
    {
        PrelectureLivre avance(a);
        EXPECT_FALSE(avance.Prends(dossier.chemin("b.fct")));
    }
    {
        PrelectureLivre avance(a);
        auto lu = avance.Prends(a);
        ASSERT_TRUE(lu);
        EXPECT_EQ(lu->lignes, LitFichier(a));
        EXPECT_EQ(lu->empreinte, Empreinte(a));
        EXPECT_FALSE(avance.Prends(a));
    }
    // Saved by another copy between the reading and the opening.
    PrelectureLivre avance(a);
    avance.Attends();
    Ecrit("a.fct", Livre("Durand"));
    f.Activation();
    c.Prelecture = &avance;
    c.Demarrage();
    EXPECT_EQ(c.FichierCourant, a);
    EXPECT_EQ(f.fiche.Adresse[0], "Durand");
    // And the copy's check before saving knows the file as it is now.
    Edite("Martin");
    p.reponses.clear();
    EXPECT_TRUE(c.Enregistrer());
    c.AttendSauvegarde();
    EXPECT_TRUE(p.questions.empty());
}

} // namespace
} // namespace kyr

namespace kyr {
namespace {

// Settings that could not be read at start are not replaced by the defaults at
// exit; once the user sets them through the parameters, they are written again.
TEST_F(Reglee, DesReglagesIllisiblesNeSontPasEcrasesALaSortie) {
    Regle("", 0);
    EcritFichier("KyrFact.ini",
                 {" 0.00000000000000E+0000", " 6.55957000000000E+0000", "illisible"});
    const auto avant = LitFichier("KyrFact.ini");
    f.IniIllisible = true;
    ASSERT_TRUE(c.Fermeture());
    EXPECT_EQ(LitFichier("KyrFact.ini"), avant);
    f.SauveIni("");
    EXPECT_FALSE(f.IniIllisible);
    ASSERT_TRUE(c.Fermeture());
    EXPECT_EQ(LitFichier("KyrFact.ini")->size(), 17u);
}

} // namespace
} // namespace kyr
