#pragma once

#include <QStringList>

namespace morvel {

// Sorts port names ignoring case, character by character, with no numeric ordering:
// COM1, COM10, COM2.
QStringList SortPortNames(QStringList names);

// The machine's serial ports, sorted as above. Pseudo-terminals are never listed: their path
// can be typed as a port name instead.
QStringList ListSerialPorts();

} // namespace morvel
