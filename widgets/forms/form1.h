#pragma once

#include "controls/timerfactory.h"

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
    // The controls as the game sees them (the progress bar's exact value, for instance).
    const Form1Controls &controls() const;

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    struct Widgets;
    struct Adapters;

    void buildLayout();
    void buildMenus();
    void connectHandlers();
    void Form_Load();

    std::unique_ptr<Widgets> m_widgets;
    std::unique_ptr<Adapters> m_adapters;
    std::unique_ptr<Form1Controls> m_controls;
    std::unique_ptr<QuizEngine> m_engine;
    Module1 &m_state;
};

} // namespace calcaro
