#pragma once

#include "link/link_interfaces.h"
#include "link/port_descriptions.h"
#include "link/port_system_calls.h"

#include <QObject>
#include <QSerialPort>

namespace morvel {

// The module's serial port on QSerialPort: 115200 baud, 8 data bits, no parity, 1 stop bit, no
// flow control, DTR and RTS held inactive, opened exclusively for reading and writing.
//
// Receptions go to the listener one at a time. Writes go straight to the device and return
// once the kernel has taken every byte, so a reply can never be handled in the middle of a write.
// A device that goes away (read or resource error) closes the port and tells the listener once.
// After opening it asks the driver for low latency; a driver without that setting is fine.
// A port that will not open comes with a hint worked out from the system and the port list.
class SerialModulePort final : public QObject, public ModulePort {
    Q_OBJECT
public:
    explicit SerialModulePort(QObject* parent = nullptr);
    // `calls` are the POSIX calls on the open device, `listPorts` the ports a hint names.
    SerialModulePort(PortSystemCalls& calls, PortLister listPorts, QObject* parent = nullptr);
    ~SerialModulePort() override;

    void SetListener(PortListener* listener) override;
    PortResult SetPortName(const QString& name) override;
    PortResult Open() override;
    void Close() override;
    void DiscardInput() override;
    bool IsOpen() const override;
    PortResult Write(std::string_view bytes) override;

    QString portName() const { return name_; }

private:
    void OnReadyRead();
    void OnErrorOccurred(QSerialPort::SerialPortError error);
    void DeliverPending();
    PortResult ApplyLineSettings();
    void CloseNow();

    PortSystemCalls& calls_;
    PortLister listPorts_;
    QSerialPort port_;
    QString name_;
    PortListener* listener_ = nullptr;
    bool inCallback_ = false;     // inside a QSerialPort notification
    bool delivering_ = false;     // inside a listener call
    bool deliveryQueued_ = false;
    bool closing_ = false;        // closed for the link; the device is released right after
    bool lost_ = false;           // the device failed; the close is on its way
    bool shuttingDown_ = false;   // inside CloseNow()
};

} // namespace morvel
