// The folder beside the book: each file kept byte for byte, the index's
// exact lines, the duplicate rules, nothing lost when a write fails.
#include "common/erreurs.h"
#include "recues/recues_outils.h"
#include "recues/registre.h"
#include "support/dossier_temporaire.h"
#include "support/octets_fichier.h"
#include "support/panne_ecriture.h"

#include <QDir>
#include <gtest/gtest.h>

namespace kyr {
namespace {

using test::Donnee;
using test::OctetsFichier;

const QDateTime Moment(QDate(2026, 9, 12), QTime(10, 30, 5));

Importation ImporteOctets(RegistreRecues& r, const QString& dossier, const QByteArray& octets,
                          const QString& extension = QStringLiteral(".xml")) {
    const Lecture l = test::Lit(octets);
    EXPECT_TRUE(l.Facture) << l.Refus.toStdString();
    return Importe(r, dossier, octets, extension, *l.Facture, Controle(*l.Facture), Moment);
}

TEST(RegistreRecues, DossierAcoteDuLivre) {
    EXPECT_EQ(DossierRecues(QStringLiteral("/a/b/livre.fct")), QStringLiteral("/a/b/livre.recues"));
    EXPECT_EQ(DossierRecues(QStringLiteral("/a/2026.v2.fct")), QStringLiteral("/a/2026.v2.recues"));
}

TEST(RegistreRecues, GardeeOctetPourOctetDejaRecueEtDoublon) {
    test::DossierTemporaire t;
    const QString dossier = t.chemin(QStringLiteral("livre.recues"));
    const QByteArray cii = Donnee(QStringLiteral("recue_cii.xml"));
    RegistreRecues r;

    const Importation a = ImporteOctets(r, dossier, cii);
    EXPECT_EQ(a.Resultat, Issue::Gardee);
    EXPECT_EQ(a.Entree.Fichier, QStringLiteral("552100554_FA-2026-0042.xml"));
    EXPECT_EQ(OctetsFichier(QDir(dossier).filePath(a.Entree.Fichier)), cii.toStdString());
    EXPECT_TRUE(a.Message.contains(QString::fromUtf8("« 森林 » n'ont pas d'équivalent")))
        << a.Message.toStdString();
    // The index, exactly: its heading and one line, the supplier's name
    // with what Windows-1252 lacks written as a character reference.
    EXPECT_EQ(OctetsFichier(QDir(dossier).filePath(NomIndexRecues)),
              "Fichier\tFormat\tProfil\tGenre\tNum\xE9ro\tDate\tIdentifiant\tFournisseur\tDevise\t"
              "HT\tTVA\tTTC\tNet \xE0 payer\t\xC9"
              "ch\xE9"
              "ance\t\xC9tat\tRe\xE7ue le\tTVA par taux\r\n"
              "552100554_FA-2026-0042.xml\tCII\tEN 16931\tFacture\tFA-2026-0042\t10/09/2026\t"
              "552100554\tScierie \x8Cuvre &#x26; Fils \x97 &#x68EE;&#x6797;\tEUR\t160,00\t27,65\t"
              "187,65\t137,65\t10/10/2026\tconforme\t12/09/2026 10:30:05\t"
              "20=130,00/26,00;5,5=30,00/1,65\r\n");

    // The same invoice again, even as its UBL form: nothing stored.
    const Importation b = ImporteOctets(r, dossier, Donnee(QStringLiteral("recue_ubl.xml")));
    EXPECT_EQ(b.Resultat, Issue::DejaRecue);
    EXPECT_TRUE(b.Message.contains(QString::fromUtf8("déjà reçue le 12/09/2026")));
    EXPECT_EQ(QDir(dossier).entryList(QDir::Files).size(), 2);

    // The same number with other figures: kept, under a name of its own, doublon.
    QByteArray autre = cii;
    autre.replace(">20260910<", ">20260911<");
    const Importation c = ImporteOctets(r, dossier, autre);
    EXPECT_EQ(c.Resultat, Issue::Doublon);
    EXPECT_EQ(c.Entree.Etat, EtatRecue::Doublon);
    EXPECT_EQ(c.Entree.Fichier, QStringLiteral("552100554_FA-2026-0042_2.xml"));
    EXPECT_EQ(OctetsFichier(QDir(dossier).filePath(c.Entree.Fichier)), autre.toStdString());
    ASSERT_EQ(r.Entrees.size(), 2u);

    // Read back, the register is the one written.
    const RegistreRecues relu = ChargeRegistre(dossier);
    EXPECT_EQ(relu.Entrees, r.Entrees);
    EXPECT_EQ(relu.Entrees[0].Fournisseur, QString::fromUtf8("Scierie Œuvre & Fils — 森林"));
}

TEST(RegistreRecues, LignesIllisiblesGardeesTellesQuelles) {
    const Lignes lignes = {"ceci n'est pas une ligne d'index",
                           "a.xml\tCII\tEN 16931\tFacture\t1\t01/01/2026\tX\tY\tEUR\t1,00\t0,20\t"
                           "1,20\t1,20\t\tconforme\t01/01/2026 00:00:00\t20=1,00/0,20",
                           "b.xml\tCII\tEN 16931\tFacture\t1\t01/01/2026\tX\tY\tEUR\t1.00\t0,20\t"
                           "1,20\t1,20\t\tconforme\t01/01/2026 00:00:00\t"};
    const RegistreRecues r = LitIndex(lignes);
    ASSERT_EQ(r.Entrees.size(), 1u);
    EXPECT_EQ(r.Entrees[0].Tva, (std::vector<TvaParTaux>{{200000, 100, 20}}));
    EXPECT_EQ(r.Illisibles, (Lignes{lignes[0], lignes[2]}));
    const Lignes ecrites = LignesIndex(r);
    EXPECT_EQ(Lignes(ecrites.begin() + 1, ecrites.end()),
              (Lignes{lignes[1], lignes[0], lignes[2]}));
}

TEST(RegistreRecues, TextesDeLIndexSansRienPerdre) {
    for (const char* t : {"simple", "Œuvre — €", "tab\there", "a&b", "森林 & 🌲", "&#x41;", ""}) {
        const QString s = QString::fromUtf8(t);
        const std::string octets = TexteIndex(s);
        EXPECT_EQ(octets.find_first_of("\t\r\n"), std::string::npos) << t;
        EXPECT_EQ(DepuisTexteIndex(octets), s) << t;
    }
}

TEST(RegistreRecues, EcritureEnPanneRienDePerdu) {
    test::DossierTemporaire t;
    const QString dossier = t.chemin(QStringLiteral("livre.recues"));
    RegistreRecues r;
    ImporteOctets(r, dossier, Donnee(QStringLiteral("recue_cii.xml")));
    const std::string index = OctetsFichier(QDir(dossier).filePath(NomIndexRecues));
    QByteArray autre = Donnee(QStringLiteral("recue_ubl.xml"));
    autre.replace("FA-2026-0042", "FA-2026-0043");
    for (const EtapeEcriture etape : test::EtapesEcriture) {
        SCOPED_TRACE(test::NomEtape(etape));
        RegistreRecues copie = r;
        test::PanneEcritureSimulee panne(etape);
        EXPECT_THROW(ImporteOctets(copie, dossier, autre), ErreurExecution);
        EXPECT_EQ(copie.Entrees, r.Entrees);
        EXPECT_EQ(OctetsFichier(QDir(dossier).filePath(NomIndexRecues)), index);
        EXPECT_EQ(
            OctetsFichier(QDir(dossier).filePath(QStringLiteral("552100554_FA-2026-0042.xml"))),
            Donnee(QStringLiteral("recue_cii.xml")).toStdString());
    }
}

} // namespace
} // namespace kyr
