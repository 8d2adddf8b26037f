#include "tools/morvel/cli_support.h"
#include "tools/morvel/command_line.h"
#include "tools/morvel/commands.h"
#include "tools/morvel/port_listing.h"

#include <iostream>

namespace morvel::cli {

int RunPorts(const Command& command, Arguments arguments)
{
    CommandLine line(command,
                     "Lists the serial ports, one line each, the fields separated by tabs: name, system location,\n"
                     "description, maker, VID:PID and USB serial number (empty where the system has none).\n"
                     "The name is what --port takes.",
                     "  0  the ports are listed (also when there are none: then stderr says so)\n"
                     "  2  the command line was wrong\n");
    const QCommandLineOption json = line.AddFlag("json", "Print one JSON document: {\"ports\": [{\"name\": ...}, ...]}.");
    if (const auto finished = line.Parse(arguments))
        return *finished;
    PrintPortList(ListPortDescriptions(), line.IsSet(json) ? ListFormat::Json : ListFormat::Lines, std::cout, std::cerr);
    return kExitSuccess;
}

} // namespace morvel::cli
