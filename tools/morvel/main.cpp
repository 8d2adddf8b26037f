// morvel: the command-line tool for settings files and modules.
#include "tools/morvel/cli_support.h"
#include "tools/morvel/commands.h"

#include <QCoreApplication>
#include <QGuiApplication>

#include <algorithm>
#include <iostream>
#include <memory>
#include <string>
#include <vector>

namespace {

using morvel::cli::Command;

// One line per subcommand; a new subcommand adds its line here and its file beside this one.
constexpr Command kCommands[] = {
    {"encode", "SETTINGS.orv IMAGE.bin", "Encode the settings into the module's memory image.",
     morvel::cli::RunEncode},
    {"decode", "[--onto BASE.orv] IMAGE.bin SETTINGS.orv", "Decode a memory image into a settings file.",
     morvel::cli::RunDecode},
    {"dump", "[--json] SETTINGS.orv", "Print every field of a settings file.", morvel::cli::RunDump},
    {"diff", "[--all] [--json] A.orv B.orv", "List the fields in which two settings files differ.",
     morvel::cli::RunDiff},
    {"defaults", "SETTINGS.orv", "Write a settings file holding the start-up defaults.", morvel::cli::RunDefaults},
    {"program", "--port PORT|auto [--wait SECONDS] [--trace] [--backup OLD.orv] [--no-verify] [--json] SETTINGS.orv",
     "Program the settings into the module on PORT and verify them.", morvel::cli::RunProgram},
    {"read", "--port PORT|auto [--wait SECONDS] [--trace] [--onto BASE.orv] OUT.orv",
     "Read the module on PORT into a settings file.", morvel::cli::RunRead},
    {"verify", "--port PORT|auto [--wait SECONDS] [--trace] [--json] SETTINGS.orv",
     "Check that the module on PORT holds the settings of a file.", morvel::cli::RunVerify},
    {"ports", "[--json]", "List the serial ports with their adapters' descriptions.", morvel::cli::RunPorts},
    {"report", "[--show-codes] [--changed-only] SETTINGS.orv OUT.pdf|OUT.html",
     "Write the job report of a settings file as a PDF or an HTML page.", morvel::cli::RunReport,
     morvel::cli::CommandApplication::OffscreenGui},
    {"set", "SETTINGS.orv FIELD=VALUE ... | --from CHANGES.json", "Change named fields of a settings file.",
     morvel::cli::RunSet},
};

constexpr char kProgram[] = "morvel";

void PrintOverview(std::ostream& out)
{
    out << "Usage: " << kProgram << " COMMAND [OPTIONS] [FILES]\n\n"
        << "Works with the settings files (.orv) and the memory image of the Morvel module, and programs\n"
        << "and reads the module on a serial port.\n\nCommands:\n";
    for (const Command& command : kCommands)
        out << "  " << command.name << ' ' << command.synopsis << "\n      " << command.summary << '\n';
    out << "\nOptions:\n"
        << "  -h, --help     Shows this help.\n"
        << "  -v, --version  Shows the version.\n"
        << "\n" << kProgram << " COMMAND --help describes one command: its options, files and exit statuses.\n"
        << "\nExit status:\n"
        << "  0  the command did its work\n"
        << "  1  it could not (the message says why)\n"
        << "  2  the command line was wrong\n"
        << "  verify and diff: 0 the same, 1 different, 2 trouble; program adds 3 and 4 (see its --help).\n";
}

QtMessageHandler qtMessages = nullptr;

// Without a desktop session (a shell as root, a container) the graphical application warns that
// it has no runtime folder; the offscreen platform needs none, so that warning is left out.
void WithoutRuntimeFolderWarning(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (type == QtWarningMsg && message.startsWith(QLatin1String("QStandardPaths: XDG_RUNTIME_DIR")))
        return;
    if (qtMessages)
        qtMessages(type, context, message);
}

// The application the command runs in. A page layout needs fonts but never a display, so the
// graphical one runs on the offscreen platform whatever the environment names.
std::unique_ptr<QCoreApplication> ApplicationFor(const Command& command, int& argc, char* argv[])
{
    if (command.application == morvel::cli::CommandApplication::OffscreenGui) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        qtMessages = qInstallMessageHandler(WithoutRuntimeFolderWarning);
        return std::make_unique<QGuiApplication>(argc, argv);
    }
    return std::make_unique<QCoreApplication>(argc, argv);
}

} // namespace

int main(int argc, char* argv[])
{
    const std::vector<std::string> arguments(argv + std::min(argc, 1), argv + argc);
    if (arguments.empty()) {
        PrintOverview(std::cerr);
        return morvel::cli::kExitUsage;
    }
    const std::string& first = arguments.front();
    if (first == "--help" || first == "-h") {
        PrintOverview(std::cout);
        return morvel::cli::kExitSuccess;
    }
    if (first == "--version" || first == "-v") {
        std::cout << kProgram << ' ' << MORVEL_VERSION << '\n';
        return morvel::cli::kExitSuccess;
    }
    const auto command = std::find_if(std::begin(kCommands), std::end(kCommands),
                                      [&](const Command& c) { return c.name == first; });
    if (command == std::end(kCommands)) {
        std::cerr << kProgram << ": unknown command \"" << first << "\"\n\n";
        PrintOverview(std::cerr);
        return morvel::cli::kExitUsage;
    }
    const std::unique_ptr<QCoreApplication> application = ApplicationFor(*command, argc, argv);
    QCoreApplication::setApplicationName(QString::fromLatin1(kProgram));
    QCoreApplication::setApplicationVersion(QStringLiteral(MORVEL_VERSION));
    const std::vector<std::string> rest(arguments.begin() + 1, arguments.end());
    return command->run(*command, rest);
}
