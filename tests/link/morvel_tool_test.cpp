// `morvel program` and `morvel read` run as processes against the simulated module.
#include "model/defaults.h"
#include "model/image_codec.h"
#include "model/record_fields.h"
#include "model/settings_file.h"
#include "pty_module.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <QProcess>
#include <QTemporaryDir>

#include <algorithm>

namespace morvel {
namespace {

struct ToolRun {
    int exitCode;
    QString out;
    QString err;
};

ToolRun RunTool(const QStringList& arguments)
{
    QProcess tool;
    tool.start(QStringLiteral(MORVEL_TOOL), arguments);
    if (!tool.waitForFinished(30000))
        return {-1, {}, QStringLiteral("did not finish")};
    return {tool.exitCode(), QString::fromUtf8(tool.readAllStandardOutput()),
            QString::fromUtf8(tool.readAllStandardError())};
}

class MorvelTool : public ::testing::Test {
protected:
    MorvelTool()
    {
        module.Start();
        ApplyDefaults(settings.record);
        SmsCentre(settings.record).assign("+48602951111");
        UserNumber(settings.record, 2).assign("+48601234567");
        UserName(settings.notes, 2).assign("Jan");
    }
    QString Path(const char* name) const { return dir.filePath(QString::fromUtf8(name)); }
    QString Port() const { return QString::fromStdString(module.PortPath()); }
    void Save(const char* name)
    {
        ASSERT_FALSE(WriteSettingsFile(settings.record, settings.notes, Path(name).toStdString()));
    }

    QTemporaryDir dir;
    sim::PtyModule module{{}};
    SettingsModel settings;
};

TEST_F(MorvelTool, ProgramPrintsEveryUpdateAndLeavesTheImageInTheModule)
{
    Save("in.orv");
    const ToolRun run = RunTool({QStringLiteral("program"), QStringLiteral("--port"), Port(), Path("in.orv")});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    const QStringList lines = run.out.split(u'\n', Qt::SkipEmptyParts);
    EXPECT_EQ(lines.filter(QString::fromUtf8("Postęp: ")).size(), 26);
    EXPECT_EQ(lines.back(), QString::fromUtf8("Programowanie zakończone pomyślnie."));

    TEepromImage expected;
    EncodeImage(settings.record, expected);
    const sim::ModuleMemory memory = module.Memory();
    EXPECT_TRUE(std::equal(expected.bytes.begin(), expected.bytes.begin() + 1195, memory.begin()));
}

TEST_F(MorvelTool, ReadDecodesOntoTheBaseFileAndKeepsItsNotes)
{
    TEepromImage image;
    EncodeImage(settings.record, image);
    sim::ModuleMemory memory{};
    std::copy(image.bytes.begin(), image.bytes.end(), memory.begin());
    module.SetMemory(memory);
    TSettingsRecord baseRecord;
    ApplyDefaults(baseRecord);
    ASSERT_FALSE(WriteSettingsFile(baseRecord, settings.notes, Path("base.orv").toStdString()));

    const ToolRun run = RunTool({QStringLiteral("read"), QStringLiteral("--port"), Port(), Path("out.orv"),
                                 QStringLiteral("--onto"), Path("base.orv")});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_EQ(run.out, QStringLiteral("zaladowane ustawienia z eprom\n"));

    SettingsModel read;
    ASSERT_FALSE(ReadSettingsFile(Path("out.orv").toStdString(), read.record, read.notes));
    EXPECT_EQ(UserNumber(std::as_const(read.record), 2), "+48601234567");
    EXPECT_EQ(SmsCentre(std::as_const(read.record)), "+48602951111");
    EXPECT_EQ(UserName(std::as_const(read.notes), 2), "Jan");
}

TEST_F(MorvelTool, FailuresExitWithOneAndTheFailureText)
{
    Save("in.orv");
    const ToolRun missingPort = RunTool({QStringLiteral("program"), QStringLiteral("--port"),
                                         OwnName(QStringLiteral("/dev/no-such-morvel-port")), Path("in.orv")});
    EXPECT_EQ(missingPort.exitCode, 1);
    EXPECT_EQ(missingPort.err, QStringLiteral("morvel: Unable to open com port (win error code: 2)\n"));

    SimPin(settings.record).assign("12");
    Save("pin.orv");
    const ToolRun badPin = RunTool({QStringLiteral("program"), QStringLiteral("--port"), Port(), Path("pin.orv")});
    EXPECT_EQ(badPin.exitCode, 1);
    EXPECT_TRUE(badPin.err.contains(QString::fromUtf8("PIN karty SIM"))) << badPin.err.toStdString();
    EXPECT_EQ(module.Counters().programmingStarts, 0);
}

} // namespace
} // namespace morvel
