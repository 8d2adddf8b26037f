#include "tools/morvel/port_choice.h"

#include "link/open_failure_hint.h"
#include "tools/morvel/tool_texts.h"

#include <QFileInfo>
#include <QStringList>

#include <algorithm>
#include <thread>

namespace morvel::cli {

namespace {

using Clock = std::chrono::steady_clock;

QString Text(const char* utf8)
{
    return QString::fromUtf8(utf8);
}

void Say(std::ostream& messages, const QString& text)
{
    messages << "morvel: " << text.toLocal8Bit().constData() << '\n';
}

QString Seconds(std::chrono::milliseconds time)
{
    return QString::number(double(time.count()) / 1000.0, 'g', 6);
}

PortDescriptions UsbAdapters(const PortLister& listPorts)
{
    PortDescriptions adapters;
    for (const PortDescription& port : listPorts ? listPorts() : PortDescriptions{}) {
        if (port.IsUsbAdapter())
            adapters << port;
    }
    return adapters;
}

bool IsAutomatic(const PortRequest& request)
{
    return request.port == texts::kAutoPort;
}

bool HasAppeared(const PortRequest& request, const PortLister& listPorts)
{
    if (IsAutomatic(request))
        return !UsbAdapters(listPorts).isEmpty();
    return QFileInfo::exists(DevicePath(QString::fromLocal8Bit(request.port.c_str())));
}

// Polls until the port is there or the wait is over; false when it never came.
bool WaitForPort(const PortRequest& request, const PortLister& listPorts, std::ostream& messages)
{
    const QString seconds = Seconds(*request.wait);
    const QString port = QString::fromLocal8Bit(request.port.c_str());
    Say(messages, IsAutomatic(request) ? Text(texts::kWaitingForAdapter).arg(seconds)
                                       : Text(texts::kWaitingForPort).arg(seconds, port));
    const Clock::time_point deadline = Clock::now() + *request.wait;
    while (!HasAppeared(request, listPorts)) {
        const Clock::time_point now = Clock::now();
        if (now >= deadline) {
            Say(messages, IsAutomatic(request) ? Text(texts::kAdapterNeverAppeared).arg(seconds)
                                               : Text(texts::kPortNeverAppeared).arg(seconds, port));
            return false;
        }
        std::this_thread::sleep_for(std::min<Clock::duration>(kPortPollInterval, deadline - now));
    }
    return true;
}

std::optional<QString> OnlyAdapter(const PortLister& listPorts, std::ostream& messages)
{
    const PortDescriptions adapters = UsbAdapters(listPorts);
    if (adapters.size() == 1) {
        const PortDescription& adapter = adapters.front();
        const QString details = adapter.Details();
        Say(messages, details.isEmpty() ? Text(texts::kUsingPort).arg(adapter.name)
                                        : Text(texts::kUsingPortWithDetails).arg(adapter.name, details));
        return adapter.name;
    }
    if (adapters.isEmpty()) {
        Say(messages, Text(texts::kNoAdapter));
        const QStringList others = PortNames(listPorts ? listPorts() : PortDescriptions{});
        if (!others.isEmpty())
            Say(messages, Text(texts::kOtherPorts).arg(others.join(QStringLiteral(", "))));
        return std::nullopt;
    }
    Say(messages, Text(texts::kSeveralAdapters).arg(adapters.size()));
    for (const PortDescription& adapter : adapters) {
        const QString details = adapter.Details();
        const QString line = details.isEmpty() ? Text(texts::kCandidate).arg(adapter.name)
                                               : Text(texts::kCandidateWithDetails).arg(adapter.name, details);
        messages << line.toLocal8Bit().constData() << '\n';
    }
    return std::nullopt;
}

} // namespace

std::optional<QString> ChoosePort(const PortRequest& request, const PortLister& listPorts, std::ostream& messages)
{
    if (request.wait && !WaitForPort(request, listPorts, messages))
        return std::nullopt;
    if (IsAutomatic(request))
        return OnlyAdapter(listPorts, messages);
    return QString::fromLocal8Bit(request.port.c_str());
}

} // namespace morvel::cli
