#pragma once

#include "quizengine.h"

#include <QString>

namespace calcaro::test {

// What the question cycle keeps true at every moment, whatever the child does: at most one of
// the three timers on, the bar within 0…100, the series within 0…its length. Empty if it holds.
inline QString cycleViolation(int enabledTimers, float bar, int serie)
{
    if (enabledTimers <= 1 && bar >= 0.0f && bar <= 100.0f && serie >= 0 &&
        serie <= QuizEngine::seriesLength)
        return {};
    return QStringLiteral("%1 timers on, bar at %2, serie %3")
        .arg(enabledTimers)
        .arg(bar)
        .arg(serie);
}

} // namespace calcaro::test
