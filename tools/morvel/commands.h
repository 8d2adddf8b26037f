#pragma once

#include <span>
#include <string>
#include <string_view>

// The subcommands of the morvel tool. main.cpp lists them; each lives in a cmd_<name>.cpp of its
// own, parses its own command line (command_line.h) and returns the process exit status.
namespace morvel::cli {

using Arguments = std::span<const std::string>;

struct Command;
using CommandFunction = int (*)(const Command& command, Arguments arguments);

// The Qt application a command runs in: the plain core one, or a graphical one on the offscreen
// platform for a command that lays out pages (it needs fonts, never a display).
enum class CommandApplication {
    Core,
    OffscreenGui,
};

struct Command {
    std::string_view name;
    std::string_view synopsis; // the arguments, shown after "morvel <name> "
    std::string_view summary;  // one line for the overview of all commands
    CommandFunction run;
    CommandApplication application = CommandApplication::Core;
};

int RunEncode(const Command& command, Arguments arguments);
int RunDecode(const Command& command, Arguments arguments);
int RunDump(const Command& command, Arguments arguments);
int RunDefaults(const Command& command, Arguments arguments);
int RunProgram(const Command& command, Arguments arguments);
int RunRead(const Command& command, Arguments arguments);
int RunPorts(const Command& command, Arguments arguments);
int RunVerify(const Command& command, Arguments arguments);
int RunDiff(const Command& command, Arguments arguments);
int RunReport(const Command& command, Arguments arguments);
int RunSet(const Command& command, Arguments arguments);

} // namespace morvel::cli
