#pragma once

#include "model/settings_record.h"
#include "tools/morvel/port_options.h"

namespace morvel::cli {

enum class ModuleRun { Program, Read };

// Runs one programming or reading run on the port the options name. The information-list lines
// go to stderr as they come (the progress line rewritten in place on a terminal, unless a trace
// is printed in between); the closing summary ("27 frames, 1195 bytes in 0.13 s") goes to stdout.
// Returns kExitSuccess; or prints the failure, with what to do under it, and returns
// kExitFailure; or kExitUsage when there was no port to open.
int RunOnTerminal(SettingsModel& model, const PortOptions& options, ModuleRun run);

} // namespace morvel::cli
