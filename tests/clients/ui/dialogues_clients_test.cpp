#include "clients/ui/dialogues_clients_qt.h"
#include "clients/ui/fclient_dialog.h"
#include "clients/ui/findcli_dialog.h"
#include "clients/ui/listecli_dialog.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>

using namespace kyr;

namespace {

// Runs `action` on the modal dialog once it is open.
void QuandOuvert(std::function<void(QDialog*)> action) {
    QTimer::singleShot(0, [action] {
        auto* d = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (!d) return;
        action(d);
    });
}

QLineEdit* Edit(QWidget* d, int n) {
    return d->findChild<QLineEdit*>(QStringLiteral("Edit%1").arg(n));
}

void TapeAccents(QWidget* w, const QString& texte) {
    for (QChar ch : texte)
        QTest::sendKeyEvent(QTest::Click, w, Qt::Key_unknown, QString(ch), Qt::NoModifier);
}

const Lignes Clients{
    "<CLI>10005", "DURAND", "1 rue A", "75001 PARIS", "",     "perdue", "<CLI>", "SANS CODE",
    "",           "",       "",        "<CLI>10003",  "ANDRE"};

} // namespace

TEST(TFclient, EntreeAccepteEchapAnnule) {
    DialoguesClientsQt dq(nullptr);
    QuandOuvert([](QDialog* d) {
        EXPECT_EQ(d->objectName(), "TFclient");
        EXPECT_EQ(d->windowTitle(), "Fclient");
        EXPECT_EQ(Edit(d, 1)->text(), "10008");
        EXPECT_TRUE(Edit(d, 1)->isReadOnly());
        EXPECT_EQ(d->focusWidget(), Edit(d, 2));
        QTest::keyClicks(Edit(d, 2), "NOUVEAU");
        Edit(d, 3)->setFocus();
        TapeAccents(Edit(d, 3), QStringLiteral("Hôtel ✓"));
        QTest::keyClick(Edit(d, 3), Qt::Key_Return);
    });
    const auto r = dq.NouveauClient("10008");
    ASSERT_TRUE(r.has_value());
    EXPECT_EQ(*r, (std::array<std::string, 4>{"NOUVEAU", "H\xF4tel ", "", ""}));

    QuandOuvert([](QDialog* d) {
        QTest::keyClicks(Edit(d, 2), "ABANDON");
        QTest::keyClick(Edit(d, 2), Qt::Key_Escape);
    });
    EXPECT_FALSE(dq.NouveauClient("10009").has_value());
}

TEST(TListeCli, ElementsDansLOrdreDuFichierEtChoix) {
    TListeCli d;
    d.Init(Clients);
    auto* liste = d.findChild<QListWidget*>(QStringLiteral("ListBox1"));
    ASSERT_NE(liste, nullptr);
    EXPECT_EQ(d.windowTitle(), "Liste des clients");
    ASSERT_EQ(liste->count(), 3);
    EXPECT_EQ(liste->item(0)->text(), "10005 DURAND");
    EXPECT_EQ(liste->item(1)->text(), " SANS CODE");
    EXPECT_EQ(liste->item(2)->text(), "10003 ANDRE");

    DialoguesClientsQt dq(nullptr);
    QuandOuvert([](QDialog* d) {
        auto* l = d->findChild<QListWidget*>(QStringLiteral("ListBox1"));
        const QRect r = l->visualItemRect(l->item(2));
        QTest::mouseClick(l->viewport(), Qt::LeftButton, {}, r.center());
        QTest::mouseDClick(l->viewport(), Qt::LeftButton, {}, r.center());
    });
    EXPECT_EQ(dq.ChoisitClient(Clients), "10003");

    QuandOuvert([](QDialog* d) { // a header without code chooses nothing
        auto* l = d->findChild<QListWidget*>(QStringLiteral("ListBox1"));
        l->setCurrentRow(1);
        QTest::mouseClick(d->findChild<QPushButton*>(QStringLiteral("Button2")), Qt::LeftButton);
    });
    EXPECT_EQ(dq.ChoisitClient(Clients), "");

    QuandOuvert([](QDialog* d) { // OK with nothing selected
        QTest::mouseClick(d->findChild<QPushButton*>(QStringLiteral("Button2")), Qt::LeftButton);
    });
    EXPECT_EQ(dq.ChoisitClient(Clients), "");

    QuandOuvert([](QDialog* d) {
        d->findChild<QListWidget*>(QStringLiteral("ListBox1"))->setCurrentRow(0);
        QTest::mouseClick(d->findChild<QPushButton*>(QStringLiteral("Button1")), Qt::LeftButton);
    });
    EXPECT_EQ(dq.ChoisitClient(Clients), "");
}

TEST(TFindCli, CodeEtNomDemandes) {
    DialoguesClientsQt dq(nullptr);
    QuandOuvert([](QDialog* d) {
        EXPECT_EQ(d->objectName(), "TFindCli");
        EXPECT_EQ(d->windowTitle(), "Rechercher client");
        EXPECT_EQ(d->findChild<QLabel*>()->text(), "Chercher code client");
        EXPECT_EQ(d->focusWidget(), Edit(d, 1));
        QTest::keyClicks(Edit(d, 1), "10005");
        QTest::keyClick(Edit(d, 1), Qt::Key_Return);
    });
    EXPECT_EQ(dq.DemandeCode(), "10005");

    QuandOuvert([](QDialog* d) {
        EXPECT_EQ(d->objectName(), "TFindNom");
        EXPECT_EQ(d->findChild<QLabel*>()->text(), "Chercher nom client");
        TapeAccents(Edit(d, 1), QStringLiteral("élise durand"));
        QTest::keyClick(Edit(d, 1), Qt::Key_Enter);
    });
    EXPECT_EQ(dq.DemandeNom(), "\xE9LISE DURAND"); // only a-z become capitals

    QuandOuvert([](QDialog* d) {
        QTest::keyClicks(Edit(d, 1), "durand");
        QTest::keyClick(Edit(d, 1), Qt::Key_Escape);
    });
    EXPECT_EQ(dq.DemandeNom(), "");
}
