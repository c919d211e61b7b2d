#pragma once

#include "fatalerror.h"
#include "module1.h"
#include "windowsystem.h"

#include <array>
#include <optional>

namespace calcaro {

// What the three windows do, whatever draws them: their handlers, the series-end dialog and
// the quit confirmation, the lifetimes of the windows, and the rules that keep them consistent
// when events arrive together:
// - every handler runs through handle(): nothing runs after the end of the program, a closed
//   window's late events do nothing, input needs its window on screen, and a fatal run-time
//   error stops the handler, is reported once it has unwound, and ends the program;
// - every handler that lets waiting events run does so through letEventsRun(), and returns at
//   once when its window went away meanwhile.
class GameWindows
{
public:
    enum class From { User, Program };

    GameWindows(Module1 &state, WindowSystem &system);

    Module1 &state() { return m; }
    bool exists(WindowId window) const { return slot(window).exists; }
    bool hasEnded() const { return m_ended; }

    // The window, created with its load behaviour if it does not exist.
    void load(WindowId window);
    // Loaded if needed, then shown and activated (nothing shows once the program has ended).
    void show(WindowId window);

    // The game's series ended: its dialog comes up, and comes back after "Non", until the game
    // goes on ("&Continuer", "&Recommencer") or is gone with its window.
    void seriesEnded();
    bool seriesEndPending() const { return m_seriesEndPending; }

    // A window was closed: it goes, its timers with it. The series-end dialog belongs to the
    // game of the main window and goes with it.
    void unloadMainWindow();
    void unloadSeriesEndDialog();

    // Runs a handler of `window`, which must be the window's current instance: a front end
    // drops the events of an instance that was closed before they arrive here.
    template <typename Handler> void handle(WindowId window, From from, Handler &&handler);
    // Lets the events already waiting run once, inside a handler of `window`. Returns whether
    // the handler may go on: the program has not ended and `window` is still the instance the
    // handler runs in, and, for a dialog, still shown or hidden as the handler left it. (The
    // main window's game goes on whether that window is shown or hidden behind the quit
    // confirmation.)
    [[nodiscard]] bool letEventsRun(WindowId window);
    // A dialog steps aside: hides itself, then lets the waiting events run as above.
    [[nodiscard]] bool hideAndLetEventsRun(WindowId window);

    // Ends the program at once: no handler of any window runs afterwards.
    void end(int status);
    // The game's procedures that the other windows call, run as the main window's handlers.
    void depart0();
    void init();

    // The handlers of the three windows, each run through handle() by the front end.
    void form1_Command2_Click(); // "&Quitter"
    void form1_Close();          // its close box
    void Form2_Command1_Click(); // "&Continuer"
    void Form2_Command2_Click(); // "&Recommencer"
    void Form2_Command3_Click(); // "&Quitter"
    void Form2_Close();
    void Form3_Command1_Click(); // "Oui"
    void Form3_Command2_Click(); // "Non"
    void Form3_Close();

private:
    struct Slot
    {
        bool exists = false;
        unsigned instance = 0; // counts the creations, so a window made afresh is another one
        unsigned running = 0;  // the instance whose handler runs, while one does
    };
    Slot &slot(WindowId window) { return m_slots[static_cast<std::size_t>(window)]; }
    const Slot &slot(WindowId window) const { return m_slots[static_cast<std::size_t>(window)]; }

    void form1_QueryUnload();
    void stopMainTimers();
    void fail(const QString &message);

    Module1 &m;
    WindowSystem &m_system;
    std::array<Slot, 3> m_slots;
    bool m_seriesEndPending = false;
    bool m_ended = false;
};

template <typename Handler> void GameWindows::handle(WindowId window, From from, Handler &&handler)
{
    if (m_ended || !exists(window) || (from == From::User && !m_system.isVisible(window)))
        return;
    Slot &s = slot(window);
    const unsigned outer = s.running;
    s.running = s.instance;
    const std::optional<QString> error = errorStopping(handler);
    slot(window).running = outer;
    if (error)
        fail(*error);
}

} // namespace calcaro
