#include "link/data_packet.h"

#include <utility>

namespace morvel {

DataPacket::DataPacket(Handler handler)
    : handler_(std::move(handler))
{
}

void DataPacket::SetHandler(Handler handler)
{
    handler_ = std::move(handler);
}

void DataPacket::HandleReception(std::string_view bytes)
{
    buffer_.append(bytes);
    CallHandler();
    for (;;) {
        if (emptiedDuringCall_) {
            CallHandler();
            continue;
        }
        const std::size_t stop = buffer_.find(kStopString);
        if (stop == std::string::npos)
            break;
        buffer_.erase(0, stop + kStopString.size());
        CallHandler();
    }
    if (buffer_.size() >= kMaxBufferSize)
        buffer_.clear();
}

void DataPacket::Empty()
{
    if (!buffer_.empty())
        emptiedDuringCall_ = true;
    buffer_.clear();
}

void DataPacket::CallHandler()
{
    emptiedDuringCall_ = false;
    // The handler gets its own copy: it may empty the buffer while it still reads the text.
    const std::string text = buffer_;
    if (handler_)
        handler_(text);
}

} // namespace morvel
