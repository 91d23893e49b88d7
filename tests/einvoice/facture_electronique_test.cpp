// The e-invoice built from a document: its figures by the EN 16931 rules,
// what it takes from the document, and every refusal with what to change.
#include "einvoice/cii.h"
#include "einvoice/documents.h"

#include <gtest/gtest.h>

using namespace kyr;
using namespace kyr::test;

namespace {

FactureElectronique Fe(const std::variant<FactureElectronique, Refus>& r) {
    if (std::holds_alternative<Refus>(r)) {
        ADD_FAILURE() << std::get<Refus>(r).Message.toStdString();
        return {};
    }
    return std::get<FactureElectronique>(r);
}

DocumentTest Document(const std::string& nom) {
    for (auto& d : DocumentsTest())
        if (d.Nom == nom) return d;
    ADD_FAILURE() << nom;
    return {};
}

// The date of the delivery or service: the one asked, else the document's.
TEST(FactureElectronique, DeliveryDateInTheXml) {
    for (const auto& d : DocumentsTest()) {
        const QDate livraison = d.Autres.Livraison.isValid() ? d.Autres.Livraison : d.F.Date;
        const QByteArray attendu = "<ram:ActualDeliverySupplyChainEvent><ram:OccurrenceDateTime>"
                                   "<udt:DateTimeString format=\"102\">" +
                                   livraison.toString(QStringLiteral("yyyyMMdd")).toLatin1();
        EXPECT_TRUE(QByteArray(EcritCII(Fe(d.Construit())))
                        .replace('\n', "")
                        .replace(' ', "")
                        .contains(QByteArray(attendu).replace(' ', "")))
            << d.Nom;
    }
}

} // namespace

TEST(FactureElectronique, TotalsOfEveryTestDocumentAddUpAndMatchTheWindow) {
    // (document, lines, total H.T., VAT, TTC, due) in cents
    const std::vector<std::tuple<std::string, std::size_t, Centimes, Centimes, Centimes, Centimes>>
        attendus = {
            {"exemple", 2, 6750, 1350, 8100, 0},
            {"ttc", 4, 11329, 1348, 12677, 12677},
            {"remises", 5, 0, 0, 0, -1},
            {"avoir", 1, 3299, 660, 3959, 3959},
            {"payee", 2, 9325, 1865, 11190, 0},
            {"lignes63", 63, 0, 0, 0, -1},
            {"particulier", 1, 5454, 545, 5999, 5999},
            {"franchise", 2, 15280, 0, 15280, 15280},
        };
    for (const auto& [nom, n, ht, tva, ttc, du] : attendus) {
        const DocumentTest d = Document(nom);
        const FactureElectronique fe = Fe(d.Construit());
        ASSERT_EQ(fe.Lignes.size(), n) << nom;
        if (du >= 0) {
            EXPECT_EQ(fe.TotalLignes, ht) << nom;
            EXPECT_EQ(fe.TotalTVA, tva) << nom;
            EXPECT_EQ(fe.TotalTTC, ttc) << nom;
            EXPECT_EQ(fe.NetAPayer, du) << nom;
        }
        // The rules themselves: lines add up to each rate's base, each VAT is
        // its base times its rate rounded once, the totals agree.
        Centimes lignes = 0, bases = 0, tvas = 0;
        for (const auto& l : fe.Lignes) {
            lignes += l.Montant;
            EXPECT_EQ(l.Brut - l.MontantRemise, l.Montant) << nom << " ligne " << l.Numero;
            EXPECT_GE(l.PrixNet, 0);
        }
        for (const auto& t : fe.Tva) {
            Centimes somme = 0;
            for (const auto& l : fe.Lignes)
                if (l.Taux == t.Taux && l.Cat == t.Cat) somme += l.Montant;
            EXPECT_EQ(t.Base, somme) << nom;
            EXPECT_EQ(t.Montant, t.Cat == Categorie::Normale
                                     ? DiviseArrondi(__int128(t.Base) * t.Taux, 10000)
                                     : 0);
            bases += t.Base;
            tvas += t.Montant;
        }
        EXPECT_EQ(lignes, fe.TotalLignes) << nom;
        EXPECT_EQ(bases, fe.TotalLignes) << nom;
        EXPECT_EQ(tvas, fe.TotalTVA) << nom;
        EXPECT_EQ(fe.TotalTTC, fe.TotalLignes + fe.TotalTVA) << nom;
        EXPECT_EQ(fe.NetAPayer, d.F.Payee ? 0 : fe.TotalTTC) << nom;
        // These documents round alike line by line and as a whole.
        if (nom != "lignes63" && nom != "remises" && nom != "particulier") {
            EXPECT_TRUE(fe.Ecarts.empty()) << nom;
        }
    }
}

TEST(FactureElectronique, WhatItTakesFromTheDocument) {
    const FactureElectronique exemple = Fe(Document("exemple").Construit());
    EXPECT_EQ(exemple.Numero, "200001004");
    EXPECT_EQ(exemple.Date, QDate(2000, 1, 15));
    EXPECT_TRUE(exemple.Payee);
    EXPECT_EQ(exemple.DejaPaye, 8100);
    EXPECT_EQ(exemple.Lignes[1].Designation, "Filtre \xE0 huile");
    EXPECT_EQ(exemple.Lignes[1].Quantite, 20000);
    EXPECT_EQ(exemple.Lignes[1].PrixNet, 12'500'000); // 12,50 in millionths
    EXPECT_EQ(exemple.Lignes[1].Brut, 2500);
    EXPECT_EQ(exemple.Lignes[1].MontantRemise, 250);
    EXPECT_EQ(exemple.Notes, std::vector<std::string>{"Merci de votre confiance"}); // the memo

    // Text rows describe the priced line above them; before any, they are notes.
    DocumentTest d = Document("remises");
    d.F.Cellules[6] = {"Ch\xEAne massif, classe A", "", "", "", "", ""};
    d.F.Cellules[7] = {"Livr\xE9 sur chantier", "", "", "", "", ""};
    const FactureElectronique fe = Fe(d.Construit());
    EXPECT_EQ(fe.Lignes.back().Description, "Ch\xEAne massif, classe A\nLivr\xE9 sur chantier");
    // A negative line keeps a price without sign and a negative quantity.
    EXPECT_EQ(fe.Lignes[4].Quantite, -10000);
    EXPECT_EQ(fe.Lignes[4].PrixNet, 50'000'000);
    EXPECT_EQ(fe.Lignes[4].Montant, -5000);

    // Including tax: each line's share before tax, the rate's base taken whole.
    const FactureElectronique ttc = Fe(Document("ttc").Construit());
    EXPECT_EQ(ttc.Lignes[2].Montant, 833);  // 9,99 at 20 %
    EXPECT_EQ(ttc.Lignes[3].Montant, 1619); // 19,43 at 20 %
    EXPECT_EQ(ttc.Tva.size(), 3u);
}

TEST(FactureElectronique, ACentOfDifferenceWithTheWindowIsReported) {
    // 60,00 including 10 %: no amount before tax gives 60,00 back with its VAT;
    // the lower of the two nearest totals is taken.
    const FactureElectronique particulier = Fe(Document("particulier").Construit());
    ASSERT_EQ(particulier.Ecarts.size(), 2u);
    EXPECT_EQ(particulier.Ecarts[1].Libelle, QStringLiteral("Total TTC"));
    EXPECT_EQ(particulier.Ecarts[1].Regle, 5999);
    EXPECT_EQ(particulier.Ecarts[1].Fenetre, 6000);

    // Two lines of half a cent: one cent each by line, one in all in the window.
    const Reglages r = ReglagesEuros();
    DocumentTest d = Document("exemple");
    d.F =
        FicheTest("202601012", QDate(2026, 9, 25),
                  {{"Clou", "0,5", "0,01", "", "", "1"}, {"Clou", "0,5", "0,01", "", "", "1"}}, r);
    d.Autres.Echeance = QDate(2026, 10, 25);
    const FactureElectronique fe = Fe(d.Construit());
    ASSERT_EQ(fe.Ecarts.size(), 2u);
    EXPECT_EQ(fe.Ecarts[0].Libelle, QStringLiteral("Total H.T."));
    EXPECT_EQ(fe.Ecarts[0].Regle, 2);
    EXPECT_EQ(fe.Ecarts[0].Fenetre, 1);
    EXPECT_EQ(fe.Ecarts[1].Libelle, QStringLiteral("Total TTC"));
    // The page carries the rules' totals, not the window's.
    const Fiche page = FicheDeLaPage(d.F, r, fe, Largeur7);
    EXPECT_EQ(page.TotalHT, "0,02");
    EXPECT_EQ(page.TotalTTC, "0,02");
    EXPECT_EQ(page.TotalConverti, "0,13"); // 0,02 euro in francs
}

TEST(FactureElectronique, RefusesWhatNoValidEInvoiceCanCarry) {
    using Changement = std::function<void(DocumentTest&)>;
    const std::vector<std::pair<Changement, std::string>> cas = {
        {[](DocumentTest& d) { d.F.Genre = GenreDevis; }, "Un devis n'est pas une facture"},
        {[](DocumentTest& d) { d.R.Devise = 0; }, "tenu en francs"},
        {[](DocumentTest& d) { d.R.TauxTVA[1] = 20.6L; }, "20,6 % (taux 1) n'est pas en vigueur"},
        {[](DocumentTest& d) { d.R.TauxTVA[1] = 19.6L; }, "19,6 % (taux 1)"},
        {[](DocumentTest& d) { d.Vend.Siren.clear(); },
         "Paramètres > Facturation électronique :\nSIREN : Le SIREN est obligatoire"},
        {[](DocumentTest& d) { d.Vend.NumeroTVA.clear(); }, "Numéro de TVA : il est obligatoire"},
        {[](DocumentTest& d) { d.Vend.NoteEscompte.clear(); }, "Mention de l'escompte"},
        {[](DocumentTest& d) { d.Vend.Iban = "FR7630006000011234567890188"; }, "IBAN : Cet IBAN"},
        {[](DocumentTest& d) { d.Societe[0].clear(); }, "Paramètres > Société"},
        {[](DocumentTest& d) {
             for (int r = 1; r <= DerniereRangee; ++r)
                 d.F.Cellules[r] = {};
         },
         "aucune ligne chiffrée"},
        {[](DocumentTest& d) {
             d.F.Cellules[1] = {"Titre seul", "", "", "", "", ""};
             d.F.Cellules[2] = {};
         },
         "aucune ligne chiffrée"},
        {[](DocumentTest& d) { d.F.Cellules[1][1] = "2.5"; }, "Ligne 1 : la quantité, le prix"},
        {[](DocumentTest& d) { d.F.Cellules[2][3] = "dix"; }, "Ligne 2 :"},
        {[](DocumentTest& d) { d.F.Cellules[1][1] = "1,23456"; }, "quatre décimales"},
        {[](DocumentTest& d) { d.Vend.Franchise = true; }, "franchise de TVA"},
        {[](DocumentTest& d) { d.Ach.Siren.clear(); }, "acheteur sont incomplètes :\nSIREN"},
        {[](DocumentTest& d) { d.Ach.AdresseElectronique = "999999999"; },
         "commence par son SIREN"},
        {[](DocumentTest& d) { d.F.Genre = GenreAvoir; }, "numéro et la date de la facture"},
        {[](DocumentTest& d) { d.F.Cellules[1][1] = "-10"; }, "établissez plutôt un avoir"},
        {[](DocumentTest& d) {
             d.F.Payee = false;
             d.Autres.Echeance = d.F.Date.addDays(-1);
         },
         "échéance ne peut précéder"},
        {[](DocumentTest& d) { d.F.Numero = "         "; }, "numéro du document"},
        {[](DocumentTest& d) { d.Autres.Livraison = QDate(1999, 12, 31); }, "date de livraison"},
        {[](DocumentTest& d) { d.F.FactCachees = {"FACTx\t1\t1\t\t1,00\t1"}; }, "plus de 63"},
    };
    for (const auto& [change, attendu] : cas) {
        DocumentTest d = Document("exemple");
        change(d);
        const auto r = d.Construit();
        ASSERT_TRUE(std::holds_alternative<Refus>(r)) << attendu;
        EXPECT_TRUE(std::get<Refus>(r).Message.contains(QString::fromStdString(attendu)))
            << attendu << "\n"
            << std::get<Refus>(r).Message.toStdString();
    }
    // A rate of 20.6 in a code no line uses is no obstacle.
    DocumentTest d = Document("exemple");
    d.R.TauxTVA[2] = 20.6L;
    EXPECT_TRUE(std::holds_alternative<FactureElectronique>(d.Construit()));
}

TEST(FactureElectronique, DueDateFromThePaymentTermsAndBuyerFromTheAddress) {
    const QDate date(2026, 9, 14);
    const std::vector<std::pair<std::string, QDate>> echeances = {
        {"A r\xE9"
         "ception",
         date},
        {"R\xE9glement \xE0 30 jours", QDate(2026, 10, 14)},
        {"R\xE9glement \xE0 60 jours", QDate(2026, 11, 13)},
        {"45 jours fin de mois", QDate(2026, 10, 31)},
        {"En votre aimable r\xE9glement", date},
        {"", date},
    };
    for (const auto& [conditions, attendue] : echeances)
        EXPECT_EQ(EcheanceProposee(conditions, date), attendue) << conditions;

    const Acheteur a =
        AcheteurDepuisAdresse({"Garage du Centre", "4 place de la Gare", "69002  Lyon", ""});
    EXPECT_EQ(a.Nom, "Garage du Centre");
    EXPECT_EQ(a.Rue, "4 place de la Gare");
    EXPECT_EQ(a.CodePostal, "69002");
    EXPECT_EQ(a.Ville, "Lyon");
    EXPECT_EQ(a.Pays, "FR");
    const Acheteur b = AcheteurDepuisAdresse({"Caf\xE9", "", "Quartier Nord", "13001 Marseille"});
    EXPECT_EQ(b.Rue, "Quartier Nord");
    EXPECT_EQ(b.Ville, "Marseille");
}

namespace {

// The XML without its indentation, to look for an element with its content.
QByteArray XmlCompact(const FactureElectronique& fe) {
    return QByteArray(EcritCII(fe)).replace('\n', "").replace(' ', "");
}

} // namespace

TEST(FactureElectronique, NatureOfTheOperationAndOptionForDebits) {
    struct Cas {
        Cadre vendeur;
        std::optional<Cadre> document;
        bool option, franchise;
        const char* bt23; // the billing framework written
        bool debits;      // VAT on the invoice's date (BT-8)
    };
    const std::vector<Cas> cas = {
        {Cadre::Mixte, std::nullopt, false, false, "M1", false}, // the seller's setting
        {Cadre::Mixte, Cadre::Biens, false, false, "B1", false}, // the document's own
        {Cadre::Biens, Cadre::Services, true, false, "S1", true},
        {Cadre::Services, std::nullopt, true, false, "S1", true},
        {Cadre::Services, Cadre::Mixte, true, false, "M1", true},
        {Cadre::Services, Cadre::Biens, true, false, "B1", false}, // goods: on delivery
        {Cadre::Services, std::nullopt, true, true, "S1", false},  // no VAT charged
    };
    for (const auto& c : cas) {
        DocumentTest d = Document(c.franchise ? "franchise" : "remises");
        d.Vend.CadreFacturation = c.vendeur;
        d.Vend.OptionDebits = c.option;
        d.Autres.Nature = c.document;
        const FactureElectronique fe = Fe(d.Construit());
        const std::string nom = std::string(c.bt23) + (c.option ? " option" : "");
        EXPECT_EQ(fe.TvaSurDebits, c.debits) << nom;
        const QByteArray xml = XmlCompact(fe);
        EXPECT_TRUE(xml.contains("<ram:BusinessProcessSpecifiedDocumentContextParameter><ram:ID>" +
                                 QByteArray(c.bt23)))
            << nom;
        // In each VAT breakdown, before its rate.
        EXPECT_EQ(
            xml.count("<ram:DueDateTypeCode>5</ram:DueDateTypeCode><ram:RateApplicablePercent>"),
            c.debits ? static_cast<int>(fe.Tva.size()) : 0)
            << nom;
    }
}

TEST(FactureElectronique, DeliveryAddressOnlyWhenItIsNotTheBuyers) {
    const Acheteur a = AcheteurTest();
    struct Cas {
        const char* nom;
        std::optional<AdresseLivraison> lieu;
        bool ecrite;
    };
    const std::vector<Cas> cas = {
        {"aucune", std::nullopt, false},
        {"celle de l'acheteur",
         AdresseLivraison{"GARAGE DU CENTRE ", " 4 place de la Gare", "69002", "lyon", "fr"},
         false},
        {"une autre", AdresseLivraison{"Chantier Dupont", "3 rue du Port", "69007", "Lyon", "FR"},
         true},
        {"sans nom", AdresseLivraison{"", "3 rue du Port", "69007", "Lyon", "FR"}, true},
    };
    for (const auto& c : cas) {
        DocumentTest d = Document("remises");
        d.Ach = a;
        d.Autres.LieuLivraison = c.lieu;
        const FactureElectronique fe = Fe(d.Construit());
        EXPECT_EQ(fe.Autres.LieuLivraison.has_value(), c.ecrite) << c.nom;
        const QByteArray xml = XmlCompact(fe);
        EXPECT_EQ(xml.contains("<ram:ShipToTradeParty>"), c.ecrite) << c.nom;
        if (!c.ecrite) continue;
        const QByteArray nom =
            c.lieu->Nom.empty() ? QByteArray() : "<ram:Name>ChantierDupont</ram:Name>";
        EXPECT_TRUE(
            xml.contains("<ram:ShipToTradeParty>" + nom +
                         "<ram:PostalTradeAddress><ram:PostcodeCode>69007</ram:PostcodeCode>"
                         "<ram:LineOne>3rueduPort</ram:LineOne><ram:CityName>Lyon</"
                         "ram:CityName><ram:CountryID>FR</ram:CountryID>"
                         "</ram:PostalTradeAddress></ram:ShipToTradeParty>"
                         "<ram:ActualDeliverySupplyChainEvent>"))
            << c.nom << "\n"
            << xml.toStdString();
    }
    // An address given but incomplete is refused with what is missing.
    const std::vector<std::pair<AdresseLivraison, const char*>> refus = {
        {{"Chantier", "", "69007", "Lyon", "FR"}, "la rue est obligatoire"},
        {{"Chantier", "3 rue du Port", "6900", "Lyon", "FR"}, "Code postal"},
        {{"Chantier", "3 rue du Port", "69007", "", "FR"}, "Ville"},
        {{"Chantier", "3 rue du Port", "69007", "Lyon", "France"}, "Pays"},
    };
    for (const auto& [lieu, attendu] : refus) {
        DocumentTest d = Document("remises");
        d.Autres.LieuLivraison = lieu;
        const auto r = d.Construit();
        ASSERT_TRUE(std::holds_alternative<Refus>(r)) << attendu;
        const QString m = std::get<Refus>(r).Message;
        EXPECT_TRUE(m.startsWith(QString::fromUtf8("L'adresse de livraison est incomplète")))
            << m.toStdString();
        EXPECT_TRUE(m.contains(QString::fromUtf8(attendu))) << m.toStdString();
    }
}

TEST(FactureElectronique, ThePageNamesTheBuyerOfTheXml) {
    DocumentTest d = Document("remises");
    d.F.Adresse = {"M. Durand (ancien client)", "", "", ""};
    d.Ach.Pays = "BE";
    d.Ach.CodePostal = "1000";
    d.Ach.Ville = "Bruxelles";
    d.Ach.Siren.clear();
    d.Ach.NumeroTVA.clear();
    d.Ach.AdresseElectronique = "0208:0403169810";
    const FactureElectronique fe = Fe(d.Construit());
    const Fiche page = FicheDeLaPage(d.F, d.R, fe, Largeur7);
    EXPECT_EQ(page.Adresse, (std::array<std::string, 4>{"Garage du Centre", "4 place de la Gare",
                                                        "1000 Bruxelles", "BE"}));
    EXPECT_EQ(AdresseImprimee(AcheteurTest())[2], "69002 Lyon");
    EXPECT_EQ(AdresseImprimee(AcheteurTest())[3], "");
}
