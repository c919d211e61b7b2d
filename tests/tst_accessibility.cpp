#include "calcaroapplication.h"
#include "texts.h"
#include "windowsfixture.h"

#include <QAccessible>
#include <QLabel>
#include <QPushButton>
#include <QtTest/QTest>

using namespace calcaro;
using calcaro::test::child;

namespace {

// What assistive technology was told: (object name, event type).
QList<std::pair<QString, QAccessible::Event>> events;

void recordEvent(QAccessibleEvent *event)
{
    if (QObject *object = event->object())
        events.append({object->objectName(), event->type()});
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
    void messagesAreAnnounced();

private:
    test::WindowsFixture f;
};

void TestAccessibility::initTestCase()
{
    QAccessible::installUpdateHandler(recordEvent);
    QAccessible::setActive(true);
}

void TestAccessibility::init()
{
    f.start();
    f.random().repeatWhenEmpty(3);
    events.clear();
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
        QTest::addRow("%s.%s", window, name)
            << QString::fromLatin1(window) << QString::fromLatin1(name) << spoken << int(role);
    };
    row("form1", "Text1", QStringLiteral("Ta réponse"), QAccessible::EditableText);
    row("form1", "Text2", QStringLiteral("Le reste"), QAccessible::EditableText);
    row("form1", "ProgressBar1", QStringLiteral("Temps écoulé"), QAccessible::ProgressBar);
    row("form1", "Label6", QStringLiteral("Bonnes réponses sur questions"),
        QAccessible::StaticText);
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
}

void TestAccessibility::names()
{
    QFETCH(QString, window);
    QFETCH(QString, name);
    QFETCH(QString, accessibleName);
    QFETCH(int, role);
    Program::instance().showSeriesEndDialog();
    Program::instance().showQuitConfirmation();
    QWidget *w = f.window(window);
    auto *control = w->findChild<QWidget *>(name);
    QVERIFY(control);
    QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(control);
    QVERIFY(iface);
    QCOMPARE(iface->text(QAccessible::Name), accessibleName);
    QCOMPARE(int(iface->role()), role);
}

void TestAccessibility::messagesAreAnnounced()
{
    // The message line is read by its accessible name, which follows every new message. (The
    // alert that goes with a change needs a live assistive-technology bridge, which the
    // offscreen platform does not have: events are recorded here only where one is active.)
    QAccessibleInterface *line =
        QAccessible::queryAccessibleInterface(child<QLabel>(f.mainWindow(), "Label7"));
    QCOMPARE(line->text(QAccessible::Name), texts::idlePrompt);
    QTest::mouseClick(child<QPushButton>(f.mainWindow(), "Command1"), Qt::LeftButton);
    f.clock().advance(500);
    QCOMPARE(line->text(QAccessible::Name), texts::answerPrompt);
    QTest::mouseClick(child<QPushButton>(f.mainWindow(), "Command3"), Qt::LeftButton);
    f.clock().advance(1000);
    QCOMPARE(line->text(QAccessible::Name), texts::noAnswer);
    if (QAccessible::isActive()) {
        const auto alerts = std::count(events.begin(), events.end(),
                                       std::pair{QStringLiteral("Label7"), QAccessible::Alert});
        QCOMPARE(alerts, 2); // the prompt once, however many ticks rewrite it; the feedback
    }
}

int main(int argc, char *argv[])
{
    CalcaroApplication app(argc, argv);
    TestAccessibility test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_accessibility.moc"
