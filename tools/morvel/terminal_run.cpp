#include "tools/morvel/terminal_run.h"

#include "link/link_session.h"
#include "link/terminal_lines.h"
#include "tools/morvel/cli_support.h"

#include <cstdio>

namespace morvel::cli {

int RunOnTerminal(SettingsModel& model, const std::string& port, ModuleRun run)
{
    TerminalLines lines(stdout);
    LinkSession session(model, [&lines](const QString& line, bool replaces) { lines.Print(line, replaces); });
    const QString portName = QString::fromLocal8Bit(port.c_str());
    const LinkSession::Result result = run == ModuleRun::Program ? session.Program(portName) : session.Read(portName);
    if (!result.ok())
        return Fail(result.text.trimmed().toLocal8Bit().toStdString());
    return kExitSuccess;
}

} // namespace morvel::cli
