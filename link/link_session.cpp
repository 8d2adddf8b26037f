#include "link/link_session.h"

#include "link/timeout_step.h"
#include "link/link_texts.h"
#include "model/record_fields.h"
#include "model/user_number_check.h"

#include <QEventLoop>

namespace morvel {

namespace {

constexpr int kUsers = 4;

} // namespace

LinkSession::LinkSession(SettingsModel& model, LineSink sink, std::chrono::milliseconds timeout)
    : model_(model)
    , sink_(std::move(sink))
    , timer_(timeout)
    , link_(LinkEnvironment{*this, *this, timer_, monitored_, *this}, model.record, model.image)
{
    timer_.SetTimeoutHandler([this] { OnTimeout(); });
}

LinkSession::Result LinkSession::Program(const QString& portName)
{
    Begin();
    link_.StartProgramming(portName);
    return Wait();
}

LinkSession::Result LinkSession::Read(const QString& portName)
{
    Begin();
    link_.StartReading(portName);
    return Wait();
}

void LinkSession::Begin()
{
    ended_ = false;
    result_ = Result();
    monitored_.ResetCounts();
    started_ = std::chrono::steady_clock::now();
}

LinkSession::Result LinkSession::ReadBack(const QString& portName, TEepromImage& moduleImage)
{
    Begin();
    link_.StartReadBack(portName);
    Result result = Wait();
    if (result.end == RunEnd::ReadBackDone)
        moduleImage = link_.readBackImage();
    // A module that fell silent part-way answered, just not all of it.
    if (result.end == RunEnd::TimedOut && !link_.readBytes().empty()) {
        result.text = QString::fromUtf8(texts::kReadBackIncomplete).arg(link_.readBytes().size());
        result.waitingStep.clear(); // the text says it
    }
    return result;
}

LinkSession::Result LinkSession::Wait()
{
    QEventLoop loop;
    while (!ended_)
        loop.processEvents(QEventLoop::WaitForMoreEvents);
    result_.counts = monitored_.counts();
    result_.elapsed =
        std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - started_);
    return result_;
}

void LinkSession::OnTimeout()
{
    // The step is read from the link before the time-out puts both runs back to idle.
    const QString step = WaitingStep(link_);
    link_.Timer1Timer();
    result_.waitingStep = step;
}

void LinkSession::AddLine(const QString& text)
{
    ++lineCount_;
    if (sink_)
        sink_(text, false);
}

void LinkSession::ReplaceLine(int, const QString& text)
{
    if (sink_)
        sink_(text, true);
}

bool LinkSession::UserNumbersPass()
{
    std::array<std::string, kUsers> numbers;
    for (int user = 1; user <= kUsers; ++user)
        numbers[std::size_t(user - 1)] = UserNumber(std::as_const(model_.record), user);
    return CheckUserNumbers(numbers);
}

void LinkSession::ShowError(const QString&, const QString& hint)
{
    result_.hint = hint;
}

void LinkSession::ShowLinkLost(const QString&, const QString& hint)
{
    result_.hint = hint;
}

void LinkSession::RunEnded(RunEnd end, const QString& text)
{
    ended_ = true;
    result_.end = end;
    result_.text = text;
}

} // namespace morvel
