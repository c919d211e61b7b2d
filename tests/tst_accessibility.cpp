#include "calcaroapplication.h"
#include "texts.h"
#include "windowsfixture.h"

#include <QAccessible>
#include <QLabel>
#include <QPushButton>
#include <QtTest/QTest>

using namespace calcaro;
using calcaro::test::child;

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

private:
    test::WindowsFixture f;
};

void TestAccessibility::initTestCase()
{
    QAccessible::setActive(true);
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
        QTest::addRow("%s.%s", window, name)
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
}

void TestAccessibility::names()
{
    QFETCH(QString, window);
    QFETCH(QString, name);
    QFETCH(QString, accessibleName);
    QFETCH(int, role);
    QWidget *w = f.showAllWindows(window);
    auto *control = w->findChild<QWidget *>(name);
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
    QTest::addColumn<QString>("feedback"); // to a wrong answer to the next question
    // The next question, answered wrongly, has draws of 3.
    QTest::newRow("niveau 1") << "mnuNiveau1" << QList<int>{7, 8} << "Dividende 56"
                              << "Diviseur 8"
                              << "56 divisé par 8"
                              << "Non, 9 divisé par 3 égale 3"; // "Non, 9 : 3 = 3" on screen
    QTest::newRow("niveau 2") << "mnuNiveau2" << QList<int>{3, 4} << "Dividende 120"
                              << "Diviseur 40"
                              << "120 divisé par 40"
                              << "Non, 90 divisé par 30 égale 3";
    QTest::newRow("niveau 3, with its remainder")
        << "mnuNiveau3" << QList<int>{7, 4, 3} << "Dividende 31"
        << "Diviseur 7"
        << "31 divisé par 7, et il reste 3"
        << "Non, 9 divisé par 3 égale 3";
    QTest::newRow("niveau 3, remainder 0 still shown")
        << "mnuNiveau3" << QList<int>{5, 6, 5} << "Dividende 30"
        << "Diviseur 5"
        << "30 divisé par 5, et il reste 0"
        << "Non, 9 divisé par 3 égale 3";
}

void TestAccessibility::questionIsSpoken()
{
    // What a screen reader reads during a question: the figures with their values, the score in
    // words, and the question in the answer box, where the cursor is. (The real accessibility
    // bus is read in tst_atspi.)
    QFETCH(QString, level);
    QFETCH(QList<int>, draws);
    QWidget *w = f.mainWindow();
    auto name = [w](const char *control) {
        return QAccessible::queryAccessibleInterface(child<QWidget>(w, control))
            ->text(QAccessible::Name);
    };
    QAccessibleInterface *answer =
        QAccessible::queryAccessibleInterface(child<QWidget>(w, "Text1"));
    f.menuItem(level.toLatin1().constData())->trigger();
    for (int k : draws)
        f.random().draw({k});
    QTest::mouseClick(child<QPushButton>(w, "Command1"), Qt::LeftButton);
    QCOMPARE(answer->text(QAccessible::Description), QString()); // nothing shown yet
    f.clock().advance(50);
    QCoreApplication::processEvents(); // the question is described once the tick has run
    QTEST(name("Label1"), "dividend");
    QTEST(name("Label3"), "divisor");
    QCOMPARE(name("Label6"), QStringLiteral("0 bonne réponse sur 0 question"));
    QVERIFY(answer->state().focused);
    QTEST(answer->text(QAccessible::Description), "question");

    // The score is spoken in words, singular up to 1 as French has it; the feedback says its
    // division in words.
    auto answerWith = [w](const QString &text) {
        QTest::keyClicks(child<QWidget>(w, "Text1"), text);
        QTest::keyClick(child<QWidget>(w, "Text1"), Qt::Key_Return);
    };
    answerWith(QString::number(draws.at(draws.size() - 2))); // the quotient
    f.clock().advance(1050);
    QCOMPARE(name("Label6"), QStringLiteral("1 bonne réponse sur 1 question"));
    answerWith(QStringLiteral("0")); // wrong, to the next question (draws of 3)
    f.clock().advance(150);
    QTEST(name("Label7"), "feedback");
    f.clock().advance(900);
    QCOMPARE(name("Label6"), QStringLiteral("1 bonne réponse sur 2 questions"));
}

int main(int argc, char *argv[])
{
    CalcaroApplication app(argc, argv);
    TestAccessibility test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_accessibility.moc"
