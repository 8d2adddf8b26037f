#pragma once

#include <chrono>
#include <cstddef>
#include <string_view>

// What travels between the tool and the module, and how long the tool waits for it.
namespace morvel::protocol {

// Commands, ASCII without a line terminator.
inline constexpr std::string_view kStartProgramming = "*2*1";
inline constexpr std::string_view kReadMemory = "*3*1";
inline constexpr std::string_view kFinishProgramming = "*5*1"; // when the last reply lacks "OK*1"

// A data frame is kFrameStart, a run of image bytes, kStop.
inline constexpr std::string_view kFrameStart = "*0";
inline constexpr std::string_view kStop = "*1";      // ends every frame and every reply
inline constexpr std::string_view kOk = "OK*1";      // positive reply

// Frame sizes as SendFrame counts them: a frame of size n carries n - 5 image bytes and puts
// n - 1 bytes on the wire (25 and 29 for the first frame, 45 and 49 for the others).
inline constexpr int kFirstFrameSize = 30;
inline constexpr int kNextFrameSize = 50;
inline constexpr int kFramePayloadShortfall = 5;
// Once ImageOffset has passed this, the last frame (image bytes up to 1194) has gone out.
inline constexpr int kLastFrameThreshold = 1153;
// Acknowledgements that move the run on: one per frame but the last, whose reply ends the run.
inline constexpr int kAcknowledgedFrames = 26;
inline constexpr int kFrames = kAcknowledgedFrames + 1;
// Image bytes a programming run writes, from byte 0: 1195, up to byte 1194.
inline constexpr std::size_t kProgrammedImageBytes =
    std::size_t(kFirstFrameSize - kFramePayloadShortfall)
    + std::size_t(kAcknowledgedFrames) * std::size_t(kNextFrameSize - kFramePayloadShortfall);

// A read reply: one leading byte, then the module's memory, then "*1".
inline constexpr std::size_t kReadLeadingBytes = 1;
inline constexpr std::size_t kReadImageBytes = 1700;
inline constexpr std::size_t kReadReplyMinimum = kReadLeadingBytes + kReadImageBytes;

// A run ends when the module stays silent this long after the time-out was (re)started.
inline constexpr std::chrono::milliseconds kReplyTimeout{6000};

} // namespace morvel::protocol
