#pragma once
// TFclient: the coordinates of a client created from a document.
#include <QDialog>
#include <array>
#include <string>

class QLineEdit;

namespace kyr {

class TFclient final : public QDialog {
    Q_OBJECT
public:
    explicit TFclient(QWidget* parent = nullptr);
    // The code shown read-only, the four lines emptied.
    void Init(const std::string& code);
    // The four lines when accepted, four empty texts otherwise.
    std::array<std::string, 4> Result() const;

private:
    std::array<QLineEdit*, 5> m_champs{};
};

} // namespace kyr
