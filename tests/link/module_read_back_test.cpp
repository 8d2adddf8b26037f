// The read-back a verification uses: the reading run, with its image handed to the caller.
#include "link/module_link.h"

#include "link_fakes.h"
#include "model/defaults.h"
#include "model/image_codec.h"
#include "model/record_fields.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace morvel {
namespace {

using testing::FakeControls;
using testing::FakeHooks;
using testing::FakeInfoList;
using testing::FakePort;
using testing::FakeTimer;

// Restated on purpose.
const std::string kRead = "*3*1";
const std::string kStart = "*2*1";
const QString kNoAnswer = QStringLiteral("No answer from module    ");
const QString kReadBackGoing =
    QStringLiteral("The module is being read for a verification: wait for its result, then try again.");
const QString kReadBackRefused = QStringLiteral("The module is being programmed or read: verify it once that run has ended.");

class ReadBack : public ::testing::Test {
protected:
    ReadBack()
    {
        ApplyDefaults(record);
        UserNumber(record, 1).assign("+48601234567");
        EncodeImage(record, image);
        TSettingsRecord inModule;
        ApplyDefaults(inModule);
        InputText(inModule, 5, 2).assign("Alarm *1 w garazu"); // the stop pair inside the data
        EncodeImage(inModule, memory);
        memory.bytes[1698] = '*';
        memory.bytes[1699] = '1';
    }

    std::string Reply() const
    {
        std::string reply(1, 'L');
        reply.append(memory.bytes.begin(), memory.bytes.begin() + 1700);
        return reply + "*1";
    }
    void Deliver(std::string_view bytes) { port.Deliver(bytes); }

    FakeInfoList list;
    FakeControls controls;
    FakeTimer timer;
    FakePort port;
    FakeHooks hooks{controls};
    TSettingsRecord record;
    TEepromImage image;
    TEepromImage memory;
    ModuleLink link{LinkEnvironment{list, controls, timer, port, hooks}, record, image};
};

class ReadBackInChunks : public ReadBack, public ::testing::WithParamInterface<std::size_t> {};

TEST_P(ReadBackInChunks, HandsTheWholeImageOverAndTouchesNothingShared)
{
    const TSettingsRecord recordBefore = record;
    const TEepromImage imageBefore = image;
    link.StartReadBack(QStringLiteral("COM1"));
    EXPECT_EQ(port.writes, std::vector<std::string>{kRead});
    EXPECT_TRUE(link.readingBack());
    const std::string reply = Reply();
    for (std::size_t at = 0; at < reply.size(); at += GetParam())
        Deliver(std::string_view(reply).substr(at, GetParam()));

    EXPECT_EQ(hooks.ends, std::vector<RunEnd>{RunEnd::ReadBackDone});
    TEepromImage expected;
    std::copy(memory.bytes.begin(), memory.bytes.begin() + 1700, expected.bytes.begin());
    EXPECT_EQ(link.readBackImage(), expected);
    EXPECT_EQ(record, recordBefore);
    EXPECT_EQ(image, imageBefore);
    EXPECT_EQ(hooks.loads, 0);
    EXPECT_TRUE(list.lines.isEmpty());
    EXPECT_FALSE(link.readingBack());
    EXPECT_FALSE(link.runInProgress());
    EXPECT_FALSE(timer.enabled);
    EXPECT_TRUE(controls.Idle());
}

INSTANTIATE_TEST_SUITE_P(Chunks, ReadBackInChunks, ::testing::Values(1, 64, 1703));

TEST_F(ReadBack, KeepsAPortLeftOpenAndDropsWhatItHolds)
{
    link.StartReadBack(QStringLiteral("COM1"));
    EXPECT_EQ(port.opens, 1); // a closed port is opened
    Deliver(Reply());
    link.StartReadBack(QStringLiteral("COM1"));
    EXPECT_EQ(port.opens, 1);
    EXPECT_EQ(port.closes, 0);
    EXPECT_EQ(port.discards, 1);
    Deliver(Reply());
    link.StartReadBack(QStringLiteral("COM2")); // another port: closed and opened under its name
    EXPECT_EQ(port.name, QStringLiteral("COM2"));
    EXPECT_EQ(port.opens, 2);
    EXPECT_EQ(hooks.ends, (std::vector<RunEnd>{RunEnd::ReadBackDone, RunEnd::ReadBackDone}));
}

TEST_F(ReadBack, OtherRunsAreRefusedWhileItReads)
{
    link.StartReadBack(QStringLiteral("COM1"));
    link.StartProgramming(QStringLiteral("COM1"));
    link.StartReading(QStringLiteral("COM1"));
    link.StartReadBack(QStringLiteral("COM1"));

    EXPECT_EQ(port.writes, std::vector<std::string>{kRead});
    EXPECT_EQ(list.lines, (QStringList{kReadBackGoing, kReadBackGoing, kReadBackGoing}));
    EXPECT_EQ(hooks.ends, (std::vector<RunEnd>{RunEnd::Refused, RunEnd::Refused, RunEnd::Refused}));
    EXPECT_EQ(hooks.stores, 0);
    EXPECT_TRUE(controls.Idle());
    EXPECT_TRUE(link.readingBack()); // the read-back itself goes on
    Deliver(Reply());
    EXPECT_EQ(hooks.ends.back(), RunEnd::ReadBackDone);
}

TEST_F(ReadBack, IsRefusedWhileAnotherRunIsGoing)
{
    link.StartProgramming(QStringLiteral("COM1"));
    link.StartReadBack(QStringLiteral("COM1"));
    EXPECT_EQ(port.writes, std::vector<std::string>{kStart});
    EXPECT_EQ(list.lines, QStringList{kReadBackRefused});
    EXPECT_EQ(link.progState(), ProgState::psStarting);

    link.Timer1Timer();
    link.StartReading(QStringLiteral("COM1"));
    link.StartReadBack(QStringLiteral("COM1"));
    EXPECT_EQ(list.lines.back(), kReadBackRefused);
    EXPECT_FALSE(link.readingBack());
    Deliver(Reply());
    EXPECT_EQ(hooks.loads, 1); // the described reading run was not disturbed
}

// Silence or a stop before the whole memory is there: "could not verify", never "verified".
TEST_F(ReadBack, ATimedOutOrShortReadBackIsNeverDone)
{
    link.StartReadBack(QStringLiteral("COM1"));
    Deliver(Reply().substr(0, 900));
    Deliver("*1");
    link.Timer1Timer();
    EXPECT_EQ(hooks.ends, std::vector<RunEnd>{RunEnd::TimedOut});
    EXPECT_EQ(hooks.endTexts, QStringList{QStringLiteral("the module sent only 902 of the 1703 bytes of its reply")});
    EXPECT_EQ(list.lines, QStringList{kNoAnswer});
    EXPECT_FALSE(link.readingBack());
    EXPECT_EQ(link.readBackImage(), TEepromImage{});
}

} // namespace
} // namespace morvel
