#pragma once

#include "timer.h"

#include <memory>

namespace calcaro {

// A timer that can be shut for good: once its window is going away, or the program has ended,
// a procedure still finishing cannot switch it on again.
class GatedTimer : public Timer
{
public:
    explicit GatedTimer(std::unique_ptr<Timer> timer);

    bool isEnabled() const override;
    void setEnabled(bool enabled) override;
    void shut();

private:
    std::unique_ptr<Timer> m_timer;
    bool m_shut = false;
};

} // namespace calcaro
