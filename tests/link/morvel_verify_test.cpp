// `morvel program` with its read-back and backup, and `morvel verify`, run as processes against
// the simulated module.
#include "model/defaults.h"
#include "model/image_codec.h"
#include "model/record_fields.h"
#include "model/settings_file.h"
#include "pty_module.h"
#include "test_support.h"
#include "tool_process.h"

#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

#include <algorithm>
#include <memory>

namespace morvel {
namespace {

ToolRun Morvel(const QStringList& arguments)
{
    return RunTool(QStringLiteral(MORVEL_TOOL), arguments);
}

QStringList Lines(const QString& text)
{
    return text.split(u'\n', Qt::SkipEmptyParts);
}

class ToolAgainstModule : public ::testing::Test {
protected:
    ToolAgainstModule()
    {
        ApplyDefaults(settings.record);
        SmsCentre(settings.record).assign("+48602951111");
        UserNumber(settings.record, 2).assign("+48601234567");
        InputText(settings.record, 3, 1).assign("Drzwi *1 otwarte"); // the stop pair in the data
    }
    // Starts the module; call once per test, before the tool runs.
    void Start(sim::ModuleOptions options = {})
    {
        module = std::make_unique<sim::PtyModule>(options);
        module->Start();
    }
    void HoldInModule(const TSettingsRecord& record)
    {
        TEepromImage image;
        EncodeImage(record, image);
        sim::ModuleMemory memory{};
        std::copy(image.bytes.begin(), image.bytes.end(), memory.begin());
        module->SetMemory(memory);
    }
    QString Save(const char* name, const SettingsModel& model) const
    {
        const QString path = dir.filePath(QString::fromUtf8(name));
        EXPECT_FALSE(WriteSettingsFile(model.record, model.notes, path.toStdString()));
        return path;
    }
    QString Port() const { return QString::fromStdString(module->PortPath()); }
    ToolRun Program(QStringList options = {})
    {
        return Morvel(QStringList{QStringLiteral("program"), QStringLiteral("--port"), Port()} + options
                      + QStringList{Save("in.orv", settings)});
    }
    ToolRun Verify(QStringList options = {})
    {
        return Morvel(QStringList{QStringLiteral("verify"), QStringLiteral("--port"), Port()} + options
                      + QStringList{Save("in.orv", settings)});
    }

    QTemporaryDir dir;
    SettingsModel settings;
    std::unique_ptr<sim::PtyModule> module;
};

TEST_F(ToolAgainstModule, ProgramReadsTheModuleBackAndSaysItIsVerified)
{
    Start();
    const ToolRun run = Program();
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    // Progress on stderr; on stdout the run's summary, then the verdict.
    EXPECT_EQ(Lines(run.err).back(), QString::fromUtf8("Programowanie zakończone pomyślnie."));
    const QStringList lines = Lines(run.out);
    ASSERT_EQ(lines.size(), 2) << run.out.toStdString();
    EXPECT_TRUE(lines[0].startsWith("27 frames, 1195 bytes in ")) << lines[0].toStdString();
    EXPECT_EQ(lines.back(), "verified: the module holds " + dir.filePath("in.orv"));
    EXPECT_EQ(module->Counters().readsAnswered, 1);
}

TEST_F(ToolAgainstModule, NoVerifySkipsTheReadBack)
{
    Start();
    const ToolRun run = Program({QStringLiteral("--no-verify")});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_EQ(Lines(run.err).back(), QString::fromUtf8("Programowanie zakończone pomyślnie."));
    EXPECT_TRUE(Lines(run.out).back().startsWith("27 frames, 1195 bytes in ")) << run.out.toStdString();
    EXPECT_EQ(module->Counters().readsAnswered, 0);
}

struct CorruptCase {
    const char* name;
    long imageByte;
    const char* reportLine; // the one line the report has for it (its start, for the checksum)
    const char* count;
};

void PrintTo(const CorruptCase& c, std::ostream* out) { *out << c.name; }

class WornCell : public ToolAgainstModule, public ::testing::WithParamInterface<CorruptCase> {};

TEST_P(WornCell, ProgramExitsWith3AndNamesTheFieldOfThatByte)
{
    sim::ModuleOptions options;
    options.corruptOffset = GetParam().imageByte;
    Start(options);
    const ToolRun run = Program();
    EXPECT_EQ(run.exitCode, 3) << run.err.toStdString();
    const QStringList lines = Lines(run.out);
    ASSERT_GE(lines.size(), 2);
    EXPECT_TRUE(lines[lines.size() - 2].startsWith(QString::fromUtf8(GetParam().reportLine)))
        << lines[lines.size() - 2].toStdString();
    EXPECT_EQ(lines.back(), QString::fromUtf8(GetParam().count));
    EXPECT_TRUE(run.err.contains("program it again")) << run.err.toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Bytes, WornCell,
    ::testing::Values(
        CorruptCase{"UserNumberDigit", 135 + 12,
                    "UserNumber[2] (Telephone numbers / User 2 number): file \"+48601234567\", module \"+48601234566\"",
                    "1 field differs"},
        CorruptCase{"ReactionByte", 43 + 4,
                    "InputOutputReaction[3][1] (Inputs / Input 3 / Connecting to GND / Reaction of outputs): "
                    "file 0x80 (inactive), module 0x81 (inactive, delayed reaction)", "1 field differs"},
        CorruptCase{"CopyTheDecoderSkips", 16,
                    "SmsSendTries (Basic / SMS Settings / Amount of tryies sending SMS): "
                    "file 0 [image byte 16 = 0x00], module 0 [image byte 16 = 0x01]", "1 field differs"},
        CorruptCase{"Checksum", 41, "image byte 41 (checksum): file 0x", "1 byte differs"}),
    [](const ::testing::TestParamInfo<CorruptCase>& info) { return std::string(info.param.name); });

TEST_F(ToolAgainstModule, ProgramWhoseReadBackBreaksExitsWith4)
{
    sim::ModuleOptions options;
    options.hangUpAfterBytes = 500; // programming's replies take 112 bytes; the read reply 1703
    Start(options);
    const ToolRun run = Program();
    EXPECT_EQ(run.exitCode, 4) << run.out.toStdString();
    EXPECT_TRUE(run.err.contains("could not read the module back")) << run.err.toStdString();
    EXPECT_FALSE(run.out.contains("verified"));
}

TEST_F(ToolAgainstModule, VerifyExitsWith0WhenTheModuleHoldsTheFile)
{
    Start();
    HoldInModule(settings.record);
    const ToolRun run = Verify();
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_EQ(run.out, "module holds " + dir.filePath("in.orv") + "\n");
    // Verifying writes nothing to the module.
    EXPECT_EQ(module->Counters().programmingStarts, 0);
    EXPECT_EQ(module->Counters().framesReceived, 0);
}

TEST_F(ToolAgainstModule, VerifyExitsWith1AndListsTheDifferingFields)
{
    Start();
    TSettingsRecord other = settings.record;
    UserNumber(other, 2).assign("+48700800900");
    other.bytes[1227] = 30; // siren time
    HoldInModule(other);
    const ToolRun run = Verify();
    EXPECT_EQ(run.exitCode, 1) << run.err.toStdString();
    EXPECT_EQ(Lines(run.out),
              (QStringList{"UserNumber[2] (Telephone numbers / User 2 number): file \"+48601234567\", module \"+48700800900\"",
                           "SirenTime (Basic / Additional / time of siren alarm): file 1, module 30", "2 fields differ"}));
}

TEST_F(ToolAgainstModule, VerifyExitsWith2WhenTheModuleCannotBeRead)
{
    sim::ModuleOptions cutShort;
    cutShort.hangUpAfterBytes = 1000; // fewer than the 1701 bytes of the reply
    Start(cutShort);
    const ToolRun broken = Verify();
    EXPECT_EQ(broken.exitCode, 2);
    EXPECT_TRUE(broken.out.isEmpty()) << broken.out.toStdString();
    EXPECT_TRUE(broken.err.contains("could not verify the module: ")) << broken.err.toStdString();

    const ToolRun noPort = Morvel({QStringLiteral("verify"), QStringLiteral("--port"),
                                   OwnName(QStringLiteral("/dev/no-such-morvel-port")), Save("in.orv", settings)});
    EXPECT_EQ(noPort.exitCode, 2);
    EXPECT_TRUE(noPort.err.startsWith(
        QStringLiteral("morvel: could not verify the module: Unable to open com port (win error code: 2)\n  There is no port ")))
        << noPort.err.toStdString();
}

TEST_F(ToolAgainstModule, BackupHoldsTheModulesOldSettings)
{
    Start();
    TSettingsRecord old;
    ApplyDefaults(old);
    UserNumber(old, 1).assign("+48500100200");
    HoldInModule(old);
    const QString backup = dir.filePath("old.orv");
    const ToolRun run = Program({QStringLiteral("--backup"), backup});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_TRUE(run.err.contains("the module's old settings are saved in " + backup)) << run.err.toStdString();

    SettingsModel saved;
    ASSERT_FALSE(ReadSettingsFile(backup.toStdString(), saved.record, saved.notes));
    EXPECT_EQ(UserNumber(std::as_const(saved.record), 1), "+48500100200");
    EXPECT_EQ(UserNumber(std::as_const(saved.record), 2), "");
    EXPECT_EQ(saved.notes, TUserNotes{});
    // Restoring is programming the backup.
    const ToolRun restore = Morvel({QStringLiteral("program"), QStringLiteral("--port"), Port(), backup});
    EXPECT_EQ(restore.exitCode, 0) << restore.err.toStdString();
    EXPECT_EQ(module->Counters().programmingsDone, 2);
}

struct BackupFailure {
    const char* name;
    long hangUpAfter;   // -1: the module answers
    const char* target; // relative to the test's directory
    const char* message;
};

void PrintTo(const BackupFailure& c, std::ostream* out) { *out << c.name; }

class BackupThatFails : public ToolAgainstModule, public ::testing::WithParamInterface<BackupFailure> {};

TEST_P(BackupThatFails, ProgramsNothing)
{
    sim::ModuleOptions options;
    options.hangUpAfterBytes = GetParam().hangUpAfter;
    Start(options);
    const ToolRun run = Program({QStringLiteral("--backup"), dir.filePath(QString::fromUtf8(GetParam().target))});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.err.contains(GetParam().message)) << run.err.toStdString();
    EXPECT_TRUE(run.err.contains("nothing was programmed")) << run.err.toStdString();
    EXPECT_EQ(module->Counters().programmingStarts, 0);
}

INSTANTIATE_TEST_SUITE_P(
    Causes, BackupThatFails,
    ::testing::Values(BackupFailure{"UnwritableFile", -1, "no-such-folder/old.orv", "Cannot create file"},
                      BackupFailure{"ReadCutShort", 100, "old.orv", "Com port lost"}),
    [](const ::testing::TestParamInfo<BackupFailure>& info) { return std::string(info.param.name); });

QJsonObject Json(const ToolRun& run)
{
    QJsonParseError error;
    const QJsonObject json = QJsonDocument::fromJson(run.out.toUtf8(), &error).object();
    EXPECT_EQ(error.error, QJsonParseError::NoError) << run.out.toStdString();
    return json;
}

TEST_F(ToolAgainstModule, JsonOfProgramAndVerifyHoldsTheSameVerdict)
{
    sim::ModuleOptions options;
    options.corruptOffset = 135 + 12;
    Start(options);
    const ToolRun program = Program({QStringLiteral("--json")});
    EXPECT_EQ(program.exitCode, 3);
    const QJsonObject programmed = Json(program);
    EXPECT_TRUE(programmed["programmed"].toBool());
    const QJsonObject verification = programmed["verification"].toObject();
    EXPECT_EQ(verification["verdict"].toString(), QStringLiteral("different"));
    EXPECT_EQ(verification["differences"].toArray().at(0)["name"].toString(), QStringLiteral("UserNumber[2]"));
    EXPECT_EQ(verification["differences"].toArray().at(0)["module"].toString(), QStringLiteral("\"+48601234566\""));
    EXPECT_TRUE(program.err.contains(QString::fromUtf8("Programowanie zakończone pomyślnie."))); // progress on stderr

    const ToolRun verify = Verify({QStringLiteral("--json")});
    EXPECT_EQ(verify.exitCode, 1);
    const QJsonObject verified = Json(verify);
    EXPECT_EQ(verified["verdict"].toString(), QStringLiteral("different"));
    EXPECT_EQ(verified["differences"].toArray(), verification["differences"].toArray());
}

} // namespace
} // namespace morvel
