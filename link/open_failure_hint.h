#pragma once

#include "link/port_descriptions.h"

#include <QString>

namespace morvel {

// A running process as the system names it.
struct ProcessName {
    long pid = 0;
    QString command; // its command name, e.g. "minicom"
    bool operator==(const ProcessName&) const = default;
};

// The device a port name opens: a path stays as it is, a bare name lies under /dev.
QString DevicePath(const QString& portName);

// The processes that hold the device open, or name themselves in its lock file, by PID.
QList<ProcessName> ProcessesHoldingPort(const QString& devicePath);

// What the operator should do about a port that would not open, from what the system says about
// it now: the group to join for a permission refusal, the program that holds a port in use, the
// ports that exist for a missing one. Empty when the system says nothing that helps.
// `errorNumber` is the open's error (ENOENT, EACCES, EBUSY, ...).
QString OpenFailureHint(const QString& portName, int errorNumber, const PortLister& listPorts);

} // namespace morvel
