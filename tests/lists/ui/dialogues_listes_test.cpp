// The document list, the search and the glossary dialogs driven with keys.
#include "lists/ui/factliste_dialog.h"
#include "lists/ui/find_dialog.h"
#include "lists/ui/glos_dialog.h"

#include "book/ui/dialogue_modal.h"
#include "lists/livres_listes.h"

#include <QFontInfo>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>

using namespace kyr;
using test::QuandActif;

namespace {

const std::string F = "Facture", D = "Devis    ";

const LignesLivre LivreQuatre = test::Livre({{0, "F200103001", "10002", F, "ZERO"},
                                             {1, "F200103002", "0", F, "UN"},
                                             {3, "F200103004", "10004", F, "TROIS"},
                                             {2, "D200103001", "10005", D, "DEUX"}});

QListView* Liste(QWidget* d) {
    return d->findChild<QListView*>(QStringLiteral("ListBox1"));
}
int Nombre(QListView* l) {
    return l->model()->rowCount();
}
QString Texte(QListView* l, int rangee) {
    return l->model()->index(rangee, 0).data().toString();
}
int Choisie(QListView* l) {
    const QModelIndexList s = l->selectionModel()->selectedRows();
    return s.isEmpty() ? -1 : s.front().row();
}
template <class T = QPushButton> T* Btn(QWidget* d, const char* nom) {
    return d->findChild<T*>(QString::fromLatin1(nom));
}
QLineEdit* Edit(QWidget* d, int n) {
    return d->findChild<QLineEdit*>(QStringLiteral("Edit%1").arg(n));
}
void Touches(QWidget* w, std::initializer_list<Qt::Key> touches,
             Qt::KeyboardModifiers m = Qt::NoModifier) {
    for (Qt::Key k : touches)
        QTest::keyClick(w, k, m);
}
QPoint Centre(QListView* l, int rangee) {
    return l->visualRect(l->model()->index(rangee, 0)).center();
}
void Clique(QListView* l, int rangee) {
    QTest::mouseClick(l->viewport(), Qt::LeftButton, {}, Centre(l, rangee));
}

// Opens the list on LivreQuatre, runs `action` in it, gives the chosen block.
int Choix(std::function<void(QWidget*)> action) {
    TFactListe d;
    d.Init(LivreQuatre);
    QuandActif(action);
    d.exec();
    return d.Result();
}

} // namespace

TEST(TFactListe, EntreesLisiblesSansSelection) {
    TFactListe d;
    d.Init(LivreQuatre);
    QListView* l = Liste(&d);
    EXPECT_EQ(d.windowTitle(), "Liste des factures");
    ASSERT_EQ(Nombre(l), 4);
    EXPECT_EQ(Texte(l, 2), QStringLiteral("200103001  15/03/2001  10005  Devis      DEUX"));
    EXPECT_EQ(Texte(l, 1), QStringLiteral("200103002  15/03/2001  0  Facture  UN"));
    EXPECT_EQ(Choisie(l), -1);
    EXPECT_EQ(d.Result(), -1);
    EXPECT_TRUE(QFontInfo(l->font()).fixedPitch());
    const int largeur = l->fontMetrics().horizontalAdvance(Texte(l, 2));
    EXPECT_GT(l->viewport()->width() > 0 ? d.width() : 0, largeur + 20);
    EXPECT_EQ(d.minimumSize(), d.maximumSize()) << "fixed size";
    EXPECT_EQ(Btn(&d, "Button1")->text(), "Fermer");
}

TEST(TFactListe, ClavierEtBoutons) {
    struct Cas {
        const char* nom;
        std::function<void(QWidget*)> action;
        int bloc;
    };
    const std::vector<Cas> cas = {
        {"troisieme et Entree",
         [](QWidget* d) {
             Touches(Liste(d), {Qt::Key_Down, Qt::Key_Down, Qt::Key_Down, Qt::Key_Return});
         },
         2},
        {"Echap",
         [](QWidget* d) {
             Touches(Liste(d), {Qt::Key_Down, Qt::Key_Down, Qt::Key_Escape});
         },
         -1},
        {"Entree sans selection", [](QWidget* d) { Touches(Liste(d), {Qt::Key_Return}); }, -1},
        // Home and End select even when nothing is selected yet.
        {"Debut, deux fois Bas et Entree",
         [](QWidget* d) {
             Touches(Liste(d), {Qt::Key_Home, Qt::Key_Down, Qt::Key_Down, Qt::Key_Return});
         },
         2},
        {"Debut et Entree",
         [](QWidget* d) {
             Touches(Liste(d), {Qt::Key_Home, Qt::Key_Return});
         },
         0},
        {"Fin et Entree",
         [](QWidget* d) {
             Touches(Liste(d), {Qt::Key_End, Qt::Key_Return});
         },
         3},
        {"Fin puis Haut",
         [](QWidget* d) {
             Touches(Liste(d), {Qt::Key_End, Qt::Key_Up, Qt::Key_Return});
         },
         2},
        {"Debut apres une selection",
         [](QWidget* d) {
             Touches(Liste(d),
                     {Qt::Key_Down, Qt::Key_Down, Qt::Key_Down, Qt::Key_Home, Qt::Key_Return});
         },
         0},
        {"troisieme monte en tete",
         [](QWidget* d) {
             QListView* l = Liste(d);
             EXPECT_TRUE(QTest::qWaitForWindowActive(d)); // for the shortcuts
             Touches(l, {Qt::Key_Down, Qt::Key_Down, Qt::Key_Down});
             QTest::mouseClick(Btn<QToolButton>(d, "SpeedButton1"), Qt::LeftButton);
             Touches(l, {Qt::Key_Up}, Qt::ControlModifier);
             Touches(l, {Qt::Key_Up}, Qt::ControlModifier); // already first: stays
             EXPECT_EQ(Choisie(l), 0);
             EXPECT_TRUE(Texte(l, 0).endsWith(QStringLiteral("DEUX")));
             QTest::mouseClick(Btn(d, "Button1"), Qt::LeftButton);
         },
         2},
        {"premier descend puis bouton de fermeture",
         [](QWidget* d) {
             QListView* l = Liste(d);
             EXPECT_TRUE(QTest::qWaitForWindowActive(d));
             Touches(l, {Qt::Key_Down});
             Touches(l, {Qt::Key_Down}, Qt::ControlModifier);
             QTest::mouseClick(Btn<QToolButton>(d, "SpeedButton2"), Qt::LeftButton);
             EXPECT_TRUE(Texte(l, 2).endsWith(QStringLiteral("ZERO")));
             d->close();
         },
         0},
        {"double clic",
         [](QWidget* d) {
             QListView* l = Liste(d);
             QTest::mouseClick(l->viewport(), Qt::LeftButton, {}, Centre(l, 1));
             QTest::mouseDClick(l->viewport(), Qt::LeftButton, {}, Centre(l, 1));
         },
         1},
    };
    for (const auto& c : cas)
        EXPECT_EQ(Choix(c.action), c.bloc) << c.nom;
}

TEST(TFindDialog, TexteTapeOuRien) {
    struct Cas {
        const char* nom;
        std::function<void(QWidget*)> action;
        std::string texte;
    };
    const std::vector<Cas> cas = {
        {"Entree",
         [](QWidget* d) {
             QWidget* e = Edit(d, 1);
             EXPECT_EQ(QApplication::focusWidget(), e);
             EXPECT_EQ(Edit(d, 1)->text(), "F");
             QTest::keyClicks(e, "12  ");
             QTest::keyClick(e, Qt::Key_Return);
         },
         "F12  "},
        {"OK",
         [](QWidget* d) {
             QTest::keyClick(Edit(d, 1), Qt::Key_Backspace);
             QTest::keyClicks(Edit(d, 1), "d200103001");
             EXPECT_EQ(Btn(d, "Button1")->text(), "OK");
             QTest::mouseClick(Btn(d, "Button1"), Qt::LeftButton);
         },
         "d200103001"},
        {"Echap",
         [](QWidget* d) {
             QTest::keyClicks(Edit(d, 1), "200103001");
             QTest::keyClick(Edit(d, 1), Qt::Key_Escape);
         },
         ""},
        {"Annuler",
         [](QWidget* d) {
             EXPECT_EQ(Btn(d, "Button2")->text(), "Annuler");
             QTest::mouseClick(Btn(d, "Button2"), Qt::LeftButton);
         },
         ""},
    };
    for (const auto& c : cas) {
        TFindDialog d;
        EXPECT_EQ(d.windowTitle(), "Rechercher");
        QuandActif(c.action);
        d.exec();
        EXPECT_EQ(d.Result(), c.texte) << c.nom;
    }
}

class Glos : public ::testing::Test {
protected:
    const Lignes depart{"TVA\tTaxe sur la valeur ajout\xE9"
                        "e",
                        "Ligne sans tabulation", "MO\tMain d'oeuvre"};
    Lignes liste = depart;

    // Runs the dialog on `liste`; gives the designation to insert.
    std::string Ouvre(std::function<void(QWidget*)> action) {
        TGlos d;
        d.Init(liste);
        QuandActif(action);
        d.exec();
        return d.Result(liste);
    }
};

TEST_F(Glos, AjouterPuisModifierApresUnClic) {
    const std::string insere = Ouvre([](QWidget* d) {
        QListView* l = Liste(d);
        EXPECT_EQ(Nombre(l), 3);
        EXPECT_EQ(Choisie(l), -1);
        EXPECT_EQ(QApplication::focusWidget(), Edit(d, 1));
        QTest::keyClicks(Edit(d, 1), "tva");
        EXPECT_EQ(Edit(d, 1)->text(), "TVA");
        Edit(d, 1)->clear();
        QTest::keyClicks(Edit(d, 1), "h t1-T");
        EXPECT_EQ(Edit(d, 1)->text(), "HTT");
        QTest::keyClick(Edit(d, 1), Qt::Key_Backspace);
        QTest::keyClick(Edit(d, 1), Qt::Key_Tab);
        QTest::keyClicks(QApplication::focusWidget(), "Hors taxes");
        QTest::mouseClick(Btn(d, "Button3"), Qt::LeftButton); // Ajouter
        ASSERT_EQ(Nombre(l), 4);
        EXPECT_EQ(Texte(l, 3), QStringLiteral("HT\tHors taxes"));
        EXPECT_EQ(Choisie(l), -1);

        Clique(l, 3);
        Edit(d, 2)->setFocus();
        QTest::keyClicks(Edit(d, 2), " (HT)");
        QTest::keyClick(Edit(d, 2), Qt::Key_Return); // Enter in the designation: Ajouter
        EXPECT_TRUE(d->isVisible());
        ASSERT_EQ(Nombre(l), 4) << "the clicked entry is replaced";
        EXPECT_EQ(Texte(l, 3), QStringLiteral("HT\tHors taxes (HT)"));

        Clique(l, 1); // no TAB: the fields stay as they are
        EXPECT_EQ(Edit(d, 1)->text(), "HT");
        QTest::mouseClick(Btn(d, "Button2"), Qt::LeftButton); // Insérer
    });
    EXPECT_EQ(insere, "Ligne sans tabulation");
    EXPECT_EQ(liste, (Lignes{depart[0], depart[1], depart[2], "HT\tHors taxes (HT)"}));
}

TEST_F(Glos, FermerEtAnnulerGardentLesChangementsSansDesignation) {
    struct Cas {
        const char* nom;
        const char* bouton; // nullptr: Escape
    };
    for (const Cas& c :
         {Cas{"Fermer", "Button5"}, Cas{"Annuler", "Button1"}, Cas{"Echap", nullptr}}) {
        liste = depart;
        const std::string insere = Ouvre([&c](QWidget* d) {
            QListView* l = Liste(d);
            l->setFocus();
            Touches(l, {Qt::Key_Down}); // the first entry
            EXPECT_EQ(Edit(d, 1)->text(), "TVA");
            QTest::mouseClick(Btn(d, "Button4"), Qt::LeftButton); // Supprimer
            EXPECT_EQ(Nombre(l), 2);
            EXPECT_EQ(Choisie(l), -1);
            Touches(l, {Qt::Key_Down});
            if (c.bouton)
                QTest::mouseClick(Btn(d, c.bouton), Qt::LeftButton);
            else
                Touches(l, {Qt::Key_Escape});
        });
        EXPECT_EQ(insere, "") << c.nom;
        EXPECT_EQ(liste, (Lignes{depart[1], depart[2]})) << c.nom;
    }
}

TEST_F(Glos, EntreeSurUneEntreeInsereSaDesignation) {
    EXPECT_EQ(Ouvre([](QWidget* d) {
                  QListView* l = Liste(d);
                  QTest::keyClicks(Edit(d, 1), "ht");
                  QTest::keyClick(Edit(d, 1), Qt::Key_Return); // Enter in a field adds
                  EXPECT_EQ(Nombre(l), 4);
                  l->setFocus();
                  Touches(l, {Qt::Key_Return}); // nothing selected: nothing happens
                  EXPECT_TRUE(d->isVisible());
                  EXPECT_EQ(Nombre(l), 4);
                  Touches(l, {Qt::Key_End}); // the entry just added
                  EXPECT_EQ(Edit(d, 1)->text(), "HT");
                  Touches(l, {Qt::Key_Home, Qt::Key_Down, Qt::Key_Down, Qt::Key_Return});
              }),
              "Main d'oeuvre");
}
