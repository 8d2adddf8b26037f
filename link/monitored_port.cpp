#include "link/monitored_port.h"

#include "link/protocol.h"

namespace morvel {

namespace {

constexpr std::size_t kFrameFraming = protocol::kFrameStart.size() + protocol::kStop.size();

} // namespace

MonitoredPort::MonitoredPort(ModulePort& port)
    : port_(port)
{
    port_.SetListener(this);
}

MonitoredPort::~MonitoredPort()
{
    port_.SetListener(nullptr);
}

PortResult MonitoredPort::Write(std::string_view bytes)
{
    if (trace_ != nullptr)
        trace_->Record(WireDirection::ToModule, bytes);
    PortResult written = port_.Write(bytes);
    if (!written.ok()) {
        if (trace_ != nullptr)
            trace_->Note(written.error.toStdString());
        return written;
    }
    // The link writes each frame whole, in one call.
    if (bytes.starts_with(protocol::kFrameStart) && bytes.size() >= kFrameFraming) {
        ++counts_.frames;
        counts_.imageBytes += bytes.size() - kFrameFraming;
    }
    return written;
}

void MonitoredPort::OnReception(std::string_view bytes)
{
    counts_.bytesReceived += bytes.size();
    if (trace_ != nullptr)
        trace_->Record(WireDirection::FromModule, bytes);
    if (listener_ != nullptr)
        listener_->OnReception(bytes);
}

void MonitoredPort::OnPortLost(const QString& error)
{
    if (trace_ != nullptr)
        trace_->Note(error.toStdString());
    if (listener_ != nullptr)
        listener_->OnPortLost(error);
}

} // namespace morvel
