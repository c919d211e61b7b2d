#pragma once

#include <QString>

namespace calcaro {

// A one-line text box of the main window.
class TextBox
{
public:
    virtual ~TextBox() = default;
    virtual QString text() const = 0;
    virtual void setText(const QString &text) = 0;
    virtual bool isVisible() const = 0;
    virtual void setVisible(bool visible) = 0;
    virtual void setCentred() = 0;
    // Only meaningful while the window is on screen; callers check that first.
    virtual void setFocus() = 0;
};

} // namespace calcaro
