#include "tools/morvel/cli_support.h"
#include "tools/morvel/command_line.h"
#include "tools/morvel/comparison_report.h"
#include "tools/morvel/tool_texts.h"

#include <iostream>

namespace morvel::cli {

namespace {

constexpr int kExitSame = 0;
constexpr int kExitDifferent = 1;
constexpr int kExitTrouble = 2;

} // namespace

int RunDiff(const Command& command, Arguments arguments)
{
    CommandLine line(command,
                     "Compares two settings files field by field over the record and the user notes: one line\n"
                     "per differing field, with the page and caption the window shows it under and both values.\n"
                     "Prints nothing when they hold the same settings.",
                     texts::kCompareExitStatuses);
    const QCommandLineOption all =
        line.AddFlag("all", "Also list differing reserved bytes and stale text tails, by offset.");
    const QCommandLineOption json =
        line.AddFlag("json", "Print one JSON document on stdout instead of text.");
    line.AddFile("A.orv", "The first settings file.");
    line.AddFile("B.orv", "The second settings file.");
    if (const auto finished = line.Parse(arguments))
        return *finished;

    const std::string& a = line.Files()[0];
    const std::string& b = line.Files()[1];
    SettingsModel first, second;
    if (!LoadSettings(a, first.record, first.notes) || !LoadSettings(b, second.record, second.notes))
        return kExitTrouble;
    const auto differences = CompareSettings(first.record, first.notes, second.record, second.notes,
                                             line.IsSet(all) ? ComparedBytes::EveryByte : ComparedBytes::Values);
    if (line.IsSet(json)) {
        PrintJson({{QStringLiteral("verdict"), differences.empty() ? QStringLiteral("same") : QStringLiteral("different")},
                   {QStringLiteral("a"), FromLocal(a)},
                   {QStringLiteral("b"), FromLocal(b)},
                   {QStringLiteral("differences"), DifferencesJson(differences, {"a", "b"})}});
    } else if (!differences.empty()) {
        PrintDifferences(differences, {a, b}, std::cout);
    }
    return differences.empty() ? kExitSame : kExitDifferent;
}

} // namespace morvel::cli
