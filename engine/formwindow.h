#pragma once

namespace calcaro {

// What the game needs of the main window itself and of the event loop.
class FormWindow
{
public:
    virtual ~FormWindow() = default;
    virtual bool isOnScreen() const = 0;
    virtual void hide() = 0;
    virtual void showSeriesEndDialog() = 0;
    // Lets the events already waiting run once, then returns.
    virtual void processPendingEvents() = 0;
};

} // namespace calcaro
