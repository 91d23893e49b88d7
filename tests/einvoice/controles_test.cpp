// The field checks and the exact amounts of the electronic invoice.
#include "einvoice/controles.h"
#include "einvoice/montants.h"

#include <gtest/gtest.h>

using namespace kyr;

TEST(Controles, EachFieldAcceptsTheRightValuesAndExplainsTheWrongOnes) {
    using Controle = std::function<QString(const std::string&)>;
    const Controle siren = [](const std::string& s) { return ControleSiren(s); };
    const Controle siret = [](const std::string& s) { return ControleSiret(s, "732829320"); };
    const Controle iban = [](const std::string& s) { return ControleIban(s); };
    const Controle bic = [](const std::string& s) { return ControleBic(s); };
    const Controle tva = [](const std::string& s) { return ControleNumeroTVA(s, "732829320"); };
    const Controle pro = [](const std::string& s) {
        return ControleAdresseElectronique(s, "732829320", true);
    };
    const Controle particulier = [](const std::string& s) {
        return ControleAdresseElectronique(s, "", false);
    };
    const Controle cp = [](const std::string& s) { return ControleCodePostal(s, "FR"); };
    // (check, value, expected message part; empty = accepted)
    const std::vector<std::tuple<Controle, std::string, std::string>> cas = {
        {siren, "732829320", ""},
        {siren, "732 829 320", ""},
        {siren, "", "obligatoire"},
        {siren, "73282932", "9 chiffres"},
        {siren, "73282932A", "9 chiffres"},
        {siren, "732829321", "clé"},
        {siret, "73282932000074", ""},
        {siret, "732 829 320 00074", ""},
        {siret, "7328293200007", "14 chiffres"},
        {siret, "44306184100047", "commencer par le SIREN"},
        {siret, "73282932000075", "clé"},
        {iban, "FR76 3000 6000 0112 3456 7890 189", ""},
        {iban, "fr7630006000011234567890189", ""},
        {iban, "FR7630006000011234567890188", "contrôle"},
        {iban, "FR76300060000112345678901", "27"},
        {iban, "7630006000011234567890189", "deux lettres"},
        {bic, "AGRIFRPP", ""},
        {bic, "AGRIFRPP882", ""},
        {bic, "AGRI", "8 ou 11"},
        {bic, "AG1IFRPP", "8 ou 11"},
        {tva, "FR44732829320", ""},
        {tva, "", ""},
        {tva, "DE123456789", ""},
        {tva, "FR45732829320", "clé"},
        {tva, "FR64443061841", "SIREN"},
        {tva, "FR4473282932", "13 caractères"},
        {tva, "44732829320", "deux lettres"},
        {pro, "732829320", ""},
        {pro, "732829320_COMPTA", ""},
        {pro, "", "obligatoire"},
        {pro, "443061841", "commence par son SIREN"},
        {pro, "732829320 COMPTA", "pas d'espace"},
        {pro, "732829320@x.fr", "pas d'espace"},
        {particulier, "claire.martin@example.fr", ""},
        {particulier, "claire.martin", "nom@domaine.fr"},
        {particulier, "a@b@c.fr", "nom@domaine.fr"},
        {particulier, "", "e-mail"},
        {cp, "69002", ""},
        {cp, "6900", "5 chiffres"},
        {cp, "", "obligatoire"},
    };
    for (const auto& [controle, valeur, attendu] : cas) {
        const QString m = controle(valeur);
        if (attendu.empty())
            EXPECT_TRUE(m.isEmpty()) << valeur << " : " << m.toStdString();
        else
            EXPECT_TRUE(m.contains(QString::fromStdString(attendu)))
                << valeur << " : " << m.toStdString();
    }
    EXPECT_TRUE(ControleSiret("35600000000001", "356000000").isEmpty()); // La Poste's own key
    EXPECT_TRUE(ControleCodePostal("SW1A 1AA", "GB").isEmpty());
    EXPECT_FALSE(ControlePays("France").isEmpty());
}

TEST(Montants, DecimalTextsAreReadAndWrittenExactly) {
    const std::vector<std::tuple<std::string, int, std::optional<std::int64_t>>> lus = {
        {"123,45", 2, 12345},
        {" -0,5 ", 2, -50},
        {"7", 2, 700},
        {"2,5", 4, 25000},
        {"1,23456", 4, {}},
        {"1,2300", 2, 123},
        {"1.5", 2, {}},
        {"", 2, {}},
        {"1E3", 2, {}},
        {"-", 2, {}},
        {"99999999999999999999", 2, {}},
    };
    for (const auto& [texte, decimales, attendu] : lus)
        EXPECT_EQ(LitDecimal(texte, decimales), attendu) << texte;
    EXPECT_EQ(TexteXml(-50), "-0.50");
    EXPECT_EQ(TexteXml(12345), "123.45");
    EXPECT_EQ(TextePage(7), "0,07");
    EXPECT_EQ(TexteDecimalCourt(25000, 4), "2.5");
    EXPECT_EQ(TexteDecimalCourt(2000, 2), "20");
    EXPECT_EQ(TexteDecimalCourt(6476000, 6), "6.476");
    EXPECT_EQ(DiviseArrondi(5, 10), 1);
    EXPECT_EQ(DiviseArrondi(-5, 10), -1);
    EXPECT_EQ(DiviseArrondi(-4, 10), 0);
    EXPECT_EQ(EnCentimes(1.005L), 101); // as the window shows it
    EXPECT_EQ(EnCentimes(1e30L), std::nullopt);
}
