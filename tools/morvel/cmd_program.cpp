#include "tools/morvel/cli_support.h"
#include "tools/morvel/command_line.h"
#include "tools/morvel/terminal_run.h"

namespace morvel::cli {

int RunProgram(const Command& command, Arguments arguments)
{
    CommandLine line(command,
                     "Programs the settings of SETTINGS.orv into the module on PORT, as \"Program settings\"\n"
                     "does: 27 frames, each acknowledged by the module. Progress goes to stderr, the closing\n"
                     "summary (\"27 frames, 1195 bytes in 0.13 s\") to stdout.",
                     kModuleExitStatuses);
    PortOptions portOptions(line);
    line.AddFile("SETTINGS.orv", "The settings file to program.");
    if (const auto finished = line.Parse(arguments))
        return *finished;
    if (const auto mistake = portOptions.Read(line))
        return *mistake;

    SettingsModel model;
    if (!LoadSettings(line.Files()[0], model.record, model.notes))
        return kExitFailure;
    return RunOnTerminal(model, portOptions, ModuleRun::Program);
}

} // namespace morvel::cli
