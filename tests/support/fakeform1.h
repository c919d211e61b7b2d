#pragma once

#include "fakecontrols.h"
#include "form1controls.h"
#include "module1.h"
#include "quizengine.h"
#include "scriptedrandom.h"
#include "simclock.h"

#include <functional>
#include <memory>
#include <utility>
#include <vector>

namespace calcaro::test {

// What the game reported of the answers and the series, in order.
struct RecordedResults : ResultListener
{
    void answered(const AnsweredQuestion &question) override { answers.push_back(question); }
    void seriesEnded(int score, int outOf) override { series.emplace_back(score, outOf); }
    std::vector<AnsweredQuestion> answers;
    std::vector<std::pair<int, int>> series;
};

// A stand-alone main window: every control is a fake, the timers run on a simulated clock and
// "process pending events" runs whatever the test queued.
class FakeForm1 : public FormWindow
{
public:
    FakeForm1();

    // Starts the window the way it loads: the remainder field hidden, then init.
    void load();

    // The child's actions, run at the next "process pending events".
    void queue(std::function<void()> action) { m_pending.push_back(std::move(action)); }

    bool isOnScreen() const override { return onScreen; }
    void hide() override { onScreen = false; }
    void showSeriesEndDialog() override { ++seriesEndDialogShown; }
    bool processPendingEvents() override;

    // Runs ticks until the judgement of the current question (Timer2 switched on).
    void runUntilJudged();
    // Runs ticks until the next question has been set up (Timer1 switched on).
    void runUntilAsking();

    Module1 state;
    SimClock clock;
    ScriptedRandom random;

    FakeLabel Label1, Label2, Label3, Label4, Label5, Label6, Label7, Label8;
    FakeTextBox Text1, Text2;
    FakeButton Command1, Command2, Command3, Command4;
    FakeProgressBar ProgressBar1;
    FakeMenuItem mnuNiveau1, mnuNiveau2, mnuNiveau3, mnuLent, mnuMoyen, mnuRapide;
    std::unique_ptr<SimTimer> Timer1, Timer2, Timer3;

    // Every change the game makes to a control, in order, while recording.
    QStringList changes;
    void record(bool on);

    bool onScreen = true;
    int seriesEndDialogShown = 0;
    int pendingEventsProcessed = 0;

    RecordedResults results;
    std::unique_ptr<Form1Controls> controls;
    std::unique_ptr<QuizEngine> engine;

private:
    std::vector<std::function<void()>> m_pending;
    bool m_recording = false;
};

} // namespace calcaro::test
