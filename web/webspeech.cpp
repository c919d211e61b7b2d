#include "webspeech.h"

#include "element.h"
#include "module1.h"
#include "speech.h"
#include "texts.h"
#include "weblabel.h"
#include "webtextbox.h"

namespace calcaro::web {
namespace {

void setWords(const QString &id, const QString &words)
{
    emscripten::val twin = element(id);
    if (fromJs(twin["textContent"]) != words)
        twin.set("textContent", toJs(words));
}

} // namespace

WebSpeech::WebSpeech(Controls controls, const Module1 &state)
    : m_c(controls), m_state(state), m_regions{element(QStringLiteral("announce-1")),
                                               element(QStringLiteral("announce-2"))}
{}

QString WebSpeech::asked() const
{
    if (m_c.message.caption() != texts::answerPrompt)
        return QString();
    // The remainder belongs to the question only where it is shown ("Niveau 3").
    return speech::question(m_c.dividend.caption(), m_c.divisor.caption(),
                            m_c.remainder.isVisible() ? m_c.remainder.text() : QString());
}

void WebSpeech::update()
{
    const QString figures = speech::question(m_c.dividend.caption(), m_c.divisor.caption(), {});
    setWords(QStringLiteral("question-words"), figures);
    const QString score = m_c.score.caption();
    setWords(QStringLiteral("score-words"),
             score.isEmpty() ? QStringLiteral("Score")
                             : QStringLiteral("Score : ") + speech::score(score));
}

void WebSpeech::messageShown()
{
    const QString shown = m_c.message.caption();
    setWords(QStringLiteral("message-words"), speech::message(shown));
    // The question's figures are all written before the prompt that asks it.
    update();
    announce(speech::announcement(shown, asked(), m_state.score, m_state.total));
}

void WebSpeech::answerFocused()
{
    const QString question = asked();
    if (!question.isEmpty())
        announce(speech::announcement(texts::answerPrompt, question, m_state.score, m_state.total));
}

void WebSpeech::announce(const QString &text)
{
    // Nothing is told while the window is out of sight (a window made afresh sets itself up
    // before it shows).
    if (text.isEmpty() || isHidden(element(QStringLiteral("form1"))))
        return;
    // The other region keeps its words: a screen reader that reads them late must still find
    // them there.
    m_regions[m_next].set("textContent", toJs(text));
    m_next = (m_next + 1) % m_regions.size();
}

} // namespace calcaro::web
