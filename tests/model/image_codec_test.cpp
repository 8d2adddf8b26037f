#include "model/defaults.h"
#include "model/image_codec.h"
#include "model/record_fields.h"

#include <gtest/gtest.h>

#include <map>
#include <random>
#include <string>

namespace morvel {
namespace {

// Image and record offsets used below, restated from the layouts.
constexpr std::size_t kImageChecksum = 41;
constexpr std::size_t kImageRejectTime = 12;
constexpr std::size_t kImagePin = 98;
constexpr std::size_t kImageAccessCode = 35;
constexpr std::size_t kImageCentreSlot = 105;
constexpr std::size_t kImageUser1Slot = 120;
constexpr std::size_t kImageUser4Slot = 165;
constexpr std::size_t kImageFirstTextSlot = 180;
constexpr std::size_t kRecordRejectTime = 10;

std::string ImageText(const TEepromImage& image, std::size_t offset, std::size_t count)
{
    return std::string(image.bytes.begin() + static_cast<std::ptrdiff_t>(offset),
                       image.bytes.begin() + static_cast<std::ptrdiff_t>(offset + count));
}

void ExpectImage(const TEepromImage& image, const std::map<std::size_t, std::uint8_t>& nonZero)
{
    for (std::size_t i = 0; i < kImageSize; ++i) {
        const auto it = nonZero.find(i);
        ASSERT_EQ(image.bytes[i], it == nonZero.end() ? 0 : it->second) << "image byte " << i;
    }
}

std::map<std::size_t, std::uint8_t> StartUpImage()
{
    std::map<std::size_t, std::uint8_t> bytes{{0, 0xFF}, {1, 0xFF}, {12, 0x0F}, {41, 0xE0},
                                              {1190, 1}, {1191, 1}, {1192, 1}};
    for (std::size_t i = 2; i <= 9; ++i)
        bytes[i] = 1;
    for (std::size_t i = 18; i <= 25; ++i)
        bytes[i] = 1;
    for (std::size_t i = 43; i <= 97; i += 2) // reaction bytes of the pairs; notifications stay 0
        bytes[i] = 0x80;
    return bytes;
}

TEST(EncodeImage, StartUpRecord)
{
    TSettingsRecord record;
    ApplyDefaults(record);
    TEepromImage image;
    image.bytes.fill(0x5A); // encode starts from a clear image
    EncodeImage(record, image);
    ExpectImage(image, StartUpImage());
}

TEST(EncodeImage, StartUpRecordAfterTheFirstStorePass)
{
    TSettingsRecord record;
    ApplyDefaults(record);
    // The spin edits' minimums: off times, reject time, call time, confirm time, tries, report period.
    for (auto [offset, value] : std::map<std::size_t, std::uint8_t>{
             {8, 1}, {9, 1}, {10, 1}, {11, 10}, {14, 10}, {15, 1}, {24, 1}})
        record.bytes[offset] = value;
    TEepromImage image;
    EncodeImage(record, image);
    auto expected = StartUpImage();
    expected[10] = 1;
    expected[11] = 1;
    expected[12] = 16;
    expected[13] = 10;
    expected[15] = 10;
    expected[16] = 1;
    expected[17] = 1;
    expected[26] = 1;
    expected[kImageChecksum] = 0xC6;
    ExpectImage(image, expected);
}

TEST(EncodeImage, ChecksumIsTheComplementOfTheSumOfBytes2To40)
{
    TSettingsRecord record;
    for (std::size_t i = 0; i < 40; ++i)
        record.bytes[i] = static_cast<std::uint8_t>(0xF0 + i);
    TEepromImage image;
    EncodeImage(record, image);
    unsigned sum = 0;
    for (std::size_t i = 2; i <= 40; ++i)
        sum += image.bytes[i];
    EXPECT_EQ(image.bytes[kImageChecksum], static_cast<std::uint8_t>(255 - sum % 256));
    EXPECT_EQ(ImageChecksum(image), image.bytes[kImageChecksum]);
}

// All 256 values in one test: each would otherwise be a process of its own under CTest.
TEST(EncodeImage, EveryRejectTimeIsStoredPlus15AndSurvivesTheRoundTrip)
{
    for (int value = 0; value < 256; ++value) {
        SCOPED_TRACE("ClipRejectTime " + std::to_string(value));
        TSettingsRecord record;
        record.bytes[kRecordRejectTime] = static_cast<std::uint8_t>(value);
        TEepromImage image;
        EncodeImage(record, image);
        ASSERT_EQ(image.bytes[kImageRejectTime], (value + 15) % 256);
        TSettingsRecord decoded;
        DecodeImage(image, decoded);
        ASSERT_EQ(decoded.bytes[kRecordRejectTime], value);
    }
}

TEST(DecodeImage, ZeroImageGivesRejectTime241AndFourNulAccessCode)
{
    // Decoded onto a record full of 0xAB: reserved bytes and string tails keep it.
    constexpr std::uint8_t kFiller = 0xAB;
    TSettingsRecord record;
    record.bytes.fill(kFiller);
    DecodeImage(TEepromImage{}, record);

    std::map<std::size_t, std::uint8_t> decoded{{10, 241}, {33, 4}, {101, 0}, {109, 0}};
    auto zero = [&](std::size_t first, std::size_t last) {
        for (std::size_t i = first; i <= last; ++i)
            decoded.emplace(i, 0);
    };
    zero(0, 9);
    zero(11, 12);
    zero(14, 32);
    zero(34, 39); // the four access code characters are NUL characters
    zero(41, 84);
    zero(89, 100);
    for (std::size_t user = 0; user < 4; ++user)
        decoded[125 + 16 * user] = 0;
    for (std::size_t text = 0; text < 28; ++text)
        decoded[189 + 37 * text] = 0;
    zero(1225, 1227);

    for (std::size_t i = 0; i < kRecordSize; ++i) {
        const auto it = decoded.find(i);
        ASSERT_EQ(record.bytes[i], it == decoded.end() ? kFiller : it->second) << "record byte " << i;
    }
    EXPECT_EQ(SmsAccessCode(std::as_const(record)), std::string(4, '\0'));
}

TEST(EncodeImage, EmptySimPinLeavesItsBytesZero)
{
    TSettingsRecord record;
    SimPin(record).assign("1234");
    SimPin(record).assign("");
    TEepromImage image;
    EncodeImage(record, image);
    EXPECT_EQ(ImageText(image, kImagePin, 7), std::string(7, '\0'));
    DecodeImage(image, record);
    EXPECT_EQ(SimPin(std::as_const(record)), "");
}

TEST(EncodeImage, SimPinSendsFourCharactersWhateverItsLength)
{
    TSettingsRecord record;
    SimPin(record).assign("9876");
    SimPin(record).assign("12"); // the stale "76" travels too
    TEepromImage image;
    EncodeImage(record, image);
    EXPECT_EQ(ImageText(image, kImagePin, 7), std::string("\"1276\"\0", 7));
    TSettingsRecord decoded;
    DecodeImage(image, decoded);
    EXPECT_EQ(SimPin(std::as_const(decoded)), "1276");
}

TEST(EncodeImage, EmptyAccessCodeSendsTheEarlierCode)
{
    TSettingsRecord record;
    SmsAccessCode(record).assign("4321");
    SmsAccessCode(record).assign("");
    TEepromImage image;
    EncodeImage(record, image);
    EXPECT_EQ(ImageText(image, kImageAccessCode, 4), "4321");
    TSettingsRecord decoded;
    DecodeImage(image, decoded);
    EXPECT_EQ(SmsAccessCode(std::as_const(decoded)), "4321");
}

TEST(EncodeImage, TwelveCharacterNumberFillsItsSlot)
{
    TSettingsRecord record;
    UserNumber(record, 2).assign("+48601234567");
    TEepromImage image;
    EncodeImage(record, image);
    EXPECT_EQ(ImageText(image, 135, 15), std::string("\"+48601234567\"\0", 15));
}

// A long number runs into the next slot; what survives depends on whether that slot is written.
struct SpillCase {
    std::string name;
    std::size_t centreLength;
    std::string user1;
    std::size_t decodedCentreLength;
    std::string decodedUser1;
};

void PrintTo(const SpillCase& c, std::ostream* out) { *out << c.name; }

class NumberSpill : public testing::TestWithParam<SpillCase> {};

TEST_P(NumberSpill, CentreAndUser1AfterTheRoundTrip)
{
    const SpillCase& c = GetParam();
    const std::string centre = std::string("+123456789ABCDE").substr(0, c.centreLength);
    TSettingsRecord record;
    SmsCentre(record).assign(centre);
    UserNumber(record, 1).assign(c.user1);
    TEepromImage image;
    EncodeImage(record, image);
    TSettingsRecord decoded;
    DecodeImage(image, decoded);
    EXPECT_EQ(SmsCentre(std::as_const(decoded)), centre.substr(0, c.decodedCentreLength));
    EXPECT_EQ(UserNumber(std::as_const(decoded), 1), c.decodedUser1);
}

INSTANTIATE_TEST_SUITE_P(
    Lengths, NumberSpill,
    testing::Values(SpillCase{"Twelve_EmptyNeighbour", 12, "", 12, ""},
                    SpillCase{"Twelve_Neighbour", 12, "+48111", 12, "+48111"},
                    SpillCase{"Thirteen_EmptyNeighbour", 13, "", 13, ""},
                    SpillCase{"Thirteen_Neighbour", 13, "+48111", 13, "+48111"},
                    // The centre's closing quote lands on the empty neighbour's first byte, which
                    // then reads as a number of NUL characters up to the capacity.
                    SpillCase{"Fourteen_EmptyNeighbour", 14, "", 14, std::string(15, '\0')},
                    SpillCase{"Fourteen_Neighbour", 14, "+48111", 14, "+48111"},
                    SpillCase{"Fifteen_EmptyNeighbour", 15, "", 15, ""},
                    SpillCase{"Fifteen_Neighbour", 15, "+48111", 14, "+48111"}),
    [](const testing::TestParamInfo<SpillCase>& info) { return info.param.name; });

TEST(EncodeImage, FifteenCharacterUser4SpillsIntoAnEmptyFirstText)
{
    // User 4's slot is the last number slot: a 15-character number ends inside the first text
    // slot, and an empty first text then decodes as the number's last character and its quote.
    TSettingsRecord record;
    UserNumber(record, 4).assign("+48123456789012");
    TEepromImage image;
    EncodeImage(record, image);
    EXPECT_EQ(ImageText(image, kImageUser4Slot, 18), std::string("\"+48123456789012\"\0", 18));
    TSettingsRecord decoded;
    DecodeImage(image, decoded);
    EXPECT_EQ(UserNumber(std::as_const(decoded), 4), "+48123456789012");
    EXPECT_EQ(InputText(std::as_const(decoded), 1, 1), "2\"");
}

TEST(DecodeImage, NumberWithoutClosingQuoteStopsAtCapacity)
{
    TEepromImage image;
    image.bytes[kImageUser1Slot] = '"';
    for (std::size_t i = 1; i < 30; ++i)
        image.bytes[kImageUser1Slot + i] = '7';
    image.bytes[kImageCentreSlot] = 'X'; // no opening quote: an empty number
    TSettingsRecord record;
    DecodeImage(image, record);
    EXPECT_EQ(UserNumber(std::as_const(record), 1), std::string(15, '7'));
    EXPECT_EQ(SmsCentre(std::as_const(record)), "");
}

struct TextCase {
    std::string name;
    std::string first;  // InputText[1][1]
    std::string second; // InputText[2][1], the next slot
};

void PrintTo(const TextCase& c, std::ostream* out) { *out << c.name; }

class TextSlots : public testing::TestWithParam<TextCase> {};

TEST_P(TextSlots, FullTextsRunIntoTheNextSlotAndSurvive)
{
    const TextCase& c = GetParam();
    TSettingsRecord record;
    InputText(record, 1, 1).assign(c.first);
    InputText(record, 2, 1).assign(c.second);
    TEepromImage image;
    EncodeImage(record, image);
    EXPECT_EQ(ImageText(image, kImageFirstTextSlot, 36), c.first + std::string(36 - c.first.size(), '\0'));
    TSettingsRecord decoded;
    DecodeImage(image, decoded);
    EXPECT_EQ(InputText(std::as_const(decoded), 1, 1), c.first);
    EXPECT_EQ(InputText(std::as_const(decoded), 2, 1), c.second);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, TextSlots,
    testing::Values(TextCase{"FullThenText", std::string(36, 'a'), "Next text"},
                    TextCase{"FullThenEmpty", std::string(36, 'a'), ""},
                    TextCase{"FullThenFull", std::string(36, 'a'), std::string(36, 'b')},
                    TextCase{"ShortThenFull", "Alarm", std::string(36, 'b')}),
    [](const testing::TestParamInfo<TextCase>& info) { return info.param.name; });

TEST(EncodeImage, TextSlotsAreInEdgeThenRowOrder)
{
    TSettingsRecord record;
    InputText(record, 8, 1).assign("in8e1");
    InputText(record, 1, 2).assign("in1e2");
    SpecialText(record, 1, 1).assign("sp1e1");
    SpecialText(record, 6, 2).assign(std::string(36, 'z'));
    TEepromImage image;
    EncodeImage(record, image);
    EXPECT_EQ(ImageText(image, 432, 5), "in8e1");
    EXPECT_EQ(ImageText(image, 468, 5), "in1e2");
    EXPECT_EQ(ImageText(image, 756, 5), "sp1e1");
    EXPECT_EQ(ImageText(image, 1152, 36), std::string(36, 'z'));
    EXPECT_EQ(ImageText(image, 1188, 2), std::string(2, '\0'));
}

TEST(EncodeImage, ReactionPairsPutNotificationFirst)
{
    TSettingsRecord record;
    record.bytes[InputNotificationOffset(3, 2)] = 0x11;
    record.bytes[InputOutputReactionOffset(3, 2)] = 0x22;
    record.bytes[SpecialNotificationOffset(5, 1)] = 0x33;
    record.bytes[SpecialOutputReactionOffset(5, 1)] = 0x44;
    record.bytes[SpecialNotificationOffset(6, 2)] = 0x55;
    record.bytes[SpecialOutputReactionOffset(6, 2)] = 0x66;
    TEepromImage image;
    EncodeImage(record, image);
    EXPECT_EQ(image.bytes[62], 0x11);
    EXPECT_EQ(image.bytes[63], 0x22);
    EXPECT_EQ(image.bytes[82], 0x33);
    EXPECT_EQ(image.bytes[83], 0x44);
    EXPECT_EQ(image.bytes[96], 0x55);
    EXPECT_EQ(image.bytes[97], 0x66);
}

TEST(DecodeImage, ReadsTheSecondCopyOfTheSendTries)
{
    TEepromImage image;
    image.bytes[16] = 3;
    image.bytes[17] = 7;
    TSettingsRecord record;
    DecodeImage(image, record);
    EXPECT_EQ(record.bytes[15], 7);
}

// Any record whose texts fit their slots comes back byte for byte when decoded onto itself.
TSettingsRecord RandomRecordThatFitsTheImage(unsigned seed)
{
    std::mt19937 random(seed);
    auto byte = [&] { return static_cast<std::uint8_t>(random()); };
    auto text = [&](std::size_t maxLength, char low, char high) {
        std::string s(random() % (maxLength + 1), ' ');
        for (char& c : s)
            c = static_cast<char>(low + static_cast<int>(random() % static_cast<unsigned>(high - low + 1)));
        return s;
    };
    TSettingsRecord record;
    for (auto& b : record.bytes)
        b = byte();
    // The image carries four PIN characters and four access code characters, whatever the length.
    const std::string pinCharacters(record.bytes.begin() + 102, record.bytes.begin() + 106);
    SimPin(record).assign(random() % 2 ? pinCharacters : std::string());
    SmsAccessCode(record).assign(std::string(record.bytes.begin() + 34, record.bytes.begin() + 38));
    SmsCentre(record).assign(text(12, '0', '9'));
    for (int user = 1; user <= 4; ++user)
        UserNumber(record, user).assign(text(12, '+', '9'));
    for (int edge = 1; edge <= 2; ++edge) {
        for (int input = 1; input <= 8; ++input)
            InputText(record, input, edge).assign(text(36, 1, 127));
        for (int special = 1; special <= 6; ++special)
            SpecialText(record, special, edge).assign(text(36, 1, 127));
    }
    return record;
}

TEST(EncodeImage, DecodeOfEncodeRestoresRandomRecords)
{
    for (unsigned seed = 1; seed <= 20; ++seed) {
        SCOPED_TRACE("seed " + std::to_string(seed));
        const TSettingsRecord record = RandomRecordThatFitsTheImage(seed);
        TEepromImage image;
        EncodeImage(record, image);
        TSettingsRecord decoded = record;
        DecodeImage(image, decoded);
        ASSERT_EQ(decoded, record);
    }
}

} // namespace
} // namespace morvel
