#include "fakeform1.h"
#include "invariants.h"
#include "menusettings.h"
#include "texts.h"

#include <QtTest/QTest>

#include <cmath>

using namespace calcaro;
using namespace calcaro::test;

namespace {

enum Answer { Right, Wrong, Empty, TimeOutEmpty, TimeOutRight };

// Checks after every simulated tick what must hold at all times.
struct Invariants
{
    explicit Invariants(FakeForm1 &form) : f(form)
    {
        f.clock.afterEachTick = [this] { check(); };
    }
    void check()
    {
        ++ticks;
        const QString broken = test::cycleViolation(f.clock.enabledTimers(), f.ProgressBar1.current,
                                                    f.state.serie.value());
        if (firstViolation.isEmpty() && !broken.isEmpty())
            firstViolation = QStringLiteral("at %1 ms: %2").arg(f.clock.now()).arg(broken);
    }
    FakeForm1 &f;
    int ticks = 0;
    QString firstViolation;
};

bool menusEnabled(const FakeForm1 &f, bool enabled)
{
    for (const auto *item :
         {&f.mnuNiveau1, &f.mnuNiveau2, &f.mnuNiveau3, &f.mnuLent, &f.mnuMoyen, &f.mnuRapide}) {
        if (item->enabled != enabled)
            return false;
    }
    return true;
}

#define CHECK_STATE(cond)                                                                          \
    do {                                                                                           \
        if (!(cond))                                                                               \
            return QStringLiteral(#cond);                                                          \
    } while (false)

// The rows of the cycle's state table; an empty result means the state holds.
QString asking(const FakeForm1 &f)
{
    CHECK_STATE(f.Timer1->isEnabled() && !f.Timer2->isEnabled() && !f.Timer3->isEnabled());
    CHECK_STATE(f.Command3.visible && f.Command3.enabled);
    CHECK_STATE(f.Command2.visible && f.Command2.enabled);
    CHECK_STATE(f.Command4.visible && f.Command4.enabled);
    CHECK_STATE(!f.Command1.visible && !f.Command1.enabled);
    CHECK_STATE(f.ProgressBar1.visible && f.Label5.visible && f.Label6.visible);
    CHECK_STATE(menusEnabled(f, false));
    return {};
}

QString feedbackPause(const FakeForm1 &f)
{
    CHECK_STATE(!f.Timer1->isEnabled() && f.Timer2->isEnabled() && !f.Timer3->isEnabled());
    CHECK_STATE(f.Command3.visible && f.Command3.enabled);
    CHECK_STATE(f.Command4.visible && f.Command4.enabled);
    CHECK_STATE(!f.Command1.visible && f.ProgressBar1.visible);
    CHECK_STATE(menusEnabled(f, false));
    return {};
}

QString seriesEndPause(const FakeForm1 &f)
{
    CHECK_STATE(!f.Timer1->isEnabled() && !f.Timer2->isEnabled() && f.Timer3->isEnabled());
    for (const auto *b : {&f.Command1, &f.Command2, &f.Command3, &f.Command4})
        CHECK_STATE(!b->visible && !b->enabled);
    CHECK_STATE(!f.ProgressBar1.visible && !f.Label5.visible && !f.Label6.visible);
    CHECK_STATE(f.Label1.caption.isEmpty() && f.Label3.caption.isEmpty());
    CHECK_STATE(f.Label8.caption.isEmpty() && f.Text1.value.isEmpty());
    CHECK_STATE(f.Label2.visible && f.Label4.visible && f.Text1.visible && f.Label7.visible);
    CHECK_STATE(menusEnabled(f, false));
    return {};
}

QString idle(const FakeForm1 &f)
{
    CHECK_STATE(f.clock.enabledTimers() == 0);
    CHECK_STATE(f.Command1.visible && f.Command1.enabled);
    CHECK_STATE(f.Command2.visible && f.Command2.enabled);
    CHECK_STATE(!f.Command3.visible && !f.Command4.visible && !f.Command4.enabled);
    CHECK_STATE(!f.ProgressBar1.visible);
    CHECK_STATE(f.Label7.caption == texts::idlePrompt);
    CHECK_STATE(f.Label1.caption.isEmpty() && f.Label3.caption.isEmpty());
    CHECK_STATE(f.Text1.visible && f.Text1.value.isEmpty() && f.Text1.centred);
    CHECK_STATE(menusEnabled(f, true));
    CHECK_STATE(f.state.score == 0 && f.state.serie == 0 && f.state.total == 0);
    return {};
}

// Answers the question on screen; returns when it has been judged.
void answer(FakeForm1 &f, Answer a)
{
    const QString right = f.state.quotient.toString();
    switch (a) {
    case Right:
    case Wrong:
    case Empty:
        f.clock.advance(150); // three refresh ticks
        f.Text1.value = a == Right ? right : a == Wrong ? QStringLiteral("10") : QString();
        f.engine->Command3_Click();
        break;
    case TimeOutEmpty:
    case TimeOutRight:
        if (a == TimeOutRight)
            f.Text1.value = right;
        f.runUntilJudged();
        break;
    }
}

} // namespace

class TestQuestionCycle : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void idleAfterLoad();
    void wholeSeries_data();
    void wholeSeries();
    void timeOut_data();
    void timeOut();
    void validateStopsTheBar();
    void questionShowsOnFirstTick_data();
    void questionShowsOnFirstTick();
    void continueKeepsTotals();
    void restart_data();
    void restart();
    void validationInPauseNotCounted();
    void orderOfChanges_data();
    void orderOfChanges();
    void eventsWaitingAtPausePoints_data();
    void eventsWaitingAtPausePoints();
};

void TestQuestionCycle::idleAfterLoad()
{
    FakeForm1 f;
    Invariants invariants(f);
    f.load();
    QCOMPARE(idle(f), QString());
    QVERIFY(!f.Label8.visible && !f.Text2.visible);
}

void TestQuestionCycle::wholeSeries_data()
{
    QTest::addColumn<int>("level");
    QTest::addColumn<int>("speed");
    QTest::addColumn<int>("vitesse"); // answer-timer ticks a question allows
    QTest::newRow("Niveau 1, Lent") << 1 << int(Lent) << 200;
    QTest::newRow("Niveau 1, Moyen") << 1 << int(Moyen) << 100;
    QTest::newRow("Niveau 1, Rapide") << 1 << int(Rapide) << 50;
    QTest::newRow("Niveau 3, Rapide") << 3 << int(Rapide) << 50;
}

void TestQuestionCycle::wholeSeries()
{
    QFETCH(int, level);
    QFETCH(int, speed);
    QFETCH(int, vitesse);
    FakeForm1 f;
    Invariants invariants(f);
    f.load();
    choose(f, Level(level), Speed(speed));
    // Two draws a question, and at "Niveau 3" the remainder first, also on the call that ends
    // the series.
    auto script = [&](int i) {
        if (level == 3)
            f.random.draw({2 + i % 3});
        if (i < 10)
            f.random.draw({(i % 9) + 1, 9 - (i % 9)});
    };

    const Answer answers[10] = {Right,        Right,        Wrong, Right, Empty,
                                TimeOutEmpty, TimeOutRight, Wrong, Right, Empty};
    const QString expectedScores[10] = {"0 / 0", "1 / 1", "2 / 2", "2 / 3", "3 / 4",
                                        "3 / 5", "3 / 6", "4 / 7", "4 / 8", "5 / 9"};
    script(0);
    f.engine->Command1_Click();
    for (int i = 0; i < 10; ++i) {
        const qint64 start = f.clock.now();
        QCOMPARE(asking(f), QString());
        QCOMPARE(f.Label6.caption, expectedScores[i]);
        QCOMPARE(f.state.decompte.value(), vitesse);
        QVERIFY(f.Text1.value.isEmpty());

        answer(f, answers[i]);
        const qint64 judged = f.clock.now();
        if (answers[i] == TimeOutEmpty || answers[i] == TimeOutRight)
            QCOMPARE(judged - start, qint64(vitesse) * 50);
        QCOMPARE(feedbackPause(f), QString());
        QCOMPARE(f.state.serie.value(), i + 1);
        const QString feedback = f.state.message;
        QCOMPARE(f.Label7.caption, texts::answerPrompt);

        f.clock.advance(99);
        QCOMPARE(f.Label7.caption, texts::answerPrompt);
        f.clock.advance(1);
        QCOMPARE(f.Label7.caption, feedback);

        script(i + 1);
        f.clock.advance(899);
        QCOMPARE(feedbackPause(f), QString());
        f.clock.advance(1);
        QCOMPARE(f.clock.now(), judged + 1000);
        if (i < 9)
            QCOMPARE(asking(f), QString());
    }

    // Each answer as the record outside the game gets it, and the series' score once.
    QCOMPARE(int(f.results.answers.size()), 10);
    for (int i = 0; i < 10; ++i) {
        const AnsweredQuestion &q = f.results.answers[i];
        const bool timedOut = answers[i] == TimeOutEmpty || answers[i] == TimeOutRight;
        QCOMPARE(q.number, i + 1);
        QCOMPARE(q.correct, answers[i] == Right || answers[i] == TimeOutRight);
        QCOMPARE(q.given.isEmpty(), answers[i] == Empty || answers[i] == TimeOutEmpty);
        QCOMPARE(q.elapsedMs, timedOut ? vitesse * 50 : 150);
        QCOMPARE(q.dividend, q.divisor * q.quotient + q.remainder);
        if (level != 3)
            QCOMPARE(q.remainder, Integer(0));
    }
    QCOMPARE(f.results.series, (std::vector<std::pair<int, int>>{{5, 10}}));

    // The tenth pause tick ended the series instead of drawing a question.
    QVERIFY(f.random.exhausted());
    QCOMPARE(f.random.drawsTaken(), level == 3 ? 31 : 20);
    QCOMPARE(f.Label8.visible, level == 3);
    QCOMPARE(seriesEndPause(f), QString());
    QCOMPARE(f.state.message, QStringLiteral("Ton score est de 5 sur 10"));
    const QString lastFeedback = f.Label7.caption;
    f.clock.advance(100);
    for (int tick = 1; tick <= 9; ++tick) {
        QCOMPARE(f.Label7.caption, QStringLiteral("Ton score est de 5 sur 10"));
        QCOMPARE(f.seriesEndDialogShown, 0);
        QVERIFY(f.onScreen);
        if (tick < 9)
            f.clock.advance(100);
    }
    QVERIFY(lastFeedback != f.Label7.caption);
    f.clock.advance(100);
    QCOMPARE(f.seriesEndDialogShown, 1);
    QVERIFY(!f.onScreen);
    QCOMPARE(f.clock.enabledTimers(), 0);
    QCOMPARE(invariants.firstViolation, QString());
    QVERIFY(invariants.ticks > 0);
}

void TestQuestionCycle::timeOut_data()
{
    QTest::addColumn<int>("speed");
    QTest::addColumn<int>("vitesse");
    QTest::newRow("Lent: 200 ticks, 10 s") << int(Lent) << 200;
    QTest::newRow("Moyen: 100 ticks, 5 s") << int(Moyen) << 100;
    QTest::newRow("Rapide: 50 ticks, 2.5 s") << int(Rapide) << 50;
}

void TestQuestionCycle::timeOut()
{
    QFETCH(int, speed);
    QFETCH(int, vitesse);
    FakeForm1 f;
    Invariants invariants(f);
    f.load();
    choose(f, Niveau1, Speed(speed));
    f.random.draw({3, 4});
    f.engine->Command1_Click();
    const double step = 100.0 / (vitesse - 1);
    float previous = 0;
    for (int tick = 1; tick < vitesse; ++tick) {
        f.clock.advance(50);
        QVERIFY(f.Timer1->isEnabled());
        QVERIFY(f.ProgressBar1.current > previous);
        previous = f.ProgressBar1.current;
        QVERIFY2(std::abs(f.ProgressBar1.current - tick * step) < 1e-3,
                 qPrintable(QString::number(tick)));
    }
    QVERIFY2(std::abs(f.ProgressBar1.current - 100.0f) < 1e-3f,
             qPrintable(QString::number(double(f.ProgressBar1.current), 'g', 10)));
    QCOMPARE(f.state.total.value(), 0);
    f.clock.advance(50);
    QVERIFY(!f.Timer1->isEnabled() && f.Timer2->isEnabled());
    QCOMPARE(f.state.total.value(), 1);
    QCOMPARE(f.state.message, texts::noAnswer);
    QCOMPARE(f.clock.now(), qint64(vitesse) * 50);
    QCOMPARE(invariants.firstViolation, QString());
}

void TestQuestionCycle::validateStopsTheBar()
{
    FakeForm1 f;
    Invariants invariants(f);
    f.load();
    choose(f, Niveau1, Moyen);
    f.random.draw({6, 7});
    f.engine->Command1_Click();
    f.clock.advance(150);
    const float atPress = f.ProgressBar1.current;
    QVERIFY(std::abs(atPress - 3 * 100.0f / 99) < 1e-4f);
    f.Text1.value = QStringLiteral("6");
    f.engine->Command3_Click();
    QCOMPARE(f.state.message, texts::rightAnswer);
    f.clock.advance(100);
    QCOMPARE(f.Label7.caption, texts::rightAnswer);
    f.random.draw({1, 1});
    f.clock.advance(899);
    QCOMPARE(f.ProgressBar1.current, atPress);
    QCOMPARE(f.Text1.value, QStringLiteral("6"));
    f.clock.advance(1);
    QCOMPARE(f.clock.now(), qint64(150 + 1000));
    QCOMPARE(f.ProgressBar1.current, 0.0f);
    QCOMPARE(asking(f), QString());
    QCOMPARE(invariants.firstViolation, QString());
}

void TestQuestionCycle::questionShowsOnFirstTick_data()
{
    QTest::addColumn<int>("level");
    QTest::addColumn<QList<int>>("draws");
    QTest::addColumn<QString>("dividend");
    QTest::addColumn<QString>("divisor");
    QTest::addColumn<QString>("remainder");
    QTest::newRow("niveau 1: remainder field hidden, 0 in it") << 1 << QList{7, 8} << "56"
                                                               << "8"
                                                               << "0";
    QTest::newRow("niveau 3: the remainder beside the box") << 3 << QList{2, 5, 6} << "32"
                                                            << "6"
                                                            << "2";
}

void TestQuestionCycle::questionShowsOnFirstTick()
{
    QFETCH(int, level);
    QFETCH(QList<int>, draws);
    FakeForm1 f;
    Invariants invariants(f);
    f.load();
    choose(f, Level(level), Lent);
    for (int d : draws)
        f.random.draw({d});
    f.engine->Command1_Click();
    // Set up, but nothing of the question on screen until the first tick; every draw asked
    // for the cursor in the answer box.
    QVERIFY(f.Label1.caption.isEmpty());
    QCOMPARE(f.Label7.caption, texts::idlePrompt);
    QCOMPARE(f.Text1.focusRequests, int(draws.size()));
    QVERIFY(f.pendingEventsProcessed >= 1);
    f.clock.advance(49);
    QVERIFY(f.Label1.caption.isEmpty());
    f.clock.advance(1);
    QTEST(f.Label1.caption, "dividend");
    QTEST(f.Label3.caption, "divisor");
    QTEST(f.Text2.value, "remainder");
    QCOMPARE(f.Label7.caption, texts::answerPrompt);
    QCOMPARE(f.Label8.caption, texts::remainderCaption);
    QCOMPARE(f.Label8.visible, level == 3);
    QCOMPARE(f.Text2.visible, level == 3);
    QCOMPARE(invariants.firstViolation, QString());
}

void TestQuestionCycle::continueKeepsTotals()
{
    FakeForm1 f;
    Invariants invariants(f);
    f.load();
    choose(f, Niveau2, Moyen);
    f.random.repeatWhenEmpty(2);
    f.engine->Command1_Click();
    for (int i = 0; i < 10; ++i) {
        answer(f, i < 7 ? Right : Wrong);
        f.runUntilAsking();
        if (f.state.serie == 10)
            break;
    }
    while (f.seriesEndDialogShown == 0 && f.clock.runNextTick()) {
    }
    QCOMPARE(f.seriesEndDialogShown, 1);
    QCOMPARE(f.state.score.value(), 7);
    QCOMPARE(f.state.total.value(), 10);

    // "&Continuer": serie back to 0, the window shown, and the next question at once.
    f.state.serie = 0;
    f.onScreen = true;
    f.random.draw({4, 5});
    f.engine->depart0();
    QCOMPARE(asking(f), QString());
    QCOMPARE(f.Label6.caption, QStringLiteral("7 / 10"));
    QVERIFY(f.Label5.visible);
    QCOMPARE(f.state.decompte.value(), 100);
    QCOMPARE(f.state.diviseur.value(), 50);
    QCOMPARE(f.state.dividende.value(), 200);
    QCOMPARE(f.state.score.value(), 7);
    QCOMPARE(f.state.total.value(), 10);
    // The next series is scored on its own.
    for (int i = 0; i < 10; ++i) {
        answer(f, i < 4 ? Right : Wrong);
        f.runUntilAsking();
    }
    QCOMPARE(f.results.series, (std::vector<std::pair<int, int>>{{7, 10}, {4, 10}}));
    QCOMPARE(invariants.firstViolation, QString());
}

void TestQuestionCycle::restart_data()
{
    QTest::addColumn<bool>("inPause");
    QTest::newRow("during a question") << false;
    QTest::newRow("during the feedback pause") << true;
}

void TestQuestionCycle::restart()
{
    QFETCH(bool, inPause);
    FakeForm1 f;
    Invariants invariants(f);
    f.load();
    choose(f, Niveau3, Rapide);
    f.random.draw({3, 4, 5});
    f.engine->Command1_Click();
    answer(f, Right);
    f.random.draw({3, 4, 5});
    f.runUntilAsking();
    f.clock.advance(100);
    if (inPause)
        answer(f, Wrong);
    const QString oldScore = f.Label6.caption;
    QCOMPARE(oldScore, QStringLiteral("1 / 1"));

    f.engine->Command4_Click();
    QCOMPARE(f.clock.enabledTimers(), 0);
    const int ticks = invariants.ticks;
    f.clock.advance(20000);
    QCOMPARE(invariants.ticks, ticks);
    QCOMPARE(idle(f), QString());
    QCOMPARE(f.state.facteur.value(), 1);
    QCOMPARE(f.state.echelle.value(), 1);
    // What the reset leaves alone: the remainder field and the old score text.
    QVERIFY(f.Label8.visible && f.Text2.visible);
    QVERIFY(f.Text2.value.isEmpty());
    QCOMPARE(f.Label6.caption, oldScore);
    QVERIFY(f.mnuNiveau3.checked && f.mnuRapide.checked);
    QCOMPARE(invariants.firstViolation, QString());
}

void TestQuestionCycle::validationInPauseNotCounted()
{
    FakeForm1 f;
    Invariants invariants(f);
    f.load();
    f.random.repeatWhenEmpty(5);
    f.engine->Command1_Click();
    for (int i = 0; i < 10; ++i) {
        answer(f, Right);
        f.clock.advance(500);
        f.engine->Command3_Click(); // again, in the pause
        f.clock.advance(500);
    }
    QCOMPARE(f.state.serie.value(), 10);
    QCOMPARE(f.state.total.value(), 10);
    QCOMPARE(f.state.score.value(), 10);
    QCOMPARE(seriesEndPause(f), QString());
    QCOMPARE(invariants.firstViolation, QString());
}

static QStringList split(const char *changes)
{
    return QString::fromUtf8(changes).split(QLatin1Char(' '));
}

void TestQuestionCycle::orderOfChanges_data()
{
    // Controls change one property at a time, in a fixed order; "events" marks the points where
    // pending events run. Captions are written without their blanks here.
    QTest::addColumn<QString>("procedure");
    QTest::addColumn<QStringList>("changes");
    QTest::newRow("init") << "init"
                          << split("mnuNiveau1.enabled=1 mnuNiveau2.enabled=1 mnuNiveau3.enabled=1 "
                                   "mnuLent.enabled=1 mnuRapide.enabled=1 mnuMoyen.enabled=1 "
                                   "Command1.visible=1 Command2.visible=1 Command1.enabled=1 "
                                   "Command2.enabled=1 Command4.enabled=0 Command4.visible=0 "
                                   "Label1.caption= Label3.caption= Text1.text= Text2.text= "
                                   "Text1.centred Label7.caption=Clique_sur_Démarrer_si_tu_es_prêt "
                                   "Label4.visible=1 Label2.visible=1 Label5.visible=1 "
                                   "Label7.visible=1 Text1.visible=1 ProgressBar1.visible=0 "
                                   "Command3.visible=0 Timer1.enabled=0 Timer2.enabled=0 "
                                   "Timer3.enabled=0");
    QTest::newRow("Démarrer at Niveau 3")
        << "Command1_Click"
        << split("Command4.visible=1 Command4.enabled=1 Command1.visible=0 Command1.enabled=0 "
                 "Command4.visible=1 Command4.enabled=1 Text1.focus Label8.visible=1 "
                 "Text2.visible=1 mnuRapide.enabled=0 mnuLent.enabled=0 mnuMoyen.enabled=0 "
                 "mnuNiveau1.enabled=0 mnuNiveau2.enabled=0 mnuNiveau3.enabled=0 "
                 "ProgressBar1.value=0 ProgressBar1.visible=1 Command3.visible=1 "
                 "Command1.enabled=0 Command2.visible=1 Command3.enabled=1 Command2.enabled=1 "
                 "Label5.visible=1 Label6.visible=1 Label6.caption=0_/_0 Text1.text= Text2.text= "
                 "Text1.focus Text1.focus Timer1.enabled=1 events");
    QTest::newRow("refresh tick")
        << "Timer1_Timer"
        << split(
               "Label6.caption=0_/_0 Label1.caption=31 Label3.caption=7 "
               "Label8.caption=et_il_reste Text2.text=3 "
               "Label7.caption=Donne_ta_réponse_et_appuie_sur_ENTREE ProgressBar1.value=0.502513");
    QTest::newRow("end of the series")
        << "fin"
        << split("Timer1.enabled=0 Timer2.enabled=0 Timer3.enabled=0 events "
                 "ProgressBar1.visible=0 Command1.enabled=0 Command2.enabled=0 "
                 "Command3.enabled=0 Command1.visible=0 Command2.visible=0 Command3.visible=0 "
                 "Command4.enabled=0 Command4.visible=0 Label5.visible=0 Label6.visible=0 "
                 "Label1.caption= Label3.caption= Label8.caption= Text1.text= events "
                 "Timer3.enabled=1");
    QTest::newRow("menu Lent") << "mnuLent_Click"
                               << split("mnuMoyen.checked=0 mnuRapide.checked=0 mnuLent.checked=1");
    QTest::newRow("menu Moyen") << "mnuMoyen_Click"
                                << split(
                                       "mnuMoyen.checked=1 mnuRapide.checked=0 mnuLent.checked=0");
    QTest::newRow("menu Rapide") << "mnuRapide_Click"
                                 << split(
                                        "mnuMoyen.checked=0 mnuRapide.checked=1 mnuLent.checked=0");
    QTest::newRow("menu Niveau 2")
        << "mnuNiveau2_Click"
        << split("mnuNiveau1.checked=0 mnuNiveau2.checked=1 mnuNiveau3.checked=0");
}

void TestQuestionCycle::orderOfChanges()
{
    QFETCH(QString, procedure);
    QFETCH(QStringList, changes);
    for (QString &c : changes)
        c.replace(QLatin1Char('_'), QLatin1Char(' '));
    FakeForm1 f;
    f.load();
    choose(f, Niveau3, Lent);
    f.random.draw({7, 4, 3});
    if (procedure == QLatin1String("Timer1_Timer")) {
        f.engine->Command1_Click();
    }
    f.record(true);
    QuizEngine &e = *f.engine;
    if (procedure == QLatin1String("init"))
        e.init();
    else if (procedure == QLatin1String("Command1_Click"))
        e.Command1_Click();
    else if (procedure == QLatin1String("Timer1_Timer"))
        f.clock.advance(50);
    else if (procedure == QLatin1String("fin"))
        e.fin();
    else if (procedure == QLatin1String("mnuLent_Click"))
        e.mnuLent_Click();
    else if (procedure == QLatin1String("mnuMoyen_Click"))
        e.mnuMoyen_Click();
    else if (procedure == QLatin1String("mnuRapide_Click"))
        e.mnuRapide_Click();
    else if (procedure == QLatin1String("mnuNiveau2_Click"))
        e.mnuNiveau2_Click();
    QCOMPARE(f.changes, changes);
}

void TestQuestionCycle::eventsWaitingAtPausePoints_data()
{
    // What the child did just before the game let pending events run.
    QTest::addColumn<QString>("point");
    QTest::addColumn<QString>("action");
    QTest::addColumn<QString>("expected");
    QTest::newRow("Recommencer waiting as a question starts") << "depart"
                                                              << "recommencer"
                                                              << "idle";
    QTest::newRow("Valider waiting as a question starts") << "depart"
                                                          << "valider"
                                                          << "judged";
    QTest::newRow("Recommencer waiting as the series ends") << "fin"
                                                            << "recommencer"
                                                            << "series end";
    QTest::newRow("Valider waiting as the series ends") << "fin"
                                                        << "valider"
                                                        << "series end";
}

void TestQuestionCycle::eventsWaitingAtPausePoints()
{
    QFETCH(QString, point);
    QFETCH(QString, action);
    QFETCH(QString, expected);
    FakeForm1 f;
    Invariants invariants(f);
    f.load();
    f.random.repeatWhenEmpty(3);
    f.engine->Command1_Click();
    if (point == QLatin1String("fin")) {
        for (int i = 0; i < 9; ++i) {
            answer(f, Right);
            f.runUntilAsking();
        }
        answer(f, Right);
    }
    f.queue([&f, action] {
        if (action == QLatin1String("recommencer"))
            f.engine->Command4_Click();
        else
            f.engine->Command3_Click();
    });
    if (point == QLatin1String("depart"))
        f.engine->Command4_Click(), f.engine->Command1_Click();
    else
        f.clock.advance(1000);

    if (expected == QLatin1String("idle")) {
        QCOMPARE(idle(f), QString());
    } else if (expected == QLatin1String("judged")) {
        // Judged before the first tick: the empty box, with the question already drawn.
        QCOMPARE(f.state.total.value(), 1);
        QCOMPARE(f.state.message, texts::noAnswer);
        QCOMPARE(feedbackPause(f), QString());
    } else {
        // The buttons were still there when the events ran; the series ends all the same. A
        // restart at that moment has reset the counters (and the menus) before the score text.
        if (action == QLatin1String("recommencer")) {
            QVERIFY(f.Timer3->isEnabled() && !f.Command4.visible);
            QCOMPARE(f.state.message, QStringLiteral("Ton score est de 0 sur 0"));
        } else {
            QCOMPARE(seriesEndPause(f), QString());
            QCOMPARE(f.state.total.value(), 10);
        }
        f.clock.advance(1000);
        QCOMPARE(f.seriesEndDialogShown, 1);
    }
    QCOMPARE(invariants.firstViolation, QString());
}

QTEST_GUILESS_MAIN(TestQuestionCycle)
#include "tst_questioncycle.moc"
