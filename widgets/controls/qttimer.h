#pragma once

#include "timer.h"

#include <functional>

class QObject;
class QString;
class QTimer;

namespace calcaro {

// A game timer over a precise QTimer that belongs to its window and dies with it.
class QtTimer : public Timer
{
public:
    QtTimer(QObject &owner, const QString &name, int intervalMs, std::function<void()> onTick);

    bool isEnabled() const override;
    void setEnabled(bool enabled) override;

private:
    QTimer *m_timer; // owned by the window
};

} // namespace calcaro
