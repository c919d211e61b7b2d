#pragma once

#include "controls/timerfactory.h"
#include "fatalerror.h"
#include "module1.h"
#include "randomsource.h"
#include "texts.h"

#include <QAbstractButton>
#include <QIcon>
#include <QObject>
#include <QString>
#include <QWidget>

#include <exception>
#include <functional>
#include <memory>

namespace calcaro {

class form1;
class Form2;
class Form3;

// Starts the game inside the running QApplication, whatever its class: creates and shows the
// startup window, form1, and returns; the caller runs the event loop.
void startProgram();

// What lives as long as the application: the shared game state, the random source, the icon and
// the single instance of each window, created on first use and created afresh after a close.
//
// Every handler of the three windows, whether a click, a key, a menu choice, a tick or a close,
// runs through handle(), and every handler that lets waiting events run does so through
// letEventsRun(). Those two places hold the rules that keep the windows consistent when real
// events arrive together: nothing runs after the end of the program, a closed window's late
// events do nothing, and a fatal run-time error never travels through Qt.
class Program : public QObject
{
    Q_OBJECT

public:
    // The program of the running application, created on first use as its child.
    static Program &instance();

    Module1 &state() { return m_state; }
    const QIcon &icon() const { return m_icon; }

    form1 &mainWindow();     // created, with its load behaviour, if it does not exist
    form1 &showMainWindow(); // created if needed, shown and activated
    form1 *existingMainWindow() const { return m_form1.get(); }
    Form2 *existingSeriesEndDialog() const { return m_form2.get(); }
    Form3 *existingQuitConfirmation() const { return m_form3.get(); }

    // The game's series ended: its dialog comes up, and comes back after "Non", until the game
    // goes on ("&Continuer", "&Recommencer") or is gone with its window.
    void seriesEnded();
    bool seriesEndPending() const { return m_seriesEndPending; }
    void seriesGoesOn() { m_seriesEndPending = false; }
    void showSeriesEndDialog(); // created if needed, shown and activated
    void showQuitConfirmation();

    // A window was closed: it goes, its timers with it, as soon as its handlers have returned.
    // The series-end dialog belongs to the game of the main window and goes with it.
    void unloadMainWindow();
    void unloadSeriesEndDialog();

    enum class From { User, Program };
    // Runs a handler of `window`. It does nothing once the program has ended or when the window
    // was closed; input from the user (From::User) also needs the window on screen. A fatal
    // run-time error stops the handler; it is reported once the handler has unwound, and the
    // program ends with status 1.
    template <typename Handler> void handle(QWidget &window, From from, Handler &&handler);

    // Lets the events already waiting run once, inside a handler of `window`. Returns whether
    // the handler may go on: the program has not ended and `window` is still the open window it
    // was, and, for a dialog, still shown or hidden as the handler left it. (The main window's
    // game goes on whether that window is shown or hidden behind the quit confirmation.)
    [[nodiscard]] bool letEventsRun(QWidget &window);
    // A dialog steps aside: hides itself, then lets the waiting events run as above.
    [[nodiscard]] bool hideAndLetEventsRun(QWidget &window);

    // Ends the program at once: no handler of any window runs afterwards.
    void end(int status);
    bool hasEnded() const { return m_ended; }

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
    // Destroys every window; done when the event loop returns.
    void shutdown();

private:
    explicit Program(QObject *application);
    ~Program() override;

    bool isOpen(const QWidget &window) const;
    void fail(const QString &message);
    void showWindow(QWidget &window);

    // Windows may be closed from inside their own handlers, so they are deleted by the event
    // loop, never in the middle of one of their handlers.
    struct DeleteLater
    {
        void operator()(QObject *object) const;
    };
    template <typename W> using WindowPtr = std::unique_ptr<W, DeleteLater>;
    // The window, created with its load behaviour if it does not exist.
    template <typename W, typename... Args> W &loaded(WindowPtr<W> &window, Args &&...args);

    Module1 m_state;
    Setup m_setup;
    QIcon m_icon;
    WindowPtr<form1> m_form1;
    WindowPtr<Form2> m_form2;
    WindowPtr<Form3> m_form3;
    bool m_seriesEndPending = false;
    bool m_ended = false;
};

// Connects the clicks of a window's button to one of the window's handlers, through handle().
template <typename W> void connectClick(QAbstractButton *button, W &window, void (W::*handler)())
{
    QObject::connect(button, &QAbstractButton::clicked, &window, [&window, handler] {
        Program::instance().handle(window, Program::From::User,
                                   [&window, handler] { (window.*handler)(); });
    });
}

template <typename Handler> void Program::handle(QWidget &window, From from, Handler &&handler)
{
    if (m_ended || !isOpen(window) || (from == From::User && !window.isVisible()))
        return;
    QString error;
    try {
        handler();
        return;
    } catch (const FatalError &e) {
        error = e.message();
    } catch (const std::exception &e) {
        error = QString::fromLocal8Bit(e.what());
    } catch (...) {
        error = texts::unknownError;
    }
    fail(error);
}

} // namespace calcaro
