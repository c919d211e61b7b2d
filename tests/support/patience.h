#pragma once

// Waiting, in the tests, for what comes in its own time: a window manager's or a compositor's
// answer, a tick of the real timers, another process. A busy machine can make any of them late,
// so a wait ends when what it waits for has come, and its bound is one only a fault reaches.

#include <QWidget>
#include <QtTest/QTest>

namespace calcaro::test {

constexpr int patienceMs = 60000;

// Whether the window system has answered every request made so far, with the events that came
// back handled. Compositors and window managers answer in the order they were asked, so a plain
// window asked to maximise after those requests grows only once they were answered.
inline bool windowSystemAnswered()
{
    QWidget marker;
    marker.setWindowTitle(QStringLiteral("marker"));
    marker.resize(80, 60);
    marker.show();
    if (!QTest::qWaitForWindowExposed(&marker, patienceMs))
        return false;
    marker.showMaximized();
    return QTest::qWaitFor([&] { return marker.width() > 80; }, patienceMs);
}

} // namespace calcaro::test
