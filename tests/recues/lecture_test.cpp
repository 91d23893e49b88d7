// Each format read into the same model, with the very figures of the file;
// the program's own export read back gives the figures it wrote.
#include "einvoice/cii.h"
#include "einvoice/documents.h"
#include "recues/controles_recus.h"
#include "recues/recues_outils.h"
#include "recues/vue_html.h"

#include <QDirIterator>
#include <gtest/gtest.h>

namespace kyr {
namespace {

using test::Donnee;
using test::Lit;

FactureRecue LitBien(const QByteArray& octets) {
    Lecture l = Lit(octets);
    EXPECT_TRUE(l.Facture) << l.Refus.toStdString();
    return l.Facture.value_or(FactureRecue{});
}

TEST(LectureRecue, CIIEtUBLDonnentLeMemeModeleAuxChiffresDuFichier) {
    FactureRecue cii = LitBien(Donnee(QStringLiteral("recue_cii.xml")));
    FactureRecue ubl = LitBien(Donnee(QStringLiteral("recue_ubl.xml")));
    EXPECT_EQ(cii.Format, FormatRecu::CII);
    EXPECT_EQ(ubl.Format, FormatRecu::UBL);
    EXPECT_EQ(cii.Prof, Profil::EN16931);
    EXPECT_EQ(cii.Numero, QStringLiteral("FA-2026-0042"));
    EXPECT_EQ(cii.Date, QDate(2026, 9, 10));
    EXPECT_EQ(cii.Echeance, QDate(2026, 10, 10));
    EXPECT_EQ(cii.Vendeur.Nom, QString::fromUtf8("Scierie Œuvre & Fils — 森林"));
    EXPECT_EQ(cii.Vendeur.IdLegal, QStringLiteral("552100554"));
    ASSERT_EQ(cii.Lignes.size(), 2u);
    EXPECT_EQ(cii.Lignes[0].Quantite, 10'000'000);
    EXPECT_EQ(cii.Lignes[0].PrixNet, 12'500'000);
    EXPECT_EQ(cii.Lignes[0].PrixBrut, 13'125'000);
    EXPECT_EQ(cii.Lignes[1].Taux, 55'000);
    ASSERT_EQ(cii.Tva.size(), 2u);
    EXPECT_EQ(cii.Tva[0].Base, 13000);
    EXPECT_EQ(cii.Tva[1].Montant, 165);
    EXPECT_EQ(cii.TotalHT, 16000);
    EXPECT_EQ(cii.TotalTVA, 2765);
    EXPECT_EQ(cii.TotalTTC, 18765);
    EXPECT_EQ(cii.DejaPaye, 5000);
    EXPECT_EQ(cii.NetAPayer, 13765);
    EXPECT_EQ(cii.Iban, QStringLiteral("FR7630006000011234567890189"));
    EXPECT_EQ(cii.Notes.at(1),
              QString::fromUtf8("PMD : Pénalités de retard : trois fois le taux légal."));
    EXPECT_TRUE(Controle(cii).empty());
    EXPECT_TRUE(Controle(ubl).empty());
    // Apart from its syntax, the UBL file says the same.
    ubl.Format = FormatRecu::CII;
    EXPECT_EQ(ubl.Vendeur, cii.Vendeur);
    EXPECT_EQ(ubl.Acheteur, cii.Acheteur);
    EXPECT_EQ(ubl.Lignes, cii.Lignes);
    EXPECT_EQ(ubl.Tva, cii.Tva);
    EXPECT_EQ(ubl.RemisesCharges, cii.RemisesCharges);
    EXPECT_EQ(ubl.Notes, cii.Notes);
    EXPECT_EQ(ubl, cii);
}

// What the export writes comes back, term for term, to the cent.
TEST(LectureRecue, LExportDuProgrammeRelu) {
    for (const auto& d : test::DocumentsTest()) {
        SCOPED_TRACE(d.Nom);
        const auto construit = d.Construit();
        ASSERT_TRUE(std::holds_alternative<FactureElectronique>(construit));
        const auto& fe = std::get<FactureElectronique>(construit);
        const FactureRecue f = LitBien(EcritCII(fe));
        EXPECT_EQ(f.Numero.toStdString(), fe.Numero);
        EXPECT_EQ(f.Date, fe.Date);
        EXPECT_EQ(f.Avoir, fe.Avoir);
        EXPECT_EQ(f.Vendeur.Nom, VersQString(fe.NomVendeur));
        EXPECT_EQ(f.Acheteur.Nom, VersQString(Trim(fe.Ach.Nom)));
        ASSERT_EQ(f.Lignes.size(), fe.Lignes.size());
        for (std::size_t i = 0; i < fe.Lignes.size(); ++i) {
            const LigneFE& e = fe.Lignes[i];
            const LigneRecue& l = f.Lignes[i];
            EXPECT_EQ(l.Montant, e.Montant);
            EXPECT_EQ(l.PrixNet, e.PrixNet);
            EXPECT_EQ(l.Quantite, e.Quantite * 100);
            EXPECT_EQ(l.Taux, e.Taux * 100);
            EXPECT_EQ(l.Nom, VersQString(e.Designation));
        }
        ASSERT_EQ(f.Tva.size(), fe.Tva.size());
        for (std::size_t i = 0; i < fe.Tva.size(); ++i) {
            EXPECT_EQ(f.Tva[i].Base, fe.Tva[i].Base);
            EXPECT_EQ(f.Tva[i].Montant, fe.Tva[i].Montant);
        }
        EXPECT_EQ(f.TotalLignes, fe.TotalLignes);
        EXPECT_EQ(f.TotalTVA, fe.TotalTVA);
        EXPECT_EQ(f.TotalTTC, fe.TotalTTC);
        EXPECT_EQ(f.NetAPayer, fe.NetAPayer);
        EXPECT_EQ(f.DejaPaye.value_or(0), fe.DejaPaye);
        if (fe.Avoir) {
            EXPECT_EQ(f.FactureCorrigee.toStdString(), fe.Autres.FactureCorrigee);
        }
        const auto constats = Controle(f);
        EXPECT_TRUE(constats.empty())
            << constats.front().Regle << " " << constats.front().Texte.toStdString();
    }
}

// The third-party examples pass the EN 16931 rules: they pass these checks.
TEST(LectureRecue, ExemplesDesArtefactsEN16931) {
    const QString dossier = test::DossierExemples();
    if (dossier.isEmpty()) GTEST_SKIP() << "exemples absents";
    int n = 0;
    for (QDirIterator it(dossier, {QStringLiteral("*.xml"), QStringLiteral("*.XML")});
         it.hasNext();) {
        const QString chemin = it.next();
        SCOPED_TRACE(chemin.toStdString());
        const Lecture l = LitFichierRecu(chemin, DossierModules());
        ASSERT_TRUE(l.Facture) << l.Refus.toStdString();
        EXPECT_FALSE(l.Facture->Numero.isEmpty());
        EXPECT_TRUE(l.Facture->TotalTTC.has_value());
        for (const auto& c : Controle(*l.Facture))
            ADD_FAILURE() << c.Regle << " " << c.Texte.toStdString();
        ++n;
    }
    EXPECT_GE(n, 10);
}

TEST(LectureRecue, DixMilleLignes) {
    const FactureRecue f = LitBien(test::CIIDeNLignes(10'000));
    ASSERT_EQ(f.Lignes.size(), 10'000u);
    EXPECT_EQ(f.Lignes.back().Nom, QStringLiteral("Article 10000"));
    EXPECT_EQ(f.TotalLignes, 12'500'000);
    EXPECT_TRUE(Controle(f).empty());
}

// The view names the unit a person reads, and shows a code it does not know.
TEST(LectureRecue, LaVueNommeLesUnites) {
    const std::pair<const char*, const char*> cas[] = {
        {"C62", "unité"}, {"HUR", "heure"}, {"KGM", "kg"}, {"MTK", "m²"}, {"XYZ", "XYZ"}, {"", ""}};
    for (const auto& [code, nom] : cas)
        EXPECT_EQ(TexteUnite(QString::fromLatin1(code)), QString::fromUtf8(nom)) << code;
    const FactureRecue f =
        LitBien(EcritCII(std::get<FactureElectronique>(test::DocumentsTest().front().Construit())));
    const QString html = HtmlFacture(f, {}, false);
    EXPECT_TRUE(html.contains(QString::fromUtf8(">unité<"))) << html.toStdString();
    EXPECT_FALSE(html.contains(QStringLiteral(">C62<")));
}

} // namespace
} // namespace kyr
