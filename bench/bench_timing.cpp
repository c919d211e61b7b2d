// Plays questions on the real Qt timers and prints, per question, the wall time from
// "&Démarrer" (or from the start of the question) to the time-out judgement, and the length of
// the feedback pause that follows.
// usage: bench_timing SPEED RUNS      SPEED: lent | moyen | rapide
// output: one line per run, "question_ms<TAB>pause_ms"
// usage: bench_timing play            plays at "Lent" unwatched, for measuring CPU use

#include "calcaroapplication.h"
#include "forms/form1.h"
#include "program.h"

#include <QAction>
#include <QElapsedTimer>
#include <QPushButton>
#include <QTimer>

#include <cstdio>

using namespace calcaro;

int main(int argc, char *argv[])
{
    CalcaroApplication app(argc, argv);
    const QString speed = argc > 1 ? QString::fromLatin1(argv[1]) : QStringLiteral("rapide");
    const int runs = argc > 2 ? std::atoi(argv[2]) : 1;
    startProgram();
    form1 &main = Program::instance().mainWindow();
    const QString item = speed == QLatin1String("lent")    ? QStringLiteral("mnuLent")
                         : speed == QLatin1String("moyen") ? QStringLiteral("mnuMoyen")
                                                           : QStringLiteral("mnuRapide");
    if (speed != QLatin1String("play"))
        main.findChild<QAction *>(item)->trigger();
    auto *timer1 = main.findChild<QTimer *>(QStringLiteral("Timer1"));
    const Module1 &state = Program::instance().state();

    QElapsedTimer clock;
    qint64 questionStart = 0;
    qint64 judged = -1;
    int done = 0;
    int lastTotal = 0;
    // Watching every millisecond keeps the measurement within a millisecond of the events.
    QTimer watch;
    watch.setTimerType(Qt::PreciseTimer);
    watch.setInterval(1);
    QObject::connect(&watch, &QTimer::timeout, [&] {
        if (state.total.value() != lastTotal) {
            lastTotal = state.total.value();
            judged = clock.elapsed();
        } else if (judged >= 0 && timer1->isActive()) {
            const qint64 next = clock.elapsed();
            std::printf("%lld\t%lld\n", static_cast<long long>(judged - questionStart),
                        static_cast<long long>(next - judged));
            std::fflush(stdout);
            questionStart = next;
            judged = -1;
            if (++done == runs)
                Program::instance().end(0);
        }
    });
    const bool watched = speed != QLatin1String("play");
    QTimer::singleShot(200, [&] {
        clock.start();
        main.findChild<QPushButton *>(QStringLiteral("Command1"))->click();
        if (watched)
            watch.start();
    });
    return app.exec();
}
