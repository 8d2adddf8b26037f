#include "link/port_system_calls.h"

#include <linux/serial.h>
#include <sys/ioctl.h>
#include <unistd.h>

namespace morvel {

ssize_t SystemPortCalls::Write(int fd, const void* bytes, std::size_t count)
{
    return ::write(fd, bytes, count);
}

ssize_t SystemPortCalls::Read(int fd, void* bytes, std::size_t count)
{
    return ::read(fd, bytes, count);
}

int SystemPortCalls::Poll(pollfd* fds, nfds_t count, int timeoutMs)
{
    return ::poll(fds, count, timeoutMs);
}

int SystemPortCalls::GetSerial(int fd, serial_struct& settings)
{
    return ::ioctl(fd, TIOCGSERIAL, &settings);
}

int SystemPortCalls::SetSerial(int fd, const serial_struct& settings)
{
    return ::ioctl(fd, TIOCSSERIAL, &settings);
}

PortSystemCalls& SystemCalls()
{
    static SystemPortCalls calls;
    return calls;
}

bool RequestLowLatency(PortSystemCalls& calls, int fd)
{
    serial_struct settings{};
    if (calls.GetSerial(fd, settings) != 0)
        return false;
    if ((settings.flags & ASYNC_LOW_LATENCY) != 0)
        return true;
    settings.flags |= ASYNC_LOW_LATENCY;
    return calls.SetSerial(fd, settings) == 0;
}

} // namespace morvel
