#include "link/wire_trace.h"

#include "link/protocol.h"
#include "model/field_catalogue.h"
#include "model/image_offsets.h"

#include <array>
#include <cstdio>

namespace morvel {

namespace {

constexpr std::size_t kRecentBytes = 4; // the longest command
constexpr char kMaskByte = '*';
constexpr char kFirstPrintable = 0x20;
constexpr char kLastPrintable = 0x7E;
constexpr char kHexOpen = '<';
constexpr char kHexClose = '>';

// The image bytes of the two codes, as the field catalogue places them. The PIN's bytes are a
// quote, its characters, a quote and a NUL: only the characters are secret.
const std::array<ImageBytes, 2>& SecretImageBytes()
{
    static const std::array<ImageBytes, 2> secret = [] {
        const ImageBytes access = FindField("SmsAccessCode")->image.front();
        const ImageBytes pin = FindField("SimPin")->image.front();
        return std::array<ImageBytes, 2>{access, ImageBytes{pin.offset + 1, image_offset::kSimPinCharacters}};
    }();
    return secret;
}

bool IsSecretImageByte(std::size_t offset)
{
    for (const ImageBytes& run : SecretImageBytes()) {
        if (offset >= run.offset && offset < run.offset + run.size)
            return true;
    }
    return false;
}

bool IsPrintable(char byte)
{
    return byte >= kFirstPrintable && byte <= kLastPrintable && byte != kHexOpen;
}

constexpr std::size_t Payload(int frameSize)
{
    return std::size_t(frameSize - protocol::kFramePayloadShortfall);
}

} // namespace

std::string SecretCodeMask::Mask(WireDirection direction, std::string_view bytes)
{
    std::string masked;
    masked.reserve(bytes.size());
    for (const char byte : bytes)
        masked.push_back(direction == WireDirection::ToModule ? ToModule(byte) : FromModule(byte));
    return masked;
}

char SecretCodeMask::ToModule(char byte)
{
    if (payloadLeft_ > 0) {
        --payloadLeft_;
        return IsSecretImageByte(imageOffset_++) ? kMaskByte : byte;
    }
    recent_.push_back(byte);
    if (recent_.size() > kRecentBytes)
        recent_.erase(0, recent_.size() - kRecentBytes);
    const std::string_view recent = recent_;
    if (recent.ends_with(protocol::kStartProgramming)) {
        imageOffset_ = 0;
        replyPosition_.reset();
    } else if (recent.ends_with(protocol::kReadMemory)) {
        replyPosition_ = 0;
    } else if (recent.ends_with(protocol::kFrameStart)) {
        payloadLeft_ = imageOffset_ == 0 ? Payload(protocol::kFirstFrameSize) : Payload(protocol::kNextFrameSize);
        recent_.clear();
    }
    return byte;
}

char SecretCodeMask::FromModule(char byte)
{
    if (!replyPosition_)
        return byte;
    const std::size_t position = (*replyPosition_)++;
    if (*replyPosition_ >= protocol::kReadReplyMinimum)
        replyPosition_.reset();
    if (position < protocol::kReadLeadingBytes)
        return byte;
    return IsSecretImageByte(position - protocol::kReadLeadingBytes) ? kMaskByte : byte;
}

std::string PrintableBytes(std::string_view bytes)
{
    static constexpr char kHexDigits[] = "0123456789ABCDEF";
    std::string text;
    bool inHex = false;
    for (const char byte : bytes) {
        if (IsPrintable(byte)) {
            if (inHex)
                text.push_back(kHexClose);
            inHex = false;
            text.push_back(byte);
            continue;
        }
        text.push_back(inHex ? ' ' : kHexOpen);
        inHex = true;
        const auto value = static_cast<unsigned char>(byte);
        text.push_back(kHexDigits[value >> 4]);
        text.push_back(kHexDigits[value & 0x0F]);
    }
    if (inHex)
        text.push_back(kHexClose);
    return text;
}

WireTrace::WireTrace(Sink sink, Side side, SecretCodes codes)
    : sink_(std::move(sink))
    , side_(side)
    , codes_(codes)
    , start_(std::chrono::steady_clock::now())
{
}

std::string WireTrace::Stamp() const
{
    const std::chrono::duration<double, std::milli> since = std::chrono::steady_clock::now() - start_;
    char stamp[32];
    std::snprintf(stamp, sizeof stamp, "%10.1f ms  ", since.count());
    return stamp;
}

void WireTrace::Record(WireDirection direction, std::string_view bytes)
{
    // The mask follows every byte, shown or not, to stay in step with the protocol.
    const std::string masked = mask_.Mask(direction, bytes);
    const bool sent = (direction == WireDirection::ToModule) == (side_ == Side::Tool);
    const std::string shown = PrintableBytes(codes_ == SecretCodes::Masked ? std::string_view(masked) : bytes);
    if (sink_)
        sink_(Stamp() + (sent ? "send  " : "recv  ") + shown);
}

void WireTrace::Note(std::string_view text)
{
    if (sink_)
        sink_(Stamp() + "----  " + std::string(text));
}

} // namespace morvel
