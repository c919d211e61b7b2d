#include "answervalue.h"
#include "fakeform1.h"
#include "texts.h"

#include <QtTest/QTest>

#include <cmath>

using namespace calcaro;
using calcaro::test::FakeForm1;

namespace {

const QString wrong42 = QStringLiteral("Non, 42 : 6 = 7");

// The question 42 : 6 on screen and being answered, with a score of 3 out of 5.
void ask42(FakeForm1 &f)
{
    f.load();
    f.state.dividende = 42;
    f.state.diviseur = 6;
    f.state.quotient = 7;
    f.state.score = 3;
    f.state.total = 5;
    f.state.serie = 5;
    f.Timer1->setEnabled(true);
}

} // namespace

class TestAnswers : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void judge_data();
    void judge();
    void readNumber_data();
    void readNumber();
    void roundToInteger_data();
    void roundToInteger();
    void feedbackTexts_data();
    void feedbackTexts();
    void rightAnswerText();
    void secondValidationIsIgnored();
    void timeOutJudgesTheBox_data();
    void timeOutJudgesTheBox();
};

void TestAnswers::judge_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("reponse");
    QTest::addColumn<QString>("message");

    const QString right = texts::rightAnswer;
    QTest::newRow("nothing") << "" << 0 << texts::noAnswer;
    QTest::newRow("7") << "7" << 7 << right;
    QTest::newRow("blank 7 blank") << " 7 " << 7 << right;
    QTest::newRow("two blanks each side: 5 characters") << "  7  " << 0 << wrong42;
    QTest::newRow("0007") << "0007" << 7 << right;
    QTest::newRow("00007: 5 characters") << "00007" << 0 << wrong42;
    QTest::newRow("7abc") << "7abc" << 7 << right;
    QTest::newRow("7abcd: 5 characters") << "7abcd" << 0 << wrong42;
    QTest::newRow("6.6 rounds up") << "6.6" << 7 << right;
    QTest::newRow("7.4 rounds down") << "7.4" << 7 << right;
    QTest::newRow("6.5 ties to even") << "6.5" << 6 << wrong42;
    QTest::newRow("7.5 ties to even") << "7.5" << 8 << wrong42;
    QTest::newRow("7,9: a comma ends the number") << "7,9" << 7 << right;
    QTest::newRow("7e0") << "7e0" << 7 << right;
    QTest::newRow("-7") << "-7" << -7 << wrong42;
    QTest::newRow("sept") << "sept" << 0 << wrong42;
    QTest::newRow("one blank") << " " << 0 << wrong42;
    QTest::newRow("tab and line feed around 7") << "\t7\n" << 7 << right;
    QTest::newRow("+7") << "+7" << 7 << right;
    QTest::newRow("lone minus") << "-" << 0 << wrong42;
    QTest::newRow("lone plus") << "+" << 0 << wrong42;
    QTest::newRow("lone period") << "." << 0 << wrong42;
    QTest::newRow("7.") << "7." << 7 << right;
    QTest::newRow("7..: second period ends it") << "7..1" << 7 << right;
    QTest::newRow(".7 rounds to 1") << ".7" << 1 << wrong42;
    QTest::newRow("7e without digits") << "7e" << 7 << right;
    QTest::newRow("7e+ without digits") << "7e+" << 7 << right;
    QTest::newRow("7D0") << "7D0" << 7 << right;
    QTest::newRow("70e-1") << "70e-1" << 0 << wrong42; // 5 characters
    QTest::newRow(".7e1") << ".7e1" << 7 << right;
    QTest::newRow("&H7 hexadecimal") << "&H7" << 7 << right;
    QTest::newRow("&h7 lower case") << "&h7" << 7 << right;
    QTest::newRow("&HF") << "&HF" << 15 << wrong42;
    QTest::newRow("&O7 octal") << "&O7" << 7 << right;
    QTest::newRow("&o10 octal is 8") << "&o10" << 8 << wrong42;
    QTest::newRow("&O8: not an octal digit") << "&O8" << 0 << wrong42;
    QTest::newRow("&H alone") << "&H" << 0 << wrong42;
    QTest::newRow("&7: no base letter") << "&7" << 0 << wrong42;
    QTest::newRow("1e5 out of range: wrong, not fatal") << "1e5" << 0 << wrong42;
    QTest::newRow("-9e9 out of range") << "-9e9" << 0 << wrong42;
    QTest::newRow("1e99 out of range") << "1e99" << 0 << wrong42;
    QTest::newRow("7e-9 reads 0") << "7e-9" << 0 << wrong42;
    QTest::newRow("arabic-indic seven is no digit") << QStringLiteral("\u0667") << 0 << wrong42;
    QTest::newRow("full-width seven is no digit") << QStringLiteral("\uFF17") << 0 << wrong42;
    QTest::newRow("accented letter then 7") << QStringLiteral("é7") << 0 << wrong42;
}

void TestAnswers::judge()
{
    QFETCH(QString, typed);
    FakeForm1 f;
    ask42(f);
    f.Text1.value = typed;
    f.engine->Command3_Click();
    QTEST(f.state.reponse.value(), "reponse");
    QTEST(f.state.message, "message");
    QCOMPARE(f.state.saisie, typed);
    QCOMPARE(f.state.total.value(), 6);
    QCOMPARE(f.state.serie.value(), 6);
    QCOMPARE(f.state.attente.value(), 10);
    QVERIFY(!f.Timer1->isEnabled());
    QVERIFY(f.Timer2->isEnabled());
    QCOMPARE(f.state.score.value(), f.state.message == texts::rightAnswer ? 4 : 3);
    // The answer stays in the box through the pause, and the screen is left to the timers.
    QCOMPARE(f.Text1.value, typed);
    QCOMPARE(f.Label7.caption, texts::idlePrompt);
}

void TestAnswers::readNumber_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("value");
    QTest::newRow("blanks inside: 4 2") << "4 2" << 42.0;
    QTest::newRow("sign then blank") << "- 3" << -3.0;
    QTest::newRow("decimal") << "12.25" << 12.25;
    QTest::newRow("exponent D") << "1.5d2" << 150.0;
    QTest::newRow("negative exponent") << "25E-2" << 0.25;
    QTest::newRow("empty") << "" << 0.0;
    QTest::newRow("letters") << "abc" << 0.0;
    QTest::newRow("hex FF") << "&HFF" << 255.0;
    QTest::newRow("hex stops at a non-digit") << "&H1G" << 1.0;
    QTest::newRow("octal 777") << "&O777" << 511.0;
    QTest::newRow("long text reads on") << "123456789" << 123456789.0;
}

void TestAnswers::readNumber()
{
    QFETCH(QString, text);
    QFETCH(double, value);
    QCOMPARE(calcaro::readNumber(text), value);
}

void TestAnswers::roundToInteger_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<bool>("fits");
    QTest::addColumn<int>("rounded");
    QTest::newRow("0.5 to 0") << 0.5 << true << 0;
    QTest::newRow("1.5 to 2") << 1.5 << true << 2;
    QTest::newRow("-0.5 to 0") << -0.5 << true << 0;
    QTest::newRow("-1.5 to -2") << -1.5 << true << -2;
    QTest::newRow("-2.5 to -2") << -2.5 << true << -2;
    QTest::newRow("2.4999") << 2.4999 << true << 2;
    QTest::newRow("32767.4") << 32767.4 << true << 32767;
    QTest::newRow("32767.5 rounds out of range") << 32767.5 << false << 0;
    QTest::newRow("-32768.5 ties to -32768") << -32768.5 << true << -32768;
    QTest::newRow("-32769") << -32769.0 << false << 0;
    QTest::newRow("1e99") << 1e99 << false << 0;
    QTest::newRow("infinity") << std::numeric_limits<double>::infinity() << false << 0;
    QTest::newRow("nan") << std::nan("") << false << 0;
}

void TestAnswers::roundToInteger()
{
    QFETCH(double, value);
    QFETCH(bool, fits);
    QFETCH(int, rounded);
    const std::optional<Integer> r = calcaro::roundToInteger(value);
    QCOMPARE(r.has_value(), fits);
    if (fits)
        QCOMPARE(r->value(), rounded);
}

void TestAnswers::feedbackTexts_data()
{
    QTest::addColumn<int>("dividende");
    QTest::addColumn<int>("diviseur");
    QTest::addColumn<int>("quotient");
    QTest::addColumn<QString>("message");
    QTest::newRow("niveau 2 scaled divisor") << 420 << 60 << 7 << "Non, 420 : 60 = 7";
    QTest::newRow("niveau 3: remainder not in the text") << 45 << 6 << 7 << "Non, 45 : 6 = 7";
    QTest::newRow("smallest") << 1 << 1 << 1 << "Non, 1 : 1 = 1";
}

void TestAnswers::feedbackTexts()
{
    QFETCH(int, dividende);
    QFETCH(int, diviseur);
    QFETCH(int, quotient);
    FakeForm1 f;
    ask42(f);
    f.state.dividende = dividende;
    f.state.diviseur = diviseur;
    f.state.quotient = quotient;
    f.Text1.value = QStringLiteral("99");
    f.engine->Command3_Click();
    QTEST(f.state.message, "message");
}

void TestAnswers::rightAnswerText()
{
    QCOMPARE(texts::rightAnswer.size(), 14);
    QCOMPARE(texts::rightAnswer.back(), QLatin1Char(' '));
}

void TestAnswers::secondValidationIsIgnored()
{
    FakeForm1 f;
    ask42(f);
    f.Text1.value = QStringLiteral("7");
    f.engine->Command3_Click();
    const Module1 before = f.state;
    f.Text1.value = QStringLiteral("8");
    f.engine->Command3_Click(); // during the feedback pause
    QCOMPARE(f.state.total, before.total);
    QCOMPARE(f.state.serie, before.serie);
    QCOMPARE(f.state.score, before.score);
    QCOMPARE(f.state.message, before.message);
    QCOMPARE(f.state.attente, before.attente);
    QVERIFY(f.Timer2->isEnabled());
}

void TestAnswers::timeOutJudgesTheBox_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("message");
    QTest::addColumn<int>("score");
    QTest::newRow("7 typed, never validated") << "7" << texts::rightAnswer << 4;
    QTest::newRow("empty box") << "" << texts::noAnswer << 3;
}

void TestAnswers::timeOutJudgesTheBox()
{
    QFETCH(QString, typed);
    FakeForm1 f;
    ask42(f);
    f.state.decompte = 1;
    f.Text1.value = typed;
    f.engine->Timer1_Timer();
    QTEST(f.state.message, "message");
    QTEST(f.state.score.value(), "score");
    QVERIFY(!f.Timer1->isEnabled() && f.Timer2->isEnabled());
}

QTEST_GUILESS_MAIN(TestAnswers)
#include "tst_answers.moc"
