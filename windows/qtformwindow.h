#pragma once

#include "formwindow.h"

#include <functional>

class QWidget;

namespace calcaro {

// The main window and the event loop as the game sees them.
class QtFormWindow : public FormWindow
{
public:
    QtFormWindow(QWidget &window, std::function<void()> showSeriesEndDialog);

    bool isOnScreen() const override;
    void hide() override;
    void showSeriesEndDialog() override;
    void processPendingEvents() override;

private:
    QWidget &m_window;
    std::function<void()> m_showSeriesEndDialog;
};

} // namespace calcaro
