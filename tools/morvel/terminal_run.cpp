#include "tools/morvel/terminal_run.h"

#include "tools/morvel/cli_support.h"

namespace morvel::cli {

TerminalLink::TerminalLink(SettingsModel& model, const std::string& port, std::FILE* lines)
    : lines_(lines)
    , session_(model, [this](const QString& line, bool replaces) { lines_.Print(line, replaces); })
    , port_(QString::fromLocal8Bit(port.c_str()))
{
}

LinkSession::Result TerminalLink::Run(ModuleRun run)
{
    return run == ModuleRun::Program ? session_.Program(port_) : session_.Read(port_);
}

LinkSession::Result TerminalLink::ReadBack(TEepromImage& moduleImage)
{
    return session_.ReadBack(port_, moduleImage);
}

int RunOnTerminal(SettingsModel& model, const std::string& port, ModuleRun run)
{
    const LinkSession::Result result = TerminalLink(model, port, stdout).Run(run);
    if (!result.ok())
        return Fail(FailureText(result));
    return kExitSuccess;
}

std::string FailureText(const LinkSession::Result& result)
{
    return result.text.trimmed().toLocal8Bit().toStdString();
}

} // namespace morvel::cli
