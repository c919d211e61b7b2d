#include "qtformwindow.h"

#include <QCoreApplication>
#include <QWidget>

#include <utility>

namespace calcaro {

QtFormWindow::QtFormWindow(QWidget &window, std::function<void()> showSeriesEndDialog)
    : m_window(window), m_showSeriesEndDialog(std::move(showSeriesEndDialog))
{}

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
    m_showSeriesEndDialog();
}

void QtFormWindow::processPendingEvents()
{
    QCoreApplication::processEvents();
}

} // namespace calcaro
