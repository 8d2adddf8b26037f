#pragma once

#include "tests/link/link_fakes.h"

#include "link/module_link.h"
#include "model/settings_record.h"

#include <cstddef>
#include <string>
#include <string_view>

namespace morvel::fuzz {

// A port whose failed write fails once, as after a glitch on the line.
class GlitchingPort final : public testing::FakePort {
public:
    PortResult Write(std::string_view bytes) override;
};

// The module's whole reply to "*3*1" in this rig: a leading byte, 1700 memory bytes, "*1". The
// memory holds "*1" among its data, where an operator's text can put it.
const std::string& ModuleReadReply();

// The module link among the fakes the window would give it, driven one event at a time. After
// every event it checks what the link must always keep true, against its own account of what was
// sent and received, and aborts on the first breach.
//
// Buttons are pressed only while enabled, a time-out fires only while the timer runs and a port
// is lost only while open: the link is never asked what the window and the timer cannot ask.
class LinkRig {
public:
    LinkRig();

    void PressProgram(bool numbersFail, bool otherPort, bool openFails);
    void PressRead(bool otherPort, bool openFails);
    void Receive(std::string_view bytes);
    // The next `count` bytes of the module's read reply (fewer once it has all gone out).
    void ReceiveReadReply(std::size_t count);
    void TimeOut();
    void LosePort();
    // The write after `writesBefore` further good writes fails.
    void FailWrite(int writesBefore);

private:
    struct Before {
        TSettingsRecord record;
        bool runInProgress = false;
        int loads = 0;
        std::size_t ends = 0;
        std::size_t writes = 0;
        std::string_view command; // the command this event may write
        std::size_t mostGatherable = 0; // bytes a read could have gathered by the end of the event
    };

    Before Snapshot(std::size_t receiving, std::string_view command) const;
    void Check(const Before& before);
    void CheckInformationList() const;
    void CheckBusyState() const;
    void CheckWrites(const Before& before);
    void CheckRecord(const Before& before) const;
    void CheckTimer(const Before& before) const;
    bool ReplyComplete() const;

    testing::FakeInfoList list_;
    testing::FakeControls controls_;
    testing::FakeTimer timer_;
    GlitchingPort port_;
    testing::FakeHooks hooks_{controls_};
    TSettingsRecord record_;
    TEepromImage image_;
    ModuleLink link_;

    // The rig's own account of the runs.
    TEepromImage pressedImage_;       // the record encoded when "Program settings" was pressed
    TEepromImage programmedImage_;    // what the current programming run must send
    bool framesExpected_ = false;     // "*2*1" has gone out and the run has not ended
    std::size_t nextFrameOffset_ = 0; // image offset of the next frame's first payload byte
    std::string readStream_;          // every byte received since the reading run started
    bool readAlone_ = false;          // no programming run has shared the handler with it
    std::size_t replySent_ = 0;       // bytes of ModuleReadReply() delivered to this reading run
};

} // namespace morvel::fuzz
