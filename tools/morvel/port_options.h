#pragma once

#include "link/wire_trace.h"
#include "tools/morvel/command_line.h"
#include "tools/morvel/port_choice.h"

#include <QCommandLineOption>

#include <QString>

#include <optional>

namespace morvel::cli {

// The port a command's runs open, and how they show the wire.
struct ChosenPort {
    QString name;
    bool trace = false;
    SecretCodes codes = SecretCodes::Masked;
};

// What every command that talks to the module takes: --port PORT (or "auto"), --wait SECONDS,
// --trace and --trace-codes. A command adds them with one line and passes them to its run.
class PortOptions {
public:
    explicit PortOptions(CommandLine& line);

    // After CommandLine::Parse(): takes the values. The exit status of a mistake, or nothing.
    [[nodiscard]] std::optional<int> Read(const CommandLine& line);

    // The port to open (ChoosePort on the system's ports), or nothing after saying why there is
    // none; the command then exits with kExitUsage.
    std::optional<ChosenPort> Choose() const;

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
