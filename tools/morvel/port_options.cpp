#include "tools/morvel/port_options.h"

#include "tools/morvel/tool_texts.h"

#include <cmath>
#include <iostream>

namespace morvel::cli {

PortOptions::PortOptions(CommandLine& line)
    : portOption_(line.AddValueOption("port", "PORT",
                                      "The module's serial port (ttyUSB0, a path), or \"auto\": the only USB adapter."))
    , waitOption_(line.AddValueOption("wait", "SECONDS",
                                      "Wait up to SECONDS for the port (or an adapter) to appear."))
    , traceOption_(line.AddFlag("trace",
                                "Print every write and reception on stderr; SIM PIN and SMS code as ****."))
    , traceCodesOption_(line.AddFlag("trace-codes", "Trace as --trace does, with the two codes shown."))
{
}

std::optional<int> PortOptions::Read(const CommandLine& line)
{
    const std::optional<std::string> port = line.Value(portOption_);
    if (!port)
        return line.UsageError("expects --port PORT");
    request_.port = *port;
    if (const std::optional<std::string> wait = line.Value(waitOption_)) {
        bool isNumber = false;
        const double seconds = QString::fromStdString(*wait).toDouble(&isNumber);
        if (!isNumber || !std::isfinite(seconds) || seconds < 0)
            return line.UsageError(texts::kBadWait);
        request_.wait = std::chrono::milliseconds(std::llround(seconds * 1000));
    }
    trace_ = line.IsSet(traceOption_) || line.IsSet(traceCodesOption_);
    codes_ = line.IsSet(traceCodesOption_) ? SecretCodes::Shown : SecretCodes::Masked;
    return std::nullopt;
}

std::optional<ChosenPort> PortOptions::Choose() const
{
    const std::optional<QString> port = ChoosePort(request_, ListPortDescriptions, std::cerr);
    if (!port)
        return std::nullopt;
    return ChosenPort{*port, trace_, codes_};
}

} // namespace morvel::cli
