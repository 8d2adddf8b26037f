#include "tools/morvel/cli_support.h"
#include "tools/morvel/commands.h"
#include "tools/morvel/terminal_run.h"

#include <optional>
#include <string>

namespace morvel::cli {

namespace {

constexpr std::string_view kCommand = "program";
constexpr std::string_view kPortOption = "--port";

} // namespace

int RunProgram(Arguments arguments)
{
    const std::optional<CommandLine> line = ParseCommandLine(kCommand, arguments, {kPortOption});
    if (!line)
        return kExitUsage;
    const std::optional<std::string> port = line->Option(kPortOption);
    if (!port)
        return UsageError(kCommand, "expects --port PORT");
    if (line->files.size() != 1)
        return UsageError(kCommand, "expects one SETTINGS.orv");

    SettingsModel model;
    if (!LoadSettings(line->files[0], model.record, model.notes))
        return kExitFailure;
    return RunOnTerminal(model, *port, ModuleRun::Program);
}

} // namespace morvel::cli
