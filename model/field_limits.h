#pragma once

// How much the operator can type into the window's fields. The editor builds its controls with
// them and the field catalogue (model/field_catalogue.h) names them per field. The text sizes
// follow the record's text slots (model/record_offsets.h), kept one short where the module needs
// a terminator.
namespace morvel::field_limit {

inline constexpr int kSimPin = 4;           // EPin
inline constexpr int kSmsAccessCode = 4;    // EPINMOD
inline constexpr int kSmsCentre = 15;       // Ecsms: the record's slot holds 15
inline constexpr int kUserNumber = 12;      // Enruser1..4
inline constexpr int kUserName = 30;        // Eosoba1..4: the notes block's slot holds 30
inline constexpr int kUserNotesBytes = 250; // Muser1..4, a line break stored as two bytes
inline constexpr int kSmsText = 35;         // ETSMS_We.., ETSpecSMS_We1..3, 5
inline constexpr int kOutputCode = 2;       // EZalWy1..2, EwylWy1..2

// The ranges of the spin edits, in the units their labels give.
struct Range {
    int minimum;
    int maximum;
};
inline constexpr Range kTimer{1, 255};              // input, output, entry, exit and siren times
inline constexpr Range kSmsConfirmTime{10, 255};    // SEInNONCSTAT18, seconds
inline constexpr Range kSmsSendTries{1, 10};        // SEInONstat916
inline constexpr Range kReportPeriod{1, 24};        // SEtestokr, hours
inline constexpr Range kClipRejectTime{1, 240};     // SEcallingTimer, seconds
inline constexpr Range kCallTime{10, 255};          // SECALL_TIMER, seconds

} // namespace morvel::field_limit
