#include "model/record_fields.h"
#include "model/settings_file.h"

#include "tool_run.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

namespace morvel {
namespace {

class UsageErrors : public testing::TestWithParam<std::vector<std::string>> {};

TEST_P(UsageErrors, ExitWith2AndAMessage)
{
    const ToolRun run = Morvel(GetParam());
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_NE(run.err.find("morvel"), std::string::npos) << run.err;
    EXPECT_TRUE(run.out.empty());
}

INSTANTIATE_TEST_SUITE_P(
    CommandLines, UsageErrors,
    testing::Values(std::vector<std::string>{}, std::vector<std::string>{"frobnicate"},
                    std::vector<std::string>{"encode", "only-one.orv"},
                    std::vector<std::string>{"encode", "a", "b", "c"},
                    std::vector<std::string>{"decode", "image.bin"},
                    std::vector<std::string>{"decode", "image.bin", "out.orv", "--onto"},
                    std::vector<std::string>{"decode", "image.bin", "out.orv", "--into", "base.orv"},
                    std::vector<std::string>{"decode", "image.bin", "out.orv", "--onto", "a.orv", "--onto", "b.orv"},
                    std::vector<std::string>{"dump"}, std::vector<std::string>{"defaults", "a.orv", "b.orv"},
                    std::vector<std::string>{"program", "settings.orv"},
                    std::vector<std::string>{"program", "--speed", "9", "--port", "p", "settings.orv"},
                    std::vector<std::string>{"read", "--port", "p", "--port", "q", "out.orv"},
                    std::vector<std::string>{"read", "out.orv", "--port"},
                    std::vector<std::string>{"program", "--port", "p", "--wait", "soon", "settings.orv"},
                    std::vector<std::string>{"read", "--port", "p", "--wait", "-1", "out.orv"},
                    std::vector<std::string>{"ports", "extra"}, std::vector<std::string>{"ports", "--xml"},
                    std::vector<std::string>{"program", "--port", "p", "--backup", "settings.orv"},
                    std::vector<std::string>{"verify", "settings.orv"},
                    std::vector<std::string>{"verify", "--port", "p", "a.orv", "b.orv"},
                    std::vector<std::string>{"diff", "a.orv"}, std::vector<std::string>{"diff", "--every", "a.orv", "b.orv"},

                    std::vector<std::string>{"set", "a.orv"}, std::vector<std::string>{"set", "a.orv", "SimPin"},
                    std::vector<std::string>{"set", "a.orv", "=1234"},
                    std::vector<std::string>{"set", "a.orv", "--from"}, std::vector<std::string>{"report", "a.orv"},
                    std::vector<std::string>{"report", "a.orv", "out.txt"},
                    std::vector<std::string>{"report", "--show-codes", "--show-codes", "a.orv", "out.pdf"}));

class Help : public testing::TestWithParam<std::string> {};

TEST_P(Help, PrintsUsageAndSucceeds)
{
    const ToolRun run = Morvel({GetParam(), "--help"});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.out.rfind("Usage: morvel " + GetParam() + " ", 0), 0u) << run.out;
}

INSTANTIATE_TEST_SUITE_P(Commands, Help,
                         testing::Values("encode", "decode", "dump", "defaults", "program", "read", "verify", "diff",
                                         "ports", "report", "set"));

TEST(Versions, BothProgramsPrintTheirNameAndTheProjectVersion)
{
    for (const auto& [program, name] : {std::pair{MORVEL_TOOL, "morvel"}, std::pair{MORVEL_SIM, "morvel-sim"}}) {
        for (const char* option : {"--version", "-v"}) {
            const ToolRun run = RunProgram(program, {option});
            EXPECT_EQ(run.exitCode, 0) << name;
            EXPECT_EQ(run.out, std::string(name) + " " + MORVEL_VERSION + "\n");
        }
    }
}

TEST(SimulatorCommandLine, HelpSucceedsAndMistakesExitWith2)
{
    const ToolRun help = RunProgram(MORVEL_SIM, {"--help"});
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_EQ(help.out.rfind("Usage: morvel-sim ", 0), 0u) << help.out;
    EXPECT_NE(help.out.find("--hang-up-after"), std::string::npos);
    for (const std::vector<std::string>& mistake :
         {std::vector<std::string>{"--split", "x"}, {"--delay", "-5"}, {"--bogus"}, {"--link"}, {"stray-file"}}) {
        const ToolRun run = RunProgram(MORVEL_SIM, mistake);
        EXPECT_EQ(run.exitCode, 2) << mistake.front();
        EXPECT_EQ(run.err.rfind("morvel-sim: ", 0), 0u) << run.err;
        EXPECT_TRUE(run.out.empty()) << run.out;
    }
}

TEST_F(MorvelTool, DefaultsEncodeToTheStartUpImage)
{
    ASSERT_EQ(Morvel({"defaults", Path("x.orv")}).exitCode, 0);
    const ToolRun encode = Morvel({"encode", Path("x.orv"), Path("x.bin")});
    ASSERT_EQ(encode.exitCode, 0) << encode.err;
    const Bytes image = ReadBytes(Path("x.bin"));
    ASSERT_EQ(image.size(), 2048u);
    EXPECT_EQ(image[0], 0xFF);
    EXPECT_EQ(image[1], 0xFF);
    EXPECT_EQ(image[41], 0xE0);
    EXPECT_EQ(image[43], 0x80);
    EXPECT_EQ(image[1192], 1);
}

TEST_F(MorvelTool, DecodeOfAZeroImageGivesRejectTime241)
{
    WriteBytes(Path("zero.bin"), Bytes(2048, 0));
    const ToolRun decode = Morvel({"decode", Path("zero.bin"), Path("z.orv")});
    ASSERT_EQ(decode.exitCode, 0) << decode.err;
    TSettingsRecord record;
    TUserNotes notes;
    ASSERT_EQ(ReadSettingsFile(Path("z.orv"), record, notes), std::nullopt);
    EXPECT_EQ(record.bytes[10], 241);
    EXPECT_EQ(record.bytes[33], 4); // access code of four NUL characters
    EXPECT_EQ(notes, TUserNotes{});
}

TEST_F(MorvelTool, DecodeOntoABaseKeepsItsNotesAndReservedBytes)
{
    TSettingsRecord base;
    base.bytes[13] = 7;
    TUserNotes notes;
    UserName(notes, 3).assign("Anna");
    ASSERT_EQ(WriteSettingsFile(base, notes, Path("base.orv")), std::nullopt);
    Bytes image(2048, 0);
    image[2] = 9; // reaction time of input 1
    WriteBytes(Path("image.bin"), image);

    const ToolRun decode = Morvel({"decode", Path("image.bin"), Path("out.orv"), "--onto", Path("base.orv")});
    ASSERT_EQ(decode.exitCode, 0) << decode.err;
    TSettingsRecord record;
    TUserNotes readNotes;
    ASSERT_EQ(ReadSettingsFile(Path("out.orv"), record, readNotes), std::nullopt);
    EXPECT_EQ(record.bytes[0], 9);
    EXPECT_EQ(record.bytes[13], 7);
    EXPECT_EQ(readNotes, notes);
}

struct FailureCase {
    std::string name;
    std::vector<std::string> arguments; // "@" stands for the test's directory
    std::string message;                // expected part of the one-line error
};

void PrintTo(const FailureCase& c, std::ostream* out) { *out << c.name; }

class Failures : public MorvelTool, public testing::WithParamInterface<FailureCase> {};

TEST_P(Failures, ExitWith1AndOneLine)
{
    WriteBytes(Path("foreign.orv"), {'n', 'o', 't', ' ', 'z', 'l', 'i', 'b'});
    WriteBytes(Path("short.bin"), Bytes(1700, 0));
    WriteBytes(Path("long.bin"), Bytes(2049, 0));
    std::vector<std::string> arguments = GetParam().arguments;
    for (std::string& argument : arguments)
        if (argument.starts_with("@"))
            argument = Path(argument.substr(1));
    const ToolRun run = Morvel(arguments);
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(IsOneLine(run.err)) << run.err;
    EXPECT_NE(run.err.find(GetParam().message), std::string::npos) << run.err;
}

INSTANTIATE_TEST_SUITE_P(
    Files, Failures,
    testing::Values(FailureCase{"MissingSettings", {"encode", "@none.orv", "@x.bin"}, "Cannot open file"},
                    FailureCase{"ForeignSettings", {"dump", "@foreign.orv"}, "Error: not a zlib stream"},
                    FailureCase{"ShortImage", {"decode", "@short.bin", "@x.orv"}, "it holds 1700"},
                    FailureCase{"LongImage", {"decode", "@long.bin", "@x.orv"}, "it holds more"},
                    FailureCase{"MissingBase", {"decode", "@long.bin", "@x.orv", "--onto", "@none.orv"}, "Cannot open file"},
                    FailureCase{"UnwritableTarget", {"defaults", "@no-dir/x.orv"}, "Cannot create file"},
                    FailureCase{"ReportOfMissingSettings", {"report", "@none.orv", "@x.pdf"}, "Cannot open file"},
                    FailureCase{"SetOnMissingSettings", {"set", "@none.orv", "SimPin=1234"}, "Cannot open file"},
                    FailureCase{"MissingChanges", {"set", "@foreign.orv", "--from", "@none.json"}, "cannot read"},
                    FailureCase{"ChangesNotJson", {"set", "@foreign.orv", "--from", "@foreign.orv"}, "not JSON"}),
    [](const testing::TestParamInfo<FailureCase>& info) { return info.param.name; });

TEST_F(MorvelTool, DumpNamesEveryFieldAndShowsTextsInUtf8)
{
    TSettingsRecord record;
    InputText(record, 2, 1).assign("Za\xBF\xF3\xB3\xE6 \"drzwi\""); // "Zażółć" in Windows-1250
    record.bytes[InputOutputReactionOffset(1, 1)] = 0x0A;
    record.bytes[SpecialOutputReactionOffset(5, 2)] = 0x81;
    record.bytes[InputNotificationOffset(8, 2)] = 0x06;
    record.bytes[12] = 0x21;
    TUserNotes notes;
    UserNotesText(notes, 1).assign("a\r\nb");
    ASSERT_EQ(WriteSettingsFile(record, notes, Path("d.orv")), std::nullopt);

    const ToolRun dump = Morvel({"dump", Path("d.orv")});
    ASSERT_EQ(dump.exitCode, 0) << dump.err;
    for (const char* line : {"InputText[2][1] = \"Zażółć \\\"drzwi\\\"\"\n",
                             "InputOutputReaction[1][1] = 0x0A (output 1 on, siren on)\n",
                             "SpecialOutputReaction[5][2] = 0x81 (inactive, exit-time function)\n",
                             "InputOutputReaction[8][2] = 0x00 (no output)\n",
                             "InputNotification[8][2] = 0x06 (CLIP user 1, SMS user 2)\n",
                             "Flags = 0x21 (output 1 by SMS, SMS programming)\n",
                             "UserNote[1].Notes = \"a\\r\\nb\"\n", "SirenTime = 0\n"})
        EXPECT_NE(dump.out.find(line), std::string::npos) << line;
    // 33 timers, flags and codes, 60 reaction, notification and reserved bytes, 31 texts,
    // 3 alarm times, 8 notes fields: one line each.
    EXPECT_EQ(std::count(dump.out.begin(), dump.out.end(), '\n'), 138);
}

} // namespace
} // namespace morvel
