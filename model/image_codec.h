#pragma once

#include "model/settings_record.h"

namespace morvel {

// Sets all image bytes to zero.
void ClearImage(TEepromImage& image);

// Builds the module image from the record: header, timers, flags, checksum, reaction pairs,
// quoted PIN and numbers, texts without length bytes. Never fails.
void EncodeImage(const TSettingsRecord& record, TEepromImage& image);

// Fills the record from a module image. Accepts any image (header and checksum are not looked at);
// leaves the reserved record bytes and the tails of the text fields as they were.
void DecodeImage(const TEepromImage& image, TSettingsRecord& record);

// The checksum the module expects at image offset 41: the complement of the sum of bytes 2 to 40.
std::uint8_t ImageChecksum(const TEepromImage& image);

} // namespace morvel
