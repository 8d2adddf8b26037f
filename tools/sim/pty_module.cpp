#include "pty_module.h"

#include <cerrno>
#include <cstring>
#include <ctime>
#include <stdexcept>

#include <fcntl.h>
#include <poll.h>
#include <pthread.h>
#include <sched.h>
#include <sys/prctl.h>
#include <termios.h>
#include <unistd.h>

namespace morvel::sim {

namespace {

// 115200 baud with a start and a stop bit: 10 bits per byte.
constexpr auto kByteTime = std::chrono::nanoseconds(1'000'000'000LL * 10 / 115200);
// Paced replies go out in pieces of about a millisecond, as a USB adapter hands them on.
constexpr std::size_t kPacedPieceBytes = 12;
constexpr std::size_t kReadChunk = 4096;
constexpr char kGarbageByte = '~';
constexpr int kRealTimePriority = 10;

std::runtime_error SystemError(const char* what)
{
    return std::runtime_error(std::string(what) + ": " + std::strerror(errno));
}

void SleepUntil(std::chrono::steady_clock::time_point when)
{
    const auto since = when.time_since_epoch();
    timespec at{};
    at.tv_sec = std::chrono::duration_cast<std::chrono::seconds>(since).count();
    at.tv_nsec = (std::chrono::duration_cast<std::chrono::nanoseconds>(since)
                  - std::chrono::seconds(at.tv_sec)).count();
    // steady_clock is CLOCK_MONOTONIC on Linux.
    while (clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &at, nullptr) == EINTR) {
    }
}

} // namespace

PtyModule::PtyModule(ModuleOptions options)
    : options_(std::move(options))
    , logic_(options_.acknowledgement, options_.corruptOffset)
{
    master_ = posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (master_ < 0)
        throw SystemError("posix_openpt");
    if (grantpt(master_) != 0 || unlockpt(master_) != 0)
        throw SystemError("grantpt/unlockpt");
    char name[128] = {};
    if (ptsname_r(master_, name, sizeof name) != 0)
        throw SystemError("ptsname");
    portPath_ = name;
    slave_ = ::open(name, O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (slave_ < 0)
        throw SystemError("open terminal side");
    termios raw{};
    tcgetattr(slave_, &raw);
    cfmakeraw(&raw); // no echo, no line editing, bytes pass unchanged
    tcsetattr(slave_, TCSANOW, &raw);
    int wake[2];
    if (pipe2(wake, O_CLOEXEC) != 0)
        throw SystemError("pipe");
    wakeRead_ = wake[0];
    wakeWrite_ = wake[1];
}

PtyModule::~PtyModule()
{
    Stop();
    for (int fd : {master_, slave_, wakeRead_, wakeWrite_}) {
        if (fd >= 0)
            ::close(fd);
    }
}

void PtyModule::SetProgrammedHandler(std::function<void(const ModuleMemory&)> handler)
{
    programmedHandler_ = std::move(handler);
}

void PtyModule::SetWireObserver(std::function<void(Wire, std::string_view)> observer)
{
    wireObserver_ = std::move(observer);
}

void PtyModule::Start()
{
    thread_ = std::thread([this] { Run(); });
}

void PtyModule::Stop()
{
    stopping_ = true;
    if (wakeWrite_ >= 0) {
        const char wake = 1;
        [[maybe_unused]] const ssize_t ignored = ::write(wakeWrite_, &wake, 1);
    }
    if (thread_.joinable())
        thread_.join();
}

void PtyModule::Run()
{
    // Precise sleeps keep the pacing close to the real wire.
    prctl(PR_SET_TIMERSLACK, 1UL);
    if (options_.realTimePriority) {
        // Refused without the privilege; the module then runs at normal priority.
        const sched_param priority{kRealTimePriority};
        pthread_setschedparam(pthread_self(), SCHED_FIFO, &priority);
    }
    while (!stopping_ && !hungUp_) {
        pollfd fds[2] = {{master_, POLLIN, 0}, {wakeRead_, POLLIN, 0}};
        if (::poll(fds, 2, -1) < 0) {
            if (errno == EINTR)
                continue;
            return;
        }
        if (fds[1].revents != 0)
            return;
        if (fds[0].revents & POLLIN)
            HandleInput();
    }
}

void PtyModule::HandleInput()
{
    char buffer[kReadChunk];
    const ssize_t count = ::read(master_, buffer, sizeof buffer);
    if (count <= 0)
        return;
    bytesReceived_ += count;
    if (wireObserver_)
        wireObserver_(Wire::Received, std::string_view(buffer, std::size_t(count)));
    const auto now = Clock::now();
    if (options_.paceAtWireRate)
        wireFree_ = std::max(wireFree_, now) + kByteTime * count;

    std::vector<std::string> replies;
    int programmingsBefore = 0;
    int programmingsAfter = 0;
    ModuleMemory memory{};
    {
        std::lock_guard lock(logicMutex_);
        programmingsBefore = logic_.counters().programmingsDone;
        replies = logic_.Receive(std::string_view(buffer, std::size_t(count)), now);
        programmingsAfter = logic_.counters().programmingsDone;
        memory = logic_.memory();
    }
    for (const std::string& reply : replies) {
        if (hungUp_)
            return;
        Send(reply);
    }
    if (programmingsAfter != programmingsBefore && programmedHandler_)
        programmedHandler_(memory);
}

void PtyModule::Send(const std::string& reply)
{
    if (options_.repliesBeforeSilence >= 0 && repliesSent_ >= options_.repliesBeforeSilence)
        return;
    ++repliesSent_;
    auto when = Clock::now() + options_.delay;
    if (options_.paceAtWireRate)
        when = std::max(when, wireFree_);
    std::string bytes(options_.garbageBytes, kGarbageByte);
    bytes += reply;

    const std::size_t piece = options_.splitBytes > 0 ? options_.splitBytes
                              : options_.paceAtWireRate ? kPacedPieceBytes
                                                        : bytes.size();
    for (std::size_t at = 0; at < bytes.size() && !hungUp_; at += piece) {
        std::string_view part = std::string_view(bytes).substr(at, piece);
        if (options_.hangUpAfterBytes >= 0) {
            const long room = options_.hangUpAfterBytes - bytesSent_;
            part = part.substr(0, std::size_t(std::max(0L, room)));
        }
        if (options_.paceAtWireRate)
            when = std::max(when, wireFree_) + kByteTime * part.size();
        WriteAt(part, when);
        if (options_.paceAtWireRate)
            wireFree_ = when;
        if (options_.hangUpAfterBytes >= 0 && bytesSent_ >= options_.hangUpAfterBytes) {
            HangUp();
            return;
        }
        // Paced pieces follow the wire's own clock, so a late wake-up is not carried forward.
        if (options_.splitBytes > 0)
            when = Clock::now() + options_.splitGap;
    }
}

void PtyModule::WriteAt(std::string_view bytes, Clock::time_point when)
{
    SleepUntil(when);
    if (wireObserver_ && !bytes.empty())
        wireObserver_(Wire::Sent, bytes);
    while (!bytes.empty()) {
        const ssize_t written = ::write(master_, bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR || errno == EAGAIN)
                continue;
            return;
        }
        bytes.remove_prefix(std::size_t(written));
        bytesSent_ += written;
    }
}

void PtyModule::HangUp()
{
    hungUp_ = true;
    ::close(master_);
    ::close(slave_);
    master_ = -1;
    slave_ = -1;
}

ModuleMemory PtyModule::Memory() const
{
    std::lock_guard lock(logicMutex_);
    return logic_.memory();
}

void PtyModule::SetMemory(const ModuleMemory& memory)
{
    std::lock_guard lock(logicMutex_);
    logic_.SetMemory(memory);
}

ModuleCounters PtyModule::Counters() const
{
    std::lock_guard lock(logicMutex_);
    return logic_.counters();
}

} // namespace morvel::sim
