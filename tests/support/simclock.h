#pragma once

#include "timer.h"

#include <QStringList>
#include <QtGlobal>

#include <functional>
#include <vector>

namespace calcaro::test {

class SimClock;

// A timer driven by SimClock instead of the event loop.
class SimTimer : public Timer
{
public:
    SimTimer(SimClock &clock, int intervalMs, std::function<void()> onTick);
    ~SimTimer() override;
    SimTimer(const SimTimer &) = delete;
    SimTimer &operator=(const SimTimer &) = delete;

    bool isEnabled() const override { return m_enabled; }
    void setEnabled(bool enabled) override;

    // Where switching the timer on and off is recorded, as the fake controls do.
    QString name;
    QStringList *log = nullptr;

private:
    friend class SimClock;
    SimClock &m_clock;
    int m_interval;
    std::function<void()> m_onTick;
    bool m_enabled = false;
    qint64 m_due = 0;
};

// Simulated time in milliseconds. Ticks are delivered in time order (timers due at the same
// moment in the order they were made), each run to completion before the next.
class SimClock
{
public:
    qint64 now() const { return m_now; }

    // Runs every tick due up to now + ms, and leaves the clock there.
    void advance(qint64 ms);
    // Runs the next due tick, however far ahead; false when no timer is on.
    bool runNextTick();
    // Number of timers switched on.
    int enabledTimers() const;

    // Called after every tick, for invariants that must hold at all times.
    std::function<void()> afterEachTick;

private:
    friend class SimTimer;
    SimTimer *nextDue() const;
    void fire(SimTimer *timer);

    qint64 m_now = 0;
    std::vector<SimTimer *> m_timers;
};

} // namespace calcaro::test
