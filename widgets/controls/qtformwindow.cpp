#include "controls/qtformwindow.h"

#include "program.h"

#include <QWidget>

namespace calcaro {

bool QtFormWindow::isOnScreen() const
{
    return m_window.isVisible() && !m_window.isMinimized();
}

void QtFormWindow::hide()
{
    m_window.hide();
}

void QtFormWindow::showSeriesEndDialog()
{
    Program::instance().seriesEnded();
}

bool QtFormWindow::processPendingEvents()
{
    return Program::instance().letEventsRun(m_window);
}

} // namespace calcaro
