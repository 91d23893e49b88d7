// kyrfact --verifier: its report and its exit code.
#include "recues/recues_outils.h"
#include "recues/verification.h"
#include "support/dossier_temporaire.h"

#include <QFile>
#include <cstdio>
#include <gtest/gtest.h>

namespace kyr {
namespace {

struct Sortie {
    int code = 0;
    std::string texte, erreurs;
};

std::string Lit(std::FILE* f) {
    std::rewind(f);
    std::string r;
    char tampon[4096];
    for (std::size_t n; (n = std::fread(tampon, 1, sizeof tampon, f)) > 0;)
        r.append(tampon, n);
    std::fclose(f);
    return r;
}

Sortie Lance(const std::vector<std::string>& fichiers) {
    std::FILE* s = std::tmpfile();
    std::FILE* e = std::tmpfile();
    Sortie r;
    r.code = Verifie(fichiers, s, e, DossierModules());
    r.texte = Lit(s);
    r.erreurs = Lit(e);
    return r;
}

void Ecrit(const QString& chemin, const QByteArray& octets) {
    QFile f(chemin);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(octets);
}

TEST(Verifier, RapportEtCodeDeSortie) {
    test::DossierTemporaire d;
    Ecrit(QStringLiteral("bonne.xml"), test::Donnee(QStringLiteral("recue_ubl.xml")));
    QByteArray fausse = test::Donnee(QStringLiteral("recue_cii.xml"));
    fausse.replace(">187.65<", ">187.66<");
    Ecrit(QStringLiteral("fausse.xml"), fausse);
    Ecrit(QStringLiteral("facture.pdf"),
          test::PdfAvecPieces({{"factur-x.xml", test::Donnee(QStringLiteral("recue_cii.xml"))}}));
    Ecrit(QStringLiteral("texte.txt"), "Bonjour");

    const std::string bonne = "bonne.xml :\n"
                              "  Format : UBL, profil EN 16931\n"
                              "  Facture n° FA-2026-0042 du 10/09/2026\n"
                              "  Vendeur : Scierie Œuvre & Fils — 森林\n"
                              "  Total TTC : 187,65 EUR\n"
                              "  Montant à payer : 137,65 EUR\n"
                              "  Contrôles de Kyr Facture : aucun écart\n";
    Sortie s = Lance({"bonne.xml", "facture.pdf"});
    EXPECT_EQ(s.code, 0);
    EXPECT_EQ(s.texte.substr(0, bonne.size()), bonne);
    EXPECT_NE(s.texte.find("facture.pdf :\n  Format : Factur-X, profil EN 16931\n"),
              std::string::npos);

    s = Lance({"bonne.xml", "fausse.xml"});
    EXPECT_EQ(s.code, 1);
    EXPECT_NE(s.texte.find("  Total TTC : 187,66 EUR\n  Montant à payer : 137,65 EUR\n"
                           "  Contrôles de Kyr Facture : 2 écarts\n"
                           "    [BR-CO-15] Total TVA comprise (BT-112) : hors TVA + TVA donne "
                           "187,65, la facture porte 187,66\n"
                           "    [BR-CO-16] Montant à payer (BT-115) : TTC − déjà payé + arrondi "
                           "donne 137,66, la facture porte 137,65\n"),
              std::string::npos)
        << s.texte;

    s = Lance({"texte.txt", "absent.xml"});
    EXPECT_EQ(s.code, 1);
    EXPECT_EQ(s.texte, "texte.txt :\n  Refusé : Ce fichier n'est ni un PDF ni un fichier XML.\n"
                       "absent.xml :\n  Refusé : Le fichier « absent.xml » n'existe pas.\n");

    s = Lance({});
    EXPECT_EQ(s.code, 2);
    EXPECT_EQ(s.erreurs, "Usage : kyrfact --verifier FICHIER...\n");

    // With the company's seller file here, the buyer is told, not counted.
    Ecrit(QStringLiteral("Fact.fxv"), "siren=552100554\r\n");
    s = Lance({"bonne.xml"});
    EXPECT_EQ(s.code, 0);
    EXPECT_NE(s.texte.find("  Destinataire : [KF-ACHETEUR] Cette facture n'est pas adressée à "
                           "votre entreprise\n"),
              std::string::npos);
    Ecrit(QStringLiteral("Fact.fxv"), "siren=732829320\r\n");
    EXPECT_NE(Lance({"bonne.xml"}).texte.find("  Destinataire : votre entreprise\n"),
              std::string::npos);
}

} // namespace
} // namespace kyr
