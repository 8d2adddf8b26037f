#include "fields/field_text.h"
#include "report/report_builder.h"
#include "report/report_file.h"
#include "report/report_texts.h"
#include "tools/morvel/cli_support.h"
#include "tools/morvel/command_line.h"

#include <QDateTime>
#include <QFileInfo>

#include <string>

namespace morvel::cli {

namespace {

constexpr const char* kDescription =
    "Writes the job report of a settings file for the customer: the users, the basic settings in\n"
    "words, what each input edge does (the idle ones in one line), the HIJACK and Arm/Disarm inputs\n"
    "and the outputs with their codes, timers and confirmations. OUT's extension gives the format:\n"
    ".pdf (A4 pages) or .html. The SIM PIN and the SMS access code are printed as **** unless\n"
    "--show-codes is given. Needs no display.";

} // namespace

int RunReport(const Command& command, Arguments arguments)
{
    CommandLine line(command, kDescription);
    const QCommandLineOption showCodes = line.AddFlag("show-codes", "Prints the SIM PIN and the SMS access code.");
    const QCommandLineOption changedOnly =
        line.AddFlag("changed-only", "Lists only the settings that differ from those of a new settings file.");
    line.AddFile("SETTINGS.orv", "The settings file to report.");
    line.AddFile("OUT", "The report to write: OUT.pdf or OUT.html.");
    if (const auto finished = line.Parse(arguments))
        return *finished;
    const std::string& settings = line.Files()[0];
    const std::string& out = line.Files()[1];
    const std::optional<ReportFormat> format = ReportFormatFor(QString::fromLocal8Bit(out.c_str()));
    if (!format)
        return line.UsageError(report_text::kUnknownFormat);

    if (!TextConversionAvailable())
        return Fail("this Qt build cannot convert the Windows-1250 texts");
    SettingsModel model;
    if (!LoadSettings(settings, model.record, model.notes))
        return kExitFailure;

    const ReportSource source{QFileInfo(QString::fromLocal8Bit(settings.c_str())).fileName(),
                              QStringLiteral("morvel " MORVEL_VERSION), QDateTime::currentDateTime(), std::nullopt};
    const ReportOptions options{line.IsSet(showCodes) ? ReportCodes::Shown : ReportCodes::Hidden,
                                line.IsSet(changedOnly) ? ReportScope::ChangedOnly : ReportScope::Everything};
    const ReportDocument report = BuildReport(model.record, model.notes, source, options);
    if (const auto error = WriteReportFile(report, *format, out))
        return Fail(*error);
    return kExitSuccess;
}

} // namespace morvel::cli
