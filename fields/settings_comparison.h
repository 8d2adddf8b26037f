#pragma once

#include "model/field_catalogue.h"
#include "model/settings_record.h"

#include <cstddef>
#include <string>
#include <vector>

// Field-by-field comparisons in the operator's terms: two settings files, the editor and a file,
// the image a file programs and what a module holds.
namespace morvel {

// Where a listed byte or field sits.
enum class DifferenceBlock { Record, Notes, Image };

struct FieldDifference {
    const FieldInfo* field = nullptr; // null for a byte listed by its offset
    std::string name;                 // "UserNumber[2]", or "image byte 41 (checksum)"
    std::string place;                // "Telephone numbers / User 2 number"; empty for a byte by offset
    std::string first;                // the value on each side, as text
    std::string second;
    DifferenceBlock block = DifferenceBlock::Record;
    std::size_t offset = 0;           // the field's offset in its block, or the byte's
};

// "record", "notes", "image".
const char* BlockName(DifferenceBlock block);

enum class ComparedBytes {
    Values,    // the fields' values; reserved bytes and the stale tails of texts are left out
    EveryByte, // and every other differing byte, by its offset
};

// Over the record, then the notes, in catalogue order.
std::vector<FieldDifference> CompareSettings(const TSettingsRecord& firstRecord, const TUserNotes& firstNotes,
                                             const TSettingsRecord& secondRecord, const TUserNotes& secondNotes,
                                             ComparedBytes compared);

// Over image bytes [0, end), in image order: each field whose image bytes differ, once, with the
// values the two images decode to (and the differing image bytes where those values agree); a
// differing byte no field covers by its offset. The checksum is left out where both images carry
// the right one for their own bytes: it then differs only because listed fields do.
std::vector<FieldDifference> CompareImages(const TEepromImage& first, const TEepromImage& second, std::size_t end);

} // namespace morvel
