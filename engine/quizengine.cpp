#include "quizengine.h"

#include "answervalue.h"
#include "texts.h"

#include <algorithm>
#include <cmath>

namespace calcaro {

QuizEngine::QuizEngine(Module1 &state, Form1Controls &controls, RandomSource &random,
                       ResultListener *results)
    : m(state), c(controls), m_random(random), m_results(results)
{}

Integer QuizEngine::NombreHasard()
{
    // The answer box can only take the focus on screen; a question may be drawn while the
    // window is hidden behind the quit confirmation, and then the focus step is skipped.
    if (c.Text1.isVisible() && c.window.isOnScreen())
        c.Text1.setFocus();
    const float u = m_random.next();
    const float x = u * 9.0f + 1.0f;
    return Integer(static_cast<int>(std::floor(x)));
}

void QuizEngine::Form_Load()
{
    // Every window starts at "Niveau 1", "Lent", whatever an earlier one was left at. The front
    // ends draw the items unchecked and leave the check marks to this.
    mnuNiveau1_Click();
    mnuLent_Click();
    c.Label8.setVisible(false);
    c.Text2.setVisible(false);
    init();
}

void QuizEngine::init()
{
    c.mnuNiveau1.setEnabled(true);
    c.mnuNiveau2.setEnabled(true);
    c.mnuNiveau3.setEnabled(true);
    c.mnuLent.setEnabled(true);
    c.mnuRapide.setEnabled(true);
    c.mnuMoyen.setEnabled(true);
    c.Command1.setVisible(true);
    c.Command2.setVisible(true);
    c.Command1.setEnabled(true);
    c.Command2.setEnabled(true);
    c.Command4.setEnabled(false);
    c.Command4.setVisible(false);
    c.Label1.setCaption(QString());
    c.Label3.setCaption(QString());
    c.Text1.setText(QString());
    c.Text2.setText(QString());
    c.Text1.setCentred();
    c.Label7.setCaption(texts::idlePrompt);
    c.Label4.setVisible(true);
    c.Label2.setVisible(true);
    c.Label5.setVisible(true);
    c.Label7.setVisible(true);
    c.Text1.setVisible(true);
    c.ProgressBar1.setVisible(false);
    c.Command3.setVisible(false);
    c.Timer1.setEnabled(false);
    c.Timer2.setEnabled(false);
    c.Timer3.setEnabled(false);
    m.initvariables();
}

void QuizEngine::applySettings()
{
    // Items are tested in a fixed order and each checked one applies at once, so a later item
    // would override an earlier one; an unchecked item changes nothing.
    if (c.mnuNiveau1.isChecked()) {
        m.reste = 0;
        m.facteur = 1;
        m.echelle = 1;
        c.Label8.setVisible(false);
        c.Text2.setVisible(false);
    }
    if (c.mnuNiveau2.isChecked()) {
        m.echelle = 10;
        m.reste = 0;
        c.Label8.setVisible(false);
        c.Text2.setVisible(false);
    }
    if (c.mnuNiveau3.isChecked()) {
        m.reste = NombreHasard();
        c.Label8.setVisible(true);
        c.Text2.setVisible(true);
    }
    if (c.mnuLent.isChecked())
        m.vitesse = 200;
    if (c.mnuMoyen.isChecked())
        m.vitesse = 100;
    if (c.mnuRapide.isChecked())
        m.vitesse = 50;

    c.mnuRapide.setEnabled(false);
    c.mnuLent.setEnabled(false);
    c.mnuMoyen.setEnabled(false);
    c.mnuNiveau1.setEnabled(false);
    c.mnuNiveau2.setEnabled(false);
    c.mnuNiveau3.setEnabled(false);
}

void QuizEngine::drawProblem()
{
    m.quotient = NombreHasard();
    const Integer d = NombreHasard();
    m.diviseur = d;
    if (m.reste != 0 && m.reste > d) {
        m.diviseur = m.reste;
        m.reste = d;
    }
    if (m.reste == m.diviseur)
        m.reste = 0;
    m.diviseur = m.diviseur * m.echelle;
    m.dividende = (m.diviseur * m.quotient) * m.facteur + m.reste;
    m.decompte = m.vitesse;
}

QString QuizEngine::scoreDisplay() const
{
    return m.score.toString() + QStringLiteral(" / ") + m.total.toString();
}

void QuizEngine::depart0()
{
    c.Command4.setVisible(true);
    c.Command4.setEnabled(true);
    applySettings();
    if (m.serie == seriesLength) {
        if (fin())
            (void)c.window.processPendingEvents();
    } else {
        depart();
    }
}

void QuizEngine::depart()
{
    c.ProgressBar1.setValue(0);
    c.ProgressBar1.setVisible(true);
    c.Command3.setVisible(true);
    c.Command1.setEnabled(false);
    c.Command2.setVisible(true);
    c.Command3.setEnabled(true);
    c.Command2.setEnabled(true);
    // The end of a series hides "Score =" with the figures; bring both back together so the
    // heading never goes missing in a series begun with "&Continuer".
    c.Label5.setVisible(true);
    c.Label6.setVisible(true);
    c.Label6.setCaption(scoreDisplay());
    m.saisie.clear();
    c.Text1.setText(QString());
    c.Text2.setText(QString());
    drawProblem();
    c.Timer1.setEnabled(true);
    (void)c.window.processPendingEvents(); // the last step: nothing follows either way
}

void QuizEngine::Timer1_Timer()
{
    m.message = texts::answerPrompt;
    m.decompte = m.decompte - 1;
    if (m.decompte <= 0) {
        c.Timer1.setEnabled(false);
        verification();
        return;
    }
    c.Label6.setCaption(scoreDisplay());
    c.Label1.setCaption(m.dividende.toString());
    c.Label3.setCaption(m.diviseur.toString());
    c.Label8.setCaption(texts::remainderCaption);
    c.Text2.setText(m.reste.toString());
    c.Label7.setCaption(m.message);
    advanceProgressBar();
}

void QuizEngine::advanceProgressBar()
{
    const double step = 100.0 / static_cast<double>((m.vitesse - 1).value());
    if (static_cast<double>(c.ProgressBar1.value()) + step > 100.0)
        c.ProgressBar1.setValue(100.0f);
    const float value = c.ProgressBar1.value();
    if (value < 100.0f)
        c.ProgressBar1.setValue(static_cast<float>(static_cast<double>(value) + step));
}

void QuizEngine::Command3_Click()
{
    // A question is judged once: a press during the feedback pause, or one queued behind the
    // time-out, would count a question twice and carry the series past its end.
    if (!c.Timer1.isEnabled())
        return;
    c.Timer1.setEnabled(false);
    verification();
}

void QuizEngine::verification()
{
    m.total = m.total + 1;
    m.serie = m.serie + 1;
    m.saisie = c.Text1.text();

    // A value outside the Integer range (only an exponent can produce one) is simply wrong.
    bool inRange = true;
    if (m.saisie.size() <= 4) {
        const std::optional<Integer> value = roundToInteger(readNumber(m.saisie));
        inRange = value.has_value();
        m.reponse = value.value_or(Integer(0));
    } else {
        m.reponse = 0;
    }

    if (m.saisie.isEmpty()) {
        m.attente = m.delai;
        m.message = texts::noAnswer;
        c.Timer2.setEnabled(true);
        report(false);
    } else if (inRange && m.reponse == m.quotient) {
        m.message = texts::rightAnswer;
        m.attente = m.delai;
        m.score = m.score + 1;
        c.Timer2.setEnabled(true);
        report(true);
    } else {
        m.message = texts::wrongAnswer(m.dividende, m.diviseur, m.quotient);
        m.attente = m.delai;
        c.Timer2.setEnabled(true);
        report(false);
    }
}

void QuizEngine::report(bool correct)
{
    // Counted here rather than from the running score, which goes on across "&Continuer".
    if (m.serie == 1)
        m_seriesScore = 0;
    if (correct)
        ++m_seriesScore;
    if (!m_results)
        return;
    m_results->answered(
        {.dividend = m.dividende,
         .divisor = m.diviseur,
         .remainder = m.reste,
         .quotient = m.quotient,
         .given = m.saisie,
         .correct = correct,
         .elapsedMs = (m.vitesse - std::max(m.decompte, Integer(0))).value() * answerTickMs,
         .number = m.serie.value()});
    if (m.serie == seriesLength)
        m_results->seriesEnded(m_seriesScore, seriesLength);
}

void QuizEngine::Timer2_Timer()
{
    m.attente = m.attente - 1;
    if (m.attente <= 0) {
        c.Timer2.setEnabled(false);
        depart0();
    } else {
        c.Label7.setCaption(m.message);
    }
}

bool QuizEngine::fin()
{
    c.Timer1.setEnabled(false);
    c.Timer2.setEnabled(false);
    c.Timer3.setEnabled(false);
    if (!c.window.processPendingEvents())
        return false;
    c.ProgressBar1.setVisible(false);
    c.Command1.setEnabled(false);
    c.Command2.setEnabled(false);
    c.Command3.setEnabled(false);
    c.Command1.setVisible(false);
    c.Command2.setVisible(false);
    c.Command3.setVisible(false);
    c.Command4.setEnabled(false);
    c.Command4.setVisible(false);
    c.Label5.setVisible(false);
    c.Label6.setVisible(false);
    c.Label1.setCaption(QString());
    c.Label3.setCaption(QString());
    c.Label8.setCaption(QString());
    c.Text1.setText(QString());
    m.message = texts::seriesScore(m.score, m.total);
    if (!c.window.processPendingEvents())
        return false;
    m.attente = m.delai;
    c.Timer3.setEnabled(true);
    return true;
}

void QuizEngine::Timer3_Timer()
{
    m.attente = m.attente - 1;
    if (m.attente <= 0) {
        c.Timer3.setEnabled(false);
        passage();
    } else {
        c.Label7.setCaption(m.message);
    }
}

void QuizEngine::passage()
{
    c.window.hide();
    c.window.showSeriesEndDialog();
    (void)c.window.processPendingEvents(); // the last step
}

void QuizEngine::Command1_Click()
{
    c.Command4.setVisible(true);
    c.Command4.setEnabled(true);
    c.Command1.setVisible(false);
    c.Command1.setEnabled(false);
    depart0();
}

void QuizEngine::Command4_Click()
{
    init();
}

// A check mark is never taken off by its own item: each handler sets all three explicitly.
void QuizEngine::mnuNiveau1_Click()
{
    c.mnuNiveau1.setChecked(true);
    c.mnuNiveau2.setChecked(false);
    c.mnuNiveau3.setChecked(false);
}

void QuizEngine::mnuNiveau2_Click()
{
    c.mnuNiveau1.setChecked(false);
    c.mnuNiveau2.setChecked(true);
    c.mnuNiveau3.setChecked(false);
}

void QuizEngine::mnuNiveau3_Click()
{
    c.mnuNiveau1.setChecked(false);
    c.mnuNiveau2.setChecked(false);
    c.mnuNiveau3.setChecked(true);
}

void QuizEngine::mnuLent_Click()
{
    c.mnuMoyen.setChecked(false);
    c.mnuRapide.setChecked(false);
    c.mnuLent.setChecked(true);
}

void QuizEngine::mnuMoyen_Click()
{
    c.mnuMoyen.setChecked(true);
    c.mnuRapide.setChecked(false);
    c.mnuLent.setChecked(false);
}

void QuizEngine::mnuRapide_Click()
{
    c.mnuMoyen.setChecked(false);
    c.mnuRapide.setChecked(true);
    c.mnuLent.setChecked(false);
}

void QuizEngine::stopTimers()
{
    c.Timer1.setEnabled(false);
    c.Timer2.setEnabled(false);
    c.Timer3.setEnabled(false);
}

void QuizEngine::focusAnswerBox()
{
    c.Text1.setFocus();
}

} // namespace calcaro
