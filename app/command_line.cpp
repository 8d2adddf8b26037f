#include "app/command_line.h"

#include "app/app_texts.h"
#include "editor/main_window.h"
#include "editor/required_control.h"

#include <QComboBox>
#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLineEdit>

#include <cstdio>

namespace morvel {

namespace {

QString Text(const char* text) { return QString::fromUtf8(text); }

struct LoaderOptions {
    LoaderOptions()
    {
        parser.setApplicationDescription(Text(app_texts::kDescription));
        parser.addOptions({help, version, port});
        parser.addPositionalArgument(Text(app_texts::kFileArgument), Text(app_texts::kFileHelp),
                                     Text(app_texts::kFileSyntax));
    }

    QCommandLineParser parser;
    const QCommandLineOption help{{QStringLiteral("h"), QStringLiteral("help")}, Text(app_texts::kHelpHelp)};
    const QCommandLineOption version{{QStringLiteral("v"), QStringLiteral("version")}, Text(app_texts::kVersionHelp)};
    const QCommandLineOption port{Text(app_texts::kPortOption), Text(app_texts::kPortHelp),
                                  Text(app_texts::kPortValueName)};
};

LoaderRequest UsageError(const QString& problem)
{
    const QString program = Text(app_texts::kProgramName);
    return {LoaderRequest::Kind::UsageError,
            QStringLiteral("%1: %2 (see %1 --help)\n").arg(program, problem), {}, {}};
}

// Qt's usage line names the program by the path it was started with; the help names it plainly.
QString HelpText(const QCommandLineParser& parser)
{
    QString text = parser.helpText();
    text.replace(0, text.indexOf(u'\n'), QStringLiteral("Usage: %1 [options] %2")
                                             .arg(Text(app_texts::kProgramName), Text(app_texts::kFileSyntax)));
    return text + Text(app_texts::kExitStatuses);
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
    if (options.parser.isSet(options.help))
        return {LoaderRequest::Kind::ShowHelp, HelpText(options.parser), {}, {}};
    if (options.parser.isSet(options.version))
        return {LoaderRequest::Kind::ShowVersion,
                QCoreApplication::applicationName() + u' ' + QCoreApplication::applicationVersion() + u'\n', {}, {}};

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
    if (request.portName) {
        auto& portBox = RequireControl<QComboBox>(window, QStringLiteral("CBcom"));
        portBox.setEditText(*request.portName);
        // A path longer than the box shows its beginning, "/dev/..." or "/tmp/...".
        portBox.lineEdit()->setCursorPosition(0);
    }
    if (!request.settingsFile.isEmpty())
        window.LoadSettingsFile(request.settingsFile);
}

} // namespace morvel
