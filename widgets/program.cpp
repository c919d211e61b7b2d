#include "program.h"

#include "clockrandomsource.h"
#include "forms/form1.h"
#include "forms/form2.h"
#include "forms/form3.h"
#include "frenchqt.h"
#include "quizengine.h"
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

Program::Program(QObject *application)
    : QObject(application), m_setup(defaultSetup()),
      m_windows(std::make_unique<GameWindows>(m_state, *this))
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

form1 &Program::mainWindow()
{
    m_windows->load(WindowId::Main);
    return *m_form1;
}

form1 &Program::showMainWindow()
{
    m_windows->show(WindowId::Main);
    return *m_form1;
}

std::optional<WindowId> Program::openWindow(const QWidget &window) const
{
    for (WindowId id : {WindowId::Main, WindowId::SeriesEnd, WindowId::Quit}) {
        if (&window == widget(id))
            return id;
    }
    return std::nullopt;
}

QWidget *Program::widget(WindowId window) const
{
    switch (window) {
    case WindowId::Main:
        return m_form1.get();
    case WindowId::SeriesEnd:
        return m_form2.get();
    case WindowId::Quit:
        return m_form3.get();
    }
    return nullptr;
}

void Program::create(WindowId window)
{
    QWidget *made = nullptr;
    switch (window) {
    case WindowId::Main:
        m_form1.reset(new form1(m_state, *m_setup.random, m_setup.timers));
        made = m_form1.get();
        break;
    case WindowId::SeriesEnd:
        m_form2.reset(new Form2);
        made = m_form2.get();
        break;
    case WindowId::Quit:
        m_form3.reset(new Form3);
        made = m_form3.get();
        break;
    }
    made->setWindowIcon(m_icon);
}

void Program::destroy(WindowId window)
{
    if (QWidget *w = widget(window))
        w->hide();
    switch (window) {
    case WindowId::Main:
        m_form1.reset();
        break;
    case WindowId::SeriesEnd:
        m_form2.reset();
        break;
    case WindowId::Quit:
        m_form3.reset();
        break;
    }
}

void Program::show(WindowId window)
{
    QWidget *w = widget(window);
    w->show();
    w->activateWindow();
}

void Program::hide(WindowId window)
{
    widget(window)->hide();
}

bool Program::isVisible(WindowId window) const
{
    const QWidget *w = widget(window);
    return w && w->isVisible();
}

bool Program::isOnScreen(WindowId window) const
{
    const QWidget *w = widget(window);
    return w && w->isVisible() && !w->isMinimized();
}

void Program::setSeriesEndScore(const QString &text)
{
    m_form2->setScoreLine(text);
}

QuizEngine &Program::game()
{
    return m_form1->engine();
}

void Program::processPendingEvents()
{
    QCoreApplication::processEvents();
    // One pass of the event loop may take the window system's events and leave queued calls
    // (a close, a click) for later; everything that was waiting runs now.
    QCoreApplication::sendPostedEvents();
}

void Program::endProgram(int status)
{
    m_setup.endProgram(status);
}

void Program::reportError(const QString &message)
{
    m_setup.reportError(message);
}

void Program::shutdown()
{
    m_form1.reset();
    m_form2.reset();
    m_form3.reset();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    // The windows went without the game's rules: the game starts again with none.
    m_windows = std::make_unique<GameWindows>(m_state, *this);
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
}

} // namespace calcaro
