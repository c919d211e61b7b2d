#include "fakeform1.h"

namespace calcaro::test {

FakeForm1::FakeForm1()
{
    Timer1 = std::make_unique<SimTimer>(clock, 50, [this] { engine->Timer1_Timer(); });
    Timer2 = std::make_unique<SimTimer>(clock, 100, [this] { engine->Timer2_Timer(); });
    Timer3 = std::make_unique<SimTimer>(clock, 100, [this] { engine->Timer3_Timer(); });
    mnuNiveau1.checked = true;
    mnuLent.checked = true;
    Label2.caption = QStringLiteral(":");
    Label4.caption = QStringLiteral("=");
    Label5.caption = QStringLiteral("Score =");
    Label8.caption = QStringLiteral("Label8");
    ProgressBar1.visible = false;
    controls = std::make_unique<Form1Controls>(Form1Controls{
        Label1,  Label2,   Label3,    Label4,       Label5,     Label6,     Label7,
        Label8,  Text1,    Text2,     Command1,     Command2,   Command3,   Command4,
        *Timer1, *Timer2,  *Timer3,   ProgressBar1, mnuNiveau1, mnuNiveau2, mnuNiveau3,
        mnuLent, mnuMoyen, mnuRapide, *this});
    engine = std::make_unique<QuizEngine>(state, *controls, random);
}

void FakeForm1::load()
{
    Label8.visible = false;
    Text2.visible = false;
    engine->init();
}

void FakeForm1::processPendingEvents()
{
    ++pendingEventsProcessed;
    // Only what was waiting already runs; actions queued meanwhile wait for the next call.
    std::vector<std::function<void()>> waiting;
    waiting.swap(m_pending);
    for (auto &action : waiting)
        action();
}

void FakeForm1::runUntilJudged()
{
    while (!Timer2->isEnabled() && clock.runNextTick()) {
    }
}

void FakeForm1::runUntilAsking()
{
    while (!Timer1->isEnabled() && clock.runNextTick()) {
    }
}

} // namespace calcaro::test
