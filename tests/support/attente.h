#pragma once
// Waits for the event loop to make a condition true: a cell edit or a focus
// change commits only after the events have run.
#include <QElapsedTimer>
#include <QTest>

namespace kyr::test {

template <class F> bool Attend(F condition, int ms = 2000) {
    QElapsedTimer t;
    t.start();
    while (!condition() && t.elapsed() < ms)
        QTest::qWait(10);
    return condition();
}

} // namespace kyr::test
