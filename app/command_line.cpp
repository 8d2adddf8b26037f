#include "app/command_line.h"

#include "app/app_texts.h"
#include "editor/main_window.h"
#include "editor/required_control.h"

#include <QComboBox>
#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFileInfo>
#include <QGuiApplication>

#include <cstdio>

namespace morvel {

namespace {

QString Text(const char* text) { return QString::fromUtf8(text); }

struct LoaderOptions {
    LoaderOptions()
        : help(parser.addHelpOption()),
          version(parser.addVersionOption()),
          port(Text(app_texts::kPortOption), Text(app_texts::kPortHelp), Text(app_texts::kPortValueName))
    {
        parser.setApplicationDescription(Text(app_texts::kDescription));
        parser.addOption(port);
        parser.addPositionalArgument(Text(app_texts::kFileArgument), Text(app_texts::kFileHelp),
                                     Text(app_texts::kFileSyntax));
    }

    QCommandLineParser parser;
    QCommandLineOption help;
    QCommandLineOption version;
    QCommandLineOption port;
};

// The parser offers --help-all beside --help; it has no name of its own to ask for.
const QString kHelpAllOption = QStringLiteral("help-all");

LoaderRequest UsageError(const QString& error)
{
    return {LoaderRequest::Kind::UsageError,
            Text(app_texts::kProgramName) + QStringLiteral(": ") + error + u'\n' + Text(app_texts::kSeeHelp) + u'\n',
            {}, {}};
}

void Print(std::FILE* stream, const QString& text)
{
    std::fputs(text.toLocal8Bit().constData(), stream);
    std::fflush(stream);
}

} // namespace

void NameTheProgram()
{
    QCoreApplication::setApplicationName(Text(app_texts::kProgramName));
    QCoreApplication::setApplicationVersion(QStringLiteral(MORVEL_VERSION));
    QGuiApplication::setDesktopFileName(Text(app_texts::kDesktopFileName));
}

LoaderRequest ParseLoaderArguments(const QStringList& arguments)
{
    LoaderOptions options;
    if (!options.parser.parse(arguments))
        return UsageError(options.parser.errorText());
    if (options.parser.isSet(options.version))
        return {LoaderRequest::Kind::ShowVersion,
                QCoreApplication::applicationName() + u' ' + QCoreApplication::applicationVersion() + u'\n', {}, {}};
    if (options.parser.isSet(options.help))
        return {LoaderRequest::Kind::ShowHelp, options.parser.helpText(), {}, {}};
    if (options.parser.isSet(kHelpAllOption))
        return {LoaderRequest::Kind::ShowHelpWithQt, {}, {}, {}};

    const QStringList files = options.parser.positionalArguments();
    if (files.size() > 1)
        return UsageError(Text(app_texts::kTooManyFiles));
    LoaderRequest request;
    if (!files.isEmpty())
        request.settingsFile = QFileInfo(files.constFirst()).absoluteFilePath();
    if (options.parser.isSet(options.port))
        request.portName = options.parser.value(options.port);
    return request;
}

std::optional<int> AnswerBeforeTheWindow(int argc, char** argv)
{
    const QCoreApplication terminalOnly(argc, argv);
    const LoaderRequest request = ParseLoaderArguments(QCoreApplication::arguments());
    if (request.kind == LoaderRequest::Kind::ShowHelp || request.kind == LoaderRequest::Kind::ShowVersion)
        return AnswerOnTheTerminal(request);
    return std::nullopt;
}

int AnswerOnTheTerminal(const LoaderRequest& request)
{
    switch (request.kind) {
    case LoaderRequest::Kind::ShowHelp:
    case LoaderRequest::Kind::ShowVersion:
        Print(stdout, request.text);
        return kExitSuccess;
    case LoaderRequest::Kind::ShowHelpWithQt: {
        // Only the parser itself can list the options of the application object that exists
        // now; it prints them and ends the process.
        LoaderOptions options;
        options.parser.process(QCoreApplication::arguments());
        return kExitSuccess;
    }
    case LoaderRequest::Kind::UsageError:
        Print(stderr, request.text);
        return kExitUsage;
    case LoaderRequest::Kind::OpenWindow:
        break;
    }
    return kExitSuccess;
}

void ApplyStartRequest(TGlownaF& window, const LoaderRequest& request)
{
    if (request.portName)
        RequireControl<QComboBox>(window, QStringLiteral("CBcom")).setEditText(*request.portName);
    if (!request.settingsFile.isEmpty())
        window.LoadSettingsFile(request.settingsFile);
}

} // namespace morvel
