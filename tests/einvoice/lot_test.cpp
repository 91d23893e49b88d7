// The export of a period's invoices and credit notes: a generated month of a
// few hundred documents (every file valid, the report's counts and reasons),
// and what goes wrong: a folder read-only, full or removed during the run,
// files already there, a run cancelled, an empty period, issuing.
#include "einvoice/lot.h"
#include "einvoice/mois.h"
#include "support/dossier_temporaire.h"
#include "support/octets_fichier.h"
#include "support/validateur_dossier.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

using namespace kyr;
using namespace kyr::test;

namespace {

class Lot : public ::testing::Test {
protected:
    static const MoisTest& Mois() {
        static const MoisTest m = MoisGenere(300);
        return m;
    }
    DossierTemporaire programme; // the program's folder (current)
    QString sortie = programme.chemin("sortie");
    const MoisTest& mois = Mois();
    Vendeur vendeur = VendeurTest();
    LignesSociete societe = DocumentTest().Societe;
    OutilsLot outils;
    std::vector<std::string> emis;
    int fichiersAEmission = -1; // files in the folder when the documents were issued

    void SetUp() override {
        QDir().mkpath(sortie);
        // Issued before any file is written, all at once.
        outils.Emet = [this](const std::vector<RefDocument>& refs) {
            fichiersAEmission = static_cast<int>(Fichiers().size());
            for (const auto& r : refs)
                emis.push_back(r.Numero);
            return std::vector<QString>(refs.size());
        };
    }
    RapportLot Exporte(FormatFE format, const QDate& du = {2026, 9, 1},
                       const QDate& au = {2026, 9, 30}) {
        return ExporteLot({mois.Livre, mois.R, societe, vendeur, mois.Memorises},
                          {du, au, sortie, format}, outils);
    }
    QStringList Fichiers() const {
        return QDir(sortie).entryList(QDir::Files | QDir::Hidden, QDir::Name);
    }
};

const DocumentLot* Document(const RapportLot& r, const std::string& numero) {
    for (const auto& d : r.Documents)
        if (d.Numero.toStdString() == numero && !d.Ecrit) return &d;
    return nullptr;
}

} // namespace

TEST_F(Lot, AMonthInUblEveryFileValidAndTheReportRight) {
    const RapportLot r = Exporte(FormatFE::UBL);
    const int refus = static_cast<int>(mois.Refus.size());
    EXPECT_TRUE(r.Arret.isEmpty()) << r.Arret.toStdString();
    EXPECT_EQ(static_cast<int>(r.Documents.size()), mois.NbExportables + refus);
    EXPECT_EQ(r.Ecrits(), mois.NbExportables) << TexteRapport(r).toStdString();
    EXPECT_EQ(r.NonEcrits(), refus);
    EXPECT_FALSE(r.Complet());
    for (const auto& [numero, raison] : mois.Refus) {
        const DocumentLot* d = Document(r, numero);
        ASSERT_NE(d, nullptr) << numero;
        EXPECT_TRUE(d->Raison.contains(QString::fromUtf8(raison.c_str())))
            << d->Raison.toStdString();
        EXPECT_GE(d->Bloc, 0); // the report opens it
    }
    // One file a document written, named by its kind and number; each issued once.
    const QStringList fichiers = Fichiers();
    EXPECT_EQ(fichiers.size(), mois.NbExportables);
    EXPECT_TRUE(fichiers.contains("Facture 202609001.xml"));
    EXPECT_TRUE(fichiers.contains("Avoir 202609010.xml"));
    EXPECT_EQ(static_cast<int>(emis.size()), mois.NbExportables);
    EXPECT_EQ(fichiersAEmission, 0); // issued before the first file
    const QString texte = TexteRapport(r);
    EXPECT_TRUE(texte.startsWith(QString::fromUtf8("%1 fichiers écrits sur %2 documents (factures "
                                                   "et avoirs) de la période du 01/09/2026 au "
                                                   "30/09/2026, format UBL")
                                     .arg(mois.NbExportables)
                                     .arg(mois.NbExportables + refus)))
        << texte.toStdString();
    EXPECT_TRUE(
        texte.contains(QString::fromUtf8("%1 documents n'ont pu être exportés.").arg(refus)));

    KYR_EXIGE_VALIDATEUR();
    // One file made wrong on purpose (its late payment note taken out) shows
    // that the folder's validation sees what validate.sh sees.
    std::string faux = OctetsFichier(QDir(sortie).filePath("Facture 202609002.xml"));
    const auto note = faux.find("<cbc:Note>#PMD#");
    ASSERT_NE(note, std::string::npos);
    faux.erase(note, faux.find("</cbc:Note>", note) + 11 - note);
    EcritOctets(QDir(sortie).filePath("faux.xml"), faux);
    const VerdictDossier v = ValideDossier(sortie);
    if (v.code == 2 && !SousCI()) GTEST_SKIP() << v.Sortie.toStdString();
    EXPECT_EQ(v.NbFichiers, mois.NbExportables + 1);
    EXPECT_EQ(v.code, 1) << v.Sortie.toStdString();
    ASSERT_EQ(v.Echecs.size(), 1u);
    EXPECT_EQ(v.Echecs.begin()->first, "faux.xml");
    EXPECT_EQ(v.Echecs.begin()->second, QStringList{"BR-FR-05_BT-22-2 [fatal]"});
    for (const auto& [fichier, echecs] : v.Echecs)
        if (fichier != "faux.xml")
            ADD_FAILURE() << fichier.toStdString() << " : " << echecs.join(", ").toStdString();
}

TEST_F(Lot, TheSameMonthInCiiGivesTheSameCounts) {
    const RapportLot r = Exporte(FormatFE::CII);
    EXPECT_EQ(r.Ecrits(), mois.NbExportables);
    EXPECT_EQ(r.NonEcrits(), static_cast<int>(mois.Refus.size()));
    // Factur-X needs the program's page writer: without it, nothing is tried.
    const RapportLot x = Exporte(FormatFE::FacturX);
    EXPECT_EQ(x.Arret, QString::fromUtf8("Le format Factur-X n'est pas disponible ici."));
    EXPECT_EQ(x.Ecrits(), 0);
}

TEST_F(Lot, AFolderThatFailsStopsTheRunAndTheFilesWrittenAreWhole) {
    // (what fails, after how many files, message part)
    struct Cas {
        const char* nom;
        std::function<void()> prepare;
        int avant; // files written before the failure
    };
    int compte = 0;
    const auto apres = [&compte](int n, std::function<bool()> panne) {
        compte = 0;
        SimulePanneEcriture([&compte, n, panne](EtapeEcriture e, const QString&) {
            return e == EtapeEcriture::Creation && ++compte > n && panne();
        });
    };
    const Cas cas[] = {
        // Made read-only, the folder refuses the temporary file (root would not care).
        {"lecture seule", [&] { apres(0, [] { return true; }); }, 0},
        {"disque plein",
         [&] {
             compte = 0;
             SimulePanneEcriture([&compte](EtapeEcriture e, const QString&) {
                 return e == EtapeEcriture::Ecriture && ++compte > 7;
             });
         },
         7},
        {"dossier supprimé",
         [&] { apres(5, [this] { return !QDir(sortie).removeRecursively(); }); }, 5},
    };
    for (const Cas& c : cas) {
        SCOPED_TRACE(c.nom);
        QDir(sortie).removeRecursively();
        QDir().mkpath(sortie);
        emis.clear();
        c.prepare();
        const RapportLot r = Exporte(FormatFE::UBL);
        SimulePanneEcriture({});
        EXPECT_TRUE(r.Arret.startsWith(QString::fromUtf8("Ne peut créer le fichier")))
            << r.Arret.toStdString();
        EXPECT_TRUE(r.Arret.endsWith(QString::fromUtf8("l'exportation s'est arrêtée.")));
        EXPECT_EQ(r.Ecrits(), c.avant);
        // Issued before the folder failed: they stay issued, as a single
        // export whose file could not be written.
        EXPECT_EQ(static_cast<int>(emis.size()), mois.NbExportables);
        // The report says which were written; those are complete, nothing else is there.
        QStringList ecrits;
        for (const auto& d : r.Documents)
            if (d.Ecrit) ecrits << d.Fichier;
        ecrits.sort();
        EXPECT_EQ(Fichiers(), QDir(sortie).exists() ? ecrits : QStringList());
        for (const QString& f : Fichiers())
            EXPECT_TRUE(OctetsFichier(QDir(sortie).filePath(f)).ends_with("</Invoice>\n") ||
                        OctetsFichier(QDir(sortie).filePath(f)).ends_with("</CreditNote>\n"))
                << f.toStdString();
        // The document that failed says why; those not reached are counted
        // in one line, not listed.
        int echoue = 0;
        for (const auto& d : r.Documents)
            echoue += d.Raison.startsWith(QString::fromUtf8("Ne peut créer le fichier"));
        EXPECT_EQ(echoue, 1);
        EXPECT_GT(r.NonTraites(), 200);
        EXPECT_TRUE(TexteRapport(r).contains(
            QString::fromUtf8("%1 documents n'ont pas été exportés : l'exportation s'est "
                              "arrêtée avant eux.")
                .arg(r.NonTraites())));
        EXPECT_FALSE(TexteRapport(r).contains(QString::fromUtf8("avant lui")));
    }
}

TEST_F(Lot, FilesAlreadyThereAreAskedAboutOnceForTheWholeRun) {
    const QDate jour(2026, 9, 1);
    EcritOctets(QDir(sortie).filePath("Facture 202609001.xml"), "ancien");
    EcritOctets(QDir(sortie).filePath("Facture 202609002.xml"), "ancien");
    std::vector<QStringList> vus;
    Remplacement reponse = Remplacement::Annuler;
    outils.Remplace = [&](const QStringList& existants) {
        vus.push_back(existants);
        return reponse;
    };
    const std::pair<Remplacement, std::string> cas[] = {{Remplacement::Annuler, "ancien"},
                                                        {Remplacement::Garder, "ancien"},
                                                        {Remplacement::Remplacer, "<?xml"}};
    for (const auto& [r, debut] : cas) {
        reponse = r;
        const RapportLot rapport = Exporte(FormatFE::UBL, jour, jour);
        EXPECT_EQ(OctetsFichier(QDir(sortie).filePath("Facture 202609001.xml")).substr(0, 5),
                  debut.substr(0, 5));
        if (r == Remplacement::Annuler) {
            EXPECT_EQ(rapport.Ecrits(), 0);
            EXPECT_TRUE(rapport.Arret.contains(QString::fromUtf8("aucun fichier n'a été écrit")));
        } else {
            // Kept, the two are reported (beside the document of no date); replaced, not.
            const int gardes = r == Remplacement::Garder ? 2 : 0;
            EXPECT_EQ(rapport.NonEcrits(), gardes + 1) << TexteRapport(rapport).toStdString();
            EXPECT_EQ(TexteRapport(rapport).contains(
                          QString::fromUtf8("le fichier Facture 202609001.xml est déjà dans le "
                                            "dossier ; il n'a pas été remplacé")),
                      gardes > 0);
        }
    }
    ASSERT_EQ(vus.size(), 3u); // once a run
    EXPECT_EQ(vus[0], QStringList({"Facture 202609001.xml", "Facture 202609002.xml"}));
    EXPECT_EQ(vus[2].size(), 10); // the second run wrote the others
}

TEST_F(Lot, CancelledEmptyPeriodMissingFolderSellerAndIssuing) {
    // Annuler on the progress bar after three documents: three files, the rest reported.
    outils.Progression = [](int fait, int total, const QString& document) {
        EXPECT_GT(total, 0);
        EXPECT_EQ(document.isEmpty(), fait == total);
        return fait < 3;
    };
    RapportLot r = Exporte(FormatFE::CII);
    EXPECT_EQ(r.Arret, QString::fromUtf8("Exportation annulée."));
    EXPECT_EQ(r.Ecrits(), 3);
    EXPECT_EQ(Fichiers().size(), 3);
    outils.Progression = {};

    // A period without invoices says so and writes nothing.
    // The document whose date cannot be read belongs to no period: it is
    // reported with each, as in the sales journal.
    r = Exporte(FormatFE::UBL, {2027, 2, 1}, {2027, 2, 28});
    EXPECT_EQ(r.Ecrits(), 0);
    EXPECT_EQ(r.Documents.size(), 1u);
    EXPECT_FALSE(r.Complet());
    EXPECT_TRUE(TexteRapport(r).startsWith(
        QString::fromUtf8("Aucune facture ni aucun avoir dans la période du 01/02/2027 au "
                          "28/02/2027 : aucun fichier à écrire.\n1 document dont la date est "
                          "illisible n'a pu être exporté.")))
        << TexteRapport(r).toStdString();
    const Lignes vide;
    r = ExporteLot({vide, mois.R, societe, vendeur, mois.Memorises},
                   {{2026, 9, 1}, {2026, 9, 30}, sortie, FormatFE::UBL}, outils);
    EXPECT_TRUE(r.Complet());
    EXPECT_EQ(TexteRapport(r), QString::fromUtf8("Aucune facture ni aucun avoir dans la période "
                                                 "du 01/09/2026 au 30/09/2026 : aucun fichier à "
                                                 "écrire."));

    // A folder that is not there, seller data missing: said once, nothing tried.
    sortie = programme.chemin("absent");
    r = Exporte(FormatFE::UBL);
    EXPECT_EQ(r.Arret, QString::fromUtf8("Le dossier %1 n'existe pas.").arg(sortie));
    EXPECT_EQ(r.Ecrits(), 0);
    sortie = programme.chemin("sortie");
    vendeur.Siren.clear();
    r = Exporte(FormatFE::UBL);
    EXPECT_TRUE(r.Arret.contains("Paramètres > Facturation électronique")) << r.Arret.toStdString();

    // The register refuses a document: it is reported and not written, the
    // others are.
    vendeur = VendeurTest();
    QDir(sortie).removeRecursively();
    QDir().mkpath(sortie);
    emis.clear();
    const QString raison = QString::fromUtf8("La facture n° 202609002 ne peut être émise : essai.");
    outils.Emet = [&](const std::vector<RefDocument>& refs) {
        std::vector<QString> refus(refs.size());
        for (std::size_t i = 0; i < refs.size(); ++i)
            if (refs[i].Numero == "202609002") refus[i] = raison;
        emis.push_back("appel");
        return refus;
    };
    r = Exporte(FormatFE::UBL);
    EXPECT_EQ(emis.size(), 1u); // one issuing for the whole run
    EXPECT_EQ(r.Ecrits(), mois.NbExportables - 1);
    ASSERT_TRUE(Document(r, "202609002"));
    EXPECT_EQ(Document(r, "202609002")->Raison, raison);
    EXPECT_FALSE(QFileInfo::exists(QDir(sortie).filePath("Facture 202609002.xml")));

    // A register that cannot be written: nothing issued, no file written.
    QDir(sortie).removeRecursively();
    QDir().mkpath(sortie);
    outils.Emet = [](const std::vector<RefDocument>&) -> std::vector<QString> {
        throw ErreurExecution::CreationFichier(QStringLiteral("livre.emis"));
    };
    r = Exporte(FormatFE::UBL);
    EXPECT_EQ(r.Ecrits(), 0);
    EXPECT_TRUE(Fichiers().isEmpty());
    EXPECT_TRUE(r.Arret.contains(QString::fromUtf8("aucun document n'a été émis ni exporté")))
        << r.Arret.toStdString();
}
