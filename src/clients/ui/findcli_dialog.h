#pragma once
// TFindCli and TFindNom, "Rechercher client": the client code or name whose
// documents are searched in the book.
#include <QDialog>
#include <string>

class QLineEdit;

namespace kyr {

class TFindCli final : public QDialog {
    Q_OBJECT
public:
    explicit TFindCli(QWidget* parent = nullptr);
    // The text as typed when accepted, else "".
    std::string Result() const;

private:
    QLineEdit* m_champ;
};

class TFindNom final : public QDialog {
    Q_OBJECT
public:
    explicit TFindNom(QWidget* parent = nullptr);
    // The text with a-z in capitals when accepted, else "".
    std::string Result() const;

private:
    QLineEdit* m_champ;
};

} // namespace kyr
