#pragma once

#include <QString>

#include <string_view>

// The few pieces of the outside world the module link works with. The window implements them on
// its widgets, the command-line tool on a terminal, the tests with plain fakes; the link itself
// never includes a widget header.
namespace morvel {

// The information list under "Informations": an ordered list of lines, oldest first.
// Lines are added only through AppendInfoLine (link/info_list.h), which keeps at most 7.
class InfoList {
public:
    virtual ~InfoList() = default;
    virtual int LineCount() const = 0;
    virtual void AddLine(const QString& text) = 0; // at the end
    virtual void RemoveFirstLine() = 0;
    virtual void ReplaceLine(int index, const QString& text) = 0;
};

// The two run buttons ("Program settings", "Read settings") and the application's busy cursor.
class RunControls {
public:
    virtual ~RunControls() = default;
    virtual void SetProgramButtonEnabled(bool enabled) = 0;
    virtual void SetReadButtonEnabled(bool enabled) = 0;
    virtual void SetBusyCursor(bool busy) = 0;
};

// The run time-out. Enable() starts a period unless one is already running (a running period is
// NOT restarted); Disable() stops it, so Disable() then Enable() starts a fresh period. The owner
// calls ModuleLink::Timer1Timer() when a period ends.
class RunTimer {
public:
    virtual ~RunTimer() = default;
    virtual void Enable() = 0;
    virtual void Disable() = 0;
    virtual bool IsEnabled() const = 0;
};

// Outcome of a port operation: empty error text when it worked, otherwise the operator's text,
// e.g. "Unable to open com port (win error code: 2)", and what the operator can do about it
// (empty when nothing useful is known).
struct [[nodiscard]] PortResult {
    PortResult() = default;
    PortResult(QString errorText, QString hintText = {})
        : error(std::move(errorText))
        , hint(std::move(hintText))
    {
    }
    QString error;
    QString hint;
    bool ok() const { return error.isEmpty(); }
};

// Told by the port about what happens on the line.
class PortListener {
public:
    virtual ~PortListener() = default;
    // Every byte that has arrived since the last call, delivered one reception at a time and
    // never while a listener call is still running.
    virtual void OnReception(std::string_view bytes) = 0;
    // The device went away while open (adapter unplugged, other end hung up). The port has
    // closed itself (or will, right after this call returns).
    virtual void OnPortLost(const QString& error) = 0;
};

// The serial port the module hangs on.
class ModulePort {
public:
    virtual ~ModulePort() = default;
    virtual void SetListener(PortListener* listener) = 0;
    // Stores the name. An open port under another name is closed and opened under the new one.
    virtual PortResult SetPortName(const QString& name) = 0;
    // Opens the device with the link's settings; an open port stays as it is.
    virtual PortResult Open() = 0;
    // Discards what is queued in either direction and closes; a closed port stays as it is.
    virtual void Close() = 0;
    // Discards every received byte not yet delivered to the listener; the port stays open.
    virtual void DiscardInput() = 0;
    virtual bool IsOpen() const = 0;
    // Sends exactly these bytes before returning; "" sends nothing.
    virtual PortResult Write(std::string_view bytes) = 0;
};

} // namespace morvel
