#pragma once

#include "module_logic.h"
#include "module_options.h"

#include <atomic>
#include <chrono>
#include <functional>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>

namespace morvel::sim {

// The simulated module on a pseudo-terminal: the tool opens PortPath() as its serial port.
//
// The module keeps a descriptor of the terminal side open itself, so a tool that closes and
// reopens the port (every read does) finds the module still there. Hanging up closes both
// sides: the tool then sees its port fail.
class PtyModule {
public:
    // Opens the pseudo-terminal; throws std::runtime_error when the system refuses.
    explicit PtyModule(ModuleOptions options);
    ~PtyModule();
    PtyModule(const PtyModule&) = delete;
    PtyModule& operator=(const PtyModule&) = delete;

    const std::string& PortPath() const { return portPath_; }

    // Answers the tool until Stop() or a hang-up. Start() does it on a thread of its own.
    void Run();
    void Start();
    void Stop();

    // Called on the module's thread after each completed programming run.
    void SetProgrammedHandler(std::function<void(const ModuleMemory&)> handler);

    enum class Wire { Received, Sent };
    // Called on the module's thread with every piece of bytes the module reads or writes.
    // Set before Start().
    void SetWireObserver(std::function<void(Wire, std::string_view)> observer);

    ModuleMemory Memory() const;
    void SetMemory(const ModuleMemory& memory);
    ModuleCounters Counters() const;
    bool HungUp() const { return hungUp_; }
    // Bytes that crossed the line in both directions since the module started.
    long WireBytes() const { return bytesReceived_ + bytesSent_; }

private:
    using Clock = std::chrono::steady_clock;

    void HandleInput();
    void Send(const std::string& reply);
    void WriteAt(std::string_view bytes, Clock::time_point when);
    void HangUp();

    ModuleOptions options_;
    ModuleLogic logic_;
    mutable std::mutex logicMutex_;
    std::function<void(const ModuleMemory&)> programmedHandler_;
    std::function<void(Wire, std::string_view)> wireObserver_;
    int master_ = -1;
    int slave_ = -1;
    int wakeRead_ = -1;
    int wakeWrite_ = -1;
    std::string portPath_;
    std::thread thread_;
    std::atomic<bool> stopping_{false};
    std::atomic<bool> hungUp_{false};
    long repliesSent_ = 0;
    std::atomic<long> bytesSent_{0};
    std::atomic<long> bytesReceived_{0};
    Clock::time_point wireFree_{}; // when the line is free again at the wire rate
};

} // namespace morvel::sim
