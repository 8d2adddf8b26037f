#include "link/module_link.h"

#include "link_fakes.h"
#include "model/defaults.h"
#include "model/image_codec.h"
#include "model/record_fields.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <ostream>

#include <string>
#include <utility>
#include <vector>

namespace morvel {
namespace {

using testing::FakeControls;
using testing::FakeHooks;
using testing::FakeInfoList;
using testing::FakePort;
using testing::FakeTimer;

// Restated here on purpose: a change to the wire must break these tests.
const std::string kStart = "*2*1";
const std::string kRead = "*3*1";
const std::string kFinish = "*5*1";
const QString kNoAnswer = QStringLiteral("No answer from module    ");
const QString kStarted = QString::fromUtf8("Rozpoczęcie programowania.");
const QString kProgressStart = QString::fromUtf8("postęp: ");
const QString kDone = QString::fromUtf8("Programowanie zakończone pomyślnie.");
const QString kReadDone = QStringLiteral("zaladowane ustawienia z eprom");
constexpr int kFrames = 27;
constexpr std::size_t kProgrammedBytes = 1195;

std::string Frame(const TEepromImage& image, std::size_t first, std::size_t count)
{
    std::string frame = "*0";
    frame.append(image.bytes.begin() + first, image.bytes.begin() + first + count);
    return frame + "*1";
}

// A reply to "*3*1": one leading byte, 1700 memory bytes, "*1".
std::string ReadReply(const TEepromImage& memory, char leading = 'L')
{
    std::string reply(1, leading);
    reply.append(memory.bytes.begin(), memory.bytes.begin() + 1700);
    return reply + "*1";
}

class ModuleLinkTest : public ::testing::Test {
protected:
    ModuleLinkTest()
    {
        ApplyDefaults(record);
        SmsCentre(record).assign("+48602951111");
        UserNumber(record, 1).assign("+48601234567");
        UserNumber(record, 3).assign("+4912345");
        InputText(record, 2, 1).assign("Drzwi otwarte");
        SpecialText(record, 3, 2).assign("HIJACK");
        SimPin(record).assign("1234");
    }

    void Deliver(std::string_view bytes) { port.Deliver(bytes); }

    // Runs a programming run up to the reply to the last frame, acknowledging with `ack`.
    void ProgramUpToLastReply(const std::string& ack)
    {
        link.StartProgramming(QStringLiteral("COM1"));
        Deliver("OK*1");
        for (int frame = 1; frame < kFrames; ++frame)
            Deliver(ack);
    }

    // A module memory that differs from what the settings would give.
    TEepromImage ModuleMemory()
    {
        TSettingsRecord other;
        ApplyDefaults(other);
        SmsCentre(other).assign("+48501200200");
        UserNumber(other, 2).assign("+48700800900");
        InputText(other, 5, 2).assign("Alarm *1 w garazu");
        TEepromImage memory;
        EncodeImage(other, memory);
        return memory;
    }

    FakeInfoList list;
    FakeControls controls;
    FakeTimer timer;
    FakePort port;
    FakeHooks hooks{controls};
    TSettingsRecord record;
    TEepromImage image;
    ModuleLink link{LinkEnvironment{list, controls, timer, port, hooks}, record, image};
};

TEST_F(ModuleLinkTest, ProgrammingSendsTheImageIn27FramesAndEndsOnOk)
{
    ProgramUpToLastReply("OK*1");
    ASSERT_EQ(link.progState(), ProgState::psFinishing);
    Deliver("OK*1");

    TEepromImage expected;
    EncodeImage(record, expected);
    ASSERT_EQ(port.writes.size(), 1u + kFrames);
    EXPECT_EQ(port.writes[0], kStart);
    EXPECT_EQ(port.writes[1], Frame(expected, 0, 25));
    std::string payloads;
    for (std::size_t k = 1; k <= kFrames; ++k) {
        const std::string& frame = port.writes[k];
        ASSERT_EQ(frame.size(), k == 1 ? 29u : 49u) << "frame " << k;
        ASSERT_EQ(frame.substr(0, 2), "*0");
        ASSERT_EQ(frame.substr(frame.size() - 2), "*1");
        payloads += frame.substr(2, frame.size() - 4);
    }
    EXPECT_EQ(payloads, std::string(expected.bytes.begin(), expected.bytes.begin() + kProgrammedBytes));
    EXPECT_EQ(link.imageOffset(), 1195);

    EXPECT_EQ(link.progState(), ProgState::psIdle);
    EXPECT_TRUE(controls.Idle());
    EXPECT_FALSE(timer.enabled);
    ASSERT_GE(list.lines.size(), 2);
    EXPECT_EQ(list.lines.back(), kDone);
    EXPECT_EQ(list.lines[list.lines.size() - 2],
              QString::fromUtf8("Postęp: 100% ") + QString(QStringLiteral("##")).repeated(26));
    EXPECT_EQ(hooks.stores, 1);
    EXPECT_EQ(hooks.ends, std::vector<RunEnd>{RunEnd::ProgrammingDone});
}

TEST_F(ModuleLinkTest, ProgressLineShowsEveryPercentageWithOneBarStepPerAcknowledgement)
{
    ProgramUpToLastReply("OK*1");
    const std::vector<int> percentages{3,  7,  11, 15, 19, 23, 26, 30, 34, 38, 42, 46, 50,
                                       53, 57, 61, 65, 69, 73, 76, 80, 84, 88, 92, 96, 100};
    ASSERT_EQ(list.replacements.size(), qsizetype(percentages.size()));
    for (std::size_t i = 0; i < percentages.size(); ++i) {
        EXPECT_EQ(list.replacements[qsizetype(i)],
                  QString::fromUtf8("Postęp: %1% ").arg(percentages[i])
                      + QString(QStringLiteral("##")).repeated(int(i) + 1));
    }
    EXPECT_EQ(link.frameCount(), 26);
}

TEST_F(ModuleLinkTest, StartsBusyAndTheFirstFrameDoesNotRestartTheTimeOut)
{
    link.StartProgramming(QStringLiteral("COM1"));
    EXPECT_TRUE(controls.busy);
    EXPECT_FALSE(controls.programEnabled);
    EXPECT_FALSE(controls.readEnabled);
    EXPECT_EQ(link.progState(), ProgState::psStarting);
    EXPECT_EQ(timer.periodsStarted, 1);

    Deliver("OK*1"); // frame 1 goes out while the period of "*2*1" still runs
    EXPECT_EQ(timer.periodsStarted, 1);
    Deliver("OK*1"); // each later frame gets a fresh period
    Deliver("OK*1");
    EXPECT_EQ(timer.periodsStarted, 3);
    EXPECT_TRUE(timer.enabled);
}

TEST_F(ModuleLinkTest, ReplyWithoutOkInTheLastAcknowledgementIsAnsweredWithFinish)
{
    ProgramUpToLastReply("A*1");
    Deliver("A*1");
    ASSERT_EQ(port.writes.back(), kFinish);
    EXPECT_EQ(link.progState(), ProgState::psFinishing);
    Deliver("A*1"); // asked again until the module confirms
    EXPECT_EQ(port.writes.back(), kFinish);
    EXPECT_EQ(port.writes.size(), 1u + kFrames + 2);

    Deliver("OK*1");
    EXPECT_EQ(link.progState(), ProgState::psIdle);
    EXPECT_EQ(list.lines.back(), kDone);
    EXPECT_TRUE(controls.Idle());
}

TEST_F(ModuleLinkTest, AcknowledgementOfStopAloneDoesNotAdvanceAndTheRunTimesOut)
{
    link.StartProgramming(QStringLiteral("COM1"));
    Deliver("OK*1");
    Deliver("*1");
    Deliver("*1");
    EXPECT_EQ(link.frameCount(), 0);
    EXPECT_EQ(port.writes.size(), 2u);

    link.Timer1Timer();
    EXPECT_EQ(list.lines.back(), kNoAnswer);
    EXPECT_EQ(link.progState(), ProgState::psIdle);
    EXPECT_TRUE(controls.Idle());
    EXPECT_FALSE(timer.enabled);
    EXPECT_EQ(hooks.ends, std::vector<RunEnd>{RunEnd::TimedOut});
}

TEST_F(ModuleLinkTest, SplitOkAddsTheStartLinesTwiceAndProgressGoesIntoTheSecond)
{
    link.StartProgramming(QStringLiteral("COM1"));
    Deliver("OK");
    Deliver("*1");
    EXPECT_EQ(list.lines, (QStringList{kStarted, kProgressStart, kStarted, kProgressStart}));
    EXPECT_EQ(link.progressLine(), 3);
    EXPECT_EQ(link.progState(), ProgState::psSending);

    Deliver("OK*1");
    EXPECT_EQ(list.lines[1], kProgressStart);
    EXPECT_EQ(list.lines[3], QString::fromUtf8("Postęp: 3% ##"));
}

TEST_F(ModuleLinkTest, TimeOutAfterProgrammingLetsTheNextRunStartFromByteZero)
{
    ProgramUpToLastReply("OK*1");
    link.Timer1Timer();
    port.writes.clear();

    link.StartProgramming(QStringLiteral("COM1"));
    Deliver("OK*1");
    EXPECT_EQ(link.imageOffset(), 25);
    EXPECT_EQ(port.writes.back(), Frame(image, 0, 25));
    EXPECT_EQ(port.opens, 1); // the port stayed open under the same name
}

TEST_F(ModuleLinkTest, UserNumberFailureAppendsTheMessageAndChangesNothingElse)
{
    hooks.numbersPass = false;
    link.StartProgramming(QStringLiteral("COM1"));
    EXPECT_EQ(list.lines, QStringList{QStringLiteral("User number must be in International Country "
                                                     "Code format eg. +42... +48......")
                                      + QString(24, u' ')});
    EXPECT_TRUE(controls.Idle());
    EXPECT_TRUE(port.writes.empty());
    EXPECT_EQ(hooks.stores, 0);
    EXPECT_FALSE(timer.enabled);
}

TEST_F(ModuleLinkTest, OpenFailureReturnsToIdleBeforeTheMessageBox)
{
    port.openError = QStringLiteral("Unable to open com port (win error code: 2)");
    port.openHint = QStringLiteral("There is no port COM7.");
    link.StartProgramming(QStringLiteral("COM7"));
    EXPECT_EQ(hooks.errors, QStringList{port.openError});
    EXPECT_EQ(hooks.hints, QStringList{port.openHint});
    EXPECT_TRUE(hooks.idleWhenErrorShown);
    EXPECT_EQ(link.progState(), ProgState::psIdle);
    EXPECT_TRUE(port.writes.empty());
    EXPECT_FALSE(timer.enabled);
    EXPECT_EQ(hooks.ends, std::vector<RunEnd>{RunEnd::Refused});
}

TEST_F(ModuleLinkTest, FailedWriteInsideTheReplyHandlerEndsTheRunAtOnce)
{
    port.failWriteNumber = 6; // "*2*1", frames 1 to 4 go out, frame 5 fails
    link.StartProgramming(QStringLiteral("COM1"));
    for (int ack = 0; ack < 5; ++ack)
        Deliver("OK*1");
    EXPECT_EQ(list.lines.back(),
              QString::fromUtf8("Przerwane połączenie z modułem: WriteFile function failed (win error code: 5)"));
    EXPECT_EQ(link.progState(), ProgState::psIdle);
    EXPECT_TRUE(controls.Idle());
    EXPECT_FALSE(timer.enabled);
    EXPECT_FALSE(port.open);
    EXPECT_EQ(link.frameCount(), 3);
    EXPECT_EQ(hooks.ends, std::vector<RunEnd>{RunEnd::LinkBroken});
    EXPECT_EQ(hooks.lostTexts, QStringList{QStringLiteral("WriteFile function failed (win error code: 5)")});
    EXPECT_EQ(hooks.lostHints, QStringList{QStringLiteral("The adapter was disconnected during programming; plug it "
                                                          "in and program again; the module may hold a mix of old "
                                                          "and new settings.")});
}

TEST_F(ModuleLinkTest, LostPortEndsARunningReadAndIsIgnoredWhenIdle)
{
    link.OnPortLost(QStringLiteral("Com port lost (win error code: 5)"));
    EXPECT_TRUE(list.lines.isEmpty());

    link.StartReading(QStringLiteral("COM1"));
    link.OnPortLost(QStringLiteral("Com port lost (win error code: 5)"));
    EXPECT_EQ(list.lines.back(),
              QString::fromUtf8("Przerwane połączenie z modułem: Com port lost (win error code: 5)"));
    EXPECT_EQ(link.readState(), ReadState::rsIdle);
    EXPECT_FALSE(timer.enabled);
    EXPECT_EQ(hooks.loads, 0);
    EXPECT_EQ(hooks.lostHints,
              QStringList{QStringLiteral("The adapter was disconnected during reading; plug it in and read again.")});
}

TEST_F(ModuleLinkTest, ReadInSeveralReceptionsFillsTheImageDecodesAndReloads)
{
    const TEepromImage memory = ModuleMemory();
    const std::string reply = ReadReply(memory);
    ASSERT_EQ(reply.size(), 1703u);

    image.bytes.fill(0xAA);
    link.StartReading(QStringLiteral("COM1"));
    EXPECT_EQ(port.writes, std::vector<std::string>{kRead});
    EXPECT_TRUE(controls.Idle()); // a read never goes busy
    for (std::size_t at = 0; at < reply.size(); at += 400)
        Deliver(std::string_view(reply).substr(at, 400));

    TEepromImage expected;
    std::copy(memory.bytes.begin(), memory.bytes.begin() + 1700, expected.bytes.begin());
    EXPECT_EQ(image, expected);
    TSettingsRecord decoded = record;
    DecodeImage(expected, decoded);
    EXPECT_EQ(record, decoded);
    EXPECT_EQ(SmsCentre(std::as_const(record)), "+48501200200");
    EXPECT_EQ(hooks.loads, 1);
    EXPECT_EQ(list.lines.back(), kReadDone);
    EXPECT_EQ(link.readState(), ReadState::rsIdle);
    EXPECT_FALSE(timer.enabled);
    EXPECT_EQ(hooks.ends, std::vector<RunEnd>{RunEnd::ReadDone});
}

// The stop pair inside the memory data, in every way the data can reach the link.
class ReadWithStopInData : public ModuleLinkTest, public ::testing::WithParamInterface<std::size_t> {};

TEST_P(ReadWithStopInData, KeepsGatheringUntilTheWholeMemoryIsThere)
{
    TEepromImage memory = ModuleMemory();
    memory.bytes[10] = '*';
    memory.bytes[11] = '1';
    memory.bytes[1698] = '*';
    memory.bytes[1699] = '1';
    const std::string reply = ReadReply(memory);
    const std::size_t chunk = GetParam();

    link.StartReading(QStringLiteral("COM1"));
    for (std::size_t at = 0; at < reply.size(); at += chunk)
        Deliver(std::string_view(reply).substr(at, chunk));

    EXPECT_TRUE(std::equal(memory.bytes.begin(), memory.bytes.begin() + 1700, image.bytes.begin()));
    EXPECT_EQ(hooks.loads, 1);
    EXPECT_EQ(list.lines.back(), kReadDone);
}

INSTANTIATE_TEST_SUITE_P(Chunks, ReadWithStopInData, ::testing::Values(1, 7, 64, 1000, 1703));

TEST_F(ModuleLinkTest, IncompleteReadIsNeverDecodedAndTimesOut)
{
    const std::string reply = ReadReply(ModuleMemory());
    const TSettingsRecord before = record;
    link.StartReading(QStringLiteral("COM1"));
    Deliver(std::string_view(reply).substr(0, 900));
    Deliver("*1"); // a stop before the memory is complete
    link.Timer1Timer();

    EXPECT_EQ(record, before);
    EXPECT_EQ(hooks.loads, 0);
    EXPECT_EQ(list.lines.back(), kNoAnswer);
    EXPECT_EQ(link.readState(), ReadState::rsIdle);
}

TEST_F(ModuleLinkTest, ReadStartsFromAnEmptyFramer)
{
    const TEepromImage memory = ModuleMemory();
    Deliver("OK*1xy"); // an earlier exchange leaves "xy" in the framer
    link.StartReading(QStringLiteral("COM1"));
    Deliver(ReadReply(memory));
    // Left in, "xy" would stand before the reply and shift the image by two bytes.
    EXPECT_TRUE(std::equal(memory.bytes.begin(), memory.bytes.begin() + 1700, image.bytes.begin()));
    EXPECT_EQ(hooks.loads, 1);
}

TEST_F(ModuleLinkTest, ReadAfterATimedOutReadGathersOnlyItsOwnBytes)
{
    const TEepromImage memory = ModuleMemory();
    link.StartReading(QStringLiteral("COM1"));
    Deliver("partial"); // a read that times out
    link.Timer1Timer();

    link.StartReading(QStringLiteral("COM1"));
    EXPECT_TRUE(link.readBytes().empty());
    Deliver(ReadReply(memory));
    EXPECT_TRUE(std::equal(memory.bytes.begin(), memory.bytes.begin() + 1700, image.bytes.begin()));
    EXPECT_EQ(port.opens, 2); // every read reopens the port
    EXPECT_EQ(port.closes, 1);
}

TEST_F(ModuleLinkTest, BothRunsShareTheReplyHandlerWithProgrammingFirst)
{
    link.StartProgramming(QStringLiteral("COM1"));
    Deliver("OK*1");
    link.StartReading(QStringLiteral("COM1"));
    Deliver("OK*1"); // an acknowledgement: the programming run takes it
    EXPECT_EQ(link.frameCount(), 1);
    EXPECT_TRUE(link.readBytes().empty());

    Deliver("*1"); // no acknowledgement: it falls through to the reading run
    EXPECT_EQ(link.frameCount(), 1);
    EXPECT_EQ(link.readBytes(), "*1");
    EXPECT_EQ(link.readState(), ReadState::rsReading);
}

// "Program settings" stays available during a read, so both runs can go on at once and share the
// one time-out and the one image.
TEST_F(ModuleLinkTest, ReadCompletingBeforeTheProgrammingRunAnswersLeavesItItsTimeOutAndItsImage)
{
    TEepromImage pressed;
    EncodeImage(record, pressed);
    link.StartReading(QStringLiteral("COM1"));
    link.StartProgramming(QStringLiteral("COM1"));
    Deliver(ReadReply(ModuleMemory())); // no "OK*1" in it: the read takes it and completes
    ASSERT_EQ(hooks.loads, 1);
    ASSERT_EQ(link.progState(), ProgState::psStarting);
    EXPECT_TRUE(timer.enabled); // a silent module must still end the programming run

    for (int reply = 0; reply <= kFrames; ++reply)
        Deliver("OK*1");
    ASSERT_EQ(link.progState(), ProgState::psIdle);
    std::string payloads;
    for (std::size_t k = 2; k < port.writes.size(); ++k)
        payloads += port.writes[k].substr(2, port.writes[k].size() - 4);
    // The module gets the settings of the moment "Program settings" was pressed, not the memory
    // the read has put into the image.
    EXPECT_TRUE(payloads == std::string(pressed.bytes.begin(), pressed.bytes.begin() + kProgrammedBytes))
        << "the frames did not carry the image encoded when the run started";
}

TEST_F(ModuleLinkTest, ProgrammingRunEndingDuringAReadLeavesTheReadItsTimeOut)
{
    link.StartReading(QStringLiteral("COM1"));
    ProgramUpToLastReply("OK*1");
    Deliver("OK*1");
    ASSERT_EQ(link.progState(), ProgState::psIdle);
    EXPECT_EQ(link.readState(), ReadState::rsReading);
    EXPECT_TRUE(timer.enabled);
    link.Timer1Timer();
    EXPECT_EQ(list.lines.back(), kNoAnswer);
}

struct PinCase {
    const char* pin;
    bool programmed;
};

void PrintTo(const PinCase& c, std::ostream* out)
{
    *out << '"' << c.pin << '"';
}


class SimPinCheck : public ModuleLinkTest, public ::testing::WithParamInterface<PinCase> {};

TEST_P(SimPinCheck, OnlyAnEmptyOrFourCharacterPinIsProgrammed)
{
    SimPin(record).assign(GetParam().pin);
    link.StartProgramming(QStringLiteral("COM1"));
    EXPECT_EQ(!port.writes.empty(), GetParam().programmed);
    EXPECT_TRUE(controls.Idle() != GetParam().programmed);
    if (!GetParam().programmed) {
        EXPECT_EQ(list.lines,
                  QStringList{QString::fromUtf8(
                      "Programowanie wstrzymane: PIN karty SIM musi mieć 4 znaki albo być pusty.")});
    }
}

INSTANTIATE_TEST_SUITE_P(Pins, SimPinCheck,
                         ::testing::Values(PinCase{"", true}, PinCase{"1234", true},
                                           PinCase{"1", false}, PinCase{"123", false},
                                           PinCase{"12345", false}, PinCase{"1234567", false}));

struct FieldCase {
    const char* name;
    void (*set)(TSettingsRecord&);
    const char* namedField; // nullptr: programmed
};

void PrintTo(const FieldCase& c, std::ostream* out)
{
    *out << c.name;
}


class ImageRoundTripCheck : public ModuleLinkTest, public ::testing::WithParamInterface<FieldCase> {};

TEST_P(ImageRoundTripCheck, SettingsTheImageWouldChangeAreNotProgrammed)
{
    GetParam().set(record);
    link.StartProgramming(QStringLiteral("COM1"));
    if (GetParam().namedField == nullptr) {
        EXPECT_EQ(port.writes.size(), 1u);
        return;
    }
    EXPECT_TRUE(port.writes.empty());
    EXPECT_TRUE(controls.Idle());
    EXPECT_EQ(link.progState(), ProgState::psIdle);
    ASSERT_FALSE(list.lines.isEmpty());
    EXPECT_TRUE(list.lines.first().contains(QString::fromUtf8(GetParam().namedField))) << list.lines.first().toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Fields, ImageRoundTripCheck,
    ::testing::Values(
        FieldCase{"CentreOf14", [](TSettingsRecord& r) { SmsCentre(r).assign("+4860295111122"); }, nullptr},
        FieldCase{"CentreOf15BeforeAUser",
                  [](TSettingsRecord& r) { SmsCentre(r).assign("+48602951111223"); }, "numer centrum SMS"},
        FieldCase{"UserOf14BeforeAnEmptyUser",
                  [](TSettingsRecord& r) { UserNumber(r, 1).assign("+4860123456789"); }, "numer użytkownika 2"},
        FieldCase{"LastUserSpillsIntoAnEmptyText",
                  [](TSettingsRecord& r) {
                      UserNumber(r, 4).assign("+4860123456789");
                      InputText(r, 1, 1).assign("");
                  },
                  "tekst wejścia 1 (zbocze 1)"},
        FieldCase{"TextWithNul",
                  [](TSettingsRecord& r) { InputText(r, 4, 2).assign(std::string("ab\0cd", 5)); },
                  "tekst wejścia 4 (zbocze 2)"},
        FieldCase{"FullTextsSideBySide",
                  [](TSettingsRecord& r) {
                      SpecialText(r, 5, 1).assign(std::string(36, 'x'));
                      SpecialText(r, 6, 1).assign("y");
                  },
                  nullptr}),
    [](const ::testing::TestParamInfo<FieldCase>& info) { return std::string(info.param.name); });

} // namespace
} // namespace morvel
