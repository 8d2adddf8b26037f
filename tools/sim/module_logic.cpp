#include "module_logic.h"

#include <algorithm>

namespace morvel::sim {

namespace {

constexpr std::string_view kStartProgramming = "*2*1";
constexpr std::string_view kReadMemory = "*3*1";
constexpr std::string_view kFinish = "*5*1";
constexpr std::string_view kOk = "OK*1";
constexpr std::string_view kStop = "*1";
constexpr std::string_view kFrameStart = "*0";
constexpr std::size_t kCommandSize = 4;
constexpr std::size_t kFirstFrameBytes = 29;
constexpr std::size_t kFrameBytes = 49;
constexpr std::size_t kFrameOverhead = 4; // "*0" and "*1"
constexpr int kFrames = 27;
constexpr std::size_t kReadBytes = 1700;
constexpr char kReadLeadingByte = '>';
constexpr std::uint8_t kCorruptedBit = 0x01;
// A module half-way through a frame that hears nothing more of it for this long gives the frame
// up (the tool sends each frame whole), so a tool that timed out can start afresh.
constexpr auto kAbandonedTransfer = std::chrono::seconds(1);

} // namespace

ModuleLogic::ModuleLogic(std::string acknowledgement, long corruptOffset)
    : acknowledgement_(std::move(acknowledgement))
    , corruptOffset_(corruptOffset)
{
}

std::vector<std::string> ModuleLogic::Receive(std::string_view bytes, Clock::time_point now)
{
    if (state_ == State::Frames && !input_.empty() && now - lastInput_ > kAbandonedTransfer) {
        state_ = State::Commands;
        input_.clear();
    }
    lastInput_ = now;
    input_.append(bytes);

    std::vector<std::string> replies;
    for (;;) {
        // Every frame begins with "*0": anything else where a frame should start is a tool that
        // gave up the run and starts afresh with a command.
        if (state_ == State::Frames && input_.size() >= kFrameStart.size() && !input_.starts_with(kFrameStart))
            state_ = State::Commands;
        const std::size_t unread = input_.size();
        std::vector<std::string> more = state_ == State::Frames ? TakeFrames() : TakeCommands();
        replies.insert(replies.end(), more.begin(), more.end());
        if (input_.size() == unread)
            break; // nothing more can be taken until further bytes arrive
    }
    return replies;
}

std::vector<std::string> ModuleLogic::TakeCommands()
{
    const std::size_t stop = input_.find(kStop);
    if (stop == std::string::npos || stop < 2) {
        if (stop != std::string::npos)
            input_.erase(0, stop + kStop.size()); // a lone "*1": nothing to answer
        else if (input_.size() >= kCommandSize)
            input_.erase(0, input_.size() - (kCommandSize - 1));
        return {};
    }
    const std::string command = input_.substr(stop - 2, kCommandSize);
    input_.erase(0, stop + kStop.size());

    if (command == kStartProgramming) {
        ++counters_.programmingStarts;
        state_ = State::Frames;
        framesTaken_ = 0;
        writeOffset_ = 0;
        return {std::string(kOk)};
    }
    if (command == kReadMemory) {
        ++counters_.readsAnswered;
        std::string reply(1, kReadLeadingByte);
        reply.append(memory_.begin(), memory_.begin() + kReadBytes);
        reply.append(kStop);
        return {reply};
    }
    if (command == kFinish) {
        ++counters_.finishCommands;
        if (state_ == State::AwaitingFinish) {
            ++counters_.programmingsDone;
            state_ = State::Commands;
        }
        return {std::string(kOk)};
    }
    return {};
}

std::vector<std::string> ModuleLogic::TakeFrames()
{
    const std::size_t size = framesTaken_ == 0 ? kFirstFrameBytes : kFrameBytes;
    if (input_.size() < size)
        return {};
    const std::string frame = input_.substr(0, size);
    input_.erase(0, size);
    const std::size_t payload = size - kFrameOverhead;
    const std::size_t room = std::min(payload, kMemorySize - writeOffset_);
    std::copy_n(frame.begin() + 2, room, memory_.begin() + std::ptrdiff_t(writeOffset_));
    if (corruptOffset_ >= long(writeOffset_) && corruptOffset_ < long(writeOffset_ + room))
        memory_[std::size_t(corruptOffset_)] ^= kCorruptedBit;
    writeOffset_ += room;
    ++framesTaken_;
    ++counters_.framesReceived;
    if (framesTaken_ < kFrames)
        return {acknowledgement_};

    if (acknowledgement_.find(kOk) != std::string::npos) {
        ++counters_.programmingsDone;
        state_ = State::Commands;
    } else {
        state_ = State::AwaitingFinish;
    }
    return {acknowledgement_};
}

} // namespace morvel::sim
