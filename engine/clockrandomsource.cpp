#include "clockrandomsource.h"

#include <chrono>
#include <utility>

namespace calcaro {

ClockRandomSource::ClockRandomSource()
    : ClockRandomSource([] {
          return static_cast<std::uint64_t>(
              std::chrono::system_clock::now().time_since_epoch().count());
      })
{}

ClockRandomSource::ClockRandomSource(Clock clock) : m_clock(std::move(clock)) {}

float ClockRandomSource::next()
{
    const std::uint64_t now = m_clock();
    ++m_draws;
    // Mixing in the generator's own next output keeps the sequence going even when the clock and
    // counter repeat a combination; the counter separates draws inside one clock tick.
    const std::uint32_t carry = m_engine();
    std::seed_seq seed{static_cast<std::uint32_t>(now), static_cast<std::uint32_t>(now >> 32),
                       static_cast<std::uint32_t>(m_draws),
                       static_cast<std::uint32_t>(m_draws >> 32), carry};
    m_engine.seed(seed);
    // 24 random bits give every float in [0, 1) with step 2^-24; never 1.
    return static_cast<float>(m_engine() >> 8) * 0x1p-24f;
}

} // namespace calcaro
