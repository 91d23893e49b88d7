// Bad input of every kind: a clear French refusal, never a hang, never a
// read of what need not be read.
#include "recues/arbre_xml.h"
#include "recues/lecture_commune.h"
#include "recues/controles_recus.h"
#include "recues/recues_outils.h"
#include "support/dossier_temporaire.h"

#include <gtest/gtest.h>

namespace kyr {
namespace {

using test::Donnee;

QByteArray Bombe() {
    QByteArray x = "<?xml version=\"1.0\"?>\n<!DOCTYPE lol [\n<!ENTITY lol \"lol\">\n";
    for (int i = 1; i < 10; ++i)
        x += "<!ENTITY lol" + QByteArray::number(i) + " \"" +
             QByteArray("&lol" + QByteArray::number(i - 1) + ";").repeated(10) + "\">\n";
    return x + "]>\n<lolz>&lol9;</lolz>";
}

QByteArray Imbrique(int n) {
    return QByteArray("<a>").repeated(n) + QByteArray("</a>").repeated(n);
}

TEST(EntreesHostiles, UnRefusClairPourChaque) {
    const QByteArray cii = Donnee(QStringLiteral("recue_cii.xml"));
    const QByteArray facture = test::PdfAvecPieces({{"factur-x.xml", cii}});
    QByteArray utf16;
    utf16.append("\xFF\xFE");
    for (const char c : QByteArray("<x/>"))
        utf16.append(c).append('\0');
    QByteArray mauvaisEspace = cii;
    mauvaisEspace.replace("CrossIndustryInvoice:100\"", "CrossIndustryInvoice:99\"");
    struct {
        const char* nom;
        QByteArray octets;
        const char* refus; // a part of the message
    } const cas[] = {
        {"texte", "Bonjour, voici la facture", "ni un PDF ni un fichier XML"},
        {"vide apres BOM", "\xEF\xBB\xBF", "n'est pas un fichier XML"},
        {"html", "<html><body>Facture</body></html>", "Élément racine « html » inconnu"},
        {"dtd", "<?xml version=\"1.0\"?><!DOCTYPE x SYSTEM \"http://exemple.fr/x.dtd\"><x/>",
         "DTD"},
        {"entite externe", "<!DOCTYPE x [<!ENTITY e SYSTEM \"file:///etc/passwd\">]><x>&e;</x>",
         "DTD"},
        {"bombe", Bombe(), "DTD"},
        {"entite seule", "<x><!ENTITY a \"b\"></x>", "entité"},
        {"entite non declaree", "<x>&inconnue;</x>", "bien formé"},
        {"tronque", cii.left(cii.size() / 2), "tronqué"},
        {"mal forme", "<a><b></a>", "bien formé"},
        {"utf16", utf16, "UTF-8"},
        {"commande UBL", "<Order xmlns=\"urn:oasis:names:specification:ubl:schema:xsd:Order-2\"/>",
         "commande"},
        {"ZUGFeRD 1",
         "<rsm:CrossIndustryDocument xmlns:rsm=\"urn:ferd:CrossIndustryDocument:invoice:1p0\"/>",
         "ZUGFeRD 1"},
        {"espace de noms", mauvaisEspace, "espace de noms"},
        {"imbrication", Imbrique(ProfondeurMaxXml + 1), "niveaux"},
        {"pdf illisible", "%PDF-1.4\nceci n'est pas un PDF", "endommagé"},
        {"pdf tronque", facture.left(facture.size() / 3), ""},
        {"pdf sans piece", test::PdfAvecPieces({}), "aucun fichier joint"},
        {"pdf avec une image", test::PdfAvecPieces({{"logo.png", "\x89PNG"}}),
         "« logo.png » mais aucune facture"},
        {"pdf avec une commande",
         test::PdfAvecPieces(
             {{"factur-x.xml",
               "<Order xmlns=\"urn:oasis:names:specification:ubl:schema:xsd:Order-2\"/>"}}),
         "commande"},
        {"deux factures",
         test::PdfAvecPieces({{"factur-x.xml", cii}, {"zugferd-invoice.xml", cii + " "}}),
         "plusieurs factures jointes"},
        {"mot de passe", Donnee(QStringLiteral("recue_mot_de_passe.pdf")), "mot de passe"},
        {"vide", "", "ni un PDF ni un fichier XML"},
    };
    for (const auto& c : cas) {
        SCOPED_TRACE(c.nom);
        const Lecture l = test::Lit(c.octets);
        if (std::string(c.nom) == "pdf tronque") {
            // qpdf may rebuild a cut file; what it cannot read is refused.
            if (l.Facture) {
                EXPECT_EQ(l.Facture->Numero, QStringLiteral("FA-2026-0042"));
            } else {
                EXPECT_FALSE(l.Refus.isEmpty());
            }
            continue;
        }
        EXPECT_FALSE(l.Facture);
        EXPECT_TRUE(l.Refus.contains(QString::fromUtf8(c.refus))) << l.Refus.toStdString();
    }
}

TEST(EntreesHostiles, PdfLisible) {
    const QByteArray cii = Donnee(QStringLiteral("recue_cii.xml"));
    struct {
        const char* nom;
        QByteArray pdf;
        bool chiffre;
    } const cas[] = {
        {"factur-x", test::PdfAvecPieces({{"factur-x.xml", cii}}), false},
        {"zugferd", test::PdfAvecPieces({{"logo.png", "x"}, {"ZUGFeRD-invoice.xml", cii}}), false},
        {"xrechnung", test::PdfAvecPieces({{"xrechnung.xml", cii}}), false},
        {"deux fois la meme",
         test::PdfAvecPieces({{"factur-x.xml", cii}, {"zugferd-invoice.xml", cii}}), false},
        {"seul xml sous un autre nom", test::PdfAvecPieces({{"facture.xml", cii}}), false},
        {"chiffre sans mot de passe", Donnee(QStringLiteral("recue_chiffree.pdf")), true},
    };
    for (const auto& c : cas) {
        SCOPED_TRACE(c.nom);
        const Lecture l = test::Lit(c.pdf);
        ASSERT_TRUE(l.Facture) << l.Refus.toStdString();
        EXPECT_EQ(l.Facture->Format, FormatRecu::FacturX);
        EXPECT_EQ(l.Facture->TotalTTC, 18765);
        const auto r = Controle(*l.Facture);
        EXPECT_EQ(r.size(), c.chiffre ? 1u : 0u);
        if (c.chiffre && !r.empty()) {
            EXPECT_EQ(r.front().Regle, "KF-PDF");
        }
    }
}

TEST(EntreesHostiles, FichierDUnGigaRefuseSansEtreLu) {
    test::DossierTemporaire d;
    const QString chemin = d.chemin(QStringLiteral("enorme.xml"));
    {
        QFile f(chemin);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        ASSERT_TRUE(f.resize(1024LL * 1024 * 1024)); // sparse: no gigabyte written
    }
    QByteArray lu = "rien";
    const Lecture l = LitFichierRecu(chemin, DossierModules(), &lu);
    EXPECT_FALSE(l.Facture);
    EXPECT_TRUE(l.Refus.contains(QStringLiteral("1024 Mo"))) << l.Refus.toStdString();
    EXPECT_EQ(lu, QByteArray("rien"));
    // An XML over its own bound, smaller than a PDF's, is refused before parsing.
    const QByteArray gros = "<x>" + QByteArray(TailleMaxXml, ' ') + "</x>";
    EXPECT_TRUE(test::Lit(gros).Refus.contains(QStringLiteral("dépasse")));
    EXPECT_TRUE(LitFichierRecu(d.chemin(QStringLiteral("absent.xml")), DossierModules())
                    .Refus.contains(QStringLiteral("n'existe pas")));
}

TEST(EntreesHostiles, NombresXml) {
    struct {
        const char* texte;
        int decimales;
        std::optional<std::int64_t> valeur;
        bool exces, virgule;
    } const cas[] = {
        {"12.50", 2, 1250, false, false},
        {" -3 ", 2, -300, false, false},
        {"+0.5", 2, 50, false, false},
        {"10.000", 2, 1000, false, false},
        {"10.005", 2, 1001, true, false},
        {"-10.005", 2, -1001, true, false},
        {"10.0049", 2, 1000, true, false},
        {"12,50", 2, std::nullopt, false, true},
        {"1e3", 2, std::nullopt, false, false},
        {"", 2, std::nullopt, false, false},
        {".", 2, std::nullopt, false, false},
        {"1 000", 2, std::nullopt, false, false},
        {"99999999999999999999", 2, std::nullopt, false, false},
        {"0.333333333", 6, 333333, true, false},
    };
    for (const auto& c : cas) {
        SCOPED_TRACE(c.texte);
        const NombreXml n = LitNombreXml(QString::fromLatin1(c.texte), c.decimales);
        EXPECT_EQ(n.Valeur, c.valeur);
        if (c.valeur) {
            EXPECT_EQ(n.Exces, c.exces);
        }
        EXPECT_EQ(n.Virgule, c.virgule);
    }
}

} // namespace
} // namespace kyr
