#pragma once

#include "link/link_session.h"
#include "link/terminal_lines.h"
#include "link/wire_trace.h"
#include "model/settings_record.h"
#include "tools/morvel/port_options.h"

#include <QString>

#include <cstdio>
#include <optional>
#include <string>

namespace morvel::cli {

enum class ModuleRun { Program, Read };

// The runs of one command on one port, as the window makes them: one link whose port stays open
// from one run to the next. The information-list lines go to `lines` as they come (the progress
// line rewritten in place on a terminal, unless a trace is printed in between); the last one is
// ended when the object goes or by EndLines(). With a trace, every write and reception goes to
// stderr.
class TerminalLink {
public:
    TerminalLink(SettingsModel& model, const ChosenPort& port, std::FILE* lines);

    // Programs model.record, or reads the module onto it.
    LinkSession::Result Run(ModuleRun run);
    // Reads the module's memory into `moduleImage`, decoding nothing.
    LinkSession::Result ReadBack(TEepromImage& moduleImage);
    // What the latest programming run sent.
    const TEepromImage& ProgrammedImage() const { return session_.ProgrammedImage(); }
    // Ends the newest line, so that other output can follow.
    void EndLines() { lines_.EndLine(); }

private:
    TerminalLines lines_;
    std::optional<WireTrace> trace_;
    LinkSession session_;
    QString port_;
};

// One run on the port the options choose, with the lines on stderr and the summary on stdout.
// Returns kExitSuccess; or prints the failure with what to do and returns kExitFailure; or
// kExitUsage when there was no port to open.
int RunOnTerminal(SettingsModel& model, const PortOptions& options, ModuleRun run);

// The failure's text of a run that did not succeed, for a message; a time-out's names the step
// that got no reply ("No answer from module: no reply to frame 12 of 27").
std::string FailureText(const LinkSession::Result& result);
// What to do about the failure, possibly several lines; empty when nothing is known. After a
// programming run that lost its adapter it also points to `morvel verify`.
QString FailureHint(const LinkSession::Result& result, ModuleRun run);
// Prints "morvel: <failure>" and the hint's lines indented under it on stderr.
void PrintFailure(const std::string& failure, const QString& hint);
// "27 frames, 1195 bytes in 0.13 s" after programming, "1703 bytes in 0.16 s" after reading.
QString RunSummary(const LinkSession::Result& result, ModuleRun run);

} // namespace morvel::cli
