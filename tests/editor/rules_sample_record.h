#pragma once

#include "model/settings_record.h"

#include <cstdint>
#include <string_view>

namespace morvel::test {

// Writes a short string as the record holds it: the length byte, then the characters.
void PutText(std::uint8_t* field, std::string_view text);

// A record the window can show as it is: values within the controls' ranges, no two CLIP actions
// for one output, and every option on, so that no interlock changes a field. Its texts carry every
// byte value but NUL (the texts of special inputs 4 and 6 among them); the bytes no control shows
// (reserved bytes, reaction bytes, string tails) hold a pattern that a round trip must keep.
TSettingsRecord ShowableRecord();

// Names and notes of printable characters and CR LF line breaks, over a patterned block.
TUserNotes SampleNotes();

} // namespace morvel::test
