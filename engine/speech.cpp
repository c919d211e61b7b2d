#include "speech.h"

#include "texts.h"

#include <algorithm>

namespace calcaro::speech {
namespace {

// French takes the singular for 0 and 1.
QString counted(const QString &number, const QString &singular, const QString &plural)
{
    const bool one = number == QLatin1String("0") || number == QLatin1String("1");
    return number + QLatin1Char(' ') + (one ? singular : plural);
}

bool isFeedback(const QString &shown)
{
    return shown == texts::rightAnswer || shown == texts::noAnswer ||
           shown.startsWith(QStringLiteral("Non, "));
}

QString sentence(const QString &words)
{
    const QString trimmed = words.trimmed();
    if (trimmed.isEmpty() || trimmed.endsWith(QLatin1Char('.')) ||
        trimmed.endsWith(QLatin1Char('?')) || trimmed.endsWith(QLatin1Char('!')))
        return trimmed;
    return trimmed + QLatin1Char('.');
}

} // namespace

QString figure(const QString &role, const QString &figures)
{
    return figures.isEmpty() ? role : role + QLatin1Char(' ') + figures;
}

QString score(const QString &shown)
{
    // By hand rather than with a regular expression, which would take its whole library into
    // the browser's download.
    const qsizetype slash = shown.indexOf(QStringLiteral(" / "));
    const QString good = shown.left(slash);
    const QString asked = shown.mid(slash + 3);
    const auto isNumber = [](const QString &s) {
        return !s.isEmpty() && std::all_of(s.cbegin(), s.cend(), [](QChar c) {
            return c >= QLatin1Char('0') && c <= QLatin1Char('9');
        });
    };
    if (slash < 0 || !isNumber(good) || !isNumber(asked))
        return shown;
    return counted(good, QStringLiteral("bonne réponse"), QStringLiteral("bonnes réponses")) +
           QStringLiteral(" sur ") +
           counted(asked, QStringLiteral("question"), QStringLiteral("questions"));
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
    QString words = dividend + QStringLiteral(" divisé par ") + divisor;
    if (!remainder.isEmpty())
        words += QStringLiteral(", et il reste ") + remainder;
    return words;
}

QString asked(const QString &shown, const QString &dividend, const QString &divisor,
              const QString &remainder)
{
    return shown == texts::answerPrompt ? question(dividend, divisor, remainder) : QString();
}

QString announcement(const QString &shown, const QString &asked, Integer score, Integer total)
{
    if (shown == texts::answerPrompt)
        return sentence(asked);
    if (isFeedback(shown)) {
        return sentence(message(shown)) + QStringLiteral(" Score : ") + score.toString() +
               QStringLiteral(" sur ") + total.toString() + QLatin1Char('.');
    }
    return sentence(message(shown));
}

} // namespace calcaro::speech
