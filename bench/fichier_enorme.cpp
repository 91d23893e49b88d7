// Writes each of the program's files at about 100 MB into a folder, then reads
// each through the program's logic as the program does at start or on its
// command, timing it: nothing may crash, each read must end within the bound,
// and each must end as the program says it does. Prints one line a file; the
// exit code is 1 when a check fails.
//   fichier_enorme DOSSIER [MEGAOCTETS [SECONDES]]
#include "book/bloc.h"
#include "book/facture.h"
#include "book/glossaire.h"
#include "book/liste_clients.h"
#include "book/reglages.h"
#include "book/societe.h"
#include "clients/dialogues_clients_faux.h"
#include "clients/recherche.h"
#include "clients/table_clients.h"
#include "common/erreurs.h"
#include "einvoice/fichiers_tiers.h"
#include "generateur/generateur.h"
#include "support/plateforme_fausse.h"
#include "utilities/bloc_notes.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <chrono>
#include <cstdio>
#include <functional>
#include <sys/resource.h>

using namespace kyr;

namespace {

std::size_t Taille = 100u << 20; // bytes each file reaches at least
double Limite = 60;              // seconds a read may take

// `motif` repeated until the file holds Taille bytes, or until it gives
// nothing when jusquAuBout; written in pieces.
void Ecrit(const QString& chemin, const Lignes& debut, const std::function<Lignes(int)>& motif,
           bool jusquAuBout = false) {
    QFile f(chemin);
    if (!f.open(QIODevice::WriteOnly)) throw std::runtime_error("écriture impossible");
    std::string s = JoinLignes(debut);
    for (int k = 0; jusquAuBout || static_cast<std::size_t>(f.size()) + s.size() < Taille; ++k) {
        const Lignes l = motif(k);
        if (l.empty()) break; // all there is
        s += JoinLignes(l);
        if (s.size() > (8u << 20)) {
            f.write(s.data(), static_cast<qint64>(s.size()));
            s.clear();
        }
    }
    f.write(s.data(), static_cast<qint64>(s.size()));
}

long PicMemoireMo() {
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return u.ru_maxrss / 1024;
}

bool echec = false;

// Runs one read; `attendu` tells from its outcome (a message, or empty when it
// went through) whether that is what the program documents.
void Essai(const char* nom, const QString& chemin, const std::function<QString()>& lecture,
           const std::function<bool(const QString&)>& attendu) {
    const auto t0 = std::chrono::steady_clock::now();
    QString issue;
    try {
        issue = lecture();
    } catch (const ErreurExecution& e) {
        issue = QStringLiteral("message : ") + e.message();
    } catch (const std::exception& e) {
        issue = QStringLiteral("exception : ") + QString::fromLocal8Bit(e.what());
    }
    const double s = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
    const bool ok = s <= Limite && attendu(issue);
    echec = echec || !ok;
    std::printf("%-12s %4lld Mo  %6.2f s  mémoire %5ld Mo  %s  %s\n", nom,
                static_cast<long long>(QFileInfo(chemin).size() >> 20), s, PicMemoireMo(),
                ok ? "bon" : "ÉCHEC", issue.toUtf8().constData());
    std::fflush(stdout);
}

bool Commence(const QString& issue, const char* debut) {
    return issue.startsWith(QString::fromUtf8(debut));
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    if (argc < 2) {
        std::fputs("usage : fichier_enorme DOSSIER [MEGAOCTETS [SECONDES]]\n", stderr);
        return 2;
    }
    const QDir dossier(QString::fromLocal8Bit(argv[1]));
    if (argc > 2) Taille = std::stoul(argv[2]) << 20;
    if (argc > 3) Limite = std::stod(argv[3]);
    const auto chemin = [&](const char* nom) { return dossier.filePath(QString::fromLatin1(nom)); };

    // The largest book the program writes: 10,000 documents (it refuses to
    // add more), each of 63 lines long enough to make the size.
    const std::size_t large = std::max<std::size_t>(Taille / (NbFichesMax * 63), 60) - 30;
    const auto bloc = [large](int k) {
        char n[8];
        std::snprintf(n, sizeof n, "%04d", k);
        Lignes b{"<BLOC" + std::string(n) + ">",
                 "NUMF2001" + std::string(n) + "1",
                 "15/03/2001",
                 "10002",
                 "A r\xE9"
                 "ception",
                 "Facture",
                 "Client " + std::to_string(k),
                 "",
                 "",
                 "",
                 "TTCN"};
        for (int l = 1; l <= 63; ++l)
            b.push_back("FACTArticle " + std::to_string(l) + " " + std::string(large, 'x') +
                        "\t1\t100\t\t100,00\t1");
        b.push_back("</BLOC" + std::string(n) + ">");
        return b;
    };
    Ecrit(
        chemin("livre.fct"), {}, [&](int k) { return k < NbFichesMax ? bloc(k) : Lignes{}; }, true);
    // A book no copy of the program writes: the sample book of 10,000
    // documents again and again, each block 8 times.
    const Lignes livre = banc::GenereLivre(NbFichesMax);
    Ecrit(chemin("copies.fct"), livre, [&](int) { return livre; });
    const Lignes clients = banc::GenereClients(banc::NbClientsMax);
    Ecrit(chemin("Fact.cli"), clients, [&](int) { return clients; });
    Reglages neufs;
    Ecrit(chemin("KyrFact.ini"), LignesIni(neufs, chemin("livre.fct").toStdString()),
          [](int k) { return Lignes{"R\xE8glement \xE0 " + std::to_string(k) + " jours"}; });
    Ecrit(chemin("Fact.Glo"), {}, [](int k) {
        return Lignes{"AB" + std::to_string(k) + "\tArticle num\xE9ro " + std::to_string(k)};
    });
    Ecrit(chemin("Fact.soc"), {}, [](int k) { return Lignes{"Ligne " + std::to_string(k)}; });
    Ecrit(chemin("Fact.nte"), {}, [](int k) { return Lignes{"Note " + std::to_string(k)}; });
    Ecrit(chemin("Fact.fxv"), {},
          [](int k) { return Lignes{"rue=" + std::to_string(k) + " rue"}; });
    Ecrit(chemin("Fact.fxa"), {}, [](int k) {
        return Lignes{"[" + std::to_string(k) + "]", "professionnel=1", "nom=Client", "rue=1 rue",
                      "ville=Lyon"};
    });

    test::PlateformeFausse p;
    Facture f(p);
    Essai(
        "livre.fct", chemin("livre.fct"),
        [&] {
            f.Charge(chemin("livre.fct"));
            // The last document edited, the book saved and read again.
            f.FicheCourante = NbFichesMax - 1;
            f.LitFiche();
            f.fiche.Adresse[1] = "modifi\xE9";
            f.Modifie();
            f.Sauve(chemin("livre.fct"));
            Facture relu(p);
            relu.Charge(chemin("livre.fct"));
            relu.FicheCourante = NbFichesMax - 1;
            relu.LitFiche();
            return QStringLiteral(
                       "%1 documents, %2 lignes, le dernier modifié, enregistré et relu : %3")
                .arg(relu.NbFiches)
                .arg(relu.Livre.size())
                .arg(VersQString(relu.fiche.Adresse[1]));
        },
        [&](const QString& issue) {
            return issue.endsWith(QStringLiteral("relu : modifié")) && p.questions.empty();
        });

    Essai(
        "copies.fct", chemin("copies.fct"),
        [&] {
            // Start and end lines balance, so nothing is asked; the first copy of
            // each doubled block goes, and the start lines are counted as they were.
            f.Charge(chemin("copies.fct"));
            return QStringLiteral("%1 documents comptés, %2 lignes")
                .arg(f.NbFiches)
                .arg(f.Livre.size());
        },
        [&](const QString& issue) { return !Commence(issue, "exception") && p.questions.empty(); });
    ListeClients liste;
    Essai(
        "Fact.cli", chemin("Fact.cli"),
        [&] {
            ChargeCli(liste, chemin("Fact.cli"));
            TableClients carte(p);
            carte.Init(liste.Lignes_);
            QString suivant;
            try {
                suivant = QString::fromStdString(CodeClientSuivant(liste.Lignes_));
            } catch (const ErreurExecution& e) { // every five-digit code is taken
                suivant = e.message();
            }
            f.clients = liste;
            f.fiche.CodeClient = banc::CodeClient(banc::NbClientsMax - 1);
            test::DialoguesClientsFaux d;
            RechercheClients().ChercheCli(f, d);
            return QStringLiteral(
                       "%1 lignes, fiche de %2 clients, client %4 : %5 ; code suivant : %3")
                .arg(liste.Lignes_.size())
                .arg(carte.DernierClient + 1)
                .arg(suivant, VersQString(f.fiche.CodeClient), VersQString(f.fiche.Adresse[0]));
        },
        [](const QString& issue) { return !Commence(issue, "exception"); });

    Essai(
        "KyrFact.ini", chemin("KyrFact.ini"),
        [&] {
            Reglages r;
            ChargeIni(r, chemin("KyrFact.ini"));
            return QStringLiteral("%1 conditions de règlement").arg(r.ConditionsReglement.size());
        },
        [](const QString& issue) { return !Commence(issue, "exception"); });

    Essai(
        "Fact.Glo", chemin("Fact.Glo"),
        [&] {
            Lignes g;
            ChargeGlo(g, chemin("Fact.Glo"));
            const auto e = Expansion(g, "ab" + std::to_string(g.size() - 1));
            return QStringLiteral("%1 abréviations, la dernière : %2")
                .arg(g.size())
                .arg(e ? VersQString(*e) : QStringLiteral("introuvable"));
        },
        [](const QString& issue) { return !Commence(issue, "exception"); });

    Essai(
        "Fact.soc", chemin("Fact.soc"),
        [&] {
            LignesSociete s;
            ChargeSoc(s, chemin("Fact.soc"));
            return QStringLiteral("7 lignes lues, la dernière : %1").arg(VersQString(s[6]));
        },
        [](const QString& issue) { return issue.endsWith(QStringLiteral("Ligne 6")); });

    Essai(
        "Fact.nte", chemin("Fact.nte"),
        [&] {
            const auto note = ChargeNote(chemin("Fact.nte"));
            return QStringLiteral("note de %1 octets").arg(note ? note->size() : 0);
        },
        [](const QString& issue) {
            return issue == QStringLiteral("message : Le texte dépasse la capacité du mémo");
        });

    Essai(
        "Fact.fxv", chemin("Fact.fxv"),
        [&] {
            Vendeur v = VendeurNeuf();
            ChargeVendeur(v, chemin("Fact.fxv"));
            return QStringLiteral("rue : %1").arg(VersQString(v.Rue));
        },
        [](const QString& issue) { return !Commence(issue, "exception"); });

    Essai(
        "Fact.fxa", chemin("Fact.fxa"),
        [&] {
            Acheteurs a;
            ChargeAcheteurs(a, chemin("Fact.fxa"));
            return QStringLiteral("%1 acheteurs").arg(a.size());
        },
        [](const QString& issue) { return !Commence(issue, "exception"); });
    return echec ? 1 : 0;
}
