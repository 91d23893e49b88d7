// The accounts file and its checks, and the fiscal years its closing date gives.
#include "common/erreurs.h"
#include "comptabilite/comptes.h"
#include "comptabilite/livres_compta.h"
#include "support/dossier_temporaire.h"
#include "support/panne_ecriture.h"

#include <functional>
#include <gtest/gtest.h>

namespace kyr {
namespace {

TEST(Comptes, FichierParDefautOctetPourOctetEtRelu) {
    test::DossierTemporaire dossier;
    const PlanComptable p = PlanParDefaut(test::ReglagesEuros());
    SauveComptes(p);
    const auto octets = LitOctets(NomFichierComptes);
    ASSERT_TRUE(octets);
    EXPECT_EQ(*octets, "journal_ventes=VT\r\n"
                       "libelle_journal_ventes=Ventes\r\n"
                       "journal_achats=AC\r\n"
                       "libelle_journal_achats=Achats\r\n"
                       "compte_clients=411000\r\n"
                       "libelle_clients=Clients\r\n"
                       "compte_services=706000\r\n"
                       "libelle_services=Prestations de services\r\n"
                       "compte_marchandises=707000\r\n"
                       "libelle_marchandises=Ventes de marchandises\r\n"
                       "compte_tva1=445711\r\n"
                       "libelle_tva1=TVA collect\xE9"
                       "e 20 %\r\n"
                       "compte_tva2=445712\r\n"
                       "libelle_tva2=TVA collect\xE9"
                       "e 10 %\r\n"
                       "compte_tva3=445713\r\n"
                       "libelle_tva3=TVA collect\xE9"
                       "e 5,5 %\r\n"
                       "compte_fournisseurs=401000\r\n"
                       "libelle_fournisseurs=Fournisseurs\r\n"
                       "compte_achats=606000\r\n"
                       "libelle_achats=Achats non stock\xE9s de mati\xE8res et fournitures\r\n"
                       "compte_tva_deductible=445660\r\n"
                       "libelle_tva_deductible=TVA d\xE9"
                       "ductible sur autres biens et services\r\n"
                       "cloture=31/12\r\n");
    PlanComptable relu;
    EXPECT_TRUE(ChargeComptes(relu));
    EXPECT_EQ(relu, p);
    EXPECT_EQ(VerifieComptes(p), QString());
}

TEST(Comptes, LectureToleranteEtFichierAbsent) {
    test::DossierTemporaire dossier;
    PlanComptable p = PlanParDefaut(test::ReglagesEuros());
    const PlanComptable avant = p;
    EXPECT_FALSE(ChargeComptes(p));
    EXPECT_EQ(p, avant);

    // Blanks around numbers go, a label keeps its own; an "=" in a label stays;
    // unknown lines and a closing date that is no date leave the plan as it was.
    LitComptes(p, {"compte_clients= 41100000 ", "libelle_clients=Clients = France", "sans egal",
                   "inconnu=1", "cloture=31/02", "journal_ventes= VE "});
    EXPECT_EQ(p.Clients, (Compte{"41100000", "Clients = France"}));
    EXPECT_EQ(p.JournalVentes.Code, "VE");
    EXPECT_EQ(p.JourCloture, 31);
    EXPECT_EQ(p.MoisCloture, 12);
    LitComptes(p, {"cloture=30/6"});
    EXPECT_EQ(p.JourCloture, 30);
    EXPECT_EQ(p.MoisCloture, 6);
    for (const char* mauvais : {"cloture=", "cloture=3/", "cloture=/6", "cloture=123/6",
                                "cloture=30/13", "cloture=a/6", "cloture=0/6"}) {
        LitComptes(p, {mauvais});
        EXPECT_EQ(p.JourCloture, 30) << mauvais;
        EXPECT_EQ(p.MoisCloture, 6) << mauvais;
    }
}

TEST(Comptes, UnFichierQuiNePeutEtreEcritLaisseLAncien) {
    test::DossierTemporaire dossier;
    PlanComptable p = PlanParDefaut(test::ReglagesEuros());
    SauveComptes(p);
    const auto avant = LitOctets(NomFichierComptes);
    p.Clients.Numero = "411999";
    for (const EtapeEcriture etape : test::EtapesEcriture) {
        SCOPED_TRACE(test::NomEtape(etape));
        const test::PanneEcritureSimulee panne(etape);
        EXPECT_THROW(SauveComptes(p), ErreurExecution);
        EXPECT_EQ(LitOctets(NomFichierComptes), avant);
    }
}

TEST(Comptes, ChaqueDefautDuPlanASonMessage) {
    struct Cas {
        std::function<void(PlanComptable&)> change;
        QString message;
    };
    const std::vector<Cas> cas = {
        {[](PlanComptable& p) { p.Clients.Numero = " "; },
         QStringLiteral("Le compte des clients est vide.")},
        {[](PlanComptable& p) { p.TVACollectee[2].Numero.clear(); },
         QStringLiteral("Le compte de TVA collectée du code 2 est vide.")},
        {[](PlanComptable& p) { p.Achats.Numero = "606 000"; },
         QStringLiteral("Le compte des achats « 606 000 » ne doit contenir que des chiffres et "
                        "des lettres capitales.")},
        {[](PlanComptable& p) { p.Services.Numero = "706a"; },
         QStringLiteral("Le compte des prestations de services « 706a » ne doit contenir que des "
                        "chiffres et des lettres capitales.")},
        {[](PlanComptable& p) { p.TVADeductible.Libelle.clear(); },
         QStringLiteral("Le libellé du compte de TVA déductible est vide.")},
        {[](PlanComptable& p) { p.JournalAchats.Code.clear(); },
         QStringLiteral("Le code du journal des achats est vide.")},
        {[](PlanComptable& p) { p.JournalVentes.Libelle = "  "; },
         QStringLiteral("Le libellé du journal des ventes est vide.")},
        {[](PlanComptable& p) { p.JournalAchats.Code = "VT"; },
         QStringLiteral("Les journaux des ventes et des achats doivent avoir des codes "
                        "différents.")},
        {[](PlanComptable& p) { p.Fournisseurs.Numero = "401F"; }, QString()},
    };
    for (const auto& c : cas) {
        PlanComptable p = PlanParDefaut(Reglages{});
        c.change(p);
        EXPECT_EQ(VerifieComptes(p), c.message);
    }
}

TEST(Comptes, ExercicesSelonLaDateDeCloture) {
    struct Cas {
        int jour, mois, annee;
        QDate debut, fin;
    };
    const Cas cas[] = {
        {31, 12, 2026, QDate(2026, 1, 1), QDate(2026, 12, 31)},
        {30, 6, 2026, QDate(2025, 7, 1), QDate(2026, 6, 30)},
        {31, 3, 2000, QDate(1999, 4, 1), QDate(2000, 3, 31)},
        // A 29 February closing is the 28th in a common year.
        {29, 2, 2025, QDate(2024, 3, 1), QDate(2025, 2, 28)},
        {29, 2, 2024, QDate(2023, 3, 1), QDate(2024, 2, 29)},
    };
    for (const auto& c : cas) {
        PlanComptable p;
        p.JourCloture = c.jour;
        p.MoisCloture = c.mois;
        const Exercice e = ExerciceClos(p, c.annee);
        EXPECT_EQ(e.Debut, c.debut) << c.jour << "/" << c.mois << "/" << c.annee;
        EXPECT_EQ(e.Fin, c.fin);
        for (const QDate& d : {c.debut, c.fin, c.debut.addDays(100)})
            EXPECT_EQ(ExerciceDe(p, d).Fin, c.fin) << d.toString().toStdString();
        EXPECT_EQ(ExerciceDe(p, c.fin.addDays(1)).Debut, c.fin.addDays(1));
    }
}

} // namespace
} // namespace kyr
