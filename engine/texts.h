#pragma once

#include "integer.h"

#include <QString>

namespace calcaro::texts {

// The game's own texts, exactly as the child sees them.
inline const QString title = QStringLiteral("Calcaro CM1");
inline const QString idlePrompt = QStringLiteral("Clique sur Démarrer si tu es prêt");
inline const QString answerPrompt = QStringLiteral("Donne ta réponse et appuie sur ENTREE");
inline const QString noAnswer = QStringLiteral("Tu n'as rien répondu");
inline const QString rightAnswer = QStringLiteral("Bonne réponse "); // ends with a blank
inline const QString remainderCaption = QStringLiteral("et il reste");

// "Non, 42 : 6 = 7"
inline QString wrongAnswer(Integer dividende, Integer diviseur, Integer quotient)
{
    return QStringLiteral("Non, ") + dividende.toString() + QStringLiteral(" : ") +
           diviseur.toString() + QStringLiteral(" = ") + quotient.toString();
}

// The main window's message at the end of a series: "Ton score est de 7 sur 10".
inline QString seriesScore(Integer score, Integer total)
{
    return QStringLiteral("Ton score est de ") + score.toString() + QStringLiteral(" sur ") +
           total.toString();
}

// The series-end dialog's score line: "Votre score est de 7 sur 10".
inline QString dialogScore(Integer score, Integer total)
{
    return QStringLiteral("Votre score est de ") + score.toString() + QStringLiteral(" sur ") +
           total.toString();
}

// The report of a fatal run-time error, before the error's own name.
inline const QString runTimeError = QStringLiteral("Erreur d’exécution : ");
inline const QString unknownError = QStringLiteral("erreur inconnue");

} // namespace calcaro::texts
