#pragma once
// Drives a modal dialog from inside its own exec(): the action runs once the
// dialog is the active modal widget.
#include <QApplication>
#include <QTimer>
#include <QWidget>

#include <functional>

namespace kyr::test {

inline void QuandModal(std::function<void(QWidget*)> action) {
    auto* minuterie = new QTimer;
    QObject::connect(minuterie, &QTimer::timeout, [minuterie, action] {
        if (QWidget* w = QApplication::activeModalWidget()) {
            minuterie->deleteLater();
            minuterie->stop();
            action(w);
        }
    });
    minuterie->start(10);
}

} // namespace kyr::test
