// The link against the simulated module over a real pseudo-terminal, through QSerialPort.
#include "link/link_session.h"
#include "model/defaults.h"
#include "model/image_codec.h"
#include "model/record_fields.h"
#include "pty_module.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <ostream>

#include <QStringList>

#include <algorithm>
#include <chrono>

namespace morvel {
namespace {

using namespace std::chrono_literals;

constexpr std::size_t kProgrammedBytes = 1195;
constexpr std::size_t kReadBytes = 1700;
const QString kNoAnswer = QStringLiteral("No answer from module    ");

SettingsModel SampleSettings()
{
    SettingsModel model;
    ApplyDefaults(model.record);
    SmsCentre(model.record).assign("+48602951111");
    UserNumber(model.record, 1).assign("+48601234567");
    UserNumber(model.record, 4).assign("+4930111222");
    InputText(model.record, 1, 1).assign("Otwarte drzwi *1 kierowcy");
    SpecialText(model.record, 5, 2).assign("Uzbrojony");
    SimPin(model.record).assign("4321");
    return model;
}

class ModuleOverPty : public ::testing::Test {
protected:
    // Runs the simulated module with `options` on a thread of its own.
    sim::PtyModule& StartModule(sim::ModuleOptions options = {})
    {
        module_ = std::make_unique<sim::PtyModule>(std::move(options));
        module_->Start();
        return *module_;
    }
    QString Port() const { return QString::fromStdString(module_->PortPath()); }

    LinkSession::Result Program(SettingsModel& model, std::chrono::milliseconds timeout = 6000ms)
    {
        LinkSession session(model, [this](const QString& line, bool) { lines_ << line; }, timeout);
        return session.Program(Port());
    }
    LinkSession::Result Read(SettingsModel& model, std::chrono::milliseconds timeout = 6000ms)
    {
        LinkSession session(model, [this](const QString& line, bool) { lines_ << line; }, timeout);
        return session.Read(Port());
    }

    std::unique_ptr<sim::PtyModule> module_;
    QStringList lines_;
};

TEST_F(ModuleOverPty, ProgrammingLeavesTheImageInTheModuleMemory)
{
    SettingsModel model = SampleSettings();
    sim::PtyModule& module = StartModule();
    const LinkSession::Result result = Program(model);

    ASSERT_EQ(result.end, RunEnd::ProgrammingDone) << result.text.toStdString();
    const sim::ModuleMemory memory = module.Memory();
    EXPECT_TRUE(std::equal(model.image.bytes.begin(), model.image.bytes.begin() + kProgrammedBytes,
                           memory.begin()));
    EXPECT_EQ(module.Counters().framesReceived, 27);
    EXPECT_EQ(module.Counters().finishCommands, 0);
    EXPECT_EQ(lines_.back(), QString::fromUtf8("Programowanie zakończone pomyślnie."));
}

struct DeliveryCase {
    const char* name;
    sim::ModuleOptions options;
};

void PrintTo(const DeliveryCase& c, std::ostream* out)
{
    *out << c.name;
}


class AwkwardModule : public ModuleOverPty, public ::testing::WithParamInterface<DeliveryCase> {};

// Whatever way the module's replies reach the port, programming and reading give the same result.
TEST_P(AwkwardModule, ProgramsAndReadsBackTheSameSettings)
{
    SettingsModel written = SampleSettings();
    sim::PtyModule& module = StartModule(GetParam().options);
    ASSERT_EQ(Program(written).end, RunEnd::ProgrammingDone) << lines_.join('\n').toStdString();

    SettingsModel read;
    ApplyDefaults(read.record);
    const LinkSession::Result result = Read(read);
    ASSERT_EQ(result.end, RunEnd::ReadDone) << lines_.join('\n').toStdString();
    EXPECT_EQ(lines_.back(), QStringLiteral("zaladowane ustawienia z eprom"));

    TEepromImage reencoded;
    EncodeImage(read.record, reencoded);
    EXPECT_EQ(reencoded, written.image);
    EXPECT_TRUE(std::equal(read.image.bytes.begin(), read.image.bytes.begin() + kReadBytes,
                           module.Memory().begin()));
    EXPECT_EQ(UserNumber(std::as_const(read.record), 4), "+4930111222");
}

sim::ModuleOptions Options(void (*change)(sim::ModuleOptions&))
{
    sim::ModuleOptions options;
    change(options);
    return options;
}

INSTANTIATE_TEST_SUITE_P(
    Deliveries, AwkwardModule,
    ::testing::Values(
        DeliveryCase{"Plain", {}},
        // "OK*1" arrives as "OK*" and "1": the stop pair itself is cut in two.
        DeliveryCase{"SplitIntoThreeByteParts",
                     Options([](sim::ModuleOptions& o) { o.splitBytes = 3; o.splitGap = 1ms; })},
        DeliveryCase{"SplitInto300ByteParts",
                     Options([](sim::ModuleOptions& o) { o.splitBytes = 300; o.splitGap = 3ms; })},
        DeliveryCase{"FinishAskedFor", Options([](sim::ModuleOptions& o) { o.acknowledgement = "A*1"; })},
        DeliveryCase{"Delayed", Options([](sim::ModuleOptions& o) { o.delay = 2ms; })},
        DeliveryCase{"PacedAtWireRate", Options([](sim::ModuleOptions& o) { o.paceAtWireRate = true; })}),
    [](const ::testing::TestParamInfo<DeliveryCase>& info) { return std::string(info.param.name); });

TEST_F(ModuleOverPty, ReadWhoseDataHoldsTheStopPairEarly)
{
    SettingsModel settings = SampleSettings();
    EncodeImage(settings.record, settings.image);
    sim::ModuleMemory memory{};
    std::copy(settings.image.bytes.begin(), settings.image.bytes.end(), memory.begin());
    memory[3] = '*';
    memory[4] = '1';
    sim::PtyModule& module = StartModule();
    module.SetMemory(memory);

    SettingsModel read;
    ASSERT_EQ(Read(read).end, RunEnd::ReadDone);
    EXPECT_TRUE(std::equal(read.image.bytes.begin(), read.image.bytes.begin() + kReadBytes, memory.begin()));
    EXPECT_EQ(InputText(std::as_const(read.record), 1, 1), "Otwarte drzwi *1 kierowcy");
}

TEST_F(ModuleOverPty, NoiseAheadOfEveryReplyDoesNotStopProgramming)
{
    SettingsModel model = SampleSettings();
    sim::PtyModule& module = StartModule(Options([](sim::ModuleOptions& o) { o.garbageBytes = 5; }));
    ASSERT_EQ(Program(model).end, RunEnd::ProgrammingDone);
    EXPECT_TRUE(std::equal(model.image.bytes.begin(), model.image.bytes.begin() + kProgrammedBytes,
                           module.Memory().begin()));
}

TEST_F(ModuleOverPty, SilentModuleEndsTheRunByTheTimeOut)
{
    SettingsModel model = SampleSettings();
    StartModule(Options([](sim::ModuleOptions& o) { o.repliesBeforeSilence = 0; }));
    const LinkSession::Result programmed = Program(model, 200ms);
    EXPECT_EQ(programmed.end, RunEnd::TimedOut);
    EXPECT_EQ(programmed.waitingStep, QStringLiteral("no reply to \"*2*1\""));
    const LinkSession::Result read = Read(model, 200ms);
    EXPECT_EQ(read.end, RunEnd::TimedOut);
    EXPECT_EQ(read.waitingStep, QStringLiteral("no reply to \"*3*1\""));
    EXPECT_EQ(lines_.back(), kNoAnswer);
}

TEST_F(ModuleOverPty, StopAloneAcknowledgementsEndTheRunByTheTimeOut)
{
    SettingsModel model = SampleSettings();
    sim::PtyModule& module = StartModule(Options([](sim::ModuleOptions& o) { o.acknowledgement = "*1"; }));
    EXPECT_EQ(Program(model, 300ms).end, RunEnd::TimedOut);
    EXPECT_EQ(module.Counters().framesReceived, 1);
}

struct HangUpCase {
    const char* name;
    bool reading;
    long bytesBeforeHangUp;
    const char* hint;
};

void PrintTo(const HangUpCase& c, std::ostream* out)
{
    *out << c.name;
}


class HangUp : public ModuleOverPty, public ::testing::WithParamInterface<HangUpCase> {};

// Long time-out on purpose: a run that waited for it would end TimedOut, not LinkBroken.
TEST_P(HangUp, EndsTheRunAtOnceWithTheFailure)
{
    SettingsModel model = SampleSettings();
    StartModule(Options([](sim::ModuleOptions& o) { o.hangUpAfterBytes = GetParam().bytesBeforeHangUp; }));
    const LinkSession::Result result = GetParam().reading ? Read(model, 20s) : Program(model, 20s);
    EXPECT_EQ(result.end, RunEnd::LinkBroken);
    EXPECT_TRUE(lines_.back().startsWith(QString::fromUtf8("Przerwane połączenie z modułem: ")))
        << lines_.back().toStdString();
    // A hung-up line answers reads and writes with EIO.
    EXPECT_TRUE(lines_.back().endsWith(QStringLiteral(" (win error code: 5)"))) << lines_.back().toStdString();
    EXPECT_EQ(result.hint, QString::fromUtf8(GetParam().hint));
}

INSTANTIATE_TEST_SUITE_P(Runs, HangUp,
                         ::testing::Values(HangUpCase{"WhileProgramming", false, 12,
                                                      "The adapter was disconnected during programming; plug it "
                                                      "in and program again; the module may hold a mix of old "
                                                      "and new settings."},
                                           HangUpCase{"WhileReading", true, 800,
                                                      "The adapter was disconnected during reading; plug it in "
                                                      "and read again."}),
                         [](const ::testing::TestParamInfo<HangUpCase>& info) {
                             return std::string(info.param.name);
                         });

} // namespace
} // namespace morvel
