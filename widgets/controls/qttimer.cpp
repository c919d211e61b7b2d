#include "controls/qttimer.h"

#include <QTimer>

#include <utility>

namespace calcaro {

QtTimer::QtTimer(QObject &owner, const QString &name, int intervalMs, std::function<void()> onTick)
    : m_timer(new QTimer(&owner))
{
    m_timer->setObjectName(name);
    m_timer->setTimerType(Qt::PreciseTimer);
    m_timer->setInterval(intervalMs);
    QObject::connect(m_timer, &QTimer::timeout, m_timer, std::move(onTick));
}

bool QtTimer::isEnabled() const
{
    return m_timer->isActive();
}

void QtTimer::setEnabled(bool enabled)
{
    if (!enabled)
        m_timer->stop();
    else if (!m_timer->isActive())
        m_timer->start();
}

} // namespace calcaro
