// `morvel program` and `morvel read` run as processes against the simulated module.
#include "model/defaults.h"
#include "model/image_codec.h"
#include "model/record_fields.h"
#include "model/settings_file.h"
#include "pty_module.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <algorithm>
#include <memory>

namespace morvel {
namespace {

const QString kLostWhileProgramming = QStringLiteral(
    "  The adapter was disconnected during programming; plug it in and program again; the module may hold a mix "
    "of old and new settings.\n");

struct ToolRun {
    int exitCode;
    QString out;
    QString err;
};

ToolRun Finished(QProcess& tool)
{
    if (!tool.waitForFinished(30000))
        return {-1, {}, QStringLiteral("did not finish")};
    return {tool.exitCode(), QString::fromUtf8(tool.readAllStandardOutput()),
            QString::fromUtf8(tool.readAllStandardError())};
}

ToolRun RunTool(const QStringList& arguments)
{
    QProcess tool;
    tool.start(QStringLiteral(MORVEL_TOOL), arguments);
    return Finished(tool);
}

// The bytes of every "send" line of a trace, in order.
QStringList SentBytes(const QString& trace)
{
    static const QRegularExpression sendLine(QStringLiteral("^ *[0-9]+\\.[0-9] ms  send  (.*)$"),
                                             QRegularExpression::MultilineOption);
    QStringList sent;
    for (auto match = sendLine.globalMatch(trace); match.hasNext();)
        sent << match.next().captured(1);
    return sent;
}

class MorvelTool : public ::testing::Test {
protected:
    MorvelTool()
    {
        ApplyDefaults(settings.record);
        SmsCentre(settings.record).assign("+48602951111");
        UserNumber(settings.record, 2).assign("+48601234567");
        UserName(settings.notes, 2).assign("Jan");
        SimPin(settings.record).assign("7395");
        StartModule({});
    }
    void StartModule(sim::ModuleOptions options)
    {
        module = std::make_unique<sim::PtyModule>(std::move(options));
        module->Start();
    }
    QString Path(const char* name) const { return dir.filePath(QString::fromUtf8(name)); }
    QString Port() const { return QString::fromStdString(module->PortPath()); }
    void Save(const char* name)
    {
        ASSERT_FALSE(WriteSettingsFile(settings.record, settings.notes, Path(name).toStdString()));
    }
    ToolRun Program(const QStringList& options, const char* file = "in.orv")
    {
        return RunTool(QStringList{QStringLiteral("program")} + options + QStringList{Path(file)});
    }

    QTemporaryDir dir;
    std::unique_ptr<sim::PtyModule> module;
    SettingsModel settings;
};

TEST_F(MorvelTool, ProgramShowsProgressOnStderrAndTheSummaryOnStdout)
{
    Save("in.orv");
    const ToolRun run = Program({QStringLiteral("--port"), Port()});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    const QStringList progress = run.err.split(u'\n', Qt::SkipEmptyParts);
    EXPECT_EQ(progress.filter(QString::fromUtf8("Postęp: ")).size(), 26);
    EXPECT_TRUE(progress.contains(QString::fromUtf8("Programowanie zakończone pomyślnie.")));
    const QStringList results = run.out.split(u'\n', Qt::SkipEmptyParts);
    ASSERT_EQ(results.size(), 2) << run.out.toStdString();
    EXPECT_TRUE(QRegularExpression(QStringLiteral("^27 frames, 1195 bytes in [0-9]+\\.[0-9]{2} s$")).match(results[0]).hasMatch())
        << results[0].toStdString();
    EXPECT_TRUE(results[1].startsWith(QStringLiteral("verified: "))) << results[1].toStdString();

    TEepromImage expected;
    EncodeImage(settings.record, expected);
    const sim::ModuleMemory memory = module->Memory();
    EXPECT_TRUE(std::equal(expected.bytes.begin(), expected.bytes.begin() + 1195, memory.begin()));
}

TEST_F(MorvelTool, ReadDecodesOntoTheBaseFileAndKeepsItsNotes)
{
    TEepromImage image;
    EncodeImage(settings.record, image);
    sim::ModuleMemory memory{};
    std::copy(image.bytes.begin(), image.bytes.end(), memory.begin());
    module->SetMemory(memory);
    TSettingsRecord baseRecord;
    ApplyDefaults(baseRecord);
    ASSERT_FALSE(WriteSettingsFile(baseRecord, settings.notes, Path("base.orv").toStdString()));

    const ToolRun run = RunTool({QStringLiteral("read"), QStringLiteral("--port"), Port(), Path("out.orv"),
                                 QStringLiteral("--onto"), Path("base.orv")});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_EQ(run.err, QStringLiteral("zaladowane ustawienia z eprom\n"));
    EXPECT_TRUE(QRegularExpression(QStringLiteral("^1703 bytes in [0-9]+\\.[0-9]{2} s\n$")).match(run.out).hasMatch())
        << run.out.toStdString();

    SettingsModel read;
    ASSERT_FALSE(ReadSettingsFile(Path("out.orv").toStdString(), read.record, read.notes));
    EXPECT_EQ(UserNumber(std::as_const(read.record), 2), "+48601234567");
    EXPECT_EQ(SmsCentre(std::as_const(read.record)), "+48602951111");
    EXPECT_EQ(UserName(std::as_const(read.notes), 2), "Jan");
}

TEST_F(MorvelTool, FailuresExitWithOneTheFailureTextAndWhatToDo)
{
    Save("in.orv");
    const QString missing = OwnName(QStringLiteral("/dev/no-such-morvel-port"));
    const ToolRun missingPort = Program({QStringLiteral("--port"), missing});
    EXPECT_EQ(missingPort.exitCode, 1);
    EXPECT_TRUE(missingPort.err.startsWith(QStringLiteral("morvel: Unable to open com port (win error code: 2)\n"
                                                          "  There is no port %1")
                                               .arg(missing)))
        << missingPort.err.toStdString();
    EXPECT_TRUE(missingPort.out.isEmpty());

    SimPin(settings.record).assign("12");
    Save("pin.orv");
    const ToolRun badPin = Program({QStringLiteral("--port"), Port()}, "pin.orv");
    EXPECT_EQ(badPin.exitCode, 1);
    EXPECT_TRUE(badPin.err.contains(QString::fromUtf8("PIN karty SIM"))) << badPin.err.toStdString();
    EXPECT_EQ(module->Counters().programmingStarts, 0);
}

TEST_F(MorvelTool, AdapterLostWhileProgrammingSaysWhatToDoAndHowToCheck)
{
    // Cut in the middle of a reply, so that no frame goes out on the dead line and the loss is
    // reported as the port's, not as a failed write.
    sim::ModuleOptions hangsUp;
    hangsUp.hangUpAfterBytes = 10;
    StartModule(hangsUp);
    Save("in.orv");
    const ToolRun run = Program({QStringLiteral("--port"), Port()});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.err.endsWith(QStringLiteral("morvel: Com port lost (win error code: 5)\n") + kLostWhileProgramming
                                 + QStringLiteral("  \"morvel verify\" tells whether the module holds the settings "
                                                  "of the file.\n")))
        << run.err.toStdString();
}

// The one test that waits the module's whole 6 s time-out.
TEST_F(MorvelTool, TimeOutNamesTheFrameThatGotNoReply)
{
    sim::ModuleOptions falls;
    falls.repliesBeforeSilence = 12; // "OK*1" to "*2*1", then frames 1 to 11
    StartModule(falls);
    Save("in.orv");
    const ToolRun run = Program({QStringLiteral("--port"), Port()});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.err.endsWith(QStringLiteral("No answer from module    \n"
                                                "morvel: No answer from module: no reply to frame 12 of 27\n")))
        << run.err.toStdString();
}

TEST_F(MorvelTool, TraceHoldsEveryWriteInOrderWithThePinMasked)
{
    Save("in.orv");
    const ToolRun masked = Program({QStringLiteral("--port"), Port(), QStringLiteral("--trace"), QStringLiteral("--no-verify")});
    ASSERT_EQ(masked.exitCode, 0) << masked.err.toStdString();
    const QStringList sent = SentBytes(masked.err);
    ASSERT_EQ(sent.size(), 1 + 27) << masked.err.toStdString();
    EXPECT_EQ(sent[0], QStringLiteral("*2*1"));
    EXPECT_TRUE(sent[1].startsWith(QStringLiteral("*0<FF FF ")));
    for (const QString& frame : sent.mid(1))
        EXPECT_TRUE(frame.startsWith(QStringLiteral("*0")) && frame.endsWith(QStringLiteral("*1"))) << frame.toStdString();
    EXPECT_FALSE(masked.err.contains(QStringLiteral("7395")));
    EXPECT_TRUE(sent[3].contains(QStringLiteral("\"****\""))) << sent[3].toStdString();

    const ToolRun shown = Program({QStringLiteral("--port"), Port(), QStringLiteral("--trace-codes"), QStringLiteral("--no-verify")});
    ASSERT_EQ(shown.exitCode, 0) << shown.err.toStdString();
    EXPECT_TRUE(SentBytes(shown.err).value(3).contains(QStringLiteral("\"7395\""))) << shown.err.toStdString();
}

TEST_F(MorvelTool, WaitGoesOnOnceThePortAppears)
{
    Save("in.orv");
    const QString link = Path("module-link");
    QProcess tool;
    tool.start(QStringLiteral(MORVEL_TOOL),
               {QStringLiteral("program"), QStringLiteral("--port"), link, QStringLiteral("--wait"),
                QStringLiteral("10"), Path("in.orv")});
    ASSERT_TRUE(tool.waitForStarted());
    // The port appears 300 ms later, as an adapter plugged in after the command was typed.
    QDeadlineTimer appears(300);
    ProcessEventsUntil([&] { return appears.hasExpired(); });
    ASSERT_TRUE(QFile::link(Port(), link));
    const ToolRun run = Finished(tool);
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_TRUE(run.err.startsWith(QStringLiteral("morvel: waiting up to 10 s for %1\n").arg(link))) << run.err.toStdString();
    EXPECT_EQ(module->Counters().programmingsDone, 1);
}

TEST_F(MorvelTool, WaitForAPortThatNeverAppearsExitsWith2)
{
    Save("in.orv");
    const QString never = Path("never-there");
    const ToolRun run = Program({QStringLiteral("--port"), never, QStringLiteral("--wait"), QStringLiteral("0.5")});
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_EQ(run.err, QStringLiteral("morvel: waiting up to 0.5 s for %1\n"
                                      "morvel: %1 did not appear within 0.5 s; check the cable and the port's name\n")
                           .arg(never));
    EXPECT_EQ(module->Counters().programmingStarts, 0);
}

} // namespace
} // namespace morvel
