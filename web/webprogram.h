#pragma once

#include "clockrandomsource.h"
#include "gamewindows.h"
#include "module1.h"
#include "platform/weblms.h"
#include "webmainwindow.h"
#include "windowsystem.h"

#include <memory>
#include <vector>

namespace calcaro::web {

// The game in the page: the shared state, the random source and the three windows as the
// page's elements (form1, and the dialogs Form2 and Form3). What the windows do is the game's
// own (GameWindows); this draws them and hands on what the child does.
class WebProgram : public WindowSystem
{
public:
    void start();
    // A press on a button or a menu item, by its id in the page.
    void press(const QString &name);
    // A window's close box, by the window's id.
    void closeWindow(const QString &name);
    // The answer box has taken the focus: a question running is read out again.
    void answerFocused();

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
    static void freeClosed(void *program);

    Module1 m_state;
    ClockRandomSource m_random;
    WebLms m_lms;
    GameWindows m_windows{m_state, *this};
    std::unique_ptr<WebMainWindow> m_main;
    // Closed main windows, freed once the handler that closed them has returned.
    std::vector<std::unique_ptr<WebMainWindow>> m_closed;
};

} // namespace calcaro::web
