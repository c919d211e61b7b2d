#include "speech.h"

#include "texts.h"

#include <algorithm>

namespace calcaro::speech {
namespace {

// The texts are read, compared and searched as views (QStringView), never through QString's own
// functions that take a Qt::CaseSensitivity: in Qt 6.4 those can also ignore case, which brings
// Qt's Unicode tables, 160 KB, into the browser's page (web/page/assemble.py checks it). Its
// `==` is one of them.

// French takes the singular for 0 and 1.
QString counted(QStringView number, const QString &singular, const QString &plural)
{
    const bool one = number == u"0" || number == u"1";
    return number.toString() + QLatin1Char(' ') + (one ? singular : plural);
}

bool isFeedback(QStringView shown)
{
    constexpr QStringView wrong = u"Non, ";
    return shown == texts::rightAnswer || shown == texts::noAnswer ||
           shown.left(wrong.size()) == wrong;
}

// The game's texts are padded with blanks only.
QString sentence(QStringView words)
{
    while (words.startsWith(u' '))
        words = words.sliced(1);
    while (words.endsWith(u' '))
        words.chop(1);
    if (words.isEmpty() || words.endsWith(u'.') || words.endsWith(u'?') || words.endsWith(u'!'))
        return words.toString();
    return words.toString() + QLatin1Char('.');
}

// `text` with every `from` in it said as `to`.
QString replaced(QStringView text, QStringView from, QStringView to)
{
    QString result;
    for (auto at = text.begin();;) {
        const auto found = std::search(at, text.end(), from.begin(), from.end());
        result += QStringView(at, found);
        if (found == text.end())
            return result;
        result += to;
        at = found + from.size();
    }
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
    constexpr QStringView between = u" / ";
    const QStringView text = shown;
    const auto slash = std::search(text.begin(), text.end(), between.begin(), between.end());
    const auto isNumber = [](QStringView s) {
        return !s.isEmpty() && std::all_of(s.begin(), s.end(), [](QChar c) {
            return c >= QLatin1Char('0') && c <= QLatin1Char('9');
        });
    };
    if (slash == text.end())
        return shown;
    const QStringView good(text.begin(), slash);
    const QStringView asked(slash + between.size(), text.end());
    if (!isNumber(good) || !isNumber(asked))
        return shown;
    return counted(good, QStringLiteral("bonne réponse"), QStringLiteral("bonnes réponses")) +
           QStringLiteral(" sur ") +
           counted(asked, QStringLiteral("question"), QStringLiteral("questions"));
}

QString message(const QString &shown)
{
    return replaced(replaced(shown, u" : ", u" divisé par "), u" = ", u" égale ");
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
    return QStringView(shown) == texts::answerPrompt ? question(dividend, divisor, remainder)
                                                     : QString();
}

QString announcement(const QString &shown, const QString &asked, Integer score, Integer total)
{
    if (QStringView(shown) == texts::answerPrompt)
        return sentence(asked);
    if (isFeedback(shown)) {
        return sentence(message(shown)) + QStringLiteral(" Score : ") + score.toString() +
               QStringLiteral(" sur ") + total.toString() + QLatin1Char('.');
    }
    return sentence(message(shown));
}

} // namespace calcaro::speech
