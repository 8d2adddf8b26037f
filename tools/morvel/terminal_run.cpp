#include "tools/morvel/terminal_run.h"

#include "tools/morvel/cli_support.h"
#include "tools/morvel/tool_texts.h"

#include <iostream>

namespace morvel::cli {

namespace {

QString Text(const char* utf8)
{
    return QString::fromUtf8(utf8);
}

void PrintTraceLine(const std::string& line)
{
    std::fprintf(stderr, "%s\n", line.c_str());
    std::fflush(stderr);
}

QString Seconds(std::chrono::milliseconds elapsed)
{
    return QString::number(double(elapsed.count()) / 1000.0, 'f', 2);
}

} // namespace

TerminalLink::TerminalLink(SettingsModel& model, const ChosenPort& port, std::FILE* lines)
    : lines_(lines, port.trace ? TerminalLines::Animation::Never : TerminalLines::Animation::OnTerminal)
    , session_(model, [this](const QString& line, bool replaces) { lines_.Print(line, replaces); })
    , port_(port.name)
{
    if (port.trace) {
        trace_.emplace(PrintTraceLine, WireTrace::Side::Tool, port.codes);
        session_.SetTrace(&*trace_);
    }
}

LinkSession::Result TerminalLink::Run(ModuleRun run)
{
    return run == ModuleRun::Program ? session_.Program(port_) : session_.Read(port_);
}

LinkSession::Result TerminalLink::ReadBack(TEepromImage& moduleImage)
{
    return session_.ReadBack(port_, moduleImage);
}

int RunOnTerminal(SettingsModel& model, const PortOptions& options, ModuleRun run)
{
    const std::optional<ChosenPort> port = options.Choose();
    if (!port)
        return kExitUsage;
    TerminalLink link(model, *port, stderr);
    const LinkSession::Result result = link.Run(run);
    link.EndLines();
    if (!result.ok()) {
        PrintFailure(FailureText(result), FailureHint(result, run));
        return kExitFailure;
    }
    std::cout << RunSummary(result, run).toLocal8Bit().constData() << std::endl;
    return kExitSuccess;
}

std::string FailureText(const LinkSession::Result& result)
{
    QString text = result.text.trimmed();
    if (result.end == RunEnd::TimedOut && !result.waitingStep.isEmpty())
        text = Text(texts::kNoAnswerAt).arg(text, result.waitingStep);
    return text.toLocal8Bit().toStdString();
}

QString FailureHint(const LinkSession::Result& result, ModuleRun run)
{
    QString hint = result.hint;
    if (result.end == RunEnd::LinkBroken && run == ModuleRun::Program)
        hint += (hint.isEmpty() ? QString() : QStringLiteral("\n")) + Text(texts::kVerifyTells);
    return hint;
}

void PrintFailure(const std::string& failure, const QString& hint)
{
    Fail(failure);
    if (hint.isEmpty())
        return;
    for (const QString& line : hint.split(u'\n'))
        std::cerr << texts::kHintIndent << line.toLocal8Bit().constData() << '\n';
}

QString RunSummary(const LinkSession::Result& result, ModuleRun run)
{
    const QString seconds = Seconds(result.elapsed);
    if (run == ModuleRun::Program)
        return Text(texts::kProgramSummary).arg(result.counts.frames).arg(result.counts.imageBytes).arg(seconds);
    return Text(texts::kReadSummary).arg(result.counts.bytesReceived).arg(seconds);
}

} // namespace morvel::cli
