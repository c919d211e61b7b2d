#include "mainformwindow.h"

#include "gamewindows.h"

namespace calcaro {

MainFormWindow::MainFormWindow(GameWindows &windows, WindowSystem &system)
    : m_windows(windows), m_system(system)
{}

bool MainFormWindow::isOnScreen() const
{
    return m_system.isOnScreen(WindowId::Main);
}

void MainFormWindow::hide()
{
    m_system.hide(WindowId::Main);
}

void MainFormWindow::showSeriesEndDialog()
{
    m_windows.seriesEnded();
}

bool MainFormWindow::processPendingEvents()
{
    return m_windows.letEventsRun(WindowId::Main);
}

} // namespace calcaro
