#include "tools/morvel/cli_support.h"
#include "tools/morvel/command_line.h"
#include "tools/morvel/terminal_run.h"

namespace morvel::cli {

int RunProgram(const Command& command, Arguments arguments)
{
    CommandLine line(command, "Programs the settings of SETTINGS.orv into the module on PORT, as \"Program settings\"\n"
                              "does: 27 frames, each acknowledged by the module.");
    const QCommandLineOption port = line.AddValueOption("port", "PORT", "The serial port the module is on.");
    line.AddFile("SETTINGS.orv", "The settings file to program.");
    if (const auto finished = line.Parse(arguments))
        return *finished;
    const auto portName = line.Value(port);
    if (!portName)
        return line.UsageError("expects --port PORT");

    SettingsModel model;
    if (!LoadSettings(line.Files()[0], model.record, model.notes))
        return kExitFailure;
    return RunOnTerminal(model, *portName, ModuleRun::Program);
}

} // namespace morvel::cli
