#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest/QTest>

// The program under a real Wayland compositor: Weston on its headless back end, started here
// with its own runtime directory, and the program on Qt's Wayland platform in a child process.
class TestWayland : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void fixedWindowsSurviveRequestsToGrow();
    void cleanupTestCase();

private:
    QTemporaryDir m_runtime; // made private to this user, as Wayland asks
    QProcess m_weston;
    const QString m_socket = QStringLiteral("calcaro-wayland");
};

void TestWayland::initTestCase()
{
    QVERIFY(m_runtime.isValid());
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), m_runtime.path());
    env.remove(QStringLiteral("WAYLAND_DISPLAY"));
    env.remove(QStringLiteral("DISPLAY"));
    m_weston.setProcessEnvironment(env);
    m_weston.setProcessChannelMode(QProcess::MergedChannels);
    m_weston.setStandardOutputFile(m_runtime.filePath(QStringLiteral("weston.log")));
    m_weston.start(QStringLiteral("weston"),
                   {QStringLiteral("--backend=headless-backend.so"),
                    QStringLiteral("--socket=") + m_socket, QStringLiteral("--idle-time=0")});
    QVERIFY2(m_weston.waitForStarted(10000), "weston is not installed");
    // The compositor is ready once its socket is there.
    QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(m_runtime.filePath(m_socket)) ||
                                 m_weston.state() == QProcess::NotRunning,
                             20000);
    if (m_weston.state() != QProcess::Running) {
        QFile log(m_runtime.filePath(QStringLiteral("weston.log")));
        QVERIFY(log.open(QIODevice::ReadOnly));
        QFAIL(log.readAll().constData());
    }
}

void TestWayland::fixedWindowsSurviveRequestsToGrow()
{
    QProcess probe;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), m_runtime.path());
    env.insert(QStringLiteral("WAYLAND_DISPLAY"), m_socket);
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("wayland"));
    env.remove(QStringLiteral("DISPLAY"));
    probe.setProcessEnvironment(env);
    probe.start(QStringLiteral(CALCARO_WAYLAND_PROBE), {});
    const bool finished = probe.waitForFinished(60000);
    const QString output = QString::fromUtf8(probe.readAllStandardOutput());
    const QString errors = QString::fromUtf8(probe.readAllStandardError());
    QVERIFY2(finished, qPrintable(output + errors));
    // The program is still there after every request, and leaves by "Oui" as always.
    QCOMPARE(output, QStringLiteral("platform wayland\n"
                                    "shown: Calcaro CM1 | Clique sur Démarrer si tu es prêt\n"
                                    "form1 keeps its size\n"
                                    "feedback: Tu n'as rien répondu\n"
                                    "Form2 keeps its size\n"
                                    "asked: Veux-tu vraiment quitter ? \n"
                                    "ended 0\n"));
    QVERIFY2(!errors.contains(QLatin1String("Protocol error")), qPrintable(errors));
    QCOMPARE(probe.exitStatus(), QProcess::NormalExit);
    QCOMPARE(probe.exitCode(), 0);
}

void TestWayland::cleanupTestCase()
{
    m_weston.terminate();
    if (!m_weston.waitForFinished(5000))
        m_weston.kill();
    m_weston.waitForFinished(5000);
}

QTEST_GUILESS_MAIN(TestWayland)
#include "tst_wayland.moc"
