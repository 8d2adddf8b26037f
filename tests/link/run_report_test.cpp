// What a run reports beyond the information list: the step a time-out waited for, the wire
// trace with the codes masked, and the counts of what crossed the line.
#include "link/module_link.h"
#include "link/monitored_port.h"
#include "link/timeout_step.h"
#include "link/wire_trace.h"

#include "link_fakes.h"
#include "model/defaults.h"
#include "model/image_codec.h"
#include "model/record_fields.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

namespace morvel {
namespace {

using testing::FakeControls;
using testing::FakeHooks;
using testing::FakeInfoList;
using testing::FakePort;
using testing::FakeTimer;

constexpr int kFrames = 27;
constexpr std::size_t kProgrammedBytes = 1195;
const std::string kSimPin = "7395";
const std::string kAccessCode = "5846";

class RunReport : public ::testing::Test {
protected:
    RunReport()
    {
        ApplyDefaults(record);
        SimPin(record).assign(kSimPin);
        SmsAccessCode(record).assign(kAccessCode);
        monitored.SetTrace(&trace);
    }

    void Deliver(std::string_view bytes) { port.Deliver(bytes); }
    void Acknowledge(int times)
    {
        for (int ack = 0; ack < times; ++ack)
            Deliver("OK*1");
    }
    // The traced bytes of every line in one direction, in order.
    std::vector<std::string> Traced(const char* direction) const
    {
        std::vector<std::string> bytes;
        const std::string marker = std::string(" ms  ") + direction + "  ";
        for (const std::string& line : lines) {
            const std::size_t at = line.find(marker);
            if (at != std::string::npos)
                bytes.push_back(line.substr(at + marker.size()));
        }
        return bytes;
    }
    std::string ReadReply() const
    {
        TEepromImage memory;
        EncodeImage(record, memory);
        std::string reply = "L";
        reply.append(memory.bytes.begin(), memory.bytes.begin() + 1700);
        return reply + "*1";
    }

    std::vector<std::string> lines;
    WireTrace trace{[this](const std::string& line) { lines.push_back(line); }, WireTrace::Side::Tool,
                    SecretCodes::Masked};
    FakeInfoList list;
    FakeControls controls;
    FakeTimer timer;
    FakePort port;
    MonitoredPort monitored{port};
    FakeHooks hooks{controls};
    TSettingsRecord record;
    TEepromImage image;
    ModuleLink link{LinkEnvironment{list, controls, timer, monitored, hooks}, record, image};
};

TEST_F(RunReport, TraceOfAProgrammingRunHoldsEveryWriteInOrderWithTheCodesMasked)
{
    link.StartProgramming(QStringLiteral("COM1"));
    Acknowledge(kFrames + 1);
    ASSERT_EQ(hooks.ends, std::vector<RunEnd>{RunEnd::ProgrammingDone});

    const std::vector<std::string> sent = Traced("send");
    ASSERT_EQ(sent.size(), std::size_t(1 + kFrames));
    EXPECT_EQ(sent[0], "*2*1");
    for (std::size_t frame = 1; frame < sent.size(); ++frame) {
        EXPECT_TRUE(sent[frame].starts_with("*0<FF FF") == (frame == 1)) << frame << ": " << sent[frame];
        EXPECT_TRUE(sent[frame].starts_with("*0") && sent[frame].ends_with("*1")) << sent[frame];
        EXPECT_EQ(sent[frame].find(kSimPin), std::string::npos) << sent[frame];
        EXPECT_EQ(sent[frame].find(kAccessCode), std::string::npos) << sent[frame];
    }
    // The access code at image bytes 35 to 38 (frame 2), the PIN in its quotes at 99 to 102 (frame 3).
    EXPECT_NE(sent[2].find("****"), std::string::npos) << sent[2];
    EXPECT_NE(sent[3].find("\"****\""), std::string::npos) << sent[3];
    EXPECT_EQ(Traced("recv"), std::vector<std::string>(kFrames + 1, "OK*1"));

    EXPECT_EQ(monitored.counts().frames, kFrames);
    EXPECT_EQ(monitored.counts().imageBytes, kProgrammedBytes);
}

TEST_F(RunReport, TraceShowsTheCodesWhenAskedTo)
{
    WireTrace shown{[this](const std::string& line) { lines.push_back(line); }, WireTrace::Side::Tool,
                    SecretCodes::Shown};
    monitored.SetTrace(&shown);
    link.StartProgramming(QStringLiteral("COM1"));
    Acknowledge(3);
    const std::vector<std::string> sent = Traced("send");
    ASSERT_EQ(sent.size(), 4u);
    EXPECT_NE(sent[2].find(kAccessCode), std::string::npos) << sent[2];
    EXPECT_NE(sent[3].find("\"" + kSimPin + "\""), std::string::npos) << sent[3];
}

TEST_F(RunReport, ReadReplyInPiecesHasItsCodesMasked)
{
    link.StartReading(QStringLiteral("COM1"));
    const std::string reply = ReadReply();
    for (std::size_t at = 0; at < reply.size(); at += 7)
        Deliver(std::string_view(reply).substr(at, 7));
    ASSERT_EQ(hooks.ends, std::vector<RunEnd>{RunEnd::ReadDone});
    // The link itself gets the codes unmasked.
    EXPECT_EQ(SimPin(std::as_const(record)), kSimPin);

    std::string received;
    for (const std::string& piece : Traced("recv"))
        received += piece;
    EXPECT_EQ(received.find(kSimPin), std::string::npos);
    EXPECT_EQ(received.find(kAccessCode), std::string::npos);
    EXPECT_NE(received.find("\"****\""), std::string::npos);
    EXPECT_EQ(monitored.counts().bytesReceived, reply.size());
}

// The module's side of the same wire: what it receives is what the tool sends.
TEST(WireTraceSides, TheModulesTraceMasksWhatItReceives)
{
    std::vector<std::string> lines;
    WireTrace trace{[&](const std::string& line) { lines.push_back(line); }, WireTrace::Side::Module,
                    SecretCodes::Masked};
    std::string frame2 = "*0" + std::string(10, 'a') + "5846" + std::string(31, 'b') + "*1";
    trace.Record(WireDirection::ToModule, "*2*1");
    trace.Record(WireDirection::ToModule, "*0" + std::string(25, 'x') + "*1");
    trace.Record(WireDirection::FromModule, "OK*1");
    trace.Record(WireDirection::ToModule, frame2.substr(0, 13)); // a frame may come in pieces
    trace.Record(WireDirection::ToModule, frame2.substr(13));
    ASSERT_EQ(lines.size(), 5u);
    EXPECT_TRUE(lines[0].ends_with(" ms  recv  *2*1")) << lines[0];
    EXPECT_TRUE(lines[2].ends_with(" ms  send  OK*1")) << lines[2];
    EXPECT_TRUE(lines[3].ends_with("recv  *0aaaaaaaaaa*")) << lines[3];
    EXPECT_TRUE(lines[4].ends_with("recv  ***bbbbbbbbbbbbbbbbbbbbbbbbbbbbbbb*1")) << lines[4];
}

struct PrintCase {
    std::string bytes;
    std::string printed;
};

void PrintTo(const PrintCase& c, std::ostream* out)
{
    *out << c.printed;
}

class Printable : public ::testing::TestWithParam<PrintCase> {};

TEST_P(Printable, TextStaysOtherBytesBecomeHex)
{
    EXPECT_EQ(PrintableBytes(GetParam().bytes), GetParam().printed);
}

INSTANTIATE_TEST_SUITE_P(
    Bytes, Printable,
    ::testing::Values(PrintCase{"OK*1", "OK*1"}, PrintCase{std::string("*0\xFF\xFF\x05", 5), "*0<FF FF 05>"},
                      PrintCase{std::string("a\0b", 3), "a<00>b"}, PrintCase{"<x>", "<3C>x>"},
                      PrintCase{"\r\n", "<0D 0A>"}, PrintCase{"", ""}));

struct StepCase {
    const char* name;
    void (*drive)(ModuleLink& link, FakePort& port);
    QString step;
};

void PrintTo(const StepCase& c, std::ostream* out)
{
    *out << c.name;
}

class WaitingStepTest : public ::testing::TestWithParam<StepCase> {
protected:
    FakeInfoList list;
    FakeControls controls;
    FakeTimer timer;
    FakePort port;
    FakeHooks hooks{controls};
    TSettingsRecord record;
    TEepromImage image;
    ModuleLink link{LinkEnvironment{list, controls, timer, port, hooks}, record, image};
};

TEST_P(WaitingStepTest, NamesTheStepThatGotNoReply)
{
    ApplyDefaults(record);
    GetParam().drive(link, port);
    EXPECT_EQ(WaitingStep(link), GetParam().step);
    link.Timer1Timer();
    EXPECT_EQ(list.lines.back(), QStringLiteral("No answer from module    "));
    EXPECT_EQ(WaitingStep(link), QString());
}

void Acknowledged(FakePort& port, int times)
{
    for (int ack = 0; ack < times; ++ack)
        port.Deliver("OK*1");
}

INSTANTIATE_TEST_SUITE_P(
    Runs, WaitingStepTest,
    ::testing::Values(
        StepCase{"Start", [](ModuleLink& link, FakePort&) { link.StartProgramming(QStringLiteral("COM1")); },
                 QStringLiteral("no reply to \"*2*1\"")},
        StepCase{"FirstFrame",
                 [](ModuleLink& link, FakePort& port) {
                     link.StartProgramming(QStringLiteral("COM1"));
                     Acknowledged(port, 1);
                 },
                 QStringLiteral("no reply to frame 1 of 27")},
        StepCase{"Frame12",
                 [](ModuleLink& link, FakePort& port) {
                     link.StartProgramming(QStringLiteral("COM1"));
                     Acknowledged(port, 12);
                 },
                 QStringLiteral("no reply to frame 12 of 27")},
        StepCase{"Closing",
                 [](ModuleLink& link, FakePort& port) {
                     link.StartProgramming(QStringLiteral("COM1"));
                     Acknowledged(port, 27);
                 },
                 QStringLiteral("no closing reply after frame 27")},
        StepCase{"Read", [](ModuleLink& link, FakePort&) { link.StartReading(QStringLiteral("COM1")); },
                 QStringLiteral("no reply to \"*3*1\"")},
        StepCase{"ReadStopped",
                 [](ModuleLink& link, FakePort& port) {
                     link.StartReading(QStringLiteral("COM1"));
                     port.Deliver(std::string(800, 'm'));
                     port.Deliver(std::string(12, 'm'));
                 },
                 QStringLiteral("the module's memory stopped after 812 of 1701 bytes")}),
    [](const ::testing::TestParamInfo<StepCase>& info) { return std::string(info.param.name); });

} // namespace
} // namespace morvel
