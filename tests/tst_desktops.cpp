#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest/QTest>

// The program on the two kinds of desktop children have: a Wayland compositor (Weston on its
// headless back end) and an X server with a window manager (Xvfb and Openbox). The test starts
// its own servers, and runs the program in a child process on each.
class TestDesktops : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void underWeston();
    void underXvfbWithOpenbox();
    void cleanupTestCase();

private:
    // Runs the probe on that display, through the wrapper that gives one if any; returns what it
    // printed, once it has ended with status 0.
    QString runProbe(const QProcessEnvironment &display, const QStringList &wrapper = {});

    QTemporaryDir m_runtime; // made private to this user, as Wayland asks
    QProcess m_weston;
    const QString m_socket = QStringLiteral("calcaro-wayland");
};

namespace {

// The environment of a child, without the display the test itself may have been given.
QProcessEnvironment cleanEnvironment()
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char *name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        env.remove(QString::fromLatin1(name));
    return env;
}

// What both desktops see the same: the first question, a maximise or full-screen request that
// changes nothing, one answer judged, the series-end dialog likewise, and the way out.
QString expectedRun(const QString &platform, const QString &mainTitleBar,
                    const QString &dialogTitleBar, const QString &dialogClosed)
{
    return QStringLiteral("platform ") + platform +
           QStringLiteral("\n"
                          "shown: Calcaro CM1 | Clique sur Démarrer si tu es prêt\n") +
           mainTitleBar +
           QStringLiteral("form1 keeps its size\n"
                          "feedback: Tu n'as rien répondu\n") +
           dialogTitleBar + QStringLiteral("Form2 keeps its size\n") + dialogClosed +
           QStringLiteral("asked: Veux-tu vraiment quitter ? \n"
                          "ended 0\n");
}

} // namespace

void TestDesktops::initTestCase()
{
    QVERIFY(m_runtime.isValid());
}

QString TestDesktops::runProbe(const QProcessEnvironment &display, const QStringList &wrapper)
{
    QProcess probe;
    probe.setProcessEnvironment(display);
    const QStringList command = wrapper + QStringList{QStringLiteral(CALCARO_DESKTOP_PROBE)};
    probe.start(command.first(), command.mid(1));
    const bool finished = probe.waitForFinished(150000);
    if (!finished) {
        probe.terminate(); // lets a wrapper stop its servers too
        probe.waitForFinished(5000);
    }
    const QString output = QString::fromUtf8(probe.readAllStandardOutput());
    const QString errors = QString::fromUtf8(probe.readAllStandardError());
    // A protocol error kills the connection and the program with it; said here in full.
    const bool fine = finished && probe.exitStatus() == QProcess::NormalExit &&
                      probe.exitCode() == 0 && !errors.contains(QLatin1String("Protocol error"));
    if (!fine)
        qWarning("%s", qPrintable(output + errors));
    return fine ? output : QString();
}

void TestDesktops::underWeston()
{
    QProcessEnvironment env = cleanEnvironment();
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), m_runtime.path());
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
                             60000);
    QVERIFY2(m_weston.state() == QProcess::Running, "weston ended (see weston.log)");

    env.insert(QStringLiteral("WAYLAND_DISPLAY"), m_socket);
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("wayland"));
    // Qt draws the title bar itself under Wayland, with minimise and maximise: the fixed windows
    // draw their own, with the close button only, and it closes as the close box does.
    QCOMPARE(runProbe(env),
             expectedRun(QStringLiteral("wayland"),
                         QStringLiteral("form1 title bar: its own, Calcaro CM1 [Fermer]\n"),
                         QStringLiteral("Form2 title bar: its own, Calcaro CM1 [Fermer]\n"),
                         QStringLiteral("Form2 closed by its title bar\n")));
}

void TestDesktops::underXvfbWithOpenbox()
{
    // A private Xvfb with Openbox, the same desktop as the window tests' second run.
    const QStringList desktop = {QStringLiteral("/bin/bash"), QStringLiteral(CALCARO_X11_DESKTOP)};
    QCOMPARE(runProbe(cleanEnvironment(), desktop),
             expectedRun(QStringLiteral("xcb"),
                         QStringLiteral("form1 title bar: the window manager's, asked for a close "
                                        "button only\n"),
                         QStringLiteral("Form2 title bar: the window manager's, asked for a close "
                                        "button only\n"),
                         QString()));
}

void TestDesktops::cleanupTestCase()
{
    if (m_weston.state() == QProcess::NotRunning)
        return;
    m_weston.terminate();
    if (!m_weston.waitForFinished(5000))
        m_weston.kill();
    m_weston.waitForFinished(5000);
}

QTEST_GUILESS_MAIN(TestDesktops)
#include "tst_desktops.moc"
