#pragma once

#include "program.h"
#include "scriptedrandom.h"
#include "simclock.h"

#include <QStringList>
#include <QWidget>

#include <memory>

class QAction;

namespace calcaro::test {

// Starts the real program on simulated timers and scripted draws, and watches how it ends.
class WindowsFixture
{
public:
    // Forgets every window and starts the program afresh.
    void start();
    // Destroys every window, as at the end of the program.
    void stop();

    SimClock &clock() { return *m_clock; }
    ScriptedRandom &random() { return *m_random; }
    Module1 &state() { return Program::instance().state(); }

    QWidget *mainWindow() const;
    QWidget *seriesEndDialog() const;
    QWidget *quitConfirmation() const;
    QAction *menuItem(const char *name) const;
    // "form1", "Form2" or "Form3"
    QWidget *window(const QString &name) const;
    // Brings up the series-end dialog and the quit confirmation beside the main window, for
    // checks that go over every window; returns the one named.
    QWidget *showAllWindows(const QString &name);

    // What the three windows keep true between events, whatever arrives: the cycle's own
    // invariants; the series-end dialog only over a hidden main window with no timer on,
    // showing the current score; and, until the program ends, a window on screen. Empty when
    // all hold.
    QString violation() const;
    // Checks violation() after every simulated tick; the first one seen stays in tickViolation.
    void watchTicks();
    QString tickViolation;

    int endStatus = -1; // -1 while the program runs
    QStringList errors;

private:
    std::unique_ptr<SimClock> m_clock;
    ScriptedRandom *m_random = nullptr; // owned by the program
};

// The named child of a window.
template <typename T> T *child(QWidget *window, const char *name)
{
    return window ? window->findChild<T *>(QString::fromLatin1(name)) : nullptr;
}

} // namespace calcaro::test
