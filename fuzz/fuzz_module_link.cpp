// Drives the module link with a sequence of events decoded from the input: the two buttons, the
// module's replies (raw bytes, pieces of "OK*1" and its kin, the read reply in slices), the
// time-out, a lost port and failed writes. After every event the rig checks the link's
// properties and aborts on the first one broken.
#include "link_rig.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace {

// Replies and pieces of them that a module, a cable or an echo puts on the line.
constexpr std::array<std::string_view, 9> kTokens = {"OK*1", "*1", "*5*1", "OK", "*", "1", "K*1", "A*1", "*2*1"};
constexpr std::size_t kMostRepeats = 4;
constexpr std::size_t kReadSliceUnit = 8;
constexpr int kMostWritesBeforeFailure = 4;

enum class Event : std::uint8_t {
    PressProgram,
    PressRead,
    ReceiveBytes,
    ReceiveToken,
    ReceiveReadReply,
    TimeOut,
    LosePort,
    FailWrite,
    Count,
};

// Reads the input front to back; past its end every byte reads as 0.
class InputReader {
public:
    InputReader(const std::uint8_t* data, std::size_t size)
        : data_(data)
        , size_(size)
    {
    }
    bool AtEnd() const { return at_ >= size_; }
    std::uint8_t Byte() { return AtEnd() ? 0 : data_[at_++]; }
    bool Bit(std::uint8_t flags, int bit) const { return (flags >> bit) & 1; }
    std::string_view Bytes(std::size_t count)
    {
        const std::size_t taken = std::min(count, size_ - std::min(at_, size_));
        const std::string_view bytes(reinterpret_cast<const char*>(data_) + at_, taken);
        at_ += taken;
        return bytes;
    }

private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t at_ = 0;
};

// One token, repeated, then cut to a piece: "OK*1" may come as "OK", "K*1" or "OK*1OK*1".
std::string TokenPiece(InputReader& input)
{
    const std::uint8_t choice = input.Byte();
    const std::uint8_t cut = input.Byte();
    const std::string_view token = kTokens[choice % kTokens.size()];
    const std::size_t repeats = 1 + (choice / kTokens.size()) % kMostRepeats;
    std::string text;
    for (std::size_t i = 0; i < repeats; ++i)
        text.append(token);
    const std::size_t from = (cut & 0x0F) % text.size();
    const std::size_t length = cut >> 4;
    return length == 0 ? text.substr(from) : text.substr(from, length);
}

void RunEvent(morvel::fuzz::LinkRig& rig, InputReader& input)
{
    const auto event = Event(input.Byte() % std::uint8_t(Event::Count));
    switch (event) {
    case Event::PressProgram: {
        const std::uint8_t flags = input.Byte();
        rig.PressProgram(input.Bit(flags, 0), input.Bit(flags, 1), input.Bit(flags, 2));
        break;
    }
    case Event::PressRead: {
        const std::uint8_t flags = input.Byte();
        rig.PressRead(input.Bit(flags, 0), input.Bit(flags, 1));
        break;
    }
    case Event::ReceiveBytes:
        rig.Receive(input.Bytes(std::size_t(input.Byte()) + 1));
        break;
    case Event::ReceiveToken:
        rig.Receive(TokenPiece(input));
        break;
    case Event::ReceiveReadReply:
        rig.ReceiveReadReply((std::size_t(input.Byte()) + 1) * kReadSliceUnit);
        break;
    case Event::TimeOut:
        rig.TimeOut();
        break;
    case Event::LosePort:
        rig.LosePort();
        break;
    case Event::FailWrite:
        rig.FailWrite(input.Byte() % kMostWritesBeforeFailure);
        break;
    case Event::Count:
        break;
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    morvel::fuzz::LinkRig rig;
    InputReader input(data, size);
    while (!input.AtEnd())
        RunEvent(rig, input);
    return 0;
}
