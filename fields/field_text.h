#pragma once

#include "model/field_catalogue.h"

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

// Values of the catalogue's fields as text, the same wherever the operator reads them: in the
// dump, in a comparison's report and in the window's tables. All results are UTF-8.
namespace morvel {

// False when this Qt build cannot convert Windows-1250, the code page of every text field.
bool TextConversionAvailable();

// Windows-1250 bytes as UTF-8 in double quotes; quotes, backslashes and control characters are
// escaped ("\r", "\0", "\x1F") so that a value always stays on one line.
std::string QuotedText(std::string_view bytes);

// The text of a short string or a code in UTF-8, without quotes or escapes (for JSON); empty for
// the other kinds.
std::string PlainText(const FieldInfo& field, std::span<const std::uint8_t> fieldBytes);

// "0x0A".
std::string HexByte(std::uint8_t byte);

// The meanings of the set bits in the field's listing order, "(output 1 on, siren on)", or the
// field's word for no bit set: "(no output)".
std::string BitsMeaning(const FieldInfo& field, std::uint8_t byte);

// A field's value as the dump prints it: numbers in decimal, flag, reaction and notification
// bytes in hex with their meaning, texts and codes quoted. `fieldBytes` are the field's own bytes.
std::string FieldValueText(const FieldInfo& field, std::span<const std::uint8_t> fieldBytes);

// Where the operator finds the field: "Inputs / Input 3 / Connecting to GND / Reaction of
// outputs"; the caption alone for a field the window does not show.
std::string FieldPlace(const FieldInfo& field);

// The place of a bit byte's differing bits, for a byte whose bits stand on several pages (the
// flag bytes, the exit-time bit): "Outputs / Wyjście 1 / Enable/Disable output 1 by SMS", several
// joined with "; ". The field's own place when all differing bits are there.
std::string DifferingBitsPlace(const FieldInfo& field, std::uint8_t first, std::uint8_t second);

} // namespace morvel
