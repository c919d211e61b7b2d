#pragma once

#include <QString>

namespace calcaro::texts {

// The game's own texts, exactly as the child sees them.
inline const QString idlePrompt = QStringLiteral("Clique sur Démarrer si tu es prêt");
inline const QString answerPrompt = QStringLiteral("Donne ta réponse et appuie sur ENTREE");
inline const QString noAnswer = QStringLiteral("Tu n'as rien répondu");
inline const QString rightAnswer = QStringLiteral("Bonne réponse "); // ends with a blank
inline const QString remainderCaption = QStringLiteral("et il reste");

} // namespace calcaro::texts
