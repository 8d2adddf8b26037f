#pragma once

#include <chrono>
#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace morvel {

enum class WireDirection { ToModule, FromModule };
enum class SecretCodes { Masked, Shown };

// Follows the bytes in both directions the way the module reads them and replaces the image
// bytes of the SIM PIN and the SMS access code with '*': in the frames of a programming run
// and in the reply to a read. Bytes may come in pieces of any size.
class SecretCodeMask {
public:
    std::string Mask(WireDirection direction, std::string_view bytes);

private:
    char ToModule(char byte);
    char FromModule(char byte);

    std::size_t imageOffset_ = 0;  // image byte of the next payload byte
    std::size_t payloadLeft_ = 0;  // payload bytes still to come in the current frame
    std::string recent_;           // the last bytes outside a frame, to spot a command
    std::optional<std::size_t> replyPosition_; // position in a read reply, while one comes
};

// Bytes for a log line: printable ASCII as it is, any other byte (and '<') as hex in angle
// brackets: "*0<FF FF 05>abc*1".
std::string PrintableBytes(std::string_view bytes);

// One line per write and per reception, with the time since the trace began:
// "     12.4 ms  send  *2*1". The side says whose trace it is, and so which way is "send".
class WireTrace {
public:
    using Sink = std::function<void(const std::string& line)>;
    enum class Side { Tool, Module };

    WireTrace(Sink sink, Side side, SecretCodes codes);

    void Record(WireDirection direction, std::string_view bytes);
    // A line about the link itself (a failed write, a lost port).
    void Note(std::string_view text);

private:
    std::string Stamp() const;

    Sink sink_;
    Side side_;
    SecretCodes codes_;
    SecretCodeMask mask_;
    std::chrono::steady_clock::time_point start_;
};

} // namespace morvel
