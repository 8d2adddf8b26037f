#pragma once

#include <cstddef>
#include <cstdint>

// Byte offsets of the module memory image and the encodings it uses.
namespace morvel::image_offset {

inline constexpr std::size_t kHeader = 0;               // two bytes 0xFF
inline constexpr std::size_t kHeaderSize = 2;
inline constexpr std::uint8_t kHeaderByte = 0xFF;
inline constexpr std::size_t kReactionTime = 2;         // [8]
inline constexpr std::size_t kOutputOffTime = 10;       // [2]
inline constexpr std::size_t kClipRejectTime = 12;      // the record's value plus kClipRejectBias
inline constexpr std::size_t kCallTime = 13;
inline constexpr std::size_t kFlags = 14;
inline constexpr std::size_t kSmsConfirmTime = 15;
inline constexpr std::size_t kSmsSendTries = 16;        // written twice; the decoder reads the copy
inline constexpr std::size_t kSmsSendTriesCopy = 17;
inline constexpr std::size_t kInputBlockTime = 18;      // [8]
inline constexpr std::size_t kReportPeriod = 26;        // followed by the four code bytes pairs
inline constexpr std::size_t kReportAndCodesSize = 9;   // report period, enable codes, disable codes
inline constexpr std::size_t kSmsAccessCode = 35;       // four character bytes, no length byte
inline constexpr std::size_t kClipUserFlags = 39;
inline constexpr std::size_t kClipUnknownFlags = 40;
inline constexpr std::size_t kChecksum = 41;
inline constexpr std::size_t kChecksummedFirst = 2;     // the checksum covers bytes 2..40
inline constexpr std::size_t kChecksummedLast = 40;

// Reaction pairs: notification byte, then output-reaction byte, one pair per row and edge.
inline constexpr std::size_t kInputPairsEdge1 = 42;
inline constexpr std::size_t kInputPairsEdge2 = 58;
inline constexpr std::size_t kSpecialPairsEdge1 = 74;
inline constexpr std::size_t kSpecialPairsEdge2 = 86;
inline constexpr std::size_t kPairSize = 2;

inline constexpr std::size_t kSimPin = 98;              // quote, four characters, quote, NUL
inline constexpr std::size_t kSimPinCharacters = 4;

inline constexpr std::size_t kSmsCentreSlot = 105;
inline constexpr std::size_t kUserNumberSlots = 120;    // [4]
inline constexpr std::size_t kNumberSlotSize = 15;

inline constexpr std::size_t kInputTextsEdge1 = 180;    // [8] slots
inline constexpr std::size_t kInputTextsEdge2 = 468;
inline constexpr std::size_t kSpecialTextsEdge1 = 756;  // [6] slots
inline constexpr std::size_t kSpecialTextsEdge2 = 972;
inline constexpr std::size_t kTextSlotSize = 36;

inline constexpr std::size_t kExitTime = 1190;
inline constexpr std::size_t kEntryTime = 1191;
inline constexpr std::size_t kSirenTime = 1192;
inline constexpr std::size_t kMeaningfulEnd = 1193;     // bytes from here on are always zero

inline constexpr std::uint8_t kQuote = 0x22;            // encloses the PIN and phone numbers
inline constexpr std::uint8_t kClipRejectBias = 15;     // the module counts the reject time from 15 s earlier

} // namespace morvel::image_offset
