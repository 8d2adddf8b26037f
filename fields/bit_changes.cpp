#include "fields/change_support.h"
#include "fields/change_texts.h"
#include "model/record_offsets.h"

#include <QStringList>

#include <algorithm>
#include <bit>
#include <variant>

// The rules for flag, output-reaction and notification bytes: the boxes the window offers, the
// bits it carries unseen, "inactive" alone, the interlocked bits.
namespace morvel::change_detail {

namespace {

namespace text = change_text;

constexpr std::uint8_t kInactive = record_offset::kReactionInactive;
constexpr std::uint8_t kDialogBits = 0x7F; // the reaction bits besides "inactive"
constexpr QChar kListSeparator = u',';

// Bits with a box of their own elsewhere in the window (the "exit time" box for bit 0 of the
// Arm/Disarm input's second edge): they are set after the dialog's byte is stored.
std::uint8_t OwnBoxBits(const FieldInfo& field)
{
    std::uint8_t mask = 0;
    for (const FieldBit& bit : field.bits) {
        if (bit.offered && !bit.page.empty() && field.kind == FieldKind::OutputReaction)
            mask |= bit.mask;
    }
    return mask;
}

// Bits the window does not offer but carries through from what it loaded (a hidden box keeps
// its tick); the others it does not offer it stores as 0.
std::uint8_t CarriedBits(const FieldInfo& field)
{
    std::uint8_t mask = 0;
    for (const FieldBit& bit : field.bits) {
        if (!bit.offered && !bit.control.empty())
            mask |= bit.mask;
    }
    return mask;
}

std::optional<std::string> ExclusionProblem(const FieldInfo& field, std::uint8_t value)
{
    for (std::uint8_t group : field.exclusiveBits) {
        const std::uint8_t set = value & group;
        if (std::popcount(set) > 1) {
            const std::uint8_t first = std::uint8_t(set & -set);
            const std::uint8_t second = std::uint8_t(set & (set - 1));
            return Arg(text::kOptionsExclude, Meaning(field, first), Meaning(field, std::uint8_t(second & -second)));
        }
    }
    return std::nullopt;
}

// The byte the window stores when the operator ticks exactly the options named, everything else
// as the window carries it: hidden boxes keep their loaded ticks, "inactive" clears the rest, an
// empty reaction is stored as inactive, and then the "exit time" box sets its bit.
std::variant<std::uint8_t, std::string> ByteFromNames(const FieldInfo& field, const QStringList& names, std::uint8_t current)
{
    std::uint8_t listed = 0;
    for (const QString& given : names) {
        const QString name = given.trimmed();
        if (name.isEmpty() || name.compare(Q(field.noBitSet), Qt::CaseInsensitive) == 0)
            continue;
        const auto bit = std::find_if(field.bits.begin(), field.bits.end(), [&](const FieldBit& b) {
            return name.compare(Q(b.meaning), Qt::CaseInsensitive) == 0;
        });
        if (bit == field.bits.end())
            return Arg(text::kNoSuchOption, name);
        if (!bit->offered)
            return Arg(text::kOptionNotOffered, Q(bit->meaning));
        listed |= bit->mask;
    }
    if (auto problem = ExclusionProblem(field, listed))
        return *problem;
    const std::uint8_t carried = CarriedBits(field);
    if (field.kind != FieldKind::OutputReaction)
        return std::uint8_t(listed | (current & carried));

    const std::uint8_t ownBox = OwnBoxBits(field);
    const std::uint8_t ticked = listed & ~ownBox;
    std::uint8_t dialog = 0;
    if (ticked & kInactive) {
        if (ticked != kInactive)
            return Arg(text::kInactiveAlone, Meaning(field, kInactive));
        dialog = kInactive;
    } else {
        // The hidden boxes, the own-box bit's among them, hold the ticks they were loaded with.
        dialog = ticked | (current & (carried | ownBox));
        if (dialog == 0)
            dialog = kInactive;
    }
    return std::uint8_t((dialog & ~ownBox) | (listed & ownBox));
}

// Whether the window can store this byte, given as a number, where the field holds `current`.
Problem CheckBitNumber(const FieldInfo& field, std::uint8_t value, std::uint8_t current)
{
    const std::uint8_t offered = field.OfferedBits();
    const std::uint8_t carried = CarriedBits(field);
    if (field.kind == FieldKind::Flags) {
        for (const FieldBit& bit : field.bits) {
            if (bit.offered || ((value ^ current) & bit.mask) == 0)
                continue;
            if (bit.mask & carried)
                return Arg(text::kKeepsBit, Q(bit.meaning));
            if (value & bit.mask)
                return Arg(text::kClearsBit, Q(bit.meaning));
        }
        return ExclusionProblem(field, value);
    }
    // What the dialogs cannot set but clear (ticking "inactive", a user without a phone number).
    const std::uint8_t hidden = std::uint8_t(~offered) & (field.kind == FieldKind::OutputReaction ? kDialogBits : 0xFF);
    const std::uint8_t added = value & hidden & std::uint8_t(~(current & hidden));
    if (added)
        return Arg(text::kCannotSetBit, Meaning(field, std::uint8_t(added & -added)));
    if (field.kind == FieldKind::Notification)
        return std::nullopt;
    const std::uint8_t ownBox = OwnBoxBits(field);
    const std::uint8_t dialog = value & ~ownBox;
    if (dialog & kInactive)
        return dialog == kInactive ? Problem() : Arg(text::kInactiveAlone, Meaning(field, kInactive));
    if (dialog == 0 && ownBox == 0)
        return text::kNoReaction;
    return ExclusionProblem(field, dialog);
}

} // namespace

Problem ApplyBits(const FieldInfo& field, const GivenValue& value, std::span<std::uint8_t> bytes)
{
    const std::uint8_t current = bytes[0];
    std::uint8_t wanted = 0;
    bool asNumber = false;
    if (const std::optional<long long> number = WholeNumber(value)) {
        if (*number < 0 || *number > 0xFF)
            return Arg(text::kNotAByte, *number);
        wanted = static_cast<std::uint8_t>(*number);
        asNumber = true;
    } else if (value.form == GivenValue::Form::Number) {
        return Arg(text::kNotANumber, GivenAsText(value));
    } else {
        const QStringList names = value.form == GivenValue::Form::Names ? value.names : value.text.split(kListSeparator);
        auto byte = ByteFromNames(field, names, current);
        if (auto* problem = std::get_if<std::string>(&byte))
            return *problem;
        wanted = std::get<std::uint8_t>(byte);
    }
    if (wanted == current)
        return std::nullopt;
    if (!Editable(field))
        return text::kNoControl;
    if (asNumber) {
        if (Problem problem = CheckBitNumber(field, wanted, current))
            return problem;
    }
    bytes[0] = wanted;
    return std::nullopt;
}

} // namespace morvel::change_detail
