#include "model/field_catalogue.h"
#include "model/image_codec.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>
#include <string>

namespace morvel {
namespace {

// Sizes and image bytes restated from the layouts.
constexpr std::size_t kRecordBytes = 1228;
constexpr std::size_t kNotesBytes = 1128;
constexpr std::size_t kImageBytes = 2048;
constexpr std::size_t kImageChecksum = 41;
constexpr std::size_t kPinTerminator = 104; // the quoted PIN ends in a NUL that never changes
const std::set<std::size_t> kBytesOfNoField = {0, 1, 41, 1188, 1189};
constexpr std::size_t kFirstZeroTail = 1193;

std::set<std::size_t> ImageBytesOf(const FieldInfo& field)
{
    std::set<std::size_t> bytes;
    for (const ImageBytes& run : field.image)
        for (std::size_t i = run.offset; i < run.offset + run.size; ++i)
            bytes.insert(i);
    return bytes;
}

std::set<std::size_t> ChangedBytes(const TEepromImage& a, const TEepromImage& b)
{
    std::set<std::size_t> changed;
    for (std::size_t i = 0; i < kImageBytes; ++i) {
        if (a.bytes[i] != b.bytes[i])
            changed.insert(i);
    }
    return changed;
}

std::uint8_t* Bytes(TSettingsRecord& record, const FieldInfo& field) { return record.bytes.data() + field.offset; }

// Values that together touch every image byte a field can reach: a number slot takes 13
// characters before its NUL spills into the next slot, a text slot 36, the PIN four.
std::vector<TSettingsRecord> OneFieldChanged(const FieldInfo& field)
{
    std::vector<TSettingsRecord> records;
    switch (field.kind) {
    case FieldKind::ShortString: {
        TSettingsRecord record;
        const std::size_t length = field.name == "SimPin" ? 4 : field.capacity == 15 ? 13 : field.capacity;
        Bytes(record, field)[0] = std::uint8_t(length);
        std::fill_n(Bytes(record, field) + 1, length, 'x');
        records.push_back(record);
        break;
    }
    case FieldKind::Code: {
        TSettingsRecord record;
        Bytes(record, field)[0] = 'A';
        Bytes(record, field)[1] = 'B';
        records.push_back(record);
        break;
    }
    default:
        for (std::uint8_t value : {0x5A, 0xA5}) {
            TSettingsRecord record;
            Bytes(record, field)[0] = value;
            records.push_back(record);
        }
    }
    return records;
}

TEST(FieldCatalogue, FieldsTileTheRecordAndTheNotesWithoutGapOrOverlap)
{
    std::size_t next[2] = {0, 0};
    std::set<std::string> names;
    for (const FieldInfo& field : FieldCatalogue()) {
        const int block = field.block == FieldBlock::Record ? 0 : 1;
        EXPECT_EQ(field.offset, next[block]) << field.name;
        EXPECT_GT(field.size, 0u) << field.name;
        next[block] = field.offset + field.size;
        EXPECT_TRUE(names.insert(field.name).second) << "named twice: " << field.name;
        EXPECT_EQ(FindField(field.name), &field);
        for (std::size_t i = field.offset; i < field.offset + field.size; ++i)
            EXPECT_EQ(FieldAt(field.block, i), &field) << field.name << " byte " << i;
        if (field.kind == FieldKind::ShortString) {
            EXPECT_EQ(field.size, field.capacity + 1) << field.name;
        }
    }
    EXPECT_EQ(next[0], kRecordBytes);
    EXPECT_EQ(next[1], kNotesBytes);
    EXPECT_EQ(names.size(), 138u); // one line of the dump each
}

TEST(FieldCatalogue, EveryMeaningfulImageByteBelongsToOneFieldOrIsNamed)
{
    std::map<std::size_t, std::string> owner;
    for (const FieldInfo& field : FieldCatalogue()) {
        if (field.kind == FieldKind::Reserved || field.block == FieldBlock::Notes) {
            EXPECT_TRUE(field.image.empty()) << field.name << " never reaches the module";
        }
        for (const std::size_t i : ImageBytesOf(field)) {
            EXPECT_TRUE(owner.emplace(i, field.name).second) << "image byte " << i << " in " << owner[i] << " and " << field.name;
            EXPECT_EQ(ImageFieldAt(i), &field);
        }
    }
    for (std::size_t i = 0; i < kImageBytes; ++i) {
        const bool ofNoField = kBytesOfNoField.count(i) > 0 || i >= kFirstZeroTail;
        EXPECT_EQ(owner.count(i) == 0, ofNoField) << "image byte " << i;
        EXPECT_EQ(ImageByteRole(i).empty(), !ofNoField) << "image byte " << i;
    }
    EXPECT_EQ(ImageByteRole(1), "header");
    EXPECT_EQ(ImageByteRole(41), "checksum");
    EXPECT_EQ(ImageByteRole(1500), "always zero");
}

// A record that differs from an empty one in a single field changes exactly that field's image
// bytes (the checksum aside).
TEST(FieldCatalogue, ImageBytesNamedAreTheOnesTheEncoderWrites)
{
    TEepromImage empty;
    EncodeImage(TSettingsRecord{}, empty);
    for (const FieldInfo& field : FieldCatalogue()) {
        if (field.block == FieldBlock::Notes)
            continue;
        const std::set<std::size_t> own = ImageBytesOf(field);
        std::set<std::size_t> reached;
        for (const TSettingsRecord& record : OneFieldChanged(field)) {
            TEepromImage image;
            EncodeImage(record, image);
            std::set<std::size_t> changed = ChangedBytes(empty, image);
            changed.erase(kImageChecksum);
            for (const std::size_t i : changed)
                EXPECT_EQ(own.count(i), 1u) << field.name << " changed image byte " << i;
            reached.insert(changed.begin(), changed.end());
        }
        std::set<std::size_t> expected = own;
        expected.erase(kPinTerminator);
        EXPECT_EQ(reached, expected) << field.name;
    }
}

// The other way round, as a verification reads it: a wrong image byte shows in its own field
// only, or in none (a byte the decoder does not read).
TEST(FieldCatalogue, AWrongImageByteDecodesIntoItsOwnFieldOnly)
{
    TSettingsRecord full;
    for (const FieldInfo& field : FieldCatalogue()) {
        if (field.block == FieldBlock::Notes)
            continue;
        if (field.kind == FieldKind::ShortString) {
            const std::size_t length = field.name == "SimPin" ? 4 : field.capacity == 15 ? 12 : field.capacity;
            Bytes(full, field)[0] = std::uint8_t(length);
            std::fill_n(Bytes(full, field) + 1, length, 'x');
        } else {
            std::fill_n(Bytes(full, field), field.size, std::uint8_t('3'));
        }
    }
    TEepromImage image;
    EncodeImage(full, image);
    TSettingsRecord decoded;
    DecodeImage(image, decoded);

    for (std::size_t i = 0; i < 1195; ++i) {
        TEepromImage wrong = image;
        wrong.bytes[i] ^= 0x01;
        TSettingsRecord fromWrong;
        DecodeImage(wrong, fromWrong);
        const FieldInfo* owner = ImageFieldAt(i);
        for (std::size_t r = 0; r < kRecordBytes; ++r) {
            if (fromWrong.bytes[r] != decoded.bytes[r]) {
                EXPECT_EQ(FieldAt(FieldBlock::Record, r), owner)
                    << "image byte " << i << " changed record byte " << r << " of " << FieldAt(FieldBlock::Record, r)->name;
            }
        }
    }
}

struct PlaceCase {
    const char* name;
    const char* page;
    const char* caption;
    const char* control;
};

class FieldPlaces : public testing::TestWithParam<PlaceCase> {};

TEST_P(FieldPlaces, AsTheWindowShowsThem)
{
    const FieldInfo* field = FindField(GetParam().name);
    ASSERT_NE(field, nullptr);
    EXPECT_EQ(field->page, GetParam().page);
    EXPECT_EQ(field->caption, GetParam().caption);
    EXPECT_EQ(field->control, GetParam().control);
}

INSTANTIATE_TEST_SUITE_P(
    Catalogue, FieldPlaces,
    testing::Values(PlaceCase{"UserNumber[2]", "Telephone numbers", "User 2 number", "Enruser2"},
                    PlaceCase{"InputOutputReaction[3][1]", "Inputs", "Input 3 / Connecting to GND / Reaction of outputs",
                              "BB_ConfigNumerWe3Re1"},
                    PlaceCase{"InputNotification[4][2]", "Inputs", "Input 4 / Disconnecting from +12V / Send information",
                              "BBConfigWorkWe4Re2"},
                    PlaceCase{"SpecialText[5][1]", "Special Inputs", "Arm/Disarm input / Disconnecting from GND / SMS message text",
                              "ETSpecSMS_We5_Re1"},
                    PlaceCase{"SpecialNotification[2][2]", "Outputs",
                              "Confirmation of outputs reactions / Output 2 / Disabled / Send SMS if", "BBConfigWorkSpecWe2Re2"},
                    PlaceCase{"SpecialText[4][1]", "", "special entry 4, edge 1: SMS text, not shown in the window",
                              "ETSpecSMS_We4_Re1"},
                    PlaceCase{"UserNote[3].Notes", "Telephone numbers", "User 3 notes", "Muser3"},
                    PlaceCase{"Reserved86", "", "reserved, never reaches the module", ""}));

} // namespace
} // namespace morvel
