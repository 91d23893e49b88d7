#pragma once
// Drives a modal dialog from inside its own exec(): the action runs once the
// dialog is the active modal widget.
#include "support/attente.h"

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

// The same once the dialog is the active window and one of its controls has
// the focus, as when the user starts typing in it.
inline void QuandActif(std::function<void(QWidget*)> action) {
    QuandModal([action](QWidget* w) {
        Attend([w] { return w->isActiveWindow() && QApplication::focusWidget() != nullptr; });
        action(w);
    });
}

} // namespace kyr::test
