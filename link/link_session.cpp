#include "link/link_session.h"

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
    , link_(LinkEnvironment{*this, *this, timer_, port_, *this}, model.record, model.image)
{
    timer_.SetTimeoutHandler([this] { link_.Timer1Timer(); });
}

LinkSession::Result LinkSession::Program(const QString& portName)
{
    ended_ = false;
    link_.StartProgramming(portName);
    return Wait();
}

LinkSession::Result LinkSession::Read(const QString& portName)
{
    ended_ = false;
    link_.StartReading(portName);
    return Wait();
}

LinkSession::Result LinkSession::ReadBack(const QString& portName, TEepromImage& moduleImage)
{
    ended_ = false;
    link_.StartReadBack(portName);
    const Result result = Wait();
    if (result.end == RunEnd::ReadBackDone)
        moduleImage = link_.readBackImage();
    return result;
}

LinkSession::Result LinkSession::Wait()
{
    QEventLoop loop;
    while (!ended_)
        loop.processEvents(QEventLoop::WaitForMoreEvents);
    return result_;
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

void LinkSession::RunEnded(RunEnd end, const QString& text)
{
    ended_ = true;
    result_ = {end, text};
}

} // namespace morvel
