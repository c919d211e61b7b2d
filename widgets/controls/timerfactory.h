#pragma once

#include "timer.h"

#include <QString>

#include <functional>
#include <memory>

class QObject;

namespace calcaro {

// Makes the main window's timers: real Qt timers in the program, simulated ones in tests.
using TimerFactory = std::function<std::unique_ptr<Timer>(
    QObject &owner, const QString &name, int intervalMs, std::function<void()> onTick)>;

TimerFactory qtTimers();

} // namespace calcaro
