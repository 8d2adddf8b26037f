#include "link/info_list.h"
#include "link/run_timer.h"

#include "link_fakes.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <ostream>

#include <QThread>

namespace morvel {
namespace {

using namespace std::chrono_literals;

struct TrimCase {
    int linesBefore;
    int linesAfter;
    QString firstAfter;
    int newIndex;
};

void PrintTo(const TrimCase& c, std::ostream* out)
{
    *out << c.linesBefore << " lines";
}


class AppendInfoLineCase : public ::testing::TestWithParam<TrimCase> {};

TEST_P(AppendInfoLineCase, KeepsAtMostSevenLinesDroppingTheOldest)
{
    testing::FakeInfoList list;
    for (int i = 0; i < GetParam().linesBefore; ++i)
        list.AddLine(QString::number(i));
    const int index = AppendInfoLine(list, QStringLiteral("new"));
    EXPECT_EQ(list.lines.size(), GetParam().linesAfter);
    EXPECT_EQ(list.lines.first(), GetParam().firstAfter);
    EXPECT_EQ(list.lines.back(), QStringLiteral("new"));
    EXPECT_EQ(index, GetParam().newIndex);
}

INSTANTIATE_TEST_SUITE_P(Counts, AppendInfoLineCase,
                         ::testing::Values(TrimCase{0, 1, QStringLiteral("new"), 0},
                                           TrimCase{6, 7, QStringLiteral("0"), 6},
                                           TrimCase{7, 7, QStringLiteral("1"), 6},
                                           TrimCase{9, 9, QStringLiteral("1"), 8}));

TEST(Busy, EnterAndLeaveSetBothButtonsAndTheCursor)
{
    testing::FakeControls controls;
    EnterBusy(controls);
    EXPECT_TRUE(controls.busy);
    EXPECT_FALSE(controls.programEnabled);
    EXPECT_FALSE(controls.readEnabled);
    LeaveBusy(controls);
    EXPECT_TRUE(controls.Idle());
}

TEST(QtRunTimer, EnablingARunningTimerKeepsItsPeriod)
{
    QtRunTimer timer(10s);
    timer.Enable();
    QThread::msleep(200);
    timer.Enable();
    EXPECT_LE(timer.RemainingTime(), 10s - 200ms);

    timer.Disable();
    EXPECT_FALSE(timer.IsEnabled());
    timer.Enable(); // after a stop: a fresh period
    EXPECT_GT(timer.RemainingTime(), 10s - 200ms);
}

TEST(QtRunTimer, CallsTheHandlerWhenThePeriodEnds)
{
    QtRunTimer timer(20ms);
    int fired = 0;
    timer.SetTimeoutHandler([&] {
        ++fired;
        timer.Disable();
    });
    timer.Enable();
    EXPECT_TRUE(ProcessEventsUntil([&] { return fired == 1; }));
    EXPECT_FALSE(timer.IsEnabled());
}

} // namespace
} // namespace morvel
