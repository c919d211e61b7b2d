#include "windowsfixture.h"

#include "forms/form1.h"
#include "forms/form2.h"
#include "forms/form3.h"

#include "form1controls.h"
#include "invariants.h"
#include "texts.h"

#include <QAction>
#include <QLabel>

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
}

QString WindowsFixture::violation() const
{
    auto *main = static_cast<form1 *>(mainWindow());
    const QString cycle = cycleViolation(m_clock->enabledTimers(),
                                         main ? main->controls().ProgressBar1.value() : 0.0f,
                                         Program::instance().state().serie.value());
    if (!cycle.isEmpty())
        return cycle;
    if (QWidget *dialog = seriesEndDialog(); dialog && dialog->isVisible()) {
        if (!main || main->isVisible() || m_clock->enabledTimers() != 0)
            return QStringLiteral("the series-end dialog is up over a running game");
        const Module1 &m = Program::instance().state();
        const QString line = child<QLabel>(dialog, "Label1")->text();
        if (line != texts::dialogScore(m.score, m.total))
            return QStringLiteral("the series-end dialog says \"%1\"").arg(line);
    }
    const bool onScreen = (main && main->isVisible()) ||
                          (seriesEndDialog() && seriesEndDialog()->isVisible()) ||
                          (quitConfirmation() && quitConfirmation()->isVisible());
    if (endStatus == -1 && !onScreen)
        return QStringLiteral("no window on screen");
    return {};
}

void WindowsFixture::watchTicks()
{
    tickViolation.clear();
    m_clock->afterEachTick = [this] {
        if (!tickViolation.isEmpty())
            return;
        if (const QString broken = violation(); !broken.isEmpty())
            tickViolation = QStringLiteral("at %1 ms: %2").arg(m_clock->now()).arg(broken);
    };
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

QWidget *WindowsFixture::showAllWindows(const QString &name)
{
    Program::instance().showSeriesEndDialog();
    Program::instance().showQuitConfirmation();
    return window(name);
}

QAction *WindowsFixture::menuItem(const char *name) const
{
    return child<QAction>(mainWindow(), name);
}

} // namespace calcaro::test
