#include "speech.h"

#include <QtTest/QTest>

using namespace calcaro;

// What is read out for the message line (with a score of 2 out of 3) and for the score label.
class TestSpeech : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void spoken_data()
    {
        QTest::addColumn<bool>("scoreLabel");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QString>("spoken");
        QTest::newRow("every sign in words") << false << "a : b : c = d = e"
                                             << "a divisé par b divisé par c égale d égale e.";
        QTest::newRow("blanks dropped, mark kept") << false << "  Que faire ? "
                                                   << "Que faire ?";
        QTest::newRow("blanks only") << false << "   "
                                     << "";
        QTest::newRow("score, plural") << true << "7 / 10"
                                       << "7 bonnes réponses sur 10 questions";
        QTest::newRow("score without blanks") << true << "7/10"
                                              << "7/10";
        QTest::newRow("score not in figures") << true << "7 / dix"
                                              << "7 / dix";
        QTest::newRow("score without its first") << true << " / 10"
                                                 << " / 10";
    }
    void spoken()
    {
        QFETCH(bool, scoreLabel);
        QFETCH(QString, shown);
        QTEST(scoreLabel ? speech::score(shown) : speech::announcement(shown, QString(), 2, 3),
              "spoken");
    }
};

QTEST_APPLESS_MAIN(TestSpeech)
#include "tst_speech.moc"
