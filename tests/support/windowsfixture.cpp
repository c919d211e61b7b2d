#include "windowsfixture.h"

#include "form1.h"
#include "form2.h"
#include "form3.h"

#include <QAction>
#include <QCoreApplication>

namespace calcaro::test {

void WindowsFixture::start()
{
    stop();
    endStatus = -1;
    errors.clear();
    m_clock = std::make_unique<SimClock>();
    auto random = std::make_unique<ScriptedRandom>();
    m_random = random.get();
    Program::Setup setup;
    SimClock *clock = m_clock.get();
    setup.timers = [clock](QObject &, const QString &, int intervalMs,
                           std::function<void()> onTick) {
        return std::make_unique<SimTimer>(*clock, intervalMs, std::move(onTick));
    };
    setup.random = std::move(random);
    setup.endProgram = [this](int status) { endStatus = status; };
    setup.reportError = [this](const QString &message) { errors << message; };
    Program::instance().restart(std::move(setup));
    startProgram();
}

void WindowsFixture::stop()
{
    Program::instance().shutdown();
    // Windows closed during the test are waiting for the event loop to destroy them.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

QWidget *WindowsFixture::mainWindow() const
{
    return Program::instance().existingMainWindow();
}

QWidget *WindowsFixture::seriesEndDialog() const
{
    return Program::instance().existingSeriesEndDialog();
}

QWidget *WindowsFixture::quitConfirmation() const
{
    return Program::instance().existingQuitConfirmation();
}

QWidget *WindowsFixture::window(const QString &name) const
{
    if (name == QLatin1String("form1"))
        return mainWindow();
    return name == QLatin1String("Form2") ? seriesEndDialog() : quitConfirmation();
}

QAction *WindowsFixture::menuItem(const char *name) const
{
    return child<QAction>(mainWindow(), name);
}

} // namespace calcaro::test
