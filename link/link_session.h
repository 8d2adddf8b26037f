#pragma once

#include "link/module_link.h"
#include "link/monitored_port.h"
#include "link/run_timer.h"
#include "link/serial_port.h"
#include "model/settings_record.h"

#include <QString>

#include <chrono>
#include <functional>

namespace morvel {

// One programming or reading run without a window, for the command-line tool and the
// benchmarks: the same ModuleLink as the window's, with the information list handed to a line
// sink and the run waited for in a local event loop.
//
// The user numbers are checked on the record itself, and there are no controls to store or load:
// the record IS the settings.
class LinkSession final : private InfoList, private RunControls, private LinkHooks {
public:
    // `line` is a new or rewritten line of the information list; `replacesLast` is true when it
    // rewrites the progress line in place.
    using LineSink = std::function<void(const QString& line, bool replacesProgress)>;

    struct Result {
        RunEnd end = RunEnd::Refused;
        QString text;        // the failure's text; empty on success
        QString hint;        // what to do about a port that failed; may be empty
        QString waitingStep; // after a time-out: the step that got no reply
        MonitoredPort::Counts counts;      // what crossed the line
        std::chrono::milliseconds elapsed{0}; // from the start of the run to its end
        bool ok() const
        {
            return end == RunEnd::ProgrammingDone || end == RunEnd::ReadDone || end == RunEnd::ReadBackDone;
        }
    };

    LinkSession(SettingsModel& model, LineSink sink,
                std::chrono::milliseconds timeout = protocol::kReplyTimeout);

    // Programs model.record (encoded into model.image) into the module on `portName`.
    Result Program(const QString& portName);
    // Reads the module on `portName` into model.image and decodes it onto model.record.
    Result Read(const QString& portName);
    // Reads the module on `portName` into `moduleImage`, leaving the model as it is.
    Result ReadBack(const QString& portName, TEepromImage& moduleImage);
    // What the latest programming run sent.
    const TEepromImage& ProgrammedImage() const { return link_.programmedImage(); }

    // Every write and reception of the following runs goes to `trace` too (null: none).
    void SetTrace(WireTrace* trace) { monitored_.SetTrace(trace); }

private:
    void Begin();
    Result Wait();
    void OnTimeout();

    // InfoList
    int LineCount() const override { return lineCount_; }
    void AddLine(const QString& text) override;
    void RemoveFirstLine() override { --lineCount_; }
    void ReplaceLine(int index, const QString& text) override;
    // RunControls: a terminal has no buttons and no cursor.
    void SetProgramButtonEnabled(bool) override {}
    void SetReadButtonEnabled(bool) override {}
    void SetBusyCursor(bool) override {}
    // LinkHooks
    bool UserNumbersPass() override;
    void StoreControls() override {}
    void LoadControls() override {}
    void ShowError(const QString& text, const QString& hint) override;
    void ShowLinkLost(const QString& text, const QString& hint) override;
    void RunEnded(RunEnd end, const QString& text) override;

    SettingsModel& model_;
    LineSink sink_;
    int lineCount_ = 0;
    SerialModulePort port_;
    MonitoredPort monitored_{port_};
    QtRunTimer timer_;
    ModuleLink link_;
    bool ended_ = false;
    Result result_;
    std::chrono::steady_clock::time_point started_;
};

} // namespace morvel
