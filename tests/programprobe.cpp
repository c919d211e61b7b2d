// Runs the real program and plays one way out of it, for tests that watch the process end.
// usage: calcaro_probe oui|close|fatal-click|fatal-enter|fatal-timeout|embedded|shown
//   embedded: the game inside a plain QApplication whose event loop stops while the main
//             window is up; shown: says so once the main window is on screen, then plays on.

#include "calcaroapplication.h"
#include "displayguard.h"
#include "probe.h"
#include "program.h"
#include "support/patience.h"

#include <QAction>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QtTest/QTest>

#include <cstdio>
#include <optional>

using namespace calcaro;
using namespace probe;

namespace {

// The answer counter cannot go further: judging the next answer is the fatal overflow.
void failNextJudgement(const QByteArray &how)
{
    // Close the error report as soon as it shows, after printing what it says.
    auto *watch = new QTimer(qApp);
    QObject::connect(watch, &QTimer::timeout, [] {
        for (QWidget *w : QApplication::topLevelWidgets()) {
            if (auto *box = qobject_cast<QMessageBox *>(w); box && box->isVisible()) {
                std::printf("box: %s | %s\n", qPrintable(box->windowTitle()),
                            qPrintable(box->text()));
                std::fflush(stdout);
                box->accept();
            }
        }
    });
    watch->start(100);
    Program::instance().state().total = 32767;
    if (how == "fatal-click")
        press(topLevel("form1"), "Command3");
    else if (how == "fatal-enter")
        QTest::keyClick(part<QLineEdit>(topLevel("form1"), "Text1"), Qt::Key_Return);
    // fatal-timeout: the question runs out of time
}

} // namespace

int main(int argc, char *argv[])
{
    const QByteArray scenario = argc > 1 ? QByteArray(argv[1]) : QByteArray();
    if (scenario == "embedded") {
        QApplication app(argc, argv);
        startProgram();
        QTimer::singleShot(200, &app, &QCoreApplication::quit);
        const int status = app.exec();
        std::printf("ended %d\n", status);
        return status;
    }

    std::optional<CalcaroApplication> app;
    {
        DisplayGuard guard;
        app.emplace(argc, argv);
    }
    startProgram();
    QTimer::singleShot(100, &*app, [scenario] {
        if (scenario == "shown") {
            // However busy the machine: the test waits for this line, or for the end.
            if (!QTest::qWaitForWindowExposed(topLevel("form1"), calcaro::test::patienceMs))
                fail(QStringLiteral("form1 never shown"));
            say(QStringLiteral("shown"));
            return;
        }
        if (scenario == "fatal-timeout") // 2.5 s per question
            part<QAction>(topLevel("form1"), "mnuRapide")->trigger();
        press(topLevel("form1"), "Command1"); // a question is running
        if (scenario.startsWith("fatal")) {
            failNextJudgement(scenario);
            return;
        }
        press(topLevel("form1"), "Command2");
        if (scenario == "oui")
            press(topLevel("Form3"), "Command1");
        else
            topLevel("Form3")->close();
        // The press returns to this probe; the event loop must then stop without another event.
        say(QStringLiteral("answered"));
    });
    const int status = app->exec();
    std::printf("ended %d\n", status);
    std::fflush(stdout);
    return status;
}
