#pragma once
// The about box of the help menu: name, version and picture of the program.
#include <QDialog>

namespace kyr {

class TAboutBox final : public QDialog {
    Q_OBJECT
public:
    explicit TAboutBox(QWidget* parent = nullptr);

public slots:
    // Escape and the window's close box press "OK" too: the box has no other answer.
    void reject() override { accept(); }
};

} // namespace kyr
