#pragma once

#include "link/link_interfaces.h"
#include "link/protocol.h"

#include <QObject>
#include <QTimer>

#include <chrono>
#include <functional>

namespace morvel {

// The run time-out on a QTimer. The period is the module's reply time-out unless a test asks
// for a shorter one.
class QtRunTimer final : public QObject, public RunTimer {
    Q_OBJECT
public:
    explicit QtRunTimer(std::chrono::milliseconds period = protocol::kReplyTimeout,
                        QObject* parent = nullptr);

    // Called when a period ends while enabled (the owner forwards it to ModuleLink::Timer1Timer).
    void SetTimeoutHandler(std::function<void()> handler);

    void Enable() override;
    void Disable() override;
    bool IsEnabled() const override;
    // Time left of the running period (zero when disabled).
    std::chrono::milliseconds RemainingTime() const;

private:
    QTimer timer_;
    std::function<void()> handler_;
};

} // namespace morvel
