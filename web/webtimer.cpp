#include "webtimer.h"

#include <emscripten/emscripten.h>
#include <emscripten/html5.h>

#include <cmath>
#include <utility>

namespace calcaro::web {

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
        if (m_interval)
            emscripten_clear_interval(m_interval);
        m_interval = 0;
    } else if (!m_interval) {
        m_start = emscripten_get_now();
        m_ticks = 0;
        m_interval = emscripten_set_interval(&WebTimer::callback, m_intervalMs, this);
    }
}

void WebTimer::callback(void *timer)
{
    static_cast<WebTimer *>(timer)->catchUp();
}

void WebTimer::catchUp()
{
    const long interval = m_interval;
    const auto due =
        static_cast<long long>(std::floor((emscripten_get_now() - m_start) / m_intervalMs));
    // A tick may switch this timer off, or off and on again (a fresh interval): then the ticks
    // of the old one are over.
    while (m_interval == interval && m_ticks < due) {
        ++m_ticks;
        m_onTick();
    }
}

} // namespace calcaro::web
