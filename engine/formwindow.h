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
    // Lets the events already waiting run once, then returns whether the procedure that asked
    // may go on. False means the window was closed (it may already be destroyed, the game's
    // controls with it) or the program ended: the procedure must return at once.
    [[nodiscard]] virtual bool processPendingEvents() = 0;
};

} // namespace calcaro
