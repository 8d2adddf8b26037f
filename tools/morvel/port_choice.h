#pragma once

#include "link/port_descriptions.h"

#include <QString>

#include <chrono>
#include <optional>
#include <ostream>
#include <string>

namespace morvel::cli {

// Waiting for a port looks again this often.
inline constexpr std::chrono::milliseconds kPortPollInterval{100};

struct PortRequest {
    std::string port; // a name ("ttyUSB0"), a path, or "auto"
    std::optional<std::chrono::milliseconds> wait; // --wait: how long the port may take to appear
};

// The port a run opens. "auto" takes the only USB serial adapter and says which; none or several
// give nothing, with the candidates. With a wait, the named port (or, for "auto", an adapter)
// may first take that long to appear. Messages go to `messages`, each as "morvel: ...".
std::optional<QString> ChoosePort(const PortRequest& request, const PortLister& listPorts, std::ostream& messages);

} // namespace morvel::cli
