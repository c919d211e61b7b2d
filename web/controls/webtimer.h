#pragma once

#include "timer.h"

#include <functional>

namespace calcaro::web {

// A timer of the main window on the browser's clock. Browsers run timer callbacks late when they
// are busy or the page is in the background, and let repeating intervals drift, so the ticks are
// counted from the clock: each callback is set for the next tick's due time and delivers every
// tick that has fallen due since the timer was switched on. A late callback does not stretch a
// question, and a callback that a coarse clock shows a hair early still delivers its tick.
class WebTimer : public Timer
{
public:
    WebTimer(int intervalMs, std::function<void()> onTick);
    ~WebTimer() override;
    WebTimer(const WebTimer &) = delete;
    WebTimer &operator=(const WebTimer &) = delete;

    bool isEnabled() const override { return m_enabled; }
    void setEnabled(bool enabled) override;

private:
    static void callback(void *timer);
    void schedule();
    void catchUp();

    int m_intervalMs;
    std::function<void()> m_onTick;
    bool m_enabled = false;
    unsigned m_run = 0;    // counts the times it was switched on
    long m_timeout = 0;    // the browser's pending callback, 0 when none
    double m_start = 0;    // when it was switched on, in ms
    long long m_ticks = 0; // delivered since then
};

} // namespace calcaro::web
