#pragma once

#include "link/port_descriptions.h"

#include <ostream>

namespace morvel::cli {

enum class ListFormat { Lines, Json };

// `morvel ports`: one line per port on `out`, its fields separated by tabs: name, system
// location, description, maker, VID:PID, serial number (empty where the system knows none);
// or one JSON document {"ports": [{"name": ..., ...}]}. With no ports, says so on `err`.
void PrintPortList(const PortDescriptions& ports, ListFormat format, std::ostream& out, std::ostream& err);

} // namespace morvel::cli
