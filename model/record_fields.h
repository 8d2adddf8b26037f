#pragma once

#include "model/settings_record.h"
#include "model/short_string.h"

#include <cstddef>
#include <cstdint>
#include <string>

// Named access to the fields of the settings record and the user-notes block. Numbers count from
// 1: input 1..8, special entry 1..6, edge 1..2, output 1..2, user 1..4. A number out of range is a
// programming error: it throws std::out_of_range rather than touch a neighbouring field.
namespace morvel {

// Offsets of one byte of the per-input, per-output and per-edge arrays.
std::size_t ReactionTimeOffset(int input);
std::size_t InputBlockTimeOffset(int input);
std::size_t OutputOffTimeOffset(int output);
std::size_t EnableCodeOffset(int output);   // first of the code's two character bytes
std::size_t DisableCodeOffset(int output);
std::size_t InputOutputReactionOffset(int input, int edge);
std::size_t InputNotificationOffset(int input, int edge);
std::size_t SpecialOutputReactionOffset(int special, int edge);
std::size_t SpecialNotificationOffset(int special, int edge);

// Offsets of the length bytes of the text fields.
std::size_t UserNumberOffset(int user);
std::size_t InputTextOffset(int input, int edge);
std::size_t SpecialTextOffset(int special, int edge);
std::size_t UserNameOffset(int user);      // in TUserNotes
std::size_t UserNotesTextOffset(int user); // in TUserNotes

// Text fields of the record, to change them.
ShortString SimPin(TSettingsRecord& record);                          // capacity 7
ShortString SmsCentre(TSettingsRecord& record);                       // capacity 15
ShortString SmsAccessCode(TSettingsRecord& record);                   // capacity 4
ShortString UserNumber(TSettingsRecord& record, int user);            // capacity 15
ShortString InputText(TSettingsRecord& record, int input, int edge);  // capacity 36
ShortString SpecialText(TSettingsRecord& record, int special, int edge); // capacity 36
ShortString UserName(TUserNotes& notes, int user);                    // capacity 30
ShortString UserNotesText(TUserNotes& notes, int user);               // capacity 250

// The same fields, to read them.
std::string SimPin(const TSettingsRecord& record);
std::string SmsCentre(const TSettingsRecord& record);
std::string SmsAccessCode(const TSettingsRecord& record);
std::string UserNumber(const TSettingsRecord& record, int user);
std::string InputText(const TSettingsRecord& record, int input, int edge);
std::string SpecialText(const TSettingsRecord& record, int special, int edge);
std::string UserName(const TUserNotes& notes, int user);
std::string UserNotesText(const TUserNotes& notes, int user);

// The two-character SMS codes that switch an output on or off. They have no length byte: a code
// is there when both bytes are non-zero, and reads as empty otherwise. Setting anything but
// exactly two characters stores no code (both bytes 0).
std::string EnableCode(const TSettingsRecord& record, int output);
std::string DisableCode(const TSettingsRecord& record, int output);
void SetEnableCode(TSettingsRecord& record, int output, std::string_view code);
void SetDisableCode(TSettingsRecord& record, int output, std::string_view code);

} // namespace morvel
