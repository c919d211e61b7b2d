#pragma once

namespace calcaro {

// The progress bar: a value from 0 to 100, read back exactly as it was set.
class ProgressBar
{
public:
    virtual ~ProgressBar() = default;
    virtual float value() const = 0;
    virtual void setValue(float value) = 0;
    virtual void setVisible(bool visible) = 0;
};

} // namespace calcaro
