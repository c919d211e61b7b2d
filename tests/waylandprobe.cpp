// Runs the real program on whatever display it is given (a Wayland compositor, for the test
// that uses it), asks its fixed windows to grow, plays one question and leaves by "Oui".
// Prints what it saw, one line a step; a step that fails prints why and ends with status 3.

#include "calcaroapplication.h"
#include "program.h"
#include "texts.h"

#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QWindow>
#include <QtTest/QTest>

#include <cstdio>

using namespace calcaro;

namespace {

void say(const QString &line)
{
    std::printf("%s\n", qPrintable(line));
    std::fflush(stdout);
}

[[noreturn]] void fail(const QString &why)
{
    say(QStringLiteral("FAILED: ") + why);
    std::exit(3);
}

QWidget *topLevel(const char *name)
{
    for (QWidget *w : QApplication::topLevelWidgets()) {
        if (w->objectName() == QLatin1String(name) && w->isVisible())
            return w;
    }
    fail(QStringLiteral("no visible %1").arg(QLatin1String(name)));
}

template <typename T> T *part(QWidget *window, const char *name)
{
    auto *p = window->findChild<T *>(QString::fromLatin1(name));
    if (!p)
        fail(QStringLiteral("no %1").arg(QLatin1String(name)));
    return p;
}

void press(QWidget *window, const char *button)
{
    QTest::mouseClick(part<QPushButton>(window, button), Qt::LeftButton);
}

// Gives the compositor time to answer, with the events that come back handled.
void roundTrip()
{
    QTest::qWait(400);
}

// Both ways a window is asked to grow: through the widget, and directly on the native window
// as the title bar that the toolkit draws itself does.
void askToGrow(QWidget *window)
{
    const QSize before = window->size();
    window->showMaximized();
    roundTrip();
    window->windowHandle()->setWindowStates(Qt::WindowMaximized);
    roundTrip();
    window->showFullScreen();
    roundTrip();
    if (window->size() != before || window->windowState() != Qt::WindowNoState)
        fail(QStringLiteral("%1 grew to %2 x %3")
                 .arg(window->objectName())
                 .arg(window->width())
                 .arg(window->height()));
    say(window->objectName() + QStringLiteral(" keeps its size"));
}

} // namespace

int main(int argc, char *argv[])
{
    CalcaroApplication app(argc, argv);
    say(QStringLiteral("platform ") + QGuiApplication::platformName());
    startProgram();
    QTimer::singleShot(0, &app, [] {
        QWidget *main = topLevel("form1");
        if (!QTest::qWaitForWindowExposed(main, 10000))
            fail(QStringLiteral("form1 never shown"));
        say(QStringLiteral("shown: ") + main->windowTitle() + QStringLiteral(" | ") +
            part<QLabel>(main, "Label7")->text());
        askToGrow(main);

        press(main, "Command1");
        QTest::qWait(300);
        // (No keys: the headless compositor has no keyboard, and Qt's input method support
        // fails on a key event that comes from none.)
        press(main, "Command3");
        QTest::qWait(300);
        say(QStringLiteral("feedback: ") + part<QLabel>(main, "Label7")->text());

        Program::instance().showSeriesEndDialog();
        QWidget *dialog = topLevel("Form2");
        if (!QTest::qWaitForWindowExposed(dialog, 10000))
            fail(QStringLiteral("Form2 never shown"));
        askToGrow(dialog);

        press(dialog, "Command3");
        QTest::qWait(100);
        say(QStringLiteral("asked: ") + part<QLabel>(topLevel("Form3"), "Label1")->text());
        press(topLevel("Form3"), "Command1");
    });
    const int status = app.exec();
    say(QStringLiteral("ended %1").arg(status));
    return status;
}
