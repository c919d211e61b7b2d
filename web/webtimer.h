#pragma once

#include "timer.h"

#include <functional>

namespace calcaro::web {

// A timer of the main window on the browser's clock. The browser runs interval callbacks late
// when it is busy or the page is in the background, so the ticks are counted from the clock:
// each callback delivers every tick that fell due since the timer was switched on, and a late
// callback does not stretch a question.
class WebTimer : public Timer
{
public:
    WebTimer(int intervalMs, std::function<void()> onTick);
    ~WebTimer() override;
    WebTimer(const WebTimer &) = delete;
    WebTimer &operator=(const WebTimer &) = delete;

    bool isEnabled() const override { return m_interval != 0; }
    void setEnabled(bool enabled) override;

private:
    static void callback(void *timer);
    void catchUp();

    int m_intervalMs;
    std::function<void()> m_onTick;
    long m_interval = 0;   // the browser's interval, 0 when off
    double m_start = 0;    // when it was switched on, in ms
    long long m_ticks = 0; // delivered since then
};

} // namespace calcaro::web
