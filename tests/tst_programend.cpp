#include <QProcess>
#include <QtTest/QTest>

// The program really ends: run it in a child process and watch how it goes.
class TestProgramEnd : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void ending_data();
    void ending();
};

void TestProgramEnd::ending_data()
{
    QTest::addColumn<QString>("scenario");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("output");
    QTest::newRow("\"Oui\" ends the program") << "oui" << 0 << "answered\nended 0\n";
    QTest::newRow("closing the confirmation ends it") << "close" << 0 << "answered\nended 0\n";
    QTest::newRow("a fatal error is reported, then the program ends")
        << "fatal" << 1
        << QStringLiteral("box: Calcaro CM1 | Erreur d’exécution : Dépassement de capacité\n"
                          "ended 1\n");
}

void TestProgramEnd::ending()
{
    QFETCH(QString, scenario);
    QProcess probe;
    probe.setProcessChannelMode(QProcess::SeparateChannels);
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    if (scenario == QLatin1String("fatal")) {
        // The error ends the program from inside Qt's event handling, whose frames are not
        // unwound with cleanups: what they held is left behind on purpose, so a leak check of
        // that ending would only report Qt's locals.
        env.insert(QStringLiteral("ASAN_OPTIONS"),
                   env.value(QStringLiteral("ASAN_OPTIONS")) + QStringLiteral(":detect_leaks=0"));
    }
    probe.setProcessEnvironment(env);
    probe.start(QStringLiteral(CALCARO_PROBE), {scenario});
    QVERIFY(probe.waitForFinished(20000));
    QCOMPARE(probe.exitStatus(), QProcess::NormalExit);
    QTEST(probe.exitCode(), "status");
    QTEST(QString::fromUtf8(probe.readAllStandardOutput()), "output");
}

QTEST_GUILESS_MAIN(TestProgramEnd)
#include "tst_programend.moc"
