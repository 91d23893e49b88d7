#pragma once
// TFindDialog, "Rechercher": the kind letter and number of the document to
// show, preset with "F", the letter of invoices.
#include <QDialog>
#include <string>

class QLineEdit;

namespace kyr {

class TFindDialog final : public QDialog {
    Q_OBJECT
public:
    explicit TFindDialog(QWidget* parent = nullptr);
    // The text as typed (trailing blanks included) when accepted, else "".
    std::string Result() const;

protected:
    void showEvent(QShowEvent* e) override;

private:
    QLineEdit* m_champ;
};

} // namespace kyr
