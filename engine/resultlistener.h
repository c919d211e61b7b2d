#pragma once

#include "integer.h"

#include <QString>

namespace calcaro {

// One question as the child answered it, for a record kept outside the game (a school's
// learning platform).
struct AnsweredQuestion
{
    Integer dividend;
    Integer divisor;
    Integer remainder; // 0 where none is given
    Integer quotient;  // the right answer
    QString given;     // the answer box as it was judged: empty when the child gave none
    bool correct = false;
    int elapsedMs = 0; // from the question on screen to its judgement, on the game's own clock
    int number = 0;    // its place in the series, from 1 to QuizEngine::seriesLength
};

// Told of each answer as it is judged and of each series as its last answer completes it.
// Nothing it does can change the game.
class ResultListener
{
public:
    virtual ~ResultListener() = default;
    virtual void answered(const AnsweredQuestion &question) = 0;
    virtual void seriesEnded(int score, int outOf) = 0;
};

} // namespace calcaro
