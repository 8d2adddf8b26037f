#pragma once

#include "model/settings_record.h"

class QWidget;

namespace morvel {

// Moves the settings between the window's controls and the record or notes block. A load pass
// fills the controls from the record (the interlocks run as boxes change); a store pass writes
// every control back, enabled or not, shown or not. The reaction bytes belong to the reaction
// dialogs, apart from bit 0 of byte 82, which the "exit time" box shows.

void LoadSmsTexts(QWidget& window, const TSettingsRecord& record);
void LoadReactionTimes(QWidget& window, const TSettingsRecord& record);
void LoadBlockTimes(QWidget& window, const TSettingsRecord& record);
void LoadUserNumbers(QWidget& window, const TSettingsRecord& record);
void LoadOutputs(QWidget& window, const TSettingsRecord& record);
void LoadBasicTab(QWidget& window, const TSettingsRecord& record);
void LoadUserNotes(QWidget& window, const TUserNotes& notes);

void StoreSmsTexts(const QWidget& window, TSettingsRecord& record);
void StoreReactionTimes(const QWidget& window, TSettingsRecord& record);
void StoreBlockTimes(const QWidget& window, TSettingsRecord& record);
void StoreUserNumbers(const QWidget& window, TSettingsRecord& record);
void StoreOutputs(const QWidget& window, TSettingsRecord& record);
void StoreBasicTab(const QWidget& window, TSettingsRecord& record);
void StoreUserNotes(const QWidget& window, TUserNotes& notes);

// The six record loads, in the order every load pass runs them (the notes are loaded apart,
// because a module read leaves them alone).
void LoadRecordPass(QWidget& window, const TSettingsRecord& record);
// The six record stores, in the order every store pass runs them.
void StoreRecordPass(const QWidget& window, TSettingsRecord& record);

// False when one of the four user numbers has three or more characters and does not begin
// with "+": the module dials in international format.
bool CheckUserNumbers(const QWidget& window);

} // namespace morvel
