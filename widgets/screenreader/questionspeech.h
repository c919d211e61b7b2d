#pragma once

#include <QObject>

class QLabel;
class QLineEdit;

namespace calcaro {

class Announcer;
class Module1;

// What a screen reader says of the game, in French, beyond the controls' own texts. The
// dividend and the divisor have their role and value as names ("Dividende 31"), the running
// score is in words ("3 bonnes réponses sur 4 questions"), and the message line says its
// divisions in words ("Non, 31 divisé par 6 égale 5"): a speech synthesiser reads the signs
// badly. Each new message is read out, wherever the focus is: while the answer prompt shows, the
// question itself ("31 divisé par 6, et il reste 1"), also each time the answer box takes the
// focus again; after an answer, the feedback with the score. Nothing on screen changes.
class QuestionSpeech : public QObject
{
public:
    struct Controls
    {
        QLabel &dividend;
        QLabel &divisor;
        QLabel &score;
        QLabel &message;
        QLineEdit &remainder;
        QLineEdit &answer;
    };
    // Owned by the answer box.
    QuestionSpeech(Controls controls, const Module1 &state, Announcer &announcer);

    // Brings the spoken names in line with the screen; called whenever a figure or the score
    // changes.
    void update();
    // Called whenever the message line changes. The figures of a question are all written
    // before the prompt that asks it.
    void messageShown();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // The question while it is asked, in words; empty otherwise.
    QString asked() const;

    Controls m_c;
    const Module1 &m_state;
    Announcer &m_announcer;
};

} // namespace calcaro
