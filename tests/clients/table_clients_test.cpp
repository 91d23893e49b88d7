#include "book/liste_clients.h"
#include "clients/recherche.h"
#include "clients/table_clients.h"
#include "common/erreurs.h"

#include "support/dossier_temporaire.h"
#include "support/plateforme_fausse.h"

#include <QDir>
#include <QFile>
#include <functional>
#include <gtest/gtest.h>

using namespace kyr;
using kyr::test::PlateformeFausse;

namespace {

std::string Contenu(const QString& chemin) {
    QFile f(chemin);
    if (!f.open(QIODevice::ReadOnly)) return "<absent>";
    return f.readAll().toStdString();
}

void Ecrit(const QString& chemin, const std::string& octets) {
    QFile f(chemin);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(octets.data(), static_cast<qint64>(octets.size()));
}

Lignes Client(const std::string& code, const std::string& nom) {
    return {"<CLI>" + code, nom, "rue " + nom, "75001 PARIS", ""};
}

Lignes Liste(std::initializer_list<Lignes> clients) {
    Lignes l;
    for (const auto& c : clients)
        l.insert(l.end(), c.begin(), c.end());
    return l;
}

std::vector<std::string> Noms(const TableClients& t) {
    std::vector<std::string> n;
    for (int r = 0; r <= t.DernierClient; ++r)
        n.push_back(t.Rangees[static_cast<std::size_t>(r)][1]);
    return n;
}

} // namespace

TEST(FichierClients, CarteOuverteEtFermeeReecritLaListeTrieeEtLeFichier) {
    test::DossierTemporaire dossier;
    // DURAND then ANDRE, a stray line, a header with an empty name line, and
    // ANDRE's record cut short at the end of the file (lone LF and CR accepted).
    Ecrit("Fact.cli", "<CLI>10005\r\nDURAND\r\n1 rue A\r\n75001 PARIS\r\n\r\n"
                      "ligne perdue\r\n<CLI>10007\r\n\r\nFANTOME\r\n\r\n\r\n"
                      "<CLI>10003\nANDRE\r\r\n");
    ListeClients l;
    l.Lignes_ = {"ancien"};
    l.ClientsModifies = true;
    ChargeCli(l);
    EXPECT_FALSE(l.ClientsModifies);
    ASSERT_EQ(l.Lignes_.size(), 14u);

    PlateformeFausse p;
    TableClients t(p);
    t.Init(l.Lignes_);
    EXPECT_EQ(Noms(t), (std::vector<std::string>{"ANDRE", "DURAND"}));
    t.LitFiche();
    EXPECT_EQ(t.Champs, (LigneClient{"10003", "ANDRE", "", "", ""}));
    ASSERT_TRUE(t.Fermer());
    t.Result(l.Lignes_);
    l.ClientsModifies = true; // as Gestcli does
    SauveCli(l);
    EXPECT_FALSE(l.ClientsModifies);
    EXPECT_EQ(Contenu("Fact.cli"), "<CLI>10003\r\nANDRE\r\n\r\n\r\n\r\n"
                                   "<CLI>10005\r\nDURAND\r\n1 rue A\r\n75001 PARIS\r\n\r\n");
}

TEST(FichierClients, ListeDejaTrieeNonTouchee) {
    PlateformeFausse p;
    TableClients t(p);
    Lignes l = Liste({Client("10002", "ANDRE"), {"ligne perdue"}, Client("10003", "BERNARD")});
    const Lignes avant = l;
    t.Init(l);
    t.LitFiche();
    ASSERT_TRUE(t.Fermer());
    t.Result(l);
    EXPECT_EQ(l, avant); // nothing exchanged, nothing typed: the list stays as it was
}

TEST(FichierClients, FichierAbsentOuEchecDEcriture) {
    test::DossierTemporaire dossier;
    ListeClients l;
    l.Lignes_ = Client("10002", "ANDRE");
    l.ClientsModifies = true;
    ChargeCli(l); // no file: the list keeps its lines
    EXPECT_EQ(l.Lignes_.size(), 5u);
    EXPECT_FALSE(l.ClientsModifies);
    SauveCli(l); // unchanged: nothing written
    EXPECT_FALSE(QFile::exists("Fact.cli"));

    l.ClientsModifies = true;
    EXPECT_THROW(SauveCli(l, dossier.chemin("absent/Fact.cli")), ErreurExecution);
    EXPECT_TRUE(l.ClientsModifies); // still to be written

    // A list whose file could not be read lacks that file's clients: it is
    // never saved, however often it is asked to be.
    ASSERT_TRUE(QDir().mkdir("illisible"));
    const QString illisible = QStringLiteral("illisible");
    EXPECT_THROW(ChargeCli(l, illisible), ErreurExecution);
    EXPECT_EQ(l.Lignes_.size(), 5u);
    for (int fois = 0; fois < 2; ++fois) {
        l.ClientsModifies = true;
        try {
            SauveCli(l);
            ADD_FAILURE() << "written over an unread file";
        } catch (const ErreurExecution& e) {
            EXPECT_TRUE(e.message().contains(QString::fromUtf8("n'a pas pu être lu"))) << fois;
        }
        EXPECT_TRUE(l.ClientsModifies);
    }
    EXPECT_FALSE(QFile::exists("Fact.cli"));
}

TEST(FichierClients, EnteteDeFiche) {
    struct Cas {
        const char* ligne;
        bool entete;
    };
    for (const Cas& c :
         {Cas{"<CLI>10002", true}, Cas{"<CLI>", true}, Cas{"<CLI>7", true},
          Cas{"<CLI>123456", false}, Cas{"<cli>10002", false}, Cas{"<CLI> 10002", false},
          Cas{"<CLI>1000A", false}, Cas{"", false}, Cas{"<CLI", false}})
        EXPECT_EQ(EstEnteteClient(c.ligne), c.entete) << c.ligne;
}

TEST(CarteClients, LignesQuiNeSontPasDesFiches) {
    PlateformeFausse p;
    TableClients t(p);
    // A coordinates line that reads like a header starts a record of its own.
    t.Init({"<CLI>123456", "SIX", "<cli>10002", "MINUSCULE", "<CLI>10004", "MARTIN", "<CLI>10009",
            "DANS L'ADRESSE", "", ""});
    ASSERT_EQ(t.DernierClient, 1);
    EXPECT_EQ(t.Rangees[0], (LigneClient{"10009", "DANS L'ADRESSE", "", "", ""}));
    EXPECT_EQ(t.Rangees[1], (LigneClient{"10004", "MARTIN", "<CLI>10009", "DANS L'ADRESSE", ""}));
}

TEST(CarteClients, LaListeRecritSurElleMemeEgaleLaListeRecriteAilleurs) {
    // The card reads its rows in the client list and, rewriting that very
    // list, moves the texts out of it: records sharing lines (a coordinates
    // line that reads like a header), a record cut short at the end, stray
    // lines, rows edited, added and deleted.
    const Lignes partages = {"<CLI>10004", "MARTIN", "<CLI>10009", "DANS L'ADRESSE",
                             "",           "",       "perdue",     "<CLI>10003",
                             "ANDRE",      "1 rue",  "<CLI>10001", "ZOE"};
    struct Cas {
        const char* nom;
        Lignes liste;
        std::function<void(TableClients&)> edite;
    };
    const std::vector<Cas> cas = {
        {"lignes partagees", partages, [](TableClients&) {}},
        {"ligne partagee modifiee", partages,
         [](TableClients& t) {
             t.Selectionne(2); // MARTIN, whose lines DANS L'ADRESSE reads too
             t.Champs[2] = "<CLI>10010";
             ASSERT_TRUE(t.Suivant());
         }},
        {"ajout et suppression",
         Liste({Client("10005", "ZOE"), Client("10002", "ANDRE"), Client("10003", "MARTIN")}),
         [](TableClients& t) {
             t.Selectionne(1);
             t.Supprimer();
             ASSERT_TRUE(t.Ajouter());
             t.Champs = {"10009", "BERNARD", "", "", "2 rue"};
             ASSERT_TRUE(t.Fermer());
         }},
    };
    for (const Cas& c : cas) {
        SCOPED_TRACE(c.nom);
        PlateformeFausse p;
        Lignes meme = c.liste, ailleurs;
        TableClients t(p), copie(p);
        t.Init(meme);
        copie.Init(Lignes(c.liste));
        c.edite(t);
        c.edite(copie);
        ASSERT_TRUE(t.FicheModifiee);
        t.Result(meme);
        copie.Result(ailleurs);
        EXPECT_EQ(meme, ailleurs);
        EXPECT_EQ(meme.size() % 5, 0u);
    }
}

TEST(CarteClients, TriSurLesOctets) {
    PlateformeFausse p;
    TableClients t(p);
    // Windows-1252: Éric is C9, zoé ends in E9.
    t.Init(Liste({Client("10001", "\xC9ric"), Client("10002", "zo\xE9"), Client("10003", "dupont"),
                  Client("10004", "ZOLA"), Client("10005", "DURAND"), Client("10006", "DUR"),
                  Client("10007", "Alain")}));
    EXPECT_EQ(Noms(t), (std::vector<std::string>{"Alain", "DUR", "DURAND", "ZOLA", "dupont",
                                                 "zo\xE9", "\xC9ric"}));
    EXPECT_TRUE(t.FicheModifiee);
    EXPECT_EQ(t.Rangees[6][0], "10001"); // whole rows move together
    EXPECT_EQ(t.Rangees[6][2], "rue \xC9ric");
}

// The card's sort as the client card describes it: an exchange sort by name.
// Rows of equal names come out in the order its exchanges leave them.
std::vector<LigneClient> TriParEchanges(std::vector<LigneClient> r) {
    for (std::size_t i = 0; i + 1 < r.size(); ++i)
        for (std::size_t j = i + 1; j < r.size(); ++j)
            if (r[i][1] > r[j][1]) std::swap(r[i], r[j]);
    return r;
}

TEST(CarteClients, TriDesNomsEgauxCommeLEchange) {
    // Few names, many clients sharing them: every kind of interleaving.
    // Then long names alike in their first 8 or 16 bytes, and a zero byte
    // against the end of a shorter name.
    const std::vector<std::string> noms = {"B",
                                           "A",
                                           "C",
                                           "A",
                                           "\xC9",
                                           "b",
                                           "B",
                                           "AB",
                                           "ETABLISSEMENTS DUPONT",
                                           "ETABLISSEMENTS DUPOND",
                                           "ETABLISSEMENTS DUPONT ET FILS",
                                           "ETABLISS",
                                           "ETABLISSEMENTS D",
                                           std::string("AB\0", 3),
                                           std::string("ETABLISS\0\x01", 10),
                                           "ETABLISSEMENTS"};
    std::uint32_t graine = 12345;
    const auto hasard = [&graine](std::uint32_t n) {
        graine = graine * 1103515245u + 12345u;
        return (graine >> 16) % n;
    };
    for (int essai = 0; essai < 400; ++essai) {
        const std::size_t taille = hasard(40);
        const std::size_t varietes = 1 + hasard(static_cast<std::uint32_t>(noms.size()));
        Lignes l;
        for (std::size_t k = 0; k < taille; ++k) {
            const Lignes c = Client(std::to_string(10002 + k), noms[hasard(varietes)]);
            l.insert(l.end(), c.begin(), c.end());
        }
        PlateformeFausse p;
        TableClients t(p);
        t.Init(l);
        std::vector<LigneClient> avant;
        for (std::size_t i = 0; i < l.size(); i += 5)
            avant.push_back({l[i].substr(5), l[i + 1], l[i + 2], l[i + 3], l[i + 4]});
        const std::vector<LigneClient> attendu = TriParEchanges(avant);
        std::vector<LigneClient> rangees;
        for (std::size_t r = 0; r < taille; ++r)
            rangees.push_back(t.Rangees[r]);
        ASSERT_EQ(rangees, attendu) << "essai " << essai;
        EXPECT_EQ(t.FicheModifiee, attendu != avant) << "essai " << essai;
    }
}

TEST(CarteClients, NavigationEtPageSuivanteSurLeDernier) {
    PlateformeFausse p;
    TableClients t(p);
    t.Init(Liste({Client("10002", "ANDRE"), Client("10003", "BERNARD")}));
    t.LitFiche();
    t.Champs[2] = "2 rue B";
    t.Suivant(); // writes the card, then moves
    EXPECT_EQ(t.Courante, 1);
    EXPECT_EQ(t.Rangees[0][2], "2 rue B");
    t.Champs[1] = "BERNARD ET FILS";
    t.Suivant(); // last client: only writes
    EXPECT_EQ(t.Courante, 1);
    EXPECT_EQ(t.Rangees[1][1], "BERNARD ET FILS");
    t.Precedent();
    t.Precedent();
    EXPECT_EQ(t.Courante, 0);
    EXPECT_EQ(t.Champs[1], "ANDRE");
    t.Champs[1] = "perdu";
    t.Selectionne(1); // a grid click does not write the card
    EXPECT_EQ(t.Rangees[0][1], "ANDRE");
}

TEST(CarteClients, Supprimer) {
    PlateformeFausse p;
    TableClients t(p);
    t.Init(Client("10002", "SEUL"));
    t.LitFiche();
    t.Supprimer(); // the last remaining client stays
    EXPECT_EQ(t.DernierClient, 0);
    EXPECT_FALSE(t.FicheModifiee);

    t.Init(Liste({Client("10002", "A"), Client("10003", "B"), Client("10004", "C")}));
    t.LitFiche();
    t.Supprimer(); // the card shows the client that followed
    EXPECT_EQ(t.DernierClient, 1);
    EXPECT_EQ(t.Champs[1], "B");
    t.Suivant();
    t.Supprimer(); // the last one: an empty row is shown
    EXPECT_EQ(t.DernierClient, 0);
    EXPECT_EQ(t.Courante, 1);
    EXPECT_EQ(t.Champs, LigneClient{});
    t.Supprimer(); // nothing to delete on the empty row
    EXPECT_EQ(t.DernierClient, 0);
    Lignes l;
    t.Result(l);
    EXPECT_EQ(l, Client("10003", "B"));
}

TEST(CarteClients, AjouterAccepteUnCodeNeufDeUnACinqChiffres) {
    PlateformeFausse p;
    TableClients t(p);
    t.Init(Liste({Client("10002", "ZOE"), Client("10003", "ANDRE")}));
    t.LitFiche();
    t.Ajouter();
    EXPECT_EQ(t.Courante, 2);
    EXPECT_TRUE(t.CodeModifiable);
    EXPECT_EQ(t.Champs, LigneClient{});
    t.Champs = {"10010", "MARTIN", "", "", ""};
    ASSERT_TRUE(t.Fermer());
    EXPECT_TRUE(p.messages.empty());
    Lignes l;
    t.Result(l);
    // Sorted when the card opened; the new client stays where it was added.
    EXPECT_EQ(l, Liste({Client("10003", "ANDRE"),
                        Client("10002", "ZOE"),
                        {"<CLI>10010", "MARTIN", "", "", ""}}));
}

TEST(CarteClients, AjouterRefuseUnCodeIllisibleOuDejaPris) {
    struct Cas {
        std::string code;
        const char* message;
    };
    for (const Cas& c : {Cas{"ABC", "Le code client doit être fait de un à cinq chiffres."},
                         Cas{"", "Le code client doit être fait de un à cinq chiffres."},
                         Cas{"123456", "Le code client doit être fait de un à cinq chiffres."},
                         Cas{"1 2", "Le code client doit être fait de un à cinq chiffres."},
                         Cas{"10002", "Le code client 10002 est déjà celui de ANDRE."}}) {
        PlateformeFausse p;
        TableClients t(p);
        t.Init(Client("10002", "ANDRE"));
        t.LitFiche();
        t.Ajouter();
        t.Champs = {c.code, "MARTIN", "", "", ""};
        // Every way of writing the card refuses it and keeps the card open on it.
        EXPECT_FALSE(t.Fermer()) << c.code;
        t.Precedent();
        t.Suivant();
        t.Ajouter();
        EXPECT_EQ(t.Courante, 1);
        EXPECT_EQ(t.DernierClient, 1);
        EXPECT_TRUE(t.CodeModifiable);
        EXPECT_EQ(t.Champs[1], "MARTIN");
        EXPECT_EQ(t.Rangees[1], LigneClient{});
        ASSERT_EQ(p.messages.size(), 4u) << c.code;
        EXPECT_EQ(p.messages[0], QString::fromUtf8(c.message));

        t.Champs[0] = "10004"; // mended: accepted
        EXPECT_TRUE(t.Fermer());
        EXPECT_EQ(t.Rangees[1][0], "10004");
    }
}

// A client without a name would be skipped when the file is read again, and
// lost at the next rewrite: the card keeps it open until a name is typed.
TEST(CarteClients, UnClientGardeUnNom) {
    PlateformeFausse p;
    TableClients t(p);
    t.Init(Liste({Client("10002", "ANDRE"), Client("10003", "ZOE")}));
    t.LitFiche();
    t.Champs[1].clear(); // the name of an existing client erased
    EXPECT_FALSE(t.Suivant());
    EXPECT_EQ(t.Courante, 0);
    EXPECT_EQ(t.Rangees[0][1], "ANDRE");
    t.Champs[1] = "ANDRE";
    ASSERT_TRUE(t.Ajouter());
    t.Champs = {"10004", "", "1 rue Haute", "", ""}; // a new client with no name
    EXPECT_FALSE(t.Fermer());
    ASSERT_EQ(p.messages.size(), 2u);
    EXPECT_TRUE(p.messages[0].startsWith("Le nom du client"));
    t.Champs[1] = "MARTIN";
    EXPECT_TRUE(t.Fermer());
    Lignes l;
    t.Result(l);
    TableClients relu(p);
    relu.Init(l);
    EXPECT_EQ(relu.DernierClient, 2);
}

TEST(CarteClients, NouvelleFicheLaisseeVideNEstPasUnClient) {
    PlateformeFausse p;
    TableClients t(p);
    t.Init(Client("10002", "ANDRE"));
    t.LitFiche();
    t.Ajouter();
    t.Ajouter(); // the first new card, untouched, is let go
    EXPECT_EQ(t.DernierClient, 1);
    ASSERT_TRUE(t.Fermer());
    EXPECT_EQ(t.DernierClient, 0);
    EXPECT_TRUE(p.messages.empty());
    Lignes l;
    t.Result(l);
    EXPECT_EQ(l, Client("10002", "ANDRE"));
}

TEST(CarteClients, RangeesDeReserveAuDelaDeSoixanteClients) {
    PlateformeFausse p;
    TableClients t(p);
    Lignes l;
    for (int i = 0; i < 61; ++i) {
        const Lignes c = Client(std::to_string(10100 + i), "N" + std::to_string(100 + i));
        l.insert(l.end(), c.begin(), c.end());
    }
    t.Init(l);
    EXPECT_EQ(t.DernierClient, 60);
    EXPECT_EQ(t.Rangees.size(), 65u);
    t.LitFiche();
    for (int i = 0; i < 5; ++i) {
        t.Ajouter();
        t.Champs = {std::to_string(10200 + i), "NOUVEAU", "", "", ""};
    }
    ASSERT_TRUE(t.Fermer());
    EXPECT_EQ(t.DernierClient, 65);
    EXPECT_EQ(t.Rangees.size(), 70u);
    EXPECT_EQ(t.Rangees[65][0], "10204");
    EXPECT_EQ(t.Rangees[66], LigneClient{});
}

TEST(CarteClients, ChercherUnCodeExact) {
    PlateformeFausse p;
    TableClients t(p);
    t.Init(Liste({Client("10005", "ANDRE"), Client("10002", "ZOE")}));
    t.LitFiche();
    t.Champs[1] = "perdu";
    EXPECT_TRUE(t.Chercher("10002"));
    EXPECT_EQ(t.Courante, 1);
    EXPECT_EQ(t.Champs[1], "ZOE");
    EXPECT_EQ(t.Rangees[0][1], "ANDRE"); // what was typed on the other card is dropped
    EXPECT_FALSE(t.Chercher("1002"));
    EXPECT_EQ(t.Courante, 1);
    ASSERT_EQ(p.messages.size(), 1u);
    EXPECT_EQ(p.messages[0], QString::fromUtf8("Client non trouvé"));
}
