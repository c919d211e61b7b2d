// Runs the real program on whatever display it is given (a Wayland compositor, or an X server
// with its window manager), looks at the title bars of its fixed windows, asks them to grow,
// plays one question and leaves by "Oui". Prints what it saw, one line a step; a step that
// fails prints why and ends with status 3.

#include "calcaroapplication.h"
#include "probe.h"
#include "program.h"
#include "support/patience.h"
#include "texts.h"

#include <QAbstractButton>
#include <QLabel>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QTimer>
#include <QWindow>
#include <QtTest/QTest>

#include <cstdio>

using namespace calcaro;
using namespace probe;
using calcaro::test::patienceMs;

namespace {

// Waits until the window system has answered the requests made so far.
void roundTrip()
{
    if (!calcaro::test::windowSystemAnswered())
        fail(QStringLiteral("the window system does not answer"));
}

// Waits until the label shows that text, as the game's timers write it.
void waitForText(QWidget *window, const char *label, const QString &text)
{
    auto *shown = part<QLabel>(window, label);
    if (!QTest::qWaitFor([&] { return shown->text() == text; }, patienceMs))
        fail(QStringLiteral("%1 never said \"%2\" (it says \"%3\")")
                 .arg(QLatin1String(label), text, shown->text()));
}

// The window of that name, once it is on screen.
QWidget *waitForWindow(const char *name)
{
    // Shown in time or not, the caller checks the window it gets.
    (void)QTest::qWaitFor([name] { return visibleTopLevel(name) != nullptr; }, patienceMs);
    return topLevel(name);
}

// What the window's title bar offers. Where the program draws the bar itself, the toolkit must
// draw none around it; where the window manager draws it, the window asks it for a close button
// and nothing else to act on it (the Motif hints, which X11 window managers read).
void describeTitleBar(QWidget *window)
{
    const QString name = window->objectName();
    if (auto *bar = window->findChild<QWidget *>(QStringLiteral("titleBar"))) {
        if (window->windowHandle()->frameMargins() != QMargins())
            fail(name + QStringLiteral(" has the toolkit's title bar too"));
        // The menu bar and the contents make room for it.
        for (QWidget *child : window->findChildren<QWidget *>(Qt::FindDirectChildrenOnly)) {
            if (child != bar && child->isVisible() &&
                child->geometry().top() <= bar->geometry().bottom())
                fail(QStringLiteral("%1 has %2 under its title bar")
                         .arg(name, QString::fromLatin1(child->metaObject()->className())));
        }
        QStringList buttons;
        for (QAbstractButton *button : bar->findChildren<QAbstractButton *>()) {
            if (button->isVisible())
                buttons << button->accessibleName();
        }
        say(QStringLiteral("%1 title bar: its own, %2 [%3]")
                .arg(name, bar->findChild<QLabel *>(QStringLiteral("title"))->text(),
                     buttons.join(QLatin1Char(' '))));
        return;
    }
    QProcess xprop;
    xprop.start(QStringLiteral("xprop"), {QStringLiteral("-id"), QString::number(window->winId()),
                                          QStringLiteral("_MOTIF_WM_HINTS")});
    if (!xprop.waitForFinished(patienceMs))
        fail(QStringLiteral("xprop did not run"));
    const QString hints = QString::fromLatin1(xprop.readAllStandardOutput()).trimmed();
    const auto found =
        QRegularExpression(QStringLiteral("= 0x(\\w+), 0x(\\w+), 0x(\\w+)")).match(hints);
    if (!found.hasMatch())
        fail(name + QStringLiteral(" has no Motif hints: ") + hints);
    // The hints' bits for the functions and the decorations the window manager may offer.
    enum : uint { functionMinimize = 0x8, functionMaximize = 0x10, functionClose = 0x20 };
    enum : uint { decorationMinimize = 0x20, decorationMaximize = 0x40 };
    const uint flags = found.captured(1).toUInt(nullptr, 16);
    const uint functions = found.captured(2).toUInt(nullptr, 16);
    const uint decorations = found.captured(3).toUInt(nullptr, 16);
    if (flags != 0x3 || (functions & (functionMinimize | functionMaximize)) ||
        !(functions & functionClose) || (decorations & (decorationMinimize | decorationMaximize)))
        fail(name + QStringLiteral(" asks the window manager for more than a close button: ") +
             hints);
    say(name + QStringLiteral(" title bar: the window manager's, asked for a close button only"));
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
        if (!QTest::qWaitForWindowExposed(main, patienceMs))
            fail(QStringLiteral("form1 never shown"));
        say(QStringLiteral("shown: ") + main->windowTitle() + QStringLiteral(" | ") +
            part<QLabel>(main, "Label7")->text());
        describeTitleBar(main);
        askToGrow(main);

        press(main, "Command1");
        waitForText(main, "Label7", texts::answerPrompt); // the question is on screen
        // (No keys: the headless compositor has no keyboard, and Qt's input method support
        // fails on a key event that comes from none.)
        press(main, "Command3");
        waitForText(main, "Label7", texts::noAnswer);
        say(QStringLiteral("feedback: ") + part<QLabel>(main, "Label7")->text());

        Program::instance().showSeriesEndDialog();
        QWidget *dialog = topLevel("Form2");
        if (!QTest::qWaitForWindowExposed(dialog, patienceMs))
            fail(QStringLiteral("Form2 never shown"));
        describeTitleBar(dialog);
        askToGrow(dialog);

        // The close button of the program's own title bar does what the close box does.
        if (auto *close = dialog->findChild<QAbstractButton *>(QStringLiteral("closeButton"))) {
            QTest::mouseClick(close, Qt::LeftButton);
            say(QStringLiteral("Form2 closed by its title bar"));
        } else {
            press(dialog, "Command3");
        }
        QWidget *confirmation = waitForWindow("Form3");
        say(QStringLiteral("asked: ") + part<QLabel>(confirmation, "Label1")->text());
        press(confirmation, "Command1");
    });
    const int status = app.exec();
    say(QStringLiteral("ended %1").arg(status));
    return status;
}
