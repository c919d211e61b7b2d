#include "screenreader/questionspeech.h"

#include "module1.h"
#include "screenreader/announcer.h"
#include "texts.h"

#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpression>

namespace calcaro {
namespace {

// Qt tells assistive technology of the change itself.
void setName(QWidget &widget, const QString &name)
{
    if (widget.accessibleName() != name)
        widget.setAccessibleName(name);
}

// French takes the singular for 0 and 1.
QString counted(const QString &number, const QString &singular, const QString &plural)
{
    const bool one = number == QLatin1String("0") || number == QLatin1String("1");
    return number + QLatin1Char(' ') + (one ? singular : plural);
}

QString figure(const QString &role, const QString &figures)
{
    return figures.isEmpty() ? role : role + QLatin1Char(' ') + figures;
}

QString score(const QString &shown)
{
    // "3 / 4" on screen; a slash would be read out as a fraction.
    static const QRegularExpression pair(QStringLiteral("^(\\d+) / (\\d+)$"));
    const QRegularExpressionMatch match = pair.match(shown);
    if (!match.hasMatch())
        return shown;
    return counted(match.captured(1), QStringLiteral("bonne réponse"),
                   QStringLiteral("bonnes réponses")) +
           QStringLiteral(" sur ") +
           counted(match.captured(2), QStringLiteral("question"), QStringLiteral("questions"));
}

QString message(const QString &shown)
{
    QString spoken = shown;
    return spoken.replace(QStringLiteral(" : "), QStringLiteral(" divisé par "))
        .replace(QStringLiteral(" = "), QStringLiteral(" égale "));
}

QString question(const QString &dividend, const QString &divisor, const QString &remainder)
{
    if (dividend.isEmpty() || divisor.isEmpty())
        return QString();
    QString sentence = dividend + QStringLiteral(" divisé par ") + divisor;
    if (!remainder.isEmpty())
        sentence += QStringLiteral(", et il reste ") + remainder;
    return sentence;
}

bool isFeedback(const QString &shown)
{
    return shown == texts::rightAnswer || shown == texts::noAnswer ||
           shown.startsWith(QStringLiteral("Non, "));
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
    setName(m_c.dividend, figure(QStringLiteral("Dividende"), m_c.dividend.text()));
    setName(m_c.divisor, figure(QStringLiteral("Diviseur"), m_c.divisor.text()));
    setName(m_c.score, score(m_c.score.text()));
}

QString QuestionSpeech::asked() const
{
    if (m_c.message.text() != texts::answerPrompt)
        return QString();
    // The remainder belongs to the question only where it is shown ("Niveau 3").
    const bool remainderShown = m_c.remainder.isVisibleTo(m_c.remainder.window());
    return question(m_c.dividend.text(), m_c.divisor.text(),
                    remainderShown ? m_c.remainder.text() : QString());
}

void QuestionSpeech::messageShown()
{
    const QString shown = m_c.message.text();
    setName(m_c.message, message(shown));
    if (shown == texts::answerPrompt) {
        m_announcer.announce(asked());
    } else if (isFeedback(shown)) {
        // The score on screen changes only with the next question; the child hears it at once.
        m_announcer.announce(message(shown).trimmed() + QStringLiteral(". Score : ") +
                             m_state.score.toString() + QStringLiteral(" sur ") +
                             m_state.total.toString());
    } else {
        m_announcer.announce(message(shown));
    }
}

bool QuestionSpeech::eventFilter(QObject *watched, QEvent *event)
{
    // A child who comes back to the answer box during a question hears the question again,
    // after the box itself: the focus is told once this event is over. (The first focus of a
    // question comes before its figures show; the question is told as they show.)
    if (event->type() == QEvent::FocusIn && !asked().isEmpty()) {
        QMetaObject::invokeMethod(
            this, [this] { m_announcer.announce(asked()); }, Qt::QueuedConnection);
    }
    return QObject::eventFilter(watched, event);
}

} // namespace calcaro
