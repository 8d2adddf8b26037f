// Time from process start to the main window shown: launches the start-up probe several times
// and reports the median, the fastest and the slowest run. Goal: median under 300 ms.
//
//   morvel_startup_bench [RUNS]        (default 11; under Xvfb: xvfb-run -a morvel_startup_bench)
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;

// One launch: milliseconds from spawning the probe to its "shown" line; negative on failure.
double TimeOneStart(const char* probe)
{
    int pipeEnds[2];
    if (pipe(pipeEnds) != 0)
        return -1;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipeEnds[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, pipeEnds[0]);
    char* const argv[] = {const_cast<char*>(probe), nullptr};

    const Clock::time_point start = Clock::now();
    pid_t child = 0;
    const int spawned = posix_spawn(&child, probe, &actions, nullptr, argv, environ);
    posix_spawn_file_actions_destroy(&actions);
    close(pipeEnds[1]);
    if (spawned != 0) {
        close(pipeEnds[0]);
        return -1;
    }
    std::string received;
    char buffer[64];
    while (received.find("shown\n") == std::string::npos) {
        const ssize_t got = read(pipeEnds[0], buffer, sizeof buffer);
        if (got <= 0)
            break;
        received.append(buffer, static_cast<std::size_t>(got));
    }
    const Clock::time_point shown = Clock::now();
    close(pipeEnds[0]);
    int status = 0;
    waitpid(child, &status, 0);
    if (received.find("shown\n") == std::string::npos)
        return -1;
    return std::chrono::duration<double, std::milli>(shown - start).count();
}

} // namespace

int main(int argc, char** argv)
{
    const int runs = argc > 1 ? std::atoi(argv[1]) : 11;
    if (runs < 1) {
        std::fprintf(stderr, "usage: morvel_startup_bench [RUNS]\n");
        return 2;
    }
    TimeOneStart(MORVEL_STARTUP_PROBE);  // warm the file cache; not counted
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        const double ms = TimeOneStart(MORVEL_STARTUP_PROBE);
        if (ms < 0) {
            std::fprintf(stderr, "the start-up probe did not show its window\n");
            return 1;
        }
        times.push_back(ms);
    }
    std::sort(times.begin(), times.end());
    const double median = times.size() % 2 ? times[times.size() / 2]
                                           : (times[times.size() / 2 - 1] + times[times.size() / 2]) / 2;
    std::printf("start-up to window shown over %d runs: median %.1f ms, fastest %.1f ms, slowest %.1f ms"
                " (goal: median under 300 ms)\n",
                runs, median, times.front(), times.back());
    return 0;
}
