#pragma once

#include <QString>
#include <QStringList>

#include <optional>

namespace morvel {

class TGlownaF;

// Exit statuses of morvel-loader.
inline constexpr int kExitSuccess = 0;
inline constexpr int kExitFailure = 1;
inline constexpr int kExitUsage = 2;

// What the command line asks of the program: the window, perhaps with a settings file to load
// and a port name to put into the port box, or an answer on the terminal instead.
struct LoaderRequest {
    enum class Kind {
        OpenWindow,
        ShowHelp,     // `text` on stdout
        ShowVersion,  // `text` on stdout
        UsageError,   // `text` on stderr
    };
    Kind kind = Kind::OpenWindow;
    QString text;
    QString settingsFile;  // absolute; empty when none is given
    std::optional<QString> portName;
};

// Sets the name, version and desktop id that --version and the desktop see. Call first.
void NameTheProgram();

// Reads the arguments, the program's own name first, as QCoreApplication::arguments() gives
// them: --help, --version, --port PATH and at most one settings file.
LoaderRequest ParseLoaderArguments(const QStringList& arguments);

// Answers --help and --version before any window exists, so that they need no display.
// Returns the exit status when the request was answered; nothing when the window's platform
// must start first: to open the window, or to strip Qt's own options (-platform, -style ...)
// before the remaining arguments are judged.
std::optional<int> AnswerBeforeTheWindow(int argc, char** argv);

// Prints what a request other than OpenWindow asks for and returns the exit status.
int AnswerOnTheTerminal(const LoaderRequest& request);

// After start-up: the requested port into the port box, then the requested file loaded
// exactly as "Load ..." loads a chosen file.
void ApplyStartRequest(TGlownaF& window, const LoaderRequest& request);

} // namespace morvel
