// Every file the program writes, with each step of the safe writer failing in
// turn: the old file stays as it was, no temporary file is left, the user is
// told in French, and nothing is marked as saved. A new file of the program
// is one more row of the table.
#include "book/facture.h"
#include "book/glossaire.h"
#include "book/liste_clients.h"
#include "book/parametres.h"
#include "common/erreurs.h"
#include "common/texte.h"
#include "einvoice/cii.h"
#include "einvoice/documents.h"
#include "einvoice/export_facturx.h"
#include "einvoice/fichiers_tiers.h"
#include "lists/journal.h"
#include "shell/coquille.h"
#include "shell/livre_simple.h"
#include "support/dossier_temporaire.h"
#include "support/octets_fichier.h"
#include "support/panne_ecriture.h"
#include "shell/programme.h"
#include "utilities/bloc_notes.h"

#include <QDir>
#include <QFile>
#include <functional>
#include <gtest/gtest.h>
#include <unistd.h>

namespace kyr {
namespace {

const std::string Ancien = "ancien contenu\r\n";

// One copy of the program with its book open.
struct Programme : test::Programme {
    explicit Programme(const QString& livre) { Ouvre(livre); }
};

struct Fichier {
    const char* nom;                               // bare name in the folder
    std::function<QString(Programme&)> ecrit;      // the command that writes it; the message seen
    std::function<bool(const Programme&)> aEcrire; // still marked as to be written
    bool gardees = false; // the message says the changes are still in the window
    std::function<void(Programme&)> avant = {};    // what comes first, writes allowed
};

// Bytes put in place as another program would, past the safe writer.
void EcritBrut(const QString& chemin, const std::string& octets) {
    QFile f(chemin);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(octets.data(), static_cast<qint64>(octets.size()));
}

// The electronic invoice of the shown document into facture.pdf, over the
// old file; the widgets' writer draws the page, this one writes the XML, both
// through the safe writer.
QString ExporteFacture(Programme& m) {
    EcritBrut(NomFichierVendeur, JoinLignes(LignesVendeur(test::VendeurTest())));
    m.f.reglages = test::ReglagesEuros();
    m.f.Societe = {"Menuiserie Durand", "12 rue des Artisans", "69003 Lyon"};
    m.f.LitFiche();
    m.p.nomsEnregistrer = {QStringLiteral("facture.pdf")};
    m.p.reponses = {Bouton::OK}; // "Ce fichier existe déjà"
    const auto dialogue = [](const SaisieExport& s) -> std::optional<SaisieExport> {
        SaisieExport r = s;
        r.Ach = test::AcheteurTest();
        return r;
    };
    const auto ecrit = [](const QString& chemin, const FactureElectronique& fe, const Fiche&) {
        const QByteArray xml = EcritCII(fe);
        EcritOctets(chemin,
                    std::string_view(xml.constData(), static_cast<std::size_t>(xml.size())));
    };
    return m.Message([&] { ExporteFacturX(m.f, QString(), dialogue, ecrit); });
}

const Fichier Fichiers[] = {
    {"livre.fct",
     [](Programme& m) {
         m.f.fiche.Adresse[0] = "Durand";
         m.f.Modifie();
         return m.Message([&] { m.f.Sauve(m.c.FichierCourant); });
     },
     [](const Programme& m) { return m.f.TestModif(); }},
    // The same file through the window's command, whose end comes back later:
    // the error is shown then.
    {"livre.fct",
     [](Programme& m) {
         m.f.fiche.Adresse[0] = "Durand";
         m.f.Modifie();
         return m.Message([&] {
             if (m.c.Enregistrer() && m.c.SauvegardeEnCours()) m.p.AttendPostes();
         });
     },
     [](const Programme& m) { return m.f.TestModif(); }, true},
    {"KyrFact.ini",
     [](Programme& m) { return m.Message([&] { AppliqueParF(m.f, std::nullopt); }); },
     [](const Programme&) { return true; }, // written whole each time: nothing is marked
     true},
    {"Fact.cli",
     [](Programme& m) {
         m.f.clients.Lignes_ = {"<CLI>10002", "Durand", "", "", ""};
         m.f.clients.ClientsModifies = true;
         return m.Message([&] { SauveCli(m.f.clients); });
     },
     [](const Programme& m) { return m.f.clients.ClientsModifies; }},
    {"Fact.Glo",
     [](Programme& m) {
         m.f.Glossaire = {"TVA\tTaxe sur la valeur ajoutée"};
         m.f.GlossaireModifie = true;
         m.p.reponses = {Bouton::Non}; // "Quitter quand même ?"
         m.c.Fermeture();
         return m.p.erreurs.empty() ? QString() : m.p.erreurs.back();
     },
     [](const Programme& m) { return m.f.GlossaireModifie; }, true},
    {"Fact.soc",
     [](Programme& m) { return m.Message([&] { AppliquePsoc(m.f, {"Garage Durand"}, true); }); },
     [](const Programme&) { return true; }},
    {"Fact.nte",
     [](Programme& m) { return m.Message([&] { SauveNote(QStringLiteral("Fact.nte"), "note"); }); },
     [](const Programme&) { return true; }},
    {"journal.csv",
     [](Programme& m) {
         const Journal j = LitJournal(m.f.Livre, m.f.reglages);
         const VueJournal v =
             Selectionne(j, {QDate(2001, 1, 1), QDate(2001, 12, 31)}, m.f.reglages);
         return m.Message([&] { ExporteCSV(QStringLiteral("journal.csv"), v); });
     },
     [](const Programme&) { return true; }},
    {"Fact.fxv", [](Programme& m) { return m.Message([&] { SauveVendeur(test::VendeurTest()); }); },
     [](const Programme&) { return true; }},
    {"Fact.fxa",
     [](Programme& m) {
         return m.Message([&] { SauveAcheteurs({{"10002", test::AcheteurTest()}}); });
     },
     [](const Programme&) { return true; }},
    // The register of issued documents, written when the shown invoice first
    // leaves the program.
    {"livre.emis", [](Programme& m) { return m.Message([&] { m.f.EmetCourant(); }); },
     [](const Programme& m) { return !m.f.EmissionCourante; }},
    {"facture.pdf", ExporteFacture,
     // The buyer is remembered only once the file is written.
     [](const Programme&) { return test::OctetsFichier(NomFichierAcheteurs) == Ancien; },
     false,
     // Issued already: the export writes no register.
     [](Programme& m) { m.f.EmetCourant(); }},
};

class EcrituresTest : public ::testing::Test {
protected:
    test::DossierTemporaire dossier;

    // Each file of the table holds Ancien, the book a book.
    void Prepare() {
        for (const Fichier& k : Fichiers)
            if (QString(k.nom) != "livre.fct") EcritOctets(k.nom, Ancien);
        EcritFichier("livre.fct", test::LivreSimple("Dupont"));
    }
    QStringList Contenu() const {
        return QDir(dossier.path())
            .entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
    }
    void Verifie(const Fichier& k, Programme& m, const std::string& avant, const QStringList& liste,
                 const QString& cause) {
        const QString message = k.ecrit(m);
        EXPECT_EQ(message,
                  QStringLiteral("Ne peut créer le fichier %1. %2%3")
                      .arg(QString(k.nom).startsWith("livre.") ? dossier.chemin(k.nom)
                                                               : QString(k.nom),
                           cause, k.gardees ? test::ModificationsGardees : QString()));
        EXPECT_EQ(test::OctetsFichier(dossier.chemin(k.nom)), avant);
        EXPECT_EQ(Contenu(), liste); // no temporary file left behind
        EXPECT_TRUE(k.aEcrire(m));
    }
};

TEST_F(EcrituresTest, ChaqueEtapeQuiEchoueLaisseLAncienFichier) {
    for (const EtapeEcriture etape : test::EtapesEcriture) {
        for (const Fichier& k : Fichiers) {
            SCOPED_TRACE(std::string(k.nom) + ", " + test::NomEtape(etape));
            Prepare();
            Programme m(dossier.chemin("livre.fct"));
            if (k.avant) k.avant(m);
            const std::string avant = test::OctetsFichier(dossier.chemin(k.nom));
            const QStringList liste = Contenu();
            test::PanneEcritureSimulee panne(etape);
            Verifie(k, m, avant, liste, test::CauseEtape(etape));
        }
    }
}

TEST_F(EcrituresTest, SansPanneChaqueFichierEstEcrit) {
    // The same commands do write, so the table above tests real writes.
    for (const Fichier& k : Fichiers) {
        SCOPED_TRACE(k.nom);
        Prepare();
        Programme m(dossier.chemin("livre.fct"));
        if (k.avant) k.avant(m);
        const std::string avant = test::OctetsFichier(dossier.chemin(k.nom));
        EXPECT_EQ(k.ecrit(m), QString());
        EXPECT_NE(test::OctetsFichier(dossier.chemin(k.nom)), avant);
    }
}

TEST_F(EcrituresTest, DossierEnLectureSeule) {
    // The administrator writes anywhere: chmod stops nothing there, and the
    // creation of the temporary file is made to fail instead.
    const bool administrateur = geteuid() == 0;
    for (const Fichier& k : Fichiers) {
        SCOPED_TRACE(k.nom);
        Prepare();
        Programme m(dossier.chemin("livre.fct"));
        if (k.avant) k.avant(m);
        const std::string avant = test::OctetsFichier(dossier.chemin(k.nom));
        const QStringList liste = Contenu();
        const QFile::Permissions droits = QFile::permissions(dossier.path());
        ASSERT_TRUE(QFile::setPermissions(dossier.path(), QFile::ReadOwner | QFile::ExeOwner));
        {
            std::optional<test::PanneEcritureSimulee> panne;
            if (administrateur) panne.emplace(EtapeEcriture::Creation);
            Verifie(k, m, avant, liste, QStringLiteral("Le dossier est en lecture seule"));
        }
        QFile::setPermissions(dossier.path(), droits);
    }
}

} // namespace
} // namespace kyr
