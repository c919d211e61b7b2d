#pragma once

#include "module1.h"
#include "randomsource.h"
#include "timerfactory.h"

#include <QIcon>
#include <QString>

#include <functional>
#include <memory>

namespace calcaro {

class form1;
class Form2;
class Form3;

// Creates and shows the startup window, form1, and returns; the caller runs the event loop.
void startProgram();

// What lives for the whole process: the shared game state, the random source, and the single
// instance of each window, created on first use and created afresh after it was closed.
class Program
{
public:
    static Program &instance();

    Module1 &state() { return m_state; }

    form1 &mainWindow();     // created, with its load behaviour, if it does not exist
    form1 &showMainWindow(); // created if needed, shown and activated
    form1 *existingMainWindow() const { return m_form1.get(); }
    Form2 *existingSeriesEndDialog() const { return m_form2.get(); }
    Form3 *existingQuitConfirmation() const { return m_form3.get(); }

    void showSeriesEndDialog();
    void showQuitConfirmation();
    // The window was closed: it goes now, its timers with it.
    void unloadMainWindow(form1 &window);
    void unloadSeriesEndDialog(Form2 &dialog);

    // Ends the program at once: no handler of any window runs afterwards.
    void end(int status);
    bool hasEnded() const { return m_ended; }
    // A fatal run-time error: reported in a message box, then the program ends with status 1.
    void fail(const QString &message);

    // Destroys every window; used when the event loop returns.
    void shutdown();

    // For tests: start over with fresh state and windows, simulated timers, scripted draws, and
    // an end of the program that can be observed.
    struct Setup
    {
        TimerFactory timers;
        std::unique_ptr<RandomSource> random;
        std::function<void(int)> endProgram;
        std::function<void(const QString &)> reportError;
    };
    void restart(Setup setup);

    // The program's icon, in both of its sizes.
    static QIcon icon();

private:
    Program();

    Module1 m_state;
    Setup m_setup;
    std::unique_ptr<form1> m_form1;
    std::unique_ptr<Form2> m_form2;
    std::unique_ptr<Form3> m_form3;
    bool m_ended = false;
};

} // namespace calcaro
