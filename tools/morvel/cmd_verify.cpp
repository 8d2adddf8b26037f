#include "model/image_codec.h"
#include "tools/morvel/cli_support.h"
#include "tools/morvel/command_line.h"
#include "tools/morvel/module_check.h"
#include "tools/morvel/tool_texts.h"

#include <iostream>
#include <optional>

namespace morvel::cli {

namespace {

constexpr int kExitSame = 0;
constexpr int kExitDifferent = 1;
constexpr int kExitTrouble = 2;

int ExitStatus(Verdict verdict)
{
    return verdict == Verdict::Verified ? kExitSame : verdict == Verdict::Different ? kExitDifferent : kExitTrouble;
}

// The link's lines (a time-out) on stderr, ended before the verdict is printed.
ModuleCheck ReadAndCompare(const ChosenPort& port, const TEepromImage& expected)
{
    SettingsModel untouched; // a read-back decodes nothing
    TerminalLink link(untouched, port, stderr);
    return CheckModule(link, expected);
}

void PrintText(const ModuleCheck& check, const std::string& file)
{
    if (check.verdict == Verdict::Verified) {
        std::cout << QString::fromUtf8(texts::kModuleHolds).arg(FromLocal(file)).toStdString() << '\n';
    } else if (check.verdict == Verdict::Different) {
        PrintDifferences(check.differences, kFileAndModule, std::cout);
        std::cout << DifferenceCount(check.differences) << '\n';
    }
}

} // namespace

int RunVerify(const Command& command, Arguments arguments)
{
    CommandLine line(command,
                     "Reads the module on PORT and compares its memory with the image that programming\n"
                     "SETTINGS.orv writes (image bytes 0 to 1194). Lists each differing field with the page and\n"
                     "caption the window shows it under, both values, and a count. Writes nothing to the module.",
                     texts::kCompareExitStatuses);
    PortOptions portOptions(line);
    const QCommandLineOption json =
        line.AddFlag("json", "Print one JSON document on stdout instead of text.");
    line.AddFile("SETTINGS.orv", "The settings file the module should hold.");
    if (const auto finished = line.Parse(arguments))
        return *finished;
    if (const auto mistake = portOptions.Read(line))
        return *mistake;

    SettingsModel model;
    if (!LoadSettings(line.Files()[0], model.record, model.notes))
        return kExitTrouble;
    EncodeImage(model.record, model.image);
    const std::optional<ChosenPort> port = portOptions.Choose();
    if (!port)
        return kExitTrouble;
    const ModuleCheck check = ReadAndCompare(*port, model.image);
    if (line.IsSet(json)) {
        QJsonObject document = CheckJson(check);
        document.insert(QStringLiteral("file"), FromLocal(line.Files()[0]));
        document.insert(QStringLiteral("port"), port->name);
        PrintJson(document);
    } else {
        PrintText(check, line.Files()[0]);
    }
    if (check.verdict == Verdict::CouldNotVerify)
        PrintFailure(QString::fromUtf8(texts::kCouldNotVerify).arg(QString::fromStdString(check.problem)).toStdString(),
                     check.hint);
    return ExitStatus(check.verdict);
}

} // namespace morvel::cli
