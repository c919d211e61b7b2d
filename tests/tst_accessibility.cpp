#include "calcaroapplication.h"
#include "texts.h"
#include "windowsfixture.h"

#include <QAccessible>
#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMainWindow>
#include <QMenuBar>
#include <QPushButton>
#include <QtGui/private/qguiapplication_p.h>
#include <QtTest/QTest>
#include <qpa/qplatformaccessibility.h>
#include <qpa/qplatformintegration.h>

using namespace calcaro;
using calcaro::test::child;

namespace {

// What leaves the program for assistive technology: every event, and the text of each notice
// that appears (what a screen reader reads out).
QList<QAccessible::Event> told;
QStringList announced;

void record(QAccessibleEvent *event)
{
    told << event->type();
    QAccessibleInterface *iface = event->accessibleInterface();
    if (event->type() == QAccessible::ObjectShow && iface &&
        iface->role() == QAccessible::Notification)
        announced << iface->text(QAccessible::Name);
}

} // namespace

class TestAccessibility : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();
    void names_data();
    void names();
    void questionIsSpoken_data();
    void questionIsSpoken();
    void replayedAlt_data();
    void replayedAlt();

private:
    test::WindowsFixture f;
};

void TestAccessibility::initTestCase()
{
    // As a screen reader does when it starts.
    QGuiApplicationPrivate::platformIntegration()->accessibility()->setActive(true);
    // Before the program's own handler, which hands on only what assistive technology hears.
    QAccessible::installUpdateHandler(&record);
}

void TestAccessibility::init()
{
    f.start();
    f.random().repeatWhenEmpty(3);
}

void TestAccessibility::cleanup()
{
    f.stop();
}

void TestAccessibility::names_data()
{
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("accessibleName");
    QTest::addColumn<int>("role");
    auto row = [](const char *window, const char *name, const QString &spoken,
                  QAccessible::Role role) {
        QTest::addRow("%s.%s", window, *name ? name : "window")
            << QString::fromLatin1(window) << QString::fromLatin1(name) << spoken << int(role);
    };
    row("form1", "Text1", QStringLiteral("Ta réponse"), QAccessible::EditableText);
    row("form1", "Text2", QStringLiteral("Le reste"), QAccessible::EditableText);
    row("form1", "ProgressBar1", QStringLiteral("Temps écoulé"), QAccessible::ProgressBar);
    row("form1", "Label1", QStringLiteral("Dividende"), QAccessible::StaticText);
    row("form1", "Label3", QStringLiteral("Diviseur"), QAccessible::StaticText);
    row("form1", "Command1", QStringLiteral("Démarrer"), QAccessible::Button);
    row("form1", "Command2", QStringLiteral("Quitter"), QAccessible::Button);
    row("form1", "Command3", QStringLiteral("Valider"), QAccessible::Button);
    row("form1", "Command4", QStringLiteral("Recommencer"), QAccessible::Button);
    row("Form2", "Command1", QStringLiteral("Continuer"), QAccessible::Button);
    row("Form2", "Command2", QStringLiteral("Recommencer"), QAccessible::Button);
    row("Form2", "Command3", QStringLiteral("Quitter"), QAccessible::Button);
    row("Form3", "Command1", QStringLiteral("Oui"), QAccessible::Button);
    row("Form3", "Command2", QStringLiteral("Non"), QAccessible::Button);
    row("Form3", "Picture1", QStringLiteral("Dessin : un crayon souriant qui dit au revoir"),
        QAccessible::Graphic);
    // The two dialogs present as dialogs, so that a screen reader reads their texts.
    row("Form2", "", QStringLiteral("Calcaro CM1"), QAccessible::Dialog);
    row("Form3", "", QStringLiteral("Calcaro CM1"), QAccessible::Dialog);
}

void TestAccessibility::names()
{
    QFETCH(QString, window);
    QFETCH(QString, name);
    QFETCH(QString, accessibleName);
    QFETCH(int, role);
    QWidget *w = f.showAllWindows(window);
    auto *control = name.isEmpty() ? w : w->findChild<QWidget *>(name);
    QVERIFY(control);
    QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(control);
    QVERIFY(iface);
    QCOMPARE(iface->text(QAccessible::Name), accessibleName);
    QCOMPARE(int(iface->role()), role);
}

void TestAccessibility::questionIsSpoken_data()
{
    QTest::addColumn<QString>("level");
    QTest::addColumn<QList<int>>("draws");
    QTest::addColumn<QString>("dividend");
    QTest::addColumn<QString>("divisor");
    QTest::addColumn<QString>("question");
    QTest::addColumn<QString>("answer");
    QTest::addColumn<QString>("feedback");
    QTest::newRow("niveau 1, right") << "mnuNiveau1" << QList<int>{7, 8} << "Dividende 56"
                                     << "Diviseur 8"
                                     << "56 divisé par 8."
                                     << "7"
                                     << "Bonne réponse. Score : 1 sur 1.";
    QTest::newRow("niveau 2, wrong") << "mnuNiveau2" << QList<int>{3, 4} << "Dividende 120"
                                     << "Diviseur 40"
                                     << "120 divisé par 40."
                                     << "4"
                                     << "Non, 120 divisé par 40 égale 3. Score : 0 sur 1.";
    QTest::newRow("niveau 3, no answer") << "mnuNiveau3" << QList<int>{7, 4, 3} << "Dividende 31"
                                         << "Diviseur 7"
                                         << "31 divisé par 7, et il reste 3."
                                         << ""
                                         << "Tu n'as rien répondu. Score : 0 sur 1.";
    QTest::newRow("niveau 3, remainder 0 still told")
        << "mnuNiveau3" << QList<int>{5, 6, 5} << "Dividende 30"
        << "Diviseur 5"
        << "30 divisé par 5, et il reste 0."
        << "6"
        << "Bonne réponse. Score : 1 sur 1.";
}

void TestAccessibility::questionIsSpoken()
{
    // What a screen reader hears of one question, from the events that leave the program: the
    // question as it shows, nothing more while it runs (not the time bar, not the figures
    // written again on every tick), the question again when the child comes back to the
    // answer box, and the feedback with the new score. The figures and the score can be read
    // with their values. (The real screen reader is heard in tst_orca.)
    QFETCH(QString, level);
    QFETCH(QList<int>, draws);
    QFETCH(QString, question);
    QFETCH(QString, answer);
    QFETCH(QString, feedback);
    QWidget *w = f.mainWindow();
    auto name = [w](const char *control) {
        return QAccessible::queryAccessibleInterface(child<QWidget>(w, control))
            ->text(QAccessible::Name);
    };
    f.menuItem(level.toLatin1().constData())->trigger();
    for (int k : draws)
        f.random().draw({k});
    QTest::mouseClick(child<QPushButton>(w, "Command1"), Qt::LeftButton);
    told.clear();
    announced.clear();
    f.clock().advance(50);
    QTEST(name("Label1"), "dividend");
    QTEST(name("Label3"), "divisor");
    QCOMPARE(name("Label6"), QStringLiteral("0 bonne réponse sur 0 question"));
    QCOMPARE(announced, QStringList{question});
    told.clear();
    announced.clear();
    f.clock().advance(2000);
    QCOMPARE(told.size(), 0); // no event at all

    // Away from the answer box and back: the question again, once the focus is told.
    child<QWidget>(w, "Command2")->setFocus();
    child<QWidget>(w, "Text1")->setFocus();
    QCoreApplication::processEvents();
    QCOMPARE(announced, QStringList{question});

    told.clear();
    announced.clear();
    QTest::keyClicks(child<QWidget>(w, "Text1"), answer);
    QTest::keyClick(child<QWidget>(w, "Text1"), Qt::Key_Return);
    f.clock().advance(150);
    QCOMPARE(announced, QStringList{feedback});
}

void TestAccessibility::replayedAlt_data()
{
    QTest::addColumn<bool>("shortcutFirst");
    QTest::addColumn<bool>("menuBarOpens");
    QTest::newRow("Alt+D: the series starts, the menu bar stays shut") << true << false;
    QTest::newRow("Alt alone: the menu bar opens") << false << true;
}

void TestAccessibility::replayedAlt()
{
    // With a screen reader, Qt hands each key press back to the program once the screen reader
    // has seen it, as a posted event: the Alt of Alt+D comes again after the series started.
    QFETCH(bool, shortcutFirst);
    QWidget *w = f.mainWindow();
    QVERIFY(QTest::qWaitForWindowActive(w));
    QWidget *focus = child<QWidget>(w, shortcutFirst ? "Text1" : "Command1");
    if (shortcutFirst)
        QTest::keyClick(w, Qt::Key_D, Qt::AltModifier); // the button clicks a moment later
    QTRY_COMPARE(QApplication::focusWidget(), focus);
    QCoreApplication::postEvent(focus,
                                new QKeyEvent(QEvent::KeyPress, Qt::Key_Alt, Qt::AltModifier));
    QCoreApplication::postEvent(focus,
                                new QKeyEvent(QEvent::KeyRelease, Qt::Key_Alt, Qt::NoModifier));
    QCoreApplication::processEvents();
    QMenuBar *menuBar = static_cast<QMainWindow *>(w)->menuBar();
    QTEST(menuBar->activeAction() != nullptr, "menuBarOpens");
    if (shortcutFirst)
        QCOMPARE(QApplication::focusWidget(), focus);
}

int main(int argc, char *argv[])
{
    CalcaroApplication app(argc, argv);
    TestAccessibility test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_accessibility.moc"
