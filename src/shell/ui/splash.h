#pragma once
// The start-up screen: the program's name, version and picture, shown while
// the main windows are being created and destroyed just before the event loop.
#include <QWidget>

namespace kyr {

class TSplash final : public QWidget {
    Q_OBJECT
public:
    explicit TSplash(QWidget* parent = nullptr);
    // Shows the screen centred and paints it at once, before the event loop runs.
    void Montre();
};

} // namespace kyr
