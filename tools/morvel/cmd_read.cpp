#include "model/defaults.h"
#include "tools/morvel/cli_support.h"
#include "tools/morvel/commands.h"
#include "tools/morvel/terminal_run.h"

#include <optional>
#include <string>

namespace morvel::cli {

namespace {

constexpr std::string_view kCommand = "read";
constexpr std::string_view kPortOption = "--port";
constexpr std::string_view kOntoOption = "--onto";

} // namespace

int RunRead(Arguments arguments)
{
    const std::optional<CommandLine> line = ParseCommandLine(kCommand, arguments, {kPortOption, kOntoOption});
    if (!line)
        return kExitUsage;
    const std::optional<std::string> port = line->Option(kPortOption);
    if (!port)
        return UsageError(kCommand, "expects --port PORT");
    if (line->files.size() != 1)
        return UsageError(kCommand, "expects one OUT.orv");

    // The module's settings land on the record the window would show: the start-up defaults,
    // or the settings (and user notes) of BASE.orv.
    SettingsModel model;
    if (const std::optional<std::string> base = line->Option(kOntoOption)) {
        if (!LoadSettings(*base, model.record, model.notes))
            return kExitFailure;
    } else {
        ApplyDefaults(model.record);
    }
    if (const int status = RunOnTerminal(model, *port, ModuleRun::Read); status != kExitSuccess)
        return status;
    return SaveSettings(model.record, model.notes, line->files[0]) ? kExitSuccess : kExitFailure;
}

} // namespace morvel::cli
