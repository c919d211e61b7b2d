#pragma once

#include "integer.h"

#include <QString>

namespace calcaro {

// The shared game state. One instance lives for the whole process and every window reads and
// writes the same values; the level and speed are not here, they are the menu check marks.
class Module1
{
public:
    Integer delai;     // length of every pause, in 100 ms ticks
    Integer vitesse;   // answer-timer ticks allowed for one question
    Integer reponse;   // numeric value of the typed answer
    Integer quotient;  // expected answer
    Integer diviseur;  // divisor as shown
    Integer dividende; // dividend as shown
    Integer score;     // correct answers since the last reset
    Integer serie;     // answers judged in the current series
    QString saisie;    // answer text as typed
    Integer decompte;  // answer-timer ticks left
    Integer attente;   // pause-timer ticks left
    Integer facteur;   // extra factor of the dividend (always 1 when read)
    Integer echelle;   // divisor scale: 10 at "Niveau 2", otherwise 1
    Integer reste;     // remainder of the current question
    QString message;   // prompt, feedback or score text copied into Label7 by the timers
    Integer total;     // answers judged since the last reset
    QString page;      // which window asked to quit: "page1" or "page2"

    // Resets the counters and level parameters; everything else is reassigned before use.
    void initvariables();
};

} // namespace calcaro
