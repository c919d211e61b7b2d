#pragma once

#include "gamewindows.h"
#include "quizengine.h"
#include "windowsystem.h"

#include <array>
#include <string_view>

namespace calcaro::wiring {

// What each front end binds the controls of the three windows to (the windows themselves, the
// main window's timers, buttons and menu items, the dialogs' buttons), by the controls' names,
// written once: a front end only finds its control of that name.

struct Window
{
    WindowId window;
    const char *name;
    void (GameWindows::*close)(); // closed by its close box, or by the system
};

inline constexpr std::array<Window, 3> windows{{
    {WindowId::Main, "form1", &GameWindows::form1_Close},
    {WindowId::SeriesEnd, "Form2", &GameWindows::Form2_Close},
    {WindowId::Quit, "Form3", &GameWindows::Form3_Close},
}};

constexpr const char *nameOf(WindowId window)
{
    for (const Window &w : windows) {
        if (w.window == window)
            return w.name;
    }
    return "";
}

struct Tick
{
    const char *timer;
    int intervalMs;
    void (QuizEngine::*tick)();
};

// The main window's timers: the answer countdown, the feedback pause, the score pause. Each
// tick runs as a handler of the main window, like a click.
inline constexpr std::array<Tick, 3> ticks{{
    {"Timer1", QuizEngine::answerTickMs, &QuizEngine::Timer1_Timer},
    {"Timer2", 100, &QuizEngine::Timer2_Timer},
    {"Timer3", 100, &QuizEngine::Timer3_Timer},
}};

// Reached only when a front end names a timer that `ticks` lacks: its call in a constant
// expression then fails to compile.
void noTimerOfThatName();

// The tick of the main window's timer of this name, found while compiling.
consteval const Tick &tickOf(std::string_view timer)
{
    for (const Tick &tick : ticks) {
        if (timer == tick.timer)
            return tick;
    }
    noTimerOfThatName();
    return ticks[0];
}

struct Press
{
    const char *control;
    void (QuizEngine::*procedure)();
};

// The main window's buttons and menu items that run a procedure of its game, of the same name.
inline constexpr std::array<Press, 9> presses{{
    {"Command1", &QuizEngine::Command1_Click},
    {"Command3", &QuizEngine::Command3_Click},
    {"Command4", &QuizEngine::Command4_Click},
    {"mnuNiveau1", &QuizEngine::mnuNiveau1_Click},
    {"mnuNiveau2", &QuizEngine::mnuNiveau2_Click},
    {"mnuNiveau3", &QuizEngine::mnuNiveau3_Click},
    {"mnuLent", &QuizEngine::mnuLent_Click},
    {"mnuMoyen", &QuizEngine::mnuMoyen_Click},
    {"mnuRapide", &QuizEngine::mnuRapide_Click},
}};

struct WindowPress
{
    WindowId window;
    const char *control;
    void (GameWindows::*handler)();
};

// The buttons whose press the three windows handle together: leaving, and the dialogs' answers.
inline constexpr std::array<WindowPress, 6> windowPresses{{
    {WindowId::Main, "Command2", &GameWindows::form1_Command2_Click},
    {WindowId::SeriesEnd, "Command1", &GameWindows::Form2_Command1_Click},
    {WindowId::SeriesEnd, "Command2", &GameWindows::Form2_Command2_Click},
    {WindowId::SeriesEnd, "Command3", &GameWindows::Form2_Command3_Click},
    {WindowId::Quit, "Command1", &GameWindows::Form3_Command1_Click},
    {WindowId::Quit, "Command2", &GameWindows::Form3_Command2_Click},
}};

// The button that holds the focus when a dialog comes up ("&Continuer"; "Non", since leaving is
// the question in the quit confirmation and "Non" the safe answer).
constexpr const char *firstFocus(WindowId dialog)
{
    return dialog == WindowId::Quit ? "Command2" : "Command1";
}

} // namespace calcaro::wiring
