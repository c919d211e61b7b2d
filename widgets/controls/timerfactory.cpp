#include "controls/timerfactory.h"

#include "controls/qttimer.h"

#include <utility>

namespace calcaro {

TimerFactory qtTimers()
{
    return [](QObject &owner, const QString &name, int intervalMs, std::function<void()> onTick) {
        return std::make_unique<QtTimer>(owner, name, intervalMs, std::move(onTick));
    };
}

} // namespace calcaro
