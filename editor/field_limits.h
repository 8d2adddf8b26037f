#pragma once

// How much the operator can type into the window's fields. The sizes follow the record's text
// slots (model/record_offsets.h), kept one short where the module needs a terminator.
namespace morvel::field_limit {

inline constexpr int kSimPin = 4;           // EPin
inline constexpr int kSmsAccessCode = 4;    // EPINMOD
inline constexpr int kSmsCentre = 15;       // Ecsms: the record's slot holds 15
inline constexpr int kUserNumber = 12;      // Enruser1..4
inline constexpr int kUserName = 30;        // Eosoba1..4: the notes block's slot holds 30
inline constexpr int kUserNotesBytes = 250; // Muser1..4, a line break stored as two bytes
inline constexpr int kSmsText = 35;         // ETSMS_We.., ETSpecSMS_We1..3, 5
inline constexpr int kOutputCode = 2;       // EZalWy1..2, EwylWy1..2

} // namespace morvel::field_limit
