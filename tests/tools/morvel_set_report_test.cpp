// morvel set, dump --json and report as a script runs them.
#include "model/defaults.h"
#include "model/record_fields.h"
#include "model/settings_file.h"

#include "tool_run.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace morvel {
namespace {

struct Settings {
    TSettingsRecord record;
    TUserNotes notes;
};

Settings Read(const std::string& file)
{
    Settings s;
    EXPECT_EQ(ReadSettingsFile(file, s.record, s.notes), std::nullopt) << file;
    return s;
}

// A file the window could not have written: stale tails, a reserved byte, bits no box sets,
// codes without their option, a reaction the dialog never stores, a byte Windows-1250 lacks.
Settings OddSettings()
{
    Settings s;
    ApplyDefaults(s.record);
    s.record.bytes[12] = 0xC0;
    s.record.bytes[13] = 7;
    s.record.bytes[38] = 0x05;
    SetDisableCode(s.record, 2, "xy");
    s.record.bytes[InputOutputReactionOffset(2, 1)] = 0x00;
    UserNumber(s.record, 1).assign("+48601000001234");
    UserNumber(s.record, 1).assign("+48601000001");
    InputText(s.record, 3, 1).assign("Alarm: drzwi kierowcy \xB9\xEA");
    SpecialText(s.record, 4, 2).assign("hidden");
    UserName(s.notes, 2).assign("Anna \x81");
    UserNotesText(s.notes, 1).assign("one\ntwo\r\nthree");
    return s;
}

class SetAndReport : public MorvelTool {
protected:
    void WriteOdd(const std::string& name)
    {
        const Settings odd = OddSettings();
        ASSERT_EQ(WriteSettingsFile(odd.record, odd.notes, Path(name)), std::nullopt);
    }
};

TEST_F(SetAndReport, ChangesNamedFieldsAndSaysWhich)
{
    ASSERT_EQ(Morvel({"defaults", Path("a.orv")}).exitCode, 0);
    const ToolRun run = Morvel({"set", Path("a.orv"), "UserNumber[1]=+48600111222", "UserNote[1].Name=Jan Żółć",
                                "InputOutputReaction[3][1]=siren on,immobiliser on", "ReactionTime[3]=5"});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_TRUE(run.out.empty());
    EXPECT_NE(run.err.find("changed UserNumber[1], UserNote[1].Name, InputOutputReaction[3][1], ReactionTime[3]"),
              std::string::npos) << run.err;
    const Settings s = Read(Path("a.orv"));
    EXPECT_EQ(UserNumber(s.record, 1), "+48600111222");
    EXPECT_EQ(UserName(s.notes, 1), "Jan \xAF\xF3\xB3\xE6"); // Windows-1250
    EXPECT_EQ(s.record.bytes[InputOutputReactionOffset(3, 1)], 0x06);
    EXPECT_EQ(s.record.bytes[ReactionTimeOffset(3)], 5);
}

TEST_F(SetAndReport, ARefusedValueNamesTheFieldAndLeavesTheFileAsItWas)
{
    ASSERT_EQ(Morvel({"defaults", Path("a.orv")}).exitCode, 0);
    const Bytes before = ReadBytes(Path("a.orv"));
    const ToolRun run = Morvel({"set", Path("a.orv"), "UserNote[1].Name=Jan", "SimPin=12", "ReactionTime[1]=300"});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_NE(run.err.find("SimPin: is 2 characters long; allowed: exactly 4 characters (digits), or empty"),
              std::string::npos) << run.err;
    EXPECT_NE(run.err.find("ReactionTime[1]: 300 is out of range; allowed: a whole number from 1 to 255"),
              std::string::npos) << run.err;
    EXPECT_EQ(ReadBytes(Path("a.orv")), before);
}

TEST_F(SetAndReport, DumpJsonThroughSetFromGivesBackTheSame2356Bytes)
{
    WriteOdd("odd.orv");
    const ToolRun dump = Morvel({"dump", "--json", Path("odd.orv")});
    ASSERT_EQ(dump.exitCode, 0) << dump.err;
    const QJsonDocument document = QJsonDocument::fromJson(QByteArray::fromStdString(dump.out));
    ASSERT_TRUE(document.isObject());
    EXPECT_EQ(document.object().value(QStringLiteral("fields")).toArray().size(), 138);
    WriteBytes(Path("odd.json"), Bytes(dump.out.begin(), dump.out.end()));

    // Another customer's values in a copy, then the first file's values back from the JSON.
    WriteOdd("copy.orv");
    const ToolRun changed = Morvel({"set", Path("copy.orv"), "UserNumber[1]=+4860", "InputText[3][1]=Pożar",
                                    "UserNote[2].Name=Ewa", "ReactionTime[5]=9", "InputOutputReaction[3][1]=siren on"});
    ASSERT_EQ(changed.exitCode, 0) << changed.err;
    ASSERT_NE(Read(Path("copy.orv")).record, OddSettings().record);
    const ToolRun back = Morvel({"set", Path("copy.orv"), "--from", Path("odd.json")});
    ASSERT_EQ(back.exitCode, 0) << back.err;

    const Settings copy = Read(Path("copy.orv"));
    const Settings odd = OddSettings();
    EXPECT_EQ(copy.record, odd.record);
    EXPECT_EQ(copy.notes, odd.notes);
}

TEST_F(SetAndReport, FromTakesAnObjectOfNamesAndValues)
{
    ASSERT_EQ(Morvel({"defaults", Path("a.orv")}).exitCode, 0);
    const std::string json = R"({"UserNumber[2]": "+48600333444", "InputNotification[1][2]": ["SMS user 2"], "ExitTime": 30})";
    WriteBytes(Path("changes.json"), Bytes(json.begin(), json.end()));
    const ToolRun run = Morvel({"set", Path("a.orv"), "--from", Path("changes.json"), "UserNote[2].Name=Anna"});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    const Settings s = Read(Path("a.orv"));
    EXPECT_EQ(UserNumber(s.record, 2), "+48600333444");
    EXPECT_EQ(s.record.bytes[InputNotificationOffset(1, 2)], 0x04);
    EXPECT_EQ(s.record.bytes[1225], 30);
    EXPECT_EQ(UserName(s.notes, 2), "Anna");
}

TEST_F(SetAndReport, ReportWritesAPdfAndAnHtmlPageWithoutADisplay)
{
    ASSERT_EQ(Morvel({"defaults", Path("a.orv")}).exitCode, 0);
    ASSERT_EQ(Morvel({"set", Path("a.orv"), "UserNote[1].Name=Jan", "SimPin=1234"}).exitCode, 0);
    QProcessEnvironment noDisplay = QProcessEnvironment::systemEnvironment();
    for (const char* variable : {"DISPLAY", "WAYLAND_DISPLAY", "XDG_RUNTIME_DIR"})
        noDisplay.remove(QString::fromLatin1(variable));
    noDisplay.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb")); // a desktop's setting

    for (const char* name : {"a.pdf", "a.HTML"}) {
        const ToolRun run = RunProgram(MORVEL_TOOL, {"report", "--changed-only", Path("a.orv"), Path(name)}, noDisplay);
        ASSERT_EQ(run.exitCode, 0) << run.err;
        EXPECT_TRUE(run.err.empty()) << run.err;
        EXPECT_TRUE(run.out.empty()) << run.out;
    }
    const Bytes pdf = ReadBytes(Path("a.pdf"));
    ASSERT_GT(pdf.size(), 5u);
    EXPECT_EQ(std::string(pdf.begin(), pdf.begin() + 5), "%PDF-");
    const Bytes htmlBytes = ReadBytes(Path("a.HTML"));
    const std::string html(htmlBytes.begin(), htmlBytes.end());
    EXPECT_EQ(html.rfind("<!DOCTYPE html>", 0), 0u);
    EXPECT_NE(html.find("Jan"), std::string::npos);
    EXPECT_NE(html.find("****"), std::string::npos);
    EXPECT_EQ(html.find("1234"), std::string::npos);
}

TEST_F(SetAndReport, ReportIntoAFolderThatIsNotThereFailsAndLeavesNothing)
{
    ASSERT_EQ(Morvel({"defaults", Path("a.orv")}).exitCode, 0);
    const ToolRun run = Morvel({"report", Path("a.orv"), Path("no-dir/a.pdf")});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(IsOneLine(run.err)) << run.err;
    EXPECT_FALSE(fs::exists(Path("no-dir")));
}

} // namespace
} // namespace morvel
