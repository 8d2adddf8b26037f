#include "fields/field_text.h"
#include "fields/settings_comparison.h"
#include "model/defaults.h"
#include "model/image_codec.h"
#include "model/record_fields.h"

#include <gtest/gtest.h>

namespace morvel {
namespace {

// Offsets restated from the layouts.
constexpr std::size_t kRecordReserved13 = 13;
constexpr std::size_t kRecordFlags = 12;
constexpr std::size_t kRecordArmDisarmEdge2 = 82;
constexpr std::size_t kImageSmsSendTries = 16;
constexpr std::size_t kImageChecksum = 41;
constexpr std::size_t kImageUser2Slot = 135;
constexpr std::size_t kProgrammed = 1195;

struct Settings {
    Settings()
    {
        ApplyDefaults(record);
        UserNumber(record, 2).assign("+48601234567");
        SmsAccessCode(record).assign("1234");
        InputText(record, 3, 1).assign("Drzwi");
        record.bytes[kRecordFlags] = 0x01;
    }
    TEepromImage Image() const
    {
        TEepromImage image;
        EncodeImage(record, image);
        return image;
    }
    TSettingsRecord record;
    TUserNotes notes;
};

std::vector<std::string> Names(const std::vector<FieldDifference>& differences)
{
    std::vector<std::string> names;
    for (const FieldDifference& d : differences)
        names.push_back(d.name);
    return names;
}

TEST(CompareSettings, SameSettingsHaveNoDifference)
{
    const Settings a;
    EXPECT_TRUE(CompareSettings(a.record, a.notes, a.record, a.notes, ComparedBytes::EveryByte).empty());
}

TEST(CompareSettings, NamesEachChangedFieldWithItsPlaceAndBothValues)
{
    const Settings a;
    Settings b;
    UserNumber(b.record, 2).assign("+48601234568");
    UserName(b.notes, 1).assign("Zo\xBF"
                                "ka"); // "Zożka" in Windows-1250
    b.record.bytes[InputOutputReactionOffset(3, 1)] = 0x0A;

    const auto differences = CompareSettings(a.record, a.notes, b.record, b.notes, ComparedBytes::Values);
    ASSERT_EQ(Names(differences),
              (std::vector<std::string>{"InputOutputReaction[3][1]", "UserNumber[2]", "UserNote[1].Name"}));
    EXPECT_EQ(differences[0].place, "Inputs / Input 3 / Connecting to GND / Reaction of outputs");
    EXPECT_EQ(differences[0].first, "0x80 (inactive)");
    EXPECT_EQ(differences[0].second, "0x0A (output 1 on, siren on)");
    EXPECT_EQ(differences[1].place, "Telephone numbers / User 2 number");
    EXPECT_EQ(differences[1].first, "\"+48601234567\"");
    EXPECT_EQ(differences[1].second, "\"+48601234568\"");
    EXPECT_EQ(differences[2].second, "\"Zożka\"");
}

// Reserved bytes and the characters after a text's end stay out unless every byte is asked for;
// then they are listed by offset.
TEST(CompareSettings, ReservedBytesAndStaleTailsOnlyWithEveryByte)
{
    const Settings a;
    Settings b;
    b.record.bytes[kRecordReserved13] = 7;
    SmsAccessCode(b.record).assign("12"); // "34" of "1234" stays behind as the tail
    Settings c = a;
    SmsAccessCode(c.record).assign("12");
    c.record.bytes[36] = '9'; // same value "12", another stale tail
    c.record.bytes[kRecordReserved13] = 7;

    EXPECT_TRUE(CompareSettings(b.record, b.notes, c.record, c.notes, ComparedBytes::Values).empty());
    const auto every = CompareSettings(b.record, b.notes, c.record, c.notes, ComparedBytes::EveryByte);
    ASSERT_EQ(Names(every), (std::vector<std::string>{"record byte 36 (tail of SmsAccessCode)"}));
    EXPECT_EQ(every[0].first, "0x33");
    EXPECT_EQ(every[0].second, "0x39");
    EXPECT_TRUE(every[0].place.empty());

    const auto reserved = CompareSettings(a.record, a.notes, b.record, b.notes, ComparedBytes::EveryByte);
    EXPECT_EQ(Names(reserved), (std::vector<std::string>{"record byte 13 (Reserved13)", "SmsAccessCode"}));
}

TEST(CompareSettings, FlagBitsAreNamedWhereTheirBoxesStand)
{
    const Settings a;
    Settings b;
    b.record.bytes[kRecordFlags] = 0x21; // "Enable SMS programming" on as well
    b.record.bytes[kRecordArmDisarmEdge2] = 0x81;
    const auto differences = CompareSettings(a.record, a.notes, b.record, b.notes, ComparedBytes::Values);
    ASSERT_EQ(differences.size(), 2u);
    EXPECT_EQ(differences[0].place, "Basic / SMS programming / Enable SMS programming");
    EXPECT_EQ(differences[1].place, "Basic / Additional / Switch ON \"exit time\" function");
    EXPECT_EQ(differences[1].second, "0x81 (inactive, exit-time function)");

    b.record.bytes[kRecordArmDisarmEdge2] = 0x09; // the dialog's bits and the box's bit at once
    const auto both = CompareSettings(a.record, a.notes, b.record, b.notes, ComparedBytes::Values);
    EXPECT_EQ(both[1].place, "Special Inputs / Arm/Disarm input / Connecting to GND / Reaction of outputs; "
                             "Basic / Additional / Switch ON \"exit time\" function");
}

TEST(CompareImages, AWrongByteNamesItsFieldWithBothValues)
{
    const Settings settings;
    const TEepromImage programmed = settings.Image();
    TEepromImage module = programmed;
    EXPECT_TRUE(CompareImages(programmed, module, kProgrammed).empty());

    module.bytes[kImageUser2Slot + 12] ^= 0x01; // the number's last digit
    const auto differences = CompareImages(programmed, module, kProgrammed);
    ASSERT_EQ(differences.size(), 1u);
    EXPECT_EQ(differences[0].name, "UserNumber[2]");

    // Other settings programmed in full: their checksum differs as well, because its fields do.
    Settings other;
    other.record.bytes[kRecordFlags] = 0x21;
    EXPECT_EQ(Names(CompareImages(programmed, other.Image(), kProgrammed)), std::vector<std::string>{"Flags"});
    EXPECT_EQ(differences[0].place, "Telephone numbers / User 2 number");
    EXPECT_EQ(differences[0].first, "\"+48601234567\"");
    EXPECT_EQ(differences[0].second, "\"+48601234566\"");
}

TEST(CompareImages, BytesTheDecoderSkipsAndBytesOfNoFieldAreShownRaw)
{
    const TEepromImage programmed = Settings().Image();
    TEepromImage module = programmed;
    module.bytes[kImageSmsSendTries] ^= 0x04; // the copy the decoder does not read
    module.bytes[kImageChecksum] ^= 0x01;
    module.bytes[1194] = 0x20;
    module.bytes[1500] = 0x20; // beyond what programming writes

    const auto differences = CompareImages(programmed, module, kProgrammed);
    ASSERT_EQ(Names(differences), (std::vector<std::string>{"SmsSendTries", "image byte 41 (checksum)",
                                                            "image byte 1194 (always zero)"}));
    EXPECT_EQ(differences[0].first, "0 [image byte 16 = 0x00]");
    EXPECT_EQ(differences[0].second, "0 [image byte 16 = 0x04]");
    EXPECT_EQ(differences[2].first, "0x00");
    EXPECT_EQ(differences[2].second, "0x20");
}

} // namespace
} // namespace morvel
