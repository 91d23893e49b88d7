// The sales journal of a period mixing sales and received invoices: the VAT
// deductible by rate, a received credit note negative, the net VAT, on
// screen's figures, in the CSV and on the printed page.
#include "book/reglages.h"
#include "printing/page_journal.h"
#include "recues/journal_recues.h"
#include "recues/recues_outils.h"
#include "support/surface_enregistree.h"

#include <gtest/gtest.h>

namespace kyr {
namespace {

Reglages ReglagesTest() {
    Reglages r;
    r.Devise = 1;
    r.TauxTVA = {0, 20.0L, 5.5L, 10.0L};
    return r;
}

// Two sales in January 2000: 120,00 + 24,00 VAT and 50,00 + 2,75 VAT.
Lignes LivreDeJanvier() {
    return DecoupeLignes(
        "<BLOC0000>\r\nNUMF200001001\r\n03/01/2000\r\n10002\r\n\r\nFacture\r\n"
        "Garage du Centre\r\n\r\n\r\n\r\nTTCN\r\nFACTPneu\t2\t60,00\t\t120,00\t1\r\n"
        "</BLOC0000>\r\n<BLOC0001>\r\nNUMF200001002\r\n20/01/2000\r\n10003\r\n\r\n"
        "Facture\r\nLibrairie\r\n\r\n\r\n\r\nTTCN\r\nFACTLivres\t1\t50,00\t\t50,00\t2\r\n"
        "</BLOC0001>\r\n");
}

TEST(JournalRecues, TvaDeductibleEtTvaNette) {
    Journal j = LitJournal(LivreDeJanvier(), ReglagesTest());
    ASSERT_EQ(j.Ventes.size(), 2u);
    j.Achats = {
        {QDate(2000, 1, 10), false, {{200000, 10000, 2000}, {55000, 3000, 165}}, {}},
        {QDate(2000, 1, 15), true, {{200000, 1000, 200}}, {}},    // a credit note received
        {QDate(2000, 2, 1), false, {{200000, 50000, 10000}}, {}}, // another period
        {QDate(2000, 1, 12), false, {{200000, 10000, 2000}}, QStringLiteral("doublon")},
    };
    const VueJournal v = Selectionne(j, {QDate(2000, 1, 1), QDate(2000, 1, 31)}, ReglagesTest());
    const TotauxJournal& t = v.Totaux;
    EXPECT_EQ(t.TVA, 2675);
    EXPECT_EQ(t.Deductible, (std::vector<TvaDeductible>{{200000, 9000, 1800}, {55000, 3000, 165}}));
    EXPECT_EQ(t.TVADeductible, 1965);
    EXPECT_EQ(t.TVANette, 710);
    EXPECT_EQ(t.AchatsComptes, 2);
    EXPECT_EQ(t.AchatsEcartes, 1);

    const std::string csv = TexteCSV(v);
    const std::string fin = ";;;TVA déductible 20 %;;90,00;18,00\r\n"
                            ";;;TVA déductible 5,5 %;;30,00;1,65\r\n"
                            ";;;TVA collectée;;;26,75\r\n"
                            ";;;TVA déductible;;;19,65\r\n"
                            ";;;TVA nette = TVA collectée − TVA déductible;;;7,10\r\n";
    EXPECT_NE(csv.find(";;;Reste à payer;;;;196,75\r\n" + fin), std::string::npos) << csv;

    test::SurfaceEnregistree s;
    s.largeurPixels = 2870, s.hauteurPixels = 2000, s.largeurMm = 287, s.hauteurMm = 200;
    DessineJournal(s, v);
    const auto textes = s.Textes();
    const auto contient = [&](const std::string& t) {
        return std::find(textes.begin(), textes.end(), t) != textes.end();
    };
    EXPECT_TRUE(contient("TVA nette = TVA collect\xE9"
                         "e \x96 TVA d\xE9"
                         "ductible"));
    EXPECT_TRUE(contient("TVA d\xE9"
                         "ductible 5,5 %"));
    EXPECT_TRUE(contient("7,10"));
    EXPECT_TRUE(contient("19,65"));

    // Without received invoices the journal is the one it always was.
    j.Achats.clear();
    const VueJournal seul = Selectionne(j, {QDate(2000, 1, 1), QDate(2000, 1, 31)}, ReglagesTest());
    EXPECT_EQ(TexteCSV(seul).find("TVA nette"), std::string::npos);
}

TEST(JournalRecues, DepuisLeRegistreParDateDeFacture) {
    RegistreRecues r;
    const Lecture l = test::Lit(test::Donnee(QStringLiteral("recue_cii.xml")));
    ASSERT_TRUE(l.Facture);
    EntreeRecue e = EntreeDe(*l.Facture, {});
    r.Entrees.push_back(e);
    e.Avoir = true;
    e.Numero = QStringLiteral("AV-1");
    r.Entrees.push_back(e);
    e.Devise = QStringLiteral("USD");
    r.Entrees.push_back(e);
    e.Devise = QStringLiteral("EUR");
    e.Etat = EtatRecue::Doublon;
    r.Entrees.push_back(e);
    Journal j;
    j.Achats = AchatsDuJournal(r);
    ASSERT_EQ(j.Achats.size(), 4u);
    EXPECT_EQ(j.Achats[2].Ecartee, QStringLiteral("en USD"));
    EXPECT_EQ(j.Achats[3].Ecartee, QStringLiteral("doublon"));
    const auto septembre = Selectionne(j, {QDate(2026, 9, 1), QDate(2026, 9, 30)}, Reglages{});
    EXPECT_EQ(septembre.Totaux.TVADeductible, 0); // the invoice and its credit note
    EXPECT_EQ(septembre.Totaux.AchatsComptes, 2);
    EXPECT_EQ(septembre.Totaux.AchatsEcartes, 2);
    EXPECT_EQ(
        Selectionne(j, {QDate(2026, 10, 1), QDate(2026, 10, 31)}, Reglages{}).Totaux.AchatsComptes,
        0);
    EXPECT_TRUE(AchatsDuLivre(QString()).empty());
}

} // namespace
} // namespace kyr
