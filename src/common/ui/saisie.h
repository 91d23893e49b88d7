#pragma once
// Typing and pasting 8-bit text. The files hold Windows-1252 bytes, so a
// character that has no such byte (a check mark, an omega, an emoji) is refused
// where it is typed or pasted rather than silently changed when saved.
#include <QPointer>
#include <QValidator>

#include <string>

class QComboBox;
class QLineEdit;
class QPlainTextEdit;

namespace kyr {

// Invalid when the text holds a character without a Windows-1252 byte;
// otherwise the answer of the validator it wraps, if any (a number field
// keeps its own rules).
class Validateur1252 : public QValidator {
    Q_OBJECT
public:
    explicit Validateur1252(QObject* parent = nullptr, QValidator* interne = nullptr);
    State validate(QString& texte, int& position) const override;
    void fixup(QString& texte) const override;

private:
    QPointer<QValidator> m_interne;
};

// Install the refusal on a field. A line edit's existing validator is kept
// and consulted after the code page check. A combo box gets it on its line
// edit (when editable). A plain text editor gets a watcher that swallows such
// keys and, for anything else (paste, drop, input method), puts back the last
// acceptable text and cursor.
void Filtre1252(QLineEdit* edit);
void Filtre1252(QComboBox* combo);
void Filtre1252(QPlainTextEdit* edit);

// Bytes to widget text.
QString Q(const std::string& octets);
// Widget text to bytes, for fields that went through Filtre1252. Should a
// character without a byte still get there (a field that was not filtered),
// it is dropped: the last resort, never the way input is meant to be checked.
std::string S(const QString& texte);

} // namespace kyr
