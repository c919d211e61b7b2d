#pragma once

#include "formwindow.h"

class QWidget;

namespace calcaro {

// The main window and the event loop as the game sees them.
class QtFormWindow : public FormWindow
{
public:
    explicit QtFormWindow(QWidget &window) : m_window(window) {}

    bool isOnScreen() const override;
    void hide() override;
    void showSeriesEndDialog() override;
    bool processPendingEvents() override;

private:
    QWidget &m_window;
};

} // namespace calcaro
