#include "speech.h"
#include "texts.h"

#include <QtTest/QTest>

using namespace calcaro;

// What is read out for the message line and the score label, from the texts on screen.
class TestSpeech : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void announcement_data()
    {
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QString>("spoken");
        QTest::newRow("right, its blank dropped")
            << texts::rightAnswer << "Bonne réponse. Score : 2 sur 3.";
        QTest::newRow("wrong, both signs in words")
            << texts::wrongAnswer(42, 6, 7) << "Non, 42 divisé par 6 égale 7. Score : 2 sur 3.";
        QTest::newRow("no answer") << texts::noAnswer << "Tu n'as rien répondu. Score : 2 sur 3.";
        QTest::newRow("the question asked") << texts::answerPrompt << "31 divisé par 6.";
        QTest::newRow("a question mark kept") << "  Que faire ? "
                                              << "Que faire ?";
        QTest::newRow("signs said every time") << "a : b : c = d = e"
                                               << "a divisé par b divisé par c égale d égale e.";
        QTest::newRow("blanks only") << "   "
                                     << "";
    }
    void announcement()
    {
        QFETCH(QString, shown);
        QTEST(speech::announcement(shown, QStringLiteral("31 divisé par 6"), 2, 3), "spoken");
    }

    void score_data()
    {
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QString>("spoken");
        QTest::newRow("plural") << "7 / 10"
                                << "7 bonnes réponses sur 10 questions";
        QTest::newRow("0 and 1 singular") << "0 / 1"
                                          << "0 bonne réponse sur 1 question";
        QTest::newRow("no blanks: as shown") << "7/10"
                                             << "7/10";
        QTest::newRow("not figures: as shown") << "7 / dix"
                                               << "7 / dix";
        QTest::newRow("nothing before: as shown") << " / 10"
                                                  << " / 10";
        QTest::newRow("empty") << ""
                               << "";
    }
    void score()
    {
        QFETCH(QString, shown);
        QTEST(speech::score(shown), "spoken");
    }
};

QTEST_APPLESS_MAIN(TestSpeech)
#include "tst_speech.moc"
