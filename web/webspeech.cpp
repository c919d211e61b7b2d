#include "webspeech.h"

#include "controls/element.h"
#include "controls/weblabel.h"
#include "controls/webtextbox.h"
#include "module1.h"
#include "speech.h"
#include "texts.h"
#include "windowwiring.h"

namespace calcaro::web {
namespace {

void setWords(const QString &id, const QString &words)
{
    setText(element(id), words);
}

} // namespace

WebSpeech::WebSpeech(Controls controls, const Module1 &state)
    : m_c(controls), m_state(state), m_region(element(QStringLiteral("announcements")))
{}

QString WebSpeech::asked() const
{
    return speech::asked(m_c.message.caption(), m_c.dividend.caption(), m_c.divisor.caption(),
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
    if (text.isEmpty() || isHidden(element(QLatin1String(wiring::nameOf(WindowId::Main)))))
        return;
    // Browsers tell a screen reader what a live region gained, not what it holds: words written
    // over the same words are no change and are never heard (a question drawn twice in a row).
    // Each text is therefore a paragraph of its own, added to the region. Orca also drops an
    // addition whose text is the same as the one before it (the question said again as the
    // answer box takes the focus back); a no-break space at the end, which no reader speaks,
    // makes every other such text a different one.
    static const QString unspoken(QChar(0x00A0));
    const QString written = QStringView(text) == m_last ? text + unspoken : text;
    emscripten::val paragraph =
        emscripten::val::global("document")
            .call<emscripten::val>("createElement", toJs(QStringLiteral("p")));
    paragraph.set("textContent", toJs(written));
    m_region.call<void>("append", paragraph);
    m_last = written;
    // The last few stay: a busy screen reader reads an addition some time after it came, and
    // must still find its words there. Taking one out tells a screen reader nothing.
    while (m_region["childElementCount"].as<int>() > keptTexts)
        m_region["firstElementChild"].call<void>("remove");
}

} // namespace calcaro::web
