#include "editor/binding.h"
#include "rules_fixture.h"
#include "test_support.h"
#include "widgets/spin_edit.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>

#include <gtest/gtest.h>

#include <string>

namespace morvel::test {
namespace {

// Layout of the record, restated here so that a change to the model's offsets shows.
constexpr std::size_t kInputTextBase = 189;
constexpr std::size_t kSpecialTextBase = 781;
constexpr std::size_t kTextStride = 37;
constexpr std::size_t kUserNumberBase = 125;
constexpr std::size_t kUserNumberStride = 16;
constexpr std::size_t kSimPin = 101;
constexpr std::size_t kSmsCentre = 109;
constexpr std::size_t kSmsAccessCode = 33;
constexpr std::size_t kFlags = 12;
constexpr std::size_t kArmDisarmEdge2Reaction = 82;
constexpr std::size_t kNotesEntry = 282;
constexpr std::size_t kNotesText = 31;

void PutText(std::uint8_t* field, const std::string& text)
{
    field[0] = static_cast<std::uint8_t>(text.size());
    std::copy(text.begin(), text.end(), field + 1);
}

std::string TextAt(const std::uint8_t* field)
{
    return std::string(reinterpret_cast<const char*>(field + 1), field[0]);
}

class BindingTest : public ::testing::Test {
protected:
    void SetUp() override { tree.WireUp(); }
    QLineEdit& Edit(const QString& name) { return tree.Get<QLineEdit>(name); }

    ControlTree tree;
    TSettingsRecord record;
};

// --- texts ---------------------------------------------------------------------------------------

TEST_F(BindingTest, EverySmsTextMovesBetweenItsFieldAndItsOffset)
{
    for (int n = 1; n <= 8; ++n)
        for (int e = 1; e <= 2; ++e)
            PutText(&record.bytes[kInputTextBase + 74 * (n - 1) + kTextStride * (e - 1)], "in" + std::to_string(10 * n + e));
    for (int s = 1; s <= 6; ++s)
        for (int e = 1; e <= 2; ++e)
            PutText(&record.bytes[kSpecialTextBase + 74 * (s - 1) + kTextStride * (e - 1)], "sp" + std::to_string(10 * s + e));
    LoadSmsTexts(tree.window(), record);

    for (int n = 1; n <= 8; ++n)
        for (int e = 1; e <= 2; ++e)
            EXPECT_EQ(Edit(QStringLiteral("ETSMS_We%1_Re%2").arg(n).arg(e)).text(), QStringLiteral("in%1").arg(10 * n + e));
    for (int s = 1; s <= 6; ++s)
        for (int e = 1; e <= 2; ++e)
            Edit(QStringLiteral("ETSpecSMS_We%1_Re%2").arg(s).arg(e)).setText(QStringLiteral("new%1").arg(10 * s + e));

    StoreSmsTexts(tree.window(), record);
    for (int s = 1; s <= 6; ++s)
        for (int e = 1; e <= 2; ++e)
            EXPECT_EQ(TextAt(&record.bytes[kSpecialTextBase + 74 * (s - 1) + kTextStride * (e - 1)]),
                      "new" + std::to_string(10 * s + e));
    EXPECT_EQ(TextAt(&record.bytes[kInputTextBase + 74 * 7 + kTextStride]), "in82");
}

TEST_F(BindingTest, NulEndsTheTextShownAndTheTailStays)
{
    PutText(&record.bytes[kInputTextBase], std::string("AB\0CD", 5));
    LoadSmsTexts(tree.window(), record);
    EXPECT_EQ(Edit("ETSMS_We1_Re1").text(), "AB");

    StoreSmsTexts(tree.window(), record);
    EXPECT_EQ(record.bytes[kInputTextBase], 2);
    EXPECT_EQ(TextAt(&record.bytes[kInputTextBase]), "AB");
    EXPECT_EQ(record.bytes[kInputTextBase + 4], 'C') << "bytes after the length are left alone";
}

TEST_F(BindingTest, TextsAreWindows1250Bytes)
{
    const std::string polish = "\xB9\xE6\xEA\xB3\xF1\xF3\x9C\x9F\xBF\xA5\xC6\xCA\xA3\xD1\xD3\x8C\x8F\xAF";
    const QString shown = QString::fromUtf8("ąćęłńóśźżĄĆĘŁŃÓŚŹŻ");
    PutText(&record.bytes[kInputTextBase], polish);
    LoadSmsTexts(tree.window(), record);
    EXPECT_EQ(Edit("ETSMS_We1_Re1").text(), shown);

    Edit("ETSMS_We1_Re2").setText(shown);
    Edit("ETSMS_We2_Re1").setText(QString::fromUtf8("a😀b"));
    StoreSmsTexts(tree.window(), record);
    EXPECT_EQ(TextAt(&record.bytes[kInputTextBase + kTextStride]), polish);
    EXPECT_EQ(TextAt(&record.bytes[kInputTextBase + 74]), "a?b") << "one byte for a character the code page lacks";
}

TEST_F(BindingTest, TextLongerThanTheFieldIsCutToItsCapacity)
{
    Edit("ETSMS_We1_Re1").setText(QString(40, u'x'));
    StoreSmsTexts(tree.window(), record);
    EXPECT_EQ(TextAt(&record.bytes[kInputTextBase]), std::string(36, 'x'));
}

TEST_F(BindingTest, UserNumbersMoveBetweenFieldsAndOffsets)
{
    for (int u = 1; u <= 4; ++u)
        PutText(&record.bytes[kUserNumberBase + kUserNumberStride * (u - 1)], "+4850000000" + std::to_string(u));
    LoadUserNumbers(tree.window(), record);
    for (int u = 1; u <= 4; ++u)
        EXPECT_EQ(Edit(QStringLiteral("Enruser%1").arg(u)).text(), QStringLiteral("+4850000000%1").arg(u));
    Edit("Enruser3").setText("+48 600");
    StoreUserNumbers(tree.window(), record);
    EXPECT_EQ(TextAt(&record.bytes[kUserNumberBase + 2 * kUserNumberStride]), "+48 600");
    EXPECT_EQ(TextAt(&record.bytes[kUserNumberBase + 3 * kUserNumberStride]), "+48500000004");
}

// --- spin edits ----------------------------------------------------------------------------------

struct ByteCase {
    const char* field;
    std::size_t offset;
    std::uint8_t loaded;
    int shown; // and stored back
};

void PrintTo(const ByteCase& c, std::ostream* out) { *out << c.field << " " << int(c.loaded); }

class SpinBindingTest : public ::testing::TestWithParam<ByteCase> {};

TEST_P(SpinBindingTest, ShowsTheByteWithinTheRangeAndStoresWhatItShows)
{
    const ByteCase& c = GetParam();
    ControlTree tree;
    tree.WireUp();
    TSettingsRecord record;
    record.bytes[c.offset] = c.loaded;
    LoadRecordPass(tree.window(), record);
    EXPECT_EQ(tree.Get<SpinEdit>(c.field).value(), c.shown);
    StoreRecordPass(tree.window(), record);
    EXPECT_EQ(record.bytes[c.offset], c.shown);
}

INSTANTIATE_TEST_SUITE_P(
    Fields, SpinBindingTest,
    ::testing::Values(ByteCase{"SEtimerPod1", 0, 0, 1}, ByteCase{"SEtimerPod8", 7, 200, 200},
                      ByteCase{"SEWy_offTimer1", 8, 0, 1}, ByteCase{"SEWy_offTimer2", 9, 255, 255},
                      ByteCase{"SEcallingTimer", 10, 250, 240}, ByteCase{"SECALL_TIMER", 11, 5, 10},
                      ByteCase{"SEInNONCSTAT18", 14, 0, 10}, ByteCase{"SEInONstat916", 15, 11, 10},
                      ByteCase{"SEtimerTorBuf1", 16, 3, 3}, ByteCase{"SEtimerTorBuf8", 23, 0, 1},
                      ByteCase{"SEtestokr", 24, 0, 1}, ByteCase{"SEtestokr", 24, 30, 24},
                      ByteCase{"SE1190", 1225, 9, 9}, ByteCase{"SE1191", 1226, 0, 1},
                      ByteCase{"SE1192", 1227, 128, 128}));

// A number beyond the range, stored while the field still has the focus, is stored as the bound
// and never wrapped around (300 would otherwise become 44).
TEST_F(BindingTest, NumberTypedBeyondTheRangeStoresTheBound)
{
    ASSERT_TRUE(tree.ShowActive());
    auto& exitTime = tree.Get<SpinEdit>("SE1190");
    exitTime.setFocus();
    ASSERT_TRUE(ProcessEventsUntil([&] { return exitTime.hasFocus(); }));
    exitTime.selectAll();
    QTest::keyClicks(&exitTime, "300");
    StoreBasicTab(tree.window(), record);
    EXPECT_EQ(record.bytes[1225], 255);
}

// --- two-character codes -------------------------------------------------------------------------

struct CodeCase {
    const char* field;
    std::size_t offset;
    char first;
    char second;
    const char* shown;
};

void PrintTo(const CodeCase& c, std::ostream* out) { *out << c.field << " '" << c.shown << "'"; }

class CodeBindingTest : public ::testing::TestWithParam<CodeCase> {};

TEST_P(CodeBindingTest, ShowsBothCharactersOrNothing)
{
    const CodeCase& c = GetParam();
    ControlTree tree;
    tree.WireUp();
    TSettingsRecord record;
    record.bytes[c.offset] = static_cast<std::uint8_t>(c.first);
    record.bytes[c.offset + 1] = static_cast<std::uint8_t>(c.second);
    LoadOutputs(tree.window(), record);
    EXPECT_EQ(tree.Get<QLineEdit>(c.field).text(), c.shown);
}

INSTANTIATE_TEST_SUITE_P(
    Fields, CodeBindingTest,
    ::testing::Values(CodeCase{"EZalWy1", 25, 'O', 'N', "ON"}, CodeCase{"EZalWy2", 27, 'A', 'B', "AB"},
                      CodeCase{"EwylWy1", 29, 'X', 'Y', "XY"}, CodeCase{"EwylWy2", 31, '\xB9', '1', "ą1"},
                      CodeCase{"EZalWy1", 25, 'O', '\0', ""}, CodeCase{"EZalWy1", 25, '\0', 'N', ""},
                      CodeCase{"EwylWy2", 31, '\0', '\0', ""}));

TEST_F(BindingTest, CodeOfOtherThanTwoCharactersStoresTwoNuls)
{
    for (std::size_t offset = 25; offset < 33; ++offset)
        record.bytes[offset] = 'z';
    Edit("EZalWy1").setText("A");
    Edit("EwylWy1").setText("");
    Edit("EZalWy2").setText("ON");
    Edit("EwylWy2").setText("OFF"); // only the program could put three characters there
    StoreOutputs(tree.window(), record);
    const std::uint8_t expected[] = {0, 0, 'O', 'N', 0, 0, 0, 0};
    for (std::size_t i = 0; i < 8; ++i)
        EXPECT_EQ(record.bytes[25 + i], expected[i]) << "byte " << 25 + i;
}

// --- check boxes ---------------------------------------------------------------------------------

TEST_F(BindingTest, FlagBitsSixAndSevenAreStoredClear)
{
    record.bytes[kFlags] = 0xFF;
    LoadBasicTab(tree.window(), record);
    for (int k = 0; k < 6; ++k)
        EXPECT_TRUE(tree.Get<QCheckBox>(QStringLiteral("ChBFlags_%1").arg(k)).isChecked()) << k;
    StoreBasicTab(tree.window(), record);
    EXPECT_EQ(record.bytes[kFlags], 0x3F);
}

TEST_F(BindingTest, HiddenBoxCarriesBitSevenOfTheUnknownCallerByte)
{
    record.bytes[39] = 0x80;
    LoadBasicTab(tree.window(), record);
    record.bytes[39] = 0;
    StoreBasicTab(tree.window(), record);
    EXPECT_EQ(record.bytes[39], 0x80);
}

struct ExitTimeCase {
    std::uint8_t loaded;
    bool shown;
    bool ticked; // set by the operator before the store
    std::uint8_t stored;
};

void PrintTo(const ExitTimeCase& c, std::ostream* out) { *out << "byte 82 = 0x" << std::hex << int(c.loaded); }

class ExitTimeFunctionTest : public ::testing::TestWithParam<ExitTimeCase> {};

// The box shows bit 0 of byte 82; the other bits are the reaction dialog's and stay.
TEST_P(ExitTimeFunctionTest, BoxOwnsOnlyBitZero)
{
    const ExitTimeCase& c = GetParam();
    ControlTree tree;
    tree.WireUp();
    TSettingsRecord record;
    record.bytes[kArmDisarmEdge2Reaction] = c.loaded;
    LoadBasicTab(tree.window(), record);
    auto& box = tree.Get<QCheckBox>("CHB_funkcjaczaswy");
    EXPECT_EQ(box.isChecked(), c.shown);
    box.setChecked(c.ticked);
    StoreBasicTab(tree.window(), record);
    EXPECT_EQ(record.bytes[kArmDisarmEdge2Reaction], c.stored);
    EXPECT_EQ(record.bytes[kArmDisarmEdge2Reaction - 1], 0) << "the neighbour is untouched";
}

INSTANTIATE_TEST_SUITE_P(Bytes, ExitTimeFunctionTest,
                         ::testing::Values(ExitTimeCase{0x09, true, false, 0x08}, ExitTimeCase{0x08, false, true, 0x09},
                                           ExitTimeCase{0x80, false, false, 0x80}, ExitTimeCase{0x81, true, true, 0x81},
                                           ExitTimeCase{0xFE, false, true, 0xFF}));

// --- the Basic page ------------------------------------------------------------------------------

struct CentreCase {
    const char* centre;
    int entry;
};

void PrintTo(const CentreCase& c, std::ostream* out) { *out << '"' << c.centre << '"'; }

class CentrePresetTest : public ::testing::TestWithParam<CentreCase> {};

TEST_P(CentrePresetTest, SelectsTheMatchingPresetAndShowsTheRecordsNumber)
{
    const CentreCase& c = GetParam();
    ControlTree tree;
    tree.WireUp();
    tree.Get<QComboBox>("CBcentrum").setCurrentIndex(1);
    TSettingsRecord record;
    PutText(&record.bytes[kSmsCentre], c.centre);
    LoadBasicTab(tree.window(), record);
    EXPECT_EQ(tree.Get<QComboBox>("CBcentrum").currentIndex(), c.entry);
    EXPECT_EQ(tree.Get<QLineEdit>("Ecsms").text(), c.centre);
}

INSTANTIATE_TEST_SUITE_P(Numbers, CentrePresetTest,
                         ::testing::Values(CentreCase{"+48601000310", 0}, CentreCase{"+48602951111", 1},
                                           CentreCase{"+48501200777", 2}, CentreCase{"+4860100031", 3},
                                           CentreCase{"+486010003100", 3}, CentreCase{"48601000310", 3},
                                           CentreCase{"", 3}));

TEST_F(BindingTest, PinsAndCentreMoveBetweenFieldsAndOffsets)
{
    record.bytes[kFlags] = 0x20; // SMS programming on, so the access code shows
    PutText(&record.bytes[kSimPin], "1234");
    PutText(&record.bytes[kSmsAccessCode], "ab12");
    LoadBasicTab(tree.window(), record);
    EXPECT_EQ(Edit("EPin").text(), "1234");
    EXPECT_EQ(Edit("EPINMOD").text(), "ab12");

    Edit("EPin").setText("98765432"); // longer than SimPin holds
    Edit("EPINMOD").setText("x");
    Edit("Ecsms").setText("+48111");
    StoreBasicTab(tree.window(), record);
    EXPECT_EQ(TextAt(&record.bytes[kSimPin]), "9876543");
    EXPECT_EQ(TextAt(&record.bytes[kSmsAccessCode]), "x");
    EXPECT_EQ(record.bytes[kSmsAccessCode + 2], 'b') << "tail of the old code";
    EXPECT_EQ(TextAt(&record.bytes[kSmsCentre]), "+48111");
}

struct AccessCodeCase {
    std::uint8_t flags;
    std::string code;
    const char* shown;
    bool enabled;
};

void PrintTo(const AccessCodeCase& c, std::ostream* out) { *out << "flags 0x" << std::hex << int(c.flags); }

class AccessCodeTest : public ::testing::TestWithParam<AccessCodeCase> {};

// The access code shows only while SMS programming is on, and is stored as it shows.
TEST_P(AccessCodeTest, ShowsAndStoresTheCodeOnlyWithSmsProgramming)
{
    const AccessCodeCase& c = GetParam();
    ControlTree tree;
    tree.WireUp();
    TSettingsRecord record;
    record.bytes[kFlags] = c.flags;
    PutText(&record.bytes[kSmsAccessCode], c.code);
    LoadBasicTab(tree.window(), record);
    EXPECT_EQ(tree.Get<QLineEdit>("EPINMOD").text(), c.shown);
    EXPECT_EQ(tree.Get<QLineEdit>("EPINMOD").isEnabled(), c.enabled);
    StoreBasicTab(tree.window(), record);
    EXPECT_EQ(TextAt(&record.bytes[kSmsAccessCode]), c.shown);
}

INSTANTIATE_TEST_SUITE_P(Records, AccessCodeTest,
                         ::testing::Values(AccessCodeCase{0x20, "4321", "4321", true},
                                           AccessCodeCase{0x00, "4321", "", false},
                                           AccessCodeCase{0x20, std::string(4, '\0'), "", true}));

// --- notes -----------------------------------------------------------------------------------------

TEST_F(BindingTest, NamesAndNotesMoveWithLineBreaks)
{
    TUserNotes notes;
    for (int u = 1; u <= 4; ++u) {
        PutText(&notes.bytes[kNotesEntry * (u - 1)], "Name " + std::to_string(u));
        PutText(&notes.bytes[kNotesEntry * (u - 1) + kNotesText], "line " + std::to_string(u) + "\r\n\xA3\xF3" "d\x9F");
    }
    LoadUserNotes(tree.window(), notes);
    EXPECT_EQ(Edit("Eosoba3").text(), "Name 3");
    EXPECT_EQ(tree.Get<QPlainTextEdit>("Muser4").toPlainText(), QString::fromUtf8("line 4\nŁódź"));

    tree.Get<QPlainTextEdit>("Muser2").setPlainText(QString::fromUtf8("a\nb\u00A0c"));
    Edit("Eosoba1").setText(QString::fromUtf8("Żaneta"));
    StoreUserNotes(tree.window(), notes);
    EXPECT_EQ(TextAt(&notes.bytes[kNotesEntry + kNotesText]), "a\r\nb\xA0" "c");
    EXPECT_EQ(TextAt(&notes.bytes[0]), "\xAF" "aneta");
    EXPECT_EQ(TextAt(&notes.bytes[3 * kNotesEntry + kNotesText]), "line 4\r\n\xA3\xF3" "d\x9F");
}

// --- the check before programming ----------------------------------------------------------------

struct NumbersCase {
    std::array<const char*, 4> numbers;
    bool passes;
};

void PrintTo(const NumbersCase& c, std::ostream* out)
{
    for (const char* n : c.numbers)
        *out << '"' << n << "\" ";
}

class CheckUserNumbersTest : public ::testing::TestWithParam<NumbersCase> {};

TEST_P(CheckUserNumbersTest, EveryLongNumberBeginsWithPlus)
{
    const NumbersCase& c = GetParam();
    ControlTree tree;
    for (int u = 1; u <= 4; ++u)
        tree.Get<QLineEdit>(QStringLiteral("Enruser%1").arg(u)).setText(c.numbers[static_cast<std::size_t>(u - 1)]);
    EXPECT_EQ(CheckUserNumbers(tree.window()), c.passes);
}

INSTANTIATE_TEST_SUITE_P(
    Numbers, CheckUserNumbersTest,
    ::testing::Values(NumbersCase{{"", "", "", ""}, true}, NumbersCase{{"", "12", "", ""}, true},
                      NumbersCase{{"", "486010003100", "", ""}, false},
                      NumbersCase{{"+48601000310", "+1", "+48", "9"}, true},
                      NumbersCase{{"+48601000310", "", "", "123"}, false},
                      NumbersCase{{"-48601", "", "", ""}, false}, NumbersCase{{" +48", "", "", ""}, false}));

} // namespace
} // namespace morvel::test
