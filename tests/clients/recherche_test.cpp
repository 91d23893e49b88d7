#include "clients/recherche.h"
#include "common/erreurs.h"

#include "clients/dialogues_clients_faux.h"
#include "support/plateforme_fausse.h"

#include <gtest/gtest.h>

using namespace kyr;
using kyr::test::DialoguesClientsFaux;
using kyr::test::PlateformeFausse;

namespace {

Lignes Client(const std::string& code, const std::string& nom, const std::string& l2 = "") {
    return {"<CLI>" + code, nom, l2, "75001 PARIS", ""};
}

template <class... L> Lignes Concat(const L&... l) {
    Lignes r;
    (r.insert(r.end(), l.begin(), l.end()), ...);
    return r;
}

// A stored document of block n for the given client code and name.
Lignes Bloc(int n, const std::string& code, const std::string& nom) {
    char num[8];
    std::snprintf(num, sizeof num, "%04d", n);
    return {"<BLOC" + std::string(num) + ">",
            "NUMF200103" + std::string(num + 1),
            "15/03/2001",
            code,
            "",
            "Facture",
            nom,
            "",
            "",
            "",
            "TTCN",
            "FACTArticle\t1\t10,00\t\t10,00\t1",
            "</BLOC" + std::string(num) + ">"};
}

struct Montage {
    PlateformeFausse p;
    Facture f{p};
    DialoguesClientsFaux d;
    RechercheClients r;
};

} // namespace

TEST(CodeClient, FiltreDesTouches) {
    EXPECT_EQ(Edit1KeyPress('\b'), ToucheCode::Passe);
    EXPECT_EQ(Edit1KeyPress('*'), ToucheCode::Etoile);
    for (char c = '0'; c <= '9'; ++c)
        EXPECT_EQ(Edit1KeyPress(c), ToucheCode::Passe);
    for (char c : {'a', 'Z', ' ', '-', '+', '\r', '\xE9'})
        EXPECT_EQ(Edit1KeyPress(c), ToucheCode::Avalee) << c;
}

TEST(CodeClient, CodeSuivantNeCompteQueLesEntetes) {
    struct Cas {
        Lignes liste;
        std::string attendu;
    };
    const Cas cas[] = {
        {{}, "10002"},
        {Concat(Client("10002", "A"), Client("10007", "B")), "10008"},
        {Concat(Client("00003", "A")), "10002"},
        // Telephone and fax numbers in address lines no longer count.
        {Concat(Client("10002", "A", "Fax: 123456"), Client("10003", "Tel: 0000054321")), "10004"},
        {Concat(Client("10002", "A", "12345678901234")), "10003"}, // would not fit 32 bits
        // A header in lower case is found by the look-up: its code is taken.
        {{"<cli>10050", "MINUSCULE"}, "10051"},
        {{"<CLI>", "SANS CODE", "<CLI>123456", "<CLI>99999x"}, "10002"},
        // Past 99999 the first free five-digit code is taken.
        {Concat(Client("10002", "A"), Client("99999", "MAX")), "10003"},
    };
    for (const Cas& c : cas)
        EXPECT_EQ(CodeClientSuivant(c.liste), c.attendu) << c.attendu;
}

TEST(CodeClient, PlusAucunCodeLibre) {
    Lignes pleine;
    for (int c = 10002; c <= 99999; ++c)
        pleine.push_back("<CLI>" + std::to_string(c));
    EXPECT_THROW(CodeClientSuivant(pleine), ErreurExecution);
}

TEST(CodeClient, SortieDuChampCompleteEtRemplitLAdresse) {
    struct Cas {
        std::string tape, code, nom;
    };
    const Lignes liste =
        Concat(Client("10005", "DURAND"), Client("10023", "MARTIN"),
               Lignes{"<cli>17890", "minuscule", "", "", ""}, Client("10456", "COURT"));
    for (const Cas& c :
         {Cas{"5", "10005", "DURAND"}, Cas{"23", "10023", "MARTIN"}, Cas{"456", "10456", "COURT"},
          Cas{"7890", "17890", "minuscule"}, Cas{"10005", "10005", "DURAND"},
          // A code beginning with 0, or empty, is not looked up.
          Cas{"0123", "0123", ""}, Cas{"05", "05", ""}, Cas{"", "", ""}}) {
        Montage m;
        m.f.clients.Lignes_ = liste;
        m.f.fiche.CodeClient = c.tape;
        m.r.Edit1Exit(m.f, m.d);
        EXPECT_EQ(m.f.fiche.CodeClient, c.code) << c.tape;
        EXPECT_EQ(m.f.fiche.Adresse[0], c.nom) << c.tape;
        EXPECT_EQ(m.f.DocumentModifie, !c.nom.empty()) << c.tape;
        EXPECT_TRUE(m.p.questions.empty());
    }
}

TEST(CodeClient, EtoileDonneUnCodeNeufEtCreeLeClient) {
    Montage m;
    m.f.clients.Lignes_ = Concat(Client("10002", "A"), Client("10007", "B", "Fax: 123456"));
    m.f.fiche.CodeClient = "*";
    m.p.reponses = {Bouton::Oui};
    m.d.nouveaux = {std::array<std::string, 4>{"NOUVEAU", "3 rue C", "", "LYON"}};
    m.r.Edit1Exit(m.f, m.d);
    ASSERT_EQ(m.p.questions.size(), 1u);
    EXPECT_EQ(m.p.questions[0].titre, "Avertissement");
    EXPECT_EQ(m.p.questions[0].texte, QString::fromUtf8("Créer le client ?"));
    EXPECT_EQ(m.p.questions[0].icone, Icone::Avertissement);
    EXPECT_EQ(m.p.questions[0].boutons, (std::vector<Bouton>{Bouton::Oui, Bouton::Non}));
    EXPECT_EQ(m.d.codesProposes, std::vector<std::string>{"10008"});
    EXPECT_EQ(m.f.fiche.CodeClient, "10008");
    EXPECT_EQ(m.f.fiche.Adresse, (std::array<std::string, 4>{"NOUVEAU", "3 rue C", "", "LYON"}));
    EXPECT_TRUE(m.f.clients.ClientsModifies);
    EXPECT_EQ(Lignes(m.f.clients.Lignes_.end() - 5, m.f.clients.Lignes_.end()),
              (Lignes{"<CLI>10008", "NOUVEAU", "3 rue C", "", "LYON"}));
}

TEST(CodeClient, CreationRefuseeOuSansNom) {
    const Lignes liste = Client("10002", "A");
    { // No: the completed code stays, the address is untouched
        Montage m;
        m.f.clients.Lignes_ = liste;
        m.f.fiche.CodeClient = "9";
        m.f.fiche.Adresse[0] = "AVANT";
        m.p.reponses = {Bouton::Non};
        m.r.Edit1Exit(m.f, m.d);
        EXPECT_EQ(m.f.fiche.CodeClient, "10009");
        EXPECT_EQ(m.f.fiche.Adresse[0], "AVANT");
        EXPECT_TRUE(m.d.codesProposes.empty());
        EXPECT_EQ(m.f.clients.Lignes_, liste);
    }
    for (auto reponse : {std::optional<std::array<std::string, 4>>{},
                         std::optional<std::array<std::string, 4>>{{"", "rue", "", ""}}}) {
        Montage m; // Yes, then cancelled or no name: nothing is created
        m.f.clients.Lignes_ = liste;
        m.f.fiche.CodeClient = "10009";
        m.p.reponses = {Bouton::Oui};
        m.d.nouveaux = {reponse};
        m.r.ChercheCli(m.f, m.d);
        EXPECT_EQ(m.f.clients.Lignes_, liste);
        EXPECT_FALSE(m.f.clients.ClientsModifies);
        EXPECT_EQ(m.f.fiche.Adresse[0], "");
    }
}

TEST(CodeClient, ApresLaListeCreationSansQuestion) {
    Montage m;
    m.f.clients.Lignes_ = Concat(Client("10005", "DURAND", "1 rue A"));
    m.d.choix = {"10005", ""};
    m.r.Button1Click(m.f, m.d);
    EXPECT_TRUE(m.r.ChoixDansListe);
    EXPECT_EQ(m.f.fiche.CodeClient, "10005");
    EXPECT_EQ(m.f.fiche.Adresse[1], "1 rue A");
    m.r.Button1Click(m.f, m.d); // nothing chosen: nothing changes
    EXPECT_EQ(m.f.fiche.CodeClient, "10005");
    EXPECT_EQ(m.d.listesOuvertes, 2);

    m.f.fiche.CodeClient = "42";
    m.d.nouveaux = {std::array<std::string, 4>{"DIRECT", "", "", ""}};
    m.r.Edit1Exit(m.f, m.d);
    EXPECT_TRUE(m.p.questions.empty());
    EXPECT_EQ(m.d.codesProposes, std::vector<std::string>{"10042"});
    EXPECT_EQ(m.f.fiche.Adresse[0], "DIRECT");
}

namespace {

// Documents 0..3: clients 10005 Durand, 10002 DURAND SA, 10005 DURAND, 10007 ÉLISE.
Montage* LivreDeQuatre(Montage& m) {
    m.f.Livre = Concat(Lignes{" "}, Bloc(0, "10005", "Durand"), Bloc(1, "10002", "DURAND SA"),
                       Bloc(2, "10005", "DURAND"), Bloc(3, "10007", "\xC9LISE"),
                       Bloc(4, "10002", "Durand "));
    m.f.NbFiches = 5;
    m.f.FicheCourante = 1;
    m.f.LitFiche();
    return &m;
}

} // namespace

TEST(RechercheDocuments, ParCodePuisSuivant) {
    Montage m;
    LivreDeQuatre(m);
    EXPECT_FALSE(m.r.FactCli(m.f, m.d, 2)); // F3 before any search: nothing
    EXPECT_EQ(m.f.FicheCourante, 1);

    m.d.codes = {"10005"};
    ASSERT_TRUE(m.r.FactCli(m.f, m.d, 0));
    EXPECT_EQ(m.f.FicheCourante, 0);
    EXPECT_EQ(m.f.fiche.Adresse[0], "Durand");
    EXPECT_EQ(m.r.DecalageRecherche, 3);
    ASSERT_TRUE(m.r.FactCli(m.f, m.d, 2));
    EXPECT_EQ(m.f.FicheCourante, 2);
    EXPECT_FALSE(m.r.FactCli(m.f, m.d, 2)); // no wrap-around
    EXPECT_EQ(m.f.FicheCourante, 2);

    m.d.codes = {"5"}; // the code is compared as typed
    EXPECT_FALSE(m.r.FactCli(m.f, m.d, 0));
    EXPECT_EQ(m.f.FicheCourante, 2);
    m.d.codes = {""}; // cancelled: the search state is kept
    EXPECT_FALSE(m.r.FactCli(m.f, m.d, 0));
    EXPECT_EQ(m.r.TexteRecherche, "5");
}

TEST(RechercheDocuments, ParNomLigneEntiereEtCapitalesAaZ) {
    struct Cas {
        std::string nom;
        std::vector<int> trouves;
    };
    // TFindNom gives the name with a-z in capitals: durand -> DURAND, élise -> éLISE.
    for (const Cas& c : {Cas{"DURAND", {0, 2}}, Cas{"DURAND SA", {1}}, Cas{"\xE9LISE", {}},
                         Cas{"\xC9LISE", {3}}, Cas{"DUR", {}}}) {
        Montage m;
        LivreDeQuatre(m);
        m.f.FicheCourante = 4;
        m.f.LitFiche();
        m.d.noms = {c.nom};
        std::vector<int> trouves;
        for (int mode = 1; m.r.FactCli(m.f, m.d, mode); mode = 2)
            trouves.push_back(m.f.FicheCourante);
        EXPECT_EQ(trouves, c.trouves) << c.nom;
        EXPECT_EQ(m.r.DecalageRecherche, 6);
    }
}

TEST(RechercheDocuments, LeDocumentEnCoursEstRangeAvantDAfficherLeTrouve) {
    Montage m;
    LivreDeQuatre(m); // document 1 shown
    m.f.fiche.Memo = {"note tapee"};
    m.f.Modifie();
    m.d.codes = {"10005"};
    ASSERT_TRUE(m.r.FactCli(m.f, m.d, 0));
    EXPECT_EQ(m.f.FicheCourante, 0);
    const auto memo = std::find(m.f.Livre.begin(), m.f.Livre.end(), "MEMOnote tapee");
    EXPECT_NE(memo, m.f.Livre.end());
    // Document 1 now stands at the end of the book; the search still finds
    // document 2, which followed it.
    ASSERT_TRUE(m.r.FactCli(m.f, m.d, 2));
    EXPECT_EQ(m.f.FicheCourante, 2);
    EXPECT_FALSE(m.r.FactCli(m.f, m.d, 2));
}

TEST(RechercheDocuments, LeDocumentAfficheTrouveGardeSesModifications) {
    Montage m;
    LivreDeQuatre(m);
    m.f.FicheCourante = 0;
    m.f.LitFiche();
    m.f.fiche.Memo = {"en cours"};
    m.f.Modifie();
    m.d.codes = {"10005"};
    EXPECT_FALSE(m.r.FactCli(m.f, m.d, 0)); // the match is the shown document
    EXPECT_EQ(m.f.fiche.Memo, Lignes{"en cours"});
    ASSERT_TRUE(m.r.FactCli(m.f, m.d, 2)); // F3 goes on to the next one
    EXPECT_EQ(m.f.FicheCourante, 2);
}
