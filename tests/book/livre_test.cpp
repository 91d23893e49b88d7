// Loading, checking, repairing and saving books, on the sample files.
#include "book/bloc.h"
#include "common/erreurs.h"
#include "common/texte.h"
#include "outils_livre.h"
#include "support/panne_ecriture.h"

#include <QFileInfo>

namespace kyr::test {
namespace {

using Livre = LivreTest;

TEST_F(Livre, AllerRetourOctetPourOctet) {
    for (const char* nom :
         {"exemple.fct", "exemple_seul.fct", "fact70.fct", "corps100.fct", "sans_bloc.fct"}) {
        f.Charge(Donnee(nom));
        EXPECT_TRUE(p.questions.empty()) << nom;
        f.LivreModifie = true; // force the write; the shown document is not edited
        const QString copie = dossier.chemin(QStringLiteral("copie.fct"));
        f.Sauve(copie);
        EXPECT_EQ(Octets(copie), Octets(Donnee(nom))) << nom;
        EXPECT_FALSE(f.LivreModifie);
        EXPECT_EQ(f.TitreFenetre, "copie.fct");
    }
}

TEST_F(Livre, ExempleSansModificationPuisDocumentRecrit) {
    const QString nom = Copie("exemple.fct");
    f.Charge(nom);
    EXPECT_EQ(f.NbFiches, 4);
    EXPECT_EQ(f.TitreFenetre, "exemple.fct");
    EXPECT_FALSE(f.LivreModifie);
    f.FicheCourante = 3;
    f.LitFiche();
    EXPECT_EQ(f.fiche.Numero, "200001004");
    const QDateTime avant = QFileInfo(nom).lastModified();
    f.Sauve(nom);
    EXPECT_EQ(Octets(nom), Octets(Donnee("exemple.fct")));
    EXPECT_EQ(QFileInfo(nom).lastModified(), avant);

    // A real edit: block 3 leaves its place and is appended at the end.
    const Lignes avantEdition = f.Livre;
    f.fiche.CodeClient = "10009";
    f.Modifie();
    f.Sauve(nom);
    const Lignes relu = *LitFichier(nom);
    const int debut = ChercheDebut(relu, 3);
    ASSERT_GE(debut, 0);
    EXPECT_EQ(relu.back(), "</BLOC0003>");
    EXPECT_EQ(relu[debut + 3], "10009");
    EXPECT_EQ(relu.size(), avantEdition.size());
    // Everything before the old block is where it was.
    const int ancien = ChercheDebut(avantEdition, 3);
    EXPECT_EQ(Lignes(relu.begin(), relu.begin() + ancien),
              Lignes(avantEdition.begin(), avantEdition.begin() + ancien));
}

TEST_F(Livre, FichierAltereRestaure) {
    struct Cas {
        const char* nom;
        Bouton reponse;
        int nbFiches;
        bool modifie;
    };
    for (const Cas& c :
         {Cas{"sans_fin.fct", Bouton::Non, 1, false}, Cas{"sans_fin.fct", Bouton::Oui, 1, true},
          Cas{"trou.fct", Bouton::Oui, 2, true}, Cas{"trou.fct", Bouton::Non, 3, false}}) {
        p.questions.clear();
        p.reponses = {c.reponse};
        f.Charge(Donnee(c.nom));
        ASSERT_EQ(p.questions.size(), 1u) << c.nom;
        EXPECT_EQ(p.questions[0].titre, "Avertissement");
        EXPECT_EQ(p.questions[0].texte, QStringLiteral("Le fichier a été altéré. Restaurer ?"));
        EXPECT_EQ(p.questions[0].boutons, (std::vector<Bouton>{Bouton::Oui, Bouton::Non}));
        EXPECT_EQ(f.NbFiches, c.nbFiches) << c.nom;
        EXPECT_EQ(f.LivreModifie, c.modifie) << c.nom;
    }
    // The rebuilt gap book keeps blocks 0 and 1 only, nothing around them.
    const Lignes source = *LitFichier(Donnee("trou.fct"));
    p.reponses = {Bouton::Oui};
    f.Charge(Donnee("trou.fct"));
    const int fin1 = Position("</BLOC0001>");
    EXPECT_EQ(f.Livre, Lignes(source.begin(), source.begin() + fin1 + 1));
    // The book whose only block lacks its end line keeps it to the end.
    p.reponses = {Bouton::Oui};
    f.Charge(Donnee("sans_fin.fct"));
    EXPECT_EQ(f.Livre, *LitFichier(Donnee("sans_fin.fct")));
}

// A block without its end line runs to the end of the book in the rebuild, so
// the blocks after it are taken twice.
TEST_F(Livre, ReconstructionDeBlocsQuiSeChevauchent) {
    struct Cas {
        Lignes avant, apres;
    };
    for (const Cas& c : {
             Cas{{"<BLOC0000>", "a", "<BLOC0001>", "b", "</BLOC0001>"},
                 {"<BLOC0000>", "a", "<BLOC0001>", "b", "</BLOC0001>", "<BLOC0001>", "b",
                  "</BLOC0001>"}},
             Cas{{"<BLOC0001>", "x", "</BLOC0001>", " ", "<BLOC0000>", "y"},
                 {"<BLOC0000>", "y", "<BLOC0001>", "x", "</BLOC0001>"}},
             Cas{{"<BLOC0001>", "<BLOC0000>", "</BLOC0000>", "</BLOC0001>", "</BLOC0001>"},
                 {"<BLOC0000>", "</BLOC0000>", "<BLOC0001>", "<BLOC0000>", "</BLOC0000>",
                  "</BLOC0001>"}},
         }) {
        f.Livre = c.avant;
        f.NbFiches = 2;
        p.reponses = {Bouton::Oui};
        f.Verif();
        EXPECT_EQ(f.Livre, c.apres);
        EXPECT_TRUE(f.LivreModifie);
    }
}

TEST_F(Livre, DoublonSupprimeEnSilence) {
    f.Charge(Donnee("doublon.fct"));
    EXPECT_TRUE(p.questions.empty());
    EXPECT_EQ(f.NbFiches, 4);
    EXPECT_FALSE(f.LivreModifie);
    EXPECT_EQ(Position("NUMF200001002"), -1); // the first block 1 went
    f.FicheCourante = 1;
    f.LitFiche();
    EXPECT_EQ(f.fiche.CodeClient, "10009");
    EXPECT_EQ(f.ChercheDebut(3), -1); // the last slot is empty
}

TEST_F(Livre, LignesBlanchesEnTeteRetirees) {
    f.Charge(Donnee("tete_blanche.fct"));
    f.LivreModifie = true;
    const QString nom = dossier.chemin(QStringLiteral("t.fct"));
    f.Sauve(nom);
    EXPECT_EQ(Octets(nom),
              Octets(Donnee("tete_blanche.fct")).mid(10)); // "\r\n   \r\n\t\r\n" dropped

    struct Cas {
        Lignes avant, apres;
    };
    for (const Cas& c :
         {Cas{{" "}, {}}, Cas{{" ", "x"}, {"x"}}, Cas{{"", "\t", "a", "b"}, {"a", "b"}},
          Cas{{"", "", "", "a"}, {"", "a"}}, Cas{{"a", ""}, {"a", ""}}}) {
        f.Livre = c.avant;
        f.Squize();
        EXPECT_EQ(f.Livre, c.apres);
    }
}

TEST_F(Livre, ChargementsSansDocumentOuSansFichier) {
    f.Charge(Donnee("sans_bloc.fct"));
    EXPECT_EQ(f.NbFiches, 0);
    EXPECT_TRUE(p.questions.empty());
    EXPECT_TRUE(f.fiche.CodeClient.empty());

    // The fingerprint returned is the file's, as a separate reading gives it.
    EXPECT_EQ(f.Charge(Donnee("exemple.fct")), Empreinte(Donnee("exemple.fct")));
    const Lignes livre = f.Livre;
    EXPECT_EQ(f.Charge(dossier.chemin(QStringLiteral("absent.fct"))), std::nullopt);
    EXPECT_EQ(f.Livre, livre);
    EXPECT_EQ(f.TitreFenetre, "");
    EXPECT_EQ(f.NbFiches, 4);
}

TEST_F(Livre, NumeroDeBlocIllisibleLaisseToutEnEtat) {
    f.Charge(Donnee("exemple.fct"));
    f.FicheCourante = 1;
    f.LitFiche();
    f.fiche.CodeClient = "99999";
    f.Modifie();
    const Lignes livre = f.Livre;
    try {
        f.Charge(Donnee("mauvais_numero.fct"));
        FAIL() << "no error";
    } catch (const ErreurExecution& e) {
        EXPECT_EQ(e.message(), QStringLiteral("'ab12' n'est pas une valeur entière correcte"));
    }
    EXPECT_EQ(f.Livre, livre);
    EXPECT_EQ(f.NbFiches, 4);
    EXPECT_EQ(f.FicheCourante, 1);
    EXPECT_EQ(f.fiche.CodeClient, "99999");
    EXPECT_TRUE(f.LivreModifie && f.DocumentModifie);
    EXPECT_EQ(f.TitreFenetre, "exemple.fct");
}

TEST_F(Livre, DebutEnMinusculesReconnu) {
    p.reponses = {Bouton::Non}; // "<bloc" is not counted, so the lines do not balance
    f.Charge(Donnee("minuscule.fct"));
    EXPECT_EQ(p.questions.size(), 1u);
    EXPECT_EQ(f.NbFiches, 1);
    f.FicheCourante = 1;
    f.LitFiche();
    EXPECT_EQ(f.fiche.CodeClient, "10003");
}

TEST_F(Livre, EchecDEcritureGardeLeLivreModifie) {
    f.Charge(Donnee("exemple.fct"));
    f.LivreModifie = true;
    const QString nom = dossier.chemin(QStringLiteral("absent/livre.fct"));
    EXPECT_THROW(f.Sauve(nom), ErreurExecution);
    EXPECT_TRUE(f.LivreModifie);
    EXPECT_FALSE(QFileInfo::exists(nom));
}

TEST_F(Livre, UneSauvegardeLanceeSeMontreFaiteEtUnEchecALaFinLaDefait) {
    // The window shows the book saved as soon as its bytes are with the
    // system; a failure of the end (flush to the disk, rename) marks it
    // modified again, with its former caption, the old file intact.
    struct Cas {
        const char* nom;
        std::optional<EtapeEcriture> panne;
    };
    const Cas cas[] = {{"sans panne", std::nullopt},
                       {"vidage", EtapeEcriture::Vidage},
                       {"remplacement", EtapeEcriture::Remplacement}};
    const QString ancien = Copie("exemple.fct");
    for (const Cas& k : cas) {
        SCOPED_TRACE(k.nom);
        f.Charge(ancien);
        const QByteArray avant = Octets(ancien);
        const QString nom = dossier.chemin(QStringLiteral("nouveau.fct"));
        f.Modifie();
        std::optional<SauvegardeLivre> s;
        {
            std::optional<PanneEcritureSimulee> panne;
            if (k.panne) panne.emplace(*k.panne);
            s = f.LanceSauvegarde(nom);
        }
        ASSERT_TRUE(s);
        EXPECT_FALSE(f.LivreModifie);
        EXPECT_FALSE(f.DocumentModifie);
        EXPECT_EQ(f.TitreFenetre, "nouveau.fct");
        EXPECT_FALSE(QFileInfo::exists(nom)); // not in place before the end
        try {
            s->ecriture.Termine();
            EXPECT_FALSE(k.panne);
            EXPECT_EQ(Octets(nom).toStdString(), JoinLignes(f.Livre));
            EXPECT_EQ(Empreinte(nom), s->ecriture.Empreinte());
        } catch (const ErreurExecution& e) {
            EXPECT_TRUE(k.panne);
            EXPECT_EQ(e.message(), "Ne peut créer le fichier " + nom + ". " + CauseEtape(*k.panne));
            f.SauvegardeEchouee(*s);
            EXPECT_TRUE(f.LivreModifie);
            EXPECT_EQ(f.TitreFenetre, "exemple.fct");
            EXPECT_FALSE(QFileInfo::exists(nom));
        }
        EXPECT_EQ(Octets(ancien), avant);
        QFile::remove(nom);
    }
    // Nothing modified: nothing to start.
    f.Charge(ancien);
    EXPECT_FALSE(f.LanceSauvegarde(dossier.chemin(QStringLiteral("nouveau.fct"))));
}

} // namespace
} // namespace kyr::test
