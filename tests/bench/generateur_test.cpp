// The benchmark books and client files: always the same, written as the
// program writes them, and damaged exactly as intended.
#include "book/bloc.h"
#include "book/facture.h"
#include "clients/table_clients.h"
#include "generateur/generateur.h"
#include "support/dossier_temporaire.h"
#include "support/plateforme_fausse.h"

#include <gtest/gtest.h>
#include <set>

namespace kyr::test {
namespace {

using banc::Defaut;

class Generateur : public ::testing::Test {
protected:
    DossierTemporaire dossier;
    PlateformeFausse p;
    Facture f{p};

    QString Ecrit(const Lignes& l, const char* nom = "livre.fct") {
        const QString chemin = dossier.chemin(QString::fromLatin1(nom));
        EcritFichier(chemin, l);
        return chemin;
    }
    // Start lines in file order, by block number.
    static std::vector<int> OrdreBlocs(const Lignes& l) {
        std::vector<int> ordre;
        for (const auto& ligne : l)
            if (CommenceDebut(ligne)) ordre.push_back(std::stoi(ligne.substr(5, 4)));
        return ordre;
    }
};

TEST_F(Generateur, MemesArgumentsMemeContenu) {
    for (const Defaut d : {Defaut::Aucun, Defaut::Desequilibre, Defaut::Doublons}) {
        EXPECT_EQ(banc::GenereLivre(60, d), banc::GenereLivre(60, d));
        EXPECT_NE(banc::GenereLivre(60, d), banc::GenereLivre(61, d));
    }
    EXPECT_EQ(banc::GenereClients(40), banc::GenereClients(40));
}

// A sound book loads without a box, every document reads back, and storing or
// saving it unchanged gives back the generated lines: the program wrote them.
TEST_F(Generateur, LivreSainSeChargeSansMessageEtSeRelitATelQuel) {
    for (const int n : {1, 2, 9, 120}) {
        const Lignes livre = banc::GenereLivre(n);
        const QString nom = Ecrit(livre);
        f.Charge(nom);
        EXPECT_TRUE(p.questions.empty() && p.erreurs.empty() && p.messages.empty()) << n;
        EXPECT_EQ(f.NbFiches, n);
        EXPECT_FALSE(f.LivreModifie);
        EXPECT_EQ(f.Livre, livre);

        for (int k = 0; k < n; ++k) {
            f.FicheCourante = k;
            f.LitFiche();
            const Lignes avant(f.Livre.begin() + f.ChercheDebut(k),
                               f.Livre.begin() + FinBloc(f.Livre, f.ChercheDebut(k), k));
            EXPECT_GE(f.NbLignes, 2) << k;
            EXPECT_LE(f.NbLignes, 41) << k;
            EXPECT_NE(f.fiche.Numero[0], ' ') << k;
            f.Modifie();
            f.EcritFiche();
            const Lignes apres(f.Livre.end() - static_cast<std::ptrdiff_t>(avant.size()),
                               f.Livre.end());
            EXPECT_EQ(apres, avant) << "document " << k << " of " << n;
        }
        EXPECT_TRUE(p.erreurs.empty());
    }
}

TEST_F(Generateur, LivreRealiste) {
    const Lignes livre = banc::GenereLivre(400);
    std::set<std::string> genres;
    int payes = 0, memos = 0, blancs = 0, cadres = 0, ttc = 0;
    for (std::size_t i = 0; i < livre.size(); ++i) {
        const std::string& l = livre[i];
        if (l == "PAYE") ++payes;
        if (l.rfind("MEMO", 0) == 0) ++memos;
        if (l == " ") ++blancs;
        if (l == "TTCY") ++ttc;
        if (CommenceDebut(l)) genres.insert(livre[i + 5]);
        // Right alignment leaves blanks before the quantity.
        if (l.rfind("FACT", 0) == 0 && l.find("\t ") != std::string::npos) ++cadres;
    }
    EXPECT_EQ(genres, (std::set<std::string>{GenreFacture, GenreDevis, GenreAvoir}));
    EXPECT_GT(payes, 100);
    EXPECT_GT(memos, 100);
    EXPECT_GT(ttc, 10);
    EXPECT_EQ(blancs, 399);
    EXPECT_GT(cadres, 1000);

    // Edited documents went to the end: the file is not in document order.
    const std::vector<int> ordre = OrdreBlocs(livre);
    ASSERT_EQ(ordre.size(), 400u);
    EXPECT_FALSE(std::is_sorted(ordre.begin(), ordre.end()));
    EXPECT_EQ(std::set<int>(ordre.begin(), ordre.end()).size(), 400u);

    // Several years of dates, numbers of the form year, month, counter.
    f.Charge(Ecrit(livre));
    f.FicheCourante = 0;
    f.LitFiche();
    const QDate premier = f.fiche.Date;
    f.FicheCourante = 399;
    f.LitFiche();
    EXPECT_GE(premier.daysTo(f.fiche.Date), 5 * 365);
    EXPECT_EQ(f.fiche.Numero.substr(0, 6),
              std::to_string(f.fiche.Date.year() * 100 + f.fiche.Date.month()));
}

// The reserved client has one document, the last block of the file.
TEST_F(Generateur, ClientReserveAuDernierBloc) {
    for (const int n : {1, 30, 500}) {
        const Lignes livre = banc::GenereLivre(n);
        const int c = banc::NbClientsLivre(n) - 1;
        int trouves = 0;
        std::size_t dernier = 0;
        for (std::size_t i = 0; i < livre.size(); ++i)
            if (CommenceDebut(livre[i])) {
                dernier = i;
                if (livre[i + 3] == banc::CodeClient(c) || livre[i + 6] == banc::NomClient(c))
                    ++trouves;
            }
        EXPECT_EQ(trouves, 1) << n;
        EXPECT_EQ(livre[dernier + 3], banc::CodeClient(c)) << n;
    }
}

TEST_F(Generateur, LivreDesequilibreProposeLaReconstruction) {
    for (const int n : {1, 50}) {
        p.reponses = {Bouton::Oui};
        f.Charge(Ecrit(banc::GenereLivre(n, Defaut::Desequilibre)));
        ASSERT_EQ(p.questions.size(), 1u) << n;
        EXPECT_EQ(p.questions[0].texte, QStringLiteral("Le fichier a été altéré. Restaurer ?"));
        EXPECT_TRUE(f.LivreModifie);
        EXPECT_EQ(f.NbFiches, n); // every block is kept by the rebuild
        p.questions.clear();
    }
}

TEST_F(Generateur, LivreADoublonsPerdSesAnciennesCopies) {
    for (const int n : {10, 300}) {
        const Lignes livre = banc::GenereLivre(n, Defaut::Doublons);
        const int doublons = banc::NbDoublons(n);
        EXPECT_GT(doublons, n / 20) << n;
        EXPECT_EQ(CompteFiches(livre), n + doublons);
        f.Charge(Ecrit(livre));
        EXPECT_TRUE(p.questions.empty());
        EXPECT_EQ(f.NbFiches, n + doublons); // not recounted
        EXPECT_EQ(CompteFiches(f.Livre), n);
        EXPECT_EQ(std::count(f.Livre.begin(), f.Livre.end(),
                             "MEMOVersion pr\xE9"
                             "c\xE9"
                             "dente"),
                  0);
    }
}

TEST_F(Generateur, FichiersClients) {
    for (const int n : {0, 1, 100, 2000}) {
        const Lignes l = banc::GenereClients(n);
        ASSERT_EQ(l.size(), 5u * n);
        TableClients t(p);
        t.Init(l);
        EXPECT_EQ(t.DernierClient, n - 1) << n; // every record is a client of the card
    }
    // Up to 99 999 clients, each with its own five-digit code; names repeat.
    const Lignes l = banc::GenereClients(banc::NbClientsMax);
    std::set<std::string> codes, noms;
    for (std::size_t i = 0; i < l.size(); i += 5) {
        ASSERT_TRUE(l[i].size() == 10 && l[i].rfind("<CLI>", 0) == 0) << l[i];
        codes.insert(l[i]);
        noms.insert(l[i + 1]);
    }
    EXPECT_EQ(codes.size(), 99999u);
    EXPECT_LT(noms.size(), codes.size());
    EXPECT_EQ(banc::GenereClients(banc::NbClientsMax + 5).size(), l.size());
}

} // namespace
} // namespace kyr::test
