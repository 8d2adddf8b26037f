#include "model/defaults.h"
#include "tools/morvel/cli_support.h"
#include "tools/morvel/command_line.h"

namespace morvel::cli {

int RunDefaults(const Command& command, Arguments arguments)
{
    CommandLine line(command, "Writes a settings file holding the start-up defaults and empty user notes.");
    line.AddFile("SETTINGS.orv", "The settings file to write.");
    if (const auto finished = line.Parse(arguments))
        return *finished;

    SettingsModel model;
    ApplyDefaults(model.record);
    return SaveSettings(model.record, model.notes, line.Files()[0]) ? kExitSuccess : kExitFailure;
}

} // namespace morvel::cli
