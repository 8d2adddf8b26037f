#pragma once

#include <span>
#include <string>
#include <string_view>

// The subcommands of the morvel tool. Each takes the arguments after its name and returns the
// process exit status (see cli_support.h). main.cpp lists them with their usage texts.
namespace morvel::cli {

using Arguments = std::span<const std::string>;
using CommandFunction = int (*)(Arguments arguments);

struct Command {
    std::string_view name;
    std::string_view usage;       // the arguments, shown after "morvel <name> "
    std::string_view description; // what the command does, for --help
    CommandFunction run;
};

int RunEncode(Arguments arguments);
int RunDecode(Arguments arguments);
int RunDump(Arguments arguments);
int RunDefaults(Arguments arguments);
int RunProgram(Arguments arguments);
int RunRead(Arguments arguments);

} // namespace morvel::cli
