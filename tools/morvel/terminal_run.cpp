#include "tools/morvel/terminal_run.h"

#include "link/link_session.h"
#include "link/terminal_lines.h"
#include "tools/morvel/cli_support.h"
#include "tools/morvel/cli_texts.h"

#include <cstdio>
#include <iostream>
#include <optional>

namespace morvel::cli {

namespace {

QString Text(const char* utf8)
{
    return QString::fromUtf8(utf8);
}

// Each line of a hint, indented under the failure.
void PrintUnder(const QString& hint)
{
    for (const QString& line : hint.split(u'\n'))
        std::cerr << texts::kHintIndent << line.toLocal8Bit().constData() << '\n';
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

int ReportFailure(const LinkSession::Result& result, ModuleRun run)
{
    QString text = result.text.trimmed();
    if (result.end == RunEnd::TimedOut && !result.waitingStep.isEmpty())
        text = Text(texts::kNoAnswerAt).arg(text, result.waitingStep);
    Fail(text.toLocal8Bit().toStdString());
    if (!result.hint.isEmpty())
        PrintUnder(result.hint);
    if (result.end == RunEnd::LinkBroken && run == ModuleRun::Program)
        PrintUnder(Text(texts::kVerifyTells));
    return kExitFailure;
}

void PrintSummary(const LinkSession::Result& result, ModuleRun run)
{
    const QString seconds = Seconds(result.elapsed);
    const QString summary =
        run == ModuleRun::Program
            ? Text(texts::kProgramSummary).arg(result.counts.frames).arg(result.counts.imageBytes).arg(seconds)
            : Text(texts::kReadSummary).arg(result.counts.bytesReceived).arg(seconds);
    std::cout << summary.toLocal8Bit().constData() << std::endl;
}

} // namespace

int RunOnTerminal(SettingsModel& model, const PortOptions& options, ModuleRun run)
{
    const std::optional<QString> port = ChoosePort(options.request(), ListPortDescriptions, std::cerr);
    if (!port)
        return kExitUsage;

    LinkSession::Result result;
    {
        TerminalLines lines(stderr, options.trace() ? TerminalLines::Animation::Never
                                                    : TerminalLines::Animation::OnTerminal);
        LinkSession session(model, [&lines](const QString& line, bool replaces) { lines.Print(line, replaces); });
        std::optional<WireTrace> trace;
        if (options.trace()) {
            trace.emplace(PrintTraceLine, WireTrace::Side::Tool, options.codes());
            session.SetTrace(&*trace);
        }
        result = run == ModuleRun::Program ? session.Program(*port) : session.Read(*port);
    }
    if (!result.ok())
        return ReportFailure(result, run);
    PrintSummary(result, run);
    return kExitSuccess;
}

} // namespace morvel::cli
