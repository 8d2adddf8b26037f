#pragma once

#include "tools/morvel/commands.h"

#include <QCommandLineOption>
#include <QCommandLineParser>

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace morvel::cli {

// The exit statuses most commands document; a command with codes of its own passes its own text.
inline constexpr std::string_view kCommonExitStatuses =
    "  0  the command did its work\n"
    "  1  it could not (the message says why)\n"
    "  2  the command line was wrong\n";

// One subcommand's command line, parsed by QCommandLineParser. The command declares its options
// and file arguments, then calls Parse(); --help is answered there, and every mistake (an unknown
// option, a missing value, an option given twice, the wrong number of files) is reported there as
// a usage error.
class CommandLine {
public:
    CommandLine(const Command& command, std::string_view description,
                std::string_view exitStatuses = kCommonExitStatuses);

    QCommandLineOption AddValueOption(const char* name, const char* valueName, const char* description);
    QCommandLineOption AddFlag(const char* name, const char* description);
    // A file argument, in order, for the help; Parse() checks how many were given.
    void AddFile(const char* name, const char* description);

    // Returns the exit status when the command is already finished (help shown: kExitSuccess;
    // a mistake reported: kExitUsage), nothing when the command is to go on.
    [[nodiscard]] std::optional<int> Parse(Arguments arguments);

    bool IsSet(const QCommandLineOption& option) const { return parser_.isSet(option); }
    std::optional<std::string> Value(const QCommandLineOption& option) const;
    const std::vector<std::string>& Files() const { return files_; }

    // Prints "morvel <command>: <problem> (see morvel <command> --help)", returns kExitUsage.
    int UsageError(std::string_view problem) const;
    std::string HelpText() const;

private:
    const Command& command_;
    std::string description_;
    std::string exitStatuses_;
    QCommandLineParser parser_;
    QCommandLineOption help_;
    std::vector<QCommandLineOption> options_;
    std::vector<std::pair<std::string, std::string>> fileArguments_; // name, description
    std::vector<std::string> files_;
};

} // namespace morvel::cli
