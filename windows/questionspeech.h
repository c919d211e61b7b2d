#pragma once

#include <QObject>

class QLabel;
class QLineEdit;

namespace calcaro {

// What a screen reader says of the question, in French, beyond the controls' own texts: the
// dividend and the divisor with their role and value ("Dividende 31"), the running score in
// words ("3 bonnes réponses sur 4 questions"), and, as the answer box's description, the
// question as a sentence ("31 divisé par 6, et il reste 1"), so that the child hears the
// question where the cursor is. The message line says its divisions in words too ("Non, 31
// divisé par 6 égale 5"): a speech synthesiser reads the signs badly. Nothing on screen changes.
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
    explicit QuestionSpeech(Controls controls);

    // Brings the spoken texts in line with the screen; called whenever a figure, the score, the
    // message or the remainder box changes. The question is described as soon as the event that
    // changed it has run.
    void update();

private:
    void describe();

    Controls m_c;
    bool m_describePending = false;
};

} // namespace calcaro
