#include "calcaroapplication.h"
#include "desktop/bigscreen.h"
#include "desktop/nativewindow.h"
#include "form1controls.h"
#include "forms/form1.h"
#include "patience.h"
#include "texts.h"
#include "windowsfixture.h"

#include <QAction>
#include <QElapsedTimer>
#include <QFontDatabase>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QPointer>
#include <QProcess>
#include <QProgressBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>
#include <QSignalSpy>
#include <QTimer>
#include <QWindow>
#include <QtTest/QTest>

#include <algorithm>
#include <cmath>
#include <memory>
#include <optional>
#include <vector>

using namespace calcaro;
using calcaro::test::child;
using calcaro::test::patienceMs;

namespace {

bool onX11()
{
    return QGuiApplication::platformName() == QLatin1String("xcb");
}

// Where the X server has the window's client area now: the window manager's answer, not the
// program's request, which the native window reports as soon as it is made.
std::optional<QPoint> serverPosition(const QWidget *w)
{
    QProcess xwininfo;
    xwininfo.start(QStringLiteral("xwininfo"),
                   {QStringLiteral("-id"), QString::number(w->winId())});
    if (!xwininfo.waitForFinished(patienceMs))
        return std::nullopt;
    const QString info = QString::fromLatin1(xwininfo.readAllStandardOutput());
    const auto x =
        QRegularExpression(QStringLiteral("Absolute upper-left X: +(-?\\d+)")).match(info);
    const auto y =
        QRegularExpression(QStringLiteral("Absolute upper-left Y: +(-?\\d+)")).match(info);
    if (!x.hasMatch() || !y.hasMatch())
        return std::nullopt;
    return QPoint(x.captured(1).toInt(), y.captured(1).toInt());
}

// Centred on its screen with its frame. Under X11 the place is the server's and the frame the
// window manager's (QWidget's own copy of the frame is refreshed only by moves and resizes, so it
// can miss a frame that came after the last one). A real window manager frames a window before
// it shows it, and the program then centres it again. Offscreen there is no frame; on Windows the
// system frames the window as it makes it, and the native window's place is the system's own.
bool inPlace(const QWidget *w)
{
    const QWindow *native = w->windowHandle();
    QRect outer = native->frameGeometry();
    if (onX11()) {
        const QMargins frame = native->frameMargins();
        const std::optional<QPoint> client = serverPosition(w);
        if (frame.isNull() || !client)
            return false; // not framed yet
        outer = QRect(*client, w->size()).marginsAdded(frame);
    }
    const QPoint offset = outer.center() - w->screen()->geometry().center();
    return std::abs(offset.x()) <= 1 && std::abs(offset.y()) <= 1;
}

// Off the screen for the window system too, as it says after a window was hidden.
bool offScreen(const QWidget *w)
{
    return QTest::qWaitFor([w] { return !w->windowHandle()->isExposed(); }, patienceMs);
}

// Moves or resizes a window's client area and waits for the window system's answer: the native
// window's signals, which a request alone does not bring. A real window manager answers some
// time later, and a window hidden before its answer came may be shown again elsewhere. (A child
// moving or resizing a window goes through the window manager and cannot be that quick.)
bool placeAndWait(QWidget *w, const QRect &client)
{
    const QRect before = w->geometry();
    QWindow *native = w->windowHandle();
    QSignalSpy x(native, &QWindow::xChanged), y(native, &QWindow::yChanged);
    QSignalSpy width(native, &QWindow::widthChanged), height(native, &QWindow::heightChanged);
    w->setGeometry(client);
    auto answered = [](const QSignalSpy &spy, int asked, int was) {
        return asked == was || (!spy.isEmpty() && spy.last().first().toInt() == asked);
    };
    return QTest::qWaitFor(
        [&] {
            return answered(x, client.x(), before.x()) && answered(y, client.y(), before.y()) &&
                   answered(width, client.width(), before.width()) &&
                   answered(height, client.height(), before.height());
        },
        patienceMs);
}

} // namespace

class TestWindows : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void firstDisplay();
    void menuCheckMarks_data();
    void menuCheckMarks();
    void menusInertDuringQuestion();
    void wholeSeriesByKeyboard();
    void continueKeepsScoreAndPlace();
    void restartFromDialog();
    void restartFromMainWindow();
    void enterKey();
    void heldKeyPressesNothing_data();
    void heldKeyPressesNothing();
    void accessKeys();
    void quitDuringQuestionGoesOn();
    void closeBoxDuringSeries();
    void leaveSeriesEndDialog_data();
    void leaveSeriesEndDialog();
    void endProgram_data();
    void endProgram();
    void confirmationKeepsItsPlace();
    void escapeDoesNothing();
    void fixedWindowsRefuseToGrow_data();
    void fixedWindowsRefuseToGrow();
    void textsFit();
    void qtTextsInFrench();
    void bigScreenScale_data();
    void bigScreenScale();
    void bigScreenFits();
    void contrast_data();
    void contrast();
    void fatalErrorIsReported();
    void realTimersTimeOut();
    void layout_data();
    void layout();
    void tabOrder();
    void eventsWaitingAtPausePoints_data();
    void eventsWaitingAtPausePoints();
    void nothingShowsAfterTheEnd();
    void dialogPressQueuedWithAnother_data();
    void dialogPressQueuedWithAnother();

private:
    QWidget *main() const { return f.mainWindow(); }
    template <typename T> T *mainChild(const char *name) const { return child<T>(main(), name); }
    QString label(const char *name) const { return mainChild<QLabel>(name)->text(); }
    QPushButton *button(QWidget *window, const char *name) const
    {
        return child<QPushButton>(window, name);
    }
    void click(QWidget *window, const char *name) const
    {
        QPushButton *b = button(window, name);
        QVERIFY2(b && b->isVisible() && b->isEnabled(), name);
        QTest::mouseClick(b, Qt::LeftButton);
    }
    // Types an answer into the box and presses Enter, three ticks into the question.
    void typeAnswer(const QString &text)
    {
        f.clock().advance(150);
        auto *box = mainChild<QLineEdit>("Text1");
        QTest::keyClicks(box, text);
        QTest::keyClick(box, Qt::Key_Return);
    }
    // Plays the series on screen to its end: `right` correct answers first, then wrong ones.
    void playSeries(int right)
    {
        for (int i = 0; i < 10; ++i) {
            typeAnswer(i < right ? QStringLiteral("3") : QStringLiteral("4"));
            f.clock().advance(1000);
        }
        f.clock().advance(1000); // the score text, then the dialog
    }
    // Answers ten questions and stops 1 ms before the tenth pause ends the series.
    void playToJustBeforeSeriesEnd()
    {
        for (int i = 0; i < 10; ++i) {
            typeAnswer(QStringLiteral("3"));
            f.clock().advance(i < 9 ? 1000 : 999);
        }
    }
    QString scoreLine() const { return child<QLabel>(f.seriesEndDialog(), "Label1")->text(); }
    // Posts a press of a window's button, or a close of the window, like the window system
    // does: it waits for the next turn of the event loop.
    static void post(QWidget *window, const char *button = nullptr)
    {
        if (button)
            QMetaObject::invokeMethod(child<QPushButton>(window, button), "click",
                                      Qt::QueuedConnection);
        else
            QMetaObject::invokeMethod(window, "close", Qt::QueuedConnection);
    }
    // One turn of the real event loop, then the windows must be consistent.
    void turn()
    {
        QCoreApplication::processEvents();
        QCOMPARE(f.violation(), QString());
    }
    bool shown(QWidget *w) const { return w && w->isVisible(); }

    test::WindowsFixture f;
};

void TestWindows::init()
{
    f.start();
    f.random().repeatWhenEmpty(3); // every question is 9 : 3
    f.watchTicks();
    QVERIFY(QTest::qWaitForWindowExposed(main(), patienceMs));
}

void TestWindows::cleanup()
{
    const QString seen = f.tickViolation;
    f.stop();
    QCOMPARE(seen, QString());
}

void TestWindows::firstDisplay()
{
    QWidget *w = main();
    QCOMPARE(w->objectName(), QStringLiteral("form1"));
    QCOMPARE(w->windowTitle(), QStringLiteral("Calcaro CM1"));
    QVERIFY(w->isVisible());
    QTRY_VERIFY_WITH_TIMEOUT(inPlace(w), patienceMs);
    QCOMPARE(w->minimumSize(), w->maximumSize());
    QVERIFY(!(w->windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)));
    QCOMPARE(static_cast<QMainWindow *>(w)->centralWidget()->size(), QSize(587, 417));
    QVERIFY(f.menuItem("mnuNiveau1")->isChecked() && f.menuItem("mnuLent")->isChecked());
    for (const char *name : {"mnuNiveau2", "mnuNiveau3", "mnuMoyen", "mnuRapide"})
        QVERIFY2(!f.menuItem(name)->isChecked(), name);
    QVERIFY(button(w, "Command1")->isVisible() && button(w, "Command2")->isVisible());
    QVERIFY(!button(w, "Command3")->isVisible() && !button(w, "Command4")->isVisible());
    QVERIFY(!mainChild<QProgressBar>("ProgressBar1")->isVisible());
    QVERIFY(!mainChild<QLabel>("Label8")->isVisible());
    QVERIFY(!mainChild<QLineEdit>("Text2")->isVisible());
    QCOMPARE(label("Label7"), texts::idlePrompt);
    QCOMPARE(label("Label5"), QStringLiteral("Score ="));
    QCOMPARE(mainChild<QLineEdit>("Text1")->alignment(), Qt::AlignCenter);
    QCOMPARE(w->focusWidget(), button(w, "Command1"));
    QCOMPARE(f.clock().enabledTimers(), 0);
    QVERIFY(!w->windowIcon().isNull());
}

void TestWindows::menuCheckMarks_data()
{
    QTest::addColumn<QStringList>("clicks");
    QTest::addColumn<QString>("level");
    QTest::addColumn<QString>("speed");
    QTest::newRow("niveau 3 twice keeps it")
        << QStringList{"mnuNiveau3", "mnuNiveau3"} << "mnuNiveau3"
        << "mnuLent";
    QTest::newRow("checked item clicked") << QStringList{"mnuNiveau1", "mnuLent"} << "mnuNiveau1"
                                          << "mnuLent";
    QTest::newRow("rapide twice keeps it") << QStringList{"mnuRapide", "mnuRapide"} << "mnuNiveau1"
                                           << "mnuRapide";
    QTest::newRow("moyen then niveau 2") << QStringList{"mnuMoyen", "mnuNiveau2"} << "mnuNiveau2"
                                         << "mnuMoyen";
}

void TestWindows::menuCheckMarks()
{
    QFETCH(QStringList, clicks);
    QFETCH(QString, level);
    QFETCH(QString, speed);
    for (const QString &name : clicks)
        f.menuItem(name.toLatin1().constData())->trigger();
    for (const char *name :
         {"mnuNiveau1", "mnuNiveau2", "mnuNiveau3", "mnuLent", "mnuMoyen", "mnuRapide"}) {
        const bool expected = level == QLatin1String(name) || speed == QLatin1String(name);
        QCOMPARE(f.menuItem(name)->isChecked(), expected);
    }
}

void TestWindows::menusInertDuringQuestion()
{
    click(main(), "Command1");
    for (const char *name :
         {"mnuNiveau1", "mnuNiveau2", "mnuNiveau3", "mnuLent", "mnuMoyen", "mnuRapide"}) {
        QAction *item = f.menuItem(name);
        QVERIFY2(!item->isEnabled(), name);
        item->trigger(); // a disabled item cannot be chosen
    }
    QVERIFY(f.menuItem("mnuNiveau1")->isChecked() && f.menuItem("mnuLent")->isChecked());
    QVERIFY(!f.menuItem("mnuNiveau3")->isChecked() && !f.menuItem("mnuRapide")->isChecked());
    // The menus themselves still open.
    QVERIFY(mainChild<QMenu>("mnuNiveau")->isEnabled());
}

void TestWindows::wholeSeriesByKeyboard()
{
    // Enter on the focused "&Démarrer" starts the game.
    QTest::keyClick(button(main(), "Command1"), Qt::Key_Return);
    QVERIFY(button(main(), "Command3")->isVisible());
    f.clock().advance(50);
    QCOMPARE(label("Label1"), QStringLiteral("9"));
    QCOMPARE(label("Label3"), QStringLiteral("3"));
    QCOMPARE(label("Label6"), QStringLiteral("0 / 0"));
    QCOMPARE(main()->focusWidget(), mainChild<QLineEdit>("Text1"));
    for (int i = 0; i < 10; ++i) {
        typeAnswer(i < 7 ? QStringLiteral("3") : QStringLiteral(" 4"));
        QCOMPARE(f.state().total.value(), i + 1);
        f.clock().advance(100);
        QCOMPARE(label("Label7"), i < 7 ? texts::rightAnswer : QStringLiteral("Non, 9 : 3 = 3"));
        f.clock().advance(900);
    }
    QVERIFY(main()->isVisible());
    f.clock().advance(100);
    QCOMPARE(label("Label7"), QStringLiteral("Ton score est de 7 sur 10"));
    f.clock().advance(900);
    QVERIFY(!main()->isVisible());
    QVERIFY(f.seriesEndDialog() && f.seriesEndDialog()->isVisible());
    QCOMPARE(scoreLine(), QStringLiteral("Votre score est de 7 sur 10"));
    QCOMPARE(f.clock().enabledTimers(), 0);
    QTRY_VERIFY_WITH_TIMEOUT(inPlace(f.seriesEndDialog()), patienceMs);
}

void TestWindows::continueKeepsScoreAndPlace()
{
    click(main(), "Command1");
    playSeries(7);
    QWidget *dialog = f.seriesEndDialog();
    QCOMPARE(scoreLine(), QStringLiteral("Votre score est de 7 sur 10"));
    // In its place, before the child can move it.
    QTRY_VERIFY_WITH_TIMEOUT(inPlace(dialog), patienceMs);
    const QRect moved = dialog->geometry().translated(40, -30);
    QVERIFY(placeAndWait(dialog, moved));

    click(dialog, "Command1");
    QVERIFY(!dialog->isVisible() && main()->isVisible());
    QVERIFY(offScreen(dialog)); // so that its showing again is seen afresh
    QCOMPARE(f.state().serie.value(), 0);
    // The eleventh question is there at once, with the running score and its heading.
    QVERIFY(button(main(), "Command3")->isVisible());
    QCOMPARE(label("Label6"), QStringLiteral("7 / 10"));
    QVERIFY(mainChild<QLabel>("Label5")->isVisible());
    playSeries(8);
    QCOMPARE(f.seriesEndDialog(), dialog); // only hidden in between
    QCOMPARE(scoreLine(), QStringLiteral("Votre score est de 15 sur 20"));
    // A window manager takes a window back in steps, and says where it is once it shows it.
    QVERIFY(QTest::qWaitForWindowExposed(dialog, patienceMs));
    QCOMPARE(dialog->geometry(), moved);
}

void TestWindows::restartFromDialog()
{
    click(main(), "Command1");
    playSeries(0);
    QCOMPARE(scoreLine(), QStringLiteral("Votre score est de 0 sur 10"));
    click(f.seriesEndDialog(), "Command2");
    QVERIFY(main()->isVisible() && !f.seriesEndDialog()->isVisible());
    QCOMPARE(label("Label7"), texts::idlePrompt);
    QVERIFY(button(main(), "Command1")->isVisible());
    QCOMPARE(f.state().total.value(), 0);
    QVERIFY(f.menuItem("mnuMoyen")->isEnabled());
    click(main(), "Command1");
    playSeries(4);
    QCOMPARE(scoreLine(), QStringLiteral("Votre score est de 4 sur 10"));
}

void TestWindows::restartFromMainWindow()
{
    f.menuItem("mnuNiveau3")->trigger();
    f.random().draw({2, 5, 6});
    click(main(), "Command1");
    f.clock().advance(50);
    QVERIFY(mainChild<QLabel>("Label8")->isVisible());
    QCOMPARE(label("Label8"), texts::remainderCaption);
    QCOMPARE(mainChild<QLineEdit>("Text2")->text(), QStringLiteral("2"));
    click(main(), "Command4");
    QCOMPARE(f.clock().enabledTimers(), 0);
    QVERIFY(button(main(), "Command1")->isVisible() && !button(main(), "Command4")->isVisible());
    QCOMPARE(label("Label7"), texts::idlePrompt);
    // Left as they were until the next question: the remainder field and the old score.
    QVERIFY(mainChild<QLabel>("Label8")->isVisible());
    QVERIFY(mainChild<QLineEdit>("Text2")->text().isEmpty());
    QCOMPARE(label("Label6"), QStringLiteral("0 / 0"));
    QVERIFY(f.menuItem("mnuNiveau3")->isChecked() && f.menuItem("mnuNiveau1")->isEnabled());
}

void TestWindows::enterKey()
{
    auto *box = mainChild<QLineEdit>("Text1");
    // Idle: "&Valider" is hidden, so Enter in the answer box submits nothing.
    QTest::keyClick(box, Qt::Key_Return);
    QCOMPARE(f.clock().enabledTimers(), 0);
    QCOMPARE(label("Label7"), texts::idlePrompt);

    click(main(), "Command1");
    f.clock().advance(100);
    QTest::keyClicks(box, QStringLiteral("3"));
    QTest::keyClick(box, Qt::Key_Enter, Qt::KeypadModifier);
    QCOMPARE(f.state().total.value(), 1);
    QCOMPARE(f.state().score.value(), 1);
    // Enter during the pause is not a second judgement.
    QTest::keyClick(box, Qt::Key_Return);
    QCOMPARE(f.state().total.value(), 1);

    // Enter on a focused command button presses that button, not the default one.
    QTest::keyClick(button(main(), "Command4"), Qt::Key_Return);
    QCOMPARE(label("Label7"), texts::idlePrompt);
    QCOMPARE(f.state().total.value(), 0);
    QTest::keyClick(button(main(), "Command2"), Qt::Key_Return);
    QVERIFY(!main()->isVisible());
    QVERIFY(f.quitConfirmation()->isVisible());
    QCOMPARE(f.state().page, QStringLiteral("page1"));
}

void TestWindows::heldKeyPressesNothing_data()
{
    QTest::addColumn<QString>("target");
    QTest::addColumn<int>("key");
    QTest::newRow("Enter held in the answer box") << "Text1" << int(Qt::Key_Return);
    QTest::newRow("keypad Enter held in the answer box") << "Text1" << int(Qt::Key_Enter);
    QTest::newRow("Enter held on \"&Valider\"") << "Command3" << int(Qt::Key_Return);
    QTest::newRow("space held on \"&Valider\"") << "Command3" << int(Qt::Key_Space);
}

void TestWindows::heldKeyPressesNothing()
{
    // The key was held through the last answer: its repeats reach the next question the moment
    // it is set up, before its figures show. They must judge nothing; a new press does.
    QFETCH(QString, target);
    QFETCH(int, key);
    click(main(), "Command1");
    auto *widget = mainChild<QWidget>(target.toLatin1().constData());
    widget->setFocus();
    const QString text = key == Qt::Key_Space ? QStringLiteral(" ") : QStringLiteral("\r");
    for (int i = 0; i < 3; ++i) {
        f.clock().advance(i * 20);
        for (QEvent::Type type : {QEvent::KeyRelease, QEvent::KeyPress}) {
            QKeyEvent repeat(type, key, Qt::NoModifier, text, /*autorep=*/true);
            QApplication::sendEvent(widget, &repeat);
        }
    }
    QCOMPARE(f.state().total.value(), 0);
    QCOMPARE(f.clock().enabledTimers(), 1); // the question still runs
    QTest::keyClick(widget, Qt::Key(key));
    QCOMPARE(f.state().total.value(), 1);
}

void TestWindows::accessKeys()
{
    // A button pressed by its access key clicks a moment later, in real time.
    main()->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(main(), patienceMs));
    QTest::keyClick(main(), Qt::Key_D, Qt::AltModifier);
    QTRY_VERIFY(button(main(), "Command3")->isVisible());
    f.clock().advance(100);
    auto *box = mainChild<QLineEdit>("Text1");
    QCOMPARE(QApplication::focusWidget(), box);
    QTest::keyClicks(box, QStringLiteral("3"));
    QTest::keyClick(box, Qt::Key_V, Qt::AltModifier);
    QTRY_COMPARE(f.state().total.value(), 1);
    QCOMPARE(box->text(), QStringLiteral("3"));
    QTest::keyClick(box, Qt::Key_R, Qt::AltModifier);
    QTRY_COMPARE(label("Label7"), texts::idlePrompt);
    // F10 opens the level menu; the keys choose "Niveau 2".
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_F10);
    auto *levels = mainChild<QMenu>("mnuNiveau");
    QTRY_VERIFY(levels->isVisible());
    QTest::keyClick(levels, Qt::Key_Down);
    QTest::keyClick(levels, Qt::Key_Down);
    QTest::keyClick(levels, Qt::Key_Return);
    QTRY_VERIFY(f.menuItem("mnuNiveau2")->isChecked());
    QVERIFY(!f.menuItem("mnuNiveau1")->isChecked());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Q, Qt::AltModifier);
    QTRY_VERIFY(f.quitConfirmation() && f.quitConfirmation()->isVisible());
    QVERIFY(!main()->isVisible());
}

void TestWindows::quitDuringQuestionGoesOn()
{
    click(main(), "Command1");
    f.clock().advance(500);
    click(main(), "Command2");
    QVERIFY(!main()->isVisible());
    QWidget *confirm = f.quitConfirmation();
    QVERIFY(confirm->isVisible());
    QCOMPARE(f.state().page, QStringLiteral("page1"));
    QCOMPARE(child<QLabel>(confirm, "Label1")->text(),
             QStringLiteral("Veux-tu vraiment quitter ? "));
    QVERIFY(!child<QLabel>(confirm, "Picture1")->pixmap().isNull());
    QCOMPARE(child<QLabel>(confirm, "Picture1")->pixmap().size(), QSize(410, 304));

    // Out of sight, the question times out and the next one starts.
    f.clock().advance(11000);
    QCOMPARE(f.state().total.value(), 1);
    QVERIFY(button(main(), "Command3")->isEnabled());

    click(confirm, "Command2");
    QVERIFY(!confirm->isVisible());
    QVERIFY(main()->isVisible());
    QCOMPARE(main()->focusWidget(), mainChild<QLineEdit>("Text1"));
    f.clock().advance(50);
    QCOMPARE(label("Label6"), QStringLiteral("0 / 1"));
}

void TestWindows::closeBoxDuringSeries()
{
    f.menuItem("mnuNiveau2")->trigger();
    f.menuItem("mnuRapide")->trigger();
    click(main(), "Command1");
    typeAnswer(QStringLiteral("3"));
    f.clock().advance(1000);
    QPointer<QWidget> old = main();
    const qint64 icon = old->windowIcon().cacheKey();
    main()->move(main()->pos() + QPoint(25, 25));
    QVERIFY(old->close());
    QCOMPARE(f.mainWindow(), nullptr);
    QVERIFY(!old->isVisible());
    QCOMPARE(f.clock().enabledTimers(), 0); // the timers went with the window
    QVERIFY(f.quitConfirmation()->isVisible());
    QCOMPARE(f.state().page, QStringLiteral("page1"));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(old.isNull());

    click(f.quitConfirmation(), "Command2");
    QVERIFY(main() && main()->isVisible());
    QCOMPARE(main()->windowIcon().cacheKey(), icon); // made once for the whole program
    QTRY_VERIFY_WITH_TIMEOUT(inPlace(main()), patienceMs);
    QCOMPARE(label("Label7"), texts::idlePrompt);
    QVERIFY(f.menuItem("mnuNiveau1")->isChecked() && f.menuItem("mnuLent")->isChecked());
    QVERIFY(!f.menuItem("mnuNiveau2")->isChecked() && !f.menuItem("mnuRapide")->isChecked());
    QCOMPARE(f.state().score.value(), 0);
    QCOMPARE(f.state().total.value(), 0);
    QCOMPARE(f.clock().enabledTimers(), 0);
}

void TestWindows::leaveSeriesEndDialog_data()
{
    QTest::addColumn<bool>("closeBox");
    QTest::newRow("\"&Quitter\"") << false;
    QTest::newRow("close box") << true;
}

void TestWindows::leaveSeriesEndDialog()
{
    QFETCH(bool, closeBox);
    click(main(), "Command1");
    playSeries(6);
    QPointer<QWidget> dialog = f.seriesEndDialog();
    dialog->move(dialog->pos() + QPoint(30, 30));
    f.state().page = QStringLiteral("page1"); // whatever it held before
    if (closeBox)
        QVERIFY(dialog->close());
    else
        click(dialog, "Command3");
    QCOMPARE(f.seriesEndDialog(), nullptr);
    QVERIFY(f.quitConfirmation()->isVisible());
    QCOMPARE(f.state().page, QStringLiteral("page2"));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(dialog.isNull());

    click(f.quitConfirmation(), "Command2");
    QVERIFY(!f.quitConfirmation()->isVisible());
    QWidget *again = f.seriesEndDialog();
    QVERIFY(again && again->isVisible());
    QTRY_VERIFY_WITH_TIMEOUT(inPlace(again), patienceMs); // created anew
    QCOMPARE(scoreLine(), QStringLiteral("Votre score est de 6 sur 10"));
    QVERIFY(!main()->isVisible());
}

void TestWindows::endProgram_data()
{
    QTest::addColumn<bool>("closeBox");
    QTest::newRow("\"Oui\"") << false;
    QTest::newRow("close box") << true;
}

void TestWindows::endProgram()
{
    QFETCH(bool, closeBox);
    click(main(), "Command1");
    click(main(), "Command2");
    QWidget *confirm = f.quitConfirmation();
    QCOMPARE(f.endStatus, -1);
    if (closeBox)
        QVERIFY(confirm->close());
    else
        click(confirm, "Command1");
    QCOMPARE(f.endStatus, 0);
    QVERIFY(Program::instance().hasEnded());
    QCOMPARE(f.clock().enabledTimers(), 0);
    QVERIFY(!confirm->isVisible() && !main()->isVisible());
}

void TestWindows::confirmationKeepsItsPlace()
{
    click(main(), "Command2");
    QWidget *confirm = f.quitConfirmation();
    QTRY_VERIFY_WITH_TIMEOUT(inPlace(confirm), patienceMs);
    QVERIFY(!(confirm->windowFlags() & Qt::MSWindowsFixedSizeDialogHint));
    QVERIFY(confirm->windowFlags() & Qt::WindowMaximizeButtonHint);
    const QRect yes = button(confirm, "Command1")->geometry();
    const QRect moved = confirm->geometry().translated(-10, 20).adjusted(0, 0, 100, 80);
    QVERIFY(placeAndWait(confirm, moved));
    QCOMPARE(button(confirm, "Command1")->geometry(), yes); // controls stay put
    click(confirm, "Command2");
    QVERIFY(offScreen(confirm)); // so that its showing again is seen afresh
    click(main(), "Command2");
    QCOMPARE(f.quitConfirmation(), confirm);
    QVERIFY(QTest::qWaitForWindowExposed(confirm, patienceMs));
    QCOMPARE(confirm->geometry(), moved);
}

void TestWindows::escapeDoesNothing()
{
    click(main(), "Command1");
    playSeries(5);
    QWidget *dialog = f.seriesEndDialog();
    QTest::keyClick(button(dialog, "Command1"), Qt::Key_Escape);
    QVERIFY(dialog->isVisible());
    click(dialog, "Command3");
    QWidget *confirm = f.quitConfirmation();
    QTest::keyClick(button(confirm, "Command2"), Qt::Key_Escape);
    QVERIFY(confirm->isVisible());
    QCOMPARE(f.endStatus, -1);
    // Space on the focused "Non" presses it.
    QTest::keyClick(button(confirm, "Command2"), Qt::Key_Space);
    QVERIFY(!confirm->isVisible());
    QVERIFY(f.seriesEndDialog()->isVisible());
}

void TestWindows::fixedWindowsRefuseToGrow_data()
{
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("request");
    QTest::addColumn<bool>("fixed");
    for (const char *window : {"form1", "Form2"}) {
        for (const char *request : {"maximise", "full screen", "maximise the native window"})
            QTest::addRow("%s, %s", window, request) << window << request << true;
    }
    QTest::newRow("Form3 stays sizable") << "Form3"
                                         << "maximise" << false;
}

void TestWindows::fixedWindowsRefuseToGrow()
{
    // Under Wayland the toolkit draws the title bar and its maximise button itself; the real
    // compositor is in tst_desktops. Here every request leaves a fixed window as it was.
    QFETCH(QString, window);
    QFETCH(QString, request);
    QFETCH(bool, fixed);
    QWidget *w = f.showAllWindows(window);
    QVERIFY(QTest::qWaitForWindowExposed(w, patienceMs));
    const QSize size = w->size();
    if (request == QLatin1String("maximise"))
        w->showMaximized();
    else if (request == QLatin1String("full screen"))
        w->showFullScreen();
    else
        w->windowHandle()->setWindowStates(Qt::WindowMaximized);
    if (fixed)
        QVERIFY(test::windowSystemAnswered());
    else
        QTRY_VERIFY_WITH_TIMEOUT(w->size() != size, patienceMs);
    QCOMPARE(w->size() == size, fixed);
    QCOMPARE(w->windowState() == Qt::WindowNoState, fixed);
    QCOMPARE(w->windowHandle()->windowStates() == Qt::WindowNoState, fixed);
}

void TestWindows::qtTextsInFrench()
{
    // Qt's own texts are French whatever the system's language (this test runs with LANG=C).
    auto *box = mainChild<QLineEdit>("Text1");
    const std::unique_ptr<QMenu> menu(box->createStandardContextMenu());
    QStringList items;
    for (QAction *action : menu->actions())
        items << action->text().remove(QLatin1Char('&')).section(QLatin1Char('\t'), 0, 0);
    qInfo("%s", qPrintable(items.join(u'|')));
    for (const char *french : {"Copier", "Coller", "Tout sélectionner"})
        QVERIFY(items.contains(QString::fromUtf8(french)));
}

void TestWindows::bigScreenScale_data()
{
    QTest::addColumn<QSize>("available");
    QTest::addColumn<double>("scale");
    // The quit confirmation, the widest window, sets the scale on the screens schools have.
    QTest::newRow("1024x768 projector") << QSize(1024, 768) << 1.3;
    QTest::newRow("1280x800 whiteboard") << QSize(1280, 800) << 1.65;
    QTest::newRow("1920x1080, at most twice") << QSize(1920, 1080) << 2.0;
    QTest::newRow("800x600, never smaller") << QSize(800, 600) << 1.0;
    QTest::newRow("1280x720, by the height") << QSize(1280, 720) << 1.5;
}

void TestWindows::bigScreenScale()
{
    QFETCH(QSize, available);
    QTEST(bigscreen::fittingScale(available, bigscreen::windowSizes(), bigscreen::frameAllowance),
          "scale");
}

void TestWindows::bigScreenFits()
{
    // The game enlarged by the program on a screen of the size asked for (X11DESKTOP_SCREEN):
    // each window lies inside the screen, frame included, as the X server has it.
    if (qEnvironmentVariable("CALCARO_GRAND_ECRAN") != QLatin1String("1"))
        QSKIP("only with the big screen asked for");
    for (const char *name : {"form1", "Form2", "Form3"}) {
        QWidget *w = f.showAllWindows(QString::fromLatin1(name));
        const qreal dpr = w->windowHandle()->devicePixelRatio();
        QRect outer;
        auto placed = [&] { // framed, and placed by the window manager
            const QMargins frame = w->windowHandle()->frameMargins() * dpr;
            const std::optional<QPoint> client = serverPosition(w);
            outer = QRect(client.value_or(QPoint()), w->size() * dpr).marginsAdded(frame);
            return !frame.isNull() && client;
        };
        QTRY_VERIFY_WITH_TIMEOUT(placed(), patienceMs);
        qInfo("%s at %.2f: %d x %d", name, dpr, outer.width(), outer.height());
        QVERIFY(QRect(QPoint(), w->screen()->size() * dpr).contains(outer));
    }
}

void TestWindows::contrast_data()
{
    QTest::addColumn<QString>("window");
    for (const char *window : {"form1", "Form2", "Form3"})
        QTest::newRow(window) << QString::fromLatin1(window);
}

void TestWindows::contrast()
{
    // Every label, button and text box keeps at least 4.5:1 (WCAG AA) between the colours it
    // paints with when usable and what is behind it, whatever the desktop's palette: light or
    // dark from GTK's platform theme (CALCARO_THEME names the one asked for), or white on black.
    const QByteArray theme = qgetenv("CALCARO_THEME");
    if (!theme.isEmpty() && theme != "high-contrast")
        QCOMPARE(QApplication::palette().color(QPalette::Window).lightness() < 128,
                 theme == "dark");
    auto luminance = [](const QColor &c) {
        auto linear = [](double v) {
            return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
        };
        return 0.2126 * linear(c.redF()) + 0.7152 * linear(c.greenF()) + 0.0722 * linear(c.blueF());
    };
    QFETCH(QString, window);
    double lowest = 21;
    for (QWidget *w : f.showAllWindows(window)->findChildren<QWidget *>()) {
        QPalette p = w->palette();
        p.setCurrentColorGroup(QPalette::Active);
        QColor text = p.color(QPalette::WindowText), ground;
        if (qobject_cast<QLineEdit *>(w)) {
            text = p.color(QPalette::Text);
            ground = p.color(QPalette::Base);
        } else if (qobject_cast<QPushButton *>(w)) {
            text = p.color(QPalette::ButtonText);
            ground = p.color(QPalette::Button);
        } else if (qobject_cast<QLabel *>(w)) {
            const QWidget *behind = w->parentWidget(); // the nearest that paints its ground
            while (!behind->isWindow() && !behind->autoFillBackground())
                behind = behind->parentWidget();
            ground = behind->palette().color(QPalette::Active, behind->backgroundRole());
        } else {
            continue;
        }
        const auto [dark, light] = std::minmax({luminance(text), luminance(ground)});
        const double ratio = (light + 0.05) / (dark + 0.05);
        QVERIFY2(ratio >= 4.5, qPrintable(w->objectName() + u' ' + QString::number(ratio)));
        lowest = std::min(lowest, ratio);
    }
    qInfo("lowest contrast %.2f", lowest);
}

void TestWindows::textsFit()
{
    // Every text that a control can show in real play, against the control's width.
    auto fits = [](QWidget *w, const QString &text, int padding) {
        const int needed = QFontMetrics(w->font()).horizontalAdvance(text) + padding;
        return std::pair{needed <= w->width(), QStringLiteral("%1: \"%2\" needs %3 px, has %4")
                                                   .arg(w->objectName(), text)
                                                   .arg(needed)
                                                   .arg(w->width())};
    };
    auto check = [&](QWidget *w, const QStringList &texts, int padding = 0) {
        QVERIFY(w);
        for (const QString &t : texts) {
            const auto [ok, why] = fits(w, t, padding);
            QVERIFY2(ok, qPrintable(why));
        }
    };
    check(mainChild<QLabel>("Label7"),
          {texts::idlePrompt, texts::answerPrompt, texts::noAnswer, texts::rightAnswer,
           QStringLiteral("Non, 810 : 90 = 9"), QStringLiteral("Ton score est de 999 sur 999")});
    check(mainChild<QLabel>("Label5"), {QStringLiteral("Score =")});
    check(mainChild<QLabel>("Label6"), {QStringLiteral("999 / 999")});
    check(mainChild<QLabel>("Label8"), {texts::remainderCaption});
    check(mainChild<QLabel>("Label3"), {QStringLiteral("90")});
    check(mainChild<QLineEdit>("Text2"), {QStringLiteral("8")}, 8);
    check(mainChild<QLineEdit>("Text1"), {QStringLiteral("9")}, 8);
    for (const char *name : {"Command1", "Command2", "Command3", "Command4"})
        check(button(main(), name), {button(main(), name)->text().remove(QLatin1Char('&'))}, 8);

    // The dividend sizes itself and must not reach the division sign.
    f.menuItem("mnuNiveau2")->trigger();
    f.random().draw({9, 9});
    click(main(), "Command1");
    f.clock().advance(50);
    auto *dividend = mainChild<QLabel>("Label1");
    QCOMPARE(dividend->text(), QStringLiteral("810"));
    QCOMPARE(dividend->x(), 92);
    check(dividend, {QStringLiteral("810")});
    QVERIFY(dividend->geometry().right() <
            mainChild<QLabel>("Label2")->x() + mainChild<QLabel>("Label2")->width() / 2 - 8);

    click(main(), "Command2");
    QWidget *confirm = f.quitConfirmation();
    check(child<QLabel>(confirm, "Label1"), {QStringLiteral("Veux-tu vraiment quitter ? ")});
    check(child<QLabel>(confirm, "Label2"), {child<QLabel>(confirm, "Label2")->text()});
    check(button(confirm, "Command1"), {QStringLiteral("Oui")}, 8);
    check(button(confirm, "Command2"), {QStringLiteral("Non")}, 8);

    Program::instance().showSeriesEndDialog();
    QWidget *dialog = f.seriesEndDialog();
    check(child<QLabel>(dialog, "Label1"), {QStringLiteral("Votre score est de 999 sur 999")});
    check(child<QLabel>(dialog, "Label2"), {QStringLiteral("Que voulez-vous faire ? ")});
    for (const char *name : {"Command1", "Command2", "Command3"})
        check(button(dialog, name), {button(dialog, name)->text().remove(QLatin1Char('&'))}, 8);
}

void TestWindows::fatalErrorIsReported()
{
    click(main(), "Command1");
    f.state().total = 32767; // the answer counter cannot go further
    typeAnswer(QStringLiteral("3"));
    QCOMPARE(f.errors, QStringList{QStringLiteral("Erreur d’exécution : Dépassement de capacité")});
    QCOMPARE(f.endStatus, 1);
    QCOMPARE(f.clock().enabledTimers(), 0);
}

void TestWindows::realTimersTimeOut()
{
    // The real Qt timers, at "Rapide": the question times out after about 2.5 s.
    f.stop();
    Program::Setup setup;
    setup.endProgram = [](int) {};
    Program::instance().restart(std::move(setup));
    startProgram();
    QVERIFY(QTest::qWaitForWindowExposed(main(), patienceMs));
    QCOMPARE(mainChild<QTimer>("Timer1")->interval(), 50);
    QCOMPARE(mainChild<QTimer>("Timer1")->timerType(), Qt::PreciseTimer);
    QCOMPARE(mainChild<QTimer>("Timer2")->interval(), 100);
    QCOMPARE(mainChild<QTimer>("Timer3")->interval(), 100);
    f.menuItem("mnuRapide")->trigger();
    QElapsedTimer elapsed;
    elapsed.start();
    click(main(), "Command1");
    // A busy machine delays ticks, so only the bound it cannot break is checked: never early.
    // How close to 2.5 s the question comes is measured by the benchmark (bench/run.sh).
    QTRY_VERIFY_WITH_TIMEOUT(Program::instance().state().total == 1, patienceMs);
    const qint64 ms = elapsed.elapsed();
    QVERIFY2(ms >= 2400, qPrintable(QString::number(ms)));
    QTRY_COMPARE_WITH_TIMEOUT(label("Label7"), texts::noAnswer, patienceMs);
    QVERIFY(mainChild<QProgressBar>("ProgressBar1")->value() ==
            mainChild<QProgressBar>("ProgressBar1")->maximum());
}

void TestWindows::layout_data()
{
    // Every control at its place in twips / 15, with its face.
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRect>("place");
    QTest::addColumn<int>("pixelSize");
    QTest::addColumn<bool>("bold");
    QTest::addColumn<bool>("italic");
    QTest::addColumn<QColor>("colour"); // of the text; invalid: the default
    QTest::addColumn<int>("alignment"); // horizontal; 0 for buttons

    const QColor plain;
    const int left = Qt::AlignLeft, right = Qt::AlignRight, centre = Qt::AlignHCenter;
    auto row = [](const char *window, const char *name, QRect place, int px, bool bold, bool italic,
                  QColor colour, int alignment) {
        QTest::addRow("%s.%s", window, name)
            << QString::fromLatin1(window) << QString::fromLatin1(name) << place << px << bold
            << italic << colour << alignment;
    };
    row("form1", "Label5", {272, 16, 153, 41}, 32, true, true, plain, right);
    row("form1", "Label6", {440, 16, 139, 49}, 32, false, false, QColor(0, 0, 255), left);
    row("form1", "Label2", {152, 152, 53, 47}, 32, true, false, plain, centre);
    row("form1", "Label3", {224, 152, 53, 47}, 32, true, false, plain, centre);
    row("form1", "Label4", {288, 152, 53, 47}, 32, true, false, plain, centre);
    row("form1", "Text1", {360, 152, 53, 47}, 32, true, false, QColor(192, 0, 0), centre);
    row("form1", "Label8", {432, 160, 77, 33}, 16, false, false, plain, left);
    row("form1", "Text2", {512, 152, 53, 47}, 32, true, false, QColor(0, 0, 0), centre);
    row("form1", "ProgressBar1", {56, 216, 441, 17}, -1, false, false, plain, 0);
    row("form1", "Label7", {40, 264, 481, 33}, 24, false, false, plain, centre);
    row("form1", "Command1", {96, 336, 105, 41}, 13, false, false, plain, 0);
    row("form1", "Command4", {96, 336, 105, 41}, 13, false, false, plain, 0);
    row("form1", "Command2", {232, 336, 105, 41}, 13, false, false, plain, 0);
    row("form1", "Command3", {368, 336, 105, 41}, 13, false, false, plain, 0);
    row("Form2", "Label1", {24, 24, 521, 33}, 18, false, false, plain, centre);
    row("Form2", "Label2", {152, 96, 265, 25}, 18, false, false, plain, centre);
    row("Form2", "Command1", {40, 144, 129, 41}, 13, false, false, plain, 0);
    row("Form2", "Command2", {208, 144, 129, 41}, 13, false, false, plain, 0);
    row("Form2", "Command3", {376, 144, 137, 41}, 13, false, false, plain, 0);
    row("Form3", "Picture1", {16, 8, 409, 304}, -1, false, false, plain, left);
    row("Form3", "Label1", {440, 144, 297, 33}, 24, false, false, plain, centre);
    row("Form3", "Label2", {16, 328, 217, 17}, 11, true, false, plain, centre);
    row("Form3", "Command1", {456, 192, 105, 57}, 32, false, false, plain, 0);
    row("Form3", "Command2", {576, 192, 105, 57}, 32, false, false, plain, 0);
}

void TestWindows::layout()
{
    QFETCH(QString, window);
    QFETCH(QString, name);
    QFETCH(QRect, place);
    QFETCH(int, pixelSize);
    QFETCH(bool, bold);
    QFETCH(bool, italic);
    QFETCH(QColor, colour);
    QFETCH(int, alignment);
    QWidget *w = f.showAllWindows(window);
    auto *control = w->findChild<QWidget *>(name);
    QVERIFY(control);
    QCOMPARE(control->geometry(), place);
    if (pixelSize > 0) {
        QCOMPARE(control->font().pixelSize(), pixelSize);
        QCOMPARE(control->font().bold(), bold);
        QCOMPARE(control->font().italic(), italic);
        // The first face the program asks for that the system has.
        const QStringList faces = gameFontFamilies();
        const auto face = std::find_if(faces.begin(), faces.end(), &QFontDatabase::hasFamily);
        QVERIFY2(face != faces.end(), qPrintable(faces.join(u',')));
        QCOMPARE(QFontInfo(control->font()).family(), *face);
    }
    if (colour.isValid()) {
        const auto role =
            qobject_cast<QLineEdit *>(control) ? QPalette::Text : QPalette::WindowText;
        QCOMPARE(control->palette().color(role), colour);
    }
    if (auto *label = qobject_cast<QLabel *>(control))
        QCOMPARE(int(label->alignment() & Qt::AlignHorizontal_Mask), alignment);
    if (auto *edit = qobject_cast<QLineEdit *>(control))
        QCOMPARE(int(edit->alignment() & Qt::AlignHorizontal_Mask), alignment);
    QCOMPARE(w->windowTitle(), QStringLiteral("Calcaro CM1"));
    QVERIFY(!w->windowIcon().isNull());
}

void TestWindows::tabOrder()
{
    main()->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(main(), patienceMs));
    f.menuItem("mnuNiveau3")->trigger();
    click(main(), "Command1");
    QStringList visited;
    for (int i = 0; i < 6; ++i) {
        QWidget *focus = QApplication::focusWidget();
        QVERIFY(focus);
        visited << focus->objectName();
        QTest::keyClick(focus, Qt::Key_Tab);
    }
    // "&Démarrer" is hidden during a question; labels never take the focus.
    QCOMPARE(visited, (QStringList{"Text1", "Command2", "Command3", "Text2", "Command4", "Text1"}));
}

void TestWindows::eventsWaitingAtPausePoints_data()
{
    // The child acts just before the game lets pending events run.
    QTest::addColumn<QString>("point");
    QTest::addColumn<QString>("action");
    QTest::newRow("close box as a question starts") << "depart"
                                                    << "close";
    QTest::newRow("close box as the series ends") << "fin"
                                                  << "close";
    QTest::newRow("close box as the dialog comes") << "passage"
                                                   << "close";
    QTest::newRow("Quitter as the series ends") << "fin"
                                                << "quitter";
    QTest::newRow("Recommencer as a question starts") << "depart"
                                                      << "recommencer";
}

void TestWindows::eventsWaitingAtPausePoints()
{
    QFETCH(QString, point);
    QFETCH(QString, action);
    QPointer<QWidget> window = main();
    auto waiting = [&] {
        QMetaObject::invokeMethod(
            window,
            [this, window, action] {
                if (action == QLatin1String("close"))
                    window->close();
                else if (action == QLatin1String("quitter"))
                    button(window, "Command2")->click();
                else
                    button(window, "Command4")->click();
            },
            Qt::QueuedConnection);
    };
    if (point == QLatin1String("depart")) {
        click(main(), "Command1");
        typeAnswer(QStringLiteral("3"));
        f.clock().advance(999);
        waiting();
        f.clock().advance(1); // the next question starts and lets the events run
    } else {
        click(main(), "Command1");
        playToJustBeforeSeriesEnd();
        if (point == QLatin1String("passage"))
            f.clock().advance(1000);
        waiting();
        f.clock().advance(1); // fin, or passage, lets the events run
    }
    f.clock().advance(3000);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

    if (action == QLatin1String("close")) {
        QVERIFY(window.isNull()); // destroyed once its handlers were done
        QCOMPARE(f.mainWindow(), nullptr);
        QVERIFY(f.quitConfirmation()->isVisible());
        QCOMPARE(f.state().page, QStringLiteral("page1"));
        QCOMPARE(f.clock().enabledTimers(), 0);
        click(f.quitConfirmation(), "Command2");
        QVERIFY(main() && main()->isVisible());
        QCOMPARE(label("Label7"), texts::idlePrompt);
        // The dialog of a game whose window was closed never shows.
        QVERIFY(!shown(f.seriesEndDialog()));
    } else if (action == QLatin1String("quitter")) {
        // The series ended out of sight: both the dialog and the confirmation are up.
        QVERIFY(!main()->isVisible());
        QVERIFY(f.quitConfirmation()->isVisible());
        QVERIFY(shown(f.seriesEndDialog()));
        QCOMPARE(f.clock().enabledTimers(), 0);
        // "Non" leads to the dialog, the one way on; the ended series stays out of sight.
        click(f.quitConfirmation(), "Command2");
        QVERIFY(shown(f.seriesEndDialog()) && !main()->isVisible());
        click(f.seriesEndDialog(), "Command1");
        QVERIFY(main()->isVisible());
        QCOMPARE(f.clock().enabledTimers(), 1);
    } else {
        QCOMPARE(label("Label7"), texts::idlePrompt);
        QCOMPARE(f.clock().enabledTimers(), 0);
        QVERIFY(button(main(), "Command1")->isVisible());
    }
    QCOMPARE(f.endStatus, -1);
    QCOMPARE(f.violation(), QString());
}

void TestWindows::nothingShowsAfterTheEnd()
{
    // "Quitter" as the series ends leaves the dialog and the confirmation both on screen; a
    // press on "Oui" waits while "&Continuer" lets pending events run.
    click(main(), "Command1");
    playToJustBeforeSeriesEnd();
    QMetaObject::invokeMethod(
        main(), [this] { button(main(), "Command2")->click(); }, Qt::QueuedConnection);
    f.clock().advance(2000);
    QVERIFY(f.seriesEndDialog()->isVisible() && f.quitConfirmation()->isVisible());
    QWidget *confirm = f.quitConfirmation();
    QMetaObject::invokeMethod(
        confirm, [this, confirm] { button(confirm, "Command1")->click(); }, Qt::QueuedConnection);
    click(f.seriesEndDialog(), "Command1");
    QCOMPARE(f.endStatus, 0);
    QVERIFY(!main()->isVisible());
    QVERIFY(!f.seriesEndDialog()->isVisible() && !confirm->isVisible());
    QCOMPARE(f.clock().enabledTimers(), 0);
}

int main(int argc, char *argv[])
{
    // The program's own application object, so that errors escaping a handler are caught, and
    // its own choice of scale when the big screen is asked for.
    bigscreen::chooseScale(argc, argv);
    CalcaroApplication app(argc, argv);
    if (qgetenv("CALCARO_THEME") == "high-contrast") // a desktop palette Qt 6.4's themes lack
        QApplication::setPalette(QPalette(Qt::white, Qt::black, Qt::white, Qt::gray, Qt::gray,
                                          Qt::white, Qt::yellow, Qt::black, Qt::black));
    TestWindows test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "tst_windows.moc"

void TestWindows::dialogPressQueuedWithAnother_data()
{
    QTest::addColumn<QByteArray>("press");
    QTest::addColumn<QByteArray>("other"); // a button of the dialog, or empty for its close box
    QTest::newRow("\"&Continuer\" and the close box") << QByteArray("Command1") << QByteArray();
    QTest::newRow("\"&Recommencer\" and the close box") << QByteArray("Command2") << QByteArray();
    QTest::newRow("\"&Recommencer\" and \"&Quitter\"")
        << QByteArray("Command2") << QByteArray("Command3");
    QTest::newRow("\"&Continuer\" and \"&Recommencer\"")
        << QByteArray("Command1") << QByteArray("Command2");
}

void TestWindows::dialogPressQueuedWithAnother()
{
    QFETCH(QByteArray, press);
    QFETCH(QByteArray, other);
    click(main(), "Command1");
    playSeries(7);
    QWidget *dialog = f.seriesEndDialog();
    post(dialog, press.constData());
    post(dialog, other.isEmpty() ? nullptr : other.constData());
    turn();
    // A close that arrives while a press waits wins: the confirmation asks, the dialog's game
    // stays where it was. Otherwise the first press acts alone.
    if (other.isEmpty()) {
        QVERIFY(shown(f.quitConfirmation()));
        QCOMPARE(f.state().total.value(), 10);
        QVERIFY(!shown(main()));
        click(f.quitConfirmation(), "Command2");
        QCOMPARE(f.violation(), QString());
        QVERIFY(shown(f.seriesEndDialog()));
        QCOMPARE(scoreLine(), QStringLiteral("Votre score est de 7 sur 10"));
        click(f.seriesEndDialog(), press.constData());
    }
    QVERIFY(shown(main()) && !shown(f.seriesEndDialog()) && !shown(f.quitConfirmation()));
    QCOMPARE(f.state().total.value(), press == "Command1" ? 10 : 0);
    QCOMPARE(f.clock().enabledTimers(), press == "Command1" ? 1 : 0);
    playSeries(2);
    QCOMPARE(f.violation(), QString());
}
