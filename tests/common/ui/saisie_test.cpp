#include "common/ui/saisie.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QIntValidator>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>
#include <gtest/gtest.h>

namespace kyr {
namespace {

// QTest::keyClicks cannot send accented or typographic characters: one key
// event per character instead.
void Tape(QWidget* w, const QString& texte) {
    for (QChar c : texte)
        QTest::sendKeyEvent(QTest::Click, w, Qt::Key_unknown, QString(c), Qt::NoModifier);
}

// Characters with no Windows-1252 byte (the euro sign has one: 0x80).
const QStringList kRefuses = {QString::fromUtf8("✓"), QString::fromUtf8("Ω"),
                              QString::fromUtf8("ő"), QString::fromUtf8("😀")};

TEST(Saisie, ValidatorRefusesCharactersWithoutAByte) {
    Validateur1252 v;
    int pos = 0;
    QString bon = QString::fromUtf8("Été 10 € « Œuvre »");
    EXPECT_EQ(v.validate(bon, pos), QValidator::Acceptable);
    for (QString t : kRefuses) {
        QString avec = "ab" + t;
        EXPECT_EQ(v.validate(avec, pos), QValidator::Invalid) << avec.toStdString();
    }
    // A number field keeps its own rules behind the code page check.
    QIntValidator nombre(0, 99);
    Validateur1252 enveloppe(nullptr, &nombre);
    QString t = "42";
    EXPECT_EQ(enveloppe.validate(t, pos), QValidator::Acceptable);
    t = "420";
    EXPECT_EQ(enveloppe.validate(t, pos), QValidator::Invalid);
    t = QString::fromUtf8("4✓");
    EXPECT_EQ(enveloppe.validate(t, pos), QValidator::Invalid);
}

TEST(Saisie, LineEditRefusesTypedAndPastedCharacters) {
    QLineEdit edit;
    edit.setValidator(new QIntValidator(0, 9999, &edit));
    Filtre1252(&edit);
    Filtre1252(&edit); // twice is harmless
    Tape(&edit, QString::fromUtf8("1✓2a3"));
    EXPECT_EQ(edit.text(), "123"); // digits only, as before

    QLineEdit libre;
    Filtre1252(&libre);
    Tape(&libre, QString::fromUtf8("é✓€Ωa😀"));
    EXPECT_EQ(libre.text(), QString::fromUtf8("é€a"));
    QApplication::clipboard()->setText(QString::fromUtf8("x✓y"));
    libre.paste();
    EXPECT_EQ(libre.text(), QString::fromUtf8("é€a"));
    QApplication::clipboard()->setText(QString::fromUtf8("ç!"));
    libre.paste();
    EXPECT_EQ(libre.text(), QString::fromUtf8("é€aç!"));
}

TEST(Saisie, EditableComboRefusesToo) {
    QComboBox combo;
    combo.setEditable(true);
    Filtre1252(&combo);
    Tape(combo.lineEdit(), QString::fromUtf8("30 jours ✓net"));
    EXPECT_EQ(combo.currentText(), "30 jours net");
    QComboBox fixe; // not editable: nothing to filter, nothing to break
    Filtre1252(&fixe);
    EXPECT_EQ(fixe.lineEdit(), nullptr);
}

TEST(Saisie, PlainTextEditRefusesKeysPastesAndInsertions) {
    QPlainTextEdit edit;
    edit.setPlainText("ligne 1\nligne 2");
    Filtre1252(&edit);
    Filtre1252(&edit);
    edit.moveCursor(QTextCursor::End);
    Tape(&edit, QString::fromUtf8(" é✓Ω€"));
    EXPECT_EQ(edit.toPlainText(), QString::fromUtf8("ligne 1\nligne 2 é€"));

    QTextCursor c = edit.textCursor();
    c.setPosition(5);
    edit.setTextCursor(c);
    QApplication::clipboard()->setText(QString::fromUtf8("bien ✓ collé"));
    edit.paste();
    EXPECT_EQ(edit.toPlainText(), QString::fromUtf8("ligne 1\nligne 2 é€"));
    EXPECT_EQ(edit.textCursor().position(), 5); // back where the paste was

    edit.insertPlainText(QString::fromUtf8("😀"));
    EXPECT_EQ(edit.toPlainText(), QString::fromUtf8("ligne 1\nligne 2 é€"));

    QApplication::clipboard()->setText(QString::fromUtf8("-ok-"));
    edit.paste();
    EXPECT_EQ(edit.toPlainText(), QString::fromUtf8("ligne-ok- 1\nligne 2 é€"));
}

TEST(Saisie, ConversionHelpers) {
    EXPECT_EQ(Q("\xe9t\xe9 \x80"), QString::fromUtf8("été €"));
    EXPECT_EQ(S(QString::fromUtf8("été €")), "\xe9t\xe9 \x80");
    EXPECT_EQ(S(QString::fromUtf8("a✓b😀c")), "abc"); // last resort: dropped
    EXPECT_EQ(S(Q(std::string("\x81\x8d", 2))), std::string("\x81\x8d", 2));
}

} // namespace
} // namespace kyr
