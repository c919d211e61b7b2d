#include "support/patience.h"

#include <QProcess>
#include <QStandardPaths>
#include <QtTest/QTest>

// The program really ends: run it in a child process and watch how it goes.
class TestProgramEnd : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void ending_data();
    void ending();
    void displayServerDies();
    void noDisplay();
};

namespace {

using calcaro::test::patienceMs;

// The environment of a child: the offscreen platform unless `display` names an X display.
QProcessEnvironment childEnvironment(const QString &display = {})
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(QStringLiteral("WAYLAND_DISPLAY"));
    if (display.isEmpty()) {
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    } else {
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
        env.insert(QStringLiteral("DISPLAY"), display);
    }
    return env;
}

} // namespace

void TestProgramEnd::ending_data()
{
    QTest::addColumn<QString>("scenario");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("output");
    const QString reported =
        QStringLiteral("box: Calcaro CM1 | Erreur d’exécution : Dépassement de capacité\n"
                       "ended 1\n");
    QTest::newRow("\"Oui\" ends the program") << "oui" << 0 << "answered\nended 0\n";
    QTest::newRow("closing the confirmation ends it") << "close" << 0 << "answered\nended 0\n";
    // The fatal error stops the handler where the game's handlers start, and the report comes
    // once it has unwound: nothing is left behind for the leak check.
    QTest::newRow("fatal error on a click") << "fatal-click" << 1 << reported;
    QTest::newRow("fatal error on Enter") << "fatal-enter" << 1 << reported;
    QTest::newRow("fatal error on a time-out") << "fatal-timeout" << 1 << reported;
    QTest::newRow("a plain QApplication returns from main with the window up")
        << "embedded" << 0 << "ended 0\n";
}

void TestProgramEnd::ending()
{
    QFETCH(QString, scenario);
    QProcess probe;
    probe.setProcessChannelMode(QProcess::SeparateChannels);
    probe.setProcessEnvironment(childEnvironment());
    probe.start(QStringLiteral(CALCARO_PROBE), {scenario});
    QVERIFY(probe.waitForFinished(patienceMs));
    QCOMPARE(probe.exitStatus(), QProcess::NormalExit);
    QTEST(QString::fromUtf8(probe.readAllStandardOutput()), "output");
    QTEST(probe.exitCode(), "status");
}

void TestProgramEnd::displayServerDies()
{
    // A private X server, on the first free display; it says which on its standard output.
    const QString xvfb = QStandardPaths::findExecutable(QStringLiteral("Xvfb"));
    QVERIFY2(!xvfb.isEmpty(), "Xvfb is missing (Debian package xvfb)");
    QProcess server;
    server.start(xvfb,
                 {QStringLiteral("-displayfd"), QStringLiteral("1"), QStringLiteral("-nolisten"),
                  QStringLiteral("tcp"), QStringLiteral("-noreset")});
    QVERIFY(server.waitForStarted());
    QTRY_VERIFY_WITH_TIMEOUT(server.canReadLine(), patienceMs);
    const QString display = QLatin1Char(':') + QString::fromLatin1(server.readLine()).trimmed();

    QProcess probe;
    probe.setProcessEnvironment(childEnvironment(display));
    probe.start(QStringLiteral(CALCARO_PROBE), {QStringLiteral("shown")});
    QTRY_VERIFY_WITH_TIMEOUT(probe.canReadLine(), patienceMs);
    QCOMPARE(probe.readLine(), QByteArray("shown\n"));
    server.kill(); // the display goes, as when the session crashes
    server.waitForFinished();
    QVERIFY(probe.waitForFinished(patienceMs));
    QCOMPARE(probe.exitStatus(), QProcess::NormalExit); // no signal, no core dump
    QCOMPARE(probe.exitCode(), 1);
}

void TestProgramEnd::noDisplay()
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char *name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        env.remove(QString::fromLatin1(name));
    QProcess game;
    game.setProcessEnvironment(env);
    game.start(QStringLiteral(CALCARO_EXE), {});
    QVERIFY(game.waitForFinished(patienceMs));
    QCOMPARE(game.exitStatus(), QProcess::NormalExit);
    QCOMPARE(game.exitCode(), 1);
    QCOMPARE(QString::fromUtf8(game.readAllStandardError()),
             QStringLiteral("calcaro : aucun écran graphique (DISPLAY et WAYLAND_DISPLAY sont "
                            "vides) ; lancez le jeu depuis une session graphique.\n"));
}

QTEST_GUILESS_MAIN(TestProgramEnd)
#include "tst_programend.moc"
