// morvel: the command-line tool for settings files and module images.
#include "tools/morvel/cli_support.h"
#include "tools/morvel/commands.h"

#include <QCoreApplication>

#include <algorithm>
#include <iostream>
#include <string>
#include <vector>

namespace {

using morvel::cli::Command;

// One line per subcommand; a new subcommand adds its line here and its file beside this one.
constexpr Command kCommands[] = {
    {"encode", "SETTINGS.orv IMAGE.bin",
     "Encodes the settings record of the file into the module's 2048-byte memory image, written raw.",
     morvel::cli::RunEncode},
    {"decode", "IMAGE.bin SETTINGS.orv [--onto BASE.orv]",
     "Decodes a 2048-byte module image onto the record and notes of BASE.orv (or onto all-zero\n"
     "blocks, as at program start) and writes them as a settings file.",
     morvel::cli::RunDecode},
    {"dump", "SETTINGS.orv",
     "Prints every field of the settings record and the user notes, one per line.",
     morvel::cli::RunDump},
    {"defaults", "SETTINGS.orv",
     "Writes a settings file holding the start-up defaults and empty user notes.",
     morvel::cli::RunDefaults},
    {"program", "--port PORT SETTINGS.orv",
     "Programs the settings of the file into the module on PORT, as \"Program settings\" does.",
     morvel::cli::RunProgram},
    {"read", "--port PORT OUT.orv [--onto BASE.orv]",
     "Reads the module on PORT onto the defaults (or BASE.orv) and writes a settings file.",
     morvel::cli::RunRead},
};

void PrintOverview(std::ostream& out)
{
    out << "Usage: morvel COMMAND [ARGUMENTS]\n\nCommands:\n";
    for (const Command& command : kCommands)
        out << "  " << command.name << ' ' << command.usage << '\n';
    out << "\nmorvel COMMAND --help describes one command.\n";
}

bool AsksForHelp(const std::vector<std::string>& arguments)
{
    return std::any_of(arguments.begin(), arguments.end(),
                       [](const std::string& argument) { return argument == "--help" || argument == "-h"; });
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication application(argc, argv);
    const std::vector<std::string> arguments(argv + std::min(argc, 1), argv + argc);
    if (arguments.empty()) {
        PrintOverview(std::cerr);
        return morvel::cli::kExitUsage;
    }
    if (arguments.front() == "--help" || arguments.front() == "-h") {
        PrintOverview(std::cout);
        return morvel::cli::kExitSuccess;
    }
    const auto command = std::find_if(std::begin(kCommands), std::end(kCommands),
                                      [&](const Command& c) { return c.name == arguments.front(); });
    if (command == std::end(kCommands)) {
        std::cerr << "morvel: unknown command \"" << arguments.front() << "\"\n";
        PrintOverview(std::cerr);
        return morvel::cli::kExitUsage;
    }
    const std::vector<std::string> rest(arguments.begin() + 1, arguments.end());
    if (AsksForHelp(rest)) {
        std::cout << "Usage: morvel " << command->name << ' ' << command->usage << "\n\n"
                  << command->description << '\n';
        return morvel::cli::kExitSuccess;
    }
    return command->run(rest);
}
