// Hostile files: every file the program reads, empty, binary, with NUL bytes,
// made of one line of megabytes, or of lines of 254 to 256 bytes. The program
// reads them, shows every document, expands the glossary, opens the client
// card and saves: no crash, no endless wait, and every message it shows
// quotes the data only in part.
#include "book/facture.h"
#include "clients/table_clients.h"
#include "common/erreurs.h"
#include "common/texte.h"
#include "shell/coquille.h"
#include "shell/livre_simple.h"
#include "support/dossier_temporaire.h"
#include "support/plateforme_fausse.h"
#include "utilities/bloc_notes.h"

#include <QRandomGenerator>
#include <gtest/gtest.h>

namespace kyr {
namespace {

using test::PlateformeFausse;

std::string Binaire(std::size_t taille) {
    QRandomGenerator g(13);
    std::string s(taille, '\0');
    for (char& c : s)
        c = static_cast<char>(g.bounded(256));
    return s;
}

std::string Joint(const Lignes& l) {
    return JoinLignes(l);
}

// A valid book with one line replaced by `ligne`.
std::string LivreAvec(std::size_t rang, const std::string& ligne) {
    Lignes l = test::LivreSimple("Dupont");
    l[rang] = ligne;
    return Joint(l);
}

struct Contenu {
    const char* nom;
    std::string octets;
};

std::vector<Contenu> Contenus() {
    const std::string mega(3 << 20, '7');
    std::vector<Contenu> c = {
        {"vide", ""},
        {"binaire", Binaire(1 << 16)},
        {"octets nuls", std::string("<BLOC0000>\0\r\nNUMF\0\0\r\n\0\0\0\r\n</BLOC0000>\r\n", 40)},
        {"livre aux octets nuls", LivreAvec(6, std::string("Du\0pont", 7))},
        {"une ligne de 3 Mo", mega},
        {"livre dont la date fait 3 Mo", LivreAvec(2, mega)},
        {"livre dont le numéro de bloc fait 3 Mo", LivreAvec(0, "<BLOC" + mega + ">")},
        {"livre dont une ligne FACT fait 3 Mo", LivreAvec(11, "FACT" + mega)},
    };
    for (const std::size_t n : {254u, 255u, 256u}) {
        const std::string x(n, 'x');
        c.push_back({"lignes de 254 à 256 octets", Joint({x, x, x, x, x, x, x, x, x, x, x, x, x})});
        c.push_back({"livre à la ligne FACT longue", LivreAvec(11, "FACT" + x + "\t1\t2\t\t2\t1")});
        c.push_back({"livre au client long", LivreAvec(6, x)});
        c.push_back({"fichier client au nom long", Joint({"<CLI>10002", x, x, x, x})});
        c.push_back({"glossaire à l'expansion longue", Joint({"\t" + x, "X\t" + x})});
    }
    return c;
}

// What the user is shown stays short enough to read (and to lay out).
void MessagesCourts(const PlateformeFausse& p, const QString& leve) {
    constexpr qsizetype Max = 400;
    for (const test::BoiteVue& q : p.questions)
        EXPECT_LE(q.texte.size(), Max);
    for (const QString& m : p.messages)
        EXPECT_LE(m.size(), Max);
    for (const QString& e : p.erreurs)
        EXPECT_LE(e.size(), Max) << e.left(100).toStdString();
    EXPECT_LE(leve.size(), Max) << leve.left(100).toStdString();
}

TEST(FichiersHostiles, ChaqueLecteurLesSupporte) {
    for (const Contenu& k : Contenus()) {
        SCOPED_TRACE(k.nom);
        test::DossierTemporaire dossier;
        for (const char* nom :
             {"livre.fct", "Fact.cli", "KyrFact.ini", "Fact.Glo", "Fact.soc", "Fact.nte"})
            EcritOctets(nom, k.octets);

        PlateformeFausse p;
        p.pendantQuestion = [&p] { p.reponses.push_back(Bouton::Oui); };
        Facture f(p);
        Coquille c(f, p);
        QString leve;
        try {
            f.Activation();
            p.nomsOuvrir.push_back(dossier.chemin("livre.fct"));
            c.Ouvrir();
            // Every document shown, from the first to the last.
            for (int i = 0; i < std::min(f.NbFiches, 20); ++i)
                f.Suivant();
            f.Premier();
            // The glossary's expansion in the designation of the first row.
            f.fiche.Cellules[1][0].clear();
            f.StringGrid1KeyPress(0, 1, ' ');
            f.fiche.Cellules[1][0] = "X";
            f.StringGrid1KeyPress(0, 1, ' ');
            EXPECT_LE(f.fiche.Cellules[1][0].size(), 255u);
            // The client card on the client list, and back.
            TableClients carte(p);
            carte.Init(f.clients.Lignes_);
            carte.Result(f.clients.Lignes_);
            // The note.
            try {
                ChargeNote(QStringLiteral("Fact.nte"));
            } catch (const ErreurExecution& e) {
                MessagesCourts(p, e.message());
            }
            // Saved under another name and read again.
            f.Modifie();
            p.nomsEnregistrer.push_back(dossier.chemin("copie.fct"));
            c.EnregistrerSous();
            p.nomsOuvrir.push_back(dossier.chemin("copie.fct"));
            c.Ouvrir();
        } catch (const ErreurExecution& e) {
            leve = e.message();
        }
        MessagesCourts(p, leve);
    }
}

} // namespace
} // namespace kyr
