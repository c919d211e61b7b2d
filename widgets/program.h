#pragma once

#include "controls/timerfactory.h"
#include "gamewindows.h"
#include "module1.h"
#include "randomsource.h"
#include "windowsystem.h"
#include "windowwiring.h"

#include <QAbstractButton>
#include <QIcon>
#include <QObject>
#include <QString>
#include <QWidget>

#include <functional>
#include <memory>
#include <optional>

namespace calcaro {

class form1;
class Form2;
class Form3;

// Starts the game inside the running QApplication, whatever its class: creates and shows the
// startup window, form1, and returns; the caller runs the event loop.
void startProgram();

// What lives as long as the application: the shared game state, the random source, the icon and
// the single instance of each window as Qt widgets, created on first use and created afresh after
// a close. What the windows do, and the rules for events that arrive together, are the game's
// own (GameWindows); this is how Qt shows them.
class Program : public QObject, public WindowSystem
{
    Q_OBJECT

public:
    // The program of the running application, created on first use as its child.
    static Program &instance();

    Module1 &state() { return m_state; }
    GameWindows &windows() { return *m_windows; }
    const QIcon &icon() const { return m_icon; }

    form1 &mainWindow();     // created, with its load behaviour, if it does not exist
    form1 &showMainWindow(); // created if needed, shown and activated
    form1 *existingMainWindow() const { return m_form1.get(); }
    Form2 *existingSeriesEndDialog() const { return m_form2.get(); }
    Form3 *existingQuitConfirmation() const { return m_form3.get(); }
    void showSeriesEndDialog() { m_windows->show(WindowId::SeriesEnd); }
    void showQuitConfirmation() { m_windows->show(WindowId::Quit); }

    using From = GameWindows::From;
    // Runs a handler of `window` through the game's rules; an event of a window that was closed
    // (and waits for its deletion) does nothing.
    template <typename Handler> void handle(QWidget &window, From from, Handler &&handler)
    {
        if (const std::optional<WindowId> id = openWindow(window))
            m_windows->handle(*id, from, std::forward<Handler>(handler));
    }

    // Ends the program at once: no handler of any window runs afterwards.
    void end(int status) { m_windows->end(status); }
    bool hasEnded() const { return m_windows->hasEnded(); }

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
    // Destroys every window, leaving the game no window to act on; done when the event loop
    // returns.
    void shutdown();

    // The windows as Qt widgets.
    void create(WindowId window) override;
    void destroy(WindowId window) override;
    void show(WindowId window) override;
    void hide(WindowId window) override;
    bool isVisible(WindowId window) const override;
    bool isOnScreen(WindowId window) const override;
    void setSeriesEndScore(const QString &text) override;
    QuizEngine &game() override;
    void processPendingEvents() override;
    void endProgram(int status) override;
    void reportError(const QString &message) override;

private:
    explicit Program(QObject *application);
    ~Program() override;

    std::optional<WindowId> openWindow(const QWidget &window) const;
    QWidget *widget(WindowId window) const;

    // Windows may be closed from inside their own handlers, so they are deleted by the event
    // loop, never in the middle of one of their handlers.
    struct DeleteLater
    {
        void operator()(QObject *object) const;
    };
    template <typename W> using WindowPtr = std::unique_ptr<W, DeleteLater>;

    Module1 m_state;
    Setup m_setup;
    QIcon m_icon;
    WindowPtr<form1> m_form1;
    WindowPtr<Form2> m_form2;
    WindowPtr<Form3> m_form3;
    std::unique_ptr<GameWindows> m_windows;
};

// Connects the clicks of the window's buttons that the three windows handle together
// (wiring::windowPresses) to their handlers, through handle(); a dialog's first button to hold
// the focus takes it.
template <typename W> void connectWindowPresses(W &window, WindowId id)
{
    for (const wiring::WindowPress &press : wiring::windowPresses) {
        if (press.window != id)
            continue;
        auto *button =
            window.template findChild<QAbstractButton *>(QString::fromLatin1(press.control));
        QObject::connect(
            button, &QAbstractButton::clicked, &window, [&window, handler = press.handler] {
                Program &program = Program::instance();
                program.handle(window, Program::From::User,
                               [&program, handler] { (program.windows().*handler)(); });
            });
    }
    if (id != WindowId::Main)
        window.template findChild<QWidget *>(QString::fromLatin1(wiring::firstFocus(id)))
            ->setFocus();
}

} // namespace calcaro
