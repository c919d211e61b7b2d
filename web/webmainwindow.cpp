#include "webmainwindow.h"

#include "controls/element.h"
#include "gamewindows.h"
#include "windowwiring.h"

#include <utility>

namespace calcaro::web {
namespace {

WebTimer makeTimer(GameWindows &windows, WindowSystem &system, const wiring::Tick &timer)
{
    return WebTimer(timer.intervalMs, [&windows, &system, tick = timer.tick] {
        windows.handle(WindowId::Main, GameWindows::From::Program,
                       [&system, tick] { (system.game().*tick)(); });
    });
}

} // namespace

WebMainWindow::WebMainWindow(Module1 &state, RandomSource &random, ResultListener &results,
                             GameWindows &windows, WindowSystem &system)
    : Timer1(makeTimer(windows, system, wiring::tickOf("Timer1"))),
      Timer2(makeTimer(windows, system, wiring::tickOf("Timer2"))),
      Timer3(makeTimer(windows, system, wiring::tickOf("Timer3"))), m_speech({.dividend = Label1,
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
    // the first one. Its check marks are the game's to set as it loads.
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
         {&mnuNiveau1, &mnuNiveau2, &mnuNiveau3, &mnuLent, &mnuMoyen, &mnuRapide})
        item->setEnabled(true);
    ProgressBar1.setValue(0);
    m_engine.Form_Load();
}

bool WebMainWindow::press(const QString &name, GameWindows &windows)
{
    for (const wiring::Press &press : wiring::presses) {
        if (QStringView(name) != QLatin1StringView(press.control))
            continue;
        if (takesPresses(element(name))) {
            windows.handle(WindowId::Main, GameWindows::From::User,
                           [this, procedure = press.procedure] { (m_engine.*procedure)(); });
        }
        return true;
    }
    return false;
}

} // namespace calcaro::web
