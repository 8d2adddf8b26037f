#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace morvel {

// Sizes of the three memory blocks the program works on.
inline constexpr std::size_t kRecordSize = 1228; // settings record, first block of a settings file
inline constexpr std::size_t kNotesSize = 1128;  // users' names and notes, second block of a file
inline constexpr std::size_t kImageSize = 2048;  // the module's settings memory

// The settings record: every setting the module takes, in a fixed byte layout with no gaps
// (offsets in model/record_offsets.h). Texts are Windows-1250 bytes.
struct TSettingsRecord {
    std::array<std::uint8_t, kRecordSize> bytes{};
    bool operator==(const TSettingsRecord&) const = default;
};

// Name and free notes of each of the four users; lives only in settings files.
struct TUserNotes {
    std::array<std::uint8_t, kNotesSize> bytes{};
    bool operator==(const TUserNotes&) const = default;
};

// The module's settings memory as it travels over the serial link (offsets in model/image_offsets.h).
struct TEepromImage {
    std::array<std::uint8_t, kImageSize> bytes{};
    bool operator==(const TEepromImage&) const = default;
};

// The single instances of one program run, zero at start; built in main() and passed by reference.
struct SettingsModel {
    TSettingsRecord record;
    TUserNotes notes;
    TEepromImage image;
};

} // namespace morvel
