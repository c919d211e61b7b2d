#pragma once

#include "timerfactory.h"

#include <QMainWindow>

#include <memory>

namespace calcaro {

struct Form1Controls;
class Module1;
class QuizEngine;
class RandomSource;

// The main window, where the game is played. Its layout is fixed; the game itself lives in the
// engine, which drives the controls through adapters and receives the clicks and ticks.
class form1 : public QMainWindow
{
    Q_OBJECT

public:
    // Creating the window builds its layout and runs its load behaviour (centring, init).
    form1(Module1 &state, RandomSource &random, const TimerFactory &timers);
    ~form1() override;

    QuizEngine &engine();
    // The game's procedures that the other windows call, run as the window's own handlers.
    void depart0();
    void init();
    // The controls as the game sees them (the progress bar's exact value, for instance).
    const Form1Controls &controls() const;
    // Puts the cursor in the answer box.
    void focusAnswerBox();
    // Stops the three timers for good: the window is going away, or the program ends.
    void stopTimers();
    // The window was closed: it is destroyed as soon as none of its handlers is running.
    void unload();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    // Every event of the window runs through here, so that the window outlives its handlers
    // (a handler lets other events run while it waits) and nothing runs after the end.
    template <typename Handler> void handle(Handler &&handler);

    void buildLayout();
    void buildMenus();
    void Form_Load();
    void Command2_Click();
    void Form_QueryUnload();

    struct Parts;
    std::unique_ptr<Parts> m_parts;
    Module1 &m_state;
    int m_handlersRunning = 0;
    bool m_unloaded = false;
};

} // namespace calcaro
