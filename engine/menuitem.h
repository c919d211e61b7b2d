#pragma once

namespace calcaro {

// A checkable menu item; its check mark is the game setting itself.
class MenuItem
{
public:
    virtual ~MenuItem() = default;
    virtual bool isChecked() const = 0;
    virtual void setChecked(bool checked) = 0;
    virtual void setEnabled(bool enabled) = 0;
};

} // namespace calcaro
