#pragma once

#include "link/wire_trace.h"
#include "tools/morvel/command_line.h"
#include "tools/morvel/port_choice.h"

#include <QCommandLineOption>

#include <optional>
#include <string_view>

namespace morvel::cli {

// The exit statuses of a command that talks to the module.
inline constexpr std::string_view kModuleExitStatuses =
    "  0  the command did its work\n"
    "  1  it could not (the message says why and what to do)\n"
    "  2  the command line was wrong, or there was no port to open: none or several adapters for\n"
    "     --port auto, or the port did not appear within --wait\n";

// What every command that talks to the module takes: --port PORT (or "auto"), --wait SECONDS,
// --trace and --trace-codes. A command adds them with one line and passes them to its run.
class PortOptions {
public:
    explicit PortOptions(CommandLine& line);

    // After CommandLine::Parse(): takes the values. The exit status of a mistake, or nothing.
    [[nodiscard]] std::optional<int> Read(const CommandLine& line);

    const PortRequest& request() const { return request_; }
    bool trace() const { return trace_; }
    SecretCodes codes() const { return codes_; }

private:
    QCommandLineOption portOption_;
    QCommandLineOption waitOption_;
    QCommandLineOption traceOption_;
    QCommandLineOption traceCodesOption_;
    PortRequest request_;
    bool trace_ = false;
    SecretCodes codes_ = SecretCodes::Masked;
};

} // namespace morvel::cli
