#pragma once

#include "form1controls.h"
#include "integer.h"
#include "module1.h"
#include "randomsource.h"
#include "resultlistener.h"

namespace calcaro {

// The procedures of the main window that run the game: they act only on the shared state, the
// window's controls and the random source, so a stand-in window and simulated ticks can drive a
// whole game. The window forwards its clicks, menu choices and timer ticks here.
class QuizEngine
{
public:
    // Each tick of Timer1, the answer countdown: the time a question allows is counted in them.
    static constexpr int answerTickMs = 50;
    // Questions in a series: the pause after the last one shows the score, not a new question.
    static constexpr int seriesLength = 10;

    QuizEngine(Module1 &state, Form1Controls &controls, RandomSource &random,
               ResultListener *results = nullptr);

    // A whole number from 1 to 9; also puts the cursor in the answer box when it can.
    Integer NombreHasard();

    // The window's load behaviour, once its controls are as its layout draws them: the starting
    // level and speed checked, the remainder hidden, then init.
    void Form_Load();
    void init();
    void depart0();
    void depart();
    void verification();
    // False when the window went away or the program ended while waiting events ran: then
    // nothing more of the game may be touched.
    bool fin();
    void passage();

    void Command1_Click(); // "&Démarrer"
    void Command3_Click(); // "&Valider", or Enter
    void Command4_Click(); // "&Recommencer"

    void Timer1_Timer();
    void Timer2_Timer();
    void Timer3_Timer();

    void mnuNiveau1_Click();
    void mnuNiveau2_Click();
    void mnuNiveau3_Click();
    void mnuLent_Click();
    void mnuMoyen_Click();
    void mnuRapide_Click();

    // The first half of depart0: the level and speed parameters from the check marks, with the
    // remainder field shown or hidden, then the six items disabled.
    void applySettings();
    // The arithmetic half of depart: draws the problem and sets the countdown.
    void drawProblem();

    // The three timers off: the window is going away, or the program ends.
    void stopTimers();
    // Puts the cursor in the answer box.
    void focusAnswerBox();

    // "score / total", as the running score shows it.
    QString scoreDisplay() const;

private:
    void advanceProgressBar();
    void report(bool correct);

    Module1 &m;
    Form1Controls &c;
    RandomSource &m_random;
    ResultListener *m_results;
    int m_seriesScore = 0; // right answers in the series under way
};

} // namespace calcaro
