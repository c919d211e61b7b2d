#include "program.h"

#include "clockrandomsource.h"
#include "form1.h"
#include "form2.h"
#include "form3.h"

#include <QApplication>
#include <QIcon>
#include <QMessageBox>

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
        QMessageBox::critical(nullptr, QStringLiteral("Calcaro CM1"), message);
    };
    return setup;
}

void showAndRaise(QWidget &window)
{
    // Once the program has ended, a handler still finishing shows nothing any more.
    if (Program::instance().hasEnded())
        return;
    window.show();
    window.activateWindow();
}

} // namespace

void startProgram()
{
    Program::instance().showMainWindow();
}

Program::Program() : m_setup(defaultSetup())
{
    initResources();
}

Program &Program::instance()
{
    static Program program;
    return program;
}

form1 &Program::mainWindow()
{
    if (!m_form1) {
        m_form1 = std::make_unique<form1>(m_state, *m_setup.random, m_setup.timers);
        m_form1->setWindowIcon(icon());
    }
    return *m_form1;
}

form1 &Program::showMainWindow()
{
    form1 &window = mainWindow();
    showAndRaise(window);
    return window;
}

QIcon Program::icon()
{
    QIcon icon;
    icon.addFile(QStringLiteral(":/calcaro/icon-32"));
    icon.addFile(QStringLiteral(":/calcaro/icon-48"));
    return icon;
}

void Program::showSeriesEndDialog()
{
    if (!m_form2)
        m_form2 = std::make_unique<Form2>(m_state);
    showAndRaise(*m_form2);
}

void Program::showQuitConfirmation()
{
    if (!m_form3)
        m_form3 = std::make_unique<Form3>(m_state);
    showAndRaise(*m_form3);
}

void Program::unloadMainWindow(form1 &window)
{
    // A window already unloaded may see a late close; it must not take its successor along.
    if (m_form1.get() != &window)
        return;
    // The window destroys itself once its handlers have returned; from now on it is gone.
    m_form1.release()->unload();
}

void Program::unloadSeriesEndDialog(Form2 &dialog)
{
    if (m_form2.get() != &dialog)
        return;
    m_form2->hide();
    // Closed from inside its own handler: the event loop destroys it afterwards.
    m_form2.release()->deleteLater();
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
    m_setup.reportError(message);
    end(1);
}

void Program::shutdown()
{
    m_form1.reset();
    m_form2.reset();
    m_form3.reset();
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
