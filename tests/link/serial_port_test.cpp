// The serial layer on real pseudo-terminals: names, opening, errors, receptions.
#include "link/port_list.h"
#include "link/serial_port.h"
#include "pty_module.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <ostream>

#include <QLocale>
#include <QStringList>

#include <string>

namespace morvel {
namespace {

struct SortCase {
    const char* locale;
    QStringList names;
    QStringList sorted;
};

void PrintTo(const SortCase& c, std::ostream* out)
{
    *out << c.locale << ' ' << c.names.join(u',').toStdString();
}

class PortNameOrder : public ::testing::TestWithParam<SortCase> {};

TEST_P(PortNameOrder, IgnoresCaseAndComparesCharacterByCharacterInTheLocalesOrder)
{
    EXPECT_EQ(SortPortNames(GetParam().names, QLocale(QString::fromLatin1(GetParam().locale))), GetParam().sorted);
}

// Names that code-point order puts elsewhere: the locale sorts "_" before "-" before digits, and
// Polish sorts "ś" after every "s".
INSTANTIATE_TEST_SUITE_P(
    Names, PortNameOrder,
    ::testing::Values(SortCase{"en_US", {"COM2", "COM10", "COM1"}, {"COM1", "COM10", "COM2"}},
                      SortCase{"en_US", {"ttyUSB2", "ttyUSB10", "ttyS0"}, {"ttyS0", "ttyUSB10", "ttyUSB2"}},
                      SortCase{"en_US", {"com3", "COM20", "Com1"}, {"Com1", "COM20", "com3"}},
                      SortCase{"en_US", {"ttyS1", "ttyS-1", "ttyS_1"}, {"ttyS_1", "ttyS-1", "ttyS1"}},
                      SortCase{"pl_PL", {"ttyt", "ttyś", "ttySb"}, {"ttySb", "ttyś", "ttyt"}},
                      SortCase{"en_US", {"ttyt", "ttyś", "ttySb"}, {"ttyś", "ttySb", "ttyt"}},
                      SortCase{"C", {"COM2", "com10", "COM1"}, {"COM1", "com10", "COM2"}},
                      SortCase{"en_US", {}, {}}));

class Recorder : public PortListener {
public:
    void OnReception(std::string_view bytes) override { received.append(bytes); }
    void OnPortLost(const QString& error) override { lost << error; }
    std::string received;
    QStringList lost;
};

TEST(SerialModulePort, MissingDeviceGivesTheOpenErrorWithTheSystemErrorNumber)
{
    SerialModulePort port;
    ASSERT_TRUE(port.SetPortName(OwnName(QStringLiteral("/dev/no-such-morvel-port"))).ok());
    const PortResult result = port.Open();
    EXPECT_EQ(result.error, QStringLiteral("Unable to open com port (win error code: 2)"));
    EXPECT_FALSE(port.IsOpen());
}

TEST(SerialModulePort, PortInUseCannotBeOpenedTwice)
{
    sim::PtyModule module({});
    const QString path = QString::fromStdString(module.PortPath());
    SerialModulePort first;
    SerialModulePort second;
    ASSERT_TRUE(first.SetPortName(path).ok());
    ASSERT_TRUE(first.Open().ok());
    ASSERT_TRUE(second.SetPortName(path).ok());
    const PortResult result = second.Open();
    EXPECT_TRUE(result.error.startsWith(QStringLiteral("Unable to open com port (win error code: ")))
        << result.error.toStdString();
    EXPECT_TRUE(first.IsOpen());
}

TEST(SerialModulePort, WritesReachTheDeviceAndRepliesReachTheListener)
{
    sim::PtyModule module({});
    module.Start();
    SerialModulePort port;
    Recorder recorder;
    port.SetListener(&recorder);
    ASSERT_TRUE(port.SetPortName(QString::fromStdString(module.PortPath())).ok());
    ASSERT_TRUE(port.Open().ok());
    ASSERT_TRUE(port.Write("*2*1").ok());
    EXPECT_TRUE(ProcessEventsUntil([&] { return recorder.received == "OK*1"; })) << recorder.received;
    EXPECT_EQ(module.Counters().programmingStarts, 1);
}

TEST(SerialModulePort, SameNameKeepsThePortOpenAnotherNameReopensIt)
{
    sim::PtyModule moduleA({});
    sim::PtyModule moduleB({});
    moduleB.Start();
    SerialModulePort port;
    Recorder recorder;
    port.SetListener(&recorder);
    ASSERT_TRUE(port.SetPortName(QString::fromStdString(moduleA.PortPath())).ok());
    ASSERT_TRUE(port.Open().ok());
    ASSERT_TRUE(port.SetPortName(QString::fromStdString(moduleA.PortPath())).ok());
    EXPECT_TRUE(port.IsOpen());

    ASSERT_TRUE(port.SetPortName(QString::fromStdString(moduleB.PortPath())).ok());
    EXPECT_TRUE(port.IsOpen());
    ASSERT_TRUE(port.Write("*2*1").ok());
    EXPECT_TRUE(ProcessEventsUntil([&] { return recorder.received == "OK*1"; }));
    EXPECT_EQ(moduleB.Counters().programmingStarts, 1);
}

TEST(SerialModulePort, WriteOnAClosedPortFails)
{
    SerialModulePort port;
    EXPECT_TRUE(port.Write("*3*1").error.startsWith(QStringLiteral("WriteFile function failed (win error code: ")));
}

TEST(SerialModulePort, HangUpIsReportedOnceAndClosesThePort)
{
    sim::ModuleOptions options;
    options.hangUpAfterBytes = 0;
    sim::PtyModule module(options);
    module.Start();
    SerialModulePort port;
    Recorder recorder;
    port.SetListener(&recorder);
    ASSERT_TRUE(port.SetPortName(QString::fromStdString(module.PortPath())).ok());
    ASSERT_TRUE(port.Open().ok());
    ASSERT_TRUE(port.Write("*2*1").ok());
    ASSERT_TRUE(ProcessEventsUntil([&] { return !recorder.lost.isEmpty(); }));
    EXPECT_TRUE(ProcessEventsUntil([&] { return !port.IsOpen(); }));
    QCoreApplication::processEvents();
    EXPECT_EQ(recorder.lost.size(), 1);
    EXPECT_TRUE(recorder.lost.first().startsWith(QStringLiteral("Com port lost (win error code: ")));
}

} // namespace
} // namespace morvel
