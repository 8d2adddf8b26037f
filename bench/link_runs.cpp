// Programming and reading runs against the simulated module pacing at the 115200-baud wire
// rate. For each run: wall time, the tool's CPU time (the thread that runs the link; the module
// runs on a thread of its own), and the ratio of the wall time to the wire-time bound, the time
// the bytes of the run need on the line (bytes x 10 bits / 115200).
//
//   morvel_link_bench --benchmark_repetitions=5
// Goals: ratio below 1.10, tool CPU below 20 ms per run; a programming run followed by its
// verification (the read-back and the comparison, as `morvel program` does): ratio below 1.05
// of the wire bound of both runs.
#include "fields/settings_comparison.h"
#include "link/link_session.h"
#include "link/protocol.h"
#include "model/defaults.h"
#include "model/record_fields.h"
#include "pty_module.h"

#include <benchmark/benchmark.h>

#include <QCoreApplication>

#include <chrono>
#include <ctime>

namespace {

using morvel::LinkSession;
using morvel::RunEnd;
using morvel::SettingsModel;

constexpr double kBitsPerByte = 10.0;
constexpr double kBaudRate = 115200.0;

double ThreadCpuSeconds()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return double(now.tv_sec) + double(now.tv_nsec) * 1e-9;
}

SettingsModel SampleSettings()
{
    SettingsModel model;
    morvel::ApplyDefaults(model.record);
    morvel::SmsCentre(model.record).assign("+48602951111");
    morvel::UserNumber(model.record, 1).assign("+48601234567");
    morvel::InputText(model.record, 1, 1).assign("Otwarte drzwi kierowcy");
    return model;
}

template <typename Run>
void MeasureRuns(benchmark::State& state, Run run, RunEnd expected)
{
    morvel::sim::ModuleOptions options;
    options.paceAtWireRate = true;
    options.realTimePriority = true;
    morvel::sim::PtyModule module(options);
    module.Start();
    const QString port = QString::fromStdString(module.PortPath());
    SettingsModel model = SampleSettings();
    LinkSession session(model, {});

    double wallTotal = 0;
    double cpuTotal = 0;
    double boundTotal = 0;
    for (auto _ : state) {
        const long bytesBefore = module.WireBytes();
        const double cpuBefore = ThreadCpuSeconds();
        const auto wallBefore = std::chrono::steady_clock::now();
        const LinkSession::Result result = run(session, port);
        const std::chrono::duration<double> wall = std::chrono::steady_clock::now() - wallBefore;
        const double cpu = ThreadCpuSeconds() - cpuBefore;
        if (result.end != expected) {
            state.SkipWithError(result.text.toStdString().c_str());
            break;
        }
        const double bound = double(module.WireBytes() - bytesBefore) * kBitsPerByte / kBaudRate;
        state.SetIterationTime(wall.count());
        wallTotal += wall.count();
        cpuTotal += cpu;
        boundTotal += bound;
    }
    const double runs = double(state.iterations());
    if (runs > 0) {
        state.counters["wall_ms"] = wallTotal / runs * 1e3;
        state.counters["tool_cpu_ms"] = cpuTotal / runs * 1e3;
        state.counters["wire_bound_ms"] = boundTotal / runs * 1e3;
        state.counters["wall_to_wire"] = wallTotal / boundTotal;
    }
}

void ProgrammingRun(benchmark::State& state)
{
    MeasureRuns(
        state, [](LinkSession& session, const QString& port) { return session.Program(port); },
        RunEnd::ProgrammingDone);
}

void ReadingRun(benchmark::State& state)
{
    MeasureRuns(
        state, [](LinkSession& session, const QString& port) { return session.Read(port); },
        RunEnd::ReadDone);
}

// Programming, then reading the module back and comparing it with what was sent.
void ProgrammingWithVerify(benchmark::State& state)
{
    MeasureRuns(
        state,
        [](LinkSession& session, const QString& port) {
            const LinkSession::Result programmed = session.Program(port);
            if (programmed.end != RunEnd::ProgrammingDone)
                return programmed;
            morvel::TEepromImage inModule;
            const LinkSession::Result read = session.ReadBack(port, inModule);
            if (read.end == RunEnd::ReadBackDone
                && !morvel::CompareImages(session.ProgrammedImage(), inModule, morvel::protocol::kProgrammedImageBytes).empty())
                return LinkSession::Result{RunEnd::Refused, QStringLiteral("the module differs")};
            return read;
        },
        RunEnd::ReadBackDone);
}

BENCHMARK(ProgrammingRun)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(20);
BENCHMARK(ReadingRun)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(20);
BENCHMARK(ProgrammingWithVerify)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(20);

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
