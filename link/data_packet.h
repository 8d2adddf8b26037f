#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

namespace morvel {

// The packet framer between the serial port and the reply handler.
//
// It keeps one buffer of received bytes. Each reception is appended and the handler sees the
// WHOLE buffer, not only the new bytes. After every call the framer looks at the buffer again:
//   - if the handler emptied a non-empty buffer during the call, it calls once more with "";
//   - otherwise, if the buffer holds the stop string "*1", it cuts everything up to and including
//     the first one and calls once more with what is left (which may be "");
//   - otherwise it waits for the next reception.
// When a reception has been dealt with, a buffer of kMaxBufferSize bytes or more is discarded.
// The buffer is independent of the port: bytes after the last "*1" survive a close and reopen.
//
// Plain C++, single-threaded. The handler may call Empty(); it must not feed a new reception
// from inside a call (the port layer delivers receptions one at a time).
class DataPacket {
public:
    using Handler = std::function<void(const std::string& text)>;

    static constexpr std::string_view kStopString = "*1";
    static constexpr std::size_t kMaxBufferSize = 1024;

    explicit DataPacket(Handler handler = {});

    void SetHandler(Handler handler);

    // Appends the bytes and runs the handler calls the rules above ask for.
    void HandleReception(std::string_view bytes);

    // Discards everything the buffer holds.
    void Empty();

    const std::string& Buffer() const { return buffer_; }

private:
    void CallHandler();

    Handler handler_;
    std::string buffer_;
    bool emptiedDuringCall_ = false;
};

} // namespace morvel
