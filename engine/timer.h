#pragma once

namespace calcaro {

// A repeating timer of the main window. While enabled its ticks arrive one at a time on the
// user-interface thread; switching it on from off starts a fresh interval.
class Timer
{
public:
    virtual ~Timer() = default;
    virtual bool isEnabled() const = 0;
    virtual void setEnabled(bool enabled) = 0;
};

} // namespace calcaro
