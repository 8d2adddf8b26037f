#include "link_rig.h"

#include "fuzz_require.h"

#include "model/defaults.h"
#include "model/image_codec.h"
#include "model/record_fields.h"

#include <algorithm>

namespace morvel::fuzz {

namespace {

// Restated rather than taken from the link: a change to the wire must break the properties.
constexpr std::string_view kStart = "*2*1";
constexpr std::string_view kRead = "*3*1";
constexpr std::string_view kFinish = "*5*1";
constexpr std::string_view kStop = "*1";
constexpr std::size_t kFirstFrameBytes = 29;
constexpr std::size_t kFrameBytes = 49;
constexpr std::size_t kFrameOverhead = 4; // "*0" and "*1"
constexpr std::size_t kProgrammedBytes = 1195;
constexpr std::size_t kReadLeadingBytes = 1;
constexpr std::size_t kReadImageBytes = 1700;
constexpr std::size_t kReadMinimum = kReadLeadingBytes + kReadImageBytes;
constexpr int kMaxInfoLines = 7;

const QString kPort = QStringLiteral("COM1");
const QString kOtherPort = QStringLiteral("COM2");
const QString kOpenError = QStringLiteral("Unable to open com port (win error code: 2)");
const QString kLostError = QStringLiteral("Com port lost (win error code: 5)");

void SampleSettings(TSettingsRecord& record)
{
    ApplyDefaults(record);
    SmsCentre(record).assign("+48602951111");
    UserNumber(record, 1).assign("+48601234567");
    UserNumber(record, 3).assign("+4912345");
    InputText(record, 2, 1).assign("Drzwi otwarte");
    SpecialText(record, 3, 2).assign("HIJACK");
    SimPin(record).assign("1234");
}

std::string BuildReadReply()
{
    TSettingsRecord settings;
    ApplyDefaults(settings);
    SmsCentre(settings).assign("+48501200200");
    UserNumber(settings, 2).assign("+48700800900");
    InputText(settings, 5, 2).assign("Alarm *1 w garazu");
    TEepromImage memory;
    EncodeImage(settings, memory);
    memory.bytes[kReadImageBytes - 2] = '*';
    memory.bytes[kReadImageBytes - 1] = '1';
    std::string reply(kReadLeadingBytes, 'L');
    reply.append(memory.bytes.begin(), memory.bytes.begin() + kReadImageBytes);
    reply.append(kStop);
    return reply;
}

bool IsProgressLine(const QString& line)
{
    return line.startsWith(QString::fromUtf8("postęp: ")) || line.startsWith(QString::fromUtf8("Postęp: "));
}

} // namespace

PortResult GlitchingPort::Write(std::string_view bytes)
{
    PortResult result = FakePort::Write(bytes);
    if (!result.ok())
        failWriteNumber = 0;
    return result;
}

const std::string& ModuleReadReply()
{
    static const std::string reply = BuildReadReply();
    return reply;
}

LinkRig::LinkRig()
    : link_(LinkEnvironment{list_, controls_, timer_, port_, hooks_}, record_, image_)
{
    SampleSettings(record_);
}

void LinkRig::PressProgram(bool numbersFail, bool otherPort, bool openFails)
{
    if (!controls_.programEnabled)
        return;
    const Before before = Snapshot(0, kStart);
    hooks_.numbersPass = !numbersFail;
    port_.openError = openFails ? kOpenError : QString();
    // The rig's store pass leaves the record as it is, so this is what the run must send.
    EncodeImage(record_, pressedImage_);
    link_.StartProgramming(otherPort ? kOtherPort : kPort);
    hooks_.numbersPass = true;
    port_.openError.clear();
    Check(before);
}

void LinkRig::PressRead(bool otherPort, bool openFails)
{
    if (!controls_.readEnabled)
        return;
    const Before before = Snapshot(0, kRead);
    port_.openError = openFails ? kOpenError : QString();
    link_.StartReading(otherPort ? kOtherPort : kPort);
    port_.openError.clear();
    if (link_.readState() == ReadState::rsReading) {
        readStream_.clear();
        readAlone_ = link_.progState() == ProgState::psIdle;
        replySent_ = 0;
    }
    Check(before);
}

void LinkRig::Receive(std::string_view bytes)
{
    if (bytes.empty() || !port_.IsOpen())
        return;
    const Before before = Snapshot(bytes.size(), {});
    if (link_.readState() == ReadState::rsReading)
        readStream_.append(bytes);
    port_.Deliver(bytes);
    Check(before);
}

void LinkRig::ReceiveReadReply(std::size_t count)
{
    const std::string& reply = ModuleReadReply();
    const std::string_view next = std::string_view(reply).substr(std::min(replySent_, reply.size()), count);
    replySent_ += next.size();
    Receive(next);
}

void LinkRig::TimeOut()
{
    if (!timer_.enabled)
        return;
    const Before before = Snapshot(0, {});
    link_.Timer1Timer();
    Check(before);
}

void LinkRig::LosePort()
{
    if (!port_.IsOpen())
        return;
    const Before before = Snapshot(0, {});
    link_.OnPortLost(kLostError);
    port_.Close(); // a lost port closes itself
    Check(before);
}

void LinkRig::FailWrite(int writesBefore)
{
    port_.failWriteNumber = int(port_.writes.size()) + 1 + writesBefore;
}

LinkRig::Before LinkRig::Snapshot(std::size_t receiving, std::string_view command) const
{
    Before before;
    before.record = record_;
    before.runInProgress = link_.runInProgress();
    before.loads = hooks_.loads;
    before.ends = hooks_.ends.size();
    before.writes = port_.writes.size();
    before.command = command;
    before.mostGatherable = link_.readBytes().size() + link_.dataPacket().Buffer().size() + receiving;
    return before;
}

void LinkRig::Check(const Before& before)
{
    CheckInformationList();
    CheckBusyState();
    CheckWrites(before);
    CheckRecord(before);
    CheckTimer(before);
    if (link_.readState() == ReadState::rsReading && link_.progState() != ProgState::psIdle)
        readAlone_ = false;
}

void LinkRig::CheckInformationList() const
{
    FuzzRequire(list_.LineCount() <= kMaxInfoLines, "the information list holds at most 7 lines");
    if (link_.progState() != ProgState::psSending)
        return;
    const int line = link_.progressLine();
    FuzzRequire(line >= 0 && line < list_.LineCount(),
                "while a programming run sends, the progress line index points inside the list");
    FuzzRequire(IsProgressLine(list_.lines[line]), "the remembered progress line is the progress line");
}

void LinkRig::CheckBusyState() const
{
    const bool programming = link_.progState() != ProgState::psIdle;
    FuzzRequire(controls_.programEnabled == !programming && controls_.readEnabled == !programming,
                "both buttons are enabled exactly when no programming run is going");
    FuzzRequire(controls_.busy == programming, "the busy cursor is on exactly while a programming run is going");
}

void LinkRig::CheckWrites(const Before& before)
{
    for (std::size_t i = before.writes; i < port_.writes.size(); ++i) {
        const std::string& written = port_.writes[i];
        if (written == kStart || written == kRead) {
            FuzzRequire(written == before.command, "a command goes out only from its own button");
            if (written == kStart) {
                programmedImage_ = pressedImage_;
                framesExpected_ = true;
                nextFrameOffset_ = 0;
            }
            continue;
        }
        if (written == kFinish) {
            FuzzRequire(framesExpected_ && nextFrameOffset_ == kProgrammedBytes,
                        "\"*5*1\" goes out only after the last frame");
            continue;
        }
        FuzzRequire(framesExpected_, "a data frame goes out only during a programming run");
        const std::size_t size = nextFrameOffset_ == 0 ? kFirstFrameBytes : kFrameBytes;
        const std::size_t payload = size - kFrameOverhead;
        FuzzRequire(nextFrameOffset_ + payload <= kProgrammedBytes, "no frame goes past image byte 1194");
        FuzzRequire(written.size() == size, "the first frame is 29 bytes long, every later one 49");
        std::string expected = "*0";
        expected.append(programmedImage_.bytes.begin() + std::ptrdiff_t(nextFrameOffset_),
                        programmedImage_.bytes.begin() + std::ptrdiff_t(nextFrameOffset_ + payload));
        expected.append(kStop);
        FuzzRequire(written == expected,
                    "each frame is \"*0\", the next slice of the image being programmed, \"*1\"");
        nextFrameOffset_ += payload;
    }
    if (link_.progState() == ProgState::psIdle)
        framesExpected_ = false;

    FuzzRequire(link_.imageOffset() >= 0 && link_.imageOffset() <= int(kProgrammedBytes),
                "ImageOffset stays within 0 to 1195");
    if (link_.progState() == ProgState::psSending || link_.progState() == ProgState::psFinishing)
        FuzzRequire(std::size_t(link_.imageOffset()) == nextFrameOffset_,
                    "ImageOffset is the number of image bytes the frames have carried");
}

void LinkRig::CheckRecord(const Before& before) const
{
    const int completions = hooks_.loads - before.loads;
    FuzzRequire(completions <= 1, "an event completes at most one reading run");
    if (completions == 0) {
        FuzzRequire(record_ == before.record, "the record changes only when a reading run completes");
        if (readAlone_ && link_.readState() == ReadState::rsReading)
            FuzzRequire(!ReplyComplete(), "a reading run completes as soon as its reply is complete");
        return;
    }
    FuzzRequire(link_.readState() == ReadState::rsIdle, "a completed reading run is idle");
    FuzzRequire(before.mostGatherable >= kReadMinimum,
                "a reading run completes only with at least 1701 gathered bytes");
    FuzzRequire(std::all_of(image_.bytes.begin() + kReadImageBytes, image_.bytes.end(),
                            [](std::uint8_t byte) { return byte == 0; }),
                "a read leaves image bytes 1700 to 2047 zero");
    TSettingsRecord expected = before.record;
    DecodeImage(image_, expected);
    FuzzRequire(record_ == expected, "a completed read decodes the gathered image onto the record as it was");
    if (readAlone_) {
        FuzzRequire(ReplyComplete(), "a reading run completes only once its reply is complete");
        FuzzRequire(std::equal(image_.bytes.begin(), image_.bytes.begin() + kReadImageBytes,
                               readStream_.begin() + kReadLeadingBytes,
                               [](std::uint8_t byte, char received) { return byte == std::uint8_t(received); }),
                    "image bytes 0 to 1699 are the received bytes after the leading one");
    }
}

void LinkRig::CheckTimer(const Before& before) const
{
    FuzzRequire(timer_.enabled == link_.runInProgress(), "the time-out runs exactly while a run is going");
    if (before.runInProgress && !link_.runInProgress())
        FuzzRequire(hooks_.ends.size() > before.ends, "a run that ends tells its owner");
}

bool LinkRig::ReplyComplete() const
{
    return readStream_.size() >= kReadMinimum + kStop.size() && readStream_.find(kStop, kReadMinimum) != std::string::npos;
}

} // namespace morvel::fuzz
