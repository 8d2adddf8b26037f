// Ports that will not open, and what the operator is told to do about them; the low-latency
// request on an open port.
#include "link/serial_port.h"
#include "pty_module.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <QProcess>
#include <QStandardPaths>

#include <cerrno>
#include <ostream>

#include <grp.h>
#include <linux/serial.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

namespace morvel {
namespace {

const QString kUnableToOpen = QStringLiteral("Unable to open com port (win error code: ");

class Recorder : public PortListener {
public:
    void OnReception(std::string_view bytes) override { received.append(bytes); }
    void OnPortLost(const QString&) override {}
    std::string received;
};

PortDescription Port(const char* name, const char* description = "", const char* maker = "",
                     const char* serial = "")
{
    PortDescription port;
    port.name = QString::fromUtf8(name);
    port.description = QString::fromUtf8(description);
    port.manufacturer = QString::fromUtf8(maker);
    port.serialNumber = QString::fromUtf8(serial);
    return port;
}

struct MissingCase {
    const char* name;
    PortDescriptions present;
    QString hint;
};

void PrintTo(const MissingCase& c, std::ostream* out)
{
    *out << c.name;
}

class MissingPort : public ::testing::TestWithParam<MissingCase> {};

// Opening takes a lock file named after the port: each test asks for a name of its own.
QString MissingPortName()
{
    return OwnName(QStringLiteral("ttyUSB7-no-such-morvel-port"));
}

TEST_P(MissingPort, HintNamesThePortsThereAre)
{
    SerialModulePort port(SystemCalls(), [] { return GetParam().present; });
    ASSERT_TRUE(port.SetPortName(MissingPortName()).ok());
    const PortResult result = port.Open();
    EXPECT_EQ(result.error, QStringLiteral("Unable to open com port (win error code: 2)"));
    EXPECT_EQ(result.hint, GetParam().hint.arg(MissingPortName()));
}

INSTANTIATE_TEST_SUITE_P(
    Lists, MissingPort,
    ::testing::Values(
        MissingCase{"NoAdapter", {},
                    QStringLiteral("There is no port %1, and no serial adapter is "
                                   "connected: plug the adapter in and check its cable.")},
        MissingCase{"OthersPresent",
                    {Port("ttyS0"), Port("ttyUSB0", "FT232R USB UART", "FTDI", "A50285BI")},
                    QStringLiteral("There is no port %1. The ports present now: ttyS0, "
                                   "ttyUSB0 (FT232R USB UART, FTDI, serial A50285BI).")}),
    [](const ::testing::TestParamInfo<MissingCase>& info) { return std::string(info.param.name); });

QString ProcessOutput(QProcess& process)
{
    return QString::fromLocal8Bit(process.readAllStandardOutput());
}

// Root opens every device, so the refusal is shown to the unprivileged user "nobody", on a
// terminal given to the group dialout as a serial adapter is.
TEST(PortRefused, PermissionHintNamesTheGroupAndTheCommandThatAddsTheUser)
{
    sim::PtyModule module({});
    const QByteArray path = QByteArray::fromStdString(module.PortPath());
    QString program = QStringLiteral(PORT_HELPER);
    QStringList arguments = {QStringLiteral("open"), QString::fromLocal8Bit(path)};
    QString user;
    if (::geteuid() == 0) {
        const passwd* nobody = ::getpwnam("nobody");
        const QString setpriv = QStandardPaths::findExecutable(QStringLiteral("setpriv"));
        if (nobody == nullptr || setpriv.isEmpty())
            GTEST_SKIP() << "no unprivileged user \"nobody\" or no setpriv to open the port as another user";
        const group* dialout = ::getgrnam("dialout");
        ASSERT_EQ(::chown(path.constData(), 0, dialout != nullptr ? dialout->gr_gid : 0), 0);
        ASSERT_EQ(::chmod(path.constData(), 0660), 0);
        arguments = QStringList{QStringLiteral("--reuid=%1").arg(nobody->pw_uid),
                                QStringLiteral("--regid=%1").arg(nobody->pw_gid), QStringLiteral("--clear-groups"),
                                program} + arguments;
        program = setpriv;
        user = QStringLiteral("nobody");
    } else {
        ASSERT_EQ(::chmod(path.constData(), 0), 0);
        user = QString::fromLocal8Bit(::getpwuid(::geteuid())->pw_name);
    }
    struct stat device {};
    ASSERT_EQ(::stat(path.constData(), &device), 0);
    const QString groupName = QString::fromLocal8Bit(::getgrgid(device.st_gid)->gr_name);

    QProcess opener;
    opener.start(program, arguments);
    ASSERT_TRUE(opener.waitForFinished(10000));
    const QStringList lines = ProcessOutput(opener).split(u'\n');
    ASSERT_EQ(opener.exitCode(), 1) << lines.join(u'\n').toStdString()
                                    << QString::fromLocal8Bit(opener.readAllStandardError()).toStdString();
    ASSERT_GE(lines.size(), 3);
    EXPECT_EQ(lines[0], QStringLiteral("Unable to open com port (win error code: 13)"));
    EXPECT_EQ(lines[1], QStringLiteral("Your user may not open %1: it belongs to the group %2. Add yourself to "
                                       "that group with this command, then log out and in again:")
                            .arg(QString::fromLocal8Bit(path), groupName));
    EXPECT_EQ(lines[2], QStringLiteral("    sudo usermod -aG %1 %2").arg(groupName, user));
}

TEST(PortRefused, InUseHintNamesTheProcessThatHoldsThePort)
{
    sim::PtyModule module({});
    const QString path = QString::fromStdString(module.PortPath());
    QProcess holder;
    holder.start(QStringLiteral(PORT_HELPER), {QStringLiteral("hold"), path});
    ASSERT_TRUE(holder.waitForStarted());
    ASSERT_TRUE(ProcessEventsUntil([&] { return holder.canReadLine(); }, std::chrono::seconds(10)));
    ASSERT_EQ(holder.readLine().trimmed(), QByteArray("held"));
    const qint64 holderPid = holder.processId();

    SerialModulePort port;
    ASSERT_TRUE(port.SetPortName(path).ok());
    const PortResult result = port.Open();
    holder.closeWriteChannel();
    holder.waitForFinished();

    EXPECT_TRUE(result.error.startsWith(kUnableToOpen)) << result.error.toStdString();
    EXPECT_TRUE(result.hint.startsWith(
        QStringLiteral("%1 is in use by PID %2 (port_helper): close that program and try again.")
            .arg(path)
            .arg(holderPid)))
        << result.hint.toStdString();
    EXPECT_TRUE(result.hint.contains(QStringLiteral("ModemManager grabs new ttyACM ports"))) << result.hint.toStdString();
}

// The real calls for the line; the serial settings ioctls answered as a driver would.
class SerialSettingsCalls final : public PortSystemCalls {
public:
    explicit SerialSettingsCalls(bool driverHasTheSetting)
        : driverHasTheSetting_(driverHasTheSetting)
    {
    }
    ssize_t Write(int fd, const void* bytes, std::size_t count) override { return SystemCalls().Write(fd, bytes, count); }
    ssize_t Read(int fd, void* bytes, std::size_t count) override { return SystemCalls().Read(fd, bytes, count); }
    int Poll(pollfd* fds, nfds_t count, int timeoutMs) override { return SystemCalls().Poll(fds, count, timeoutMs); }
    int GetSerial(int, serial_struct& settings) override
    {
        if (!driverHasTheSetting_) {
            errno = ENOTTY;
            return -1;
        }
        settings = serial_struct{};
        return 0;
    }
    int SetSerial(int, const serial_struct& settings) override
    {
        flagsSet.push_back(settings.flags);
        return 0;
    }
    std::vector<int> flagsSet;

private:
    bool driverHasTheSetting_;
};

class LowLatency : public ::testing::TestWithParam<bool> {};

TEST_P(LowLatency, IsAskedForAfterOpeningAndARefusalChangesNothing)
{
    const bool driverHasTheSetting = GetParam();
    sim::PtyModule module({});
    module.Start();
    SerialSettingsCalls calls(driverHasTheSetting);
    SerialModulePort port(calls, {});
    Recorder recorder;
    port.SetListener(&recorder);
    ASSERT_TRUE(port.SetPortName(QString::fromStdString(module.PortPath())).ok());
    ASSERT_TRUE(port.Open().ok());
    ASSERT_TRUE(port.Write("*2*1").ok());
    EXPECT_TRUE(ProcessEventsUntil([&] { return recorder.received == "OK*1"; })) << recorder.received;
    if (driverHasTheSetting) {
        ASSERT_EQ(calls.flagsSet.size(), 1u);
        EXPECT_NE(calls.flagsSet[0] & ASYNC_LOW_LATENCY, 0);
    } else {
        EXPECT_TRUE(calls.flagsSet.empty());
    }
}

INSTANTIATE_TEST_SUITE_P(Drivers, LowLatency, ::testing::Bool(),
                         [](const ::testing::TestParamInfo<bool>& info) {
                             return std::string(info.param ? "WithTheSetting" : "WithoutTheSetting");
                         });

} // namespace
} // namespace morvel
