#pragma once

#include <QList>
#include <QString>

#include <cstdint>
#include <functional>
#include <optional>

namespace morvel {

// One serial port of the machine as the system describes it. Fields the system does not know
// stay empty.
struct PortDescription {
    QString name;           // what the port box shows and a run opens: "ttyUSB0"
    QString systemLocation; // the device: "/dev/ttyUSB0"
    QString description;    // the adapter's own words: "FT232R USB UART"
    QString manufacturer;
    QString serialNumber;   // the USB serial number, tells two like adapters apart
    std::optional<std::uint16_t> vendorId;
    std::optional<std::uint16_t> productId;

    // USB adapters report their vendor; built-in ports do not.
    bool IsUsbAdapter() const { return vendorId.has_value(); }
    // "0403:6001", or empty without USB identifiers.
    QString UsbId() const;
    // Description, maker and serial number, comma-separated, the empty ones left out:
    // "FT232R USB UART, FTDI, serial A50285BI".
    QString Details() const;
    bool operator==(const PortDescription&) const = default;
};

using PortDescriptions = QList<PortDescription>;
// Who lists the ports: the system for the running program, a fixed list for a test.
using PortLister = std::function<PortDescriptions()>;

// The machine's serial ports with what the system knows of them, sorted by name as the port
// box sorts them.
PortDescriptions ListPortDescriptions();

// Bare ports with nothing known beyond their names, in the given order.
PortDescriptions DescribeNames(const QStringList& names);

QStringList PortNames(const PortDescriptions& ports);

} // namespace morvel
