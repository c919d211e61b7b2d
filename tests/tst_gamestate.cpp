#include "fakeform1.h"
#include "fatalerror.h"
#include "integer.h"
#include "module1.h"

#include <QtTest/QTest>

using namespace calcaro;
using calcaro::test::FakeForm1;

class TestGameState : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void integerArithmetic_data();
    void integerArithmetic();
    void integerOverflowIsFatal_data();
    void integerOverflowIsFatal();
    void integerText_data();
    void integerText();
    void startValues();
    void resetValues();
    void resetLeavesOtherVariables();
    void settingsOrder_data();
    void settingsOrder();
    void settingsDisableMenuItems();
    void counterOverflowEndsTheGame();
};

void TestGameState::integerArithmetic_data()
{
    QTest::addColumn<int>("a");
    QTest::addColumn<int>("b");
    QTest::addColumn<char>("op");
    QTest::addColumn<int>("expected");
    QTest::newRow("largest dividend") << 90 << 9 << '*' << 810;
    QTest::newRow("max by addition") << 32766 << 1 << '+' << 32767;
    QTest::newRow("min by subtraction") << -32767 << 1 << '-' << -32768;
    QTest::newRow("min by multiplication") << -16384 << 2 << '*' << -32768;
    QTest::newRow("negative product") << -7 << 6 << '*' << -42;
}

static Integer apply(Integer a, Integer b, char op)
{
    switch (op) {
    case '+':
        return a + b;
    case '-':
        return a - b;
    default:
        return a * b;
    }
}

void TestGameState::integerArithmetic()
{
    QFETCH(int, a);
    QFETCH(int, b);
    QFETCH(char, op);
    QFETCH(int, expected);
    QCOMPARE(apply(a, b, op).value(), expected);
}

void TestGameState::integerOverflowIsFatal_data()
{
    QTest::addColumn<int>("a");
    QTest::addColumn<int>("b");
    QTest::addColumn<char>("op");
    QTest::newRow("32767 + 1") << 32767 << 1 << '+';
    QTest::newRow("-32768 - 1") << -32768 << 1 << '-';
    QTest::newRow("0 - -32768") << 0 << -32768 << '-';
    QTest::newRow("-32768 * -1") << -32768 << -1 << '*';
    QTest::newRow("256 * 128") << 256 << 128 << '*';
    QTest::newRow("-200 * 200") << -200 << 200 << '*';
}

void TestGameState::integerOverflowIsFatal()
{
    QFETCH(int, a);
    QFETCH(int, b);
    QFETCH(char, op);
    try {
        apply(a, b, op);
        QFAIL("no overflow reported");
    } catch (const FatalError &e) {
        QCOMPARE(e.message(), QStringLiteral("Dépassement de capacité"));
        QCOMPARE(QString::fromUtf8(e.what()), e.message());
    }
    QVERIFY_THROWS_EXCEPTION(FatalError, Integer(32768));
    QVERIFY_THROWS_EXCEPTION(FatalError, Integer(-32769));
}

void TestGameState::integerText_data()
{
    QTest::addColumn<int>("value");
    QTest::addColumn<QString>("text");
    QTest::newRow("zero") << 0 << QStringLiteral("0");
    QTest::newRow("positive, no plus, no blank") << 42 << QStringLiteral("42");
    QTest::newRow("negative") << -7 << QStringLiteral("-7");
    QTest::newRow("no thousands separator") << 32767 << QStringLiteral("32767");
    QTest::newRow("minimum") << -32768 << QStringLiteral("-32768");
}

void TestGameState::integerText()
{
    QFETCH(int, value);
    QFETCH(QString, text);
    QCOMPARE(Integer(value).toString(), text);
}

void TestGameState::startValues()
{
    const Module1 m;
    for (Integer v : {m.delai, m.vitesse, m.reponse, m.quotient, m.diviseur, m.dividende, m.score,
                      m.serie, m.decompte, m.attente, m.facteur, m.echelle, m.reste, m.total})
        QCOMPARE(v.value(), 0);
    QVERIFY(m.saisie.isEmpty() && m.message.isEmpty() && m.page.isEmpty());
}

void TestGameState::resetValues()
{
    FakeForm1 f;
    f.load();
    const Module1 &m = f.state;
    QCOMPARE(m.score.value(), 0);
    QCOMPARE(m.serie.value(), 0);
    QCOMPARE(m.total.value(), 0);
    QCOMPARE(m.reste.value(), 0);
    QCOMPARE(m.decompte.value(), 0);
    QCOMPARE(m.facteur.value(), 1);
    QCOMPARE(m.echelle.value(), 1);
    QCOMPARE(m.delai.value(), 10);
}

void TestGameState::resetLeavesOtherVariables()
{
    Module1 m;
    m.vitesse = 100;
    m.quotient = 7;
    m.attente = 4;
    m.saisie = QStringLiteral("7");
    m.message = QStringLiteral("Bonne réponse ");
    m.page = QStringLiteral("page2");
    m.score = 9;
    m.echelle = 10;
    m.initvariables();
    QCOMPARE(m.vitesse.value(), 100);
    QCOMPARE(m.quotient.value(), 7);
    QCOMPARE(m.attente.value(), 4);
    QCOMPARE(m.saisie, QStringLiteral("7"));
    QCOMPARE(m.message, QStringLiteral("Bonne réponse "));
    QCOMPARE(m.page, QStringLiteral("page2"));
    QCOMPARE(m.score.value(), 0);
    QCOMPARE(m.echelle.value(), 1);
}

void TestGameState::settingsOrder_data()
{
    // Check marks niveau1..3, lent, moyen, rapide; then what the settings leave.
    QTest::addColumn<QString>("marks");
    QTest::addColumn<int>("vitesse");
    QTest::addColumn<int>("echelle");
    QTest::addColumn<bool>("remainderShown");
    QTest::addColumn<int>("reste");
    QTest::newRow("niveau 1, lent") << "100100" << 200 << 1 << false << 0;
    QTest::newRow("niveau 2, moyen") << "010010" << 100 << 10 << false << 0;
    QTest::newRow("niveau 3 leaves the scale alone") << "001001" << 50 << 5 << true << 6;
    QTest::newRow("niveau 1 and 2: the later wins") << "110100" << 200 << 10 << false << 0;
    QTest::newRow("niveau 2 and 3: both apply") << "011100" << 200 << 10 << true << 6;
    QTest::newRow("lent and rapide: the later wins") << "100101" << 50 << 1 << false << 0;
    QTest::newRow("no level, no speed: nothing changes") << "000000" << 77 << 5 << false << 3;
}

void TestGameState::settingsOrder()
{
    QFETCH(QString, marks);
    QFETCH(int, vitesse);
    QFETCH(int, echelle);
    QFETCH(bool, remainderShown);
    QFETCH(int, reste);
    FakeForm1 f;
    f.load();
    f.state.vitesse = 77;
    f.state.echelle = 5;
    f.state.reste = 3;
    test::FakeMenuItem *items[] = {&f.mnuNiveau1, &f.mnuNiveau2, &f.mnuNiveau3,
                                   &f.mnuLent,    &f.mnuMoyen,   &f.mnuRapide};
    for (int i = 0; i < 6; ++i)
        items[i]->checked = marks.at(i) == QLatin1Char('1');
    f.random.draw({6});
    f.engine->applySettings();
    QCOMPARE(f.state.vitesse.value(), vitesse);
    QCOMPARE(f.state.echelle.value(), echelle);
    QCOMPARE(f.state.reste.value(), reste);
    QCOMPARE(f.Label8.visible, remainderShown);
    QCOMPARE(f.Text2.visible, remainderShown);
}

void TestGameState::settingsDisableMenuItems()
{
    FakeForm1 f;
    f.load();
    f.engine->applySettings();
    for (auto *item :
         {&f.mnuNiveau1, &f.mnuNiveau2, &f.mnuNiveau3, &f.mnuLent, &f.mnuMoyen, &f.mnuRapide})
        QVERIFY(!item->enabled);
    // The check marks themselves are settings and stay where the child put them.
    QVERIFY(f.mnuNiveau1.checked && f.mnuLent.checked);
}

void TestGameState::counterOverflowEndsTheGame()
{
    // Only the answer counters can reach the limit, after 32767 answers without a reset.
    FakeForm1 f;
    f.load();
    f.state.total = 32767;
    QVERIFY_THROWS_EXCEPTION(FatalError, f.engine->verification());
}

QTEST_GUILESS_MAIN(TestGameState)
#include "tst_gamestate.moc"
