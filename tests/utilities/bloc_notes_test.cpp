// The note file's exact bytes, its path, and the printed note.
#include "common/erreurs.h"
#include "support/dossier_temporaire.h"
#include "support/octets_fichier.h"
#include "support/surface_enregistree.h"
#include "utilities/bloc_notes.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>

namespace kyr {
namespace {

TEST(BlocNotes, FileToNoteAndBack) {
    struct Cas {
        std::string fichier, note, reecrit;
    };
    const Cas cas[] = {
        {"une ligne", "une ligne", "une ligne"}, // no line break added
        {"a\r\nb\r\n", "a\nb\n", "a\r\nb\r\n"},  // the one typed is kept
        {"a\nb\rc\r\n\r\nd", "a\nb\nc\n\nd", "a\r\nb\r\nc\r\n\r\nd"},
        {"\n", "\n", "\r\n"},
        {"", "", ""},
        {"\xe9t\xe9 \x80\t\xa0", "\xe9t\xe9 \x80\t\xa0", "\xe9t\xe9 \x80\t\xa0"},
    };
    for (const Cas& c : cas) {
        EXPECT_EQ(NoteDepuisFichier(c.fichier), c.note);
        EXPECT_EQ(NoteVersFichier(c.note), c.reecrit);
    }
}

TEST(BlocNotes, PathAndDoubledSeparator) {
    const QString s = QDir::separator();
    EXPECT_EQ(CheminNote(s + "home" + s + "kyr"), s + "home" + s + "kyr" + s + "Fact.nte");
    EXPECT_EQ(RepareChemin(CheminNote(s)), s + "Fact.nte"); // the root already ends with one
    EXPECT_EQ(RepareChemin(s + "a" + s + s + "b" + s + s + "Fact.nte"),
              s + "a" + s + "b" + s + s + "Fact.nte"); // the first only
}

TEST(BlocNotes, LoadAndSaveExactBytes) {
    test::DossierTemporaire d;
    const QString chemin = CheminNote(d.path());
    EXPECT_EQ(ChargeNote(chemin), std::nullopt); // no file: nothing, and no error
    SauveNote(chemin, "ligne");
    EXPECT_EQ(test::OctetsFichier(chemin), "ligne");
    SauveNote(QDir::toNativeSeparators(d.path()) + QDir::separator() + QDir::separator() +
                  "Fact.nte",
              "a\n\nb\n");
    EXPECT_EQ(test::OctetsFichier(chemin), "a\r\n\r\nb\r\n");
    EXPECT_EQ(ChargeNote(chemin), "a\n\nb\n");
    SauveNote(chemin, "");
    EXPECT_EQ(test::OctetsFichier(chemin), "");
    EXPECT_TRUE(QFileInfo::exists(chemin));
}

TEST(BlocNotes, FailuresKeepTheFile) {
    test::DossierTemporaire d;
    const QString chemin = CheminNote(d.path());
    {
        QFile f(chemin);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(QByteArray(static_cast<qsizetype>(TailleMaxNote) + 1, 'x'));
    }
    try {
        ChargeNote(chemin);
        ADD_FAILURE() << "oversized note loaded";
    } catch (const ErreurExecution& e) {
        EXPECT_EQ(e.message(), QString::fromUtf8("Le texte dépasse la capacité du mémo"));
    }
    // A folder in the way of the file: it cannot be written, and stays.
    test::DossierTemporaire autre;
    const QString bloque = CheminNote(autre.path());
    ASSERT_TRUE(QDir().mkdir(bloque));
    try {
        SauveNote(bloque, "texte");
        ADD_FAILURE() << "saved over a folder";
    } catch (const ErreurExecution& e) {
        EXPECT_EQ(e.message(), QStringLiteral("Ne peut créer le fichier ") + bloque +
                                   ". Un dossier porte ce nom");
    }
    EXPECT_TRUE(QFileInfo(bloque).isDir());
}

TEST(BlocNotes, Printing) {
    test::SurfaceEnregistree s; // 20 units a character
    s.largeurPixels = 200;      // ten characters a line
    s.hauteurPixels = 100;
    s.hauteurMm = 254; // 10 pixels an inch: a 12-point line is 2 pixels high
    const Police police{"System", 12, false};
    ImprimeNote(s, police,
                "abc\n\n\tx\n0123456789AB\n1\n2\n3\n4\n5\n6\n7\n8\n9\n10\n11\n12\n13\n14\n"
                "15\n16\n17\n18\n19\n20\n21\n22\n23\n24\n25\n26\n27\n28\n29\n30\n31\n32\n"
                "33\n34\n35\n36\n37\n38\n39\n40\n41\n42\n43\n44\n45\n46\n47\n48\n49\n50");
    ASSERT_FALSE(s.traces.empty());
    EXPECT_EQ(s.traces[0].police, police);
    const auto textes = s.De(test::Trace::Texte);
    ASSERT_GE(textes.size(), 5u);
    EXPECT_EQ(textes[0].texte, "abc");
    EXPECT_EQ(textes[0].x1, 0);
    EXPECT_EQ(textes[0].y1, 0);
    EXPECT_EQ(textes[1].texte, "x"); // after an empty line, and a tab: eight characters on
    EXPECT_EQ(textes[1].x1, 160);
    EXPECT_EQ(textes[1].y1, 4);
    EXPECT_EQ(textes[2].texte, "0123456789"); // too wide: continued on the next line
    EXPECT_EQ(textes[3].texte, "AB");
    EXPECT_EQ(textes[3].y1, textes[2].y1 + 2);
    // 56 printed lines of 2 pixels on pages of 100: two pages.
    EXPECT_EQ(s.De(test::Trace::Page).size(), 1u);
    EXPECT_EQ(textes.back().texte, "50");
    EXPECT_LT(textes.back().y1, 100);
}

} // namespace
} // namespace kyr
