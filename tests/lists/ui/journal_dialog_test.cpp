// The sales journal window driven offscreen: period choices, the unpaid
// filter, opening a document, the export, print and preview outputs.
#include "book/facture.h"
#include "book/ui/dialogue_modal.h"
#include "lists/ui/journal_dialog.h"
#include "support/attente.h"
#include "support/dossier_temporaire.h"
#include "support/plateforme_fausse.h"
#include "support/surface_enregistree.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTableView>
#include <QTest>
#include <memory>
#include <gtest/gtest.h>

namespace kyr {
namespace {

Lignes Bloc(int n, const std::string& numero, const std::string& date, const std::string& genre,
            const std::string& prix, bool payee, const std::string& nom) {
    Lignes l = {LigneDebut(n),
                "NUM" + genre.substr(0, 1) + numero,
                date,
                "10002",
                "",
                genre,
                nom,
                "",
                "",
                "",
                "TTCN",
                "FACTTravaux\t1\t" + prix + "\t\t\t1"};
    if (payee) l.push_back("PAYE");
    l.push_back(LigneFin(n));
    return l;
}

// Today is 15/03/2001 on the test platform.
Lignes LivreTest() {
    Lignes l;
    const auto ajoute = [&l](Lignes b) { l.insert(l.end(), b.begin(), b.end()); };
    ajoute(Bloc(0, "200103001", "01/03/2001", GenreFacture, "100", true, "Garage"));
    ajoute(Bloc(1, "200103002", "31/03/2001", GenreFacture, "200", false, "Boulangerie"));
    ajoute(Bloc(2, "200102001", "28/02/2001", GenreFacture, "300", false, "Caf\xE9"));
    ajoute(Bloc(3, "200103003", "10/03/2001", GenreAvoir, "50", false, "Garage"));
    ajoute(Bloc(4, "200012001", "20/12/2000", GenreFacture, "400", true, "Pharmacie"));
    ajoute(Bloc(5, "200103001", "12/03/2001", GenreDevis, "999", false, "Devis"));
    ajoute(Bloc(6, "200103009", "3x/03/2001", GenreFacture, "10", false, "Illisible"));
    return l;
}

class JournalFenetre : public ::testing::Test {
protected:
    test::DossierTemporaire dossier;
    test::PlateformeFausse p;
    Reglages r;
    Lignes livre = LivreTest();
    test::ImprimanteEnregistree imprimante;
    std::vector<QString> pdfs;
    std::vector<std::string> sorties; // "Imprimer", "Apercu", "Pdf"

    SortiesJournal Enregistre() {
        return {[this](QWidget*, const DessinImpression& d) {
                    sorties.push_back("Imprimer");
                    d(imprimante);
                },
                [this](QWidget*, const DessinImpression& d) {
                    sorties.push_back("Apercu");
                    d(imprimante);
                },
                [this](const QString& chemin, const DessinImpression& d) {
                    sorties.push_back("Pdf");
                    pdfs.push_back(chemin);
                    d(imprimante);
                }};
    }
    static void Montre(QDialog& d) {
        d.show();
        QApplication::setActiveWindow(&d);
        ASSERT_TRUE(QTest::qWaitForWindowActive(&d));
    }
    template <class T> static T* E(QWidget* w, const char* nom) {
        return w->findChild<T*>(QLatin1String(nom));
    }
    static QString Texte(QWidget* w, const char* nom) { return E<QLabel>(w, nom)->text(); }
    static QStringList Numeros(QWidget* w) {
        QStringList n;
        auto* t = E<QTableView>(w, "StringGrid1");
        for (int i = 0; i < t->model()->rowCount(); ++i)
            n << t->model()->index(i, 2).data().toString();
        return n;
    }
};

TEST_F(JournalFenetre, ChoixDePeriodeAuClavierDatesLignesEtTotaux) {
    TJournal d(livre, r, p, Enregistre());
    auto* periode = E<QComboBox>(&d, "ComboBox1");
    auto* du = E<QDateEdit>(&d, "DateTimePicker1");
    auto* au = E<QDateEdit>(&d, "DateTimePicker2");
    struct Cas {
        QString choix;
        QDate du, au;
        QStringList numeros;
        QString ht, ttc;
    };
    const Cas cas[] = {
        {"Ce mois-ci",
         {2001, 3, 1},
         {2001, 3, 31},
         {"200103001", "200103003", "200103002"},
         "250,00",
         "301,50"},
        {"Le mois dernier", {2001, 2, 1}, {2001, 2, 28}, {"200102001"}, "300,00", "361,80"},
        {"Ce trimestre",
         {2001, 1, 1},
         {2001, 3, 31},
         {"200102001", "200103001", "200103003", "200103002"},
         "550,00",
         "663,30"},
        {"Le trimestre dernier", {2000, 10, 1}, {2000, 12, 31}, {"200012001"}, "400,00", "482,40"},
        {"Cette année",
         {2001, 1, 1},
         {2001, 12, 31},
         {"200102001", "200103001", "200103003", "200103002"},
         "550,00",
         "663,30"},
        {"L'année dernière", {2000, 1, 1}, {2000, 12, 31}, {"200012001"}, "400,00", "482,40"},
        {"Tout",
         {2000, 12, 20},
         {2001, 3, 31},
         {"200012001", "200102001", "200103001", "200103003", "200103002"},
         "950,00",
         "1145,70"},
    };
    // Opens on this month; each Down key picks the next choice.
    for (std::size_t i = 0; i < std::size(cas); ++i) {
        const Cas& c = cas[i];
        SCOPED_TRACE(c.choix.toStdString());
        if (i > 0) QTest::keyClick(periode, Qt::Key_Down);
        EXPECT_EQ(periode->currentText(), c.choix);
        EXPECT_EQ(du->date(), c.du);
        EXPECT_EQ(au->date(), c.au);
        EXPECT_EQ(Numeros(&d), c.numeros);
        EXPECT_EQ(Texte(&d, "LabelHT"), c.ht);
        EXPECT_EQ(Texte(&d, "LabelTTC"), c.ttc);
    }
    // A date typed by hand makes the period its own; bounds are included.
    du->setDate(QDate(2001, 3, 10));
    au->setDate(QDate(2001, 3, 10));
    EXPECT_EQ(periode->currentText(), QStringLiteral("Personnalisée"));
    EXPECT_EQ(Numeros(&d), QStringList{"200103003"});
    EXPECT_EQ(Texte(&d, "LabelHT"), QStringLiteral("-50,00"));
    EXPECT_EQ(Texte(&d, "LabelTaux1"), QStringLiteral("20,6 %"));
    EXPECT_EQ(Texte(&d, "LabelTaux3"), QStringLiteral("5,5 %"));
    EXPECT_EQ(Texte(&d, "Label1"), QStringLiteral("1 document"));
    du->setDate(QDate(2001, 3, 11));
    EXPECT_TRUE(Numeros(&d).isEmpty());
    EXPECT_EQ(Texte(&d, "Label1"),
              QStringLiteral("La date de début est postérieure à la date de fin"));
    EXPECT_EQ(Texte(&d, "LabelTTC"), QStringLiteral("0,00"));
    // The document with an unreadable date is listed apart whatever the period.
    auto* ecartes = E<QListWidget>(&d, "ListBox1");
    ASSERT_EQ(ecartes->count(), 1);
    EXPECT_TRUE(ecartes->item(0)->text().endsWith(
        QStringLiteral("'3x/03/2001' n'est pas une date correcte")));
}

TEST_F(JournalFenetre, FiltreNonPayeesEtResteAPayer) {
    TJournal d(livre, r, p, Enregistre());
    Montre(d);
    EXPECT_EQ(Texte(&d, "LabelNonPaye"), QStringLiteral("180,90")); // 241,20 - 60,30
    // A mnemonic clicks its button once the click's animation has run.
    QTest::keyClick(&d, Qt::Key_N, Qt::AltModifier);
    EXPECT_TRUE(test::Attend([&d] { return Numeros(&d).size() == 2; }));
    EXPECT_EQ(Numeros(&d), (QStringList{"200103003", "200103002"}));
    EXPECT_EQ(Texte(&d, "LabelTTC"), Texte(&d, "LabelNonPaye"));
    EXPECT_EQ(Texte(&d, "LabelTTC"), QStringLiteral("180,90"));
}

TEST_F(JournalFenetre, NumerosManquantsEtEnDoubleSousLaTable) {
    EXPECT_EQ(Texte(std::make_unique<TJournal>(livre, r, p, Enregistre()).get(), "LabelNumeros"),
              QStringLiteral("Numérotation continue : aucun numéro manquant ni en double"));
    Lignes trous;
    for (const Lignes& b : {Bloc(0, "200103001", "01/03/2001", GenreFacture, "1", false, "A"),
                            Bloc(1, "200103004", "02/03/2001", GenreFacture, "1", false, "B"),
                            Bloc(2, "200103001", "05/03/2001", GenreAvoir, "1", false, "C")})
        trous.insert(trous.end(), b.begin(), b.end());
    TJournal d(trous, r, p, Enregistre());
    Montre(d);
    EXPECT_EQ(Texte(&d, "LabelNumeros"),
              QStringLiteral("Numéros manquants : 200103002 à 200103003\n"
                             "Numéros en double : 200103001 (2 documents)"));
}

TEST_F(JournalFenetre, OuvrirUnDocumentOuFermerApresAvoirStockeLeDocumentAffiche) {
    enum Action { Entree, DoubleClic, EntreeEcart, Fermer, Echap };
    struct Cas {
        Action action;
        int ligne, bloc; // bloc -1: nothing opened
    };
    const Cas cas[] = {
        {Entree, 2, 1}, {DoubleClic, 1, 3}, {EntreeEcart, 0, 6}, {Fermer, 0, -1}, {Echap, 0, -1}};
    for (const Cas& c : cas) {
        SCOPED_TRACE(c.action);
        Facture f(p);
        f.Livre = livre;
        f.NbFiches = 7;
        f.LitFiche();
        // The shown document is marked unpaid but not yet stored.
        f.fiche.Payee = false;
        f.Modifie();
        QString nonPayeVu;
        Lignes livreVu;
        test::QuandModal([&](QWidget* w) {
            nonPayeVu = Texte(w, "LabelNonPaye");
            livreVu = f.Livre;
            auto* t = E<QTableView>(w, "StringGrid1");
            const QModelIndex i = t->model()->index(c.ligne, 4);
            t->setCurrentIndex(i);
            const QPoint centre = t->visualRect(i).center();
            auto* ecartes = E<QListWidget>(w, "ListBox1");
            switch (c.action) {
            case Entree:
                QTest::keyClick(t, Qt::Key_Return);
                break;
            case DoubleClic:
                QTest::mouseClick(t->viewport(), Qt::LeftButton, {}, centre);
                QTest::mouseDClick(t->viewport(), Qt::LeftButton, {}, centre);
                break;
            case EntreeEcart:
                ecartes->setCurrentRow(0);
                QTest::keyClick(ecartes, Qt::Key_Return);
                break;
            case Fermer:
                E<QPushButton>(w, "Button4")->click();
                break;
            case Echap:
                QTest::keyClick(w, Qt::Key_Escape);
                break;
            }
        });
        EXPECT_EQ(JournalDesVentes(f, nullptr), c.bloc >= 0);
        EXPECT_EQ(nonPayeVu, QStringLiteral("301,50")); // the stored document counts unpaid
        EXPECT_EQ(f.Livre, livreVu);                    // the journal never changes the book
        EXPECT_EQ(f.FicheCourante, std::max(c.bloc, 0));
        if (c.bloc == 1) {
            EXPECT_EQ(Trim(f.fiche.Numero), "200103002");
        }
        if (c.bloc == 3) {
            EXPECT_EQ(Trim(f.fiche.Numero), "200103003");
        }
        if (c.bloc >= 0) {
            EXPECT_FALSE(f.DocumentModifie);
        }
    }
}

TEST_F(JournalFenetre, ExporterCSVEtPdfImprimerApercu) {
    TJournal d(livre, r, p, Enregistre());
    Montre(d);
    const QString csv = dossier.chemin(QStringLiteral("mars"));
    p.nomsEnregistrer = {csv};
    E<QPushButton>(&d, "Button1")->click();
    QFile f(csv + QStringLiteral(".csv"));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll().toStdString(), TexteCSV(d.vue()));
    f.close();

    // An existing file is replaced only once confirmed.
    p.nomsEnregistrer = {csv + QStringLiteral(".csv")};
    p.reponses = {Bouton::Annuler};
    QTest::keyClick(E<QCheckBox>(&d, "CheckBox1"), Qt::Key_Space);
    E<QPushButton>(&d, "Button1")->click();
    ASSERT_EQ(p.questions.size(), 1u);
    EXPECT_EQ(p.questions[0].texte, QStringLiteral("Ce fichier existe déjà"));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_NE(f.readAll().toStdString(), TexteCSV(d.vue()));
    f.close();

    // A file that cannot be written: the message, nothing else.
    p.nomsEnregistrer = {QStringLiteral("/dossier/absent/journal.csv")};
    E<QPushButton>(&d, "Button1")->click();
    ASSERT_EQ(p.erreurs.size(), 1u);
    EXPECT_EQ(p.erreurs[0], QStringLiteral("Ne peut créer le fichier /dossier/absent/journal.csv. "
                                           "Le dossier n'existe pas ou n'est plus accessible"));

    const QString pdf = dossier.chemin(QStringLiteral("mars.PDF"));
    p.nomsEnregistrer = {pdf};
    E<QPushButton>(&d, "Button1")->click();
    QTest::keyClick(&d, Qt::Key_I, Qt::AltModifier);
    EXPECT_TRUE(test::Attend([this] { return sorties.size() == 2; }));
    QTest::keyClick(&d, Qt::Key_P, Qt::AltModifier);
    EXPECT_TRUE(test::Attend([this] { return sorties.size() == 3; }));
    EXPECT_EQ(sorties, (std::vector<std::string>{"Pdf", "Imprimer", "Apercu"}));
    EXPECT_EQ(pdfs, std::vector<QString>{pdf});
    ASSERT_EQ(imprimante.travaux.size(), 3u);
    for (const auto& t : imprimante.travaux) {
        EXPECT_EQ(t.orientation, Orientation::Paysage);
        test::SurfaceEnregistree s;
        s.traces = t.traces;
        const auto textes = s.Textes();
        EXPECT_NE(std::find(textes.begin(), textes.end(), "200103002"), textes.end());
        EXPECT_NE(std::find(textes.begin(), textes.end(), "Page 1/1"), textes.end());
    }
}

} // namespace
} // namespace kyr
