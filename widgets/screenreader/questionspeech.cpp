#include "screenreader/questionspeech.h"

#include "module1.h"
#include "screenreader/announcer.h"
#include "speech.h"
#include "texts.h"

#include <QEvent>
#include <QLabel>
#include <QLineEdit>

namespace calcaro {
namespace {

// Qt tells assistive technology of the change itself.
void setName(QWidget &widget, const QString &name)
{
    if (widget.accessibleName() != name)
        widget.setAccessibleName(name);
}

} // namespace

QuestionSpeech::QuestionSpeech(Controls controls, const Module1 &state, Announcer &announcer)
    : QObject(&controls.answer), m_c(controls), m_state(state), m_announcer(announcer)
{
    update();
    m_c.answer.installEventFilter(this);
}

void QuestionSpeech::update()
{
    setName(m_c.dividend, speech::figure(QStringLiteral("Dividende"), m_c.dividend.text()));
    setName(m_c.divisor, speech::figure(QStringLiteral("Diviseur"), m_c.divisor.text()));
    setName(m_c.score, speech::score(m_c.score.text()));
}

QString QuestionSpeech::asked() const
{
    const bool remainderShown = m_c.remainder.isVisibleTo(m_c.remainder.window());
    return speech::asked(m_c.message.text(), m_c.dividend.text(), m_c.divisor.text(),
                         remainderShown ? m_c.remainder.text() : QString());
}

void QuestionSpeech::messageShown()
{
    const QString shown = m_c.message.text();
    setName(m_c.message, speech::message(shown));
    m_announcer.announce(speech::announcement(shown, asked(), m_state.score, m_state.total));
}

bool QuestionSpeech::eventFilter(QObject *watched, QEvent *event)
{
    // A child who comes back to the answer box during a question hears the question again,
    // after the box itself: the focus is told once this event is over. (The first focus of a
    // question comes before its figures show; the question is told as they show.)
    if (event->type() == QEvent::FocusIn && !asked().isEmpty()) {
        QMetaObject::invokeMethod(
            this,
            [this] {
                m_announcer.announce(speech::announcement(texts::answerPrompt, asked(),
                                                          m_state.score, m_state.total));
            },
            Qt::QueuedConnection);
    }
    return QObject::eventFilter(watched, event);
}

} // namespace calcaro
