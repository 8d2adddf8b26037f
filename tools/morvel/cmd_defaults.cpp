#include "model/defaults.h"
#include "tools/morvel/cli_support.h"
#include "tools/morvel/commands.h"

namespace morvel::cli {

int RunDefaults(Arguments arguments)
{
    if (arguments.size() != 1)
        return UsageError("defaults", "expects SETTINGS.orv");
    SettingsModel model;
    ApplyDefaults(model.record);
    return SaveSettings(model.record, model.notes, arguments[0]) ? kExitSuccess : kExitFailure;
}

} // namespace morvel::cli
