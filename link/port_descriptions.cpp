#include "link/port_descriptions.h"

#include "link/link_texts.h"
#include "link/port_list.h"

#include <QSerialPortInfo>
#include <QStringList>

#include <algorithm>

namespace morvel {

namespace {

QString Hex4(std::uint16_t value)
{
    return QStringLiteral("%1").arg(value, 4, 16, QLatin1Char('0'));
}

PortDescription Describe(const QSerialPortInfo& info)
{
    PortDescription port;
    port.name = info.portName();
    port.systemLocation = info.systemLocation();
    port.description = info.description();
    port.manufacturer = info.manufacturer();
    port.serialNumber = info.serialNumber();
    if (info.hasVendorIdentifier())
        port.vendorId = info.vendorIdentifier();
    if (info.hasProductIdentifier())
        port.productId = info.productIdentifier();
    return port;
}

} // namespace

QString PortDescription::UsbId() const
{
    if (!vendorId || !productId)
        return {};
    return Hex4(*vendorId) + u':' + Hex4(*productId);
}

QString PortDescription::Details() const
{
    QStringList parts;
    if (!description.isEmpty())
        parts << description;
    if (!manufacturer.isEmpty() && manufacturer != description)
        parts << manufacturer;
    if (!serialNumber.isEmpty())
        parts << QString::fromUtf8(texts::kSerialNumberLabel).arg(serialNumber);
    return parts.join(QStringLiteral(", "));
}

PortDescriptions ListPortDescriptions()
{
    PortDescriptions ports;
    QStringList names;
    for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts()) {
        ports << Describe(info);
        names << info.portName();
    }
    // The order is the port box's own (SortPortNames); the details follow their names.
    PortDescriptions sorted;
    for (const QString& name : SortPortNames(names)) {
        const auto found = std::find_if(ports.begin(), ports.end(),
                                        [&](const PortDescription& port) { return port.name == name; });
        if (found == ports.end())
            continue;
        sorted << *found;
        ports.erase(found);
    }
    return sorted;
}

PortDescriptions DescribeNames(const QStringList& names)
{
    PortDescriptions ports;
    for (const QString& name : names) {
        PortDescription port;
        port.name = name;
        ports << port;
    }
    return ports;
}

QStringList PortNames(const PortDescriptions& ports)
{
    QStringList names;
    for (const PortDescription& port : ports)
        names << port.name;
    return names;
}

} // namespace morvel
