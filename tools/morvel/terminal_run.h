#pragma once

#include "model/settings_record.h"

#include <string>

namespace morvel::cli {

enum class ModuleRun { Program, Read };

// Runs one programming or reading run on the port, printing the information-list lines as they
// come (the progress line rewritten in place on a terminal). Returns kExitSuccess, or prints the
// run's failure and returns kExitFailure.
int RunOnTerminal(SettingsModel& model, const std::string& port, ModuleRun run);

} // namespace morvel::cli
