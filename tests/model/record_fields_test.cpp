#include "model/record_fields.h"

#include <gtest/gtest.h>

#include <functional>
#include <span>
#include <stdexcept>
#include <string>

namespace morvel {
namespace {

// Offsets restated from the record layout, so that a change of the code's constants shows.
struct OffsetCase {
    std::string name;
    std::function<std::size_t()> offset;
    std::size_t expected;
};

void PrintTo(const OffsetCase& c, std::ostream* out) { *out << c.name; }

class RecordOffsets : public testing::TestWithParam<OffsetCase> {};

TEST_P(RecordOffsets, MatchTheLayout)
{
    EXPECT_EQ(GetParam().offset(), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Layout, RecordOffsets,
    testing::Values(OffsetCase{"ReactionTime1", [] { return ReactionTimeOffset(1); }, 0},
                    OffsetCase{"ReactionTime8", [] { return ReactionTimeOffset(8); }, 7},
                    OffsetCase{"OutputOffTime2", [] { return OutputOffTimeOffset(2); }, 9},
                    OffsetCase{"InputBlockTime1", [] { return InputBlockTimeOffset(1); }, 16},
                    OffsetCase{"InputBlockTime8", [] { return InputBlockTimeOffset(8); }, 23},
                    OffsetCase{"EnableCode2", [] { return EnableCodeOffset(2); }, 27},
                    OffsetCase{"DisableCode1", [] { return DisableCodeOffset(1); }, 29},
                    OffsetCase{"DisableCode2", [] { return DisableCodeOffset(2); }, 31},
                    OffsetCase{"InputOutputReaction11", [] { return InputOutputReactionOffset(1, 1); }, 41},
                    OffsetCase{"InputOutputReaction82", [] { return InputOutputReactionOffset(8, 2); }, 56},
                    OffsetCase{"InputNotification31", [] { return InputNotificationOffset(3, 1); }, 61},
                    OffsetCase{"InputNotification82", [] { return InputNotificationOffset(8, 2); }, 72},
                    OffsetCase{"SpecialOutputReaction11", [] { return SpecialOutputReactionOffset(1, 1); }, 73},
                    OffsetCase{"SpecialOutputReaction52", [] { return SpecialOutputReactionOffset(5, 2); }, 82},
                    OffsetCase{"SpecialNotification11", [] { return SpecialNotificationOffset(1, 1); }, 89},
                    OffsetCase{"SpecialNotification62", [] { return SpecialNotificationOffset(6, 2); }, 100},
                    OffsetCase{"UserNumber4", [] { return UserNumberOffset(4); }, 173},
                    OffsetCase{"InputText11", [] { return InputTextOffset(1, 1); }, 189},
                    OffsetCase{"InputText12", [] { return InputTextOffset(1, 2); }, 226},
                    OffsetCase{"InputText21", [] { return InputTextOffset(2, 1); }, 263},
                    OffsetCase{"InputText82", [] { return InputTextOffset(8, 2); }, 744},
                    OffsetCase{"SpecialText11", [] { return SpecialTextOffset(1, 1); }, 781},
                    OffsetCase{"SpecialText62", [] { return SpecialTextOffset(6, 2); }, 1188},
                    OffsetCase{"UserName1", [] { return UserNameOffset(1); }, 0},
                    OffsetCase{"UserNotes1", [] { return UserNotesTextOffset(1); }, 31},
                    OffsetCase{"UserName4", [] { return UserNameOffset(4); }, 846},
                    OffsetCase{"UserNotes4", [] { return UserNotesTextOffset(4); }, 877}),
    [](const testing::TestParamInfo<OffsetCase>& info) { return info.param.name; });

// Where each text accessor writes and how much it takes: length byte offset and capacity.
struct TextFieldCase {
    std::string name;
    std::function<ShortString(TSettingsRecord&, TUserNotes&)> field;
    bool inNotes;
    std::size_t lengthOffset;
    std::size_t capacity;
};

void PrintTo(const TextFieldCase& c, std::ostream* out) { *out << c.name; }

class TextFields : public testing::TestWithParam<TextFieldCase> {};

TEST_P(TextFields, WriteOnlyTheirOwnBytes)
{
    const TextFieldCase& c = GetParam();
    TSettingsRecord record;
    TUserNotes notes;
    const std::string longText(300, 'q');
    ShortString field = c.field(record, notes);
    EXPECT_EQ(field.capacity(), c.capacity);
    field.assign(longText);

    const auto& bytes = c.inNotes ? std::span<const std::uint8_t>(notes.bytes) : std::span<const std::uint8_t>(record.bytes);
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const std::uint8_t expected = i == c.lengthOffset ? c.capacity
                                      : i > c.lengthOffset && i <= c.lengthOffset + c.capacity ? 'q' : 0;
        ASSERT_EQ(bytes[i], expected) << "byte " << i;
    }
    const auto& other = c.inNotes ? std::span<const std::uint8_t>(record.bytes) : std::span<const std::uint8_t>(notes.bytes);
    for (std::uint8_t b : other)
        ASSERT_EQ(b, 0);
}

INSTANTIATE_TEST_SUITE_P(
    Layout, TextFields,
    testing::Values(
        TextFieldCase{"SmsAccessCode", [](TSettingsRecord& r, TUserNotes&) { return SmsAccessCode(r); }, false, 33, 4},
        TextFieldCase{"SimPin", [](TSettingsRecord& r, TUserNotes&) { return SimPin(r); }, false, 101, 7},
        TextFieldCase{"SmsCentre", [](TSettingsRecord& r, TUserNotes&) { return SmsCentre(r); }, false, 109, 15},
        TextFieldCase{"UserNumber1", [](TSettingsRecord& r, TUserNotes&) { return UserNumber(r, 1); }, false, 125, 15},
        TextFieldCase{"UserNumber3", [](TSettingsRecord& r, TUserNotes&) { return UserNumber(r, 3); }, false, 157, 15},
        TextFieldCase{"InputText52", [](TSettingsRecord& r, TUserNotes&) { return InputText(r, 5, 2); }, false, 522, 36},
        TextFieldCase{"SpecialText31", [](TSettingsRecord& r, TUserNotes&) { return SpecialText(r, 3, 1); }, false, 929, 36},
        TextFieldCase{"SpecialText62", [](TSettingsRecord& r, TUserNotes&) { return SpecialText(r, 6, 2); }, false, 1188, 36},
        TextFieldCase{"UserName2", [](TSettingsRecord&, TUserNotes& n) { return UserName(n, 2); }, true, 282, 30},
        TextFieldCase{"UserNotes4", [](TSettingsRecord&, TUserNotes& n) { return UserNotesText(n, 4); }, true, 877, 250}),
    [](const testing::TestParamInfo<TextFieldCase>& info) { return info.param.name; });

TEST(RecordFields, ReadOverloadsSeeWhatWasAssigned)
{
    TSettingsRecord record;
    TUserNotes notes;
    SimPin(record).assign("123456789");
    SmsAccessCode(record).assign("abcdef");
    InputText(record, 8, 2).assign("Alarm");
    UserNotesText(notes, 3).assign("line 1\r\nline 2");
    const TSettingsRecord& constRecord = record;
    const TUserNotes& constNotes = notes;
    EXPECT_EQ(SimPin(constRecord), "1234567");
    EXPECT_EQ(SmsAccessCode(constRecord), "abcd");
    EXPECT_EQ(InputText(constRecord, 8, 2), "Alarm");
    EXPECT_EQ(UserNotesText(constNotes, 3), "line 1\r\nline 2");
}

TEST(RecordFields, NumbersOutOfRangeThrowInsteadOfTouchingNeighbours)
{
    TSettingsRecord record;
    EXPECT_THROW(ReactionTimeOffset(0), std::out_of_range);
    EXPECT_THROW(ReactionTimeOffset(9), std::out_of_range);
    EXPECT_THROW(InputOutputReactionOffset(1, 3), std::out_of_range);
    EXPECT_THROW(SpecialNotificationOffset(7, 1), std::out_of_range);
    EXPECT_THROW(EnableCodeOffset(3), std::out_of_range);
    EXPECT_THROW(UserNumber(record, 5), std::out_of_range);
}

struct CodeCase {
    std::string stored;   // the two record bytes
    std::string readBack; // what EnableCode returns for them
};

// Names the case by its two bytes in hex, as ctest lists it.
void PrintTo(const CodeCase& c, std::ostream* out)
{
    *out << std::hex << int(std::uint8_t(c.stored[0])) << '_' << int(std::uint8_t(c.stored[1]));
}

class EnableCodes : public testing::TestWithParam<CodeCase> {};

TEST_P(EnableCodes, ReadOnlyWhenBothCharactersAreThere)
{
    TSettingsRecord record;
    record.bytes[27] = static_cast<std::uint8_t>(GetParam().stored[0]);
    record.bytes[28] = static_cast<std::uint8_t>(GetParam().stored[1]);
    EXPECT_EQ(EnableCode(record, 2), GetParam().readBack);
}

INSTANTIATE_TEST_SUITE_P(Codes, EnableCodes,
                         testing::Values(CodeCase{"AB", "AB"}, CodeCase{std::string("A\0", 2), ""},
                                         CodeCase{std::string("\0B", 2), ""}, CodeCase{std::string(2, '\0'), ""}),
                         [](const auto& info) { return testing::PrintToString(info.param); });

TEST(RecordFields, SettingACodeOtherThanTwoCharactersClearsIt)
{
    TSettingsRecord record;
    SetDisableCode(record, 1, "XY");
    EXPECT_EQ(record.bytes[29], 'X');
    EXPECT_EQ(record.bytes[30], 'Y');
    EXPECT_EQ(DisableCode(record, 1), "XY");
    for (const char* invalid : {"", "X", "XYZ"}) {
        SetDisableCode(record, 1, "XY");
        SetDisableCode(record, 1, invalid);
        EXPECT_EQ(record.bytes[29], 0) << invalid;
        EXPECT_EQ(record.bytes[30], 0) << invalid;
    }
    EXPECT_EQ(record.bytes[31], 0);
}

} // namespace
} // namespace morvel
