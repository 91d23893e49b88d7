#include "common/texte.h"
#include "common/ui/plateforme_qt.h"
#include "support/dossier_temporaire.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontMetrics>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>

namespace kyr {
namespace {

struct BoiteVue {
    QString titre, texte;
    QMessageBox::Icon icone = QMessageBox::NoIcon;
    QStringList boutons;
    QString parDefaut;
};

// Runs `appel`, which shows a modal message box; records what the box shows,
// then lets `agit` answer it.
template <class F> BoiteVue AvecBoite(std::function<void(QMessageBox*)> agit, F appel) {
    auto vue = std::make_shared<BoiteVue>();
    auto* minuterie = new QTimer;
    minuterie->setInterval(10);
    QObject::connect(minuterie, &QTimer::timeout, [minuterie, vue, agit] {
        auto* boite = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!boite) return;
        minuterie->stop();
        minuterie->deleteLater();
        vue->titre = boite->windowTitle();
        vue->texte = boite->text();
        vue->icone = boite->icon();
        for (QAbstractButton* b : boite->buttons())
            vue->boutons << b->text();
        if (boite->defaultButton()) vue->parDefaut = boite->defaultButton()->text();
        agit(boite);
    });
    minuterie->start();
    appel();
    return *vue;
}

std::function<void(QMessageBox*)> Clique(const QString& texte) {
    return [texte](QMessageBox* b) {
        for (QAbstractButton* bouton : b->buttons())
            if (bouton->text() == texte) QTest::mouseClick(bouton, Qt::LeftButton);
    };
}

void Echappe(QMessageBox* b) {
    QTest::keyClick(b, Qt::Key_Escape);
}

TEST(PlateformeQt, QuestionShowsTheProgramsButtonsAndReturnsTheOnePressed) {
    PlateformeQt p;
    const QString texte = QString::fromUtf8("Le fichier a été altéré. Restaurer ?");
    for (Bouton attendu : {Bouton::Oui, Bouton::Non, Bouton::Annuler}) {
        Bouton rendu = Bouton::OK;
        const BoiteVue vue = AvecBoite(Clique(PlateformeQt::TexteBouton(attendu)), [&] {
            rendu = p.Question("Avertissement", texte, Icone::Avertissement,
                               {Bouton::Oui, Bouton::Non, Bouton::Annuler});
        });
        EXPECT_EQ(rendu, attendu);
        EXPECT_EQ(vue.titre, "Avertissement");
        EXPECT_EQ(vue.texte, texte);
        EXPECT_EQ(vue.icone, QMessageBox::Warning);
        QStringList vus = vue.boutons;
        vus.sort();
        EXPECT_EQ(vus, (QStringList{"&Non", "&Oui", "Annuler"}));
        EXPECT_EQ(vue.parDefaut, "&Oui");
    }
}

TEST(PlateformeQt, EscapeCountsAsTheLastButton) {
    PlateformeQt p;
    Bouton rendu = Bouton::Oui;
    AvecBoite(Echappe, [&] {
        rendu = p.Question("Avertissement", "Enregistrer ?", Icone::Question,
                           {Bouton::Oui, Bouton::Non, Bouton::Annuler});
    });
    EXPECT_EQ(rendu, Bouton::Annuler);
    AvecBoite(Echappe, [&] {
        rendu = p.Question("Avertissement", "Continuer ?", Icone::Avertissement,
                           {Bouton::Oui, Bouton::Non});
    });
    EXPECT_EQ(rendu, Bouton::Non);
}

TEST(PlateformeQt, MessageAndErrorBoxes) {
    PlateformeQt p;
    BoiteVue vue = AvecBoite(Clique("OK"), [&] { p.Message("Aucune fiche."); });
    EXPECT_EQ(vue.titre, "Kyr Facture");
    EXPECT_EQ(vue.texte, "Aucune fiche.");
    EXPECT_EQ(vue.icone, QMessageBox::Information);
    EXPECT_EQ(vue.boutons, QStringList{"OK"});

    vue = AvecBoite(Echappe, [&] { p.Erreur(QString::fromUtf8("Division flottante par zéro")); });
    EXPECT_EQ(vue.titre, "Kyr Facture");
    EXPECT_EQ(vue.texte, QString::fromUtf8("Division flottante par zéro."));
    EXPECT_EQ(vue.icone, QMessageBox::Critical);
    EXPECT_EQ(vue.boutons, QStringList{"OK"});
}

TEST(PlateformeQt, SaveDialogLeavesTheExistingFileQuestionToTheProgram) {
    // The program asks "Ce fichier existe déjà" on the name it will write; a
    // second question from the dialog itself would ask the user twice.
    test::DossierTemporaire dossier;
    const QString existant = dossier.chemin("livre.fct");
    EcritFichier(existant, {"x"});
    PlateformeQt p;
    bool questionDuDialogue = false, nomChoisi = false;
    QTimer minuterie;
    minuterie.setInterval(10);
    QObject::connect(&minuterie, &QTimer::timeout, [&] {
        QWidget* w = QApplication::activeModalWidget();
        if (auto* b = qobject_cast<QMessageBox*>(w)) {
            questionDuDialogue = true;
            b->reject();
        } else if (auto* d = qobject_cast<QFileDialog*>(w)) {
            if (nomChoisi) return d->reject();
            nomChoisi = true;
            d->selectFile(existant);
            QMetaObject::invokeMethod(d, "accept", Qt::QueuedConnection);
        }
    });
    minuterie.start();
    const std::optional<QString> nom = p.NomFichierEnregistrer("Factures (*.fct)", "*.fct");
    minuterie.stop();
    EXPECT_FALSE(questionDuDialogue);
    ASSERT_TRUE(nom.has_value());
    EXPECT_EQ(QFileInfo(*nom).fileName(), "livre.fct");
}

TEST(PlateformeQt, TextWidthUsesTheGivenFontAndTheCodePage) {
    PlateformeQt p;
    QFont police("Arial", 10);
    p.DefinitPolice(police);
    const QFontMetrics fm(police);
    EXPECT_EQ(p.LargeurTexte("12,50"), fm.horizontalAdvance("12,50"));
    EXPECT_EQ(p.LargeurTexte("\xe9t\xe9 \x80"), fm.horizontalAdvance(QString::fromUtf8("été €")));
    QFont grande("Arial", 30);
    p.DefinitPolice(grande);
    EXPECT_GT(p.LargeurTexte("12,50"), fm.horizontalAdvance("12,50"));
}

TEST(PlateformeQt, ClockAndTime) {
    PlateformeQt p;
    const QDateTime avant = QDateTime::currentDateTime();
    const QDateTime t = p.Maintenant();
    EXPECT_LE(avant.msecsTo(t), 1000);
    EXPECT_GE(avant.msecsTo(t), 0);
    // Never touches the clock for an invalid time, and says why.
    EXPECT_TRUE(p.ReglerHorloge(QDateTime()).has_value());
}

// The system's time service stands in for a script on the PATH that answers
// after a while (as when it asks for a password): the windows are drawn
// meanwhile, and its refusal comes back as the reason.
TEST(PlateformeQt, SettingTheClockKeepsTheWindowsAlive) {
    test::DossierTemporaire dossier;
    const QString script = dossier.chemin("timedatectl");
    EcritOctets(script, "#!/bin/sh\nsleep 0.3\necho 'Failed to set time: Access denied' >&2\nexit 1\n");
    QFile::setPermissions(script, QFile::ReadOwner | QFile::ExeOwner | QFile::WriteOwner);
    const QByteArray chemin = qgetenv("PATH");
    qputenv("PATH", QFileInfo(script).absolutePath().toLocal8Bit() + ":" + chemin);
    PlateformeQt p;
    bool dessine = false;
    QTimer::singleShot(50, [&] { dessine = true; });
    const auto refus = p.ReglerHorloge(QDateTime::currentDateTime());
    qputenv("PATH", chemin);
    EXPECT_TRUE(dessine);
    ASSERT_TRUE(refus.has_value());
    EXPECT_FALSE(refus->isEmpty());
}

} // namespace
} // namespace kyr
