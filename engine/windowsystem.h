#pragma once

#include <QString>

namespace calcaro {

class QuizEngine;

// The three windows of the game: form1, Form2 and Form3.
enum class WindowId { Main, SeriesEnd, Quit };

// What the game needs of a front end's windows and of its event loop. Each front end (Qt
// widgets, the page's elements) draws the windows and owns them; what they do lives in
// GameWindows, once.
class WindowSystem
{
public:
    virtual ~WindowSystem() = default;

    // Builds the window from its layout and runs its load behaviour (centring; for the main
    // window, its game and timers, then init).
    virtual void create(WindowId window) = 0;
    // The window goes at once for the game, its timers with it; what remains of it is freed
    // once the handler running has returned.
    virtual void destroy(WindowId window) = 0;
    virtual void show(WindowId window) = 0; // shown and made the active window
    virtual void hide(WindowId window) = 0;
    virtual bool isVisible(WindowId window) const = 0;
    // On screen: shown and not minimised.
    virtual bool isOnScreen(WindowId window) const = 0;
    // The series-end dialog's score line.
    virtual void setSeriesEndScore(const QString &text) = 0;
    // The game of the main window, which exists when this is asked.
    virtual QuizEngine &game() = 0;

    // Runs the events already waiting, once.
    virtual void processPendingEvents() = 0;
    // Ends the program with this status; nothing of the game runs afterwards.
    virtual void endProgram(int status) = 0;
    // Tells the user of a fatal run-time error, before the program ends.
    virtual void reportError(const QString &message) = 0;
};

} // namespace calcaro
