#pragma once

#include <QLocale>
#include <QStringList>

namespace morvel {

// Sorts port names as text in the order of `locale`, ignoring case, character by character with
// no numeric ordering: COM1, COM10, COM2. Names equal but for case keep their order.
QStringList SortPortNames(QStringList names, const QLocale& locale = QLocale());

// The machine's serial ports, sorted as above in the current locale. Pseudo-terminals are never
// listed: their path can be typed as a port name instead.
QStringList ListSerialPorts();

} // namespace morvel
