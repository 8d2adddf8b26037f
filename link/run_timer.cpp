#include "link/run_timer.h"

#include <utility>

namespace morvel {

QtRunTimer::QtRunTimer(std::chrono::milliseconds period, QObject* parent)
    : QObject(parent)
{
    // A coarse timer may move the end of a period by 5 %; the time-out keeps its exact length.
    timer_.setTimerType(Qt::PreciseTimer);
    timer_.setInterval(period);
    connect(&timer_, &QTimer::timeout, this, [this] {
        if (handler_)
            handler_();
    });
}

void QtRunTimer::SetTimeoutHandler(std::function<void()> handler)
{
    handler_ = std::move(handler);
}

void QtRunTimer::Enable()
{
    if (!timer_.isActive())
        timer_.start();
}

void QtRunTimer::Disable()
{
    timer_.stop();
}

bool QtRunTimer::IsEnabled() const
{
    return timer_.isActive();
}

std::chrono::milliseconds QtRunTimer::RemainingTime() const
{
    return timer_.isActive() ? timer_.remainingTimeAsDuration() : std::chrono::milliseconds{0};
}

} // namespace morvel
