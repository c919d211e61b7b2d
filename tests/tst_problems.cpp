#include "clockrandomsource.h"
#include "fakeform1.h"
#include "menusettings.h"

#include <QtTest/QTest>

#include <array>
#include <set>

using namespace calcaro;
using namespace calcaro::test;

namespace {

// A fresh game whose questions come from the process's real generator.
struct RealGame
{
    explicit RealGame(Level level, RandomSource &source) : engine(f.state, *f.controls, source)
    {
        f.load();
        choose(f, level, Lent);
    }
    void question()
    {
        engine.applySettings();
        engine.drawProblem();
    }
    FakeForm1 f;
    QuizEngine engine;
};

} // namespace

class TestProblems : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void scriptedProblems_data();
    void scriptedProblems();
    void realProblemsDivideExactly_data();
    void realProblemsDivideExactly();
    void drawsCoverOneToNine();
    void drawsInOneClockTickDiffer();
    void niveau3DivisorDistribution();
    void quotientAndDivisorIndependent();
    void focusStep_data();
    void focusStep();
};

void TestProblems::scriptedProblems_data()
{
    QTest::addColumn<int>("level");
    QTest::addColumn<int>("speed");
    QTest::addColumn<QList<int>>("draws"); // in the order the game takes them
    QTest::addColumn<int>("quotient");
    QTest::addColumn<int>("diviseur");
    QTest::addColumn<int>("reste");
    QTest::addColumn<int>("dividende");
    QTest::addColumn<int>("decompte");

    QTest::newRow("niveau 1: 56 : 8") << 1 << int(Lent) << QList{7, 8} << 7 << 8 << 0 << 56 << 200;
    QTest::newRow("niveau 2: divisor scaled, 120 : 40")
        << 2 << int(Moyen) << QList{3, 4} << 3 << 40 << 0 << 120 << 100;
    QTest::newRow("niveau 2 largest: 810 : 90")
        << 2 << int(Rapide) << QList{9, 9} << 9 << 90 << 0 << 810 << 50;
    QTest::newRow("niveau 3, remainder draw larger: exchanged")
        << 3 << int(Lent) << QList{7, 4, 3} << 4 << 7 << 3 << 31 << 200;
    QTest::newRow("niveau 3, remainder draw smaller")
        << 3 << int(Moyen) << QList{2, 5, 6} << 5 << 6 << 2 << 32 << 100;
    QTest::newRow("niveau 3, equal draws: remainder 0")
        << 3 << int(Rapide) << QList{5, 6, 5} << 6 << 5 << 0 << 30 << 50;
    QTest::newRow("niveau 3, divisor 1 only with remainder 0")
        << 3 << int(Lent) << QList{1, 9, 1} << 9 << 1 << 0 << 9 << 200;
}

void TestProblems::scriptedProblems()
{
    QFETCH(int, level);
    QFETCH(int, speed);
    QFETCH(QList<int>, draws);
    FakeForm1 f;
    f.load();
    choose(f, Level(level), Speed(speed));
    for (int d : draws)
        f.random.draw({d});
    f.engine->applySettings();
    f.engine->drawProblem();
    QVERIFY(f.random.exhausted());
    QTEST(f.state.quotient.value(), "quotient");
    QTEST(f.state.diviseur.value(), "diviseur");
    QTEST(f.state.reste.value(), "reste");
    QTEST(f.state.dividende.value(), "dividende");
    QTEST(f.state.decompte.value(), "decompte");
    QCOMPARE(f.state.facteur.value(), 1);
    QCOMPARE(f.Text2.visible, level == Niveau3);
}

void TestProblems::realProblemsDivideExactly_data()
{
    QTest::addColumn<int>("level");
    QTest::newRow("niveau 1") << 1;
    QTest::newRow("niveau 2") << 2;
    QTest::newRow("niveau 3") << 3;
}

void TestProblems::realProblemsDivideExactly()
{
    QFETCH(int, level);
    ClockRandomSource source;
    RealGame game(Level(level), source);
    const Module1 &m = game.f.state;
    for (int i = 0; i < 5000; ++i) {
        game.question();
        const int divisor = m.diviseur.value();
        QVERIFY(divisor >= 1);
        QCOMPARE(m.dividende.value() / divisor, m.quotient.value());
        QCOMPARE(m.dividende.value() % divisor, m.reste.value());
        QVERIFY(m.reste.value() >= 0 && m.reste < m.diviseur);
        QVERIFY(m.quotient.value() >= 1 && m.quotient.value() <= 9);
        if (level == Niveau2)
            QVERIFY(divisor % 10 == 0 && divisor <= 90);
        else
            QVERIFY(divisor <= 9 && m.dividende.value() <= 89);
        if (level != Niveau3)
            QCOMPARE(m.reste.value(), 0);
    }
}

void TestProblems::drawsCoverOneToNine()
{
    ClockRandomSource source;
    FakeForm1 f;
    QuizEngine engine(f.state, *f.controls, source);
    std::array<int, 11> seen{};
    for (int i = 0; i < 9000; ++i) {
        const int v = engine.NombreHasard().value();
        QVERIFY2(v >= 1 && v <= 9, qPrintable(QString::number(v)));
        ++seen[static_cast<std::size_t>(v)];
    }
    for (int k = 1; k <= 9; ++k)
        QVERIFY2(seen[static_cast<std::size_t>(k)] > 700, qPrintable(QString::number(k)));
}

void TestProblems::drawsInOneClockTickDiffer()
{
    // A clock that never moves: the draw counter alone must keep the draws apart.
    ClockRandomSource frozen([] { return std::uint64_t{123456789}; });
    std::set<float> values;
    for (int i = 0; i < 2000; ++i)
        values.insert(frozen.next());
    QCOMPARE(int(values.size()), 2000);
    for (float u : values)
        QVERIFY(u >= 0.0f && u < 1.0f);
}

static double chiSquare(const std::vector<int> &observed, const std::vector<double> &expected)
{
    double sum = 0;
    for (std::size_t i = 0; i < observed.size(); ++i) {
        const double d = observed[i] - expected[i];
        sum += d * d / expected[i];
    }
    return sum;
}

void TestProblems::niveau3DivisorDistribution()
{
    // A fixed clock makes the run repeatable; the test then judges the generator itself.
    ClockRandomSource source([] { return std::uint64_t{20261208}; });
    RealGame game(Niveau3, source);
    const int questions = 81000;
    std::vector<int> divisors(9), remainders(9);
    for (int i = 0; i < questions; ++i) {
        game.question();
        ++divisors[static_cast<std::size_t>(game.f.state.diviseur.value() - 1)];
        ++remainders[static_cast<std::size_t>(game.f.state.reste.value())];
    }
    std::vector<double> divisorExpected, remainderExpected;
    for (int k = 1; k <= 9; ++k)
        divisorExpected.push_back(questions * (2.0 * k - 1) / 81.0);
    remainderExpected.push_back(questions / 9.0);
    for (int k = 1; k <= 8; ++k)
        remainderExpected.push_back(questions * 2.0 * (9 - k) / 81.0);
    // 26.12 is the 0.1 % point of chi-square with 8 degrees of freedom.
    QVERIFY2(chiSquare(divisors, divisorExpected) < 26.12,
             qPrintable(QString::number(chiSquare(divisors, divisorExpected))));
    QVERIFY2(chiSquare(remainders, remainderExpected) < 26.12,
             qPrintable(QString::number(chiSquare(remainders, remainderExpected))));
}

void TestProblems::quotientAndDivisorIndependent()
{
    ClockRandomSource source([] { return std::uint64_t{77}; });
    RealGame game(Niveau1, source);
    std::vector<int> pairs(81);
    const int questions = 40500;
    for (int i = 0; i < questions; ++i) {
        game.question();
        const int q = game.f.state.quotient.value();
        const int d = game.f.state.diviseur.value();
        ++pairs[static_cast<std::size_t>((q - 1) * 9 + (d - 1))];
    }
    // 124.8 is the 0.1 % point of chi-square with 80 degrees of freedom.
    const double chi = chiSquare(pairs, std::vector<double>(81, questions / 81.0));
    QVERIFY2(chi < 124.8, qPrintable(QString::number(chi)));
}

void TestProblems::focusStep_data()
{
    QTest::addColumn<bool>("answerBoxVisible");
    QTest::addColumn<bool>("windowOnScreen");
    QTest::addColumn<int>("focusRequests");
    QTest::newRow("on screen: cursor in the answer box") << true << true << 1;
    QTest::newRow("window hidden behind the confirmation: skipped") << true << false << 0;
    QTest::newRow("answer box hidden: skipped") << false << true << 0;
}

void TestProblems::focusStep()
{
    QFETCH(bool, answerBoxVisible);
    QFETCH(bool, windowOnScreen);
    FakeForm1 f;
    f.Text1.visible = answerBoxVisible;
    f.onScreen = windowOnScreen;
    f.random.draw({4});
    QCOMPARE(f.engine->NombreHasard().value(), 4);
    QTEST(f.Text1.focusRequests, "focusRequests");
}

QTEST_GUILESS_MAIN(TestProblems)
#include "tst_problems.moc"
