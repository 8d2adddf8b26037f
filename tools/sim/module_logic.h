#pragma once

#include "module_options.h"

#include <array>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace morvel::sim {

inline constexpr std::size_t kMemorySize = 2048;
using ModuleMemory = std::array<std::uint8_t, kMemorySize>;

// What the module has seen so far.
struct ModuleCounters {
    int programmingStarts = 0;
    int framesReceived = 0;
    int finishCommands = 0;  // "*5*1"
    int programmingsDone = 0;
    int readsAnswered = 0;
};

// The module's side of the protocol, without any I/O: bytes in, replies out.
//
// "*2*1" starts programming: 27 frames follow, the first of 29 bytes and the others of 49
// ("*0", payload, "*1"), whose payloads become memory bytes 0 to 1194. The module knows each
// frame's length, so "*1" inside a payload does no harm. "*3*1" is answered with one byte, the
// first 1700 memory bytes and "*1".
class ModuleLogic {
public:
    using Clock = std::chrono::steady_clock;

    // `corruptOffset`: the memory byte programming stores wrongly (ModuleOptions), -1 none.
    explicit ModuleLogic(std::string acknowledgement = "OK*1", long corruptOffset = -1);

    // Takes received bytes; returns the replies to send, in order.
    std::vector<std::string> Receive(std::string_view bytes, Clock::time_point now = Clock::now());

    const ModuleMemory& memory() const { return memory_; }
    void SetMemory(const ModuleMemory& memory) { memory_ = memory; }
    const ModuleCounters& counters() const { return counters_; }

private:
    enum class State { Commands, Frames, AwaitingFinish };

    std::vector<std::string> TakeCommands();
    std::vector<std::string> TakeFrames();

    std::string acknowledgement_;
    long corruptOffset_;
    ModuleMemory memory_{};
    ModuleCounters counters_;
    State state_ = State::Commands;
    std::string input_;
    int framesTaken_ = 0;
    std::size_t writeOffset_ = 0;
    Clock::time_point lastInput_{};
};

} // namespace morvel::sim
