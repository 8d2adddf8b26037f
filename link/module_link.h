#pragma once

#include "link/data_packet.h"
#include "link/link_interfaces.h"
#include "model/settings_record.h"

#include <QString>

#include <string>
#include <string_view>

namespace morvel {

enum class ProgState {
    psIdle,
    psStarting,  // "*2*1" sent, waiting for "OK*1"
    psSending,   // frames going out, one per acknowledgement
    psFinishing, // last frame sent, waiting for the closing "OK*1"
};

enum class ReadState {
    rsIdle,
    rsReading, // "*3*1" sent, gathering the module's memory
};

// How a run ended, for owners that wait for it (the command-line tool).
enum class RunEnd {
    ProgrammingDone,
    ReadDone,
    ReadBackDone, // a read-back has gathered the module's image (ModuleLink::readBackImage())
    TimedOut,
    Refused,    // not started: a check failed, or the port could not be opened or written
    LinkBroken, // the port failed in the middle of a run
};

// What the owner of the link supplies besides the list, the buttons, the timer and the port.
class LinkHooks {
public:
    virtual ~LinkHooks() = default;
    // CheckUserNumbers over the four user numbers the operator sees; false stops the run.
    virtual bool UserNumbersPass() = 0;
    // The store pass: the editor's controls into the record, before the image is encoded.
    virtual void StoreControls() = 0;
    // The load pass after a read: the record into the controls, then the output-flag rules.
    virtual void LoadControls() = 0;
    // A modal message box with the error's text (the port could not be opened or written) and,
    // under it, what the operator can do about it (`hint`, may be empty).
    virtual void ShowError(const QString& text, const QString& hint) = 0;
    // The port failed in the middle of a run (an adapter unplugged). Called from inside the
    // port's own notification, so a modal box must wait until that has returned.
    virtual void ShowLinkLost(const QString& /*text*/, const QString& /*hint*/) {}
    // A run has ended, or was refused before it began; `text` is the failure's text, if any.
    // A run started afresh over one still going (a second "Read settings") replaces it silently.
    virtual void RunEnded(RunEnd /*end*/, const QString& /*text*/) {}
};

// Everything the link drives, owned by whoever owns the link.
struct LinkEnvironment {
    InfoList& infoList;
    RunControls& controls;
    RunTimer& timer;
    ModulePort& port;
    LinkHooks& hooks;
};

// The module protocol: programs the memory image into the module in 27 acknowledged frames and
// reads it back. All of it runs on one thread; replies come in through the port's listener and
// the framer, the time-out through Timer1Timer().
//
// The programming run and the reading run are independent and share the reply handler, which
// gives the programming run precedence.
class ModuleLink final : public PortListener {
public:
    ModuleLink(LinkEnvironment environment, TSettingsRecord& record, TEepromImage& image);
    ~ModuleLink() override;
    ModuleLink(const ModuleLink&) = delete;
    ModuleLink& operator=(const ModuleLink&) = delete;

    // "Program settings": checks, busy, store, encode, open `portName`, "*2*1", time-out.
    void StartProgramming(const QString& portName);
    // "Read settings": reopen `portName`, start gathering afresh, "*3*1", time-out.
    void StartReading(const QString& portName);
    // A read-back, to verify the module: the same reading run, but the completed image goes to
    // readBackImage() and RunEnded(ReadBackDone) instead of into the record and the controls,
    // and no line is added on success. A port left open under `portName` stays open, its
    // pending input discarded. While it runs, programming, reading and another
    // read-back are refused with a line; it is refused while another run is going.
    void StartReadBack(const QString& portName);

    // The time-out: "No answer from module    ", both runs idle, not busy.
    void Timer1Timer();

    // The reply handler; `text` is the framer's whole buffer.
    void ComDataPacket2CustomStop(const std::string& text);

    // PortListener
    void OnReception(std::string_view bytes) override;
    void OnPortLost(const QString& error) override;

    ProgState progState() const { return progState_; }
    ReadState readState() const { return readState_; }
    int imageOffset() const { return imageOffset_; }
    int frameCount() const { return frameCount_; }
    int progressLine() const { return progressLine_; }
    const QString& progressBar() const { return progressBar_; }
    const std::string& readBytes() const { return readBytes_; }
    const DataPacket& dataPacket() const { return dataPacket_; }
    bool readingBack() const { return readState_ == ReadState::rsReading && readTarget_ == ReadTarget::Caller; }
    const TEepromImage& readBackImage() const { return readBackImage_; }
    // The image the latest programming run sent (or is sending).
    const TEepromImage& programmedImage() const { return programmedImage_; }
    bool runInProgress() const
    {
        return progState_ != ProgState::psIdle || readState_ != ReadState::rsIdle;
    }

private:
    // Where a reading run's image goes.
    enum class ReadTarget { Editor, Caller };

    void BeginReading(const QString& portName, ReadTarget target);
    bool RefusedDuringReadBack();
    void HandleStartingReply(const std::string& text);
    bool HandleProgrammingReply(const std::string& text);
    void HandleReadingReply(const std::string& text);
    bool SendFrame(int n); // false when the write failed and the runs have ended
    void AddReadByte(char byte);
    void TakeReadImage(TEepromImage& target);
    void FinishRead();
    void AcknowledgeFrame();
    void StopTimeOutUnlessRunning();
    void EndRunsAfterFailure(const QString& error);
    void RefuseProgramming(const PortResult& failure);
    int Append(const QString& line);

    LinkEnvironment env_;
    TSettingsRecord& record_;
    TEepromImage& image_;
    TEepromImage programmedImage_; // what the current programming run sends
    DataPacket dataPacket_;

    ProgState progState_ = ProgState::psIdle;
    ReadState readState_ = ReadState::rsIdle;
    int imageOffset_ = 0;
    int frameCount_ = 0;
    int progressLine_ = 0;
    QString progressBar_;
    std::string readBytes_;
    ReadTarget readTarget_ = ReadTarget::Editor;
    TEepromImage readBackImage_;
};

} // namespace morvel
