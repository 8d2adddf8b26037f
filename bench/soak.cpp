// Soak: hundreds of programming and reading runs in one process, through one link, against the
// simulated module with a fault drawn at random for each run. Every run must end with success or
// with the outcome its fault calls for, within the time-out plus one second of the link's last
// sign of life, and leave the link ready for the next run; open descriptors and resident memory
// must not grow. Run by hand (not in CI):
//
//   morvel_link_soak [--runs 500] [--timeout-ms 500] [--seed 1]
//
// It prints the outcome of every kind of fault and the resources at the start, after 100 runs
// and at the end; it exits 1 when a run went wrong or a resource grew.
#include "link/link_session.h"
#include "model/defaults.h"
#include "model/image_codec.h"
#include "model/record_fields.h"
#include "pty_module.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QTimer>

#include <array>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <optional>
#include <random>
#include <string>

namespace {

using morvel::LinkSession;
using morvel::RunEnd;
using morvel::SettingsModel;
using morvel::sim::ModuleOptions;
using morvel::sim::PtyModule;
using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

constexpr int kDefaultRuns = 500;
constexpr int kDefaultTimeoutMs = 500;
constexpr int kDefaultSeed = 1;
constexpr int kResourceCheckRun = 100;
constexpr milliseconds kEndAllowance{1000};
constexpr std::size_t kProgrammedBytes = 1195;
constexpr std::size_t kReadBytes = 1700;
// Bytes the module sends in a programming run ("OK*1" 28 times) and in a read (1703).
constexpr long kProgrammingReplyBytes = 28 * 4;
constexpr long kReadReplyBytes = 1703;
// Resident memory may move by allocator noise, not by a leak of a run's worth per run.
constexpr long kRssToleranceKb = 512;

enum class Fault {
    None,
    SplitReplies,
    GarbageBetweenReplies,
    StopOnlyAcknowledgements,
    AcknowledgementsWithoutOk,
    SilentModule,
    SilentAfterSomeReplies,
    DelayNearTimeOut,
    HangUpMidRun,
    PortReopened,
    Count,
};

const std::array<const char*, std::size_t(Fault::Count)> kFaultNames = {
    "none", "split replies", "garbage between replies", "\"*1\"-only acknowledgements",
    "acknowledgements without OK", "silent module", "silent after N replies", "reply delay near time-out",
    "hang-up mid-run", "port reopened",
};

struct RunPlan {
    Fault fault = Fault::None;
    bool programming = true;
    ModuleOptions options;
};

struct Tally {
    int runs = 0;
    int reads = 0;
    int succeeded = 0;
    int timedOut = 0;
    int broken = 0;
    int refused = 0;
    int wrong = 0; // an outcome the fault does not call for, or wrong data
};

struct Resources {
    int descriptors = 0;
    long residentKb = 0;
};

Resources Measure()
{
    Resources now;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator("/proc/self/fd"))
        ++now.descriptors;
    --now.descriptors; // the iterator's own
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);) {
        if (line.rfind("VmRSS:", 0) == 0)
            now.residentKb = std::stol(line.substr(6));
    }
    return now;
}

SettingsModel SampleSettings()
{
    SettingsModel model;
    morvel::ApplyDefaults(model.record);
    morvel::SmsCentre(model.record).assign("+48602951111");
    morvel::UserNumber(model.record, 1).assign("+48601234567");
    morvel::InputText(model.record, 1, 1).assign("Otwarte drzwi kierowcy");
    morvel::InputText(model.record, 3, 2).assign("Alarm *1 w garazu"); // a stop pair in the data
    return model;
}

RunPlan DrawPlan(std::mt19937& random, milliseconds timeout)
{
    auto between = [&random](long low, long high) { return std::uniform_int_distribution<long>(low, high)(random); };
    RunPlan plan;
    plan.fault = Fault(between(0, long(Fault::Count) - 1));
    plan.programming = plan.fault != Fault::PortReopened && between(0, 1) == 0;
    ModuleOptions& o = plan.options;
    switch (plan.fault) {
    case Fault::SplitReplies:
        // Small pieces for the four-byte replies, larger ones for the read so it fits a period.
        o.splitBytes = std::size_t(plan.programming ? between(1, 3) : between(60, 400));
        o.splitGap = milliseconds(between(1, 3));
        break;
    case Fault::GarbageBetweenReplies:
        o.garbageBytes = std::size_t(between(1, 40));
        break;
    case Fault::StopOnlyAcknowledgements:
        o.acknowledgement = "*1";
        break;
    case Fault::AcknowledgementsWithoutOk:
        o.acknowledgement = "A*1";
        break;
    case Fault::SilentModule:
        o.repliesBeforeSilence = 0;
        break;
    case Fault::SilentAfterSomeReplies:
        o.repliesBeforeSilence = between(1, 27);
        break;
    case Fault::DelayNearTimeOut:
        o.delay = milliseconds(between(timeout.count() * 8 / 10, timeout.count() * 9 / 10));
        break;
    case Fault::HangUpMidRun:
        o.hangUpAfterBytes = between(1, (plan.programming ? kProgrammingReplyBytes : kReadReplyBytes) - 1);
        break;
    case Fault::None:
    case Fault::PortReopened:
    case Fault::Count:
        break;
    }
    return plan;
}

// The outcome the described behaviour gives a run with this fault.
RunEnd ExpectedEnd(const RunPlan& plan)
{
    const RunEnd success = plan.programming ? RunEnd::ProgrammingDone : RunEnd::ReadDone;
    switch (plan.fault) {
    case Fault::StopOnlyAcknowledgements:
    case Fault::SilentAfterSomeReplies:
        // Only programming waits for acknowledgements; a read needs just one reply.
        return plan.programming ? RunEnd::TimedOut : success;
    case Fault::DelayNearTimeOut:
        // "OK*1" and the first frame's acknowledgement share the period of "*2*1".
        return plan.programming ? RunEnd::TimedOut : success;
    case Fault::SilentModule:
        return RunEnd::TimedOut;
    case Fault::HangUpMidRun:
        return RunEnd::LinkBroken;
    default:
        return success;
    }
}

// The module must hold what was programmed; a read must give what the module holds, unless
// garbage ahead of the reply has shifted it (the read takes the bytes as they come).
bool DataRight(const RunPlan& plan, const SettingsModel& model, const morvel::TEepromImage& sent,
               const PtyModule& module)
{
    const morvel::sim::ModuleMemory memory = module.Memory();
    if (plan.programming)
        return std::equal(sent.bytes.begin(), sent.bytes.begin() + kProgrammedBytes, memory.begin());
    if (plan.fault == Fault::GarbageBetweenReplies)
        return true;
    return std::equal(memory.begin(), memory.begin() + kReadBytes, model.image.bytes.begin());
}

class Soak {
public:
    Soak(milliseconds timeout, unsigned seed)
        : timeout_(timeout)
        , random_(seed)
        , model_(SampleSettings())
        , session_(model_, [this](const QString&, bool) { SignOfLife(); }, timeout)
    {
        watchdog_.setSingleShot(true);
        watchdog_.setInterval(timeout + kEndAllowance);
        QObject::connect(&watchdog_, &QTimer::timeout, [this] { Hung(); });
        morvel::EncodeImage(SampleSettings().record, moduleMemory_);
    }

    int Run(int runs)
    {
        cleanModule_ = StartModule({});
        start_ = Checkpoint();
        for (run_ = 1; run_ <= runs; ++run_) {
            RunOne(DrawPlan(random_, timeout_));
            if (run_ == kResourceCheckRun)
                afterCheckRun_ = Checkpoint();
        }
        const Resources end = Checkpoint();
        return Report(afterCheckRun_.value_or(end), end);
    }

private:
    std::unique_ptr<PtyModule> StartModule(const ModuleOptions& options) const
    {
        auto module = std::make_unique<PtyModule>(options);
        morvel::sim::ModuleMemory memory{};
        std::copy(moduleMemory_.bytes.begin(), moduleMemory_.bytes.end(), memory.begin());
        module->SetMemory(memory);
        module->Start();
        return module;
    }

    LinkSession::Result RunOn(const PtyModule& module, bool programming)
    {
        const QString port = QString::fromStdString(module.PortPath());
        model_ = SampleSettings();
        lastSign_ = Clock::now();
        longestRunGap_ = {};
        watchdog_.start();
        const LinkSession::Result result = programming ? session_.Program(port) : session_.Read(port);
        SignOfLife();
        watchdog_.stop();
        return result;
    }

    // Resources are counted with no faulty module plugged in and the link's port open on the
    // clean module, after a read from it that must succeed.
    Resources Checkpoint()
    {
        const LinkSession::Result result = RunOn(*cleanModule_, false);
        if (result.end != RunEnd::ReadDone) {
            std::fprintf(stderr, "checkpoint read after run %d failed: %s\n", run_, qPrintable(result.text));
            ++checkpointFailures_;
        }
        return Measure();
    }

    void RunOne(const RunPlan& plan)
    {
        // The clean module stays plugged in for the whole soak: a reopened port is a read from it
        // again, which closes and opens the port under its name.
        std::unique_ptr<PtyModule> faulty;
        if (plan.fault != Fault::None && plan.fault != Fault::PortReopened)
            faulty = StartModule(plan.options);
        const PtyModule& module = faulty ? *faulty : *cleanModule_;
        morvel::TEepromImage sent;
        morvel::EncodeImage(SampleSettings().record, sent);
        const LinkSession::Result result = RunOn(module, plan.programming);

        Tally& tally = tallies_[plan.fault];
        ++tally.runs;
        tally.reads += plan.programming ? 0 : 1;
        switch (result.end) {
        case RunEnd::ProgrammingDone:
        case RunEnd::ReadDone:
        case RunEnd::ReadBackDone: ++tally.succeeded; break;
        case RunEnd::TimedOut: ++tally.timedOut; break;
        case RunEnd::LinkBroken: ++tally.broken; break;
        case RunEnd::Refused: ++tally.refused; break;
        }
        const bool endRight = result.end == ExpectedEnd(plan);
        const bool dataRight = !result.ok() || DataRight(plan, model_, sent, module);
        if (!endRight || !dataRight) {
            ++tally.wrong;
            std::fprintf(stderr, "run %d (%s, %s): %s%s\n", run_, kFaultNames[std::size_t(plan.fault)],
                         plan.programming ? "program" : "read", qPrintable(result.text),
                         dataRight ? "" : " [wrong data]");
        }
        longestGap_ = std::max(longestGap_, longestRunGap_);
    }

    void SignOfLife()
    {
        const auto now = Clock::now();
        longestRunGap_ = std::max(longestRunGap_, std::chrono::duration_cast<milliseconds>(now - lastSign_));
        lastSign_ = now;
        if (watchdog_.isActive())
            watchdog_.start();
    }

    [[noreturn]] void Hung() const
    {
        std::fprintf(stderr, "run %d did not end within the time-out plus %lld ms of its last sign of life\n", run_,
                     static_cast<long long>(kEndAllowance.count()));
        std::exit(EXIT_FAILURE);
    }

    int Report(const Resources& afterCheckRun, const Resources& end) const
    {
        std::printf("time-out %lld ms, longest wait for a sign of life %lld ms (bound %lld ms)\n\n",
                    static_cast<long long>(timeout_.count()), static_cast<long long>(longestGap_.count()),
                    static_cast<long long>((timeout_ + kEndAllowance).count()));
        std::printf("%-28s %5s %6s %9s %9s %7s %7s %6s\n", "fault", "runs", "reads", "succeeded", "timed out",
                    "broken", "refused", "wrong");
        Tally total;
        for (const auto& [fault, tally] : tallies_) {
            std::printf("%-28s %5d %6d %9d %9d %7d %7d %6d\n", kFaultNames[std::size_t(fault)], tally.runs,
                        tally.reads, tally.succeeded, tally.timedOut, tally.broken, tally.refused, tally.wrong);
            total.runs += tally.runs;
            total.reads += tally.reads;
            total.succeeded += tally.succeeded;
            total.timedOut += tally.timedOut;
            total.broken += tally.broken;
            total.refused += tally.refused;
            total.wrong += tally.wrong;
        }
        std::printf("%-28s %5d %6d %9d %9d %7d %7d %6d\n\n", "all", total.runs, total.reads, total.succeeded,
                    total.timedOut, total.broken, total.refused, total.wrong);
        std::printf("%-18s %12s %14s\n", "", "descriptors", "resident KiB");
        std::printf("%-18s %12d %14ld\n", "start", start_.descriptors, start_.residentKb);
        std::printf("%-18s %12d %14ld\n", "after 100 runs", afterCheckRun.descriptors, afterCheckRun.residentKb);
        std::printf("%-18s %12d %14ld\n", "end", end.descriptors, end.residentKb);

        const bool descriptorsKept = end.descriptors <= start_.descriptors && afterCheckRun.descriptors <= start_.descriptors;
        const bool memoryKept = end.residentKb <= afterCheckRun.residentKb + kRssToleranceKb;
        if (!descriptorsKept)
            std::printf("descriptors grew\n");
        if (!memoryKept)
            std::printf("resident memory grew after run %d\n", kResourceCheckRun);
        return total.wrong == 0 && checkpointFailures_ == 0 && descriptorsKept && memoryKept ? EXIT_SUCCESS
                                                                                            : EXIT_FAILURE;
    }

    milliseconds timeout_;
    std::mt19937 random_;
    SettingsModel model_;
    morvel::TEepromImage moduleMemory_;
    LinkSession session_;
    QTimer watchdog_;
    std::unique_ptr<PtyModule> cleanModule_;
    int checkpointFailures_ = 0;
    int run_ = 0;
    Clock::time_point lastSign_;
    milliseconds longestRunGap_{};
    milliseconds longestGap_{};
    Resources start_;
    std::optional<Resources> afterCheckRun_;
    std::map<Fault, Tally> tallies_;
};

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication application(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription("Soak of the module link against the simulated module with random faults.");
    parser.addHelpOption();
    const QCommandLineOption runs("runs", "Number of runs.", "N", QString::number(kDefaultRuns));
    const QCommandLineOption timeout("timeout-ms", "Reply time-out of the link.", "MS", QString::number(kDefaultTimeoutMs));
    const QCommandLineOption seed("seed", "Seed of the fault draw.", "N", QString::number(kDefaultSeed));
    parser.addOptions({runs, timeout, seed});
    parser.process(application);
    bool runsOk = false;
    bool timeoutOk = false;
    bool seedOk = false;
    const int runCount = parser.value(runs).toInt(&runsOk);
    const int timeoutMs = parser.value(timeout).toInt(&timeoutOk);
    const unsigned seedValue = parser.value(seed).toUInt(&seedOk);
    if (!runsOk || !timeoutOk || !seedOk || runCount < 1 || timeoutMs < 1) {
        std::fprintf(stderr, "morvel_link_soak: --runs, --timeout-ms and --seed take positive numbers\n");
        return 2;
    }
    std::printf("%d runs, seed %u\n", runCount, seedValue);
    Soak soak(milliseconds(timeoutMs), seedValue);
    return soak.Run(runCount);
}
