#include "tools/morvel/command_line.h"

#include "tools/morvel/cli_support.h"

#include <algorithm>
#include <iostream>
#include <utility>

namespace morvel::cli {

namespace {

QString Local(std::string_view text)
{
    return QString::fromLocal8Bit(text.data(), qsizetype(text.size()));
}

std::string Local(const QString& text)
{
    return text.toLocal8Bit().toStdString();
}

} // namespace

CommandLine::CommandLine(const Command& command, std::string_view description, std::string_view exitStatuses)
    : command_(command)
    , description_(description)
    , exitStatuses_(exitStatuses)
    , help_(QStringList{QStringLiteral("h"), QStringLiteral("help")}, QStringLiteral("Shows this help."))
{
    parser_.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser_.addOption(help_);
}

QCommandLineOption CommandLine::AddValueOption(const char* name, const char* valueName, const char* description)
{
    QCommandLineOption option(QString::fromUtf8(name), QString::fromUtf8(description), QString::fromUtf8(valueName));
    parser_.addOption(option);
    options_.push_back(option);
    return option;
}

QCommandLineOption CommandLine::AddFlag(const char* name, const char* description)
{
    QCommandLineOption option(QString::fromUtf8(name), QString::fromUtf8(description));
    parser_.addOption(option);
    options_.push_back(option);
    return option;
}

void CommandLine::AddFile(const char* name, const char* description)
{
    parser_.addPositionalArgument(QString::fromUtf8(name), QString::fromUtf8(description));
    fileArguments_.emplace_back(name, description);
}

void CommandLine::AddMoreArguments(const char* name, const char* description)
{
    parser_.addPositionalArgument(QString::fromUtf8(name), QString::fromUtf8(description));
    moreArguments_.emplace(name, description);
}

std::optional<int> CommandLine::Parse(Arguments arguments)
{
    QStringList list{QStringLiteral("morvel")};
    for (const std::string& argument : arguments)
        list << Local(argument);
    if (!parser_.parse(list))
        return UsageError(Local(parser_.errorText()));
    if (parser_.isSet(help_)) {
        std::cout << HelpText();
        return kExitSuccess;
    }
    for (const QCommandLineOption& option : options_) {
        // Counted by name, so that a flag given twice is caught as well as a value option.
        const auto given = std::count_if(parser_.optionNames().cbegin(), parser_.optionNames().cend(),
                                         [&option](const QString& name) { return option.names().contains(name); });
        if (given > 1)
            return UsageError("--" + Local(option.names().constFirst()) + " given twice");
    }
    for (const QString& file : parser_.positionalArguments()) {
        if (files_.size() < fileArguments_.size())
            files_.push_back(Local(file));
        else
            more_.push_back(Local(file));
    }
    if (files_.size() != fileArguments_.size() || (!more_.empty() && !moreArguments_)) {
        if (fileArguments_.empty())
            return UsageError("takes no files");
        std::string expected;
        for (const auto& [name, description] : fileArguments_)
            expected += (expected.empty() ? "" : " and ") + name;
        return UsageError("expects " + expected);
    }
    return std::nullopt;
}

std::optional<std::string> CommandLine::Value(const QCommandLineOption& option) const
{
    if (!parser_.isSet(option))
        return std::nullopt;
    return Local(parser_.value(option));
}

int CommandLine::UsageError(std::string_view problem) const
{
    std::cerr << "morvel " << command_.name << ": " << problem << " (see morvel " << command_.name << " --help)\n";
    return kExitUsage;
}

std::string CommandLine::HelpText() const
{
    // Laid out here rather than by QCommandLineParser::helpText(), which names the program
    // without its command and breaks file names longer than the longest option in the middle.
    std::vector<std::pair<std::string, std::string>> options{{"-h, --help", Local(help_.description())}};
    for (const QCommandLineOption& option : options_) {
        std::string name = "--" + Local(option.names().constFirst());
        if (!option.valueName().isEmpty())
            name += ' ' + Local(option.valueName());
        options.emplace_back(name, Local(option.description()));
    }
    std::size_t width = 0;
    for (const auto& [name, description] : options)
        width = std::max(width, name.size());
    std::vector<std::pair<std::string, std::string>> positional = fileArguments_;
    if (moreArguments_)
        positional.push_back(*moreArguments_);
    for (const auto& [name, description] : positional)
        width = std::max(width, name.size());
    const auto rows = [width](const std::vector<std::pair<std::string, std::string>>& entries) {
        std::string text;
        for (const auto& [name, description] : entries)
            text += "  " + name + std::string(width - name.size() + 2, ' ') + description + '\n';
        return text;
    };
    std::string help = "Usage: morvel " + std::string(command_.name) + ' ' + std::string(command_.synopsis)
        + "\n\n" + description_ + "\n\nOptions:\n" + rows(options);
    if (!positional.empty())
        help += std::string(moreArguments_ ? "\nArguments:\n" : "\nFiles:\n") + rows(positional);
    return help + "\nExit status:\n" + exitStatuses_;
}

} // namespace morvel::cli
