// The register of issued documents: its bytes, its chain, the checks of a
// book against it, and issuing with its refusals and failed writes.
#include "book/livre_emis.h"
#include "common/erreurs.h"
#include "support/octets_fichier.h"
#include "support/panne_ecriture.h"

#include <QCryptographicHash>
#include <QFile>

namespace kyr::test {
namespace {

std::string Sha(const std::string& s) {
    return QCryptographicHash::hash(QByteArray::fromStdString(s), QCryptographicHash::Sha256)
        .toHex()
        .toStdString();
}

using Registre_ = LivreEmisTest;

TEST_F(Registre_, OctetsDuRegistreEtSaChaine) {
    Ouvre(BlocEmis(0, "202603001"));
    EXPECT_EQ(f.Emet(RefDocument{'F', "202603001"}), QString());
    // Paid two days later, saved that evening.
    p.maintenant = QDateTime(QDate(2026, 3, 12), QTime(16, 40, 5));
    f.ChangePayee(true);
    f.Sauve(livre);
    // A partial credit note: its first line only.
    ASSERT_TRUE(f.CreeAvoir());
    EXPECT_EQ(f.fiche.Numero, "202603002"); // the invoices' series
    f.FocusGrille = true;
    f.SupLigne(2);
    ASSERT_TRUE(f.EmetCourant());
    EXPECT_TRUE(p.messages.empty());

    const std::string lignesFacture = "LIGNE;Vidange\t1\t45,00\t\t1\r\n"
                                      "LIGNE;Filtre\t2\t12,50\t10\t2\r\n";
    const auto fixe = [](const std::string& numero, const std::string& date,
                         const std::string& genre, const std::string& lignes) {
        return Sha("NUMERO;" + numero + "\r\nDATE;" + date + "\r\nCLIENT;10002\r\nGENRE;" + genre +
                   "\r\nADRESSE;Garage du Centre\r\nADRESSE;4 place de la Gare\r\n"
                   "ADRESSE;69002 Lyon\r\nADRESSE;\r\nPRIX;HT\r\n" +
                   lignes);
    };
    const std::string facture = fixe("202603001", "09/03/2026", "Facture", lignesFacture);
    const std::string avoir =
        fixe("202603002", "12/03/2026", "Avoir", "LIGNE;Vidange\t1\t45,00\t\t1\r\n");
    const std::string chiffres = ";10002;67,50;20|45,00|9,00;10|22,50|2,25;5,5|0,00|0,00;78,75;";
    std::vector<std::string> entrees = {
        "10/03/2026;09:15:00;EMISSION;F;202603001;09/03/2026" + chiffres + facture + ";;",
        "12/03/2026;16:40:05;PAYEE;F;202603001;09/03/2026" + chiffres + facture + ";;",
        "12/03/2026;16:40:05;EMISSION;A;202603002;12/03/2026;10002;45,00;20|45,00|9,00;"
        "10|0,00|0,00;5,5|0,00|0,00;54,00;" +
            avoir + ";202603001|09/03/2026;"};
    std::string attendu = "KYR FACTURE;REGISTRE DES DOCUMENTS EMIS;1\r\n";
    std::string chaine(64, '0');
    for (const auto& e : entrees) {
        chaine = Sha(chaine + e);
        attendu += e + chaine + "\r\n";
    }
    attendu += "FIN;3;" + chaine + "\r\n";
    EXPECT_EQ(OctetsFichier(Registre()), attendu);

    // The book on disk holds the credit note the register names.
    const std::string disque = OctetsFichier(livre);
    EXPECT_NE(disque.find("NUMA202603002\r\n"), std::string::npos);
    EXPECT_NE(disque.find("MEMOAvoir sur facture n\xB0 202603001 du 09/03/2026\r\n"),
              std::string::npos);
    EXPECT_TRUE(LitRegistre(Registre()).Defauts.empty());
}

TEST_F(Registre_, UnRegistreChangeSeVoit) {
    Ouvre(
        Concatene({BlocEmis(0, "202603001"), BlocEmis(1, "202603002"), BlocEmis(2, "202603003")}));
    ASSERT_EQ(f.Emet({{'F', "202603001"}, {'F', "202603002"}, {'F', "202603003"}}),
              std::vector<QString>(3));
    EXPECT_EQ(sauvegardes, 1);
    const Lignes intact = *LitFichier(Registre());
    ASSERT_EQ(intact.size(), 5u); // header, three entries, end line

    struct Cas {
        const char* nom;
        std::function<void(Lignes&)> change;
        std::vector<QString> defauts;
    };
    const QString suitPas = QStringLiteral(
        "ligne 3 : l'entrée ne suit pas la précédente (une entrée a été retirée ou changée)");
    const QString finFausse = QStringLiteral(
        "sa ligne de fin ne correspond plus à ses entrées : des entrées ont été retirées ou "
        "changées");
    const QString finManque = QStringLiteral("sa ligne de fin manque : il a été tronqué ou changé");
    const Cas cas[] = {
        {"intact", [](Lignes&) {}, {}},
        {"entrée retirée", [](Lignes& l) { l.erase(l.begin() + 2); }, {suitPas, finFausse}},
        {"montant changé",
         [](Lignes& l) {
             const auto i = l[2].find(";78,75;");
             l[2].replace(i, 7, ";87,75;");
         },
         {suitPas}},
        {"dernière entrée retirée", [](Lignes& l) { l.erase(l.begin() + 3); }, {finFausse}},
        {"tronqué",
         [](Lignes& l) {
             l.resize(4);
             l[3].resize(40);
         },
         {QStringLiteral("ligne 4 : entrée illisible"), finManque}},
        {"vide", [](Lignes& l) { l.clear(); }, {QStringLiteral("il est vide")}},
        {"autre fichier",
         [](Lignes& l) { l[0] = "Liste de courses"; },
         {QStringLiteral("sa première ligne n'est pas celle d'un registre de Kyr Facture"),
          QStringLiteral("ligne 1 : entrée illisible")}},
        {"ajout après la fin",
         [](Lignes& l) { l.push_back("?"); },
         {QStringLiteral("ligne 5 : des lignes suivent sa ligne de fin"),
          QStringLiteral("ligne 6 : entrée illisible"), finManque}},
    };
    for (const Cas& c : cas) {
        Lignes l = intact;
        c.change(l);
        EcritFichier(Registre(), l);
        EXPECT_EQ(LitRegistre(Registre()).Defauts, c.defauts) << c.nom;
    }
}

TEST_F(Registre_, UnRegistreEffaceDepuisLOuvertureEstRefait) {
    Ouvre(Concatene({BlocEmis(0, "202603001"), BlocEmis(1, "202603002")}));
    ASSERT_EQ(f.Emet(RefDocument{'F', "202603001"}), QString());
    QFile::remove(Registre());
    ASSERT_EQ(f.Emet(RefDocument{'F', "202603002"}), QString());
    const LectureRegistre l = LitRegistre(Registre());
    ASSERT_EQ(l.Entrees.size(), 2u);
    EXPECT_EQ(l.Entrees[0].Numero, "202603001");
    EXPECT_TRUE(l.Defauts.empty());
}

TEST_F(Registre_, DocumentChangeOuRetireSignaleALOuverture) {
    const Lignes original =
        Concatene({BlocEmis(0, "202603001"), BlocEmis(1, "202603002"), BlocEmis(2, "202603003")});
    Ouvre(original);
    ASSERT_EQ(f.Emet({{'F', "202603001"}, {'F', "202603002"}, {'F', "202603003"}}),
              std::vector<QString>(3));
    const std::string registre = OctetsFichier(Registre());
    EXPECT_TRUE(p.messages.empty());

    // An old copy: the first invoice for another client, the second gone, the
    // third in its place.
    Lignes ancien = Concatene({BlocEmis(0, "202603001", "Facture", "10005")});
    Lignes troisieme = BlocEmis(1, "202603003");
    ancien.insert(ancien.end(), troisieme.begin(), troisieme.end());
    Ouvre(ancien);
    ASSERT_EQ(p.messages.size(), 1u);
    EXPECT_EQ(p.messages[0],
              QStringLiteral(
                  "Le livre ne correspond plus à son registre des documents émis (livre.emis) :\n"
                  "\n- Facture n° 202603001, émise le 10/03/2026 : modifiée hors du programme "
                  "(client 10002 devenu 10005)."
                  "\n- Facture n° 202603002, émise le 10/03/2026 : absente du livre (supprimée "
                  "ou remplacée hors du programme)."
                  "\n\nRien n'a été changé. Un document émis se corrige par un avoir, jamais en "
                  "le modifiant."));
    // Nothing changed, nothing blocked: the changed invoice is still the issued one.
    EXPECT_EQ(f.Livre, ancien);
    EXPECT_FALSE(f.LivreModifie);
    EXPECT_EQ(OctetsFichier(Registre()), registre);
    EXPECT_TRUE(f.EmissionCourante.has_value());

    // A second document carrying an issued number is not the issued one.
    Lignes double_ = original;
    const Lignes copie = BlocEmis(3, "202603002", "Facture", "10009");
    double_.insert(double_.end(), copie.begin(), copie.end());
    p.messages.clear();
    Ouvre(double_);
    EXPECT_TRUE(p.messages.empty());
    Montre(1);
    EXPECT_TRUE(f.EmissionCourante.has_value());
    Montre(3);
    EXPECT_FALSE(f.EmissionCourante.has_value());

    // The register of another book, and a register cut short.
    const QString autre = dossier.chemin(QStringLiteral("autre.fct"));
    EcritFichier(autre, Concatene({BlocEmis(0, "202604001")}));
    QFile::copy(Registre(), NomRegistre(autre));
    f.Charge(autre);
    ASSERT_EQ(p.messages.size(), 1u);
    EXPECT_TRUE(p.messages[0].contains(QStringLiteral(
        "\n- Aucun des 3 documents qu'il nomme n'est dans ce livre : c'est sans doute le "
        "registre d'un autre livre.\n")))
        << p.messages[0].toStdString();
    Lignes coupe = *LitFichier(Registre());
    coupe.pop_back();
    EcritFichier(Registre(), coupe);
    Ouvre(original);
    ASSERT_EQ(p.messages.size(), 2u);
    EXPECT_TRUE(p.messages[1].contains(QStringLiteral(
        "\n- Le registre lui-même : sa ligne de fin manque : il a été tronqué ou changé.\n")))
        << p.messages[1].toStdString();
}

} // namespace
} // namespace kyr::test
