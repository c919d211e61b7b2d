#include "fakeform1.h"

#include "windowwiring.h"

namespace calcaro::test {

FakeForm1::FakeForm1()
{
    auto timer = [this](const wiring::Tick &t) {
        return std::make_unique<SimTimer>(clock, t.intervalMs,
                                          [this, tick = t.tick] { ((*engine).*tick)(); });
    };
    Timer1 = timer(wiring::tickOf("Timer1"));
    Timer2 = timer(wiring::tickOf("Timer2"));
    Timer3 = timer(wiring::tickOf("Timer3"));
    Label2.caption = QStringLiteral(":");
    Label4.caption = QStringLiteral("=");
    Label5.caption = QStringLiteral("Score =");
    Label8.caption = QStringLiteral("Label8");
    ProgressBar1.visible = false;
    controls.reset(new Form1Controls(form1ControlsOf(*this, *this)));
    engine = std::make_unique<QuizEngine>(state, *controls, random, &results);
}

void FakeForm1::record(bool on)
{
    m_recording = on;
    QStringList *log = on ? &changes : nullptr;
    const std::pair<Recorded *, const char *> controls[] = {
        {&Label1, "Label1"},         {&Label2, "Label2"},         {&Label3, "Label3"},
        {&Label4, "Label4"},         {&Label5, "Label5"},         {&Label6, "Label6"},
        {&Label7, "Label7"},         {&Label8, "Label8"},         {&Text1, "Text1"},
        {&Text2, "Text2"},           {&Command1, "Command1"},     {&Command2, "Command2"},
        {&Command3, "Command3"},     {&Command4, "Command4"},     {&ProgressBar1, "ProgressBar1"},
        {&mnuNiveau1, "mnuNiveau1"}, {&mnuNiveau2, "mnuNiveau2"}, {&mnuNiveau3, "mnuNiveau3"},
        {&mnuLent, "mnuLent"},       {&mnuMoyen, "mnuMoyen"},     {&mnuRapide, "mnuRapide"}};
    for (const auto &[control, name] : controls) {
        control->name = QString::fromLatin1(name);
        control->log = log;
    }
    const std::pair<SimTimer *, const char *> timers[] = {
        {Timer1.get(), "Timer1"}, {Timer2.get(), "Timer2"}, {Timer3.get(), "Timer3"}};
    for (const auto &[timer, name] : timers) {
        timer->name = QString::fromLatin1(name);
        timer->log = log;
    }
    changes.clear();
}

void FakeForm1::load()
{
    engine->Form_Load();
}

bool FakeForm1::processPendingEvents()
{
    ++pendingEventsProcessed;
    if (m_recording)
        changes.append(QStringLiteral("events"));
    // Only what was waiting already runs; actions queued meanwhile wait for the next call.
    std::vector<std::function<void()>> waiting;
    waiting.swap(m_pending);
    for (auto &action : waiting)
        action();
    return true; // the stand-in window is never closed
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
