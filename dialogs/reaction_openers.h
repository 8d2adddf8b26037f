#pragma once

#include "model/settings_record.h"

#include <QString>

#include <array>

namespace morvel {

class TFconfigNumberWeRe;
class TFConfigWorkWeRe;

// The texts of one user's fields on the "Telephone numbers" page as they stand when a dialog
// opens: the name (Eosoba<u>) and the phone number (Enruser<u>).
struct UserFieldTexts {
    QString name;
    QString number;
};
using UserFields = std::array<UserFieldTexts, 4>;

// Each opener finds the byte the clicked button stands for from the button's object name,
// prepares the dialog, shows it modally and writes the byte into the record only when the
// dialog closes with OK. Returns true on OK.
//
// A name that does not follow the buttons' grammar (prefix, entry digit, "Re", edge digit) or
// names an entry without a dialog throws std::invalid_argument before anything is shown.

// BB_ConfigNumerWe<n>Re<e>, inputs 1-8.
bool OpenInputOutputReaction(TFconfigNumberWeRe& dialog, TSettingsRecord& record,
                             const QString& buttonName);
// BB_ConfigNumerSpecWe<s>Re<e>, the HIJACK input (3) and the Arm/Disarm input (5).
bool OpenSpecialOutputReaction(TFconfigNumberWeRe& dialog, TSettingsRecord& record,
                               const QString& buttonName);
// BBConfigWorkWe<n>Re<e>, inputs 1-8.
bool OpenInputNotification(TFConfigWorkWeRe& dialog, TSettingsRecord& record,
                           const QString& buttonName, const UserFields& users);
// BBConfigWorkSpecWe<s>Re<e>: on the "Special Inputs" page (container "TabSheet4") the HIJACK
// and Arm/Disarm inputs, in the output confirmation group (container "GroupBox11") outputs 1
// and 2, for which only SMS is offered.
bool OpenSpecialNotification(TFConfigWorkWeRe& dialog, TSettingsRecord& record,
                             const QString& buttonName, const QString& containerName,
                             const UserFields& users);

} // namespace morvel
