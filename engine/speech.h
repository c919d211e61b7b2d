#pragma once

#include "integer.h"

#include <QString>

namespace calcaro::speech {

// What a screen reader says of the game, in French, for every front end. A speech synthesiser
// reads the signs on screen badly (":" and "=" by their names, "3 / 4" as a fraction), so the
// game's figures and messages are put in words.

// "Dividende 31", or the role alone while the label is empty.
QString figure(const QString &role, const QString &figures);

// "3 / 4" on screen: "3 bonnes réponses sur 4 questions". Anything else as it stands.
QString score(const QString &shown);

// A message line in words: "Non, 31 : 6 = 5" is "Non, 31 divisé par 6 égale 5".
QString message(const QString &shown);

// The question asked: "31 divisé par 6", with ", et il reste 1" where the remainder is given.
// Empty while either figure is.
QString question(const QString &dividend, const QString &divisor, const QString &remainder);

// The question while the answer prompt shows on the message line, in words; empty otherwise.
// `remainder` is the remainder box's text where the box is shown.
QString asked(const QString &shown, const QString &dividend, const QString &divisor,
              const QString &remainder);

// What is read out when the message line shows `shown`: while the answer prompt shows, the
// question asked (in words, as question() gives it); after an answer, the feedback with the new
// score, which the score label shows only with the next question; otherwise the message itself.
// Each ends with a full stop, so that the reader pauses after it.
QString announcement(const QString &shown, const QString &asked, Integer score, Integer total);

} // namespace calcaro::speech
