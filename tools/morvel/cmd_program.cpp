#include "model/defaults.h"
#include "model/settings_file.h"
#include "tools/morvel/cli_support.h"
#include "tools/morvel/command_line.h"
#include "tools/morvel/module_check.h"
#include "tools/morvel/terminal_run.h"
#include "tools/morvel/tool_texts.h"

#include <QJsonValue>

#include <iostream>
#include <optional>

namespace morvel::cli {

namespace {

constexpr int kExitReadBackDiffers = 3;
constexpr int kExitReadBackFailed = 4;

// What the command did, for its messages, its JSON document and its exit status.
struct ProgramOutcome {
    bool programmed = false;
    std::string failure;              // why it was not programmed
    QString hint;                     // and what to do about it
    std::optional<ModuleCheck> check; // none with --no-verify or when nothing was programmed

    int ExitStatus() const
    {
        if (!programmed)
            return kExitFailure;
        if (!check || check->verdict == Verdict::Verified)
            return kExitSuccess;
        return check->verdict == Verdict::Different ? kExitReadBackDiffers : kExitReadBackFailed;
    }
};

QString Text(const char* utf8)
{
    return QString::fromUtf8(utf8);
}

void PrintLine(std::FILE* out, const QString& line)
{
    std::fprintf(out, "%s\n", line.toLocal8Bit().constData());
    std::fflush(out);
}

// Reads the module onto the defaults with empty notes, as `morvel read` does, and saves it with
// the safe save. False, with the reason printed, when either fails.
bool BackUp(const ChosenPort& port, const std::string& file, std::FILE* lines)
{
    SettingsModel old;
    ApplyDefaults(old.record);
    // The link goes with the statement, ending its last line before anything else is printed.
    const LinkSession::Result read = TerminalLink(old, port, lines).Run(ModuleRun::Read);
    if (!read.ok()) {
        PrintFailure(FailureText(read), FailureHint(read, ModuleRun::Read));
        return false;
    }
    if (!SaveSettings(old.record, old.notes, file))
        return false;
    PrintLine(lines, Text(texts::kBackupSaved).arg(FromLocal(file)));
    return true;
}

// Programs, prints the run's summary on `summary`, then reads the module back over the same
// open port and compares it with what the frames carried. The link's last line is ended before
// anything else is printed.
ProgramOutcome ProgramAndVerify(SettingsModel& model, const ChosenPort& port, std::FILE* lines, std::FILE* summary,
                                bool verify)
{
    ProgramOutcome outcome;
    TerminalLink link(model, port, lines);
    const LinkSession::Result programmed = link.Run(ModuleRun::Program);
    link.EndLines();
    outcome.programmed = programmed.ok();
    outcome.failure = FailureText(programmed);
    outcome.hint = FailureHint(programmed, ModuleRun::Program);
    if (outcome.programmed)
        PrintLine(summary, RunSummary(programmed, ModuleRun::Program));
    if (outcome.programmed && verify)
        outcome.check = CheckModule(link, link.ProgrammedImage());
    return outcome;
}

// The verification's result in text: the verdict on stdout, or the report and what to do.
void PrintCheck(const ModuleCheck& check, const std::string& file)
{
    switch (check.verdict) {
    case Verdict::Verified:
        PrintLine(stdout, Text(texts::kVerified).arg(FromLocal(file)));
        break;
    case Verdict::Different:
        PrintDifferences(check.differences, kFileAndModule, std::cout);
        std::cout << DifferenceCount(check.differences) << std::endl;
        break;
    case Verdict::CouldNotVerify:
        break;
    }
}

void PrintCheckProblem(const ModuleCheck& check, const std::string& file)
{
    if (check.verdict == Verdict::Different)
        Fail(Text(texts::kModuleDiffers).arg(FromLocal(file)).toStdString());
    else if (check.verdict == Verdict::CouldNotVerify)
        PrintFailure(Text(texts::kProgrammedNotVerified).arg(QString::fromStdString(check.problem)).toStdString(),
                     check.hint);
}

QJsonObject OutcomeJson(const ProgramOutcome& outcome, const std::string& file, const std::string& port,
                        const std::optional<std::string>& backup)
{
    return {{QStringLiteral("file"), FromLocal(file)},
            {QStringLiteral("port"), FromLocal(port)},
            {QStringLiteral("backup"), backup ? QJsonValue(FromLocal(*backup)) : QJsonValue()},
            {QStringLiteral("programmed"), outcome.programmed},
            {QStringLiteral("verification"), outcome.check ? QJsonValue(CheckJson(*outcome.check)) : QJsonValue()},
            {QStringLiteral("exit"), outcome.ExitStatus()}};
}

} // namespace

int RunProgram(const Command& command, Arguments arguments)
{
    CommandLine line(command,
                     "Programs the settings of SETTINGS.orv into the module on PORT, as \"Program settings\"\n"
                     "does: 27 frames, each acknowledged by the module. Then reads the module back and\n"
                     "compares it with what was programmed, listing each field that differs.\n"
                     "To restore a backup taken with --backup OLD.orv: morvel program --port PORT OLD.orv",
                     texts::kProgramExitStatuses);
    PortOptions portOptions(line);
    const QCommandLineOption noVerify = line.AddFlag("no-verify", "Do not read the module back after programming.");
    const QCommandLineOption backup = line.AddValueOption(
        "backup", "OLD.orv", "First save the module's settings as OLD.orv; if that fails, program nothing.");
    const QCommandLineOption json = line.AddFlag("json", "Print one JSON document on stdout.");
    line.AddFile("SETTINGS.orv", "The settings file to program.");
    if (const auto finished = line.Parse(arguments))
        return *finished;
    if (const auto mistake = portOptions.Read(line))
        return *mistake;
    const std::string& file = line.Files()[0];
    const auto backupFile = line.Value(backup);
    // Progress and messages on stderr; the summary is a result, unless the JSON document is.
    std::FILE* summary = line.IsSet(json) ? stderr : stdout;

    ProgramOutcome outcome;
    SettingsModel model;
    std::optional<ChosenPort> port;
    if (LoadSettings(file, model.record, model.notes)) {
        port = portOptions.Choose();
        if (!port)
            return kExitUsage;
        if (backupFile && !BackUp(*port, *backupFile, stderr)) {
            Fail(texts::kBackupFailed);
        } else {
            outcome = ProgramAndVerify(model, *port, stderr, summary, !line.IsSet(noVerify));
            if (!outcome.programmed)
                PrintFailure(outcome.failure, outcome.hint);
        }
    }

    if (line.IsSet(json))
        PrintJson(OutcomeJson(outcome, file, port ? port->name.toLocal8Bit().toStdString() : portOptions.request().port,
                              backupFile));
    else if (outcome.check)
        PrintCheck(*outcome.check, file);
    if (outcome.check)
        PrintCheckProblem(*outcome.check, file);
    return outcome.ExitStatus();
}

} // namespace morvel::cli
