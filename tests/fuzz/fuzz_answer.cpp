// libFuzzer target: any text typed in the answer box must be read without fault and judged with
// exactly one of the three feedback texts.
// Input: byte 0 chooses the encoding (even: UTF-8, odd: UTF-16), byte 1 the question, byte 2
// the score so far; the rest is the text.

#include "answervalue.h"
#include "fakeform1.h"
#include "texts.h"

#include <QRegularExpression>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

using namespace calcaro;

namespace {

[[noreturn]] void broken(const char *what, const QString &text)
{
    std::fprintf(stderr, "broken: %s for \"%s\"\n", what, qPrintable(text));
    std::abort();
}

QString decode(const std::uint8_t *data, std::size_t size, bool utf16)
{
    if (!utf16)
        return QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size));
    QString text;
    for (std::size_t i = 0; i + 1 < size; i += 2)
        text.append(QChar(char16_t(data[i] | (data[i + 1] << 8))));
    return text;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    if (size < 3)
        return 0;
    const QString text = decode(data + 3, size - 3, data[0] & 1);

    // Reading never fails, whatever the length; rounding either fits or says it does not.
    const double value = readNumber(text);
    if (const std::optional<Integer> rounded = roundToInteger(value);
        rounded && std::abs(rounded->value() - value) > 0.5)
        broken("rounding", text);

    static test::FakeForm1 f; // one window, many questions, as in a long game
    f.load();
    const int q = 1 + data[1] % 9;
    const int d = 1 + (data[1] / 9) % 9;
    f.state.quotient = q;
    f.state.diviseur = d * (data[1] >= 128 ? 10 : 1);
    f.state.dividende = f.state.diviseur * f.state.quotient;
    f.state.score = data[2];
    f.state.total = data[2] + 5;
    f.state.serie = data[2] % QuizEngine::seriesLength;
    f.Timer1->setEnabled(true);
    f.Text1.value = text;

    const Module1 before = f.state;
    f.engine->Command3_Click();
    const Module1 &after = f.state;

    static const QRegularExpression wrong(QStringLiteral("^Non, \\d+ : \\d+ = \\d$"));
    const bool empty = after.message == texts::noAnswer;
    const bool right = after.message == texts::rightAnswer;
    if (!empty && !right && !wrong.match(after.message).hasMatch())
        broken("feedback text", text);
    if (empty != text.isEmpty())
        broken("empty answer", text);
    if (after.total.value() != before.total.value() + 1 ||
        after.serie.value() != before.serie.value() + 1)
        broken("counters", text);
    if (after.score.value() != before.score.value() + (right ? 1 : 0))
        broken("score", text);
    if (right && (text.size() > 4 || after.reponse != after.quotient))
        broken("right answer", text);
    if (!f.Timer2->isEnabled() || f.Timer1->isEnabled() || after.attente != after.delai)
        broken("pause", text);
    f.Timer2->setEnabled(false);
    return 0;
}
