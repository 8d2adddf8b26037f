#include "link/serial_port.h"

#include "link/link_texts.h"
#include "link/open_failure_hint.h"

#include <QDeadlineTimer>
#include <QMetaObject>

#include <cerrno>
#include <cstring>

namespace morvel {

namespace {

constexpr qint32 kBaudRate = 115200;
// A write may take this long plus kWriteTimePerByte for every byte before it counts as failed.
constexpr int kWriteTimeConstantMs = 1000;
constexpr int kWriteTimePerByteMs = 100;
constexpr int kHighestErrorNumber = 255;

// The OS error number behind a QSerialPort failure. Qt keeps only the text of the error
// (strerror of errno), so the number is found again from that text; a failure Qt describes in
// its own words (e.g. the lock file of a port in use) gets the errno of the same kind.
int ErrorNumber(const QSerialPort& port)
{
    const QString text = port.errorString();
    for (int code = 1; code <= kHighestErrorNumber; ++code) {
        if (text == QString::fromLocal8Bit(std::strerror(code)))
            return code;
    }
    switch (port.error()) {
    case QSerialPort::DeviceNotFoundError:
        return ENOENT;
    case QSerialPort::PermissionError:
        return EACCES;
    case QSerialPort::OpenError:
        return EBUSY;
    case QSerialPort::NotOpenError:
        return EBADF;
    case QSerialPort::TimeoutError:
        return ETIMEDOUT;
    case QSerialPort::UnsupportedOperationError:
        return ENOTTY;
    default:
        return EIO;
    }
}

// The error Qt reports for a vanished device can carry a stale errno; asking the device once
// more gives the real one (EIO for a hung-up line), or EIO when the read does not fail.
int LostDeviceErrorNumber(PortSystemCalls& calls, int fd)
{
    char byte = 0;
    if (fd >= 0 && calls.Read(fd, &byte, 1) < 0 && errno != EAGAIN && errno != EINTR)
        return errno;
    return EIO;
}

PortResult Failure(const char* what, int errorNumber, QString hint = {})
{
    return {QString::fromUtf8(what) + QString::fromUtf8(texts::kErrorCodeSuffix).arg(errorNumber),
            std::move(hint)};
}

} // namespace

SerialModulePort::SerialModulePort(QObject* parent)
    : SerialModulePort(SystemCalls(), ListPortDescriptions, parent)
{
}

SerialModulePort::SerialModulePort(PortSystemCalls& calls, PortLister listPorts, QObject* parent)
    : QObject(parent)
    , calls_(calls)
    , listPorts_(std::move(listPorts))
{
    connect(&port_, &QSerialPort::readyRead, this, &SerialModulePort::OnReadyRead);
    connect(&port_, &QSerialPort::errorOccurred, this, &SerialModulePort::OnErrorOccurred);
}

SerialModulePort::~SerialModulePort()
{
    listener_ = nullptr;
    CloseNow();
}

void SerialModulePort::SetListener(PortListener* listener)
{
    listener_ = listener;
}

PortResult SerialModulePort::SetPortName(const QString& name)
{
    if (name == name_)
        return {};
    const bool wasOpen = port_.isOpen();
    if (wasOpen)
        CloseNow();
    name_ = name;
    if (wasOpen)
        return Open();
    return {};
}

PortResult SerialModulePort::Open()
{
    if (IsOpen())
        return {};
    CloseNow();
    // A typed device path (/dev/pts/3, /dev/ttyUSB0) is opened as it is; pseudo-terminals are
    // never among the listed ports.
    port_.setPortName(name_);
    if (!port_.open(QIODevice::ReadWrite)) {
        const int errorNumber = ErrorNumber(port_);
        return Failure(texts::kUnableToOpen, errorNumber, OpenFailureHint(name_, errorNumber, listPorts_));
    }
    if (const PortResult applied = ApplyLineSettings(); !applied.ok()) {
        CloseNow();
        return applied;
    }
    // Every round trip of a run waits for the adapter to hand on the reply.
    RequestLowLatency(calls_, port_.handle());
    // Input that waited in the driver before this open belongs to nobody.
    port_.clear();
    port_.clearError();
    return {};
}

PortResult SerialModulePort::ApplyLineSettings()
{
    const bool applied = port_.setBaudRate(kBaudRate) && port_.setDataBits(QSerialPort::Data8)
        && port_.setParity(QSerialPort::NoParity) && port_.setStopBits(QSerialPort::OneStop)
        && port_.setFlowControl(QSerialPort::NoFlowControl);
    if (!applied)
        return Failure(texts::kSetCommStateFailed, ErrorNumber(port_));
    // The module wants DTR and RTS inactive. Lines a device does not have (pseudo-terminals)
    // are not a reason to give up.
    port_.setDataTerminalReady(false);
    port_.setRequestToSend(false);
    return {};
}

void SerialModulePort::Close()
{
    if (!port_.isOpen())
        return;
    if (inCallback_) {
        // Not from inside QSerialPort's own notification: close once it has returned, and
        // deliver nothing more meanwhile.
        closing_ = true;
        QMetaObject::invokeMethod(this, [this] { if (closing_) CloseNow(); }, Qt::QueuedConnection);
        return;
    }
    CloseNow();
}

void SerialModulePort::CloseNow()
{
    if (port_.isOpen()) {
        // Flushing a vanished device fails too; that is no news for the listener.
        shuttingDown_ = true;
        port_.clear();
        port_.close();
        shuttingDown_ = false;
    }
    port_.clearError();
    closing_ = false;
    lost_ = false;
}

void SerialModulePort::DiscardInput()
{
    if (port_.isOpen())
        port_.clear(QSerialPort::Input);
}

bool SerialModulePort::IsOpen() const
{
    return port_.isOpen() && !closing_ && !lost_;
}

PortResult SerialModulePort::Write(std::string_view bytes)
{
    if (!IsOpen())
        return Failure(texts::kWriteFailed, EBADF);
    // Straight to the device: QSerialPort's own buffered write would need waitForBytesWritten,
    // which may hand a reply to the listener while the sender is still in the middle of a call.
    const int fd = port_.handle();
    QDeadlineTimer deadline(kWriteTimeConstantMs + kWriteTimePerByteMs * qint64(bytes.size()));
    while (!bytes.empty()) {
        const ssize_t written = calls_.Write(fd, bytes.data(), bytes.size());
        if (written > 0) {
            bytes.remove_prefix(static_cast<std::size_t>(written));
            continue;
        }
        if (written < 0 && errno == EINTR)
            continue;
        if (written < 0 && errno != EAGAIN && errno != EWOULDBLOCK)
            return Failure(texts::kWriteFailed, errno);
        if (deadline.hasExpired())
            return Failure(texts::kWriteFailed, ETIMEDOUT);
        pollfd waitForRoom{fd, POLLOUT, 0};
        const int ready = calls_.Poll(&waitForRoom, 1, int(deadline.remainingTime()));
        if (ready < 0 && errno != EINTR)
            return Failure(texts::kWriteFailed, errno);
        if (ready > 0 && (waitForRoom.revents & (POLLERR | POLLHUP | POLLNVAL)))
            return Failure(texts::kWriteFailed, EIO);
    }
    return {};
}

void SerialModulePort::OnReadyRead()
{
    if (closing_ || lost_) {
        port_.readAll();
        return;
    }
    if (delivering_) {
        if (!deliveryQueued_) {
            deliveryQueued_ = true;
            QMetaObject::invokeMethod(this, &SerialModulePort::DeliverPending, Qt::QueuedConnection);
        }
        return;
    }
    inCallback_ = true;
    DeliverPending();
    inCallback_ = false;
}

void SerialModulePort::DeliverPending()
{
    deliveryQueued_ = false;
    if (!IsOpen() || lost_)
        return;
    const QByteArray bytes = port_.readAll();
    if (bytes.isEmpty() || listener_ == nullptr)
        return;
    delivering_ = true;
    listener_->OnReception(std::string_view(bytes.constData(), std::size_t(bytes.size())));
    delivering_ = false;
}

void SerialModulePort::OnErrorOccurred(QSerialPort::SerialPortError error)
{
    if (error != QSerialPort::ReadError && error != QSerialPort::ResourceError)
        return;
    // A vanished device can make Qt report read errors over and over while the port stays
    // open: act on the first one only, and close only an open port (closing a closed one is
    // an error of its own).
    if (lost_ || shuttingDown_ || !port_.isOpen())
        return;
    lost_ = true;
    const PortResult failure = Failure(texts::kPortLost, LostDeviceErrorNumber(calls_, port_.handle()));
    inCallback_ = true;
    if (listener_ != nullptr)
        listener_->OnPortLost(failure.error);
    inCallback_ = false;
    QMetaObject::invokeMethod(this, [this] { if (lost_) CloseNow(); }, Qt::QueuedConnection);
}

} // namespace morvel
