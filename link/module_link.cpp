#include "link/module_link.h"

#include "link/info_list.h"
#include "link/link_texts.h"
#include "link/programming_checks.h"
#include "link/protocol.h"
#include "model/image_codec.h"

#include <algorithm>

namespace morvel {

namespace {

bool Holds(const std::string& text, std::string_view part)
{
    return text.find(part) != std::string::npos;
}

// An acknowledgement of a frame: a "*1" that does not stand at the very start of the text.
bool IsFrameAcknowledgement(const std::string& text)
{
    const std::size_t stop = text.find(protocol::kStop);
    return stop != std::string::npos && stop > 0;
}

QString Text(const char* utf8)
{
    return QString::fromUtf8(utf8);
}

} // namespace

ModuleLink::ModuleLink(LinkEnvironment environment, TSettingsRecord& record, TEepromImage& image)
    : env_(environment)
    , record_(record)
    , image_(image)
{
    dataPacket_.SetHandler([this](const std::string& text) { ComDataPacket2CustomStop(text); });
    env_.port.SetListener(this);
}

ModuleLink::~ModuleLink()
{
    env_.port.SetListener(nullptr);
}

int ModuleLink::Append(const QString& line)
{
    // A line dropped from the top moves the remembered progress line up with the rest.
    if (env_.infoList.LineCount() >= kInfoListMaxLines)
        --progressLine_;
    return AppendInfoLine(env_.infoList, line);
}

// A read-back and the other runs never share the port.
bool ModuleLink::RefusedDuringReadBack()
{
    if (!readingBack())
        return false;
    Append(Text(texts::kReadBackGoing));
    env_.hooks.RunEnded(RunEnd::Refused, Text(texts::kReadBackGoing));
    return true;
}

void ModuleLink::StartProgramming(const QString& portName)
{
    if (RefusedDuringReadBack())
        return;
    if (!env_.hooks.UserNumbersPass()) {
        Append(Text(texts::kUserNumberFormat));
        env_.hooks.RunEnded(RunEnd::Refused, Text(texts::kUserNumberFormat));
        return;
    }
    EnterBusy(env_.controls);
    env_.hooks.StoreControls();
    EncodeImage(record_, image_);

    const QStringList refusals = CheckSimPin(record_) + CheckImageRoundTrip(record_, image_);
    if (!refusals.isEmpty()) {
        for (const QString& line : refusals)
            Append(line);
        LeaveBusy(env_.controls);
        env_.hooks.RunEnded(RunEnd::Refused, refusals.first());
        return;
    }

    PortResult opened = env_.port.SetPortName(portName);
    if (opened.ok())
        opened = env_.port.Open();
    if (!opened.ok()) {
        RefuseProgramming(opened);
        return;
    }
    imageOffset_ = 0;
    // The frames carry this copy: a read that completes alongside the run refills the image.
    programmedImage_ = image_;
    const PortResult written = env_.port.Write(protocol::kStartProgramming);
    if (!written.ok()) {
        env_.port.Close();
        RefuseProgramming(written);
        return;
    }
    progState_ = ProgState::psStarting;
    env_.timer.Enable();
}

void ModuleLink::RefuseProgramming(const PortResult& failure)
{
    // Idle and not busy BEFORE the message box: the box waits for the operator.
    progState_ = ProgState::psIdle;
    LeaveBusy(env_.controls);
    env_.hooks.ShowError(failure.error, failure.hint);
    env_.hooks.RunEnded(RunEnd::Refused, failure.error);
}

void ModuleLink::StartReading(const QString& portName)
{
    if (!RefusedDuringReadBack())
        BeginReading(portName, ReadTarget::Editor);
}

void ModuleLink::StartReadBack(const QString& portName)
{
    if (RefusedDuringReadBack())
        return;
    if (runInProgress()) {
        Append(Text(texts::kReadBackRefused));
        env_.hooks.RunEnded(RunEnd::Refused, Text(texts::kReadBackRefused));
        return;
    }
    BeginReading(portName, ReadTarget::Caller);
}

void ModuleLink::BeginReading(const QString& portName, ReadTarget target)
{
    // "Read settings" starts on a freshly opened port. A read-back usually follows a run on the
    // port that run left open: it keeps the port and drops only what the driver still holds,
    // which spares a verification the time of reopening the device.
    if (target == ReadTarget::Caller && env_.port.IsOpen())
        env_.port.DiscardInput();
    else
        env_.port.Close();
    PortResult opened = env_.port.SetPortName(portName);
    if (opened.ok())
        opened = env_.port.Open();
    if (opened.ok()) {
        readBytes_.clear();
        // Bytes an earlier exchange left behind would shift the image.
        dataPacket_.Empty();
        const PortResult written = env_.port.Write(protocol::kReadMemory);
        if (written.ok()) {
            readState_ = ReadState::rsReading;
            readTarget_ = target;
            env_.timer.Enable();
            return;
        }
        env_.port.Close();
        opened = written;
    }
    readState_ = ReadState::rsIdle;
    if (progState_ == ProgState::psIdle)
        env_.timer.Disable();
    env_.hooks.ShowError(opened.error, opened.hint);
    env_.hooks.RunEnded(RunEnd::Refused, opened.error);
}

void ModuleLink::Timer1Timer()
{
    // A verification tells a module that fell silent part-way from one that never answered.
    const QString why = readingBack() && !readBytes_.empty()
                            ? Text(texts::kReadBackIncomplete).arg(readBytes_.size())
                            : Text(texts::kNoAnswer);
    Append(Text(texts::kNoAnswer));
    env_.timer.Disable();
    progState_ = ProgState::psIdle;
    readState_ = ReadState::rsIdle;
    LeaveBusy(env_.controls);
    env_.hooks.RunEnded(RunEnd::TimedOut, why);
}

void ModuleLink::OnReception(std::string_view bytes)
{
    dataPacket_.HandleReception(bytes);
}

void ModuleLink::OnPortLost(const QString& error)
{
    if (runInProgress())
        EndRunsAfterFailure(error);
}

void ModuleLink::ComDataPacket2CustomStop(const std::string& text)
{
    if (progState_ == ProgState::psStarting) {
        HandleStartingReply(text);
        if (progState_ != ProgState::psStarting)
            return;
    }
    if (HandleProgrammingReply(text))
        return;
    if (readState_ == ReadState::rsReading)
        HandleReadingReply(text);
}

void ModuleLink::HandleStartingReply(const std::string& text)
{
    // Added on every call in this state, so a reply in pieces adds them again and the progress
    // goes into the newest "postęp: " line.
    Append(Text(texts::kProgrammingStarted));
    progressLine_ = Append(Text(texts::kProgressStart));
    progressBar_.clear();
    if (Holds(text, protocol::kOk)) {
        progState_ = ProgState::psSending;
        frameCount_ = 0;
        SendFrame(protocol::kFirstFrameSize);
    }
}

bool ModuleLink::HandleProgrammingReply(const std::string& text)
{
    if (progState_ == ProgState::psSending && IsFrameAcknowledgement(text)) {
        AcknowledgeFrame();
        return true;
    }
    if (progState_ == ProgState::psFinishing && Holds(text, protocol::kOk)) {
        progState_ = ProgState::psIdle;
        Append(Text(texts::kProgrammingDone));
        LeaveBusy(env_.controls);
        StopTimeOutUnlessRunning();
        env_.hooks.RunEnded(RunEnd::ProgrammingDone, {});
        return true;
    }
    if (progState_ == ProgState::psFinishing && Holds(text, protocol::kStop)) {
        // The module wants the closing command before it confirms; the time-out runs on.
        const PortResult written = env_.port.Write(protocol::kFinishProgramming);
        if (!written.ok())
            EndRunsAfterFailure(written.error);
        return true;
    }
    return false;
}

void ModuleLink::AcknowledgeFrame()
{
    env_.timer.Disable();
    if (!SendFrame(protocol::kNextFrameSize))
        return;
    ++frameCount_;
    progressBar_ += Text(texts::kProgressStep);
    const int percent = frameCount_ * 100 / protocol::kAcknowledgedFrames;
    if (progressLine_ >= 0 && progressLine_ < env_.infoList.LineCount())
        env_.infoList.ReplaceLine(progressLine_, Text(texts::kProgress) + QString::number(percent)
                                                     + Text(texts::kProgressPercent) + progressBar_);
    if (imageOffset_ > protocol::kLastFrameThreshold)
        progState_ = ProgState::psFinishing;
}

bool ModuleLink::SendFrame(int n)
{
    const int payload = n - protocol::kFramePayloadShortfall;
    std::string frame;
    frame.reserve(static_cast<std::size_t>(n));
    frame.append(protocol::kFrameStart);
    const auto first = programmedImage_.bytes.begin() + imageOffset_;
    frame.append(first, first + payload);
    imageOffset_ += payload;
    frame.append(protocol::kStop);

    const PortResult written = env_.port.Write(frame);
    if (!written.ok()) {
        EndRunsAfterFailure(written.error);
        return false;
    }
    env_.timer.Enable();
    return true;
}

void ModuleLink::HandleReadingReply(const std::string& text)
{
    const std::size_t gatheredBefore = readBytes_.size();
    for (const char byte : text)
        AddReadByte(byte);
    // A "*1" among the leading byte and the memory is data; the reply ends at the first "*1"
    // after them, wherever the receptions split it.
    const std::size_t searchFrom =
        std::max(protocol::kReadReplyMinimum, gatheredBefore > 0 ? gatheredBefore - 1 : 0);
    if (readBytes_.size() >= searchFrom
        && readBytes_.find(protocol::kStop, searchFrom) != std::string::npos) {
        FinishRead();
        return;
    }
    // Gathered: the next call must see only bytes that arrive later.
    dataPacket_.Empty();
}

void ModuleLink::AddReadByte(char byte)
{
    readBytes_.push_back(byte);
}

void ModuleLink::TakeReadImage(TEepromImage& target)
{
    target.bytes.fill(0);
    const auto first = readBytes_.begin() + protocol::kReadLeadingBytes;
    std::transform(first, first + protocol::kReadImageBytes, target.bytes.begin(),
                   [](char byte) { return static_cast<std::uint8_t>(byte); });
    readBytes_.clear();
}

void ModuleLink::FinishRead()
{
    if (readTarget_ == ReadTarget::Caller) {
        // Nothing of the shared record, image or controls is touched: the caller compares.
        TakeReadImage(readBackImage_);
        readState_ = ReadState::rsIdle;
        StopTimeOutUnlessRunning();
        env_.hooks.RunEnded(RunEnd::ReadBackDone, {});
        return;
    }
    TakeReadImage(image_);
    readState_ = ReadState::rsIdle;
    DecodeImage(image_, record_);
    env_.hooks.LoadControls();
    Append(Text(texts::kReadDone));
    StopTimeOutUnlessRunning();
    env_.hooks.RunEnded(RunEnd::ReadDone, {});
}

void ModuleLink::StopTimeOutUnlessRunning()
{
    // Both runs share the one time-out: a run that ends must not take it from the other.
    if (!runInProgress())
        env_.timer.Disable();
}

void ModuleLink::EndRunsAfterFailure(const QString& error)
{
    // A programming run cut short leaves the module with part of the new settings.
    const QString hint = Text(progState_ != ProgState::psIdle ? texts::kHintLostProgramming : texts::kHintLostReading);
    progState_ = ProgState::psIdle;
    readState_ = ReadState::rsIdle;
    env_.timer.Disable();
    Append(Text(texts::kLinkBroken).arg(error));
    env_.port.Close();
    LeaveBusy(env_.controls);
    env_.hooks.ShowLinkLost(error, hint);
    env_.hooks.RunEnded(RunEnd::LinkBroken, error);
}

} // namespace morvel
