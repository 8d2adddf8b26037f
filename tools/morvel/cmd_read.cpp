#include "model/defaults.h"
#include "tools/morvel/cli_support.h"
#include "tools/morvel/command_line.h"
#include "tools/morvel/terminal_run.h"
#include "tools/morvel/tool_texts.h"

namespace morvel::cli {

int RunRead(const Command& command, Arguments arguments)
{
    CommandLine line(command,
                     "Reads the module on PORT, as \"Read settings\" does, onto the start-up defaults (or onto\n"
                     "the settings and user notes of BASE.orv) and writes the result as a settings file.\n"
                     "Progress goes to stderr, the closing summary (\"1703 bytes in 0.16 s\") to stdout.",
                     texts::kModuleExitStatuses);
    PortOptions portOptions(line);
    const QCommandLineOption onto =
        line.AddValueOption("onto", "BASE.orv", "Read onto the settings and user notes of this file.");
    line.AddFile("OUT.orv", "The settings file to write.");
    if (const auto finished = line.Parse(arguments))
        return *finished;
    if (const auto mistake = portOptions.Read(line))
        return *mistake;

    // The module's settings land on the record the window would show: the start-up defaults,
    // or the settings (and user notes) of BASE.orv.
    SettingsModel model;
    if (const auto base = line.Value(onto)) {
        if (!LoadSettings(*base, model.record, model.notes))
            return kExitFailure;
    } else {
        ApplyDefaults(model.record);
    }
    if (const int status = RunOnTerminal(model, portOptions, ModuleRun::Read); status != kExitSuccess)
        return status;
    return SaveSettings(model.record, model.notes, line.Files()[0]) ? kExitSuccess : kExitFailure;
}

} // namespace morvel::cli
