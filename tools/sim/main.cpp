// morvel-sim: a simulated Morvel module on a pseudo-terminal, for trying the loader and the
// command-line tool without hardware.
#include "link/wire_trace.h"
#include "pty_module.h"

#include <QCommandLineParser>
#include <QCoreApplication>

#include <cerrno>
#include <cstdint>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <functional>
#include <iostream>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <variant>

#include <poll.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

using morvel::sim::ModuleMemory;
using morvel::sim::ModuleOptions;

constexpr char kProgram[] = "morvel-sim";
constexpr char kDescription[] =
    "Simulates a Morvel module on a pseudo-terminal and prints the path of its port. Options inject\n"
    "the faults of real modules and cables.";
constexpr char kExitStatuses[] =
    "\nExit status:\n"
    "  0  stopped by a signal (SIGINT, SIGTERM) or after a hang-up it was told to make\n"
    "  1  the port, the link or the memory file could not be set up\n"
    "  2  the command line was wrong\n";

struct Arguments {
    ModuleOptions options;
    std::string link;
    std::string memoryFile;
    bool trace = false;
    morvel::SecretCodes codes = morvel::SecretCodes::Masked;
};

// The self-pipe trick: a signal only writes a byte; the main thread stops the module.
int g_signalPipe[2] = {-1, -1};

void OnSignal(int)
{
    const char byte = 1;
    [[maybe_unused]] const ssize_t ignored = ::write(g_signalPipe[1], &byte, 1);
}

std::optional<long> Number(const QString& text)
{
    bool ok = false;
    const long value = text.toLong(&ok);
    if (!ok || value < 0)
        return std::nullopt;
    return value;
}

// The command line, or the exit status when there is nothing to run (help, version, a mistake).
std::variant<Arguments, int> Parse(const QStringList& commandLine)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(QString::fromUtf8(kDescription));
    const QCommandLineOption help(QStringList{QStringLiteral("h"), QStringLiteral("help")}, QStringLiteral("Shows this help."));
    const QCommandLineOption version(QStringList{QStringLiteral("v"), QStringLiteral("version")},
                                     QStringLiteral("Shows the version."));
    parser.addOptions({help, version});
    const QCommandLineOption link(QStringLiteral("link"), QStringLiteral("Keep a symbolic link PATH to the port while running."),
                                  QStringLiteral("PATH"));
    const QCommandLineOption memory(QStringLiteral("memory"),
                                    QStringLiteral("Load the 2048-byte memory from FILE (if it exists) and save it there "
                                                   "after every programming run."),
                                    QStringLiteral("FILE"));
    const QCommandLineOption ack(QStringLiteral("ack"),
                                 QStringLiteral("Reply to each frame with TEXT (default OK*1; \"*1\" is a faulty module; "
                                                "a reply without OK*1 makes the tool finish with *5*1)."),
                                 QStringLiteral("TEXT"));
    const QCommandLineOption silent(QStringLiteral("silent"), QStringLiteral("Never answer."));
    const QCommandLineOption silentAfter(QStringLiteral("silent-after"), QStringLiteral("Answer N times, then fall silent."),
                                         QStringLiteral("N"));
    const QCommandLineOption split(QStringLiteral("split"),
                                   QStringLiteral("Write replies in pieces of N bytes, a few ms apart."), QStringLiteral("N"));
    const QCommandLineOption garbage(QStringLiteral("garbage"), QStringLiteral("Send N junk bytes ahead of every reply."),
                                     QStringLiteral("N"));
    const QCommandLineOption delay(QStringLiteral("delay"), QStringLiteral("Wait MS milliseconds before every reply."),
                                   QStringLiteral("MS"));
    const QCommandLineOption pace(QStringLiteral("pace"),
                                  QStringLiteral("Move bytes at the 115200-baud wire rate (at real-time priority where "
                                                 "allowed, to keep time on a busy machine)."));
    const QCommandLineOption hangUpAfter(QStringLiteral("hang-up-after"),
                                         QStringLiteral("Hang up once N bytes have been sent."), QStringLiteral("N"));
    const QCommandLineOption trace(QStringLiteral("trace"),
                                   QStringLiteral("Print every reception and write on stderr, with the time since the "
                                                  "start; the SIM PIN and the SMS access code shown as ****."));
    const QCommandLineOption traceCodes(QStringLiteral("trace-codes"),
                                        QStringLiteral("Trace as --trace does, with the codes shown."));
    const QCommandLineOption corrupt(QStringLiteral("corrupt"),
                                     QStringLiteral("Store the programmed byte at memory OFFSET wrongly (its lowest bit "
                                                    "flipped), as a worn memory cell does."),
                                     QStringLiteral("OFFSET"));
    parser.addOptions({link, memory, ack, silent, silentAfter, split, garbage, delay, pace, hangUpAfter, corrupt,
                       trace, traceCodes});

    const auto usageError = [&parser](const QString& problem) {
        std::cerr << kProgram << ": " << problem.toLocal8Bit().constData() << " (see " << kProgram << " --help)\n";
        return 2;
    };
    if (!parser.parse(commandLine))
        return usageError(parser.errorText());
    if (parser.isSet(help)) {
        // Qt's usage line names the program by the path it was started with.
        QString text = parser.helpText();
        text.replace(0, text.indexOf(u'\n'), QStringLiteral("Usage: %1 [options]").arg(QString::fromLatin1(kProgram)));
        std::cout << text.toLocal8Bit().constData() << kExitStatuses;
        return 0;
    }
    if (parser.isSet(version)) {
        std::cout << kProgram << ' ' << MORVEL_VERSION << '\n';
        return 0;
    }
    if (!parser.positionalArguments().isEmpty())
        return usageError(QStringLiteral("takes no file arguments"));

    Arguments arguments;
    arguments.link = parser.value(link).toLocal8Bit().toStdString();
    arguments.memoryFile = parser.value(memory).toLocal8Bit().toStdString();
    if (parser.isSet(ack))
        arguments.options.acknowledgement = parser.value(ack).toLocal8Bit().toStdString();
    if (parser.isSet(silent))
        arguments.options.repliesBeforeSilence = 0;
    arguments.trace = parser.isSet(trace) || parser.isSet(traceCodes);
    if (parser.isSet(traceCodes))
        arguments.codes = morvel::SecretCodes::Shown;
    if (parser.isSet(pace)) {
        arguments.options.paceAtWireRate = true;
        arguments.options.realTimePriority = true;
    }
    // The numeric options, each with where its value goes.
    const std::pair<const QCommandLineOption*, std::function<void(long)>> numbers[] = {
        {&silentAfter, [&](long n) { arguments.options.repliesBeforeSilence = n; }},
        {&split, [&](long n) { arguments.options.splitBytes = std::size_t(n); }},
        {&garbage, [&](long n) { arguments.options.garbageBytes = std::size_t(n); }},
        {&delay, [&](long n) { arguments.options.delay = std::chrono::milliseconds(n); }},
        {&hangUpAfter, [&](long n) { arguments.options.hangUpAfterBytes = n; }},
        {&corrupt, [&](long n) { arguments.options.corruptOffset = n; }},
    };
    for (const auto& [option, apply] : numbers) {
        if (!parser.isSet(*option))
            continue;
        const std::optional<long> number = Number(parser.value(*option));
        if (!number)
            return usageError(QStringLiteral("--%1 takes a whole number of 0 or more").arg(option->names().constFirst()));
        apply(*number);
    }
    return arguments;
}

bool LoadMemory(const std::string& file, ModuleMemory& memory)
{
    std::ifstream in(file, std::ios::binary);
    if (!in)
        return true; // a fresh module: all zero
    in.read(reinterpret_cast<char*>(memory.data()), std::streamsize(memory.size()));
    if (in.gcount() != std::streamsize(memory.size())) {
        std::cerr << "morvel-sim: " << file << " does not hold " << memory.size() << " bytes\n";
        return false;
    }
    return true;
}

void SaveMemory(const std::string& file, const ModuleMemory& memory)
{
    const std::string temporary = file + ".tmp";
    std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(memory.data()), std::streamsize(memory.size()));
    out.close();
    if (!out || std::rename(temporary.c_str(), file.c_str()) != 0)
        std::cerr << "morvel-sim: cannot save memory to " << file << '\n';
}

// Identifies the link itself (not its target): a link made again by another module, even to a
// reused terminal path and with a reused inode number, is made at another moment.
struct LinkIdentity {
    ino_t inode = 0;
    std::int64_t changedNs = 0;
    bool operator==(const LinkIdentity&) const = default;
};

LinkIdentity IdentifyLink(const std::string& link)
{
    struct stat status {};
    if (::lstat(link.c_str(), &status) != 0)
        return {};
    return {status.st_ino, std::int64_t(status.st_ctim.tv_sec) * 1'000'000'000 + status.st_ctim.tv_nsec};
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication application(argc, argv);
    QCoreApplication::setApplicationName(QString::fromLatin1(kProgram));
    QCoreApplication::setApplicationVersion(QStringLiteral(MORVEL_VERSION));
    const std::variant<Arguments, int> parsed = Parse(QCoreApplication::arguments());
    if (const int* finished = std::get_if<int>(&parsed))
        return *finished;
    const Arguments* arguments = &std::get<Arguments>(parsed);
    try {
        morvel::sim::PtyModule module(arguments->options);
        if (!arguments->memoryFile.empty()) {
            ModuleMemory memory{};
            if (!LoadMemory(arguments->memoryFile, memory))
                return 1;
            module.SetMemory(memory);
            module.SetProgrammedHandler([file = arguments->memoryFile](const ModuleMemory& programmed) {
                SaveMemory(file, programmed);
            });
        }
        // The module's own view of the wire: what it receives is what the tool sent.
        std::optional<morvel::WireTrace> trace;
        if (arguments->trace) {
            trace.emplace([](const std::string& line) { std::fprintf(stderr, "%s\n", line.c_str()); },
                          morvel::WireTrace::Side::Module, arguments->codes);
            module.SetWireObserver([&trace](morvel::sim::PtyModule::Wire wire, std::string_view bytes) {
                trace->Record(wire == morvel::sim::PtyModule::Wire::Received ? morvel::WireDirection::ToModule
                                                                             : morvel::WireDirection::FromModule,
                              bytes);
            });
        }
        LinkIdentity ownLink;
        if (!arguments->link.empty()) {
            ::unlink(arguments->link.c_str());
            if (::symlink(module.PortPath().c_str(), arguments->link.c_str()) != 0) {
                std::cerr << "morvel-sim: cannot link " << arguments->link << ": " << std::strerror(errno) << '\n';
                return 1;
            }
            ownLink = IdentifyLink(arguments->link);
        }
        std::cout << module.PortPath() << std::endl;

        if (pipe(g_signalPipe) != 0)
            return 1;
        std::signal(SIGINT, OnSignal);
        std::signal(SIGTERM, OnSignal);
        module.Start();
        // Wait for a signal or the module hanging up.
        while (!module.HungUp()) {
            pollfd wait{g_signalPipe[0], POLLIN, 0};
            if (::poll(&wait, 1, 100) > 0)
                break;
        }
        module.Stop();
        // Leave alone a link that another module has taken over meanwhile.
        if (!arguments->link.empty() && IdentifyLink(arguments->link) == ownLink)
            ::unlink(arguments->link.c_str());
        return 0;
    } catch (const std::exception& error) {
        std::cerr << "morvel-sim: " << error.what() << '\n';
        return 1;
    }
}
