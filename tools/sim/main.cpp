// morvel-sim: a simulated Morvel module on a pseudo-terminal, for trying the loader and the
// command-line tool without hardware.
#include "pty_module.h"

#include <cerrno>
#include <cstdint>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iostream>
#include <optional>
#include <string>
#include <string_view>

#include <poll.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

using morvel::sim::ModuleMemory;
using morvel::sim::ModuleOptions;

constexpr char kUsage[] =
    "usage: morvel-sim [options]\n"
    "Simulates a Morvel module on a pseudo-terminal and prints the path of its port.\n"
    "  --link PATH           keep a symbolic link PATH to the port while running\n"
    "  --memory FILE         load the 2048-byte memory from FILE (if it exists) and save it\n"
    "                        there after every programming run\n"
    "  --ack TEXT            reply to each frame (default OK*1; \"*1\" is a faulty module;\n"
    "                        a reply without OK*1 makes the tool finish with *5*1)\n"
    "  --silent              never answer\n"
    "  --silent-after N      answer N times, then fall silent\n"
    "  --split N             write replies in pieces of N bytes, a few ms apart\n"
    "  --garbage N           send N junk bytes ahead of every reply\n"
    "  --delay MS            wait MS milliseconds before every reply\n"
    "  --pace                move bytes at the 115200-baud wire rate (at real-time priority\n"
    "                        where allowed, to keep time on a busy machine)\n"
    "  --hang-up-after N     hang up once N bytes have been sent\n";

struct Arguments {
    ModuleOptions options;
    std::string link;
    std::string memoryFile;
};

// The self-pipe trick: a signal only writes a byte; the main thread stops the module.
int g_signalPipe[2] = {-1, -1};

void OnSignal(int)
{
    const char byte = 1;
    [[maybe_unused]] const ssize_t ignored = ::write(g_signalPipe[1], &byte, 1);
}

std::optional<long> Number(const char* text)
{
    char* end = nullptr;
    errno = 0;
    const long value = std::strtol(text, &end, 10);
    if (errno != 0 || end == text || *end != '\0' || value < 0)
        return std::nullopt;
    return value;
}

std::optional<Arguments> Parse(int argc, char** argv)
{
    Arguments arguments;
    for (int i = 1; i < argc; ++i) {
        const std::string_view option = argv[i];
        if (option == "--silent") {
            arguments.options.repliesBeforeSilence = 0;
            continue;
        }
        if (option == "--pace") {
            arguments.options.paceAtWireRate = true;
            arguments.options.realTimePriority = true;
            continue;
        }
        if (i + 1 >= argc)
            return std::nullopt;
        const char* value = argv[++i];
        if (option == "--link") {
            arguments.link = value;
        } else if (option == "--memory") {
            arguments.memoryFile = value;
        } else if (option == "--ack") {
            arguments.options.acknowledgement = value;
        } else {
            const std::optional<long> number = Number(value);
            if (!number)
                return std::nullopt;
            if (option == "--silent-after")
                arguments.options.repliesBeforeSilence = *number;
            else if (option == "--split")
                arguments.options.splitBytes = std::size_t(*number);
            else if (option == "--garbage")
                arguments.options.garbageBytes = std::size_t(*number);
            else if (option == "--delay")
                arguments.options.delay = std::chrono::milliseconds(*number);
            else if (option == "--hang-up-after")
                arguments.options.hangUpAfterBytes = *number;
            else
                return std::nullopt;
        }
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
    for (int i = 1; i < argc; ++i) {
        if (std::string_view(argv[i]) == "--help" || std::string_view(argv[i]) == "-h") {
            std::cout << kUsage;
            return 0;
        }
    }
    const std::optional<Arguments> arguments = Parse(argc, argv);
    if (!arguments) {
        std::cerr << kUsage;
        return 2;
    }
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
