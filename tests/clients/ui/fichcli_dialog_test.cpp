#include "book/facture.h"
#include "clients/ui/fichcli_dialog.h"

#include "support/plateforme_fausse.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <gtest/gtest.h>

using namespace kyr;
using kyr::test::PlateformeFausse;

namespace {

Lignes Liste() {
    return {"<CLI>10005", "DURAND", "1 rue A", "75001 PARIS",     "",
            "<CLI>10003", "ANDRE",  "2 rue B", "69002 LYON",      "",
            "<CLI>10002", "MARTIN", "3 rue C", "13001 MARSEILLE", ""};
}

struct Carte {
    PlateformeFausse p;
    Lignes liste; // the card reads its rows there
    TFichCli d{p};
    explicit Carte(Lignes l = Liste()) : liste(std::move(l)) {
        d.Init(liste);
        d.show();
        d.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&d));
    }
    QLineEdit* edit(int n) { return d.findChild<QLineEdit*>(QStringLiteral("Edit%1").arg(n)); }
    QToolButton* bouton(int n) {
        return d.findChild<QToolButton*>(QStringLiteral("SpeedButton%1").arg(n));
    }
    QPushButton* bouton1() { return d.findChild<QPushButton*>(QStringLiteral("Button1")); }
    QTableView* grille() { return d.findChild<QTableView*>(QStringLiteral("StringGrid1")); }
    QString texte(int rangee, int colonne) {
        return grille()->model()->index(rangee, colonne).data().toString();
    }
    int rangeeCourante() { return grille()->currentIndex().row(); }
    void tape(int n, const QString& texte) {
        edit(n)->setFocus();
        edit(n)->selectAll();
        QTest::keyClicks(edit(n), texte);
    }
    Lignes result() {
        Lignes l;
        d.Result(l);
        return l;
    }
};

} // namespace

TEST(TFichCli, FenetreEtTableTrieeParNom) {
    Carte c;
    EXPECT_EQ(c.d.windowTitle(), "Gestion des clients");
    ASSERT_NE(c.grille(), nullptr);
    EXPECT_EQ(c.grille()->model()->columnCount(), 5);
    EXPECT_EQ(c.grille()->model()->rowCount(), 64);
    EXPECT_EQ(c.grille()->columnWidth(0), 64);
    EXPECT_EQ(c.grille()->columnWidth(4), 150);
    EXPECT_EQ(c.texte(0, 1), "ANDRE");
    EXPECT_EQ(c.texte(2, 1), "MARTIN");
    const char* bulles[] = {"Précédent", "Suivant", "Ajouter", "Supprimer"};
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(c.bouton(i + 1)->toolTip(), QString::fromUtf8(bulles[i]));
    EXPECT_EQ(c.edit(1)->text(), "10003");
    EXPECT_TRUE(c.edit(1)->isReadOnly());
    EXPECT_EQ(c.edit(6)->maxLength(), 5);
}

TEST(TFichCli, PagesDansLesChampsEtEntree) {
    Carte c;
    c.tape(3, "2 rue Bis");
    QTest::keyClick(c.edit(3), Qt::Key_PageDown); // writes the card, then the next client
    EXPECT_EQ(c.edit(2)->text(), "DURAND");
    EXPECT_EQ(c.rangeeCourante(), 1);
    EXPECT_EQ(c.texte(0, 2), "2 rue Bis");
    EXPECT_EQ(c.edit(3)->text(), "1 rue A"); // the field did not act on the key

    QTest::keyClick(c.edit(2), Qt::Key_PageDown);
    c.tape(5, "France");
    QTest::keyClick(c.edit(5), Qt::Key_PageDown); // last client: only writes the card
    EXPECT_EQ(c.rangeeCourante(), 2);
    EXPECT_EQ(c.texte(2, 4), "France");

    c.tape(2, "MARTIN SA");
    QTest::keyClick(c.edit(2), Qt::Key_Return); // Enter writes the card and stays
    EXPECT_EQ(c.texte(2, 1), "MARTIN SA");
    EXPECT_TRUE(c.d.isVisible());
    QTest::keyClick(c.edit(4), Qt::Key_PageUp);
    EXPECT_EQ(c.edit(2)->text(), "DURAND");

    QTest::mouseClick(c.bouton1(), Qt::LeftButton);
    EXPECT_FALSE(c.d.isVisible());
    const Lignes l = c.result();
    EXPECT_EQ(Lignes(l.begin(), l.begin() + 5),
              (Lignes{"<CLI>10003", "ANDRE", "2 rue Bis", "69002 LYON", ""}));
    EXPECT_EQ(Lignes(l.begin() + 10, l.end()),
              (Lignes{"<CLI>10002", "MARTIN SA", "3 rue C", "13001 MARSEILLE", "France"}));
}

TEST(TFichCli, ClicDansLaGrilleMontreLeClientSansEcrireLaCarte) {
    Carte c;
    const auto clic = [&c](int rangee, int colonne) {
        QTableView* g = c.grille();
        QTest::mouseClick(g->viewport(), Qt::LeftButton, {},
                          g->visualRect(g->model()->index(rangee, colonne)).center());
    };
    c.tape(3, "2 rue Bis");
    clic(2, 1);
    EXPECT_EQ(c.edit(2)->text(), "MARTIN");
    EXPECT_EQ(c.rangeeCourante(), 2);
    EXPECT_EQ(c.texte(0, 2), "2 rue B"); // the typed text was not written
    // Another cell of the same row shows the row again: typing is dropped too.
    c.tape(3, "3 rue Bis");
    clic(2, 3);
    EXPECT_EQ(c.edit(3)->text(), "3 rue C");
    // The grid follows the table when it grows past its spare rows.
    for (int k = 0; k < 70; ++k) {
        QTest::mouseClick(c.bouton(3), Qt::LeftButton);
        c.tape(1, QString::number(20000 + k));
        c.tape(2, QStringLiteral("CLIENT %1").arg(k));
    }
    QTest::mouseClick(c.bouton1(), Qt::LeftButton);
    EXPECT_EQ(c.grille()->model()->rowCount(), static_cast<int>(c.d.table().Rangees.size()));
    EXPECT_EQ(c.texte(72, 1), "CLIENT 69");
}

TEST(TFichCli, AjouterRefuseUnCodeDejaPrisPuisAccepte) {
    Carte c;
    QTest::mouseClick(c.bouton(3), Qt::LeftButton);
    EXPECT_FALSE(c.edit(1)->isReadOnly());
    EXPECT_TRUE(c.edit(1)->text().isEmpty());
    EXPECT_EQ(c.rangeeCourante(), 3);
    c.tape(1, "10005");
    c.tape(2, "NOUVEAU");
    QTest::keyClick(c.edit(2), Qt::Key_Return);
    ASSERT_EQ(c.p.messages.size(), 1u);
    EXPECT_EQ(c.p.messages[0], QString::fromUtf8("Le code client 10005 est déjà celui de DURAND."));
    EXPECT_TRUE(c.edit(1)->hasFocus());
    EXPECT_EQ(c.texte(3, 1), "");

    QTest::mouseClick(c.bouton1(), Qt::LeftButton); // "Fermer" refused too: the card stays
    EXPECT_TRUE(c.d.isVisible());
    EXPECT_EQ(c.p.messages.size(), 2u);
    EXPECT_EQ(c.edit(2)->text(), "NOUVEAU");

    c.tape(1, "10009");
    QTest::mouseClick(c.bouton1(), Qt::LeftButton);
    EXPECT_FALSE(c.d.isVisible());
    const Lignes l = c.result();
    ASSERT_EQ(l.size(), 20u);
    EXPECT_EQ(Lignes(l.end() - 5, l.end()), (Lignes{"<CLI>10009", "NOUVEAU", "", "", ""}));
}

TEST(TFichCli, SupprimerEtChercher) {
    Carte c;
    QTest::keyClick(c.edit(2), Qt::Key_PageDown);
    QTest::mouseClick(c.bouton(4), Qt::LeftButton); // deletes DURAND, shows MARTIN
    EXPECT_EQ(c.edit(2)->text(), "MARTIN");
    EXPECT_EQ(c.texte(2, 1), "");

    c.tape(6, "10003");
    QTest::keyClick(c.edit(6), Qt::Key_Return);
    EXPECT_EQ(c.edit(2)->text(), "ANDRE");
    EXPECT_EQ(c.rangeeCourante(), 0);
    c.tape(6, "1002");
    QTest::mouseClick(c.d.findChild<QPushButton*>(QStringLiteral("Button2")), Qt::LeftButton);
    ASSERT_EQ(c.p.messages.size(), 1u);
    EXPECT_EQ(c.p.messages[0], QString::fromUtf8("Client non trouvé"));
    EXPECT_EQ(c.edit(2)->text(), "ANDRE");

    QTest::mouseClick(c.bouton(4), Qt::LeftButton);
    QTest::mouseClick(c.bouton(4), Qt::LeftButton); // one client left: it stays
    EXPECT_EQ(c.edit(2)->text(), "MARTIN");
    c.d.close();
    EXPECT_EQ(c.result(), (Lignes{"<CLI>10002", "MARTIN", "3 rue C", "13001 MARSEILLE", ""}));
}

TEST(TFichCli, CaseDeFermetureCommeFermer) {
    Carte c;
    c.tape(4, "69003 LYON"); // typed on the last card, never written by a move
    c.d.close();
    EXPECT_FALSE(c.d.isVisible());
    EXPECT_EQ(c.result()[3], "69003 LYON");

    Carte e;
    QTest::mouseClick(e.bouton(3), Qt::LeftButton);
    e.tape(2, "SANS CODE");
    QTest::keyClick(e.edit(2), Qt::Key_Escape); // refused: the card stays open on it
    EXPECT_TRUE(e.d.isVisible());
    EXPECT_EQ(e.p.messages.size(), 1u);
}

TEST(TFichCli, CaracteresHorsCodePageRefuses) {
    Carte c;
    c.edit(2)->setFocus();
    c.edit(2)->end(false);
    QTest::sendKeyEvent(QTest::Click, c.edit(2), Qt::Key_unknown, QString(QChar(0x2713)),
                        Qt::NoModifier);
    QTest::sendKeyEvent(QTest::Click, c.edit(2), Qt::Key_unknown, QStringLiteral("é"),
                        Qt::NoModifier);
    EXPECT_EQ(c.edit(2)->text(), QStringLiteral("ANDREé"));
    QTest::keyClick(c.edit(2), Qt::Key_Return);
    EXPECT_EQ(c.d.table().Rangees[0][1], "ANDRE\xE9");
}

TEST(TFichCli, GestcliRendLaListeEtLaMarqueModifiee) {
    PlateformeFausse p;
    Facture f(p);
    f.clients.Lignes_ = Liste();
    QTimer::singleShot(0, [] {
        auto* d = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(d, nullptr);
        QTest::mouseClick(d->findChild<QPushButton*>(QStringLiteral("Button1")), Qt::LeftButton);
    });
    Gestcli(f, nullptr);
    EXPECT_TRUE(f.clients.ClientsModifies);
    EXPECT_EQ(f.clients.Lignes_[1], "ANDRE");
}

TEST(TFichCli, EffacementSansCaractereTapeEstGarde) {
    // Already in name order: opening the card marks nothing by itself.
    const Lignes triee{"<CLI>10003", "ANDRE",  "2 rue B", "69002 LYON",  "",
                       "<CLI>10005", "DURAND", "1 rue A", "75001 PARIS", ""};
    Carte c(triee);
    c.edit(3)->setFocus();
    c.edit(3)->selectAll();
    QTest::keyClick(c.edit(3), Qt::Key_Backspace);
    c.edit(4)->setFocus();
    c.edit(4)->end(false);
    QTest::keyClick(c.edit(4), Qt::Key_Backspace);
    QTest::mouseClick(c.bouton1(), Qt::LeftButton);
    EXPECT_EQ(c.result(), (Lignes{"<CLI>10003", "ANDRE", "", "69002 LYO", "", "<CLI>10005",
                                  "DURAND", "1 rue A", "75001 PARIS", ""}));
}
