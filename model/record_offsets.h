#pragma once

#include <cstddef>
#include <cstdint>

// Byte offsets and bit masks of the settings record and the user-notes block.
namespace morvel::record_offset {

inline constexpr std::size_t kReactionTime = 0;       // [8] input reaction time, x 0.1 s
inline constexpr std::size_t kOutputOffTime = 8;      // [2] output switches itself off after, s
inline constexpr std::size_t kClipRejectTime = 10;    // reject an incoming call after, s
inline constexpr std::size_t kCallTime = 11;          // CLIP call time, s
inline constexpr std::size_t kFlags = 12;             // output control and report options
inline constexpr std::size_t kReserved13 = 13;        // no meaning, never reaches the module
inline constexpr std::size_t kSmsConfirmTime = 14;    // time of confirmation, s
inline constexpr std::size_t kSmsSendTries = 15;      // attempts to send an SMS
inline constexpr std::size_t kInputBlockTime = 16;    // [8] input blocked after a reaction, x 10 s
inline constexpr std::size_t kReportPeriod = 24;      // periodic report to user 1, h
inline constexpr std::size_t kEnableCode = 25;        // [2] two characters each, no length byte
inline constexpr std::size_t kDisableCode = 29;       // [2] two characters each, no length byte
inline constexpr std::size_t kSmsAccessCode = 33;     // short string, capacity 4
inline constexpr std::size_t kClipUserFlags = 38;     // what a call from a user does
inline constexpr std::size_t kClipUnknownFlags = 39;  // what a call from an unknown number does
inline constexpr std::size_t kReserved40 = 40;
inline constexpr std::size_t kInputOutputReaction = 41; // [8][2] output-reaction bytes
inline constexpr std::size_t kInputNotification = 57;   // [8][2] notification bytes
inline constexpr std::size_t kSpecialOutputReaction = 73; // [6][2]
inline constexpr std::size_t kReserved85 = 85;          // 4 bytes
inline constexpr std::size_t kReservedCount85 = 4;
inline constexpr std::size_t kSpecialNotification = 89; // [6][2]
inline constexpr std::size_t kSimPin = 101;             // short string, capacity 7
inline constexpr std::size_t kSmsCentre = 109;          // short string, capacity 15
inline constexpr std::size_t kUserNumber = 125;         // [4] short strings, capacity 15
inline constexpr std::size_t kInputText = 189;          // [8][2] short strings, capacity 36
inline constexpr std::size_t kSpecialText = 781;        // [6][2] short strings, capacity 36
inline constexpr std::size_t kExitTime = 1225;
inline constexpr std::size_t kEntryTime = 1226;
inline constexpr std::size_t kSirenTime = 1227;

// Counts and sizes of the arrays.
inline constexpr int kInputCount = 8;
inline constexpr int kSpecialCount = 6;
inline constexpr int kEdgeCount = 2;
inline constexpr int kOutputCount = 2;
inline constexpr int kUserCount = 4;
inline constexpr std::size_t kCodeLength = 2;           // characters of an enable or disable code

inline constexpr std::size_t kSmsAccessCodeCapacity = 4;
inline constexpr std::size_t kSimPinCapacity = 7;
inline constexpr std::size_t kPhoneNumberCapacity = 15; // SMS centre and user numbers
inline constexpr std::size_t kSmsTextCapacity = 36;
inline constexpr std::size_t kUserNumberStride = kPhoneNumberCapacity + 1;
inline constexpr std::size_t kSmsTextStride = kSmsTextCapacity + 1;
inline constexpr std::size_t kTextRowStride = kEdgeCount * kSmsTextStride; // one input's two texts

// Special entries by number.
inline constexpr int kSpecialOutput1Confirmation = 1;
inline constexpr int kSpecialOutput2Confirmation = 2;
inline constexpr int kSpecialHijack = 3;
inline constexpr int kSpecialArmDisarm = 5;

// Bits of kFlags.
inline constexpr std::uint8_t kFlagOutput1BySms = 0x01;
inline constexpr std::uint8_t kFlagOutput2BySms = 0x02;
inline constexpr std::uint8_t kFlagOutput1AutoOff = 0x04;
inline constexpr std::uint8_t kFlagOutput2AutoOff = 0x08;
inline constexpr std::uint8_t kFlagPeriodicReport = 0x10;
inline constexpr std::uint8_t kFlagSmsProgramming = 0x20;
inline constexpr std::uint8_t kFlagUnusedBit6 = 0x40; // no control; the window stores them as 0
inline constexpr std::uint8_t kFlagUnusedBit7 = 0x80;

// Bits of kClipUserFlags and kClipUnknownFlags.
inline constexpr std::uint8_t kClipEnableOutput1 = 0x01;
inline constexpr std::uint8_t kClipEnableOutput2 = 0x02;
inline constexpr std::uint8_t kClipDisableOutput1 = 0x04;
inline constexpr std::uint8_t kClipDisableOutput2 = 0x08;
inline constexpr std::uint8_t kClipToggleOutput1 = 0x10;
inline constexpr std::uint8_t kClipToggleOutput2 = 0x20;
inline constexpr std::uint8_t kClipReportToUser1 = 0x40;
inline constexpr std::uint8_t kClipForwardUnknownSms = 0x80; // byte 38 only

// Bits of an output-reaction byte.
inline constexpr std::uint8_t kReactionInactive = 0x80;
inline constexpr std::uint8_t kReactionOutput2Off = 0x40;
inline constexpr std::uint8_t kReactionOutput2On = 0x20;
inline constexpr std::uint8_t kReactionOutput1Off = 0x10;
inline constexpr std::uint8_t kReactionOutput1On = 0x08;
inline constexpr std::uint8_t kReactionImmobiliser = 0x04;
inline constexpr std::uint8_t kReactionSiren = 0x02;
inline constexpr std::uint8_t kReactionDelayed = 0x01; // special 5, edge 2: the exit-time function

// Bits of a notification byte: user u has SMS at bit 2(u-1) and CLIP at bit 2(u-1)+1.
inline constexpr std::uint8_t NotifySmsBit(int user) { return static_cast<std::uint8_t>(1u << (2 * (user - 1))); }
inline constexpr std::uint8_t NotifyClipBit(int user) { return static_cast<std::uint8_t>(2u << (2 * (user - 1))); }

} // namespace morvel::record_offset

// Offsets inside TUserNotes.
namespace morvel::notes_offset {

inline constexpr std::size_t kEntrySize = 282;    // one user's entry
inline constexpr std::size_t kName = 0;           // short string, capacity 30
inline constexpr std::size_t kNotes = 31;         // short string, capacity 250, lines split by CR LF
inline constexpr std::size_t kNameCapacity = 30;
inline constexpr std::size_t kNotesCapacity = 250;

} // namespace morvel::notes_offset
