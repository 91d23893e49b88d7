// The invoice window driven as a user drives it: key events into the real
// controls and the real line grid, with a scripted platform.
#include "book/ui/fenetre_facture.h"

#include "support/attente.h"

#include <QApplication>
#include <QClipboard>
#include <QCheckBox>
#include <QComboBox>
#include <QElapsedTimer>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QScrollBar>
#include <QTableWidget>
#include <QTest>
#include <gtest/gtest.h>

#include <algorithm>

using namespace kyr;

namespace {

using test::Attend;

// Types a text into a widget, one key event a character. Letters outside ASCII
// go as bare text events: QTest's key tables abort on them.
void Tape(QWidget* w, const QString& texte) {
    for (QChar c : texte) {
        if (c.unicode() < 128)
            QTest::keyClick(w, c.toLatin1());
        else
            QTest::sendKeyEvent(QTest::Click, w, Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
}

QWidget* Focus() {
    return QApplication::focusWidget();
}

class FenetreFacture : public test::FenetreFactureTest {
protected:
    QString label(const char* nom) { return ctl<QLabel>(nom)->text(); }
    std::string cellule(int rangee, int colonne) {
        return Trim(f().fiche.Cellules[rangee][colonne]);
    }

    // Puts the grid's cursor on a document row (1..63) and column, editor open.
    QWidget* VaCellule(int rangee, int colonne) {
        grille()->setFocus();
        grille()->setCurrentCell(rangee - 1, colonne);
        EXPECT_TRUE(Attend(
            [&] { return qobject_cast<QLineEdit*>(Focus()) && grille()->isAncestorOf(Focus()); }));
        return Focus();
    }
    void Touche(Qt::Key k) { QTest::keyClick(Focus(), k); }

    // A book of n complete documents made through the logic, for clients of
    // the client list (leaving the code field looks the client up).
    void Livre(int n) {
        f().Nouveau();
        for (int i = 0; i < n; ++i) {
            if (i > 0) f().Ajout();
            f().fiche.CodeClient = "1000" + std::to_string(i + 2);
            for (const auto& l : {"<CLI>" + f().fiche.CodeClient, std::string("CLIENT"),
                                  std::string(), std::string(), std::string()})
                f().clients.Lignes_.push_back(l);
            f().fiche.Numero = "20010300" + std::to_string(i + 1);
            f().fiche.Cellules[1][0] = "Article " + std::to_string(i);
            f().NbLignes = 1;
            f().Modifie();
        }
        f().EcritFiche();
        f().FicheCourante = 0;
        f().LitFiche();
        w->Affiche();
    }
};

TEST_F(FenetreFacture, UneFactureTapeeAuClavierEstCalculeeEtRangee) {
    w->Nouveau();
    w->Ajout(); // document 1 of a new book: PgUp will store it
    ASSERT_EQ(f().FicheCourante, 1);

    // A code not in the client file, refused creation: the look-up runs on leaving the field.
    plateforme.reponses.push_back(Bouton::Non);
    QString codeVu;
    plateforme.pendantQuestion = [&] { codeVu = ctl<QLineEdit>("Edit1")->text(); };
    ctl<QLineEdit>("Edit1")->setFocus();
    Tape(Focus(), QStringLiteral("5"));
    QWidget* e = VaCellule(1, 0);
    EXPECT_EQ(codeVu, QStringLiteral("10005")) << "the completed code is shown with the question";
    EXPECT_EQ(f().fiche.CodeClient, "10005");
    ASSERT_EQ(plateforme.questions.size(), 1u);
    EXPECT_EQ(plateforme.questions[0].texte, QStringLiteral("Créer le client ?"));

    Tape(e, QStringLiteral("Vis à bois"));
    Touche(Qt::Key_Tab);
    Tape(Focus(), QStringLiteral("2.5"));
    EXPECT_EQ(qobject_cast<QLineEdit*>(Focus())->text(), QStringLiteral("2,5"));
    Touche(Qt::Key_Tab);
    Tape(Focus(), QStringLiteral("4"));
    Touche(Qt::Key_Return);

    EXPECT_EQ(cellule(1, 0), "Vis \xE0 bois");
    EXPECT_EQ(cellule(1, 1), "2,5");
    EXPECT_EQ(cellule(1, 2), "4,00");
    EXPECT_EQ(cellule(1, 4), "10,00");
    EXPECT_EQ(cellule(1, 5), "1");
    EXPECT_EQ(grille()->item(0, 4)->text().trimmed(), QStringLiteral("10,00"));
    EXPECT_EQ(f().NbLignes, 1);
    EXPECT_TRUE(f().DocumentModifie);
    EXPECT_EQ(label("Label7"), QStringLiteral("10,00"));
    // A new book is in euros, at the rate in force.
    EXPECT_EQ(label("Label13"), QStringLiteral("2,00"));
    EXPECT_EQ(label("Label18"), QStringLiteral("12,00"));
    EXPECT_EQ(label("Label19"), QStringLiteral("78,71"));
    EXPECT_EQ(label("Label16"), QStringLiteral("Euros"));
    EXPECT_EQ(label("Label17"), QStringLiteral("Francs"));
    // Enter moved to the next row's designation, its editor open.
    EXPECT_EQ(grille()->currentRow(), 1);
    EXPECT_EQ(grille()->currentColumn(), 0);
    EXPECT_TRUE(Attend([&] { return grille()->isAncestorOf(Focus()); }));

    // A second line typed but not entered is stored all the same by the move.
    Tape(Focus(), QStringLiteral("Main d'œuvre"));
    Touche(Qt::Key_PageUp);
    EXPECT_EQ(f().FicheCourante, 0);
    EXPECT_EQ(Focus(), ctl<QLineEdit>("Edit1"));
    const auto fact = std::count_if(f().Livre.begin(), f().Livre.end(),
                                    [](const std::string& l) { return l.rfind("FACT", 0) == 0; });
    EXPECT_EQ(fact, 1) << "only rows up to NbLignes are stored";
    const auto ligne = std::find_if(f().Livre.begin(), f().Livre.end(),
                                    [](const std::string& l) { return l.rfind("FACT", 0) == 0; });
    ASSERT_NE(ligne, f().Livre.end());
    EXPECT_EQ(ligne->rfind("FACTVis \xE0 bois\t", 0), 0u) << *ligne;
    EXPECT_NE(ligne->find("2,5\t"), std::string::npos);
    EXPECT_NE(ligne->find("10,00\t1"), std::string::npos);
    EXPECT_NE(std::find(f().Livre.begin(), f().Livre.end(), "<BLOC0001>"), f().Livre.end());

    Touche(Qt::Key_PageDown);
    EXPECT_EQ(f().FicheCourante, 1);
    EXPECT_EQ(grille()->item(0, 0)->text(), QStringLiteral("Vis à bois"));
    EXPECT_EQ(ctl<QLineEdit>("Edit1")->text(), QStringLiteral("10005"));
    EXPECT_EQ(f().NbLignes, 2);
    EXPECT_EQ(label("Label18"), QStringLiteral("12,00"));
}

TEST_F(FenetreFacture, LEspaceDevelopeUneAbreviationQuiEstLaCelluleEntiere) {
    f().Glossaire = {"TVA\tTaxe sur la valeur ajout\xE9"
                     "e",
                     "TVA\tseconde", "X"};
    struct Cas {
        int colonne;
        QString tape, attendu;
    } cas[] = {
        {0, QStringLiteral("tva "), QStringLiteral("Taxe sur la valeur ajoutée")},
        {0, QStringLiteral("TVA2 "), QStringLiteral("TVA2 ")},
        {0, QStringLiteral("Vis tva "), QStringLiteral("Vis tva ")},
        {0, QStringLiteral(" "), QStringLiteral("X")}, // a line without TAB: empty abbreviation
        {0, QStringLiteral("1.5"), QStringLiteral("1.5")},
        {1, QStringLiteral("12.5"), QStringLiteral("12,5")},
        {3, QStringLiteral("2.5"), QStringLiteral("2,5")},
    };
    int rangee = 1;
    for (const auto& c : cas) {
        QWidget* e = VaCellule(rangee++, c.colonne);
        Tape(e, c.tape);
        EXPECT_EQ(qobject_cast<QLineEdit*>(Focus())->text(), c.attendu) << c.tape.toStdString();
    }
    w->Saisit();
    EXPECT_EQ(f().fiche.Cellules[1][0], "Taxe sur la valeur ajout\xE9"
                                        "e");
    EXPECT_FALSE(f().DocumentModifie) << "typing in a cell is not yet an edit";
}

TEST_F(FenetreFacture, EntreeCalculeEtAvanceJusquAVingtLignes) {
    f().NbLignes = 1;
    QWidget* e = VaCellule(3, 3);
    Tape(e, QStringLiteral("5"));
    Touche(Qt::Key_Enter);
    EXPECT_EQ(f().NbLignes, 3);
    EXPECT_EQ(f().fiche.Cellules[3][5], "1");
    EXPECT_EQ(grille()->currentRow(), 3);
    EXPECT_EQ(grille()->currentColumn(), 0);

    // Enter in the quantity column is no command.
    e = VaCellule(5, 1);
    Touche(Qt::Key_Return);
    EXPECT_EQ(f().NbLignes, 3);
    EXPECT_EQ(grille()->currentRow(), 4);
    EXPECT_EQ(grille()->currentColumn(), 1);

    f().NbLignes = 25;
    VaCellule(22, 2);
    Touche(Qt::Key_Return);
    EXPECT_EQ(grille()->currentRow(), 21);
    EXPECT_EQ(grille()->currentColumn(), 0);
    EXPECT_EQ(f().NbLignes, 25);
}

TEST_F(FenetreFacture, PageSuivanteEtPrecedenteSontPrisesDeTousLesControles) {
    Livre(3);
    auto* barre = grille()->verticalScrollBar();
    QWidget* e = VaCellule(1, 0);
    ASSERT_EQ(barre->value(), 0);
    QTest::keyClick(e, Qt::Key_PageDown);
    EXPECT_EQ(f().FicheCourante, 1);
    EXPECT_EQ(barre->value(), 0) << "the grid must not scroll by pages";
    EXPECT_EQ(grille()->currentRow(), 0);
    EXPECT_EQ(Focus(), ctl<QLineEdit>("Edit1"));

    ctl<QLineEdit>("Edit2")->setFocus();
    QTest::keyClick(Focus(), Qt::Key_PageDown);
    EXPECT_EQ(f().FicheCourante, 2);
    EXPECT_EQ(ctl<QLineEdit>("Edit1")->text(), QStringLiteral("10004"));
    ctl<QLineEdit>("Edit3")->setFocus();
    QTest::keyClick(Focus(), Qt::Key_PageDown); // the last one: stays
    EXPECT_EQ(f().FicheCourante, 2);
    ctl<QPlainTextEdit>("Memo1")->setFocus();
    QTest::keyClick(Focus(), Qt::Key_PageUp);
    EXPECT_EQ(f().FicheCourante, 1);
    EXPECT_EQ(grille()->item(0, 0)->text(), QStringLiteral("Article 1"));
}

TEST_F(FenetreFacture, LaGrilleSignaleSonFocusEtValideUnLivreVide) {
    int valide = 0;
    std::vector<bool> effacer;
    QObject::connect(w.get(), &TFacture::valideDemande, [&] { ++valide; });
    QObject::connect(w.get(), &TFacture::effacerLigneChange, [&](bool a) { effacer.push_back(a); });
    VaCellule(1, 0);
    EXPECT_TRUE(f().FocusGrille);
    EXPECT_EQ(valide, 1);
    ASSERT_FALSE(effacer.empty());
    EXPECT_TRUE(effacer.back());
    ctl<QLineEdit>("Edit2")->setFocus();
    EXPECT_FALSE(f().FocusGrille);
    EXPECT_FALSE(effacer.back());

    Livre(2);
    VaCellule(1, 0);
    EXPECT_EQ(valide, 1) << "a book with documents needs no Valide";
}

TEST_F(FenetreFacture, LeMemoRefuseUneSixiemeLigneAuClavier) {
    auto* memo = ctl<QPlainTextEdit>("Memo1");
    memo->setFocus();
    for (const char* l : {"un", "deux", "trois", "quatre", "cinq"}) {
        Tape(memo, QString::fromLatin1(l));
        QTest::keyClick(memo, Qt::Key_Return);
    }
    Tape(memo, QStringLiteral("six"));
    EXPECT_EQ(memo->toPlainText(), QStringLiteral("un\ndeux\ntrois\nquatre\ncinqsix"));
    EXPECT_EQ(f().fiche.Memo.size(), 5u);
    EXPECT_TRUE(f().MemoEdite);
    EXPECT_TRUE(f().LivreModifie);
}

TEST_F(FenetreFacture, LeGenreSeChoisitDansLaListeSeulement) {
    auto* genre = ctl<QComboBox>("ComboBox2");
    auto* numero = ctl<QLineEdit>("MaskEdit1");
    const QString propose = numero->text();
    EXPECT_EQ(propose, QStringLiteral("200103001"));
    genre->setFocus();
    Tape(genre, QStringLiteral("Da"));
    EXPECT_EQ(genre->currentIndex(), 0);
    EXPECT_FALSE(f().DocumentModifie);

    QTest::keyClick(genre, Qt::Key_Down);
    EXPECT_EQ(f().fiche.Genre, GenreDevis);
    EXPECT_TRUE(f().DocumentModifie);
    EXPECT_EQ(numero->text(), propose) << "a number already there is kept";

    // An emptied number gets the next quote number.
    numero->setFocus();
    numero->selectAll();
    QTest::keyClick(numero, Qt::Key_Delete);
    EXPECT_EQ(f().fiche.Numero, std::string(9, ' '));
    genre->setFocus();
    QTest::keyClick(genre, Qt::Key_Up); // back to an invoice: the next invoice number
    EXPECT_EQ(numero->text(), QStringLiteral("200103001"));
    EXPECT_EQ(f().fiche.Numero, "200103001");
}

TEST_F(FenetreFacture, UnCaractereSansOctetWindows1252EstRefuse) {
    auto* adresse = ctl<QLineEdit>("Edit2");
    adresse->setFocus();
    Tape(adresse, QStringLiteral("Café Ω€"));
    EXPECT_EQ(adresse->text(), QStringLiteral("Café €"));
    EXPECT_EQ(f().fiche.Adresse[0], "Caf\xE9 \x80");

    QWidget* e = VaCellule(1, 0);
    Tape(e, QStringLiteral("a✓b"));
    EXPECT_EQ(qobject_cast<QLineEdit*>(Focus())->text(), QStringLiteral("ab"));
    e = VaCellule(2, 0);
    qobject_cast<QLineEdit*>(e)->insert(QStringLiteral("✓")); // a paste of such a character
    EXPECT_EQ(qobject_cast<QLineEdit*>(Focus())->text(), QString());
    w->Saisit();
    EXPECT_EQ(f().fiche.Cellules[1][0], "ab");
}

TEST_F(FenetreFacture, LeCodeClientFiltreSesTouchesEtCreeLeClient) {
    auto* code = ctl<QLineEdit>("Edit1");
    code->setFocus();
    Tape(code, QStringLiteral("1a2é"));
    EXPECT_EQ(code->text(), QStringLiteral("12"));
    // A letter with Alt that matched no menu, and a pasted text, are refused too.
    QTest::keyClick(code, Qt::Key_P, Qt::AltModifier);
    EXPECT_EQ(code->text(), QStringLiteral("12"));
    QApplication::clipboard()->setText(QStringLiteral("ab"));
    code->paste();
    EXPECT_EQ(code->text(), QStringLiteral("12"));
    Tape(code, QStringLiteral("*"));
    EXPECT_EQ(code->text(), QStringLiteral("*"));

    plateforme.reponses.push_back(Bouton::Oui);
    dialogues.nouveaux.push_back(
        std::array<std::string, 4>{"DURAND", "1 rue Haute", "75001 PARIS", ""});
    ctl<QLineEdit>("Edit3")->setFocus();
    EXPECT_EQ(code->text(), QStringLiteral("10002"));
    EXPECT_EQ(ctl<QLineEdit>("Edit2")->text(), QStringLiteral("DURAND"));
    EXPECT_EQ(ctl<QLineEdit>("Edit4")->text(), QStringLiteral("75001 PARIS"));
    EXPECT_TRUE(f().DocumentModifie);
}

TEST_F(FenetreFacture, LesChangementsDeLUtilisateurMarquentLeDocument) {
    Livre(1);
    ASSERT_FALSE(f().DocumentModifie);
    QTest::mouseClick(ctl<QRadioButton>("RadioButton2"), Qt::LeftButton);
    EXPECT_TRUE(f().fiche.TTC);
    EXPECT_TRUE(f().DocumentModifie);
    EXPECT_EQ(grille()->horizontalHeaderItem(4)->text(), QStringLiteral("Montant TTC"));

    f().DocumentModifie = false;
    QTest::mouseClick(ctl<QCheckBox>("CheckBox1"), Qt::LeftButton);
    EXPECT_TRUE(f().fiche.Payee);
    EXPECT_TRUE(f().DocumentModifie);

    f().DocumentModifie = false;
    auto* conditions = ctl<QComboBox>("ComboBox1");
    EXPECT_EQ(conditions->count(), 5);
    conditions->setFocus();
    Tape(conditions, QStringLiteral(" net"));
    EXPECT_EQ(f().fiche.Conditions, "A r\xE9"
                                    "ception net");
    EXPECT_TRUE(f().DocumentModifie);

    // Showing a document again is no edit.
    f().DocumentModifie = f().LivreModifie = false;
    w->Premier();
    EXPECT_FALSE(f().DocumentModifie);
    EXPECT_FALSE(f().LivreModifie);
}

TEST_F(FenetreFacture, LaFenetreSeDisposeSelonSaTaille) {
    auto taille = [&](int l, int h) {
        w->resize(l, h);
        ASSERT_TRUE(Attend([&] { return ctl<QWidget>("Panel3")->width() == l; }));
    };
    taille(1024, 768);
    EXPECT_EQ(ctl<QWidget>("Panel2")->x(), 714);
    EXPECT_EQ(ctl<QWidget>("Panel3")->height(), 768 - 179);
    EXPECT_EQ(ctl<QWidget>("Panel5")->x(), 624);
    const int largeurs[] = {584, 100, 120, 40, 120, 20};
    for (int c = 0; c < 6; ++c)
        EXPECT_EQ(grille()->columnWidth(c), largeurs[c]) << c;
    EXPECT_EQ(ctl<QWidget>("Memo1")->width(), 588);
    EXPECT_EQ(ctl<QWidget>("CheckBox1")->x(), 588 - 145);

    auto* date = ctl<QWidget>("Panel7");
    const int panel1 = ctl<QWidget>("Panel1")->width();
    EXPECT_EQ(date->x(), panel1 + (714 - 446) / 2);
    EXPECT_FALSE(date->isHidden());

    taille(800, 600);
    const int a800 = panel1 + (490 - 446) / 2;
    EXPECT_EQ(date->x(), a800);
    EXPECT_FALSE(date->isHidden());

    taille(750, 600); // keeps its place, hidden as it would overlap the address panel
    EXPECT_EQ(date->x(), a800);
    EXPECT_TRUE(date->isHidden());
    taille(751, 600); // placed again, and too close to the address panel
    EXPECT_EQ(date->x(), panel1 + (441 - 446) / 2);
    EXPECT_TRUE(date->isHidden());
    taille(1024, 768);
    EXPECT_FALSE(date->isHidden());

    EXPECT_EQ(label("Label3"), QStringLiteral("Jeudi"));
    EXPECT_EQ(label("Label8"), QStringLiteral("15"));
    EXPECT_EQ(label("Label9"), QStringLiteral("Mars"));
    EXPECT_EQ(label("Label6"), QStringLiteral("2001"));
}

} // namespace
