#include "questionspeech.h"

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

} // namespace

QuestionSpeech::QuestionSpeech(Controls controls) : QObject(&controls.answer), m_c(controls)
{
    update();
    describe();
}

void QuestionSpeech::update()
{
    setName(m_c.dividend, figure(QStringLiteral("Dividende"), m_c.dividend.text()));
    setName(m_c.divisor, figure(QStringLiteral("Diviseur"), m_c.divisor.text()));
    setName(m_c.score, score(m_c.score.text()));
    setName(m_c.message, message(m_c.message.text()));
    // The figures of a new question are written one after the other; the question is told
    // once all of them are there, so that no half-changed question is ever read out.
    if (m_describePending)
        return;
    m_describePending = true;
    QMetaObject::invokeMethod(this, &QuestionSpeech::describe, Qt::QueuedConnection);
}

void QuestionSpeech::describe()
{
    m_describePending = false;
    // The remainder belongs to the question only where it is shown ("Niveau 3"). While the
    // next question is being set up its box is empty for a moment: the question on screen is
    // still the last one, and is not told again without its remainder.
    const bool remainderShown = m_c.remainder.isVisibleTo(m_c.remainder.window());
    const QString description = question(m_c.dividend.text(), m_c.divisor.text(),
                                         remainderShown ? m_c.remainder.text() : QString());
    if (remainderShown && m_c.remainder.text().isEmpty() && !description.isEmpty())
        return;
    // The focus went to the answer box when the question was set up, before its figures
    // showed; the change of description tells the question where the cursor already is.
    if (m_c.answer.accessibleDescription() != description)
        m_c.answer.setAccessibleDescription(description);
}

} // namespace calcaro
