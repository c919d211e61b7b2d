#include "gamewindows.h"

#include "quizengine.h"
#include "texts.h"

namespace calcaro {

GameWindows::GameWindows(Module1 &state, WindowSystem &system) : m(state), m_system(system) {}

void GameWindows::load(WindowId window)
{
    Slot &s = slot(window);
    if (s.exists)
        return;
    // Known before its load behaviour runs, which may already let events run.
    s.exists = true;
    ++s.instance;
    m_system.create(window);
}

void GameWindows::show(WindowId window)
{
    load(window);
    if (m_ended)
        return; // a handler still finishing shows nothing any more
    if (window == WindowId::SeriesEnd)
        m_system.setSeriesEndScore(texts::dialogScore(m.score, m.total));
    m_system.show(window);
}

void GameWindows::seriesEnded()
{
    m_seriesEndPending = true;
    show(WindowId::SeriesEnd);
}

void GameWindows::unloadMainWindow()
{
    if (!exists(WindowId::Main))
        return;
    stopMainTimers();
    slot(WindowId::Main).exists = false;
    m_system.destroy(WindowId::Main);
    // The game is gone, and with it the end of its series.
    m_seriesEndPending = false;
    unloadSeriesEndDialog();
}

void GameWindows::unloadSeriesEndDialog()
{
    if (!exists(WindowId::SeriesEnd))
        return;
    slot(WindowId::SeriesEnd).exists = false;
    m_system.destroy(WindowId::SeriesEnd);
}

bool GameWindows::letEventsRun(WindowId window)
{
    const Slot &s = slot(window);
    const unsigned instance = s.running ? s.running : s.instance;
    const bool shown = s.exists && m_system.isVisible(window);
    m_system.processPendingEvents();
    if (m_ended || !s.exists || s.instance != instance)
        return false;
    return window == WindowId::Main || m_system.isVisible(window) == shown;
}

bool GameWindows::hideAndLetEventsRun(WindowId window)
{
    m_system.hide(window);
    return letEventsRun(window);
}

void GameWindows::end(int status)
{
    if (m_ended)
        return;
    m_ended = true;
    stopMainTimers();
    for (WindowId window : {WindowId::Main, WindowId::SeriesEnd, WindowId::Quit}) {
        if (exists(window))
            m_system.hide(window);
    }
    m_system.endProgram(status);
}

void GameWindows::fail(const QString &message)
{
    if (m_ended)
        return;
    stopMainTimers();
    m_system.reportError(texts::runTimeError + message);
    end(1);
}

void GameWindows::stopMainTimers()
{
    if (exists(WindowId::Main))
        m_system.game().stopTimers();
}

void GameWindows::depart0()
{
    handle(WindowId::Main, From::Program, [this] { m_system.game().depart0(); });
}

void GameWindows::init()
{
    handle(WindowId::Main, From::Program, [this] { m_system.game().init(); });
}

void GameWindows::form1_Command2_Click()
{
    m_system.hide(WindowId::Main); // the game goes on out of sight
    form1_QueryUnload();
}

void GameWindows::form1_QueryUnload()
{
    m.page = QStringLiteral("page1");
    show(WindowId::Quit);
    (void)letEventsRun(WindowId::Main); // the last step
}

// Closing is never refused. The window is gone for the game at once, timers and all, so that
// whatever runs while the confirmation comes up ("Non" included) finds a fresh window.
void GameWindows::form1_Close()
{
    unloadMainWindow();
    form1_QueryUnload();
}

void GameWindows::Form2_Command1_Click()
{
    // Closed meanwhile, or gone with its game: the close wins and this press does nothing more.
    if (!hideAndLetEventsRun(WindowId::SeriesEnd))
        return;
    m_seriesEndPending = false;
    m.serie = 0;
    show(WindowId::Main);
    depart0();
}

void GameWindows::Form2_Command2_Click()
{
    if (!hideAndLetEventsRun(WindowId::SeriesEnd))
        return;
    m_seriesEndPending = false;
    show(WindowId::Main);
    init();
}

void GameWindows::Form2_Command3_Click()
{
    Form2_Close();
}

// Never refused: the dialog goes and the quit confirmation takes its place, asked by the dialog.
void GameWindows::Form2_Close()
{
    m.page = QStringLiteral("page2");
    show(WindowId::Quit);
    unloadSeriesEndDialog();
}

void GameWindows::Form3_Command1_Click()
{
    Form3_Close();
}

// "Non" returns to the window that asked. A series that ended behind the confirmation, or whose
// dialog asked, brings its dialog back; the main window stays hidden under it. Once the game of
// that series is gone (its window was closed), "Non" returns to a fresh main window instead.
void GameWindows::Form3_Command2_Click()
{
    if (m.page != u"page1" && m.page != u"page2")
        return;
    if (!hideAndLetEventsRun(WindowId::Quit))
        return;
    if (m_seriesEndPending) {
        show(WindowId::SeriesEnd);
        (void)letEventsRun(WindowId::Quit); // the last step
        return;
    }
    // Created afresh, with its load behaviour, if it was closed.
    show(WindowId::Main);
    if (!letEventsRun(WindowId::Quit))
        return;
    m_system.game().focusAnswerBox();
}

// Only here does the program end.
void GameWindows::Form3_Close()
{
    end(0);
}

} // namespace calcaro
