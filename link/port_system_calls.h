#pragma once

#include <cstddef>

#include <poll.h>
#include <sys/types.h>

struct serial_struct;

namespace morvel {

// The POSIX calls the serial port makes on its device once it is open, behind one seam so that
// tests can refuse or record them. Each returns what the system call returns and leaves errno
// as the call left it.
class PortSystemCalls {
public:
    virtual ~PortSystemCalls() = default;
    virtual ssize_t Write(int fd, const void* bytes, std::size_t count) = 0;
    virtual ssize_t Read(int fd, void* bytes, std::size_t count) = 0;
    virtual int Poll(pollfd* fds, nfds_t count, int timeoutMs) = 0;
    virtual int GetSerial(int fd, serial_struct& settings) = 0; // TIOCGSERIAL
    virtual int SetSerial(int fd, const serial_struct& settings) = 0; // TIOCSSERIAL
};

// The calls themselves. Stateless, so one instance serves every port.
class SystemPortCalls final : public PortSystemCalls {
public:
    ssize_t Write(int fd, const void* bytes, std::size_t count) override;
    ssize_t Read(int fd, void* bytes, std::size_t count) override;
    int Poll(pollfd* fds, nfds_t count, int timeoutMs) override;
    int GetSerial(int fd, serial_struct& settings) override;
    int SetSerial(int fd, const serial_struct& settings) override;
};

PortSystemCalls& SystemCalls();

// Asks the driver to hand on received bytes at once instead of holding them up to its latency
// timer (16 ms on common USB adapters, 1 ms in low-latency mode). Drivers without the setting
// (pseudo-terminals, many others) refuse; the port then works as before. Returns whether the
// driver took it.
bool RequestLowLatency(PortSystemCalls& calls, int fd);

} // namespace morvel
