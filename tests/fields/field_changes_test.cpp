// Changes of named fields through the window's rules: what each kind takes and refuses, all or
// nothing, values the window could not produce kept when given unchanged, and the JSON forms.
#include "fields/field_changes.h"
#include "fields/field_text.h"
#include "fields/settings_json.h"
#include "model/defaults.h"
#include "model/record_fields.h"

#include <QJsonDocument>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace morvel {
namespace {

std::vector<FieldChange> Assignments(const std::vector<std::string>& arguments)
{
    std::vector<FieldChange> changes;
    for (const std::string& argument : arguments) {
        const auto change = ParseAssignment(QString::fromStdString(argument));
        EXPECT_TRUE(change.has_value()) << argument;
        if (change)
            changes.push_back(*change);
    }
    return changes;
}

// A new file's settings with two users who have phone numbers.
struct Settings {
    Settings()
    {
        ApplyDefaults(record);
        UserNumber(record, 1).assign("+48601000001");
        UserNumber(record, 2).assign("+48601000002");
    }
    std::string Value(const char* name) const
    {
        const FieldInfo* field = FindField(name);
        return field ? FieldValueText(*field, FieldBytes(*field, record, notes)) : "no field " + std::string(name);
    }
    ChangeResult Set(const std::vector<std::string>& arguments)
    {
        const std::vector<FieldChange> changes = Assignments(arguments);
        return ApplyFieldChanges(record, notes, changes);
    }
    TSettingsRecord record;
    TUserNotes notes;
};

struct GoodCase {
    std::vector<std::string> set;
    const char* field; // the field to read afterwards
    const char* value; // as the dump prints it
};

void PrintTo(const GoodCase& c, std::ostream* out) { *out << c.field; }

class GoodValues : public testing::TestWithParam<GoodCase> {};

TEST_P(GoodValues, AreStoredAsTheWindowStoresThem)
{
    Settings s;
    const ChangeResult result = s.Set(GetParam().set);
    ASSERT_TRUE(result.refused.empty()) << result.refused.front().field << ": " << result.refused.front().problem;
    EXPECT_EQ(s.Value(GetParam().field), GetParam().value);
}

INSTANTIATE_TEST_SUITE_P(
    Fields, GoodValues,
    testing::Values(
        GoodCase{{"ReactionTime[3]=5"}, "ReactionTime[3]", "5"},
        GoodCase{{"SmsSendTries= 10 "}, "SmsSendTries", "10"},
        GoodCase{{"CallTime=10"}, "CallTime", "10"},
        GoodCase{{"SimPin=1234"}, "SimPin", "\"1234\""},
        GoodCase{{"UserNumber[1]=4+8600"}, "UserNumber[1]", "\"4+8600\""},
        GoodCase{{"UserNumber[2]=ab cd"}, "UserNumber[2]", "\"ab cd\""},
        GoodCase{{"InputText[3][1]=Alarm: drzwi kierowcy ąęśćźżłóń!!"}, "InputText[3][1]",
                 "\"Alarm: drzwi kierowcy ąęśćźżłóń!!\""},
        GoodCase{{"UserNote[1].Name=Żaneta Łącka"}, "UserNote[1].Name", "\"Żaneta Łącka\""},
        GoodCase{{"UserNote[1].Notes=first\nsecond\r\nthird"}, "UserNote[1].Notes", "\"first\\r\\nsecond\\r\\nthird\""},
        GoodCase{{"Flags=output 1 by SMS, Periodic Report"}, "Flags", "0x11 (output 1 by SMS, periodic report)"},
        GoodCase{{"Flags=0x21"}, "Flags", "0x21 (output 1 by SMS, SMS programming)"},
        GoodCase{{"ClipUserFlags=enable output 1,disable output 2"}, "ClipUserFlags",
                 "0x09 (enable output 1, disable output 2)"},
        GoodCase{{"InputOutputReaction[1][1]=siren on,immobiliser on"}, "InputOutputReaction[1][1]",
                 "0x06 (immobiliser on, siren on)"},
        GoodCase{{"InputOutputReaction[1][2]=no output"}, "InputOutputReaction[1][2]", "0x80 (inactive)"},
        GoodCase{{"SpecialOutputReaction[3][1]=output 1 on"}, "SpecialOutputReaction[3][1]", "0x08 (output 1 on)"},
        GoodCase{{"SpecialOutputReaction[5][2]=inactive,exit-time function"}, "SpecialOutputReaction[5][2]",
                 "0x81 (inactive, exit-time function)"},
        GoodCase{{"InputNotification[2][1]=SMS user 1,CLIP user 2"}, "InputNotification[2][1]",
                 "0x09 (SMS user 1, CLIP user 2)"},
        GoodCase{{"SpecialNotification[1][1]=SMS user 2"}, "SpecialNotification[1][1]", "0x04 (SMS user 2)"},
        GoodCase{{"Flags=output 1 by SMS", "EnableCode[1]=A1"}, "EnableCode[1]", "\"A1\""},
        GoodCase{{"Flags=SMS programming", "SmsAccessCode=ab12"}, "SmsAccessCode", "\"ab12\""},
        GoodCase{{"EnableCode[2]="}, "EnableCode[2]", "\"\""}));

struct BadCase {
    std::vector<std::string> set;
    const char* field;   // the field the refusal names
    const char* problem; // part of the problem
};

void PrintTo(const BadCase& c, std::ostream* out) { *out << c.field; }

class BadValues : public testing::TestWithParam<BadCase> {};

TEST_P(BadValues, AreRefusedByNameAndChangeNothing)
{
    Settings s;
    const Settings before;
    const ChangeResult result = s.Set(GetParam().set);
    ASSERT_EQ(result.refused.size(), 1u) << GetParam().set.back();
    EXPECT_EQ(result.refused[0].field, GetParam().field);
    EXPECT_NE(result.refused[0].problem.find(GetParam().problem), std::string::npos) << result.refused[0].problem;
    if (FindField(GetParam().field)) {
        EXPECT_FALSE(result.refused[0].allowed.empty());
    }
    EXPECT_TRUE(result.changed.empty());
    EXPECT_EQ(s.record, before.record);
    EXPECT_EQ(s.notes, before.notes);
}

INSTANTIATE_TEST_SUITE_P(
    Fields, BadValues,
    testing::Values(
        BadCase{{"ReactionTime[3]=0"}, "ReactionTime[3]", "0 is out of range"},
        BadCase{{"ReactionTime[3]=256"}, "ReactionTime[3]", "256 is out of range"},
        BadCase{{"ReactionTime[3]=five"}, "ReactionTime[3]", "\"five\" is not a whole number"},
        BadCase{{"ReactionTime[3]=-2"}, "ReactionTime[3]", "-2 is out of range"},
        BadCase{{"SmsConfirmTime=9"}, "SmsConfirmTime", "9 is out of range"},
        BadCase{{"SimPin=12"}, "SimPin", "is 2 characters long"},
        BadCase{{"SimPin=12a4"}, "SimPin", "\"a\", which is not a digit"},
        BadCase{{"SimPin=12345"}, "SimPin", "is 5 characters long"},
        BadCase{{"UserNumber[1]=+48-600"}, "UserNumber[1]", "two signs"},
        BadCase{{"UserNumber[1]=48 600"}, "UserNumber[1]", "\" \", which a phone number does not take"},
        BadCase{{"UserNumber[1]=+4860100000123"}, "UserNumber[1]", "is 14 characters long"},
        BadCase{{"UserNumber[3]=☎"}, "UserNumber[3]", "\"☎\" has no Windows-1250 code"},
        BadCase{{"UserNote[2].Name=tab\there"}, "UserNote[2].Name", "control character"},
        BadCase{{"InputText[1][1]=123456789012345678901234567890123456"}, "InputText[1][1]", "is 36 characters long"},
        BadCase{{"UserNote[1].Notes=" + std::string(125, 'x') + "\n" + std::string(124, 'y')}, "UserNote[1].Notes",
                "takes 251 bytes"},
        BadCase{{"SmsCentre=+4860100000012345"}, "SmsCentre", "is 17 characters long"},
        BadCase{{"Flags=output 1 by SMS", "EnableCode[1]=A"}, "EnableCode[1]", "is 1 characters long"},
        BadCase{{"Flags=output 1 by SMS", "DisableCode[1]=ABC"}, "DisableCode[1]", "is 3 characters long"},
        BadCase{{"EnableCode[2]=AB"}, "EnableCode[2]", "empties it while Flags lacks \"output 2 by SMS\""},
        BadCase{{"SmsAccessCode=abcd"}, "SmsAccessCode", "lacks \"SMS programming\""},
        BadCase{{"Flags=unused bit 6"}, "Flags", "does not offer \"unused bit 6\""},
        BadCase{{"Flags=0x41"}, "Flags", "stores \"unused bit 6\" as 0"},
        BadCase{{"Flags=outputs"}, "Flags", "no option \"outputs\""},
        BadCase{{"ClipUserFlags=enable output 1,toggle output 1"}, "ClipUserFlags", "exclude each other"},
        BadCase{{"ClipUnknownFlags=0x80"}, "ClipUnknownFlags", "keeps \"hidden bit 7\""},
        BadCase{{"InputOutputReaction[1][1]=inactive,siren on"}, "InputOutputReaction[1][1]", "\"inactive\" stands alone"},
        BadCase{{"InputOutputReaction[1][1]=output 1 on,output 1 off"}, "InputOutputReaction[1][1]", "exclude each other"},
        BadCase{{"InputOutputReaction[1][1]=0x83"}, "InputOutputReaction[1][1]", "stands alone"},
        BadCase{{"InputOutputReaction[1][1]=0"}, "InputOutputReaction[1][1]", "without a reaction as 0x80"},
        BadCase{{"InputOutputReaction[1][1]=0x18"}, "InputOutputReaction[1][1]", "exclude each other"},
        BadCase{{"InputOutputReaction[1][1]=256"}, "InputOutputReaction[1][1]", "256 is not a byte"},
        BadCase{{"SpecialOutputReaction[3][1]=delayed reaction"}, "SpecialOutputReaction[3][1]", "does not offer"},
        BadCase{{"SpecialOutputReaction[5][1]=0x04"}, "SpecialOutputReaction[5][1]", "cannot set \"immobiliser on\""},
        BadCase{{"SpecialOutputReaction[1][1]=0x08"}, "SpecialOutputReaction[1][1]", "no control for it"},
        BadCase{{"SpecialNotification[1][1]=CLIP user 1"}, "SpecialNotification[1][1]", "does not offer \"CLIP user 1\""},
        BadCase{{"SpecialNotification[2][2]=0x02"}, "SpecialNotification[2][2]", "cannot set \"CLIP user 1\""},
        BadCase{{"SpecialNotification[4][1]=1"}, "SpecialNotification[4][1]", "no control for it"},
        BadCase{{"SpecialText[4][1]=x"}, "SpecialText[4][1]", "no control for it"},
        BadCase{{"Reserved13=1"}, "Reserved13", "no control for it"},
        BadCase{{"CallTime=10", "CallTime=20"}, "CallTime", "given twice"},
        BadCase{{"ReactionTime[9]=1"}, "ReactionTime[9]", "no such field"}));

TEST(FieldChanges, OneRefusedValueLeavesTheOthersUnmadeToo)
{
    Settings s;
    const Settings before;
    const ChangeResult result = s.Set({"ReactionTime[1]=5", "UserNote[1].Name=Jan", "SimPin=12"});
    ASSERT_EQ(result.refused.size(), 1u);
    EXPECT_EQ(result.refused[0].field, "SimPin");
    EXPECT_EQ(s.record, before.record);
    EXPECT_EQ(s.notes, before.notes);
}

TEST(FieldChanges, TurningAnOptionOffIsRefusedWhileItsTextStays)
{
    Settings s;
    ASSERT_TRUE(s.Set({"Flags=output 1 by SMS,SMS programming", "EnableCode[1]=A1", "SmsAccessCode=1111"}).refused.empty());

    const ChangeResult kept = s.Set({"Flags=SMS programming"});
    ASSERT_EQ(kept.refused.size(), 1u);
    EXPECT_EQ(kept.refused[0].field, "Flags");
    EXPECT_NE(kept.refused[0].problem.find("empties EnableCode[1], which holds \"A1\""), std::string::npos);

    EXPECT_TRUE(s.Set({"Flags=SMS programming", "EnableCode[1]="}).refused.empty());
    EXPECT_EQ(s.Value("EnableCode[1]"), "\"\"");
}

// Names tick the dialog's boxes and nothing else: what its hidden boxes hold stays, "inactive"
// clears it, and the exit-time box sets bit 0 of byte 82 after the dialog.
TEST(FieldChanges, NamesKeepWhatTheDialogCarriesUnseen)
{
    struct Case {
        const char* field;
        std::uint8_t before;
        const char* names;
        std::uint8_t after;
    };
    const Case cases[] = {
        {"SpecialOutputReaction[3][1]", 0x09, "output 2 on", 0x21},
        {"SpecialOutputReaction[3][1]", 0x09, "inactive", 0x80},
        {"SpecialOutputReaction[5][1]", 0x0E, "", 0x06},
        {"SpecialOutputReaction[5][2]", 0x81, "", 0x00},
        {"SpecialOutputReaction[5][2]", 0x80, "exit-time function", 0x81},
        {"ClipUnknownFlags", 0x80, "enable output 1", 0x81},
        {"Flags", 0xC0, "periodic report", 0x10},
        {"SpecialNotification[1][1]", 0x0A, "SMS user 1", 0x0B},
    };
    for (const Case& c : cases) {
        Settings s;
        const FieldInfo* field = FindField(c.field);
        ASSERT_NE(field, nullptr);
        s.record.bytes[field->offset] = c.before;
        const ChangeResult result = s.Set({std::string(c.field) + "=" + c.names});
        ASSERT_TRUE(result.refused.empty()) << c.field << ": " << result.refused[0].problem;
        EXPECT_EQ(int(s.record.bytes[field->offset]), int(c.after)) << c.field << " from " << int(c.before);
    }
}

TEST(FieldChanges, AUserWithoutAPhoneNumberIsInformedWithAWarning)
{
    Settings s;
    const ChangeResult result = s.Set({"InputNotification[1][1]=SMS user 1,SMS user 3"});
    ASSERT_TRUE(result.refused.empty());
    ASSERT_EQ(result.warnings.size(), 1u);
    EXPECT_NE(result.warnings[0].find("user 3, who has no phone number"), std::string::npos) << result.warnings[0];
}

// A record the window could never have written: contradictory CLIP bits, codes without their
// option, bits no box sets, a length byte beyond the capacity, stale tails, reserved bytes.
Settings OddSettings()
{
    Settings s;
    s.record.bytes[12] = 0xC0;   // Flags: the two bits without boxes
    s.record.bytes[13] = 7;      // reserved
    s.record.bytes[38] = 0x05;   // enable and disable output 1 on a call
    s.record.bytes[39] = 0x80;   // the hidden box
    SetEnableCode(s.record, 1, "AB");
    s.record.bytes[41] = 0x00;   // a reaction the dialog never stores
    s.record.bytes[82] = 0xFF;
    s.record.bytes[95] = 0x33;   // special entry 4
    SimPin(s.record).assign("12");
    SmsCentre(s.record).assign("+48123456789012");
    SmsCentre(s.record).assign("+48");  // a stale tail
    s.record.bytes[101] = 9;      // the PIN's length beyond its capacity
    SpecialText(s.record, 6, 2).assign("hidden text");
    UserNotesText(s.notes, 2).assign("one\ntwo\rthree");
    UserName(s.notes, 4).assign("\x81"); // a byte Windows-1250 has no character for
    return s;
}

TEST(FieldChanges, EveryValueAsTheDumpGivesItIsNoChangeEvenWhereTheWindowCouldNotProduceIt)
{
    Settings s = OddSettings();
    const Settings before = OddSettings();
    const QByteArray json = QJsonDocument(SettingsJson(s.record, s.notes)).toJson();
    std::string error;
    const auto changes = ChangesFromJson(json, error);
    ASSERT_TRUE(changes.has_value()) << error;
    ASSERT_EQ(changes->size(), FieldCatalogue().size());

    const ChangeResult result = ApplyFieldChanges(s.record, s.notes, *changes);
    EXPECT_TRUE(result.refused.empty()) << result.refused.front().field << ": " << result.refused.front().problem;
    EXPECT_TRUE(result.changed.empty());
    EXPECT_EQ(s.record, before.record);
    EXPECT_EQ(s.notes, before.notes);
}

TEST(FieldChanges, JsonTakesTheDumpsEntriesOrOneObjectOfNamesAndValues)
{
    std::string error;
    const auto object = ChangesFromJson(R"({"ReactionTime[2]": 4, "UserNote[1].Name": "Jan", "Flags": ["periodic report"]})", error);
    ASSERT_TRUE(object.has_value()) << error;
    Settings s;
    ASSERT_TRUE(ApplyFieldChanges(s.record, s.notes, *object).refused.empty());
    EXPECT_EQ(s.Value("ReactionTime[2]"), "4");
    EXPECT_EQ(s.Value("UserNote[1].Name"), "\"Jan\"");
    EXPECT_EQ(s.Value("Flags"), "0x10 (periodic report)");

    const auto dumped = ChangesFromJson(R"({"fields": [{"name": "SimPin", "value": "4321", "text": "stale"}]})", error);
    ASSERT_TRUE(dumped.has_value()) << error;
    ASSERT_TRUE(ApplyFieldChanges(s.record, s.notes, *dumped).refused.empty());
    EXPECT_EQ(s.Value("SimPin"), "\"4321\"");

    const ChangeResult typed = ApplyFieldChanges(s.record, s.notes, *ChangesFromJson(R"({"SimPin": 1234})", error));
    ASSERT_EQ(typed.refused.size(), 1u);
    EXPECT_NE(typed.refused[0].problem.find("expects a text"), std::string::npos);

    for (const char* bad : {"[1, 2]", "{\"fields\": 3}", "{\"fields\": [{\"value\": 1}]}", "{\"Flags\": true}",
                            "{\"Flags\": [1]}", "{\"Flags\": "}) {
        error.clear();
        EXPECT_FALSE(ChangesFromJson(bad, error).has_value()) << bad;
        EXPECT_FALSE(error.empty()) << bad;
    }
}

TEST(FieldChanges, AnAssignmentNeedsANameAndAnEqualsSign)
{
    EXPECT_FALSE(ParseAssignment(QStringLiteral("SimPin")).has_value());
    EXPECT_FALSE(ParseAssignment(QStringLiteral("=1234")).has_value());
    const auto change = ParseAssignment(QStringLiteral("InputText[1][1]=a=b"));
    ASSERT_TRUE(change.has_value());
    EXPECT_EQ(change->name, "InputText[1][1]");
    EXPECT_EQ(change->value.text, QStringLiteral("a=b"));
}

} // namespace
} // namespace morvel
