#pragma once

#include "link/link_session.h"
#include "link/terminal_lines.h"
#include "model/settings_record.h"

#include <cstdio>
#include <string>

namespace morvel::cli {

enum class ModuleRun { Program, Read };

// The runs of one command on one port, as the window makes them: one link whose port stays open
// from one run to the next. The information-list lines go to `lines` as they come (the progress
// line rewritten in place on a terminal); the last one is ended when the object goes.
class TerminalLink {
public:
    TerminalLink(SettingsModel& model, const std::string& port, std::FILE* lines);

    // Programs model.record, or reads the module onto it.
    LinkSession::Result Run(ModuleRun run);
    // Reads the module's memory into `moduleImage`, decoding nothing.
    LinkSession::Result ReadBack(TEepromImage& moduleImage);
    // What the latest programming run sent.
    const TEepromImage& ProgrammedImage() const { return session_.ProgrammedImage(); }

private:
    TerminalLines lines_;
    LinkSession session_;
    QString port_;
};

// One run with the lines on stdout. Returns kExitSuccess, or prints the run's failure and
// returns kExitFailure.
int RunOnTerminal(SettingsModel& model, const std::string& port, ModuleRun run);

// The failure's text of a run that did not succeed, for a message.
std::string FailureText(const LinkSession::Result& result);

} // namespace morvel::cli
