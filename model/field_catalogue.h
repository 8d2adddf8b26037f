#pragma once

#include "model/settings_record.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// The one list of the settings' fields: every field of the record and of the notes block, with
// the name `morvel dump` prints, where its bytes sit in its block and in the module image, how
// they are read, and where and with which control the window shows it. Every feature that names
// fields to the operator takes them from here.
namespace morvel {

enum class FieldBlock {
    Record, // TSettingsRecord
    Notes,  // TUserNotes
};

enum class FieldKind {
    Byte,           // a number 0..255
    ShortString,    // a length byte, then `capacity` Windows-1250 characters
    Code,           // two characters without a length byte; both bytes 0 is no code
    Flags,          // a bit set; every bit is named
    OutputReaction, // which outputs an edge switches (bit 7: inactive)
    Notification,   // which users an edge informs, by SMS and by CLIP call
    Reserved,       // no meaning; never reaches the module
};

// What edits the field in the window.
enum class FieldEditor {
    None,               // nothing: the value is carried through
    SpinEdit,           // `control`, range minimum..maximum
    Edit,               // `control`, at most maxLength characters (0: no limit)
    Memo,               // `control`, at most maxLength bytes
    CheckBoxes,         // one box per bit, named in FieldBit::control
    ReactionDialog,     // the output-reaction dialog, opened by the button `control`
    NotificationDialog, // the notification dialog, opened by the button `control`
};

// One bit of a flag, output-reaction or notification byte.
struct FieldBit {
    std::uint8_t mask;
    std::string meaning; // as the dump lists set bits: "output 1 on"
    std::string control; // the check box that shows it (in the window or in the field's dialog), "" none
    // Where the operator finds the bit when that is not the field's own place (the flag bytes'
    // boxes stand on several pages); both empty: the field's place.
    std::string page;
    std::string caption;
};

// A run of module image bytes.
struct ImageBytes {
    std::size_t offset;
    std::size_t size;
};

struct FieldInfo {
    std::string name;           // "UserNumber[2]", "InputOutputReaction[3][1]", "UserNote[1].Name"
    FieldBlock block;
    std::size_t offset;         // in its block
    std::size_t size;           // bytes in its block
    FieldKind kind;
    std::size_t capacity = 0;   // short strings: characters
    std::vector<FieldBit> bits; // flag, output-reaction and notification bytes, in listing order
    std::string noBitSet;       // what a byte without any set bit means: "none", "no output", "nobody"
    std::vector<ImageBytes> image; // the image bytes it occupies; none for reserved bytes and notes
    std::string page;           // the window's page; empty for a field the window does not show
    std::string caption;        // under the page: "User 2 number", "Input 3 / Connecting to GND / Reaction of outputs"
    FieldEditor editor = FieldEditor::None;
    std::string control;        // object name of the control that edits it, "" none
    int minimum = 0;            // spin edits
    int maximum = 0;
    int maxLength = 0;          // edits (characters) and memos (bytes); 0: no limit

    bool Shown() const { return !page.empty(); }
};

// Every field, the record's first, each block in offset order: together they cover each byte of
// the record and of the notes block exactly once.
std::span<const FieldInfo> FieldCatalogue();

// The field of that name, or null.
const FieldInfo* FindField(std::string_view name);
// The field a byte of the record or the notes block belongs to (never null inside the block).
const FieldInfo* FieldAt(FieldBlock block, std::size_t offset);
// The field whose value an image byte carries, or null for a byte no field covers.
const FieldInfo* ImageFieldAt(std::size_t imageOffset);
// What an image byte that no field covers is: "header", "checksum", "always zero".
std::string_view ImageByteRole(std::size_t imageOffset);

// The bytes of the block the field lives in.
std::span<const std::uint8_t> BlockBytes(FieldBlock block, const TSettingsRecord& record, const TUserNotes& notes);
// The field's own bytes in its block.
std::span<const std::uint8_t> FieldBytes(const FieldInfo& field, const TSettingsRecord& record, const TUserNotes& notes);

// The bytes of a short string that make its value (the length byte and the characters it
// counts); the rest is its stale tail. Every byte for the other kinds.
std::size_t ValueBytes(const FieldInfo& field, std::span<const std::uint8_t> fieldBytes);

} // namespace morvel
