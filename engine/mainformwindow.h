#pragma once

#include "formwindow.h"

namespace calcaro {

class GameWindows;
class WindowSystem;

// The main window as its game sees it, on any front end: its series-end dialog and its waits
// for events go through the rules of the three windows.
class MainFormWindow : public FormWindow
{
public:
    MainFormWindow(GameWindows &windows, WindowSystem &system);

    bool isOnScreen() const override;
    void hide() override;
    void showSeriesEndDialog() override;
    [[nodiscard]] bool processPendingEvents() override;

private:
    GameWindows &m_windows;
    WindowSystem &m_system;
};

} // namespace calcaro
