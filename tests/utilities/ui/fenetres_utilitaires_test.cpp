// The five utility windows driven with the keyboard and the mouse, offscreen.
#include "book/ui/dialogue_modal.h"
#include "common/erreurs.h"
#include "support/attente.h"
#include "support/dossier_temporaire.h"
#include "support/octets_fichier.h"
#include "support/plateforme_fausse.h"
#include "utilities/bloc_notes.h"
#include "utilities/ui/bloc_notes_window.h"
#include "utilities/ui/calendrier_window.h"
#include "utilities/ui/euro_window.h"
#include "utilities/ui/horloge_window.h"
#include "utilities/ui/pocket_window.h"
#include "utilities/ui/spin_button.h"
#include "utilities/ui/utilitaires.h"

#include <QFile>
#include <QFontMetrics>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPrinterInfo>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>

namespace kyr {
namespace {

using test::Attend;
using test::QuandModal;

// The main window's dispatch, as the windows get it: an error goes to the
// platform's standard box.
Execution Dispatch(test::PlateformeFausse& p) {
    return [&p](const std::function<void()>& f) {
        try {
            f();
        } catch (const ErreurExecution& e) {
            p.Erreur(e.message());
        }
    };
}

QString Texte(QWidget* w, const char* nom) {
    if (auto* l = w->findChild<QLabel*>(QLatin1String(nom))) return l->text();
    if (auto* e = w->findChild<QLineEdit*>(QLatin1String(nom))) return e->text();
    return QStringLiteral("<absent>");
}

template <class T> T* Enfant(QWidget* w, const char* nom) {
    return w->findChild<T*>(QLatin1String(nom));
}

void Montre(QWidget& w) {
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    QApplication::setActiveWindow(&w);
}

TEST(TEurof, TypedAmountsConvertedBothWays) {
    test::PlateformeFausse p;
    TEurof w(Dispatch(p));
    Montre(w);
    EXPECT_EQ(w.windowTitle(), QStringLiteral("Euro convertisseur"));
    EXPECT_EQ(Texte(&w, "Edit3"), QStringLiteral("6,55957"));
    QPushButton* egal = Enfant<QPushButton>(&w, "Button11");
    EXPECT_TRUE(Attend([&] { return egal->hasFocus(); }));
    QTest::keyClicks(&w, "100");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    EXPECT_EQ(Texte(&w, "Label1"), QStringLiteral("100"));
    EXPECT_EQ(Texte(&w, "Label2"), QStringLiteral("15,24"));

    // The direction counts at the next conversion; a key after a result starts afresh.
    QTest::mouseClick(Enfant<QRadioButton>(&w, "RadioButton2"), Qt::LeftButton);
    EXPECT_EQ(Texte(&w, "Label2"), QStringLiteral("15,24"));
    QTest::keyClicks(QApplication::focusWidget(), "12.5");
    EXPECT_EQ(Texte(&w, "Label2"), QString());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    EXPECT_EQ(Texte(&w, "Label1"), QStringLiteral("12,5"));
    EXPECT_EQ(Texte(&w, "Label2"), QStringLiteral("82"));

    // The keypad, which takes no focus.
    for (const char* b : {"Button1", "Button12", "Button2", "Button2"})
        QTest::mouseClick(Enfant<QPushButton>(&w, b), Qt::LeftButton);
    EXPECT_EQ(Texte(&w, "Label1"), QStringLiteral("1,22"));
    QTest::mouseClick(egal, Qt::LeftButton);
    EXPECT_EQ(Texte(&w, "Label2"), QStringLiteral("8"));
    QTest::keyClicks(QApplication::focusWidget(), "1,2,3\r");
    EXPECT_EQ(Texte(&w, "Label1"), QString());
    EXPECT_EQ(Texte(&w, "Label2"), QString());
    EXPECT_TRUE(p.erreurs.empty());

    // Too large for a real: the standard error box.
    QTest::keyClicks(QApplication::focusWidget(), QString(40, QLatin1Char('9')) + "\r");
    EXPECT_EQ(p.erreurs, std::vector<QString>{QString::fromUtf8("Débordement flottant")});

    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    EXPECT_FALSE(w.isVisible());
}

TEST(TEurof, RateSpinWithMouseAndKeys) {
    test::PlateformeFausse p;
    TEurof w(Dispatch(p));
    Montre(w);
    auto* spin = Enfant<TSpinButton>(&w, "SpinButton1");
    QTest::mouseClick(spin->haut(), Qt::LeftButton);
    EXPECT_EQ(Texte(&w, "Edit3"), QStringLiteral("6,55958"));
    spin->setFocus();
    QTest::keyClick(spin, Qt::Key_Down);
    QTest::keyClick(spin, Qt::Key_Down);
    EXPECT_EQ(Texte(&w, "Edit3"), QStringLiteral("6,55956"));
    EXPECT_EQ(spin->haut()->autoRepeatDelay(), 400);
    EXPECT_EQ(spin->haut()->autoRepeatInterval(), 100);
    // A new window starts again from the legal rate.
    TEurof autre(Dispatch(p));
    Montre(autre);
    EXPECT_EQ(Texte(&autre, "Edit3"), QStringLiteral("6,55957"));
    EXPECT_TRUE(Enfant<QRadioButton>(&autre, "RadioButton1")->isChecked());
}

TEST(TPocket, KeysPressButtonsAndTheStateOutlivesTheWindow) {
    test::PlateformeFausse p;
    Calculatrice etat;
    {
        TPocket w(etat, Dispatch(p));
        Montre(w);
        EXPECT_EQ(w.windowTitle(), QStringLiteral("Calculatrice"));
        EXPECT_TRUE(Attend([&] { return w.Bouton('=')->hasFocus(); }));
        QTest::keyClicks(QApplication::focusWidget(), "7+5=");
        EXPECT_EQ(Texte(&w, "Label1"), QStringLiteral("12"));
        // Enter presses the button with the focus: "=", which the last key pressed.
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        EXPECT_EQ(Texte(&w, "Label1"), QStringLiteral("24"));
        QTest::keyClicks(QApplication::focusWidget(), "c2s");
        EXPECT_EQ(Texte(&w, "Label1"), QStringLiteral("1,4142135623731"));
        EXPECT_TRUE(w.Bouton('S')->hasFocus()); // the key pressed the button

        QTest::keyClicks(QApplication::focusWidget(), "C8/0=");
        EXPECT_EQ(p.erreurs,
                  std::vector<QString>{QString::fromUtf8("Division flottante par zéro")});
        EXPECT_EQ(Texte(&w, "Label1"), QStringLiteral("0"));
        QTest::keyClicks(QApplication::focusWidget(), "2=");
        EXPECT_EQ(Texte(&w, "Label1"), QStringLiteral("4")); // "/" was still pending

        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        EXPECT_FALSE(w.isVisible());
    }
    TPocket w(etat, Dispatch(p));
    Montre(w);
    EXPECT_EQ(Texte(&w, "Label1"), QString());
    // A result was on the display when it closed: a comma then a digit give the digit.
    QTest::keyClicks(QApplication::focusWidget(), ",6+1=");
    EXPECT_EQ(Texte(&w, "Label1"), QStringLiteral("7"));
    QTest::mouseClick(Enfant<QPushButton>(&w, "Button19"), Qt::LeftButton);
    EXPECT_FALSE(w.isVisible());
}

TEST(TPocket, AnEntryWiderThanTheDisplayIsShownWhole) {
    test::PlateformeFausse p;
    Calculatrice etat;
    TPocket w(etat, Dispatch(p));
    Montre(w);
    auto* affichage = Enfant<QLabel>(&w, "Label1");
    const auto tient = [affichage] {
        return QFontMetrics(affichage->font()).horizontalAdvance(affichage->text()) <=
               affichage->contentsRect().width() - affichage->indent();
    };
    const int normale = affichage->font().pixelSize();
    QTest::keyClicks(QApplication::focusWidget(), "12");
    EXPECT_EQ(Texte(&w, "Label1"), QStringLiteral("12"));

    // 1 and twenty zeros: every digit in view, in a smaller font.
    QTest::keyClicks(QApplication::focusWidget(), "C1" + QString(20, QLatin1Char('0')));
    EXPECT_EQ(Texte(&w, "Label1"), QStringLiteral("1") + QString(20, QLatin1Char('0')));
    EXPECT_LT(affichage->font().pixelSize(), normale);
    EXPECT_TRUE(tient());
    // Sixty zeros do not fit any font that can be read: the scientific form.
    QTest::keyClicks(QApplication::focusWidget(), QString(40, QLatin1Char('0')));
    EXPECT_EQ(etat.Affichage, "1" + std::string(60, '0'));
    EXPECT_EQ(Texte(&w, "Label1"), QStringLiteral("1E60"));
    EXPECT_TRUE(tient());
    // A short entry is back in the display's own font.
    QTest::keyClicks(QApplication::focusWidget(), "C5");
    EXPECT_EQ(Texte(&w, "Label1"), QStringLiteral("5"));
    EXPECT_EQ(affichage->font().pixelSize(), normale);
}

TEST(THorloge, SetModeArrowsAndTheClockSet) {
    test::PlateformeFausse p; // 15/03/2001 14:05:09
    THorloge w(p);
    w.DefinitZone(QTimeZone("Europe/Paris"));
    Montre(w);
    EXPECT_EQ(w.windowTitle(), QStringLiteral("Horloge"));
    EXPECT_EQ(Texte(&w, "Label1"), QStringLiteral("14:05:09"));
    EXPECT_EQ(Texte(&w, "Label2"), QStringLiteral("15/03/2001"));
    auto* spin = Enfant<TSpinButton>(&w, "SpinButton1");
    QTest::mouseClick(spin->haut(), Qt::LeftButton); // no field chosen: nothing
    EXPECT_EQ(Texte(&w, "Label1"), QStringLiteral("14:05:09"));

    QTest::mouseClick(Enfant<QPushButton>(&w, "Button2"), Qt::LeftButton); // Set
    Enfant<QRadioButton>(&w, "RadioButton1")->click();                     // Hr
    spin->setFocus();
    for (int i = 0; i < 12; ++i)
        QTest::keyClick(spin, Qt::Key_Up);
    EXPECT_EQ(Texte(&w, "Label1"), QStringLiteral("23:05:09")); // never 24
    Enfant<QRadioButton>(&w, "RadioButton5")->click();          // An
    QTest::mouseClick(spin->bas(), Qt::LeftButton);
    EXPECT_EQ(Texte(&w, "Label2"), QStringLiteral("15/03/2000"));
    p.maintenant = p.maintenant.addSecs(5);
    QTest::qWait(1300); // the timer is stopped in setting mode
    EXPECT_EQ(Texte(&w, "Label1"), QStringLiteral("23:05:09"));

    QTest::mouseClick(Enfant<QPushButton>(&w, "Button2"), Qt::LeftButton); // Set again
    ASSERT_EQ(p.horlogesReglees.size(), 1u);
    EXPECT_EQ(p.horlogesReglees[0],
              QDateTime(QDate(2000, 3, 15), QTime(22, 5, 9), QTimeZone::utc()));
    EXPECT_TRUE(p.questions.empty());
    EXPECT_EQ(Texte(&w, "Label1"), QStringLiteral("14:05:14")); // the clock again

    // A refusal is told, in one message.
    p.refusHorloge = QStringLiteral("vous n'avez pas le droit de changer l'heure de l'ordinateur");
    p.reponses.push_back(Bouton::OK);
    QTest::mouseClick(Enfant<QPushButton>(&w, "Button2"), Qt::LeftButton);
    QTest::mouseClick(Enfant<QPushButton>(&w, "Button2"), Qt::LeftButton);
    ASSERT_EQ(p.questions.size(), 1u);
    EXPECT_EQ(p.questions[0].texte,
              QString::fromUtf8("L'horloge n'a pas été modifiée : vous n'avez pas le droit de "
                                "changer l'heure de l'ordinateur."));
    EXPECT_EQ(p.questions[0].icone, Icone::Avertissement);
    Enfant<QPushButton>(&w, "Button1")->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    EXPECT_FALSE(w.isVisible());
}

TEST(TCalendrier, PagingPickingAndClosing) {
    TCalendrier w(nullptr, QDate(2001, 1, 31));
    Montre(w);
    auto* grille = w.calendrier();
    auto* titre = Enfant<QLabel>(&w, "Label1");
    EXPECT_EQ(w.windowTitle(), QStringLiteral("Calendrier"));
    EXPECT_EQ(titre->text(), QStringLiteral("janvier  2001"));
    EXPECT_EQ(grille->size(), QSize(372, 143));
    EXPECT_TRUE(Attend([&] { return grille->hasFocus(); }));

    QTest::keyClick(grille, Qt::Key_PageDown);
    EXPECT_EQ(grille->CalendarDate(), QDate(2001, 2, 28));
    EXPECT_EQ(titre->text(), QString::fromUtf8("février  2001"));
    QTest::mouseClick(Enfant<QPushButton>(&w, "BitBtn2"), Qt::LeftButton);
    EXPECT_EQ(titre->text(), QStringLiteral("mars  2001"));
    QTest::keyClick(Enfant<QPushButton>(&w, "BitBtn2"), Qt::Key_PageUp); // from a button too
    QTest::mouseClick(Enfant<QPushButton>(&w, "BitBtn1"), Qt::LeftButton);
    EXPECT_EQ(grille->CalendarDate(), QDate(2001, 1, 28));

    // Arrows move the selected day; not onto an empty cell.
    QTest::keyClick(grille, Qt::Key_Right);
    EXPECT_EQ(grille->CalendarDate(), QDate(2001, 1, 29));
    QTest::keyClick(grille, Qt::Key_Down);
    EXPECT_EQ(grille->CalendarDate(), QDate(2001, 1, 29)); // no 36th
    QTest::keyClick(grille, Qt::Key_Up);
    EXPECT_EQ(grille->CalendarDate(), QDate(2001, 1, 22));
    // January 2001 begins on a Monday: the first cell is empty.
    QTest::mouseClick(grille, Qt::LeftButton, {}, grille->RectCellule(1, 0).center());
    EXPECT_EQ(grille->CalendarDate(), QDate(2001, 1, 22));
    QTest::mouseClick(grille, Qt::LeftButton, {}, grille->RectCellule(1, 1).center());
    EXPECT_EQ(grille->CalendarDate(), QDate(2001, 1, 1));
    EXPECT_EQ(titre->text(), QStringLiteral("janvier  2001"));

    QTest::keyClick(Enfant<QPushButton>(&w, "Button1"), Qt::Key_Escape);
    EXPECT_FALSE(w.isVisible());
}

TEST(TBlocnotes, TypedNoteSavedOnClosingOnlyWhenChanged) {
    test::DossierTemporaire d;
    test::PlateformeFausse p;
    const QString chemin = CheminNote(d.path());
    // First use: nothing typed, no file.
    QuandModal([](QWidget* w) { QTest::keyClick(w, Qt::Key_Escape); });
    OuvreBlocNotes(nullptr, p, d.path(), Dispatch(p));
    EXPECT_FALSE(QFileInfo::exists(chemin));
    // One line without Enter: exactly that line.
    QuandModal([](QWidget* w) {
        auto* memo = w->findChild<QPlainTextEdit*>(QStringLiteral("Memo1"));
        EXPECT_TRUE(memo->hasFocus());
        QTest::keyClicks(memo, "Rappeler M. Dupont");
        QTest::mouseClick(w->findChild<QPushButton*>(QStringLiteral("Button1")), Qt::LeftButton);
    });
    OuvreBlocNotes(nullptr, p, d.path(), Dispatch(p));
    EXPECT_EQ(test::OctetsFichier(chemin), "Rappeler M. Dupont");

    // Lines ended by LF alone are separate lines, written back with CR LF when changed.
    {
        QFile f(chemin);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("un\ndeux\xA0\n");
    }
    const QDateTime avant = QFileInfo(chemin).lastModified();
    QuandModal([](QWidget* w) {
        auto* memo = w->findChild<QPlainTextEdit*>(QStringLiteral("Memo1"));
        EXPECT_EQ(memo->toPlainText(), QStringLiteral("un\ndeux \n"));
        QTest::keyClick(w, Qt::Key_Escape);
    });
    OuvreBlocNotes(nullptr, p, d.path(), Dispatch(p));
    EXPECT_EQ(test::OctetsFichier(chemin), "un\ndeux\xA0\n"); // untouched
    EXPECT_EQ(QFileInfo(chemin).lastModified(), avant);
    QuandModal([](QWidget* w) {
        auto* memo = w->findChild<QPlainTextEdit*>(QStringLiteral("Memo1"));
        memo->moveCursor(QTextCursor::End);
        QTest::keyClicks(memo, "trois");
        QTest::keyClick(memo, Qt::Key_Escape);
    });
    OuvreBlocNotes(nullptr, p, d.path(), Dispatch(p));
    EXPECT_EQ(test::OctetsFichier(chemin), "un\r\ndeux\xA0\r\ntrois"); // the no-break space kept
    EXPECT_TRUE(p.erreurs.empty());
}

TEST(TBlocnotes, UnsavedNoteOffersToGoBack) {
    test::DossierTemporaire d;
    test::PlateformeFausse p;
    const QString absent = d.chemin("absent");
    p.reponses = {Bouton::Oui, Bouton::Non};
    int ouvertures = 0;
    std::function<void(QWidget*)> tape = [&](QWidget* w) {
        auto* memo = w->findChild<QPlainTextEdit*>(QStringLiteral("Memo1"));
        if (++ouvertures == 1) {
            QTest::keyClicks(memo, "important");
            QuandModal(tape); // for the second showing
        } else {
            EXPECT_EQ(memo->toPlainText(), QStringLiteral("important")); // still there
        }
        QTest::keyClick(memo, Qt::Key_Escape);
    };
    QuandModal(tape);
    OuvreBlocNotes(nullptr, p, absent, Dispatch(p));
    EXPECT_EQ(ouvertures, 2);
    const QString message = QStringLiteral("Ne peut créer le fichier ") +
                            CheminNote(QDir::toNativeSeparators(absent)) +
                            QStringLiteral(". Le dossier n'existe pas ou n'est plus accessible");
    EXPECT_EQ(p.erreurs, (std::vector<QString>{message, message}));
    ASSERT_EQ(p.questions.size(), 2u);
    EXPECT_EQ(p.questions[0].titre, QStringLiteral("Avertissement"));
}

TEST(TBlocnotes, PrintingWithoutPrinterIsTold) {
    if (!QPrinterInfo::availablePrinterNames().isEmpty()) GTEST_SKIP() << "a printer exists";
    test::PlateformeFausse p;
    TBlocnotes w(Dispatch(p));
    Montre(w);
    EXPECT_EQ(Enfant<QToolButton>(&w, "SpeedButton9")->toolTip(), QStringLiteral("Imprimer"));
    QTest::mouseClick(Enfant<QToolButton>(&w, "SpeedButton9"), Qt::LeftButton);
    EXPECT_EQ(p.erreurs,
              std::vector<QString>{QString::fromUtf8("Aucune imprimante par défaut sélectionnée")});
    EXPECT_EQ(Enfant<QPushButton>(&w, "Button1")->x(), w.width() - 125);
}

} // namespace
} // namespace kyr
