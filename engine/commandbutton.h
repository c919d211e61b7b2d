#pragma once

namespace calcaro {

// A command button of the main window; its clicks reach the game through the window.
class CommandButton
{
public:
    virtual ~CommandButton() = default;
    virtual void setVisible(bool visible) = 0;
    virtual void setEnabled(bool enabled) = 0;
};

} // namespace calcaro
