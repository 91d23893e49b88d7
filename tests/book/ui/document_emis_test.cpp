// The invoice window on an issued document: its fixed fields read-only with
// the line that says why, the memo and the paid mark still open, the refused
// deletion offering a credit note; a document not issued as before.
#include "book/livre_emis.h"
#include "book/ui/fenetre_facture.h"
#include "support/attente.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QApplication>
#include <QFile>
#include <QTest>

using namespace kyr;

namespace {

class DocumentEmis : public test::FenetreFactureTest {
protected:
    QString livre;

    void SetUp() override {
        plateforme.maintenant = QDateTime(QDate(2026, 3, 10), QTime(9, 15));
        FenetreFactureTest::SetUp();
        livre = dossier.chemin(QStringLiteral("livre.fct"));
        EcritFichier(livre, test::Concatene(
                                {test::BlocEmis(0, "202603001"), test::BlocEmis(1, "202603002")}));
        f().EnregistrePourEmission = [this]() -> std::optional<QString> {
            f().Sauve(livre);
            return livre;
        };
        w->Charge(livre);
        // The credit note's client is in the client file: leaving its code asks nothing.
        f().clients.Lignes_ = {"<CLI>10002", "Garage du Centre", "4 place de la Gare", "69002 Lyon",
                               ""};
    }
    // Whether each fixed control takes edits, and the two that stay open.
    std::vector<bool> Ouverts() {
        std::vector<bool> r;
        for (const char* nom : {"MaskEdit1", "Edit1", "Edit2", "Edit3", "Edit4", "Edit5"})
            r.push_back(!ctl<QLineEdit>(nom)->isReadOnly());
        r.push_back(ctl<QDateEdit>("DateTimePicker1")->isEnabled());
        for (const char* nom : {"ComboBox1", "ComboBox2"})
            r.push_back(ctl<QComboBox>(nom)->isEnabled());
        for (const char* nom : {"RadioButton1", "RadioButton2"})
            r.push_back(ctl<QRadioButton>(nom)->isEnabled());
        r.push_back(ctl<QPushButton>("Button1")->isEnabled());
        r.push_back(ctl<QPlainTextEdit>("Memo1")->isEnabled() &&
                    !ctl<QPlainTextEdit>("Memo1")->isReadOnly());
        r.push_back(ctl<QCheckBox>("CheckBox1")->isEnabled());
        return r;
    }
};

TEST_F(DocumentEmis, SesChampsFixesNeSePrennentPlus) {
    const std::vector<bool> tous(14, true);
    EXPECT_EQ(Ouverts(), tous);
    EXPECT_TRUE(ctl<QLabel>("LabelEmise")->isHidden());

    ASSERT_TRUE(f().EmetCourant());
    w->Affiche();
    std::vector<bool> fige(14, false);
    fige[12] = fige[13] = true; // the memo and the paid mark
    EXPECT_EQ(Ouverts(), fige);
    QLabel* ligne = ctl<QLabel>("LabelEmise");
    EXPECT_FALSE(ligne->isHidden());
    EXPECT_TRUE(ligne->text().startsWith(QStringLiteral("Facture émise le 10/03/2026 à 09:15 :")));
    EXPECT_GE(grille()->y(), ligne->y() + ligne->height());

    // A key in the grid opens no editor and changes no line.
    grille()->setFocus();
    grille()->setCurrentCell(0, 0);
    QTest::keyClick(grille(), Qt::Key_X);
    EXPECT_EQ(Trim(f().fiche.Cellules[1][0]), "Vidange");
    EXPECT_EQ(grille()->item(0, 0)->text(), QStringLiteral("Vidange"));

    // The paid mark is still the user's to set.
    ctl<QCheckBox>("CheckBox1")->click();
    EXPECT_TRUE(f().fiche.Payee);
    EXPECT_TRUE(f().LivreModifie);

    // The next document, not issued, is as it always was.
    w->Suivant();
    EXPECT_EQ(Ouverts(), tous);
    EXPECT_TRUE(ctl<QLabel>("LabelEmise")->isHidden());
}

TEST_F(DocumentEmis, SaSuppressionEstRefuseeEtUnAvoirPropose) {
    ASSERT_TRUE(f().EmetCourant());
    w->Affiche();
    const int nb = f().NbFiches;
    plateforme.reponses = {Bouton::Oui};
    w->RefuseSuppression();
    ASSERT_EQ(plateforme.questions.size(), 1u);
    EXPECT_EQ(plateforme.questions[0].texte,
              QStringLiteral("Cette facture a été émise le 10/03/2026 : elle ne peut être "
                             "supprimée. Une facture émise se corrige par un avoir, qui l'annule "
                             "en tout ou en partie.\n\nCréer un avoir sur cette facture ?"));
    // The credit note is shown, open to edits, its lines ready to be removed.
    EXPECT_EQ(f().NbFiches, nb + 1);
    EXPECT_EQ(ctl<QComboBox>("ComboBox2")->currentText(), QStringLiteral("Avoir     "));
    EXPECT_EQ(ctl<QLineEdit>("MaskEdit1")->text(), QStringLiteral("202603003"));
    EXPECT_EQ(ctl<QPlainTextEdit>("Memo1")->toPlainText(),
              QStringLiteral("Avoir sur facture n° 202603001 du 09/03/2026"));
    EXPECT_TRUE(ctl<QLabel>("LabelEmise")->isHidden());
    EXPECT_TRUE(test::Attend([&] { return grille()->isAncestorOf(QApplication::focusWidget()); }));
    // Its client, not in the client file, was not looked up on the way.
    EXPECT_EQ(plateforme.questions.size(), 1u);
    // The invoice is still there.
    EXPECT_GE(f().ChercheDebut(0), 0);
}

TEST_F(DocumentEmis, UnDocumentIncompletEstRefuseAvantLeChoixDuFichier) {
    // A new invoice without its client code: neither the PDF's name nor the
    // printer is asked for, nothing is issued.
    w->Ajout();
    f().fiche.Cellules[1] = {"Vidange", "1", "45", "", "", ""};
    f().NbLignes = 2;
    w->Affiche();
    plateforme.nomsEnregistrer = {dossier.chemin(QStringLiteral("sortie.pdf"))};
    for (const auto& sortie : std::vector<std::function<void()>>{[this] { w->ExportePdf(); },
                                                                 [this] { w->ImprimeDialogue(); },
                                                                 [this] { w->Imprime(); }}) {
        plateforme.messages.clear();
        sortie();
        ASSERT_EQ(plateforme.messages.size(), 1u);
        EXPECT_TRUE(plateforme.messages[0].startsWith(QStringLiteral("Ce document est incomplet")));
    }
    EXPECT_EQ(plateforme.nomsEnregistrer.size(), 1u);
    EXPECT_FALSE(f().EmissionCourante);
    EXPECT_FALSE(QFile::exists(dossier.chemin(QStringLiteral("sortie.pdf"))));
}

} // namespace
