#include "common/erreurs.h"
#include "common/texte.h"
#include "support/dossier_temporaire.h"
#include "support/panne_ecriture.h"

#include <QDir>
#include <QFile>
#include <cerrno>
#include <functional>
#include <gtest/gtest.h>
#include <optional>
#include <thread>

#include <unistd.h>

namespace kyr {
namespace {

std::string Contenu(const QString& chemin) {
    QFile f(chemin);
    if (!f.open(QIODevice::ReadOnly)) return "<absent>";
    return f.readAll().toStdString();
}

void Ecrit(const QString& chemin, const QByteArray& octets) {
    QFile f(chemin);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(octets);
}

TEST(Texte, SplitsEveryKindOfLineEnd) {
    struct Cas {
        std::string_view contenu;
        Lignes lignes;
    };
    const Cas cas[] = {
        {"", {}},
        {"\r\n", {""}},
        {"a\r\n", {"a"}},
        {"a", {"a"}},
        {"a\r\nb", {"a", "b"}},
        {"a\rb\nc\r\nd", {"a", "b", "c", "d"}},
        {"a\n\nb\r\r\n", {"a", "", "b", ""}},
        {"\n\r", {"", ""}}, // LF then a lone CR: two line ends
        {"\r", {""}},
        {"a\r", {"a"}},
        {"a\rb\rc", {"a", "b", "c"}},
        {"a\r\rb\n", {"a", "", "b"}},
        {"\r\r\n\n", {"", "", ""}},
        {"ab\ncd\ref\r\ngh", {"ab", "cd", "ef", "gh"}},
        {std::string_view("x\0y\r\n", 5), {std::string("x\0y", 3)}},
    };
    for (const auto& c : cas)
        EXPECT_EQ(DecoupeLignes(c.contenu), c.lignes);
    EXPECT_EQ(JoinLignes({"a", "", "\xe9t\xe9"}), "a\r\n\r\n\xe9t\xe9\r\n");
    EXPECT_EQ(JoinLignes({}), "");
}

TEST(Texte, WritesAndReadsBackFilesByteForByte) {
    test::DossierTemporaire dossier;
    std::string tous;
    for (int i = 0; i < 256; ++i)
        if (i != '\r' && i != '\n') tous += static_cast<char>(i);
    const Lignes lignes = {"<BLOC0001>", "", tous, "fin"};
    EcritFichier("livre.fct", lignes);
    EXPECT_EQ(Contenu("livre.fct"), "<BLOC0001>\r\n\r\n" + tous + "\r\nfin\r\n");
    EXPECT_EQ(LitFichier("livre.fct"), lignes);
    // Replacing leaves no temporary file behind.
    EcritFichier("livre.fct", {"autre"});
    EXPECT_EQ(Contenu("livre.fct"), "autre\r\n");
    EXPECT_EQ(QDir(dossier.path()).entryList(QDir::Files), QStringList{"livre.fct"});
    EcritFichier("vide.cli", {});
    EXPECT_EQ(LitFichier("vide.cli"), Lignes{});
    // The exact-bytes pair: nothing added, nothing taken.
    EcritOctets("note.nte", "a\rb\n" + tous);
    EXPECT_EQ(Contenu("note.nte"), "a\rb\n" + tous);
    EXPECT_EQ(LitOctets("note.nte"), "a\rb\n" + tous);
    EXPECT_EQ(LitOctets("absent.nte"), std::nullopt);
}

// Large files are read a piece of 1 MB at a time: around that size and well
// above it, with lines longer than a piece, line ends astride two pieces and
// no LF at all, every byte, every line and the fingerprint come back as from
// a small file.
TEST(Texte, LargeFilesReadBackAsSmallOnes) {
    test::DossierTemporaire dossier;
    constexpr std::size_t Mio = 1 << 20;
    const auto melange = [](std::size_t taille) {
        std::string contenu;
        contenu.reserve(taille);
        // Short and long lines, every kind of line end, bytes of every value.
        for (unsigned n = 0; contenu.size() < taille; ++n) {
            contenu.append(n % 7 == 0 ? 70 : n % 5, static_cast<char>('A' + n % 26));
            contenu += static_cast<char>(0x80 + n % 128);
            contenu += n % 3 == 0 ? "\r\n" : n % 3 == 1 ? "\n" : "\r";
        }
        contenu.resize(taille);
        return contenu;
    };
    std::vector<std::string> fichiers;
    for (const std::size_t taille : {Mio - 1, Mio, Mio + 7, 6 * Mio + 3})
        fichiers.push_back(melange(taille));
    fichiers.push_back("court\r\n" + std::string(3 * Mio, 'x') + "\r\nfin"); // longer than a piece
    fichiers.push_back(std::string(Mio - 1, 'a') + "\r\n" + melange(Mio));   // CR LF astride
    fichiers.push_back(std::string(Mio, 'a') + "\n\r\n"); // LF just after a piece
    std::string cr(2 * Mio + 5, 'b');                     // lone CRs only
    for (std::size_t i = 0; i < cr.size(); i += 97)
        cr[i] = '\r';
    fichiers.push_back(cr);
    for (const std::string& contenu : fichiers) {
        const QByteArrayView octets(contenu.data(), static_cast<qsizetype>(contenu.size()));
        Ecrit("grand.fct", octets.toByteArray());
        SCOPED_TRACE(contenu.size());
        EXPECT_EQ(LitOctets("grand.fct"), contenu);
        const Lignes attendu = DecoupeLignes(contenu);
        EXPECT_EQ(LitFichier("grand.fct"), attendu);
        EXPECT_EQ(Empreinte("grand.fct"), EmpreinteOctets(octets));
        QFile f("grand.fct");
        ASSERT_TRUE(f.open(QIODevice::ReadOnly));
        CalculEmpreinte calcul;
        EXPECT_EQ(LitLignes(f, &calcul), attendu);
        EXPECT_EQ(calcul.Resultat(), EmpreinteOctets(octets));
    }
}

TEST(Texte, MissingFileIsNoErrorUnreadableOneIs) {
    test::DossierTemporaire dossier;
    EXPECT_EQ(LitFichier("absent.ini"), std::nullopt);
    EXPECT_FALSE(FichierExiste("absent.ini"));
    QDir().mkdir("Fact.cli");
    try {
        LitFichier("Fact.cli");
        FAIL();
    } catch (const ErreurExecution& e) {
        EXPECT_EQ(e.message(), QString("Ne peut lire le fichier Fact.cli"));
    }
    if (geteuid() != 0) {
        Ecrit("secret.cli", "x");
        QFile::setPermissions("secret.cli", QFileDevice::WriteOwner);
        EXPECT_THROW(LitFichier("secret.cli"), ErreurExecution);
    }
}

TEST(Texte, FailedWriteKeepsTheOldFileAndSaysWhy) {
    // The administrator writes anywhere: where chmod stops nothing for him,
    // the creation of the temporary file is made to fail as well, so that the
    // message is the one a user gets there.
    const bool administrateur = geteuid() == 0;
    struct Cas {
        const char* nom;
        const char* chemin;
        std::function<void()> prepare;
        std::optional<EtapeEcriture> panne; // besides what `prepare` did
        int erreur;                         // the system's error for that step, 0: its usual
        const char* cause;
    };
    const auto lectureSeule = [](const char* chemin) {
        QFile::setPermissions(chemin, QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    };
    const std::optional<EtapeEcriture> siAdministrateur =
        administrateur ? std::optional(EtapeEcriture::Creation) : std::nullopt;
    const std::vector<Cas> cas = {
        {"dossier absent",
         "manque/livre.fct",
         [] {},
         {},
         0,
         "Le dossier n'existe pas ou n'est plus accessible"},
        {"un dossier de ce nom",
         "dossier.fct",
         [] { QDir().mkdir("dossier.fct"); },
         {},
         0,
         "Un dossier porte ce nom"},
        {"dossier en lecture seule", "lecture/livre.fct",
         [&] {
             QDir().mkdir("lecture");
             Ecrit("lecture/livre.fct", "ancien\r\n");
             lectureSeule("lecture");
         },
         siAdministrateur, EACCES, "Le dossier est en lecture seule"},
        {"fichier en lecture seule", "fige.fct",
         [] {
             Ecrit("fige.fct", "ancien\r\n");
             QFile::setPermissions("fige.fct", QFileDevice::ReadOwner);
         },
         siAdministrateur, EACCES, "Le fichier est en lecture seule"},
        {"droits", "livre.fct", [] { Ecrit("livre.fct", "ancien\r\n"); }, EtapeEcriture::Creation,
         EPERM, "Les droits sur le fichier ou le dossier sont insuffisants"},
        {"disque en lecture seule", "livre.fct", [] { Ecrit("livre.fct", "ancien\r\n"); },
         EtapeEcriture::Creation, EROFS, "Le disque est en lecture seule"},
        {"disque plein", "livre.fct", [] { Ecrit("livre.fct", "ancien\r\n"); },
         EtapeEcriture::Ecriture, 0, "Le disque est plein"},
        {"quota", "livre.fct", [] { Ecrit("livre.fct", "ancien\r\n"); }, EtapeEcriture::Ecriture,
         EDQUOT, "L'espace disque accordé à l'utilisateur est épuisé"},
        {"disque en panne", "livre.fct", [] { Ecrit("livre.fct", "ancien\r\n"); },
         EtapeEcriture::Vidage, 0, "Le disque a signalé une erreur d'écriture"},
    };
    for (const Cas& c : cas) {
        SCOPED_TRACE(c.nom);
        test::DossierTemporaire dossier;
        c.prepare();
        const std::string avant = Contenu(c.chemin);
        QString message = "écrit";
        {
            std::optional<test::PanneEcritureSimulee> panne;
            if (c.panne) panne.emplace(*c.panne, c.erreur);
            try {
                EcritFichier(c.chemin, {"nouveau"});
            } catch (const ErreurExecution& e) {
                message = e.message();
            }
        }
        EXPECT_EQ(message, QStringLiteral("Ne peut créer le fichier %1. %2")
                               .arg(QString::fromUtf8(c.chemin), QString::fromUtf8(c.cause)));
        EXPECT_EQ(Contenu(c.chemin), avant);
        QFile::setPermissions("lecture", QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                             QFileDevice::ExeOwner);
    }
}

TEST(Texte, AFolderThatTheDiskDoesNotConfirmIsSaid) {
    // The new file is in place, but a power cut could still take its name
    // back: the save is not reported done.
    test::DossierTemporaire dossier;
    Ecrit("livre.fct", "ancien\r\n");
    QString message;
    {
        test::PanneEcritureSimulee panne(EtapeEcriture::VidageDossier);
        try {
            EcritFichier("livre.fct", {"nouveau"});
        } catch (const ErreurExecution& e) {
            message = e.message();
        }
    }
    EXPECT_EQ(message, QStringLiteral("Ne peut créer le fichier livre.fct. Le disque a signalé "
                                      "une erreur d'écriture"));
    EXPECT_EQ(Contenu("livre.fct"), "nouveau\r\n");
    EXPECT_EQ(QDir().entryList(QDir::Files | QDir::Hidden), QStringList{"livre.fct"});
}

TEST(Texte, AWritingInTwoStepsReplacesTheFileOnlyAtItsEnd) {
    // The book's save: the bytes written first, the file replaced later, here
    // on another thread as the main window has it.
    test::DossierTemporaire dossier;
    Ecrit("livre.fct", "ancien\r\n");
    EcritureEnCours e = CommenceFichier("livre.fct", {"nouveau"});
    EXPECT_EQ(Contenu("livre.fct"), "ancien\r\n");
    std::thread([&e] { e.Termine(); }).join();
    EXPECT_EQ(Contenu("livre.fct"), "nouveau\r\n");
    EXPECT_EQ(QDir().entryList(QDir::Files | QDir::Hidden), QStringList{"livre.fct"});

    // Dropped before its end: nothing replaced, nothing left behind.
    { const EcritureEnCours abandon = CommenceFichier("livre.fct", {"perdu"}); }
    { const EcritureEnCours abandon = CommenceFichier("neuf.fct", {"perdu"}); }
    EXPECT_EQ(Contenu("livre.fct"), "nouveau\r\n");
    EXPECT_EQ(QDir().entryList(QDir::Files | QDir::Hidden), QStringList{"livre.fct"});
}

TEST(Texte, EachStepOfATwoStepWritingFailsWhereItBelongs) {
    // Creating and writing fail at once, before the window goes on; the flush
    // to the disk and the rename fail at the end. Either way the old file
    // stays and no temporary file is left.
    struct Cas {
        EtapeEcriture etape;
        bool auDebut;
    };
    const Cas cas[] = {{EtapeEcriture::Creation, true},
                       {EtapeEcriture::Ecriture, true},
                       {EtapeEcriture::Vidage, false},
                       {EtapeEcriture::Remplacement, false}};
    test::DossierTemporaire dossier;
    Ecrit("livre.fct", "ancien\r\n");
    for (const Cas& c : cas) {
        SCOPED_TRACE(test::NomEtape(c.etape));
        std::optional<EcritureEnCours> e;
        QString message;
        {
            test::PanneEcritureSimulee panne(c.etape);
            try {
                e.emplace(CommenceFichier("livre.fct", {"nouveau"}));
            } catch (const ErreurExecution& x) {
                message = x.message();
            }
        }
        // The hook as it was at the start counts, even once it is gone.
        EXPECT_EQ(!e.has_value(), c.auDebut);
        if (e) {
            try {
                e->Termine();
            } catch (const ErreurExecution& x) {
                message = x.message();
            }
        }
        EXPECT_EQ(message, "Ne peut créer le fichier livre.fct. " + test::CauseEtape(c.etape));
        EXPECT_EQ(Contenu("livre.fct"), "ancien\r\n");
        EXPECT_EQ(QDir().entryList(QDir::Files | QDir::Hidden), QStringList{"livre.fct"});
    }
}

TEST(Texte, TheFingerprintOfTheBytesWrittenIsTheOneReadBack) {
    // Sizes around the digest's blocks and the writer's pieces (64 KiB).
    test::DossierTemporaire dossier;
    const auto lignes = [](std::size_t n, std::size_t longueur) {
        Lignes l;
        for (std::size_t i = 0; i < n; ++i)
            l.push_back(std::string(longueur, static_cast<char>('a' + i % 26)));
        return l;
    };
    const Lignes cas[] = {{},
                          {""},
                          {"un"},
                          lignes(1, (1 << 16) - 2), // exactly one block
                          lignes(2, (1 << 16) - 2), // exactly two
                          lignes(3000, 70),         // many pieces across blocks
                          lignes(1, 200000)};       // one line over several blocks
    std::optional<EmpreinteFichier> precedente;
    for (const Lignes& l : cas) {
        SCOPED_TRACE(l.size());
        EcritureEnCours e = CommenceFichier("livre.fct", l);
        const EmpreinteFichier ecrite = e.Empreinte();
        e.Termine();
        EXPECT_EQ(Empreinte("livre.fct"), ecrite);
        const std::string octets = JoinLignes(l);
        EXPECT_EQ(EmpreinteOctets(QByteArrayView(octets.data(), qsizetype(octets.size()))), ecrite);
        EXPECT_EQ(ecrite.Taille, static_cast<qint64>(octets.size()));
        EXPECT_NE(precedente, ecrite);
        precedente = ecrite;
    }
    // One byte changed, the size the same: another fingerprint.
    EcritFichier("livre.fct", lignes(3000, 70));
    const auto avant = Empreinte("livre.fct");
    Lignes autre = lignes(3000, 70);
    autre[2000][35] = '!';
    EcritFichier("livre.fct", autre);
    EXPECT_NE(Empreinte("livre.fct"), avant);
    EXPECT_TRUE(ChangeDepuis("livre.fct", avant));
}

TEST(Texte, ReplacingKeepsPermissions) {
    test::DossierTemporaire dossier;
    Ecrit("KyrFact.ini", "old\r\n");
    const auto droits = QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup;
    ASSERT_TRUE(QFile::setPermissions("KyrFact.ini", droits));
    EcritFichier("KyrFact.ini", {"new"});
    // Owner, group and others bits (the "user" bits only mirror the owner's).
    EXPECT_EQ(QFile::permissions("KyrFact.ini") & QFileDevice::Permissions(0x7077), droits);
}

TEST(Texte, EveryByteSurvivesTheRoundTripThroughQString) {
    std::string tous;
    for (int i = 0; i < 256; ++i)
        tous += static_cast<char>(i);
    const QString q = VersQString(tous);
    ASSERT_EQ(q.size(), 256);
    EXPECT_EQ(q.at(0x80), QChar(0x20AC)); // euro sign
    EXPECT_EQ(q.at(0xE9), QChar(0xE9));
    EXPECT_EQ(q.at(0x81), QChar(0x81)); // undefined in the code page, kept as is
    EXPECT_EQ(DepuisQString(q), tous);
}

TEST(Texte, CharactersWithoutAByteAreRefused) {
    EXPECT_EQ(DepuisQString(QString("été 10 €")), std::string("\xe9t\xe9 10 \x80"));
    EXPECT_EQ(DepuisQString(QString("Œuvre – « ok »")), std::string("\x8cuvre \x96 \xab ok \xbb"));
    for (const char* refuse : {"✓", "Ω", "ő", "😀", "a\u0080b"}) {
        EXPECT_EQ(DepuisQString(QString::fromUtf8(refuse)), std::nullopt) << refuse;
        EXPECT_FALSE(EstRepresentable(QString::fromUtf8(refuse))) << refuse;
    }
    EXPECT_TRUE(EstRepresentable(""));
}

TEST(Texte, SmallStringHelpers) {
    EXPECT_EQ(Majuscules("abz\xe9 AZ-09"), "ABZ\xe9 AZ-09"); // only a to z change
    EXPECT_TRUE(EgalSansCasse("Dupont", "DUPONT"));
    EXPECT_FALSE(EgalSansCasse("\xe9", "\xc9"));
    EXPECT_EQ(Trim(" \t x y \r\n"), "x y");
    EXPECT_EQ(Trim("\xa0x\xa0"), "\xa0x\xa0"); // a no-break space is a character
    EXPECT_EQ(Depuis("FA", 4), "");
    EXPECT_EQ(Coupe255(std::string(300, 'x')).size(), 255u);
}

} // namespace
} // namespace kyr
