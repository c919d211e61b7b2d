// Runs the real program and plays one way out of it, for tests that watch the process end.
// usage: calcaro_probe oui|close|fatal

#include "calcaroapplication.h"
#include "program.h"

#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QtTest/QTest>

#include <cstdio>

using namespace calcaro;

namespace {

QWidget *topLevel(const char *name)
{
    for (QWidget *w : QApplication::topLevelWidgets()) {
        if (w->objectName() == QLatin1String(name) && w->isVisible())
            return w;
    }
    return nullptr;
}

void press(const char *window, const char *button)
{
    QWidget *w = topLevel(window);
    auto *b = w ? w->findChild<QPushButton *>(QString::fromLatin1(button)) : nullptr;
    if (!b) {
        std::printf("missing %s.%s\n", window, button);
        std::fflush(stdout);
        std::exit(3);
    }
    QTest::mouseClick(b, Qt::LeftButton);
}

} // namespace

int main(int argc, char *argv[])
{
    CalcaroApplication app(argc, argv);
    const QByteArray scenario = argc > 1 ? QByteArray(argv[1]) : QByteArray();
    startProgram();
    QTimer::singleShot(100, &app, [scenario] {
        press("form1", "Command1"); // a question is running
        if (scenario == "fatal") {
            // Close the error report as soon as it shows, after printing what it says.
            QTimer::singleShot(300, [] {
                for (QWidget *w : QApplication::topLevelWidgets()) {
                    if (auto *box = qobject_cast<QMessageBox *>(w); box && box->isVisible()) {
                        std::printf("box: %s | %s\n", qPrintable(box->windowTitle()),
                                    qPrintable(box->text()));
                        std::fflush(stdout);
                        box->accept();
                    }
                }
            });
            Program::instance().state().total = 32767;
            press("form1", "Command3");
            return;
        }
        press("form1", "Command2");
        if (scenario == "oui")
            press("Form3", "Command1");
        else
            topLevel("Form3")->close();
        // The press returns to this probe; the event loop must then stop without another event.
        std::printf("answered\n");
        std::fflush(stdout);
    });
    const int status = app.exec();
    std::printf("ended %d\n", status);
    std::fflush(stdout);
    return status;
}
