// The seller's and the buyers' files: what is written reads back the same,
// damaged or missing files never lose what is known, failed writes keep the
// old file.
#include "einvoice/documents.h"
#include "einvoice/fichiers_tiers.h"
#include "common/erreurs.h"
#include "support/dossier_temporaire.h"

#include <QFile>
#include <gtest/gtest.h>

using namespace kyr;
using namespace kyr::test;

namespace {

QByteArray Octets(const QString& chemin) {
    QFile f(chemin);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}
void Ecrit(const QString& chemin, const QByteArray& octets) {
    QFile f(chemin);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(octets);
}

} // namespace

TEST(FichiersTiers, WhatIsWrittenReadsBackTheSame) {
    DossierTemporaire dossier;
    std::vector<Vendeur> vendeurs = {VendeurTest(), VendeurNeuf()};
    vendeurs[0].NotePenalites =
        "Taux = 3 x l'int\xE9r\xEAt l\xE9gal ; 40 \x80"; // "=" and the euro sign
    vendeurs[0].Franchise = true;
    vendeurs[0].CadreFacturation = Cadre::Biens;
    for (const auto& v : vendeurs) {
        SauveVendeur(v);
        Vendeur lu;
        lu.CadreFacturation = Cadre::Mixte;
        ASSERT_TRUE(ChargeVendeur(lu));
        EXPECT_EQ(lu, v);
    }
    EXPECT_TRUE(Octets(NomFichierVendeur).startsWith("siren=\r\nsiret=\r\n"));

    Acheteurs a;
    a["10002"] = AcheteurTest();
    a["10007"] =
        AcheteurDepuisAdresse({"Mme Claire Martin", "8 rue Victor Hugo", "69006 Lyon", ""});
    a["10007"].Professionnel = false;
    SauveAcheteurs(a);
    Acheteurs lus;
    ASSERT_TRUE(ChargeAcheteurs(lus));
    EXPECT_EQ(lus, a);

    // Codes taken from a book as they stand: the file holds each client once
    // under a name it reads back, and written again it gives the same bytes.
    struct Cas {
        std::vector<std::string> codes;
        std::vector<std::string> relus;
    };
    const Cas cas[] = {
        {{"a=b", "[x]"}, {"[x]", "a=b"}}, // "=" and brackets in a code
        {{"a\x01"
          "b",
          "a\x02"
          "b",
          "c\td"},
         {"a b", "c d"}}, // control characters: blanks
        {{"a\x03"
          "2",
          "a\x0F"
          "1"},
         {"a 1", "a 2"}},           // in the order of the codes written
        {{"", "10002"}, {"10002"}}, // an empty code names no one
    };
    for (const Cas& c : cas) {
        Acheteurs avant;
        for (const auto& code : c.codes)
            avant[code] = AcheteurTest();
        SauveAcheteurs(avant);
        const QByteArray premier = Octets(NomFichierAcheteurs);
        Acheteurs relus;
        ChargeAcheteurs(relus);
        std::vector<std::string> codes;
        for (const auto& [code, acheteur] : relus) {
            codes.push_back(code);
            EXPECT_EQ(acheteur, AcheteurTest()) << code;
        }
        EXPECT_EQ(codes, c.relus);
        SauveAcheteurs(relus);
        EXPECT_EQ(Octets(NomFichierAcheteurs), premier);
    }

    // A line end typed into a field never splits the record.
    Vendeur v = VendeurTest();
    v.Rue = "12 rue\r\nsiren=000";
    SauveVendeur(v);
    Vendeur lu;
    ChargeVendeur(lu);
    EXPECT_EQ(lu.Rue, "12 rue  siren=000");
    EXPECT_EQ(lu.Siren, v.Siren);
}

TEST(FichiersTiers, MissingOrDamagedFilesAndFailedWrites) {
    DossierTemporaire dossier;
    Vendeur v = VendeurTest();
    EXPECT_FALSE(ChargeVendeur(v)); // no file: nothing changes
    EXPECT_EQ(v, VendeurTest());
    Acheteurs a{{"10002", AcheteurTest()}};
    EXPECT_FALSE(ChargeAcheteurs(a));
    EXPECT_EQ(a.size(), 1u);

    // Damaged: unknown keys, lines without "=", binary bytes, values outside the
    // lists; what can be read is read, the rest keeps its value.
    const char abime[] = "siren=552100554\r\n\x01\x02\xff garbage\r\ncadre=autre\r\n"
                         "franchise=oui\r\ninconnu=1\nsiret=55210055400013";
    Ecrit(NomFichierVendeur, QByteArray(abime, sizeof abime - 1));
    v = VendeurTest();
    ASSERT_TRUE(ChargeVendeur(v));
    EXPECT_EQ(v.Siren, "552100554");
    EXPECT_EQ(v.Siret, "55210055400013");
    EXPECT_EQ(v.CadreFacturation, VendeurTest().CadreFacturation);
    EXPECT_FALSE(v.Franchise);
    EXPECT_EQ(v.Iban, VendeurTest().Iban);

    Ecrit(NomFichierAcheteurs, "nom=sans client\r\n[10003]\r\nnom=Boulangerie Martin\r\n[]\r\n"
                               "professionnel=0\r\n[10004\r\nnom=X\r\n");
    Acheteurs lus;
    ASSERT_TRUE(ChargeAcheteurs(lus));
    ASSERT_EQ(lus.count("10003"), 1u);
    EXPECT_EQ(lus["10003"].Nom, "Boulangerie Martin");
    EXPECT_EQ(lus.size(), 1u); // "[]" and "[10004" open no client; their lines are dropped

    // Both files go through the safe writer: a write that cannot happen says so.
    for (const auto& ecrit : std::vector<std::function<void()>>{
             [] { SauveVendeur(VendeurTest(), QStringLiteral("manque/Fact.fxv")); },
             [] { SauveAcheteurs({}, QStringLiteral("manque/Fact.fxa")); }}) {
        try {
            ecrit();
            ADD_FAILURE() << "pas d'erreur";
        } catch (const ErreurExecution& e) {
            EXPECT_TRUE(e.message().startsWith(QStringLiteral("Ne peut créer le fichier manque/")));
        }
    }
}

TEST(FichiersTiers, TheOptionForDebitsIsANewKeyThatOldFilesDoNotNeed) {
    DossierTemporaire dossier;
    // A file written before the option existed reads without it and is
    // written back byte for byte.
    SauveVendeur(VendeurTest());
    const QByteArray ancien = Octets(NomFichierVendeur);
    EXPECT_FALSE(ancien.contains("debits"));
    Vendeur v;
    ASSERT_TRUE(ChargeVendeur(v));
    EXPECT_FALSE(v.OptionDebits);
    SauveVendeur(v);
    EXPECT_EQ(Octets(NomFichierVendeur), ancien);

    v.OptionDebits = true;
    SauveVendeur(v);
    EXPECT_EQ(Octets(NomFichierVendeur), ancien + "debits=1\r\n");
    Vendeur lu;
    ASSERT_TRUE(ChargeVendeur(lu));
    EXPECT_EQ(lu, v);
}

TEST(FichiersTiers, TheDocumentsFileBesideTheBook) {
    DossierTemporaire dossier;
    const std::pair<QString, QString> chemins[] = {
        {"/data/compta/livre.fct", "/data/compta/livre.fxd"},
        {"/data/2026.livre.FCT", "/data/2026.livre.fxd"},
        {"", ""}, // a book without a file has none
    };
    for (const auto& [livre, attendu] : chemins)
        EXPECT_EQ(CheminDonneesDocuments(livre), attendu) << livre.toStdString();

    const auto cle = [](const std::string& genre, const std::string& numero) {
        Fiche f;
        f.Genre = genre;
        f.Numero = numero;
        return CleDocument(f);
    };
    EXPECT_EQ(cle(GenreFacture, "202603001"), "F 202603001");
    EXPECT_EQ(cle(GenreAvoir, "202603001"), "A 202603001"); // one number, two documents
    EXPECT_EQ(cle("", " 202603002 "), "F 202603002");
    EXPECT_EQ(cle(GenreDevis, "202603001"), "");
    EXPECT_EQ(cle(GenreFacture, "         "), "");

    DonneesDocuments d;
    d["F 202603001"] = {
        Cadre::Biens, AdresseLivraison{"Chantier Dupont", "3 rue du Port", "69007", "Lyon", "FR"}};
    d["A 202603002"] = {Cadre::Mixte, std::nullopt};
    d["F 202603003"] = {}; // nothing to keep: not written
    const QString chemin = dossier.chemin("livre.fxd");
    SauveDonneesDocuments(d, chemin);
    EXPECT_EQ(Octets(chemin), "[A 202603002]\r\nnature=mixte\r\n"
                              "[F 202603001]\r\nnature=biens\r\nlivraison_nom=Chantier Dupont\r\n"
                              "livraison_rue=3 rue du Port\r\nlivraison_code_postal=69007\r\n"
                              "livraison_ville=Lyon\r\nlivraison_pays=FR\r\n");
    DonneesDocuments lus;
    ASSERT_TRUE(ChargeDonneesDocuments(lus, chemin));
    d.erase("F 202603003");
    EXPECT_EQ(lus, d);

    // Damaged: lines outside a document, unknown keys and natures are passed over.
    Ecrit(chemin, "nature=biens\r\n[F 1]\r\nnature=autre\r\nlivraison_ville=Lyon\r\n"
                  "\x01\xff\r\n[]\r\nnature=biens\r\n");
    lus.clear();
    ASSERT_TRUE(ChargeDonneesDocuments(lus, chemin));
    ASSERT_EQ(lus.size(), 1u);
    EXPECT_FALSE(lus["F 1"].Nature);
    ASSERT_TRUE(lus["F 1"].Livraison);
    EXPECT_EQ(lus["F 1"].Livraison->Ville, "Lyon");
    EXPECT_FALSE(ChargeDonneesDocuments(lus, dossier.chemin("autre.fxd")));
}
