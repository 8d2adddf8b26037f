#include "model/record_fields.h"

#include "model/record_offsets.h"

#include <algorithm>
#include <stdexcept>
#include <string>

namespace morvel {

namespace ro = record_offset;

namespace {

// Zero-based position of a 1-based number, or an exception naming what was out of range.
std::size_t Index(int number, int count, const char* what)
{
    if (number < 1 || number > count)
        throw std::out_of_range(std::string(what) + " " + std::to_string(number) + " is not in 1.." +
                                std::to_string(count));
    return static_cast<std::size_t>(number - 1);
}

std::size_t InputIndex(int input) { return Index(input, ro::kInputCount, "input"); }
std::size_t SpecialIndex(int special) { return Index(special, ro::kSpecialCount, "special entry"); }
std::size_t EdgeIndex(int edge) { return Index(edge, ro::kEdgeCount, "edge"); }
std::size_t OutputIndex(int output) { return Index(output, ro::kOutputCount, "output"); }
std::size_t UserIndex(int user) { return Index(user, ro::kUserCount, "user"); }

// The reaction and notification arrays hold the two edges of one row next to each other.
std::size_t EdgePairOffset(std::size_t base, std::size_t row, int edge)
{
    return base + ro::kEdgeCount * row + EdgeIndex(edge);
}

std::string Code(const TSettingsRecord& record, std::size_t offset)
{
    const auto first = record.bytes.begin() + static_cast<std::ptrdiff_t>(offset);
    const auto last = first + ro::kCodeLength;
    if (std::find(first, last, 0) != last)
        return {};
    return std::string(first, last);
}

void SetCode(TSettingsRecord& record, std::size_t offset, std::string_view code)
{
    const bool complete = code.size() == ro::kCodeLength;
    for (std::size_t i = 0; i < ro::kCodeLength; ++i)
        record.bytes[offset + i] = complete ? static_cast<std::uint8_t>(code[i]) : 0;
}

} // namespace

std::size_t ReactionTimeOffset(int input) { return ro::kReactionTime + InputIndex(input); }
std::size_t InputBlockTimeOffset(int input) { return ro::kInputBlockTime + InputIndex(input); }
std::size_t OutputOffTimeOffset(int output) { return ro::kOutputOffTime + OutputIndex(output); }
std::size_t EnableCodeOffset(int output) { return ro::kEnableCode + ro::kCodeLength * OutputIndex(output); }
std::size_t DisableCodeOffset(int output) { return ro::kDisableCode + ro::kCodeLength * OutputIndex(output); }

std::size_t InputOutputReactionOffset(int input, int edge)
{
    return EdgePairOffset(ro::kInputOutputReaction, InputIndex(input), edge);
}

std::size_t InputNotificationOffset(int input, int edge)
{
    return EdgePairOffset(ro::kInputNotification, InputIndex(input), edge);
}

std::size_t SpecialOutputReactionOffset(int special, int edge)
{
    return EdgePairOffset(ro::kSpecialOutputReaction, SpecialIndex(special), edge);
}

std::size_t SpecialNotificationOffset(int special, int edge)
{
    return EdgePairOffset(ro::kSpecialNotification, SpecialIndex(special), edge);
}

std::size_t UserNumberOffset(int user) { return ro::kUserNumber + ro::kUserNumberStride * UserIndex(user); }

std::size_t InputTextOffset(int input, int edge)
{
    return ro::kInputText + ro::kTextRowStride * InputIndex(input) + ro::kSmsTextStride * EdgeIndex(edge);
}

std::size_t SpecialTextOffset(int special, int edge)
{
    return ro::kSpecialText + ro::kTextRowStride * SpecialIndex(special) + ro::kSmsTextStride * EdgeIndex(edge);
}

std::size_t UserNameOffset(int user) { return notes_offset::kEntrySize * UserIndex(user) + notes_offset::kName; }
std::size_t UserNotesTextOffset(int user) { return notes_offset::kEntrySize * UserIndex(user) + notes_offset::kNotes; }

ShortString SimPin(TSettingsRecord& r) { return {&r.bytes[ro::kSimPin], ro::kSimPinCapacity}; }
ShortString SmsCentre(TSettingsRecord& r) { return {&r.bytes[ro::kSmsCentre], ro::kPhoneNumberCapacity}; }
ShortString SmsAccessCode(TSettingsRecord& r) { return {&r.bytes[ro::kSmsAccessCode], ro::kSmsAccessCodeCapacity}; }
ShortString UserNumber(TSettingsRecord& r, int user) { return {&r.bytes[UserNumberOffset(user)], ro::kPhoneNumberCapacity}; }

ShortString InputText(TSettingsRecord& r, int input, int edge)
{
    return {&r.bytes[InputTextOffset(input, edge)], ro::kSmsTextCapacity};
}

ShortString SpecialText(TSettingsRecord& r, int special, int edge)
{
    return {&r.bytes[SpecialTextOffset(special, edge)], ro::kSmsTextCapacity};
}

ShortString UserName(TUserNotes& n, int user) { return {&n.bytes[UserNameOffset(user)], notes_offset::kNameCapacity}; }

ShortString UserNotesText(TUserNotes& n, int user)
{
    return {&n.bytes[UserNotesTextOffset(user)], notes_offset::kNotesCapacity};
}

std::string SimPin(const TSettingsRecord& r) { return ShortStringValue(&r.bytes[ro::kSimPin], ro::kSimPinCapacity); }
std::string SmsCentre(const TSettingsRecord& r) { return ShortStringValue(&r.bytes[ro::kSmsCentre], ro::kPhoneNumberCapacity); }

std::string SmsAccessCode(const TSettingsRecord& r)
{
    return ShortStringValue(&r.bytes[ro::kSmsAccessCode], ro::kSmsAccessCodeCapacity);
}

std::string UserNumber(const TSettingsRecord& r, int user)
{
    return ShortStringValue(&r.bytes[UserNumberOffset(user)], ro::kPhoneNumberCapacity);
}

std::string InputText(const TSettingsRecord& r, int input, int edge)
{
    return ShortStringValue(&r.bytes[InputTextOffset(input, edge)], ro::kSmsTextCapacity);
}

std::string SpecialText(const TSettingsRecord& r, int special, int edge)
{
    return ShortStringValue(&r.bytes[SpecialTextOffset(special, edge)], ro::kSmsTextCapacity);
}

std::string UserName(const TUserNotes& n, int user)
{
    return ShortStringValue(&n.bytes[UserNameOffset(user)], notes_offset::kNameCapacity);
}

std::string UserNotesText(const TUserNotes& n, int user)
{
    return ShortStringValue(&n.bytes[UserNotesTextOffset(user)], notes_offset::kNotesCapacity);
}

std::string EnableCode(const TSettingsRecord& r, int output) { return Code(r, EnableCodeOffset(output)); }
std::string DisableCode(const TSettingsRecord& r, int output) { return Code(r, DisableCodeOffset(output)); }
void SetEnableCode(TSettingsRecord& r, int output, std::string_view code) { SetCode(r, EnableCodeOffset(output), code); }
void SetDisableCode(TSettingsRecord& r, int output, std::string_view code) { SetCode(r, DisableCodeOffset(output), code); }

} // namespace morvel
