#include "simclock.h"

#include <algorithm>
#include <utility>

namespace calcaro::test {

SimTimer::SimTimer(SimClock &clock, int intervalMs, std::function<void()> onTick)
    : m_clock(clock), m_interval(intervalMs), m_onTick(std::move(onTick))
{
    m_clock.m_timers.push_back(this);
}

SimTimer::~SimTimer()
{
    std::erase(m_clock.m_timers, this);
}

void SimTimer::setEnabled(bool enabled)
{
    if (enabled && !m_enabled)
        m_due = m_clock.now() + m_interval;
    m_enabled = enabled;
    if (log)
        log->append(name + (enabled ? QStringLiteral(".enabled=1") : QStringLiteral(".enabled=0")));
}

SimTimer *SimClock::nextDue() const
{
    SimTimer *best = nullptr;
    for (SimTimer *t : m_timers) {
        if (t->m_enabled && (!best || t->m_due < best->m_due))
            best = t;
    }
    return best;
}

void SimClock::fire(SimTimer *timer)
{
    m_now = timer->m_due;
    const qint64 due = timer->m_due;
    // The handler may destroy the timer with its window; copy what is needed first.
    std::function<void()> tick = timer->m_onTick;
    tick();
    if (std::find(m_timers.begin(), m_timers.end(), timer) != m_timers.end() && timer->m_enabled &&
        timer->m_due == due)
        timer->m_due += timer->m_interval;
    if (afterEachTick)
        afterEachTick();
}

void SimClock::advance(qint64 ms)
{
    const qint64 target = m_now + ms;
    while (SimTimer *t = nextDue()) {
        if (t->m_due > target)
            break;
        fire(t);
    }
    m_now = target;
}

bool SimClock::runNextTick()
{
    SimTimer *t = nextDue();
    if (!t)
        return false;
    fire(t);
    return true;
}

int SimClock::enabledTimers() const
{
    return static_cast<int>(
        std::count_if(m_timers.begin(), m_timers.end(), [](SimTimer *t) { return t->m_enabled; }));
}

} // namespace calcaro::test
