#include "webtimer.h"

#include <emscripten/emscripten.h>
#include <emscripten/html5.h>

#include <algorithm>
#include <cmath>
#include <utility>

namespace calcaro::web {

// How early, by the page's clock, a callback may run and still deliver its tick: browsers coarsen
// performance.now() to a millisecond or so.
constexpr double clockGrain = 2.0;

WebTimer::WebTimer(int intervalMs, std::function<void()> onTick)
    : m_intervalMs(intervalMs), m_onTick(std::move(onTick))
{}

WebTimer::~WebTimer()
{
    setEnabled(false);
}

void WebTimer::setEnabled(bool enabled)
{
    if (!enabled) {
        if (m_timeout)
            emscripten_clear_timeout(m_timeout);
        m_timeout = 0;
        m_enabled = false;
    } else if (!m_enabled) {
        m_enabled = true;
        ++m_run;
        m_start = emscripten_get_now();
        m_ticks = 0;
        schedule();
    }
}

void WebTimer::schedule()
{
    const double due = m_start + static_cast<double>(m_ticks + 1) * m_intervalMs;
    m_timeout = emscripten_set_timeout(&WebTimer::callback,
                                       std::max(0.0, due - emscripten_get_now()), this);
}

void WebTimer::callback(void *timer)
{
    auto *self = static_cast<WebTimer *>(timer);
    self->m_timeout = 0;
    self->catchUp();
}

void WebTimer::catchUp()
{
    const unsigned run = m_run;
    const auto due = static_cast<long long>(
        std::floor((emscripten_get_now() - m_start + clockGrain) / m_intervalMs));
    // A tick may switch this timer off, or off and on again (a fresh interval, already
    // scheduled): then the ticks of this run are over.
    while (m_enabled && m_run == run && m_ticks < due) {
        ++m_ticks;
        m_onTick();
    }
    if (m_enabled && m_run == run)
        schedule();
}

} // namespace calcaro::web
