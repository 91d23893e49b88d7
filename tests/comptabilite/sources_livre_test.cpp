// What the accounts take from beside a book on disk: the register's payment
// dates (the last change of the paid mark holds), each document's nature from
// the documents' file else the seller's framework, and the received invoices
// as purchases (doublons and other currencies left out, credit notes turned
// positive, rates down to 1/100 percent).
#include "comptabilite/sources_livre.h"
#include "einvoice/fichiers_tiers.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace kyr {
namespace {

EntreeRegistre Evt(Evenement quoi, char genre, const char* numero, const char* quand) {
    EntreeRegistre e;
    e.Moment = QDateTime::fromString(QString::fromLatin1(quand), QStringLiteral("dd/MM/yyyy"));
    e.Quoi = quoi;
    e.Genre = genre;
    e.Numero = numero;
    e.DateDocument = "01/04/2026";
    e.CodeClient = "10001";
    e.HT = "100,00";
    e.TTC = "120,00";
    return e;
}

EntreeRecue Recue(const char* numero, EtatRecue etat, const char* devise, bool avoir, Centimes ht,
                  Centimes tva, std::int64_t taux) {
    EntreeRecue e;
    e.Fichier = QString::fromLatin1(numero) + QStringLiteral(".xml");
    e.Numero = QString::fromLatin1(numero);
    e.Date = QDate(2026, 4, 2);
    e.IdFournisseur = QStringLiteral("123456782");
    e.Fournisseur = QStringLiteral("Fourniture ŒUVRE Ł");
    e.Devise = QString::fromLatin1(devise);
    e.Etat = etat;
    e.Avoir = avoir;
    e.HT = ht;
    e.TVA = tva;
    e.TTC = ht + tva;
    e.Tva = {{taux, ht, tva}};
    return e;
}

TEST(SourcesDuLivre, RegistreDocumentsEtFacturesRecues) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString livre = dir.filePath(QStringLiteral("livre.fct"));

    Registre emis;
    emis.Charge(livre);
    emis.Ajoute(livre, {Evt(Evenement::Emission, 'F', "202604001", "01/04/2026"),
                        Evt(Evenement::Payee, 'F', "202604001", "05/04/2026"),
                        Evt(Evenement::NonPayee, 'F', "202604001", "06/04/2026"),
                        Evt(Evenement::Payee, 'F', "202604001", "12/05/2026"),
                        Evt(Evenement::Emission, 'A', "202604002", "02/04/2026"),
                        Evt(Evenement::Payee, 'A', "202604002", "03/04/2026"),
                        Evt(Evenement::Emission, 'F', "202604003", "02/04/2026"),
                        Evt(Evenement::Payee, 'F', "202604003", "03/04/2026"),
                        Evt(Evenement::NonPayee, 'F', "202604003", "04/04/2026")});

    DonneesDocuments docs;
    docs["F 202604001"].Nature = Cadre::Biens;
    docs["A 202604002"].Nature = Cadre::Mixte;
    SauveDonneesDocuments(docs, CheminDonneesDocuments(livre));

    RegistreRecues recues;
    recues.Entrees = {Recue("R1", EtatRecue::Conforme, "EUR", false, 10000, 2000, 200000),
                      Recue("R2", EtatRecue::Doublon, "EUR", false, 10000, 2000, 200000),
                      Recue("R3", EtatRecue::AVerifier, "USD", false, 10000, 2000, 200000),
                      Recue("R4", EtatRecue::AVerifier, "EUR", true, -5000, -275, 55000)};
    ASSERT_TRUE(QDir().mkpath(DossierRecues(livre)));
    EcritFichier(DossierRecues(livre) + QStringLiteral("/") + NomIndexRecues, LignesIndex(recues));

    Vendeur vendeur;
    vendeur.CadreFacturation = Cadre::Services;
    vendeur.OptionDebits = true;
    const SourcesCompta s = SourcesDuLivre(livre, emis, vendeur);

    EXPECT_TRUE(s.OptionDebits);
    ASSERT_TRUE(s.Encaissements);
    const std::map<CleVente, QDate> attendus{
        {{SorteVente::Facture, "202604001"}, QDate(2026, 5, 12)},
        {{SorteVente::Avoir, "202604002"}, QDate(2026, 4, 3)}};
    EXPECT_EQ(*s.Encaissements, attendus);

    const struct {
        SorteVente sorte;
        const char* numero;
        NatureOperation nature;
    } natures[] = {{SorteVente::Facture, "202604001", NatureOperation::Biens},
                   {SorteVente::Avoir, "202604002", NatureOperation::Mixte},
                   {SorteVente::Facture, "202604002", NatureOperation::Services},
                   {SorteVente::Facture, "202604003", NatureOperation::Services}};
    for (const auto& n : natures) {
        VenteJournal v;
        v.Sorte = n.sorte;
        v.Numero = n.numero;
        EXPECT_EQ(NatureDe(s, v), n.nature) << n.numero;
    }

    ASSERT_EQ(s.Achats.size(), 2u);
    EXPECT_EQ(s.Achats[0].Numero, "R1");
    EXPECT_EQ(s.Achats[0].NomFournisseur, "Fourniture \x8CUVRE &#x141;");
    EXPECT_EQ(s.Achats[0].ParTaux.size(), 1u);
    EXPECT_EQ(s.Achats[0].ParTaux[0].Taux, 2000);
    EXPECT_EQ(s.Achats[1].Numero, "R4");
    EXPECT_TRUE(s.Achats[1].Avoir);
    EXPECT_EQ(s.Achats[1].HT, 5000);
    EXPECT_EQ(s.Achats[1].TTC, 5275);
    EXPECT_EQ(s.Achats[1].ParTaux[0].Taux, 550);
    EXPECT_EQ(s.Achats[1].ParTaux[0].TVA, 275);
}

TEST(SourcesDuLivre, SansRegistreNiFichierAucuneDateDePaiement) {
    Registre vide;
    Vendeur vendeur;
    vendeur.CadreFacturation = Cadre::Biens;
    const SourcesCompta s = SourcesDuLivre(QString(), vide, vendeur);
    EXPECT_FALSE(s.Encaissements);
    EXPECT_TRUE(s.Achats.empty());
    EXPECT_EQ(NatureDe(s, VenteJournal{}), NatureOperation::Biens);
}

} // namespace
} // namespace kyr
