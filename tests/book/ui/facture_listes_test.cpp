// The invoice window's document list (F2), search by number, glossary dialog
// and number field, driven with keys on the sample book.
#include "book/ui/dialogue_modal.h"
#include "book/ui/fenetre_facture.h"
#include "support/attente.h"

#include <QApplication>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <gtest/gtest.h>

using namespace kyr;
using test::Attend;
using test::QuandActif;

namespace {

QWidget* Focus() {
    return QApplication::focusWidget();
}

void Touches(QWidget* w, std::initializer_list<Qt::Key> touches) {
    for (Qt::Key k : touches)
        QTest::keyClick(w, k);
}

class ListesFacture : public test::FenetreFactureTest {
protected:
    void SetUp() override {
        FenetreFactureTest::SetUp();
        // The book's clients, so that leaving the code field asks nothing.
        for (const char* code : {"10002", "10003", "10004"})
            for (const std::string& l : {std::string("<CLI>") + code, std::string("CLIENT"),
                                         std::string(), std::string(), std::string()})
                f().clients.Lignes_.push_back(l);
        w->Charge(QStringLiteral(KYR_TEST_DATA "/exemple.fct"));
        ASSERT_EQ(f().NbFiches, 4);
    }

    QLineEdit* edit(const char* nom) { return ctl<QLineEdit>(nom); }

    // Types in a field of the window what the user would, replacing its text.
    void Remplace(const char* nom, const char* texte) {
        QLineEdit* e = edit(nom);
        e->setFocus();
        e->selectAll();
        QTest::keyClick(e, Qt::Key_Delete);
        QTest::keyClicks(e, texte);
    }

    // "C&hercher facture..." with the keys typed after the preset "F".
    void Cherche(const char* touches, bool efface = false) {
        QuandActif([=](QWidget* d) {
            QWidget* e = d->findChild<QLineEdit*>(QStringLiteral("Edit1"));
            if (efface) QTest::keyClick(e, Qt::Key_Backspace);
            QTest::keyClicks(e, touches);
            QTest::keyClick(e, Qt::Key_Return);
        });
        w->Chercher();
    }
};

} // namespace

TEST_F(ListesFacture, F2OuvreLEntreeChoisieEtRangeLeDocumentAffiche) {
    Remplace("Edit3", "4 rue Neuve"); // an edit of document 0, then F2
    QuandActif([](QWidget* d) {
        auto* l = d->findChild<QListView*>(QStringLiteral("ListBox1"));
        ASSERT_EQ(l->model()->rowCount(), 4);
        EXPECT_EQ(l->model()->index(2, 0).data().toString(),
                  QStringLiteral("200001001  10/01/2000  10004  Devis      Café de la Poste"));
        Touches(l, {Qt::Key_Down, Qt::Key_Down, Qt::Key_Down, Qt::Key_Return});
    });
    QTest::keyClick(Focus(), Qt::Key_F2);
    EXPECT_EQ(f().FicheCourante, 2);
    EXPECT_EQ(edit("Edit2")->text(), QStringLiteral("Café de la Poste"));
    EXPECT_EQ(w->focusWidget(), edit("Edit1"));

    QuandActif([](QWidget* d) {
        Touches(d->findChild<QListView*>(QStringLiteral("ListBox1")),
                {Qt::Key_Down, Qt::Key_Escape});
    });
    QTest::keyClick(grille(), Qt::Key_F2);
    EXPECT_EQ(f().FicheCourante, 2) << "Escape opens nothing";

    QuandActif([](QWidget* d) {
        Touches(d->findChild<QListView*>(QStringLiteral("ListBox1")),
                {Qt::Key_End, Qt::Key_Home, Qt::Key_Return});
    });
    w->Liste();
    EXPECT_EQ(f().FicheCourante, 0);
    EXPECT_EQ(edit("Edit3")->text(), QStringLiteral("4 rue Neuve")) << "stored before the list";
}

TEST_F(ListesFacture, ChercherTrouveLeNumeroTapeEtGardeLesModifications) {
    Cherche("200001004");
    EXPECT_EQ(f().FicheCourante, 3);
    Remplace("Edit2", "Garage du Centre SA");

    Cherche("200001005"); // no such number: nothing happens
    EXPECT_EQ(f().FicheCourante, 3);
    Cherche("d200001001", true);
    EXPECT_EQ(f().FicheCourante, 2);
    Cherche("200001004");
    EXPECT_EQ(f().FicheCourante, 3);
    EXPECT_EQ(edit("Edit2")->text(), QStringLiteral("Garage du Centre SA"))
        << "the edits were stored before the search";
    EXPECT_TRUE(plateforme.messages.empty());
}

TEST_F(ListesFacture, LeNumeroGardeSesBlancsALeurPlace) {
    auto* numero = edit("MaskEdit1");
    EXPECT_EQ(numero->displayText(), QStringLiteral("200001001"));
    numero->setFocus();
    numero->selectAll();
    QTest::keyClick(numero, Qt::Key_Delete);
    QTest::keyClicks(numero, "2026 2001");
    EXPECT_EQ(numero->displayText(), QStringLiteral("2026_2001"));
    EXPECT_EQ(f().fiche.Numero, "2026 2001");
    QTest::keyClick(numero, Qt::Key_PageDown); // stored, then the next document
    EXPECT_EQ(f().FicheCourante, 1);
    EXPECT_NE(std::find(f().Livre.begin(), f().Livre.end(), "NUMF2026 2001"), f().Livre.end());

    Cherche("2026 2001");
    EXPECT_EQ(f().FicheCourante, 0);
    EXPECT_EQ(numero->displayText(), QStringLiteral("2026_2001")) << "shown as stored";

    // A leading blank is kept too, so the document is not complete any more.
    numero->setFocus();
    numero->setCursorPosition(0);
    QTest::keyClick(numero, Qt::Key_Space);
    EXPECT_EQ(numero->displayText(), QStringLiteral("_026_2001"));
    EXPECT_EQ(f().fiche.Numero, " 026 2001");
    EXPECT_FALSE(f().Valide());
    QTest::keyClick(numero, Qt::Key_PageDown);
    EXPECT_EQ(std::find(f().Livre.begin(), f().Livre.end(), "NUMF 026 2001"), f().Livre.end());
}

TEST_F(ListesFacture, LeGlossaireInsereDansLaDesignationCourante) {
    f().Glossaire = {"TVA\tTaxe", "HT\tHors taxes", "MO\tMain d'oeuvre"};
    grille()->setFocus();
    grille()->setCurrentCell(1, 0);
    ASSERT_TRUE(Attend([&] { return grille()->isAncestorOf(Focus()); }));

    QuandActif([](QWidget* d) {
        EXPECT_EQ(d->windowTitle(), QStringLiteral("Glossaire"));
        auto* l = d->findChild<QListView*>(QStringLiteral("ListBox1"));
        l->setFocus();
        Touches(l, {Qt::Key_Down, Qt::Key_Down, Qt::Key_Return});
    });
    w->Glossaire();
    EXPECT_EQ(f().fiche.Cellules[2][0], "Hors taxes");
    EXPECT_EQ(grille()->item(1, 0)->text(), QStringLiteral("Hors taxes"));
    EXPECT_TRUE(f().GlossaireModifie);
}
