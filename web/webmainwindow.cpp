#include "webmainwindow.h"

#include "element.h"
#include "gamewindows.h"

#include <utility>

namespace calcaro::web {
namespace {

// Each tick runs as a handler of the main window, like a click.
WebTimer makeTimer(GameWindows &windows, WindowSystem &system, int intervalMs,
                   void (QuizEngine::*tick)())
{
    return WebTimer(intervalMs, [&windows, &system, tick] {
        windows.handle(WindowId::Main, GameWindows::From::Program,
                       [&system, tick] { (system.game().*tick)(); });
    });
}

} // namespace

WebMainWindow::WebMainWindow(Module1 &state, RandomSource &random, ResultListener &results,
                             GameWindows &windows, WindowSystem &system)
    : Timer1(makeTimer(windows, system, 50, &QuizEngine::Timer1_Timer)),
      Timer2(makeTimer(windows, system, 100, &QuizEngine::Timer2_Timer)),
      Timer3(makeTimer(windows, system, 100, &QuizEngine::Timer3_Timer)),
      m_speech({.dividend = Label1,
                .divisor = Label3,
                .score = Label6,
                .message = Label7,
                .remainder = Text2},
               state),
      m_window(windows, system), m_controls(form1ControlsOf(*this, m_window)),
      m_engine(state, m_controls, random, &results)
{
    for (WebLabel *figure : {&Label1, &Label3, &Label6})
        figure->onChange([this] { m_speech.update(); });
    Label7.onChange([this] { m_speech.messageShown(); });
    Form_Load();
}

void WebMainWindow::Form_Load()
{
    // The page's window as its layout has it: a window made afresh after a close starts like
    // the first one, settings included.
    for (WebLabel *label : {&Label1, &Label3, &Label6, &Label7})
        label->setCaption(QString());
    Label8.setCaption(QStringLiteral("Label8"));
    Text1.setText(QString());
    Text2.setText(QString());
    for (WebCommandButton *button : {&Command1, &Command2, &Command3}) {
        button->setVisible(true);
        button->setEnabled(true);
    }
    Command4.setEnabled(false);
    Command4.setVisible(false);
    for (WebMenuItem *item :
         {&mnuNiveau1, &mnuNiveau2, &mnuNiveau3, &mnuLent, &mnuMoyen, &mnuRapide}) {
        item->setChecked(item == &mnuNiveau1 || item == &mnuLent);
        item->setEnabled(true);
    }
    ProgressBar1.setValue(0);
    Label8.setVisible(false);
    Text2.setVisible(false);
    m_engine.init();
}

bool WebMainWindow::press(const QString &name, GameWindows &windows)
{
    if (name == QLatin1String("Command2")) {
        if (Command2.takesPresses())
            windows.handle(WindowId::Main, GameWindows::From::User,
                           [&windows] { windows.form1_Command2_Click(); });
        return true;
    }
    using Procedure = void (QuizEngine::*)();
    const struct
    {
        const char *name;
        bool takesPresses;
        Procedure procedure;
    } controls[] = {
        {"Command1", Command1.takesPresses(), &QuizEngine::Command1_Click},
        {"Command3", Command3.takesPresses(), &QuizEngine::Command3_Click},
        {"Command4", Command4.takesPresses(), &QuizEngine::Command4_Click},
        {"mnuNiveau1", mnuNiveau1.takesPresses(), &QuizEngine::mnuNiveau1_Click},
        {"mnuNiveau2", mnuNiveau2.takesPresses(), &QuizEngine::mnuNiveau2_Click},
        {"mnuNiveau3", mnuNiveau3.takesPresses(), &QuizEngine::mnuNiveau3_Click},
        {"mnuLent", mnuLent.takesPresses(), &QuizEngine::mnuLent_Click},
        {"mnuMoyen", mnuMoyen.takesPresses(), &QuizEngine::mnuMoyen_Click},
        {"mnuRapide", mnuRapide.takesPresses(), &QuizEngine::mnuRapide_Click},
    };
    for (const auto &control : controls) {
        if (name != QLatin1String(control.name))
            continue;
        if (control.takesPresses) {
            const Procedure procedure = control.procedure;
            windows.handle(WindowId::Main, GameWindows::From::User,
                           [this, procedure] { (m_engine.*procedure)(); });
        }
        return true;
    }
    return false;
}

} // namespace calcaro::web
