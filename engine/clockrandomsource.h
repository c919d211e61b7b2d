#pragma once

#include "randomsource.h"

#include <cstdint>
#include <functional>
#include <random>

namespace calcaro {

// One generator for the whole process, reseeded before each draw from the clock mixed with a
// draw counter, so draws taken within the same clock tick never repeat one another.
class ClockRandomSource : public RandomSource
{
public:
    using Clock = std::function<std::uint64_t()>;

    ClockRandomSource(); // the system clock, in nanoseconds
    explicit ClockRandomSource(Clock clock);

    float next() override;

private:
    Clock m_clock;
    std::mt19937 m_engine;
    std::uint64_t m_draws = 0;
};

} // namespace calcaro
