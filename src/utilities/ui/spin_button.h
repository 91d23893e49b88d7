#pragma once
// The up/down spin control: two small arrow buttons, one above the other.
// A click steps once; held down with the mouse it repeats after 400 ms, then
// every 100 ms; with the focus the Up and Down arrow keys step it too.
#include <QWidget>

class QToolButton;

namespace kyr {

class TSpinButton final : public QWidget {
    Q_OBJECT
public:
    explicit TSpinButton(QWidget* parent = nullptr);

    QToolButton* haut() const { return m_haut; }
    QToolButton* bas() const { return m_bas; }

signals:
    void UpClick();
    void DownClick();

protected:
    void keyPressEvent(QKeyEvent* e) override;
    void paintEvent(QPaintEvent* e) override;

private:
    QToolButton* m_haut;
    QToolButton* m_bas;
};

} // namespace kyr
