#include "tools/morvel/terminal_run.h"

#include "link/terminal_lines.h"
#include "tools/morvel/cli_support.h"

namespace morvel::cli {

namespace {

QString PortName(const std::string& port)
{
    return QString::fromLocal8Bit(port.c_str());
}

} // namespace

LinkSession::Result RunModule(SettingsModel& model, const std::string& port, ModuleRun run, std::FILE* out)
{
    TerminalLines lines(out);
    LinkSession session(model, [&lines](const QString& line, bool replaces) { lines.Print(line, replaces); });
    return run == ModuleRun::Program ? session.Program(PortName(port)) : session.Read(PortName(port));
}

int RunOnTerminal(SettingsModel& model, const std::string& port, ModuleRun run)
{
    const LinkSession::Result result = RunModule(model, port, run, stdout);
    if (!result.ok())
        return Fail(FailureText(result));
    return kExitSuccess;
}

std::string FailureText(const LinkSession::Result& result)
{
    return result.text.trimmed().toLocal8Bit().toStdString();
}

LinkSession::Result ReadBackOnTerminal(const std::string& port, TEepromImage& moduleImage, std::FILE* out)
{
    TerminalLines lines(out);
    SettingsModel untouched; // a read-back decodes nothing
    LinkSession session(untouched, [&lines](const QString& line, bool replaces) { lines.Print(line, replaces); });
    return session.ReadBack(PortName(port), moduleImage);
}

} // namespace morvel::cli
