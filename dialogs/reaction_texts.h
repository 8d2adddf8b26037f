#pragma once

#include <QString>

// Captions of the reaction dialogs that the dialogs and their openers both set. The trailing
// blanks are part of the captions.
namespace morvel::reaction_text {

inline const QString kDelayedReaction = QStringLiteral("Delayed reaction for input     ");
inline const QString kSiren = QStringLiteral("Enable siren output    ");
inline const QString kImmobiliser = QStringLiteral("Enable immo output   ");

// Row captions of users without a name, followed by the user number.
inline const QString kInputUserFallback = QStringLiteral("User       ");
inline const QString kSpecialUserFallback = QStringLiteral("Użytkownik ");

} // namespace morvel::reaction_text
