#pragma once

#include "link/link_interfaces.h"
#include "link/wire_trace.h"

#include <cstddef>

namespace morvel {

// Sits between the link and its port: passes everything on unchanged, counts the data frames
// and bytes that cross, and hands every write and reception to a trace when one is set.
class MonitoredPort final : public ModulePort, private PortListener {
public:
    struct Counts {
        int frames = 0;               // data frames written
        std::size_t imageBytes = 0;   // image bytes those frames carried
        std::size_t bytesReceived = 0;
    };

    explicit MonitoredPort(ModulePort& port);
    ~MonitoredPort() override;
    MonitoredPort(const MonitoredPort&) = delete;
    MonitoredPort& operator=(const MonitoredPort&) = delete;

    void SetTrace(WireTrace* trace) { trace_ = trace; }
    const Counts& counts() const { return counts_; }
    void ResetCounts() { counts_ = {}; }

    // ModulePort
    void SetListener(PortListener* listener) override { listener_ = listener; }
    PortResult SetPortName(const QString& name) override { return port_.SetPortName(name); }
    PortResult Open() override { return port_.Open(); }
    void Close() override { port_.Close(); }
    void DiscardInput() override { port_.DiscardInput(); }
    bool IsOpen() const override { return port_.IsOpen(); }
    PortResult Write(std::string_view bytes) override;

private:
    // PortListener
    void OnReception(std::string_view bytes) override;
    void OnPortLost(const QString& error) override;

    ModulePort& port_;
    PortListener* listener_ = nullptr;
    WireTrace* trace_ = nullptr;
    Counts counts_;
};

} // namespace morvel
