#include "program.h"

#include "clockrandomsource.h"
#include "forms/form1.h"
#include "forms/form2.h"
#include "forms/form3.h"
#include "frenchqt.h"
#include "texts.h"

#include <QApplication>
#include <QMessageBox>
#include <QPointer>

static void initResources()
{
    Q_INIT_RESOURCE(calcaro); // the resources live in a static library
}

namespace calcaro {
namespace {

Program::Setup defaultSetup()
{
    Program::Setup setup;
    setup.timers = qtTimers();
    setup.random = std::make_unique<ClockRandomSource>();
    setup.endProgram = [](int status) { QCoreApplication::exit(status); };
    setup.reportError = [](const QString &message) {
        QMessageBox::critical(nullptr, texts::title, message);
    };
    return setup;
}

} // namespace

void startProgram()
{
    Program::instance().showMainWindow();
}

Program &Program::instance()
{
    // Not an owner: the application object owns the program, which goes with it.
    static QPointer<Program> current;
    if (!current) {
        Q_ASSERT(QCoreApplication::instance());
        current = new Program(QCoreApplication::instance());
    }
    return *current;
}

Program::Program(QObject *application) : QObject(application), m_setup(defaultSetup())
{
    initResources();
    loadQtFrench();
    m_icon.addFile(QStringLiteral(":/calcaro/icon-32"));
    m_icon.addFile(QStringLiteral(":/calcaro/icon-48"));
    // The windows go while the application is still whole: once exec() has returned, Qt's own
    // objects are on their way out.
    connect(qApp, &QCoreApplication::aboutToQuit, this, &Program::shutdown);
}

Program::~Program()
{
    // The application is being destroyed without its event loop having returned (it never ran):
    // windows left now could not be destroyed safely, so they are left to the process's end.
    [[maybe_unused]] form1 *main = m_form1.release();
    [[maybe_unused]] Form2 *dialog = m_form2.release();
    [[maybe_unused]] Form3 *confirmation = m_form3.release();
}

void Program::DeleteLater::operator()(QObject *object) const
{
    object->deleteLater();
}

template <typename W, typename... Args> W &Program::loaded(WindowPtr<W> &window, Args &&...args)
{
    if (!window) {
        window.reset(new W(m_state, std::forward<Args>(args)...));
        window->setWindowIcon(m_icon);
    }
    return *window;
}

void Program::showWindow(QWidget &window)
{
    if (m_ended)
        return; // a handler still finishing shows nothing any more
    window.show();
    window.activateWindow();
}

form1 &Program::mainWindow()
{
    return loaded(m_form1, *m_setup.random, m_setup.timers);
}

form1 &Program::showMainWindow()
{
    form1 &window = mainWindow();
    showWindow(window);
    return window;
}

void Program::seriesEnded()
{
    m_seriesEndPending = true;
    showSeriesEndDialog();
}

void Program::showSeriesEndDialog()
{
    showWindow(loaded(m_form2));
}

void Program::showQuitConfirmation()
{
    showWindow(loaded(m_form3));
}

void Program::unloadMainWindow()
{
    if (!m_form1)
        return;
    m_form1->stopTimers();
    m_form1->hide();
    m_form1.reset();
    // The game is gone, and with it the end of its series.
    m_seriesEndPending = false;
    unloadSeriesEndDialog();
}

void Program::unloadSeriesEndDialog()
{
    if (!m_form2)
        return;
    m_form2->hide();
    m_form2.reset();
}

bool Program::isOpen(const QWidget &window) const
{
    return &window == m_form1.get() || &window == m_form2.get() || &window == m_form3.get();
}

bool Program::letEventsRun(QWidget &window)
{
    const bool shown = window.isVisible();
    const QPointer<QWidget> alive(&window);
    QCoreApplication::processEvents();
    // One pass of the event loop may take the window system's events and leave queued calls
    // (a close, a click) for later; everything that was waiting runs now.
    QCoreApplication::sendPostedEvents();
    if (m_ended || !alive || !isOpen(*alive))
        return false;
    return alive == m_form1.get() || alive->isVisible() == shown;
}

bool Program::hideAndLetEventsRun(QWidget &window)
{
    window.hide();
    return letEventsRun(window);
}

void Program::end(int status)
{
    if (m_ended)
        return;
    m_ended = true;
    if (m_form1)
        m_form1->stopTimers();
    for (QWidget *w : {static_cast<QWidget *>(m_form1.get()), static_cast<QWidget *>(m_form2.get()),
                       static_cast<QWidget *>(m_form3.get())}) {
        if (w)
            w->hide();
    }
    m_setup.endProgram(status);
}

void Program::fail(const QString &message)
{
    if (m_ended)
        return;
    if (m_form1)
        m_form1->stopTimers();
    m_setup.reportError(texts::runTimeError + message);
    end(1);
}

void Program::shutdown()
{
    m_form1.reset();
    m_form2.reset();
    m_form3.reset();
    m_seriesEndPending = false;
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

void Program::restart(Setup setup)
{
    shutdown();
    Setup defaults = defaultSetup();
    m_setup.timers = setup.timers ? std::move(setup.timers) : std::move(defaults.timers);
    m_setup.random = setup.random ? std::move(setup.random) : std::move(defaults.random);
    m_setup.endProgram =
        setup.endProgram ? std::move(setup.endProgram) : std::move(defaults.endProgram);
    m_setup.reportError =
        setup.reportError ? std::move(setup.reportError) : std::move(defaults.reportError);
    m_state = Module1();
    m_ended = false;
}

} // namespace calcaro
