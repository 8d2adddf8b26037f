#pragma once

#include "link/link_session.h"
#include "model/settings_record.h"

#include <cstdio>
#include <string>

namespace morvel::cli {

enum class ModuleRun { Program, Read };

// Runs one programming or reading run on the port, printing the information-list lines on `lines`
// as they come (the progress line rewritten in place on a terminal), and returns how it ended.
LinkSession::Result RunModule(SettingsModel& model, const std::string& port, ModuleRun run, std::FILE* lines);

// RunModule with the lines on stdout. Returns kExitSuccess, or prints the run's failure and
// returns kExitFailure.
int RunOnTerminal(SettingsModel& model, const std::string& port, ModuleRun run);

// The failure's text of a run that did not succeed, for a message.
std::string FailureText(const LinkSession::Result& result);

// Reads the module's memory into `moduleImage` with the reading run, decoding nothing; the lines
// of the information list (a time-out) go to `lines`. Prints nothing else.
LinkSession::Result ReadBackOnTerminal(const std::string& port, TEepromImage& moduleImage, std::FILE* lines);

} // namespace morvel::cli
