#include "gatedtimer.h"

#include <utility>

namespace calcaro {

GatedTimer::GatedTimer(std::unique_ptr<Timer> timer) : m_timer(std::move(timer)) {}

bool GatedTimer::isEnabled() const
{
    return m_timer->isEnabled();
}

void GatedTimer::setEnabled(bool enabled)
{
    if (enabled && m_shut)
        return;
    m_timer->setEnabled(enabled);
}

void GatedTimer::shut()
{
    m_timer->setEnabled(false);
    m_shut = true;
}

} // namespace calcaro
